#include "app/UQuorvantiseFirmWare.h"

#include "app/UAbout.h"
#include "app/UForms.h"
#include "app/UOpenConf.h"
#include "app/USoftOptions.h"
#include "common/GlyphButton.h"
#include "common/UComonState.h"
#include "common/UFormParts.h"
#include "common/ULanguage.h"
#include "gateway/UBoot.h"
#include "gateway/UIOLinkSlaveIODD.h"
#include "gateway/USaveBincc.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "protocols/fieldbus/ethercat/UEtherCAT_ESI_File.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QPainter>

namespace {

using common::Lang_Str;
using common::State;

using common::kMakerHost;

constexpr int kStepButtonWidth = 170;
constexpr int kStepButtonHeight = 36;
constexpr platform::TColor kPressedColor = 33023; // orange while pressed

// One row per button: texts by number (-1: none), place in this build, whether it needs an
// open project, and the window it opens (empty: an action of this window).
struct ButtonRow {
    const char* name;
    int caption;
    int hint;
    int top;
    int left;
    bool shown;
    bool needsProject;
    const char* window;
};

constexpr ButtonRow kButtons[] = {
    {"Btn_New", 15, 22, 112, 80, true, false, ""},
    {"Btn_Open", 16, 23, 112, 258, true, false, ""},
    {"Btn_Close", -1, 14, 8, 632, true, false, ""},
    {"Btn_Info", -1, 12, 8, 516, true, false, "FAbout"},
    {"Btn_Opz", -1, 13, 8, 574, true, false, "FSoftOptions"},
    {"Btn_Prm_Gen", 20, 24, 156, 80, true, true, "FParGen"},
    {"Btn_IOLink_Set_Access", 21, 25, 200, 80, true, true, "FIOLinkSlave"},
    {"Btn_DNet_Net", 51, 52, 244, 80, true, true, "FDNet"},
    {"Btn_DNet_Offset", 53, 54, 244, 258, true, true, "FDefOffset"},
    {"Btn_IOLink_IODD", 26, 27, 288, 80, true, true, ""},
    {"Btn_CreateBin", 17, -1, 332, 80, true, true, ""},
    {"Btn_Modbus_Set_Access", 28, 29, 0, 0, false, true, "FModbus_TCP_Master_Set_Access"},
    {"Btn_BACnet_SetAccess", 30, 31, 0, 0, false, true, "FBACnetAccess"},
    {"Btn_BACnet_EDE_File", 32, 33, 0, 0, false, true, ""},
    {"Btn_CAN_Rec_Frame", 35, 36, 0, 0, false, true, "FReceiveCAN"},
    {"Btn_CAN_Send_Frame", 37, 38, 0, 0, false, true, "FTransmitCAN"},
    {"Btn_PDO_CANopen", 47, 48, 0, 0, false, true, "FSet_PDO_Access"},
    {"Btn_SDO_Client_CANopen", 45, 46, 0, 0, false, true, "FSet_SDO_Client_Access"},
    {"Btn_SDO_Server_CANopen", 43, 44, 0, 0, false, true, "FSet_SDO_Server_Access"},
    {"Btn_CANopen_EDS", 49, 50, 0, 0, false, true, ""},
    {"Btn_EtherCAT_Set_Access", 55, 56, 0, 0, false, true, "FEtherCATSlave"},
    {"Btn_EtherCAT_ESI_File", 57, 58, 0, 0, false, true, ""},
    {"Btn_EtherNetIP_Access", 81, 82, 0, 0, false, true, "FEtherNetIP_Master_Access"},
    {"Btn_IEC61850_Client", 59, 60, 0, 0, false, true, "FIEC_61850_Access"},
    {"Btn_TLS_List_Certificates", 63, 64, 0, 0, false, true, "FTLS_Server_Known_Cert"},
    {"Btn_IEC61850_Access", 61, 62, 0, 0, false, true, "FIEC61850_Variables"},
    {"Btn_MQTT_Set_Topic", 65, 66, 0, 0, false, true, "FMQTT_Set_Topic"},
    {"Btn_OPC_UA_Client_Access", 67, 68, 0, 0, false, true, "FOPC_UA_Client_Access"},
    {"Btn_OPC_UA_Server_Access", 69, 70, 0, 0, false, true, "FOPC_UA_Server_Access"},
    {"Btn_PROFINET_XML", 71, 72, 0, 0, false, true, ""},
    {"Btn_S7_Protocol_Access", 73, 74, 0, 0, false, true, "FS7_Protocol_Set_Access"},
    {"Btn_SNMP_Manager_Access", 75, 76, 0, 0, false, true, "FSNMPManagerAccess"},
    {"Btn_SNMP_Trap", 77, 78, 0, 0, false, true, "FSNMP_Trap_Access"},
    {"Btn_SNMP_MIB", 79, 80, 0, 0, false, true, ""},
};

// Pictures of the three title buttons, drawn here: a 32 x 32 cell whose lower-left pixel
// (magenta) is the see-through colour.
QImage titleGlyph(const QString& name)
{
    QImage img(32, 32, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor ink(90, 90, 90);
    p.setPen(QPen(ink, 3));
    if (name == QLatin1String("Btn_Info")) {
        p.drawEllipse(4, 4, 23, 23);
        p.fillRect(14, 13, 4, 10, ink);
        p.fillRect(14, 8, 4, 3, ink);
    } else if (name == QLatin1String("Btn_Opz")) {
        for (int y : {9, 16, 23})
            p.drawLine(5, y, 26, y);
        p.fillRect(9, 7, 4, 5, ink);
        p.fillRect(19, 14, 4, 5, ink);
        p.fillRect(12, 21, 4, 5, ink);
    } else {
        p.drawLine(7, 7, 24, 24);
        p.drawLine(24, 7, 7, 24);
    }
    return img;
}

QLabel* makeLabel(QWidget* parent, const char* name, int left, int top, int pointSize = 8, bool bold = false)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    // The project's name is the user's text: "<B>" in it is shown, not obeyed.
    label->setTextFormat(Qt::PlainText);
    QFont f = label->font();
    f.setPointSize(pointSize);
    f.setBold(bold);
    label->setFont(f);
    label->setStyleSheet(QStringLiteral("color: grey"));
    label->move(left, top);
    return label;
}

} // namespace

