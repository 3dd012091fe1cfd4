#include "tables/WindowFrame.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"

#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

namespace tables {

namespace {

const QColor kTitleGrey{0x80, 0x80, 0x80};

QFont verdana(int points, bool bold)
{
    QFont f(QStringLiteral("Verdana"));
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

} // namespace

TWindowFrame Build_Window_Frame(QDialog& window, int clientWidth)
{
    TWindowFrame f;
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, kWindowBackground);
    window.setPalette(pal);
    window.setAutoFillBackground(true);
    window.setFont(verdana(8, false));

    f.layout = new QVBoxLayout(&window);
    f.layout->setContentsMargins(0, 0, 0, 0);
    f.layout->setSpacing(0);

    f.P_Title = new QWidget(&window);
    f.P_Title->setObjectName(QStringLiteral("P_Title"));
    f.P_Title->setFixedHeight(69);
    f.L_SW_Code = new QLabel(f.P_Title);
    f.L_SW_Code->setObjectName(QStringLiteral("L_SW_Code"));
    f.L_SW_Code->setFont(verdana(24, false));
    f.L_SW_Code->setGeometry(16, 4, clientWidth - 32, 40);
    f.L_SW_Desc = new QLabel(f.P_Title);
    f.L_SW_Desc->setObjectName(QStringLiteral("L_SW_Desc"));
    f.L_SW_Desc->setFont(verdana(8, true));
    f.L_SW_Desc->setGeometry(16, 46, clientWidth - 32, 18);
    for (QLabel* l : {f.L_SW_Code, f.L_SW_Desc}) {
        QPalette lp = l->palette();
        lp.setColor(QPalette::WindowText, kTitleGrey);
        l->setPalette(lp);
    }
    f.L_SW_Code->setText(common::State().SW_Code);

    f.P_Button = new QWidget(&window);
    f.P_Button->setObjectName(QStringLiteral("P_Button"));
    f.P_Button->setFixedHeight(40);

    f.layout->addWidget(f.P_Title);
    return f;
}

TGlyphButton* Add_Strip_Button(const TWindowFrame& frame, const char* name, int index)
{
    auto* b = new TGlyphButton(frame.P_Button);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(16 + 118 * index, 6, 110, 28);
    return b;
}

} // namespace tables
