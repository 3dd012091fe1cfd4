#include "app/USoftOptions.h"

#include "app/UAbout.h"
#include "common/GlyphButton.h"
#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/UFormParts.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "platform/Files.h"
#include "platform/Http.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "platform/Shell.h"

#include <QBitmap>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTabWidget>
#include <QUrlQuery>

#include <algorithm>

namespace app {

namespace {

constexpr int kTitleHeight = common::kTitlePanelHeight;
constexpr int kFlagSize = 48;
const QLatin1String kLangExtension(".lng");

// A flag picture as the slot shows it: the colour of its lower-left pixel is see-through.
QPixmap transparentFlag(const QImage& picture)
{
    QPixmap pix = QPixmap::fromImage(picture);
    if (!picture.isNull()) {
        const QRgb key = picture.pixel(0, picture.height() - 1);
        pix.setMask(QBitmap::fromImage(picture.createMaskFromColor(key, Qt::MaskInColor)));
    }
    return pix;
}

} // namespace

// ---- The version query ----

QUrl Version_Query_Url(const QString& host, int port)
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(host);
    if (port != kVersionServicePort)
        url.setPort(port);
    url.setPath(QString::fromLatin1(kVersionServicePath));
    url.setQuery(QString::fromLatin1(kVersionQueryKey) + QLatin1Char('=') + QString::fromLatin1(common::kSW_Code));
    return url;
}

QString Download_Page_Address()
{
    return QStringLiteral("http://%1/Home/download/download.asp#%2")
        .arg(QString::fromLatin1(kMakerWebHost), QString::fromLatin1(kHW_Code));
}

QString Download_Link(const QString& text)
{
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(Download_Page_Address(), text.toHtmlEscaped());
}