TFQuorvantiseFirmWare::TFQuorvantiseFirmWare(platform::Services& services, QWidget* parent)
    : QWidget(parent), services_(services)
{
    setObjectName(QStringLiteral("FQuorvantiseFirmWare"));
    Generators.Create_ESI_File = [this] { fieldbus::Create_ESI_File(this, services_); };
    FormCreate();
}

TFQuorvantiseFirmWare::~TFQuorvantiseFirmWare() = default;

void TFQuorvantiseFirmWare::FormCreate()
{
    auto& s = State();
    // 1. The text table exists from here on; it is filled by the language load below.
    Lang_Str().clear();

    // 2. This gateway's layout.
    Lay_Out_For_Gateway();

    // 3.-5. Workspace folders and settings file.
    if (s.Exe_Dir.isEmpty())
        s.Exe_Dir = QCoreApplication::applicationDirPath();
    common::Make_Workspace_Dirs(s);
    s.Project_Name.clear();
    s.Read_Back = true;
    common::Read_Setting(s);

    // 6. Version-query timer.
    Timer_Update.setInterval(60000);
    connect(&Timer_Update, &QTimer::timeout, this, &TFQuorvantiseFirmWare::Timer_UpdateTimer);
    Apply_Timer_Rule();

    // 7. Title texts.
    s.SW_Code = QLatin1String(common::kSW_Code);
    s.SW_Description = QLatin1String(common::kSW_Description);
    s.Main_Caption = QStringLiteral("%1 - Configurator %2 - IO-Link Slave / DeviceNet Master ")
                         .arg(QLatin1String(common::kMakerName), s.SW_Code);
    setWindowTitle(s.Main_Caption);
    L_SW_Code->setText(s.SW_Code);
    L_SW_Code->adjustSize();
    L_SW_Desc->setText(s.SW_Description);
    L_SW_Desc->adjustSize();

    // 8. Language.
    // A language file that is there but cannot be read is named; a missing one is not.
    QString languageProblem;
    if (!common::Load_Language(s.Language_Dir, s.Language_Name, &languageProblem) && services_.messages)
        services_.messages->error(this, languageProblem);

    // 9. Reopen the last project when its folder is still there; the name is kept either way.
    const QString last = platform::joinPath(s.Projects_Dir, s.Project_Name);
    s.Project_Dir = !s.Project_Name.isEmpty() && platform::dirExists(last) ? last : QString();

    // 10.-12.
    Set_Lang();
    common::Set_Files(s);
    s.Copy_Str.clear();
    s.Copy_Is_Check.clear();
    s.SNMP_Read_Desc.clear();
    s.SNMP_Write_Desc.clear();
}

