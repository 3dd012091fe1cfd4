#include "gateway/UParGen.h"

#include "gateway/CategoryPanelGroup.h"
#include "gateway/UParGenFile.h"
#include "gateway/UParGenLayout.h"
#include "gateway/UValueLimits.h"

#include "common/GlyphButton.h"
#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/UFormParts.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "platform/Xml.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace gateway {

using pargen_layout::ParGen_Text;
using pargen_layout::ParGenPanels;

namespace {

// Validation of OK, in the order the checks run; the first failure is the only one shown.
enum class When { Always, DnsTicked, GatewayTicked };
struct Rule {
    When when;
    const char* field;
    int min;
    int max;
    int text;
};
constexpr TValue_Range kByte = limits::Octet;
constexpr TValue_Range kNode = limits::DNet_ID;
// clang-format off
const Rule kRules[] = {
    {When::DnsTicked,     "E_EthConn_Pri_DNS_IP1",       kByte.min, kByte.max, 1405},
    {When::DnsTicked,     "E_EthConn_Pri_DNS_IP2",       kByte.min, kByte.max, 1406},
    {When::DnsTicked,     "E_EthConn_Pri_DNS_IP3",       kByte.min, kByte.max, 1407},
    {When::DnsTicked,     "E_EthConn_Pri_DNS_IP4",       kByte.min, kByte.max, 1408},
    {When::DnsTicked,     "E_EthConn_Sec_DNS_IP1",       kByte.min, kByte.max, 1409},
    {When::DnsTicked,     "E_EthConn_Sec_DNS_IP2",       kByte.min, kByte.max, 1410},
    {When::DnsTicked,     "E_EthConn_Sec_DNS_IP3",       kByte.min, kByte.max, 1411},
    {When::DnsTicked,     "E_EthConn_Sec_DNS_IP4",       kByte.min, kByte.max, 1412},
    {When::Always,        "E_DeviceNet_Master_IDDevice", kNode.min, kNode.max, 1127},
    {When::Always,        "E_Ethernet_IP1",              kByte.min, kByte.max, 1134},
    {When::Always,        "E_Ethernet_IP2",              kByte.min, kByte.max, 1135},
    {When::Always,        "E_Ethernet_IP3",              kByte.min, kByte.max, 1136},
    {When::Always,        "E_Ethernet_IP4",              kByte.min, kByte.max, 1137},
    {When::Always,        "E_Ethernet_SM1",              kByte.min, kByte.max, 1138},
    {When::Always,        "E_Ethernet_SM2",              kByte.min, kByte.max, 1139},
    {When::Always,        "E_Ethernet_SM3",              kByte.min, kByte.max, 1140},
    {When::Always,        "E_Ethernet_SM4",              kByte.min, kByte.max, 1141},
    {When::GatewayTicked, "E_Ethernet_GAT1",             kByte.min, kByte.max, 1142},
    {When::GatewayTicked, "E_Ethernet_GAT2",             kByte.min, kByte.max, 1143},
    {When::GatewayTicked, "E_Ethernet_GAT3",             kByte.min, kByte.max, 1144},
    {When::GatewayTicked, "E_Ethernet_GAT4",             kByte.min, kByte.max, 1145},
};

// The dot key moves along these chains; the last field of each has no successor.
const std::vector<const char*> kDotChains[] = {
    {"E_EthConn_Pri_DNS_IP1", "E_EthConn_Pri_DNS_IP2", "E_EthConn_Pri_DNS_IP3", "E_EthConn_Pri_DNS_IP4",
     "E_EthConn_Sec_DNS_IP1", "E_EthConn_Sec_DNS_IP2", "E_EthConn_Sec_DNS_IP3", "E_EthConn_Sec_DNS_IP4"},
    {"E_Ethernet_IP1", "E_Ethernet_IP2", "E_Ethernet_IP3", "E_Ethernet_IP4",
     "E_Ethernet_SM1", "E_Ethernet_SM2", "E_Ethernet_SM3", "E_Ethernet_SM4",
     "E_Ethernet_GAT1", "E_Ethernet_GAT2", "E_Ethernet_GAT3", "E_Ethernet_GAT4"},
};
// clang-format on

// Window texts besides the rows'.
constexpr int kTextCaption = 400;
constexpr int kTextSubtitle = 401;
constexpr int kTextOK = 402;
constexpr int kTextCancel = 403;
constexpr int kTextOKHint = 404;
constexpr int kTextCancelHint = 405;
// Refusal of a device name the device cannot store as typed.
constexpr int kText_Device_Name_Characters = 1490;

bool isByteField(const QObject* o)
{
    for (const auto& chain : kDotChains)
        for (const char* name : chain)
            if (o->objectName() == QLatin1String(name))
                return true;
    return false;
}

} // namespace

