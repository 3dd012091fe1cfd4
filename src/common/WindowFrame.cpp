#include "common/WindowFrame.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/UFormParts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace common {

namespace {

// The table windows' texts are sized in points, the application's in pixels: both as designed.
QFont tableFont(int points, bool bold)
{
    QFont f(QStringLiteral("Verdana"));
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

struct TTitleLook {
    QFont codeFont;
    QRect code; // x, y and height; the width is the client's less 32
    QFont descFont;
    int descHeight;
};

TTitleLook titleLook(const TFramePlan& plan)
{
    if (plan.title == TTitleStyle::Table)
        return {tableFont(24, false), QRect(16, 4, 0, 40), tableFont(8, true), 18};
    return {Verdana(32), QRect(16, 8, 0, 36), Verdana(11, true), 18};
}

int descTopOf(const TFramePlan& plan)
{
    return plan.title == TTitleStyle::Table ? 46 : plan.descTop;
}

QLabel* titleLabel(QWidget* P_Title, const char* name, const QFont& font, const QRect& at)
{
    auto* l = new QLabel(P_Title);
    l->setObjectName(QLatin1String(name));
    l->setFont(font);
    l->setGeometry(at);
    QPalette lp = l->palette();
    lp.setColor(QPalette::WindowText, kTitleGrey);
    l->setPalette(lp);
    // Texts from language files are shown as written, never as markup.
    l->setTextFormat(Qt::PlainText);
    return l;
}

// A strip or the title as a panel of the column: fixed height, and fixed width where the
// column sizes the window to its panels.
void fixPanelSize(QWidget* panel, const TFramePlan& plan, int height)
{
    if (plan.sizing == TFrameSizing::FitContents)
        panel->setFixedSize(plan.client.width(), height);
    else
        panel->setFixedHeight(height);
}

} // namespace

TStripButton Slot_Button(const char* name, TGlyphButton** member, int slot, int modalResult)
{
    return {name, member, QRect(16 + 118 * slot, 6, 110, 28), modalResult};
}

std::vector<TStripButton> OK_Cancel_Slots(int okModalResult)
{
    return {Slot_Button("Btn_OK", nullptr, 0, okModalResult),
            Slot_Button("Btn_Cancel", nullptr, 1, TQvForm::kModalCancel)};
}

std::vector<TStripButton> OK_Cancel_At_Right(int okModalResult)
{
    return {{"Btn_OK", nullptr, {}, okModalResult, TGlyphButtonKind::bkOK, true},
            {"Btn_Cancel", nullptr, {}, TQvForm::kModalCancel, TGlyphButtonKind::bkCancel, true}};
}

std::vector<TStripButton> Row_Buttons(TGlyphButton** delRow, TGlyphButton** insRow, TGlyphButton** copyRow,
                                      TGlyphButton** pasteRow)
{
    std::vector<TStripButton> buttons = OK_Cancel_Slots();
    buttons.push_back(Slot_Button("Btn_DelRow", delRow, 2));
    buttons.push_back(Slot_Button("Btn_InsRow", insRow, 3));
    buttons.push_back(Slot_Button("Btn_CopyRow", copyRow, 4));
    buttons.push_back(Slot_Button("Btn_PasteRow", pasteRow, 5));
    return buttons;
}

TFramePlan Application_Frame(QSize client, std::vector<TStripButton> buttons, int descTop)
{
    TFramePlan plan;
    plan.client = client;
    plan.descTop = descTop;
    plan.dialogBorder = true;
    plan.buttons = std::move(buttons);
    return plan;
}

TFramePlan Table_Frame(QSize client, std::vector<TStripButton> buttons, TFrameSizing sizing)
{
    TFramePlan plan;
    plan.sizing = sizing;
    plan.client = client;
    plan.title = TTitleStyle::Table;
    plan.body = TFrameBody::Column;
    plan.background = kTableWindowBackground;
    plan.buttons = std::move(buttons);
    return plan;
}

QVBoxLayout* TQvForm::Build_Frame(const TFramePlan& plan)
{
    const int width = plan.client.width();
    if (plan.dialogBorder)
        Set_Fixed_Dialog_Frame(this);
    if (plan.background) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, *plan.background);
        setPalette(pal);
        setAutoFillBackground(true);
    }
    setFont(plan.title == TTitleStyle::Table ? tableFont(8, false) : Verdana(11, false));

    QVBoxLayout* column = nullptr;
    QVBoxLayout* body = nullptr;
    if (plan.body == TFrameBody::Column) {
        column = new QVBoxLayout(this);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        if (plan.sizing == TFrameSizing::FitContents)
            column->setSizeConstraint(QLayout::SetFixedSize);
        body = new QVBoxLayout;
        body->setContentsMargins(0, 0, 0, 0);
        body->setSpacing(0);
    }

    if (plan.title != TTitleStyle::None) {
        P_Title = new QWidget(this);
        P_Title->setObjectName(QStringLiteral("P_Title"));
        if (column) {
            fixPanelSize(P_Title, plan, kTitlePanelHeight);
            column->addWidget(P_Title);
        } else {
            P_Title->setGeometry(0, 0, width, kTitlePanelHeight);
        }
        const TTitleLook look = titleLook(plan);
        L_SW_Code = titleLabel(P_Title, "L_SW_Code", look.codeFont,
                               QRect(look.code.x(), look.code.y(), width - 32, look.code.height()));
        L_SW_Desc =
            titleLabel(P_Title, "L_SW_Desc", look.descFont, QRect(16, descTopOf(plan), width - 32, look.descHeight));
        L_SW_Code->setText(State().SW_Code);
    }
    if (column)
        column->addLayout(body, 1);

    if (plan.buttonStrip) {
        P_Button = new QWidget(this);
        P_Button->setObjectName(QStringLiteral("P_Button"));
        if (column) {
            fixPanelSize(P_Button, plan, kButtonStripHeight);
            column->addWidget(P_Button);
        } else {
            P_Button->setGeometry(0, plan.client.height() - kButtonStripHeight, width, kButtonStripHeight);
        }
        QHBoxLayout* right = nullptr;
        for (const TStripButton& b : plan.buttons) {
            TGlyphButton* button = Add_Strip_Button(b);
            if (!b.atRight)
                continue;
            if (!right) {
                // OK and Cancel at width - 180 and width - 92, 8 from the top, as designed.
                right = new QHBoxLayout(P_Button);
                right->setContentsMargins(8, 8, 11, 7);
                right->setSpacing(7);
                right->addStretch(1);
            }
            button->setFixedSize(81, 25);
            right->addWidget(button);
        }
    }

    switch (plan.sizing) {
    case TFrameSizing::Fixed:
        setFixedSize(plan.client);
        break;
    case TFrameSizing::FixedWidth:
        setFixedWidth(width);
        if (plan.client.height() > 0)
            resize(plan.client);
        break;
    case TFrameSizing::Resizable:
        resize(plan.client);
        break;
    case TFrameSizing::FitContents:
        break;
    }
    return body;
}

TGlyphButton* TQvForm::Add_Strip_Button(const TStripButton& plan)
{
    auto* b = new TGlyphButton(P_Button);
    b->setObjectName(QLatin1String(plan.name));
    if (plan.kind != TGlyphButtonKind::bkCustom)
        b->setKind(plan.kind);
    // After the kind, which brings a modal result of its own.
    b->setModalResult(plan.modalResult);
    if (!plan.atRight)
        b->setGeometry(plan.at);
    const QLatin1String name(plan.name);
    if (name == QLatin1String("Btn_OK"))
        Btn_OK = b;
    else if (name == QLatin1String("Btn_Cancel"))
        Btn_Cancel = b;
    if (plan.member)
        *plan.member = b;
    return b;
}

} // namespace common