void TFQuorvantiseFirmWare::Lay_Out_For_Gateway()
{
    setFixedSize(694, 332 + 152);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(248, 247, 237));
    setPalette(pal);
    QFont f(QStringLiteral("Verdana"));
    f.setPointSize(8);
    setFont(f);

    L_SW_Code = makeLabel(this, "L_SW_Code", 16, 8, 24);
    L_SW_Desc = makeLabel(this, "L_SW_Desc", 16, 42, 8, true);

    Shape2 = new QFrame(this);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setStyleSheet(QStringLiteral("border: 1px solid silver; background: transparent"));
    Shape2->setGeometry(80, 70, 348, 34);
    L_Name_Conf = makeLabel(this, "L_Name_Conf", 87, 75);
    L_Name_Conf_L2 = makeLabel(this, "L_Name_Conf_L2", 87, 88);
    L_Begin = makeLabel(this, "L_Begin", 16, 84, 8, true);

    const int stepTops[] = {128, 172, 216, 260, 304, 348, 392, 436};
    for (int i = 0; i < 8; ++i) {
        QLabel* step = makeLabel(this, "", 16, stepTops[i], 8, true);
        step->setObjectName(QStringLiteral("L_Step_%1").arg(i + 1));
        step->setVisible(i < 6);
        L_Step.append(step);
    }

    L_Norvix = makeLabel(this, "L_Norvix", 565, stepTops[5], 8, true);
    L_Norvix->setText(QLatin1String(kMakerHost));
    L_Norvix->adjustSize();
    L_Norvix->setCursor(Qt::PointingHandCursor);
    connect(L_Norvix, &QLabel::linkActivated, this, [this] { L_NorvixClick(); });
    L_Norvix->setTextFormat(Qt::RichText);
    L_Norvix->setText(QStringLiteral("<a href=\"home\" style=\"color: grey; text-decoration: none\">%1</a>")
                          .arg(QLatin1String(kMakerHost)));

    LL_Update = new QLabel(this);
    LL_Update->setObjectName(QStringLiteral("LL_Update"));
    LL_Update->move(208, 19);
    LL_Update->setTextFormat(Qt::RichText);
    LL_Update->hide();
    connect(LL_Update, &QLabel::linkActivated, this, &TFQuorvantiseFirmWare::LL_UpdateLinkClick);

    for (const ButtonRow& row : kButtons) {
        auto* b = new TGlyphButton(this);
        const QString name = QLatin1String(row.name);
        b->setObjectName(name);
        const bool titleRow = row.caption < 0 && row.top == 8;
        if (titleRow) {
            b->setGeometry(row.left, row.top, 50, 50);
            b->setGlyph(titleGlyph(name));
            b->setNumGlyphs(1);
        } else {
            b->setGeometry(row.left, row.top, kStepButtonWidth, kStepButtonHeight);
            b->setAlignment(Qt::AlignLeft);
        }
        b->setColorWhenDown(kPressedColor);
        b->setVisible(row.shown);
        connect(b, &TGlyphButton::OnClick, this, [this, name] { Btn_Click(name); });
        buttons_.insert(name, b);
    }

    // The rule under the last step: 51 pixels below the top of the update button.
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setStyleSheet(QStringLiteral("background: silver"));
    Shape1->setGeometry(10, 332 + 51, 674, 1);
}