TFParGen::TFParGen(platform::Services& services, QWidget* parent) : common::TQvForm(services, parent)
{
    setObjectName(QStringLiteral("FParGen"));
    buildFrame();
    panels_ = std::make_unique<ParGenPanels>(*CPG);
    panels_->hasWiFi = common::Has_WiFi();
    bindControls();
    FormCreate();
}

TFParGen::~TFParGen() = default;

void TFParGen::buildFrame()
{
    // Neither button is the default or cancel button: Enter and Escape end nothing. Their
    // places follow the panels (Move_GroupBoxs).
    common::TFramePlan frame = common::Application_Frame(
        {kClientWidth, kClientHeight},
        {{"Btn_OK", nullptr, QRect(218, 6, 110, 28)}, {"Btn_Cancel", nullptr, QRect(336, 6, 110, 28), kModalCancel}},
        42);
    frame.body = common::TFrameBody::Column;
    frame.sizing = common::TFrameSizing::FixedWidth;
    frame.background = CategoryPanelGroup::kBackground;
    QVBoxLayout* body = Build_Frame(frame);

    CPG = new CategoryPanelGroup(this);
    CPG->setObjectName(QStringLiteral("CPG"));
    body->addWidget(CPG, 1);
    connect(Btn_OK, &TGlyphButton::OnClick, this, &TFParGen::Btn_OKClick);
}

void TFParGen::bindControls()
{
    auto edit = [&](const char* name) { return panels_->control<QLineEdit>(QString::fromLatin1(name)); };
    auto box = [&](const char* name) { return panels_->control<QCheckBox>(QString::fromLatin1(name)); };
    auto list = [&](const char* name) { return panels_->control<QComboBox>(QString::fromLatin1(name)); };
    auto bytes = [&](const char* stem, std::array<QLineEdit*, 4>& fields) {
        for (int k = 0; k < 4; ++k)
            fields[k] = panels_->control<QLineEdit>(QString::fromLatin1(stem) + QString::number(k + 1));
    };
    E_EthConn_Device_Name = edit("E_EthConn_Device_Name");
    CB_EthConn_En_DHCP_Cable = box("CB_EthConn_En_DHCP_Cable");
    CB_EthConn_En_DHCP_WiFi = box("CB_EthConn_En_DHCP_WiFi");
    CB_EthConn_Enable_DNS = box("CB_EthConn_Enable_DNS");
    bytes("E_EthConn_Pri_DNS_IP", E_EthConn_Pri_DNS_IP);
    bytes("E_EthConn_Sec_DNS_IP", E_EthConn_Sec_DNS_IP);
    CB_IOLink_Slave_Baudrate = list("CB_IOLink_Slave_Baudrate");
    E_DeviceNet_Master_IDDevice = edit("E_DeviceNet_Master_IDDevice");
    CB_DeviceNet_Master_Baudrate = list("CB_DeviceNet_Master_Baudrate");
    bytes("E_Ethernet_IP", E_Ethernet_IP);
    bytes("E_Ethernet_SM", E_Ethernet_SM);
    CB_Ethernet_En_GAT = box("CB_Ethernet_En_GAT");
    bytes("E_Ethernet_GAT", E_Ethernet_GAT);

    for (const char* name : pargen_layout::kRelayOnClick)
        if (auto* b = box(name))
            connect(b, &QCheckBox::toggled, this, &TFParGen::On_Click);
    for (const char* name : pargen_layout::kRelayOnChange)
        if (auto* c = list(name))
            connect(c, &QComboBox::currentIndexChanged, this, &TFParGen::On_Change);

    // The dot key of the byte fields and the wheel anywhere in the window pass through here.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
}

