#include "gateway/UBoot.h"

#include "gateway/USaveBincc.h"

#include "common/GlyphButton.h"
#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/UFormParts.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "platform/Files.h"
#include "platform/IcmpEcho.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/Xml.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>

namespace gateway {

namespace {

// Texts of the window, by number in the text table.
constexpr int kTextCaption = 1602;
constexpr int kTextSubtitle = 1603;
constexpr int kTextIPAddress = 1606;
constexpr int kTextUpdateOption = 1614;
constexpr int kTextOptionItems[] = {1615, 1616, 1617};
constexpr int kTextReadBack = 1618;
constexpr int kTextCancel = 1619;
constexpr int kTextUpdate = 1620;
constexpr int kTextIPHints[] = {1621, 1622, 1623, 1624};
constexpr int kTextOptionsHint = 1632;
constexpr int kTextReadBackHint = 1633;
constexpr int kTextCancelHint = 1634;
constexpr int kTextUpdateHint = 1635;
constexpr int kTextNotFound = 1636;
constexpr int kTextCheckAddress = 1637;
constexpr int kTextNotStarted = 1658;
constexpr int kTextNoFirmware = 1659;

// ---- The job file ------------------------------------------------------------------------

// One file the updater loads, with the values that differ between the kinds.
struct OperationKind {
    const char* startAddress;
    const char* bankType;
    const char* writeCSS;
};
constexpr OperationKind kFirmwareOp{"0x8000", "1", "1"};
constexpr OperationKind kBank1Op{"0x07000", "2", "0"};
constexpr OperationKind kBank2Op{"0x80000", "2", "0"};

void addOperation(pugi::xml_node operations, const OperationKind& kind, const QString& fileName, bool readBack,
                  bool last)
{
    using platform::xml::addChild;
    pugi::xml_node op = addChild(operations, "Operation");
    addChild(op, "Ope_Protection_Enabled");
    addChild(op, "Ope_GoToBoot_Before", QStringLiteral("0"));
    addChild(op, "Ope_GoToApp_Before", QStringLiteral("0"));
    addChild(op, "Ope_IP_Address");
    addChild(op, "Ope_Port", QStringLiteral("2008"));
    addChild(op, "Ope_Port_Sec", QStringLiteral("2007"));
    addChild(op, "Ope_Erase_Memory", QStringLiteral("0"));
    addChild(op, "Ope_FileName", fileName);
    addChild(op, "Ope_Start_Address", QString::fromLatin1(kind.startAddress));
    addChild(op, "Ope_Memory_Type", QStringLiteral("0"));
    addChild(op, "Ope_Bank_Type", QString::fromLatin1(kind.bankType));
    addChild(op, "Ope_Read_Back", readBack ? QStringLiteral("1") : QStringLiteral("0"));
    addChild(op, "Ope_Write_CSS", QString::fromLatin1(kind.writeCSS));
    addChild(op, "Ope_Address_CSS", QStringLiteral("0x07A00"));
    addChild(op, "Ope_Command_CSS", QStringLiteral("0x02"));
    addChild(op, "Ope_Write_Internal_Data", QStringLiteral("0"));
    addChild(op, "Ope_WID_Address", QStringLiteral("0x07810"));
    addChild(op, "Ope_WID_Command", QStringLiteral("0x02"));
    addChild(op, "Ope_WID_Data", QStringLiteral("0x00, 0x00, 0x00, 0x01"));
    // The device returns to its application after the job's last file only.
    addChild(op, "Ope_GoToApp_After", last ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace

QByteArray Ethernet_Update_Job(const TBoot_Job& job)
{
    using platform::joinPath;
    using platform::xml::addChild;

    struct Planned {
        const OperationKind* kind;
        QString fileName;
    };
    const QString binDir = joinPath(job.Project_Dir, QString::fromLatin1(kBin_Folder));
    const Planned firmware{&kFirmwareOp, joinPath(job.Master_Dir, QString::fromLatin1(kFirmware_FileName))};
    const Planned bank1{&kBank1Op, joinPath(binDir, QString::fromLatin1(kBank1_FileName))};
    const Planned bank2{&kBank2Op, joinPath(binDir, QString::fromLatin1(kBank2_FileName))};
    std::vector<Planned> plan;
    switch (job.Update_Option) {
    case uoFirmware_And_Configuration:
        plan = {firmware, bank1, bank2};
        break;
    case uoFirmware:
        plan = {firmware};
        break;
    case uoConfiguration:
        plan = {bank1, bank2};
        break;
    default:
        break;
    }

    platform::xml::Document doc;
    pugi::xml_node root = doc.startPlain("Ethernet_Update");
    addChild(root, "Version", QStringLiteral("1000"));
    addChild(root, "Title", QString::fromLatin1(common::kMakerHost) + QStringLiteral(" - CT40517 Ethernet Update"));
    addChild(root, "IP_Address_Dev", job.IP_Address);
    addChild(root, "Application_Port", QStringLiteral("10000"));
    addChild(root, "Boot_Port", QStringLiteral("2008"));
    addChild(root, "Boot_Port_Sec", QStringLiteral("2007"));
    addChild(root, "Address_Protection", QStringLiteral("0x07800"));
    addChild(addChild(root, "Protections"), "Protection", QStringLiteral("0x6D1"));
    pugi::xml_node operations = addChild(root, "Operations");
    for (size_t i = 0; i < plan.size(); ++i)
        addOperation(operations, *plan[i].kind, plan[i].fileName, job.Read_Back, i + 1 == plan.size());
    return doc.toBytes();
}

// ---- The window --------------------------------------------------------------------------

TFBoot::TFBoot(platform::Services& services, QWidget* parent, platform::ReachabilityClock* clock)
    : common::TQvForm(services, parent), clock_(clock)
{
    setObjectName(QStringLiteral("FBoot"));
    if (!clock_) {
        ownClock_ = std::make_unique<platform::UiReachabilityClock>();
        clock_ = ownClock_.get();
    }
    buildFrame();
    Set_Lang();
    layOutEthernet();
}

TFBoot::~TFBoot() = default;

void TFBoot::buildFrame()
{
    // The column stacks the panels top-down and sizes the window to them: 449 wide, as high as
    // the title, address, options and button panels together.
    common::TFramePlan frame =
        common::Application_Frame({kClientWidth, 0},
                                  {{"Btn_Update", &Btn_Update, QRect(150, 6, 180, 28)},
                                   {"Btn_Cancel", nullptr, QRect(338, 6, 104, 28), kModalCancel}},
                                  42);
    frame.body = common::TFrameBody::Column;
    frame.sizing = common::TFrameSizing::FitContents;
    QVBoxLayout* column = Build_Frame(frame);

    auto panel = [this, column](const char* name, int height) {
        auto* p = new QWidget(this);
        p->setObjectName(QString::fromLatin1(name));
        p->setFixedSize(kClientWidth, height);
        column->addWidget(p);
        return p;
    };
    auto label = [](QWidget* owner, const char* name, const QRect& at) {
        auto* l = new QLabel(owner);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(at);
        return l;
    };

    P_IP_Address = panel("P_IP_Address", kIPAddressHeight);
    L_IP_Address = label(P_IP_Address, "L_IP_Address", QRect(16, 6, kClientWidth - 32, 18));
    QLineEdit** edits[4] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
    QLabel** dots[3] = {&Label2, &Label3, &Label4};
    for (int k = 0; k < 4; ++k) {
        auto* e = new QLineEdit(QStringLiteral("0"), P_IP_Address);
        e->setObjectName(QStringLiteral("E_IP%1").arg(k + 1));
        e->setGeometry(16 + 56 * k, 30, 44, 22);
        e->installEventFilter(this);
        *edits[k] = e;
        if (k < 3) {
            QLabel* dot = label(P_IP_Address, "", QRect(62 + 56 * k, 30, 8, 22));
            dot->setObjectName(QStringLiteral("Label%1").arg(k + 2));
            dot->setText(QStringLiteral("."));
            *dots[k] = dot;
        }
    }

    P_Options = panel("P_Options", kOptionsHeight);
    L_Update_Option = label(P_Options, "L_Update_Option", QRect(16, 6, kClientWidth - 32, 18));
    CB_Update_Options = new QComboBox(P_Options);
    CB_Update_Options->setObjectName(QStringLiteral("CB_Update_Options"));
    CB_Update_Options->setEditable(false);
    CB_Update_Options->setGeometry(16, 30, 250, 24);
    CB_Update_Option_Read_Back = new QCheckBox(P_Options);
    CB_Update_Option_Read_Back->setObjectName(QStringLiteral("CB_Update_Option_Read_Back"));
    CB_Update_Option_Read_Back->setGeometry(284, 30, kClientWidth - 300, 24);
    CB_Update_Option_Read_Back->setChecked(true);

    connect(Btn_Update, &TGlyphButton::OnClick, this, &TFBoot::Btn_UpdateClick);
}

void TFBoot::layOutEthernet()
{
    P_IP_Address->show();
    P_Options->show();
    // The layout stacks the panels top-down and sizes the window to them: 449 wide, as high as
    // the title, address, options and button panels together.
    QWidget* chain[] = {E_IP1,      E_IP2,     E_IP3, E_IP4, CB_Update_Options, CB_Update_Option_Read_Back,
                        Btn_Update, Btn_Cancel};
    for (size_t i = 1; i < std::size(chain); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    adjustSize();
}

void TFBoot::Set_Lang()
{
    setWindowTitle(common::Lang_Text(kTextCaption));
    L_SW_Desc->setText(common::Lang_Text(kTextSubtitle));
    L_IP_Address->setText(common::Lang_Text(kTextIPAddress));
    const auto edits = boxes();
    for (int k = 0; k < 4; ++k)
        edits[k]->setToolTip(common::Lang_Text(kTextIPHints[k]));
    L_Update_Option->setText(common::Lang_Text(kTextUpdateOption));
    CB_Update_Options->clear();
    for (int number : kTextOptionItems)
        CB_Update_Options->addItem(common::Lang_Text(number));
    CB_Update_Options->setCurrentIndex(0);
    CB_Update_Options->setToolTip(common::Lang_Text(kTextOptionsHint));
    CB_Update_Option_Read_Back->setText(common::Lang_Text(kTextReadBack));
    CB_Update_Option_Read_Back->setToolTip(common::Lang_Text(kTextReadBackHint));
    Btn_Cancel->setCaption(common::Lang_Text(kTextCancel));
    Btn_Cancel->setToolTip(common::Lang_Text(kTextCancelHint));
    Btn_Update->setCaption(common::Lang_Text(kTextUpdate));
    Btn_Update->setToolTip(common::Lang_Text(kTextUpdateHint));
}

void TFBoot::FormShow()
{
    const common::TProgramState& state = common::State();
    Set_Lang();
    L_SW_Code->setText(state.SW_Code);
    layOutEthernet();

    // The parts go through temporaries: a refused address must leave every box as it was.
    QString a, b, c, d;
    if (!state.Last_IP_Address.isEmpty() && common::Split_IP_Address(state.Last_IP_Address, a, b, c, d)) {
        E_IP1->setText(a);
        E_IP2->setText(b);
        E_IP3->setText(c);
        E_IP4->setText(d);
    }
    const int option = state.Update_Option;
    CB_Update_Options->setCurrentIndex(option >= 0 && option < CB_Update_Options->count() ? option : 0);
    CB_Update_Option_Read_Back->setChecked(state.Read_Back);
    if (E_IP1->isVisibleTo(this) && E_IP1->isEnabled()) {
        E_IP1->setFocus(Qt::TabFocusReason);
        E_IP1->selectAll();
    }
}

QString TFBoot::IP_Address_Text() const
{
    return QStringList{E_IP1->text(), E_IP2->text(), E_IP3->text(), E_IP4->text()}.join(QLatin1Char('.'));
}

bool TFBoot::IP_Boxes_Valid() const
{
    for (const QLineEdit* e : boxes()) {
        const QString t = e->text();
        if (t.isEmpty() || t.size() > 3)
            return false;
        for (QChar ch : t)
            if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
                return false;
        if (t.toInt() > 255)
            return false;
    }
    return true;
}

bool TFBoot::Send_Ping()
{
    ping_res = 0;
    if (!services_.echo)
        return false;
    // Window messages keep coming between tries: a second click must not start a second test,
    // and the address and choices must stay those the test was run for.
    testing_ = true;
    const QPointer<QWidget> hadFocus = focusWidget();
    QWidget* frozen[] = {P_IP_Address, P_Options, Btn_Update};
    for (QWidget* w : frozen)
        w->setEnabled(false);
    const platform::ReachabilityResult result =
        platform::runReachabilityTest(*services_.echo, IP_Address_Text(), *clock_);
    for (QWidget* w : frozen)
        w->setEnabled(true);
    if (hadFocus && isVisible())
        hadFocus->setFocus(Qt::OtherFocusReason);
    testing_ = false;
    ping_res = result.ping_res;
    return result.reached;
}

void TFBoot::Btn_UpdateClick()
{
    if (testing_)
        return;
    // An address the boxes cannot make is refused before anything is sent, so no echo (and no
    // job) ever goes to a half-typed or out-of-range address.
    if (!IP_Boxes_Valid()) {
        ping_res = 0;
        if (services_.messages)
            services_.messages->error(this, common::Lang_Text(kTextCheckAddress));
        return;
    }
    if (!Firmware_Present())
        return;
    closedWhileTesting_ = false;
    const bool reached = Send_Ping();
    // Cancel during the test means the user no longer wants this update.
    if (closedWhileTesting_)
        return;
    if (!reached) {
        if (services_.messages) {
            if (ping_res == 2)
                services_.messages->show(this, common::Lang_Text(kTextNotFound), QString(), platform::MsgIcon::Warning,
                                         platform::MsgButtons::Ok);
            else
                services_.messages->error(this, common::Lang_Text(kTextCheckAddress));
        }
        return;
    }

    common::TProgramState& state = common::State();
    state.Last_IP_Address = IP_Address_Text();
    state.Update_Option = CB_Update_Options->currentIndex();
    state.Read_Back = CB_Update_Option_Read_Back->isChecked();

    // Without its job file the updater would run an older job, perhaps for another device or
    // project: report it and start nothing.
    QString error;
    if (!Compile_XML_Parameter_New_Boot(&error)) {
        if (services_.messages)
            services_.messages->error(this, error);
        return;
    }
    runUpdater();
}

bool TFBoot::Compile_XML_Parameter_New_Boot(QString* error)
{
    const common::TProgramState& state = common::State();
    TBoot_Job job;
    job.IP_Address = IP_Address_Text();
    job.Update_Option = CB_Update_Options->currentIndex();
    job.Read_Back = CB_Update_Option_Read_Back->isChecked();
    job.Master_Dir = state.Master_Dir;
    job.Project_Dir = state.Project_Dir;
    const QString path = platform::joinPath(state.Exe_Dir, QString::fromLatin1(kJob_FileName));
    QString why;
    if (platform::replaceFile(path, Ethernet_Update_Job(job), &why))
        return true;
    if (error)
        *error = QStringLiteral("Cannot write %1: %2. The device was not updated.").arg(path, why);
    return false;
}

bool TFBoot::Firmware_Present()
{
    // Without its image the updater could only fail once the device is in its boot loader;
    // the user learns it before anything is sent.
    const int option = CB_Update_Options->currentIndex();
    if (option != uoFirmware_And_Configuration && option != uoFirmware)
        return true;
    const QString image = platform::joinPath(common::State().Master_Dir, QString::fromLatin1(kFirmware_FileName));
    if (platform::fileExists(image))
        return true;
    if (services_.messages)
        services_.messages->error(this, common::Lang_Text(kTextNoFirmware) + image);
    return false;
}

void TFBoot::runUpdater()
{
    const QString program = platform::joinPath(common::State().Exe_Dir, QString::fromLatin1(kUpdater_FileName));
    platform::RunOutcome outcome = platform::RunOutcome::NotStarted;
    if (Start_Program) {
        outcome = Start_Program(program, QString(), 0);
    } else if (services_.shell) {
        platform::RunRequest request;
        request.program = program;
        outcome = services_.shell->runAndWait(request);
    }
    // The updater's exit code says nothing this program can act on; only a start that failed
    // is reported, so the user does not wait for an update that never began.
    if (outcome == platform::RunOutcome::NotStarted && services_.messages)
        services_.messages->error(this, common::Lang_Text(kTextNotStarted) + program);
}

void TFBoot::done(int r)
{
    if (testing_)
        closedWhileTesting_ = true;
    QDialog::done(r);
}

void TFBoot::reject()
{
    done(kModalCancel);
}

bool TFBoot::KeyPress(QLineEdit* sender)
{
    const auto edits = boxes();
    for (int k = 0; k < 3; ++k) {
        if (edits[k] != sender)
            continue;
        QLineEdit* next = edits[k + 1];
        if (next->isVisible() && next->isEnabled())
            next->setFocus(Qt::TabFocusReason);
    }
    return true;
}

bool TFBoot::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->text() == QLatin1String(".")) {
        for (QLineEdit* e : boxes())
            if (watched == e)
                return KeyPress(e);
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace gateway
