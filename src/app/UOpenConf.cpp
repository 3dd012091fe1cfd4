#include "app/UOpenConf.h"

#include "common/GlyphButton.h"
#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/UFormParts.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "platform/Files.h"
#include "platform/Services.h"

#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr int kTitleHeight = common::kTitlePanelHeight;

} // namespace

TFOpenConf::TFOpenConf(platform::Services& services, QWidget* parent) : common::TQvForm(services, parent)
{
    setObjectName(QStringLiteral("FOpenConf"));
    // A window the user may make larger to see more projects.
    common::TFramePlan frame =
        common::Application_Frame({kClientWidth, kClientHeight}, common::OK_Cancel_At_Right(kModalOK));
    frame.body = common::TFrameBody::Column;
    frame.sizing = common::TFrameSizing::Resizable;
    frame.dialogBorder = false;
    QVBoxLayout* body = Build_Frame(frame);
    body->setContentsMargins(16, 4, 16, 4);
    body->setSpacing(4);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] { ListBox1Click(); });
    // Texts from language files are shown as written, never as markup.
    Label1->setTextFormat(Qt::PlainText);
    body->addWidget(Label1);
    body->addWidget(ListBox1, 1);

    FormCreate();
}

TFOpenConf::~TFOpenConf() = default;

void TFOpenConf::FormCreate()
{
    Set_Lang();
}

void TFOpenConf::Set_Lang()
{
    setWindowTitle(common::Lang_Text(200));
    L_SW_Desc->setText(common::Lang_Text(201));
    Label1->setText(common::Lang_Text(202));
    Btn_OK->setCaption(common::Lang_Text(203));
    Btn_Cancel->setCaption(common::Lang_Text(204));
    ListBox1->setToolTip(common::Lang_Text(205));
    Btn_OK->setToolTip(common::Lang_Text(206));
    Btn_Cancel->setToolTip(common::Lang_Text(207));
}

void TFOpenConf::Load_Existing_Configuration()
{
    SL.clear();
    const QString projectsDir = common::State().Projects_Dir;
    if (projectsDir.isEmpty())
        return;
    // Hidden folders count too: a project may be named so. The list is in name order whatever
    // order the file system keeps its entries in.
    SL = QDir(projectsDir).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

int TFOpenConf::Search_Open_Conf(const QString& snc) const
{
    const QString wanted = common::upperAscii(snc);
    for (int i = 0; i < SL.size(); ++i)
        if (common::upperAscii(SL.at(i)) == wanted)
            return i;
    return -1;
}

void TFOpenConf::ListBox1Click()
{
    const int row = ListBox1->currentRow();
    if (row >= 0 && row < ListBox1->count())
        Name_Conf = ListBox1->item(row)->text();
}

void TFOpenConf::FormShow()
{
    Load_Existing_Configuration();

    {
        const QSignalBlocker quiet(ListBox1);
        ListBox1->clear();
        ListBox1->addItems(SL);
    }

    const common::TProgramState& state = common::State();
    QString openName;
    const QString prefix = state.Projects_Dir + platform::pathSeparator();
    if (!state.Project_Dir.isEmpty() && state.Project_Dir.startsWith(prefix))
        openName = state.Project_Dir.mid(prefix.size());

    int index = Search_Open_Conf(openName);
    if (index < 0 && !SL.isEmpty())
        index = 0;
    if (index >= 0) {
        ListBox1->setCurrentRow(index);
        Name_Conf = SL.at(index);
    } else {
        Name_Conf.clear();
    }
}

void TFOpenConf::reject()
{
    // The close box.
    done(kModalCancel);
}

} // namespace app