int Conv_Version(const QString& Ver_str)
{
    const qsizetype blank = Ver_str.indexOf(QLatin1Char(' '));
    const QString version = common::trimBlanks(blank >= 0 ? Ver_str.mid(blank + 1) : Ver_str);
    if (version.size() < 5)
        return kNoVersion;
    // The second character is the separator and is not looked at.
    const QString digits = QString(version.at(0)) + version.mid(2, 3);
    for (const QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return kNoVersion;
    return digits.toInt();
}

bool Is_Newer_Version_Reply(const QString& reply)
{
    const QString trimmed = common::trimBlanks(reply);
    const QString upper = common::upperAscii(trimmed);
    if (upper.isEmpty() || upper == QLatin1String("VER. 0.000"))
        return false;
    const int own = Conv_Version(QString::fromLatin1(common::kSW_Version));
    const int offered = Conv_Version(trimmed);
    return own != kNoVersion && offered != kNoVersion && offered > own;
}

bool Check_Version(platform::HttpClient* client, const QString& host, int port)
{
    if (!client)
        return false;
    const platform::HttpReply reply = client->get(Version_Query_Url(host, port));
    // A failed request, a status other than success and a redirect all leave no reply.
    const QString body = reply.succeeded() ? QString::fromLatin1(reply.body) : QString();
    return Is_Newer_Version_Reply(body);
}

// ---- The window ----

TFSoftOptions::TFSoftOptions(platform::Services& services, QWidget* parent)
    : common::TQvForm(services, parent), Version_Host(QString::fromLatin1(kMakerWebHost))
{
    setObjectName(QStringLiteral("FSoftOptions"));

    // OK closes the window itself, after taking the settings over.
    Build_Frame(common::Application_Frame({kClientWidth, kClientHeight}, common::OK_Cancel_At_Right(0)));

    PC_Options = new QTabWidget(this);
    PC_Options->setObjectName(QStringLiteral("PC_Options"));
    PC_Options->setGeometry(8, kTitleHeight, kClientWidth - 16,
                            kClientHeight - kTitleHeight - common::kButtonStripHeight);
    buildLanguagePage();
    buildConnectionPage();
    buildSettingsPage();

    connect(Btn_OK, &TGlyphButton::OnClick, this, &TFSoftOptions::Btn_OKClick);

    FormCreate();
}

TFSoftOptions::~TFSoftOptions() = default;

void TFSoftOptions::buildLanguagePage()
{
    TS_Language = new QWidget;
    TS_Language->setObjectName(QStringLiteral("TS_Language"));
    PC_Options->addTab(TS_Language, QString());

    L_Sel_Lang = new QLabel(TS_Language);
    L_Sel_Lang->setObjectName(QStringLiteral("L_Sel_Lang"));
    L_Sel_Lang->setFont(common::Verdana(11, true));
    L_Sel_Lang->setGeometry(16, 8, 460, 18);

    QLabel** pictures[kSlotsPerPage] = {&I_L1, &I_L2, &I_L3, &I_L4, &I_L5, &I_L6};
    QLabel** names[kSlotsPerPage] = {&L_L1, &L_L2, &L_L3, &L_L4, &L_L5, &L_L6};
    for (int k = 0; k < kSlotsPerPage; ++k) {
        // Slots 1 to 3 make the left column, 4 to 6 the right one, top to bottom.
        const int left = k < 3 ? 24 : 256;
        const int top = 34 + (k % 3) * 56;
        auto* picture = new QLabel(TS_Language);
        picture->setObjectName(QStringLiteral("I_L%1").arg(k + 1));
        picture->setGeometry(left, top, kFlagSize, kFlagSize);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        picture->setAttribute(Qt::WA_TranslucentBackground);
        auto* name = new QLabel(TS_Language);
        name->setObjectName(QStringLiteral("L_L%1").arg(k + 1));
        name->setGeometry(left + kFlagSize + 8, top + 16, 160, 18);
        for (QLabel* l : {picture, name}) {
            l->setCursor(Qt::PointingHandCursor);
            l->installEventFilter(this);
        }
        *pictures[k] = picture;
        *names[k] = name;
        slotPictures_[k] = picture;
        slotNames_[k] = name;
    }

    L_Page_Lang = new QLabel(TS_Language);
    L_Page_Lang->setObjectName(QStringLiteral("L_Page_Lang"));
    L_Page_Lang->setGeometry(16, 210, 200, 18);
    Btn_Prev = new TGlyphButton(TS_Language);
    Btn_Prev->setObjectName(QStringLiteral("Btn_Prev"));
    Btn_Prev->setGeometry(300, 205, 81, 25);
    Btn_Next = new TGlyphButton(TS_Language);
    Btn_Next->setObjectName(QStringLiteral("Btn_Next"));
    Btn_Next->setGeometry(390, 205, 81, 25);

    // Language names come from file names and texts from language files: shown as written.
    for (QLabel* l : {L_Sel_Lang, L_Page_Lang})
        l->setTextFormat(Qt::PlainText);
    for (QLabel* l : slotNames_)
        l->setTextFormat(Qt::PlainText);
    for (TGlyphButton* b : {Btn_Prev, Btn_Next})
        connect(b, &TGlyphButton::OnClick, this, [this, b] { Btn_NextClick(b); });
}

void TFSoftOptions::buildConnectionPage()
{
    TS_Con_Options = new QWidget;
    TS_Con_Options->setObjectName(QStringLiteral("TS_Con_Options"));
    PC_Options->addTab(TS_Con_Options, QString());

    CB_En_Con = new QCheckBox(TS_Con_Options);
    CB_En_Con->setObjectName(QStringLiteral("CB_En_Con"));
    CB_En_Con->setGeometry(16, 16, 440, 20);
    CB_Update = new QCheckBox(TS_Con_Options);
    CB_Update->setObjectName(QStringLiteral("CB_Update"));
    CB_Update->setGeometry(40, 42, 416, 20);
    Btn_Check_Update = new TGlyphButton(TS_Con_Options);
    Btn_Check_Update->setObjectName(QStringLiteral("Btn_Check_Update"));
    Btn_Check_Update->setGeometry(16, 80, 200, 25);
    connect(Btn_Check_Update, &TGlyphButton::OnClick, this, &TFSoftOptions::Btn_Check_UpdateClick);
    LL_Check_Update = new QLabel(TS_Con_Options);
    LL_Check_Update->setObjectName(QStringLiteral("LL_Check_Update"));
    LL_Check_Update->setGeometry(16, 120, 460, 20);
    LL_Check_Update->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    LL_Check_Update->setOpenExternalLinks(false);
    connect(LL_Check_Update, &QLabel::linkActivated, this, &TFSoftOptions::LL_Check_UpdateLinkClick);
}

void TFSoftOptions::buildSettingsPage()
{
    TS_Soft_Settings = new QWidget;
    TS_Soft_Settings->setObjectName(QStringLiteral("TS_Soft_Settings"));
    PC_Options->addTab(TS_Soft_Settings, QString());

    CB_Soft_Set_Jump_Table = new QCheckBox(TS_Soft_Settings);
    CB_Soft_Set_Jump_Table->setObjectName(QStringLiteral("CB_Soft_Set_Jump_Table"));
    CB_Soft_Set_Jump_Table->setGeometry(16, 16, 460, 20);
    CB_DoubleClick_Auto_Size = new QCheckBox(TS_Soft_Settings);
    CB_DoubleClick_Auto_Size->setObjectName(QStringLiteral("CB_DoubleClick_Auto_Size"));
    CB_DoubleClick_Auto_Size->setGeometry(16, 42, 460, 20);

    // Every change of a box's tick, by the user or by FormShow, runs the click handler.
    for (QCheckBox* box : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        connect(box, &QCheckBox::toggled, this, &TFSoftOptions::CB_En_ConClick);
}

void TFSoftOptions::FormCreate()
{
    PC_Options->setTabVisible(PC_Options->indexOf(TS_Con_Options), true);
    Set_Lang();
}

void TFSoftOptions::Set_Lang()
{
    setWindowTitle(common::Lang_Text(300));
    L_SW_Desc->setText(common::Lang_Text(301));
    PC_Options->setTabText(PC_Options->indexOf(TS_Language), common::Lang_Text(302));
    PC_Options->setTabText(PC_Options->indexOf(TS_Con_Options), common::Lang_Text(303));
    PC_Options->setTabText(PC_Options->indexOf(TS_Soft_Settings), common::Lang_Text(319));
    L_Sel_Lang->setText(common::Lang_Text(304));
    L_Page_Lang->setText(common::Lang_Text(305) + QLatin1Char('1') + common::Lang_Text(306) + QLatin1Char('1'));
    Btn_Prev->setCaption(common::Lang_Text(307));
    Btn_Next->setCaption(common::Lang_Text(308));
    CB_En_Con->setText(common::Lang_Text(309));
    CB_Update->setText(common::Lang_Text(310));
    Btn_Check_Update->setCaption(common::Lang_Text(311));
    Btn_OK->setCaption(common::Lang_Text(312));
    Btn_Cancel->setCaption(common::Lang_Text(313));
    CB_Soft_Set_Jump_Table->setText(common::Lang_Text(320));
    CB_DoubleClick_Auto_Size->setText(common::Lang_Text(321));
}

void TFSoftOptions::FormShow()
{
    const common::TProgramState& state = common::State();
    Language_In_Use = state.Language_Name;
    Create_Lang_List();
    Update_CheckBox();
    LL_Check_Update->setVisible(false);
    PC_Options->setCurrentWidget(TS_Language);
    CB_En_Con->setChecked(state.Enable_Internet);
    CB_Update->setChecked(state.Enable_Update);
    CB_Soft_Set_Jump_Table->setChecked(state.Enable_Jump_Field_Tables);
    CB_DoubleClick_Auto_Size->setChecked(state.Double_Click_Auto_Size);
}

void TFSoftOptions::Create_Lang_List()
{
    SL_Languages.clear();
    const QString dir = common::State().Language_Dir;
    if (!dir.isEmpty()) {
        // Every language file the loader can read is offered, whatever its permissions say
        // about writing (a language installed read-only is still a language). The match is
        // exact in letter case, as the loader looks the file up by the name shown plus ".lng".
        QDir languages(dir);
        languages.setNameFilters({QStringLiteral("*.lng")});
        languages.setFilter(QDir::Files | QDir::Hidden | QDir::Readable | QDir::CaseSensitive);
        const QFileInfoList files = languages.entryInfoList();
        for (const QFileInfo& f : files) {
            const QString name = f.fileName();
            if (name.endsWith(kLangExtension) && name.size() > kLangExtension.size() && f.isFile() && f.isReadable())
                SL_Languages.append(name);
        }
        std::sort(SL_Languages.begin(), SL_Languages.end(), [](const QString& a, const QString& b) {
            const int c = QString::compare(a, b, Qt::CaseInsensitive);
            return c != 0 ? c < 0 : a < b;
        });
    }
    Show_Page = 1;
    Update_Lang_Page(1);
}

int TFSoftOptions::pageCount() const
{
    return int((SL_Languages.size() + kSlotsPerPage - 1) / kSlotsPerPage);
}

void TFSoftOptions::showPageLines()
{
    L_Sel_Lang->setText(common::Lang_Text(304) + Language_In_Use);
    L_Page_Lang->setText(common::Lang_Text(305) + QString::number(Show_Page) + common::Lang_Text(306)
                         + QString::number(pageCount()));
}

void TFSoftOptions::Update_Lang_Page(int Num_Page)
{
    const int count = int(SL_Languages.size());
    const int pages = pageCount();
    L_Sel_Lang->setText(common::Lang_Text(304) + Language_In_Use);
    L_Page_Lang->setText(common::Lang_Text(305) + QString::number(Num_Page) + common::Lang_Text(306)
                         + QString::number(pages));
    Btn_Prev->setVisible(Num_Page != 1);
    // With no language files there is no page to go to either.
    Btn_Next->setVisible(Num_Page < pages);

    const int onPage = std::clamp(count - (Num_Page - 1) * kSlotsPerPage, 0, kSlotsPerPage);
    const QString dir = common::State().Language_Dir;
    for (int k = 0; k < kSlotsPerPage; ++k) {
        QLabel* picture = slotPictures_[k];
        QLabel* name = slotNames_[k];
        if (k >= onPage) {
            picture->setVisible(false);
            name->setVisible(false);
            continue;
        }
        QString language = SL_Languages.at((Num_Page - 1) * kSlotsPerPage + k);
        language.chop(kLangExtension.size());
        name->setText(language);
        name->setVisible(true);

        // The language's own flag, else the default flag, else no picture; a file that is no
        // readable picture counts as missing.
        QImage flag;
        for (const QString& file : {language + QStringLiteral(".bmp"), QStringLiteral("DefaultFlag.bmp")}) {
            const QString path = platform::joinPath(dir, file);
            if (platform::fileExists(path) && flag.load(path))
                break;
            flag = QImage();
        }
        picture->setPixmap(transparentFlag(flag));
        picture->setVisible(!flag.isNull());
    }
}

void TFSoftOptions::Btn_NextClick(QObject* Sender)
{
    if (Sender == Btn_Next) {
        if (pageCount() >= Show_Page + 1)
            ++Show_Page;
    } else if (Sender == Btn_Prev) {
        if (Show_Page > 1)
            --Show_Page;
    }
    Update_Lang_Page(Show_Page);
}

void TFSoftOptions::LangClick(QObject* Sender)
{
    int slot = -1;
    for (int k = 0; k < kSlotsPerPage; ++k)
        if (Sender == slotPictures_[k] || Sender == slotNames_[k])
            slot = k;
    const int index = (Show_Page - 1) * kSlotsPerPage + slot;
    if (slot < 0 || index >= SL_Languages.size())
        return;
    QString picked = SL_Languages.at(index);
    picked.chop(kLangExtension.size());

    const QString question =
        common::Lang_Text(316) + Language_In_Use + common::Lang_Text(317) + picked + common::Lang_Text(318);
    if (!services_.messages || !services_.messages->askYesNo(this, question))
        return;

    // The texts change now; the settings keep the old language until OK. The name is taken
    // over only with its texts: a file gone since the list was made leaves English, said so.
    common::TProgramState& state = common::State();
    const QString kept = state.Language_Name;
    state.Language_Name = picked;
    QString problem;
    common::Load_Language(state.Language_Dir, state.Language_Name, &problem);
    if (problem.isEmpty() && state.Language_Name != picked)
        problem = common::Lang_File_Error(platform::joinPath(state.Language_Dir, picked + kLangExtension),
                                          QStringLiteral("The file does not exist."));
    Language_In_Use = state.Language_Name;
    state.Language_Name = kept;
    if (!problem.isEmpty() && services_.messages)
        services_.messages->error(this, problem);

    if (Change_Language)
        Change_Language();
    else
        Set_Lang();
    showPageLines();
}

void TFSoftOptions::Update_CheckBox()
{
    CB_Update->setEnabled(CB_En_Con->isChecked());
    Btn_Check_Update->setEnabled(CB_Update->isEnabled() && CB_Update->isChecked());
}

void TFSoftOptions::CB_En_ConClick()
{
    Update_CheckBox();
}

void TFSoftOptions::Btn_OKClick()
{
    common::TProgramState& state = common::State();
    state.Language_Name = Language_In_Use;
    state.Enable_Internet = CB_En_Con->isChecked();
    // Taken as ticked even while the box is disabled: the timer rule needs both anyway.
    state.Enable_Update = CB_Update->isChecked();
    if (Set_Timer_Update_Enabled)
        Set_Timer_Update_Enabled(state.Enable_Internet && state.Enable_Update);
    state.Enable_Jump_Field_Tables = CB_Soft_Set_Jump_Table->isChecked();
    state.Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->isChecked();
    done(kModalOK);
}

bool TFSoftOptions::Check_Version()
{
    return app::Check_Version(services_.http, Version_Host, Version_Port);
}

void TFSoftOptions::Btn_Check_UpdateClick()
{
    if (Check_Version()) {
        LL_Check_Update->setTextFormat(Qt::RichText);
        LL_Check_Update->setText(Download_Link(common::Lang_Text(314)));
    } else {
        LL_Check_Update->setTextFormat(Qt::PlainText);
        LL_Check_Update->setText(common::Lang_Text(315));
    }
    LL_Check_Update->setVisible(true);
}

void TFSoftOptions::LL_Check_UpdateLinkClick(const QString& Link)
{
    if (services_.shell)
        services_.shell->openUrl(Link);
}

void TFSoftOptions::reject()
{
    // Cancel and the close box: nothing is taken over.
    done(kModalCancel);
}

bool TFSoftOptions::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int k = 0; k < kSlotsPerPage; ++k)
            if (watched == slotPictures_[k] || watched == slotNames_[k]) {
                LangClick(watched);
                return true;
            }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace app
