#pragma once
// The communication settings window's panels: which panels each gateway model shows and in
// which order, the rows of each panel, and the two routines that walk those tables: the
// ordering routine (once, at creation) and the repositioning routine (after every showing and
// whenever a control that changes a panel's shape changes).

#include <QList>
#include <QString>

#include <array>
#include <vector>

class QWidget;

namespace gateway {

class CategoryPanel;
class CategoryPanelGroup;

namespace pargen_layout {

// The model this build lays out.
inline constexpr int kBuildModel = 40517;

// Every panel of the family's design, in design order.
enum class PanelId {
    Ethernet_Connection,
    IOLink_Slave,
    Select_Device,
    Serial,
    Modbus_Master,
    Modbus_Slave,
    Modbus_TCP_Master,
    Modbus_TCP_Slave,
    BACnet_Master,
    BACnet_Slave,
    CAN,
    CANopen,
    DeviceNet_Master,
    DeviceNet_Slave,
    EtherCAT_Slave,
    Ethernet,
    EtherNetIP_Master,
    EtherNetIP,
    IEC61850_Client,
    IEC61850_Server,
    TLS_Server,
    J1939,
    MQTT,
    TLS,
    NTP,
    WiFi2,
    GSM_GPRS,
    NMEA2000,
    OPC_UA_Client,
    OPC_UA_Server,
    PROFINET,
    S7_Protocol,
    SNMP_Manager,
    SNMP_Agent,
    WiFi,
    PROFINET_Master,
};
inline constexpr int kPanelCount = 36;

struct PanelDef {
    PanelId id;
    const char* name;       // control name, "CP_" + the panel's name
    int titleText;          // Lang_Str number of the title; 0: none
    bool hasRoutine;        // has a repositioning routine of its own
    const char* heightFrom; // control whose bottom sets the height; "" = lowest shown row
    int fixedHeight;        // panels without a routine keep this height
};
extern const std::array<PanelDef, kPanelCount> kPanels;
const PanelDef& panelDef(PanelId id);

// Which panels a model shows, in title order.
struct ModelLayout {
    int model;
    std::vector<PanelId> panels;
};
extern const std::vector<ModelLayout> kModelLayouts;
// Null for a model that has no layout.
const ModelLayout* modelLayout(int model);

// Rows inside a panel. Text numbers run from firstText by kind: a label's caption then its
// input's hint; a check box's caption then hint; an address label's caption then one hint per
// byte field; a check box with an address: caption, hint, then the four byte hints.
enum class RowKind { Text, ReadOnly, List, Check, Address, CheckAddress };
enum class RowShow { Always, Never, WithWiFi };
enum class RowEnable { Always, UnlessDhcpCable, WiFiDevice };

struct RowDef {
    PanelId panel;
    RowKind kind;
    const char* label; // label, or the check box of a check row
    const char* input; // input; for address rows the stem of the byte fields, numbered 1..4
    int firstText;     // 0: texts fixed
    RowShow show = RowShow::Always;
    RowEnable enable = RowEnable::Always;
    int maxLength = 0;                   // text fields, 0: no limit
    std::vector<const char*> items = {}; // fixed items of a list
};
extern const std::vector<RowDef> kRows;

// Controls whose change (lists) or click (check boxes) re-lays the panels.
extern const std::vector<const char*> kRelayOnChange;
extern const std::vector<const char*> kRelayOnClick;

// Row grid inside a panel body.
inline constexpr int kLabelLeft = 14;
inline constexpr int kInputLeft = 191;
inline constexpr int kFirstRowTop = 12;
inline constexpr int kRowPitch = 28;
inline constexpr int kInputRaise = 3;      // an input stands this much above its label
inline constexpr int kCheckFieldRaise = 2; // byte fields beside a check box
inline constexpr int kSingleWidth = 238;
inline constexpr int kByteWidth = 55;
inline constexpr std::array<int, 4> kByteLefts{191, 252, 313, 374};
inline constexpr std::array<int, 3> kDotLefts{247, 308, 369};
inline constexpr int kCheckWidth = 415;
inline constexpr int kCheckWithFieldsWidth = 175;
inline constexpr int kEditHeight = 21;
inline constexpr int kListHeight = 22;
inline constexpr int kCheckHeight = 17;
inline constexpr int kLabelHeight = 16;
inline constexpr int kPanelBottomMargin = 12; // below the lowest control

// Text of a number in the program's text table.
QString ParGen_Text(int number);

// The panels of the window and their rows, created once and laid out from the tables above.
class ParGenPanels {
public:
    // Creates all panels hidden, each with its rows, inside the group.
    explicit ParGenPanels(CategoryPanelGroup& group);

    CategoryPanel* panel(PanelId id) const { return panels_[static_cast<int>(id)]; }
    // A row control by name (nullptr when no row has it).
    QWidget* control(const QString& name) const;
    template <class T>
    T* control(const QString& name) const
    {
        return qobject_cast<T*>(control(name));
    }

    void Hide_All_Panels();
    // Shows the model's panels in order with numbered titles in the current language; the
    // titles are not renewed later.
    void Order_TAB_Panels(int model);
    // Places the shown rows of each of the model's panels and sets the panels' heights and
    // the DHCP greying.
    void RePosition_Objects(int model);
    // Captions and hints of the rows from the text table.
    void Set_Lang();

    // Focusable row controls of the model's panels in title order, for the Tab chain.
    QList<QWidget*> focusChain(int model) const;

    // Answers of the device's network hardware used by the rules.
    bool hasWiFi = false;

private:
    void rePositionPanel(PanelId id);
    bool rowShown(const RowDef& row) const;
    bool rowEnabled(const RowDef& row) const;
    QList<QWidget*> rowControls(const RowDef& row) const;

    CategoryPanelGroup& group_;
    std::array<CategoryPanel*, kPanelCount> panels_{};
};

} // namespace pargen_layout
} // namespace gateway