void TFQuorvantiseFirmWare::Show_Project_Box()
{
    const auto& s = State();
    if (!s.Project_Dir.isEmpty()) {
        L_Name_Conf->setText(common::Lang_Text(11));
        L_Name_Conf_L2->setText(s.Project_Name);
    } else {
        L_Name_Conf->setText(common::Lang_Text(9));
        L_Name_Conf_L2->setText(common::Lang_Text(10));
    }
    L_Name_Conf->adjustSize();
    L_Name_Conf_L2->adjustSize();
}

void TFQuorvantiseFirmWare::Set_Lang()
{
    L_Begin->setText(common::Lang_Text(0));
    L_Begin->adjustSize();
    for (int i = 0; i < L_Step.size(); ++i) {
        L_Step[i]->setText(common::Lang_Text(i + 1));
        L_Step[i]->adjustSize();
    }
    for (const ButtonRow& row : kButtons) {
        TGlyphButton* b = buttons_.value(QLatin1String(row.name));
        if (row.caption >= 0)
            b->setCaption(common::Lang_Text(row.caption));
        b->setToolTip(row.hint >= 0 ? common::Lang_Text(row.hint) : QString());
    }
    Show_Project_Box();
}

void TFQuorvantiseFirmWare::Change_Language()
{
    Set_Lang();
    Forms().Set_Lang_All();
}

void TFQuorvantiseFirmWare::Apply_Timer_Rule()
{
    const auto& s = State();
    if (s.Enable_Internet && s.Enable_Update) {
        if (!Timer_Update.isActive())
            Timer_Update.start();
    } else {
        Timer_Update.stop();
    }
}

void TFQuorvantiseFirmWare::Btn_Click(const QString& name)
{
    const ButtonRow* row = nullptr;
    for (const ButtonRow& r : kButtons)
        if (name == QLatin1String(r.name))
            row = &r;
    if (!row)
        return;
    if (row->needsProject && State().Project_Dir.isEmpty()) {
        services_.messages->error(this, common::Lang_Text(18));
        return;
    }
    if (name == QLatin1String("Btn_New")) {
        Create_New_Project();
    } else if (name == QLatin1String("Btn_Open")) {
        Open_Project();
    } else if (name == QLatin1String("Btn_Close")) {
        close();
    } else if (name == QLatin1String("Btn_Opz")) {
        if (Forms().ShowModal(QStringLiteral("FSoftOptions")) == 1) {
            QString error;
            if (!common::Save_Setting(State(), &error))
                services_.messages->error(this, error);
            Apply_Timer_Rule();
        }
    } else if (name == QLatin1String("Btn_CreateBin")) {
        Update_Device();
    } else if (name == QLatin1String("Btn_IOLink_IODD")) {
        Create_IODD();
    } else if (name == QLatin1String("Btn_CANopen_EDS")) {
        Build_EDS_File();
    } else if (name == QLatin1String("Btn_BACnet_EDE_File")) {
        BACnet_EDE_File();
    } else if (name == QLatin1String("Btn_PROFINET_XML")) {
        PROFINET_XML();
    } else if (name == QLatin1String("Btn_EtherCAT_ESI_File")) {
        if (Generators.Create_ESI_File)
            Generators.Create_ESI_File();
    } else if (name == QLatin1String("Btn_SNMP_MIB")) {
        if (Generators.Create_MIB_File)
            Generators.Create_MIB_File();
    } else if (*row->window) {
        // The configuration windows' results are not looked at.
        Forms().ShowModal(QLatin1String(row->window));
    }
}

void TFQuorvantiseFirmWare::Create_New_Project()
{
    if (Forms().ShowModal(QStringLiteral("FNew_Project")) == 1)
        Show_Project_Box();
}

void TFQuorvantiseFirmWare::Open_Project()
{
    if (Forms().ShowModal(QStringLiteral("FOpenConf")) != 1)
        return;
    auto& s = State();
    const auto* open = qobject_cast<app::TFOpenConf*>(Forms().Find(QStringLiteral("FOpenConf"))->window);
    s.Project_Name = open ? open->Name_Conf : QString();
    // The chosen folder is not looked up again: one deleted meanwhile opens all the same.
    s.Project_Dir = s.Project_Name.isEmpty() ? QString() : platform::joinPath(s.Projects_Dir, s.Project_Name);
    common::Set_Files(s);
    Show_Project_Box();
}