void TFParGen::FormCreate()
{
    panels_->Hide_All_Panels();
    Order_TAB_Panels();
    Move_GroupBoxs();
    Set_Lang();
}

void TFParGen::FormResize()
{
    // The buttons keep their place against the right edge.
    const int shift = P_Button->width() - kClientWidth;
    Btn_OK->setGeometry(218 + shift, 6, 110, 28);
    Btn_Cancel->setGeometry(336 + shift, 6, 110, 28);
}

void TFParGen::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TFParGen::Order_TAB_Panels()
{
    panels_->Order_TAB_Panels(pargen_layout::kBuildModel);
    setTabChain();
}

void TFParGen::setTabChain()
{
    QList<QWidget*> chain = panels_->focusChain(pargen_layout::kBuildModel);
    chain << Btn_OK << Btn_Cancel;
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void TFParGen::Move_GroupBoxs()
{
    panels_->RePosition_Objects(pargen_layout::kBuildModel);
}

void TFParGen::On_Change()
{
    Move_GroupBoxs();
}

void TFParGen::On_Click()
{
    Move_GroupBoxs();
}

void TFParGen::Set_Lang()
{
    setWindowTitle(ParGen_Text(kTextCaption));
    L_SW_Desc->setText(ParGen_Text(kTextSubtitle));
    Btn_OK->setCaption(ParGen_Text(kTextOK));
    Btn_Cancel->setCaption(ParGen_Text(kTextCancel));
    Btn_OK->setToolTip(ParGen_Text(kTextOKHint));
    Btn_Cancel->setToolTip(ParGen_Text(kTextCancelHint));
    panels_->Set_Lang();
}

void TFParGen::FormShow()
{
    TParGen_Data data;
    Read_ParGen_File(common::State().File_ParGen, data);
    toControls(data);
    Move_GroupBoxs();
}

int TFParGen::Get_IOLink_Slave_Baudrate(const QString& baud)
{
    const QString rate = common::trimBlanks(baud);
    if (rate == QLatin1String("COM2"))
        return 1;
    if (rate == QLatin1String("COM3"))
        return 2;
    return 0;
}

void TFParGen::toControls(const TParGen_Data& data)
{
    auto setBytes = [](std::array<QLineEdit*, 4>& fields, const std::array<QString, 4>& values) {
        for (int k = 0; k < 4; ++k)
            fields[k]->setText(values[k]);
    };
    E_EthConn_Device_Name->setText(data.Eth_Conn_Device_Name);
    CB_EthConn_En_DHCP_Cable->setChecked(data.Eth_Conn_DHCP_Cable);
    CB_EthConn_En_DHCP_WiFi->setChecked(data.Eth_Conn_DHCP_WiFi);
    CB_EthConn_Enable_DNS->setChecked(data.Eth_Conn_Enable_DNS);
    setBytes(E_EthConn_Pri_DNS_IP, data.Eth_Conn_Primary_DNS);
    setBytes(E_EthConn_Sec_DNS_IP, data.Eth_Conn_Secondary_DNS);
    CB_IOLink_Slave_Baudrate->setCurrentIndex(Get_IOLink_Slave_Baudrate(data.IOLink_Slave_Baudrate));
    // The gateway is always node 0 of its DeviceNet network, whatever the file holds.
    E_DeviceNet_Master_IDDevice->setText(QStringLiteral("0"));
    const int baud = data.DNETM_BAUDRATE;
    CB_DeviceNet_Master_Baudrate->setCurrentIndex(
        baud >= 0 && baud < CB_DeviceNet_Master_Baudrate->count() ? baud : kDNet_Baud_Default_Item);
    setBytes(E_Ethernet_IP, data.Ethernet_IP);
    setBytes(E_Ethernet_SM, data.Ethernet_SM);
    setBytes(E_Ethernet_GAT, data.Ethernet_GAT);
    CB_Ethernet_En_GAT->setChecked(data.Ethernet_EN_GAT);
}

TParGen_Data TFParGen::fromControls() const
{
    auto bytes = [](const std::array<QLineEdit*, 4>& fields) {
        std::array<QString, 4> values;
        for (int k = 0; k < 4; ++k)
            values[k] = fields[k]->text();
        return values;
    };
    TParGen_Data data;
    data.Eth_Conn_Device_Name = E_EthConn_Device_Name->text();
    data.Eth_Conn_DHCP_Cable = CB_EthConn_En_DHCP_Cable->isChecked();
    data.Eth_Conn_DHCP_WiFi = CB_EthConn_En_DHCP_WiFi->isChecked();
    data.Eth_Conn_Enable_DNS = CB_EthConn_Enable_DNS->isChecked();
    data.Eth_Conn_Primary_DNS = bytes(E_EthConn_Pri_DNS_IP);
    data.Eth_Conn_Secondary_DNS = bytes(E_EthConn_Sec_DNS_IP);
    data.IOLink_Slave_Baudrate = CB_IOLink_Slave_Baudrate->currentText();
    data.DNETM_BAUDRATE = CB_DeviceNet_Master_Baudrate->currentIndex();
    data.Ethernet_IP = bytes(E_Ethernet_IP);
    data.Ethernet_SM = bytes(E_Ethernet_SM);
    data.Ethernet_GAT = bytes(E_Ethernet_GAT);
    data.Ethernet_EN_GAT = CB_Ethernet_En_GAT->isChecked();
    return data;
}

bool TFParGen::Controllo_Dati()
{
    if (!Device_Name_Storable())
        return false;
    for (const Rule& rule : kRules) {
        if (rule.when == When::DnsTicked && !CB_EthConn_Enable_DNS->isChecked())
            continue;
        if (rule.when == When::GatewayTicked && !CB_Ethernet_En_GAT->isChecked())
            continue;
        const auto* field = panels_->control<QLineEdit>(QString::fromLatin1(rule.field));
        const int value = common::strToIntDef(field ? field->text() : QString(), -1);
        if (value < rule.min || value > rule.max) {
            if (services_.messages)
                services_.messages->error(this, ParGen_Text(rule.text));
            return false;
        }
    }
    return true;
}

bool TFParGen::Device_Name_Storable()
{
    // The device keeps its host name one byte per character: a character above U+00FF would
    // reach the device as its low 8 bits, another name than the one typed ("Ω" as "©").
    const QString name = E_EthConn_Device_Name->text();
    if (std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() <= 0xFF; }))
        return true;
    if (services_.messages)
        services_.messages->error(this, ParGen_Text(kText_Device_Name_Characters));
    return false;
}

