#include "app/UOpenConf.h"

#include "common/UFormParts.h"
#include "common/GlyphButton.h"
#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
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
constexpr int kButtonStripHeight = 40;

} // namespace

TFOpenConf::TFOpenConf(platform::Services& services, QWidget* parent)
    : common::TQvForm(services, parent)
{
    setObjectName(QStringLiteral("FOpenConf"));
    setFont(common::Verdana(11, false));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    P_Title = new QWidget(this);
    P_Title->setObjectName(QStringLiteral("P_Title"));
    P_Title->setFixedHeight(kTitleHeight);
    common::Make_Title_Labels(P_Title, kClientWidth, 46, L_SW_Code, L_SW_Desc);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(16, 4, 16, 4);
    body->setSpacing(4);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] { ListBox1Click(); });
    // Texts from language files are shown as written, never as markup.
    for (QLabel* l : {L_SW_Code, L_SW_Desc, Label1})
        l->setTextFormat(Qt::PlainText);
    body->addWidget(Label1);
    body->addWidget(ListBox1, 1);

    P_Button = new QWidget(this);
    P_Button->setObjectName(QStringLiteral("P_Button"));
    P_Button->setFixedHeight(kButtonStripHeight);
    auto* buttons = new QHBoxLayout(P_Button);
    buttons->setContentsMargins(8, 8, 11, 7);
    buttons->setSpacing(7);
    Btn_OK = new TGlyphButton(P_Button);
    Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
    Btn_OK->setKind(TGlyphButtonKind::bkOK);
    Btn_OK->setModalResult(kModalOK);
    Btn_OK->setFixedSize(81, 25);
    Btn_Cancel = new TGlyphButton(P_Button);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    Btn_Cancel->setKind(TGlyphButtonKind::bkCancel);
    Btn_Cancel->setModalResult(kModalCancel);
    Btn_Cancel->setFixedSize(81, 25);
    buttons->addStretch(1);
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Cancel);

    column->addWidget(P_Title);
    column->addLayout(body, 1);
    column->addWidget(P_Button);

    FormCreate();
}

TFOpenConf::~TFOpenConf() = default;

void TFOpenConf::FormCreate()
{
    L_SW_Code->setText(common::State().SW_Code);
    resize(kClientWidth, kClientHeight);
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
    SL = QDir(projectsDir).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                                     QDir::Name | QDir::IgnoreCase);
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