void TFQuorvantiseFirmWare::Update_Device()
{
    // A bank that cannot be built or written is reported and the update window stays shut,
    // so no stale image is ever sent to the device.
    gateway::TSaveBincc image(State());
    gateway::TBin_Error error = image.Compile_Bin();
    if (!error)
        error = image.Save_Bin();
    if (error) {
        services_.messages->error(this, *error);
        return;
    }
    if (auto* boot = qobject_cast<gateway::TFBoot*>(Forms().Find(QStringLiteral("FBoot"))->window))
        boot->Form_Type = 1; // the Ethernet layout
    Forms().ShowModal(QStringLiteral("FBoot"));
}

void TFQuorvantiseFirmWare::Create_IODD()
{
    gateway::Create_IODD(this, {services_.dialogs, services_.messages, {}});
}

void TFQuorvantiseFirmWare::Build_EDS_File()
{
    const QString fileName = services_.dialogs->saveFileName(this, QString(), State().Project_Dir,
                                                             QStringLiteral("Electronic Data Sheet (*.eds)"));
    if (fileName.isEmpty())
        return;
    // The dialog's filter supplies the extension; an existing file is replaced without asking.
    // Only the file's own name counts: a dot in a folder name is no extension.
    const QString withExtension = QFileInfo(fileName).suffix().isEmpty() ? fileName + QStringLiteral(".eds") : fileName;
    if (Generators.Write_EDS_File)
        Generators.Write_EDS_File(withExtension);
}

void TFQuorvantiseFirmWare::BACnet_EDE_File()
{
    QString fileName =
        services_.dialogs->saveFileName(this, QString(), State().Project_Dir, QStringLiteral("CSV (MS-DOS) (*.csv)"));
    if (fileName.isEmpty())
        return;
    if (fileName.right(4).toUpper() != QLatin1String(".CSV"))
        fileName += QStringLiteral(".csv");
    if (platform::fileExists(fileName)
        && services_.messages->askYesNoCancel(this, common::Lang_Text(34)) != platform::MsgResult::Yes)
        return;
    if (Generators.Create_EDE_File)
        Generators.Create_EDE_File(fileName);
}

void TFQuorvantiseFirmWare::PROFINET_XML()
{
    if (Forms().ShowModal(QStringLiteral("FProfinetFileName")) != 1)
        return;
    const QWidget* picker = Forms().Find(QStringLiteral("FProfinetFileName"))->window;
    if (Generators.Create_GSDML_File)
        Generators.Create_GSDML_File(picker->property("Name_File_XML").toString());
}

platform::RunOutcome TFQuorvantiseFirmWare::Start_Program(const QString& NomeSW, const QString& Parameter, int tipo)
{
    platform::RunRequest request;
    request.program = NomeSW;
    request.parameters = Parameter;
    request.hidden = tipo != 0;
    request.limitMs = platform::kUpdaterWaitLimitMs;
    return services_.shell->runAndWait(request);
}

void TFQuorvantiseFirmWare::Timer_UpdateTimer()
{
    Timer_Update.stop();
    const bool newer = Check_Version && Check_Version();
    if (newer) {
        LL_Update->setText(app::Download_Link(common::Lang_Text(19)));
        LL_Update->adjustSize();
        LL_Update->show();
    } else {
        LL_Update->hide();
    }
    Timer_Update.setInterval(7200000);
    Timer_Update.start();
}

void TFQuorvantiseFirmWare::L_NorvixClick()
{
    services_.shell->openUrl(app::Home_Page_Address());
}

void TFQuorvantiseFirmWare::LL_UpdateLinkClick(const QString& link)
{
    services_.shell->openUrl(link);
}

void TFQuorvantiseFirmWare::closeEvent(QCloseEvent* e)
{
    // FormClose: the settings file is the only thing saved on exit.
    QString error;
    if (!common::Save_Setting(State(), &error))
        services_.messages->error(this, error);
    e->accept();
    emit closed();
}