void TFParGen::Btn_OKClick()
{
    if (!Controllo_Dati())
        return;
    QString error;
    if (!Write_ParGen_File(common::State().File_ParGen, fromControls(), &error)) {
        // The window stays open with the fields as typed, so nothing is lost.
        if (services_.messages)
            services_.messages->error(this, error);
        return;
    }
    done(kModalOK);
}

void TFParGen::reject()
{
    done(kModalCancel);
}

bool TFParGen::KeyPress(QWidget* sender)
{
    for (const auto& chain : kDotChains) {
        for (size_t i = 0; i + 1 < chain.size(); ++i) {
            if (sender->objectName() != QLatin1String(chain[i]))
                continue;
            QWidget* next = panels_->control(QString::fromLatin1(chain[i + 1]));
            if (next && next->isVisible() && next->isEnabled())
                next->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return true;
}

bool TFParGen::FormMouseWheel(Qt::KeyboardModifiers, int wheelDelta, const QPoint& mousePos)
{
    const QPoint local = CPG->mapFromGlobal(mousePos);
    if (!CPG->rect().contains(local))
        return false;
    const int lines = QApplication::wheelScrollLines();
    for (int i = 0; i < lines; ++i)
        CPG->verticalScrollBar()->triggerAction(wheelDelta > 0 ? QAbstractSlider::SliderSingleStepSub
                                                               : QAbstractSlider::SliderSingleStepAdd);
    return true;
}

bool TFParGen::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->text() == QLatin1String(".") && isByteField(watched))
            return KeyPress(static_cast<QWidget*>(watched));
        break;
    }
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (FormMouseWheel(wheel->modifiers(), wheel->angleDelta().y(), wheel->globalPosition().toPoint())) {
            wheel->accept();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace gateway
