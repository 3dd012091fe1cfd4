#include "app/UNew_Project.h"

#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/UFormParts.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Services.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>

namespace app {

namespace {

constexpr int kTitleHeight = common::kTitlePanelHeight;

} // namespace

TFNew_Project::TFNew_Project(platform::Services& services, QWidget* parent) : common::TQvForm(services, parent)
{
    setObjectName(QStringLiteral("FNew_Project"));

    // OK closes the window only after the project exists.
    Build_Frame(common::Application_Frame({kClientWidth, kClientHeight}, common::OK_Cancel_At_Right(0)));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(16, kTitleHeight + 4, kClientWidth - 32, 18);
    // Texts from language files are shown as written, never as markup.
    Label1->setTextFormat(Qt::PlainText);
    E_New_Proj = new QLineEdit(this);
    E_New_Proj->setObjectName(QStringLiteral("E_New_Proj"));
    E_New_Proj->setGeometry(16, kTitleHeight + 24, kClientWidth - 32, 22);
    // Enter in the name box is the same as OK, error messages included.
    connect(E_New_Proj, &QLineEdit::returnPressed, this, &TFNew_Project::Btn_OKClick);

    connect(Btn_OK, &TGlyphButton::OnClick, this, &TFNew_Project::Btn_OKClick);

    FormCreate();
}

TFNew_Project::~TFNew_Project() = default;

void TFNew_Project::FormCreate()
{
    Set_Lang();
}

void TFNew_Project::Set_Lang()
{
    setWindowTitle(common::Lang_Text(100));
    L_SW_Desc->setText(common::Lang_Text(101));
    Label1->setText(common::Lang_Text(102));
    Btn_OK->setCaption(common::Lang_Text(103));
    Btn_Cancel->setCaption(common::Lang_Text(104));
    E_New_Proj->setToolTip(common::Lang_Text(108));
    Btn_OK->setToolTip(common::Lang_Text(109));
    Btn_Cancel->setToolTip(common::Lang_Text(110));
}

void TFNew_Project::FormShow()
{
    E_New_Proj->clear();
    if (E_New_Proj->isEnabled() && E_New_Proj->isVisible())
        E_New_Proj->setFocus(Qt::OtherFocusReason);
}

bool TFNew_Project::Is_Valid_Project_Name(const QString& name)
{
    // A project is one folder directly under "PROJECTS": a name that is a path, or that names
    // the folder itself or its parent, would reach outside it.
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
           && name != QLatin1String(".") && name != QLatin1String("..");
}

void TFNew_Project::Btn_OKClick()
{
    common::TProgramState& state = common::State();
    // The name is taken exactly as typed: blanks at either end belong to it.
    const QString name = E_New_Proj->text();
    auto refuse = [&](int number) {
        if (services_.messages)
            services_.messages->error(this, common::Lang_Text(number));
    };

    if (name.isEmpty()) {
        refuse(107);
        return;
    }
    if (!Is_Valid_Project_Name(name)) {
        refuse(105);
        return;
    }
    const QString dir = platform::joinPath(state.Projects_Dir, name);
    if (QFileInfo::exists(dir) && QFileInfo(dir).isDir()) {
        refuse(106);
        return;
    }
    if (state.Projects_Dir.isEmpty() || !QDir(state.Projects_Dir).exists() || !QDir(state.Projects_Dir).mkdir(name)) {
        refuse(105);
        return;
    }
    // Its result is not looked at: the project is usable without it until the image is written.
    QDir(dir).mkpath(QStringLiteral("bin"));

    state.Project_Name = name;
    state.Project_Dir = dir;
    common::Set_Files(state);
    done(kModalOK);
}

void TFNew_Project::reject()
{
    // The close box.
    done(kModalCancel);
}

} // namespace app
