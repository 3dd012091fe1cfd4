#include "protocols/ethernet/bacnet/UBACnetAccess.h"

#include "common/GlyphButton.h"
#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "platform/Xml.h"
#include "protocols/ethernet/bacnet/UImportEDEFile.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstdint>

namespace ethernet {

using namespace tables;
using common::Lang_Text;
using common::trimBlanks;
using common::upperAscii;
namespace rc = bacnet_read_col;
namespace wc = bacnet_write_col;

namespace {

// ---- Columns -------------------------------------------------------------------------------

constexpr std::string_view kReadObjectTypes[] = {
    "Accumulator",   "Multi-State Input",  "Multi-State Output",     "Multi-State Value", "Analog Input",
    "Analog Output", "Analog Value",       "Binary Input",           "Binary Output",     "Binary Value",
    "Integer Value", "Large Analog Value", "Positive Integer Value", "Life Safety Point", "Life Safety Zone",
};
constexpr std::string_view kWriteObjectTypes[] = {
    "Multi-State Output", "Multi-State Value", "Analog Output",      "Analog Value",           "Binary Output",
    "Binary Value",       "Integer Value",     "Large Analog Value", "Positive Integer Value",
};
constexpr std::string_view kPresentValue = "Present Value (85)";
constexpr std::string_view kReadProperties[] = {
    kPresentValue,   "Object Identifier (75)", "Units (117)",        "Scale (187)",      "PreScale (185)",
    "Polarity (84)", "Event State (36)",       "Status Flags (111)", "Object Type (79)", "Number of States (74)",
};
constexpr std::string_view kWriteProperties[] = {kPresentValue};
constexpr std::string_view kDataTypes[] = {
    "Null",       "Boolean",    "Unsigned Int", "Signed Int", "Real",      "Double", "Octet String", "Character String",
    "Bit String", "Enumerated", "Date",         "Time",       "Object ID",
};
constexpr std::string_view kDestLengths[] = {"1", "2", "6", "M1", "M2", "M3", "M4", "M5", "M6", "M7", "M8"};
constexpr std::string_view kBits[] = {"0", "1", "2", "3", "4", "5", "6", "7"};
constexpr std::string_view kReadConversions[] = {"None", "Float to Int", "(Float to Int) * 10", "(Float to Int) * 100"};
constexpr std::string_view kWriteConversions[] = {"None", "Int to Float", "(Int to Float) / 10",
                                                  "(Int to Float) / 100"};

constexpr platform::TColor kEnableColour = Rgb(0xFF, 0xD8, 0xB0);
constexpr platform::TColor kAddressColour = Rgb(0xE0, 0xFA, 0xFE);
constexpr platform::TColor kObjectColour = Rgb(0xFF, 0xFF, 0xA8);
constexpr platform::TColor kRouteColour = Rgb(0xD5, 0xD5, 0xFF);
constexpr platform::TColor kTimeColour = Rgb(0xA8, 0xFF, 0xA8);
constexpr platform::TColor kPlaceColour = Rgb(0xFC, 0xD6, 0xF4);

constexpr TColumn Text(int header, int width, platform::TColor colour, const char* attr)
{
    return {header, 0, width, colour, grid::edNormal, {}, 0, attr};
}

constexpr TColumn Pick(int header, int width, platform::TColor colour, grid::TEditorType editor,
                       std::span<const std::string_view> items, const char* attr)
{
    return {header, 0, width, colour, editor, items, 0, attr};
}

// A check column; a missing attribute reads "N" unless it is the enable flag, which reads "Y".
constexpr TColumn Check(int header, int width, platform::TColor colour, const char* attr)
{
    return {header, 0,  width, colour, grid::edDataCheckBox, {}, 0, attr, attr ? TMissing::Text : TMissing::Empty,
            "N",    -1, "",    true};
}

constexpr TColumn Enable(int header)
{
    return {header, 0, 50, kEnableColour, grid::edDataCheckBox, {}, 0, "Enable", TMissing::Empty, "", -1, "", true};
}

constexpr TColumn Position(int header)
{
    return {.header = header,
            .width = 65,
            .colour = kPlaceColour,
            .editor = grid::edComboList,
            .positions = TFBACnetAccess::kPositions,
            .attr = "Position",
            .positionsNone = false};
}

// Swap and Convertion are hidden, and kept out of the file and the checks.
constexpr TColumn kReadColumns[] = {
    {.header = 2208, .width = 35},
    Enable(2290),
    Text(2209, 110, kAddressColour, "IP_Address_Slave_ID"),
    Pick(2211, 150, kObjectColour, grid::edComboEdit, kReadObjectTypes, "Object_Type"),
    Text(2212, 75, kObjectColour, "Instance"),
    Pick(2213, 150, kObjectColour, grid::edComboEdit, kReadProperties, "Property"),
    Text(2214, 50, kObjectColour, "NumByte"),
    Check(2262, 55, kRouteColour, "Enable_Destination"),
    Text(2263, 55, kRouteColour, "Destination_Network"),
    Pick(2264, 50, kRouteColour, grid::edComboList, kDestLengths, "Destination_Length"),
    Text(2265, 110, kRouteColour, "Destination_Address"),
    Text(2215, 65, kTimeColour, "PollTime"),
    Text(2216, 60, kTimeColour, "MaxError"),
    Position(2217),
    Pick(2218, 60, kPlaceColour, grid::edComboList, kBits, "StartBit"),
    Check(2260, 40, kPlaceColour, nullptr),
    Pick(2280, 130, kPlaceColour, grid::edComboList, kReadConversions, nullptr),
    Text(2219, 200, grid::clNone, "Mnemonic"),
};
static_assert(std::size(kReadColumns) == rc::Count);

constexpr TColumn kWriteColumns[] = {
    {.header = 2220, .width = 35},
    Enable(2291),
    Text(2221, 110, kAddressColour, "IP_Address_Slave_ID"),
    Pick(2223, 150, kObjectColour, grid::edComboEdit, kWriteObjectTypes, "Object_Type"),
    Pick(2224, 110, kObjectColour, grid::edComboList, kDataTypes, "Data_Type"),
    Text(2225, 75, kObjectColour, "Instance"),
    Pick(2226, 140, kObjectColour, grid::edComboEdit, kWriteProperties, "Property"),
    Text(2227, 55, kObjectColour, "Priority"),
    Text(2228, 50, kObjectColour, "NumByte"),
    Check(2266, 55, kRouteColour, "Enable_Destination"),
    Text(2267, 55, kRouteColour, "Destination_Network"),
    Pick(2268, 50, kRouteColour, grid::edComboList, kDestLengths, "Destination_Length"),
    Text(2269, 110, kRouteColour, "Destination_Address"),
    Check(2229, 55, kTimeColour, "OnChange"),
    Check(2230, 50, kTimeColour, "OnTimer"),
    Text(2231, 65, kTimeColour, "PollTime"),
    Text(2232, 60, kTimeColour, "MaxError"),
    Position(2233),
    Pick(2234, 60, kPlaceColour, grid::edComboList, kBits, "StartBit"),
    Check(2261, 40, kPlaceColour, nullptr),
    Pick(2281, 130, kPlaceColour, grid::edComboList, kWriteConversions, nullptr),
    Text(2235, 180, grid::clNone, "Mnemonic"),
};
static_assert(std::size(kWriteColumns) == wc::Count);

// ---- Rules ---------------------------------------------------------------------------------

constexpr int kMaxPollTime = 100000000;

// The rules of both tables, in the order they are checked. The address is checked by the
// kind of the communication settings ("ip", "station"); the routing only where En Dest is
// ticked ("en_dest"); the write table's poll time only where Timer is ("timer").
constexpr TRowRule kReadRules[] = {
    {.column = rc::Address, .check = "ip_address", .text = 2238, .when = "ip"},
    {.column = rc::Address, .check = "range", .min = 0, .max = 254, .text = 2239, .when = "station"},
    {.column = rc::Object_Type, .check = "object_type", .text = 2240},
    {.column = rc::Instance, .check = "instance", .text = 2241},
    {.column = rc::Property, .check = "property", .text = 2242},
    {rc::NByte, "range", 0, 255, 2243},
    {.column = rc::D_Net, .check = "range", .min = 1, .max = 65535, .text = 2270, .when = "en_dest"},
    {.column = rc::D_Len, .check = "destination", .when = "en_dest"},
    {rc::Poll_Time, "range", 0, kMaxPollTime, 2244},
    {rc::Max_Err, "range", 0, 65535, 2245},
};

constexpr TRowRule kWriteRules[] = {
    {.column = wc::Address, .check = "ip_address", .text = 2247, .when = "ip"},
    {.column = wc::Address, .check = "range", .min = 0, .max = 254, .text = 2248, .when = "station"},
    {.column = wc::Object_Type, .check = "object_type", .text = 2249},
    {.column = wc::Instance, .check = "instance", .text = 2250},
    {.column = wc::Property, .check = "property", .text = 2251},
    {.column = wc::Data_Type, .check = "data_type", .text = 2252},
    {wc::Priority, "range", 0, 16, 2253},
    {.column = wc::NByte, .check = "nbyte_max", .text = 2254},
    {.column = wc::D_Net, .check = "range", .min = 1, .max = 65535, .text = 2275, .when = "en_dest"},
    {.column = wc::D_Len, .check = "destination", .when = "en_dest"},
    {.column = wc::Poll_Time, .check = "range", .min = 0, .max = kMaxPollTime, .text = 2255, .when = "timer"},
    {wc::Max_Err, "range", 0, 65535, 2256},
};

constexpr TCondition kReadConditions[] = {{"en_dest", TCondition::IsY, rc::En_Dest}};
constexpr TCondition kWriteConditions[] = {{"en_dest", TCondition::IsY, wc::En_Dest},
                                           {"timer", TCondition::IsY, wc::Timer}};

// The routing texts of one table.
struct TDest_Texts {
    int length;     // "!! Destination Lenght must be 1 or 2 or 6"
    int address1;   // D Len 1: 0..255
    int address2;   // D Len 2: 1..65535
    int address6;   // D Len 6: IP address and port
    int listLength; // neither a number nor "M1" .. "M8"
    int listByte;   // a byte of the list outside 0..255
    int listTooMany;
    int listTooFew;
};
constexpr TDest_Texts kDestTexts[] = {
    {2271, 2272, 2273, 2274, 2286, 2282, 2284, 2288},
    {2276, 2277, 2278, 2279, 2287, 2283, 2285, 2289},
};

constexpr int kKeyAddress = 2;
constexpr int kKeyObjectType = 3;
static_assert(rc::Address == kKeyAddress && wc::Address == kKeyAddress);
static_assert(rc::Object_Type == kKeyObjectType && wc::Object_Type == kKeyObjectType);

constexpr TGridDef kGrids[] = {
    {
        .name = "ACG1",
        .rows = TFBACnetAccess::kRows,
        .columns = kReadColumns,
        .rules = {kKeyAddress, true, rc::Enable, 2237, kReadRules},
        .conditions = kReadConditions,
        .deleteQuestion = 2236,
        .insertEnables = true,
        .section = "BACnet_Read",
        .sheet = "TS_BACnet_Read",
        .sheetCaption = 2206,
        .enterNextCell = false,
        .showHints = false,
    },
    {
        .name = "ACG2",
        .rows = TFBACnetAccess::kRows,
        .columns = kWriteColumns,
        .rules = {kKeyAddress, true, wc::Enable, 2246, kWriteRules},
        .conditions = kWriteConditions,
        .deleteQuestion = 2236,
        .insertEnables = true,
        .section = "BACnet_Write",
        .sheet = "TS_BACnet_Write",
        .sheetCaption = 2207,
        .enterNextCell = false,
        .showHints = false,
    },
};

// The window has no Copy Row and Paste Row: their captions are left alone and the buttons hidden.
constexpr TWindowDef kWindow{
    .name = "FBACnetAccess",
    .clientWidth = 1305,
    .clientHeight = TFBACnetAccess::kClientHeight,
    .caption = 2200,
    .title = 2201,
    .buttonCaptions = {2202, 2203, 2204, 2205, 0, 0},
    .buttonHints = {0, 0, 0, 0, 0, 0},
    .grids = kGrids,
    .root = "BACnet_Master_Access",
    .file = &common::TProgramState::File_BACnet_Master_Access,
    .sectionsRequired = true,
    .buttonHintShown = {false, false, false, false, false, false},
};

// The Import EDE button takes the place of Copy Row in the strip.
constexpr int kImportSlot = 4;

constexpr int kText_Select_Type = 2257;
constexpr int kText_Aspected_Type = 2258;
constexpr int kText_Import_EDE = 2259;
constexpr int kText_Not_Imported = 2292;

// ---- Name tables ---------------------------------------------------------------------------

QString text(std::string_view s)
{
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

struct TObject_Name {
    std::string_view name;
    int code;
    bool readOnly;
};
constexpr TObject_Name kObjectNames[] = {
    {"ACCUMULATOR", 1, true},         {"MULTI-STATE INPUT", 2, true},
    {"MULTI-STATE OUTPUT", 3, false}, {"ANALOG INPUT", 4, true},
    {"ANALOG OUTPUT", 5, false},      {"BINARY INPUT", 6, true},
    {"BINARY OUTPUT", 7, false},      {"INTEGER VALUE", 8, false},
    {"LARGE ANALOG VALUE", 9, false}, {"POSITIVE INTEGER VALUE", 10, false},
    {"MULTI-STATE VALUE", 11, false}, {"ANALOG VALUE", 12, false},
    {"BINARY VALUE", 13, false},      {"LIFE SAFETY POINT", 14, false},
    {"LIFE SAFETY ZONE", 15, false},
};
constexpr int kFirstProprietaryType = 128;
constexpr int kLastProprietaryType = 1023;

bool proprietaryType(int code)
{
    return code >= kFirstProprietaryType && code <= kLastProprietaryType;
}

// Property codes: a byte count, or one of these.
constexpr int kPropertyPresentValue = 100;
constexpr int kPropertyProprietary = 200;
constexpr int kFirstProprietaryProperty = 512;
constexpr int kLastProprietaryProperty = 4194303;

// A property rule: which object types it holds for (listed, or any when none is listed).
struct TProperty_Rule {
    std::string_view name;
    bool readOnly;
    std::initializer_list<int> objectTypes;
    int result;
};
constexpr int kNotAccepted = -1;
const TProperty_Rule kPropertyRules[] = {
    {"PRESENT VALUE (85)", false, {}, kPropertyPresentValue},
    {"OBJECT IDENTIFIER (75)", true, {}, 4},
    {"UNITS (117)", true, {2, 3, 6, 7, 11, 13}, kNotAccepted},
    {"UNITS (117)", true, {}, 4},
    {"SCALE (187)", true, {1}, 1},
    {"PRESCALE (185)", true, {1}, 5},
    {"POLARITY (84)", true, {6, 7, 13}, 1},
    {"EVENT STATE (36)", true, {}, 4},
    {"STATUS FLAGS (111)", true, {}, 1},
    {"OBJECT TYPE (79)", true, {}, 2},
    {"NUMBER OF STATES (74)", true, {2, 3, 11}, 4},
};

// The data type a written present value of these object types must have.
struct TData_Type_Rule {
    std::initializer_list<int> objectTypes;
    std::string_view required;
    const char* name;
};
const TData_Type_Rule kDataTypeRules[] = {
    {{3, 10, 11}, "UNSIGNED INT", "Unsigned Int"},
    {{8}, "SIGNED INT", "Signed Int"},
    {{5, 12}, "REAL", "Real"},
    {{9}, "DOUBLE", "Double"},
    {{7, 13}, "ENUMERATED", "Enumerated"},
};

struct TByte_Max {
    std::string_view dataType;
    int max;
};
constexpr TByte_Max kByteMax[] = {
    {"NULL", 0},   {"BOOLEAN", 1},        {"UNSIGNED INT", 4},       {"SIGNED INT", 4},   {"REAL", 4},
    {"DOUBLE", 8}, {"OCTET STRING", 255}, {"CHARACTER STRING", 255}, {"BIT STRING", 120}, {"ENUMERATED", 4},
    {"DATE", 4},   {"TIME", 4},           {"OBJECT ID", 4},
};
constexpr int kByteMaxOther = 255;
constexpr int kMaxDestinationBytes = 255;

bool listed(std::initializer_list<int> codes, int code)
{
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

QString key(const QString& cellText)
{
    return upperAscii(trimBlanks(cellText));
}

// The columns of one table that the import and the checks need.
struct TTable_Columns {
    int address, objectType, dataType, instance, property, nByte, position;
};
constexpr TTable_Columns kReadCols{rc::Address,  rc::Object_Type, -1,          rc::Instance,
                                   rc::Property, rc::NByte,       rc::Position};
constexpr TTable_Columns kWriteCols{wc::Address,  wc::Object_Type, wc::Data_Type, wc::Instance,
                                    wc::Property, wc::NByte,       wc::Position};

// ---- Import targets ------------------------------------------------------------------------

// One table as the import fills it: the next row that may take an object and the next free
// byte position.
struct TImport_Target {
    TTableGrid* grid;
    const TTable_Columns* cols;
    int keyColumn;
    int row = 1;
    std::int64_t position = 0;

    bool Used(int r) const { return !trimBlanks(grid->Cells(keyColumn, r)).isEmpty(); }

    // From the first row on, after the last byte the used rows take.
    void Start()
    {
        row = 1;
        position = 0;
        for (int r = 1; r < grid->RowCount(); ++r) {
            if (!Used(r))
                continue;
            const int at = common::strToIntDef(grid->Cells(cols->position, r), -1);
            const int n = common::strToIntDef(grid->Cells(cols->nByte, r), -1);
            if (at >= 0 && n >= 0)
                position = std::max(position, std::int64_t(at) + n);
        }
    }

    // The row the next object goes to: rows in use below a gap are passed over, not
    // overwritten. Past the last row: none.
    int Take()
    {
        while (row < grid->RowCount() && Used(row))
            ++row;
        return row < grid->RowCount() ? row++ : -1;
    }
};

} // namespace

// ---- Name and rule tables ------------------------------------------------------------------

int Check_Object_Type(const QString& cellText, TBACnet_Table table)
{
    const QString name = key(cellText);
    for (const TObject_Name& o : kObjectNames)
        if (name == text(o.name))
            return o.readOnly && table != TBACnet_Table::Read ? kNotAccepted : o.code;
    const int code = common::strToIntDef(name, kNotAccepted);
    return proprietaryType(code) ? code : kNotAccepted;
}

int Check_Property(const QString& cellText, TBACnet_Table table, int objectType)
{
    const QString name = key(cellText);
    for (const TProperty_Rule& r : kPropertyRules) {
        if (r.readOnly && table != TBACnet_Table::Read)
            continue;
        if (name == text(r.name) && (r.objectTypes.size() == 0 || listed(r.objectTypes, objectType)))
            return r.result;
    }
    const int number = common::strToIntDef(name, kNotAccepted);
    return number >= kFirstProprietaryProperty && number <= kLastProprietaryProperty ? kPropertyProprietary
                                                                                     : kNotAccepted;
}

bool Check_Data_Type(const QString& dataType, int objectType, int property)
{
    if (property != kPropertyPresentValue || proprietaryType(objectType))
        return true;
    const QString type = key(dataType);
    for (const TData_Type_Rule& r : kDataTypeRules)
        if (listed(r.objectTypes, objectType))
            return type == text(r.required);
    return false;
}

QString Aspected_Data_Type_Value(int objectType, int property)
{
    if (property != kPropertyPresentValue)
        return QString();
    for (const TData_Type_Rule& r : kDataTypeRules)
        if (listed(r.objectTypes, objectType))
            return QLatin1String(r.name);
    return QString();
}

int Check_Num_Byte_Max(const QString& dataType)
{
    const QString type = key(dataType);
    for (const TByte_Max& b : kByteMax)
        if (type == text(b.dataType))
            return b.max;
    return kByteMaxOther;
}

std::optional<QString> Check_Dest_Add(const QString& list, int count, TBACnet_Table table)
{
    const TDest_Texts& t = kDestTexts[table == TBACnet_Table::Read ? 0 : 1];
    const QString trimmed = trimBlanks(list);
    // An empty list has too few bytes like any other short one: it is told, not refused silently.
    if (trimmed.isEmpty())
        return Lang_Text(t.listTooFew);
    const QStringList parts = trimmed.split(QLatin1Char(','));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const int byte = common::strToIntDef(trimBlanks(parts[i]), -1);
        if (byte < 0 || byte > 255)
            return Lang_Text(t.listByte);
        if (i >= count)
            return Lang_Text(t.listTooMany);
    }
    if (parts.size() < count)
        return Lang_Text(t.listTooFew);
    return std::nullopt;
}

// ---- The window ----------------------------------------------------------------------------

// The window's description, copied per window: the key column of each table follows the
// address kind read at each show.
struct TFBACnetAccess::TDefs {
    std::array<TGridDef, 2> grids{kGrids[0], kGrids[1]};
    TWindowDef window = kWindow;

    TDefs()
    {
        window.grids = grids;
        const QScreen* screen = QGuiApplication::primaryScreen();
        window.clientWidth = Client_Width(screen ? screen->geometry().width() : 0);
    }
};

TFBACnetAccess::TFBACnetAccess(platform::Services& services, QWidget* parent)
    : TFBACnetAccess(std::make_unique<TDefs>(), services, parent)
{
}

TFBACnetAccess::TFBACnetAccess(std::unique_ptr<TDefs> defs, platform::Services& services, QWidget* parent)
    : TTableWindow(defs->window, services, parent), TS_BACnet_Read(Sheet(0)), TS_BACnet_Write(Sheet(1)), ACG1(Grid(0)),
      ACG2(Grid(1)), defs_(std::move(defs))
{
    for (TTableGrid* grid : {ACG1, ACG2}) {
        // No double-click sizing in these tables.
        grid->OnDblClickCell = nullptr;
    }
    for (int col : {rc::Swap, rc::Convertion})
        ACG1->HideColumn(col);
    for (int col : {wc::Swap, wc::Convertion})
        ACG2->HideColumn(col);
    Btn_CopyRow->hide();
    Btn_PasteRow->hide();
    Add_Strip_Button(common::Slot_Button("Btn_Import_CSV", &Btn_Import_CSV, kImportSlot));
    connect(Btn_Import_CSV, &TGlyphButton::OnClick, this, &TFBACnetAccess::Btn_Import_CSVClick);
    Set_Lang();
}

TFBACnetAccess::~TFBACnetAccess() = default;

int TFBACnetAccess::Client_Width(int screenWidth)
{
    return screenWidth < 1271 ? 1000 : 1305;
}

void TFBACnetAccess::Set_Lang()
{
    TTableWindow::Set_Lang();
    // The base applies its texts while it is built, before this button exists.
    if (Btn_Import_CSV)
        Btn_Import_CSV->setCaption(Lang_Text(kText_Import_EDE));
}

void TFBACnetAccess::Read_BACnet_Type()
{
    App_BACnet_Type = kAddressIP;
    const QString path = common::State().File_ParGen;
    bool found = false;
    if (!path.isEmpty() && QFileInfo::exists(path)) {
        platform::xml::Document doc;
        QString error;
        if (!doc.load(path, &error))
            throw platform::xml::XmlError(error.toStdString());
        if (const pugi::xml_node node = platform::xml::child(doc.root(), "BACnet_Master_Type")) {
            found = true;
            App_BACnet_Type = common::strToIntDef(platform::xml::text(node), 0);
        }
    }
    if (!found && services_.messages)
        services_.messages->error(this, Lang_Text(kText_Select_Type));
}

void TFBACnetAccess::Show_Address_Column()
{
    const bool shown = App_BACnet_Type == kAddressIP || App_BACnet_Type == kAddressStation;
    const bool ip = App_BACnet_Type == kAddressIP;
    ACG1->SetCells(rc::Address, 0, Lang_Text(ip ? 2209 : 2210));
    ACG2->SetCells(wc::Address, 0, Lang_Text(ip ? 2221 : 2222));
    for (TTableGrid* grid : {ACG1, ACG2}) {
        if (shown)
            grid->UnHideColumn(kKeyAddress);
        else
            grid->HideColumn(kKeyAddress);
    }
    // Without an address the Object Type ends the table.
    for (TGridDef& def : defs_->grids)
        def.rules.keyColumn = shown ? kKeyAddress : kKeyObjectType;
}

void TFBACnetAccess::FormShow()
{
    for (TTableGrid* grid : {ACG1, ACG2})
        grid->HideInplaceEdit();
    Read_BACnet_Type();
    Show_Address_Column();
    TTableWindow::FormShow();
}

void TFBACnetAccess::Plug_Rules(int index, TRuleRun& run) const
{
    const TBACnet_Table table = index == 0 ? TBACnet_Table::Read : TBACnet_Table::Write;
    const TTable_Columns& cols = index == 0 ? kReadCols : kWriteCols;
    const TDest_Texts& texts = kDestTexts[size_t(index)];
    const int kind = App_BACnet_Type;

    run.conditions.emplace("ip", [kind](const TRuleCell&) { return kind == kAddressIP; });
    run.conditions.emplace("station", [kind](const TRuleCell&) { return kind == kAddressStation; });
    run.checks.emplace("ip_address", [](const TRuleCell& cell) -> std::optional<QString> {
        std::uint8_t a = 0, b = 0, c = 0, d = 0;
        if (common::Parse_IP_Bytes(cell.Text(), a, b, c, d))
            return cell.Failure();
        return std::nullopt;
    });
    const auto objectType = [table, cols](const TRuleCell& cell) {
        return Check_Object_Type(cell.Cell(cols.objectType), table);
    };
    const auto property = [table, cols, objectType](const TRuleCell& cell) {
        return Check_Property(cell.Cell(cols.property), table, objectType(cell));
    };
    run.checks.emplace("object_type", [objectType](const TRuleCell& cell) -> std::optional<QString> {
        if (objectType(cell) == kNotAccepted)
            return cell.Failure();
        return std::nullopt;
    });
    run.checks.emplace("instance", [](const TRuleCell& cell) -> std::optional<QString> {
        const std::int64_t instance = common::strToInt64Def(cell.Text(), -1);
        if (instance < 0 || instance > std::int64_t(UINT32_MAX))
            return cell.Failure();
        return std::nullopt;
    });
    run.checks.emplace("property", [property](const TRuleCell& cell) -> std::optional<QString> {
        if (property(cell) == kNotAccepted)
            return cell.Failure();
        return std::nullopt;
    });
    run.checks.emplace("data_type", [objectType, property](const TRuleCell& cell) -> std::optional<QString> {
        const int type = objectType(cell);
        const int prop = property(cell);
        if (Check_Data_Type(cell.Text(), type, prop))
            return std::nullopt;
        const QString expected = Aspected_Data_Type_Value(type, prop);
        if (expected.isEmpty())
            return cell.Failure();
        return cell.Failure(Lang_Text(kText_Aspected_Type) + expected);
    });
    run.checks.emplace("nbyte_max", [cols](const TRuleCell& cell) -> std::optional<QString> {
        const int max = Check_Num_Byte_Max(cell.Cell(cols.dataType));
        const int n = cell.Number();
        if (n >= 0 && n <= max)
            return std::nullopt;
        return cell.Failure(Lang_Text(cell.rule.text) + QString::number(max));
    });
    // D Len and D Add together: a length 1, 2 or 6 with its address, or "M1" .. "M8" with a
    // list of that many bytes.
    const int addressCol = cols.nByte == rc::NByte ? rc::D_Add : wc::D_Add;
    run.checks.emplace("destination", [table, texts, addressCol](const TRuleCell& cell) -> std::optional<QString> {
        const QString address = cell.Cell(addressCol);
        int length = 0;
        if (common::tryStrToInt(cell.Text(), length)) {
            const int value = common::strToIntDef(address, -1);
            switch (length) {
            case 1:
                return value >= 0 && value <= 255 ? std::nullopt
                                                  : std::optional(cell.Failure(Lang_Text(texts.address1)));
            case 2:
                return value >= 1 && value <= 65535 ? std::nullopt
                                                    : std::optional(cell.Failure(Lang_Text(texts.address2)));
            case 6: {
                std::uint8_t a = 0, b = 0, c = 0, d = 0;
                std::uint16_t port = 0;
                if (common::Parse_IP_Port(trimBlanks(address), a, b, c, d, port))
                    return std::nullopt;
                return cell.Failure(Lang_Text(texts.address6));
            }
            default:
                return cell.Failure(Lang_Text(texts.length));
            }
        }
        const QString list = key(cell.Text());
        if (list.size() != 2 || list[0] != QLatin1Char('M') || list[1] < QLatin1Char('1') || list[1] > QLatin1Char('8'))
            return cell.Failure(Lang_Text(texts.listLength));
        if (auto failure = Check_Dest_Add(address, list[1].digitValue(), table))
            return cell.Failure(*failure);
        return std::nullopt;
    });
}

// ---- Import EDE ----------------------------------------------------------------------------

void TFBACnetAccess::Btn_Import_CSVClick()
{
    for (TTableGrid* grid : {ACG1, ACG2})
        grid->HideInplaceEdit();
    if (!FImportEDEFile || !services_.dialogs)
        return;
    FImportEDEFile->App_BACnet_Type = App_BACnet_Type;
    const QString fileName = services_.dialogs->openFileName(this, QString(), common::State().Last_EDE_Dir,
                                                             QStringLiteral("BACnet EDE File (*.csv)"));
    if (fileName.isEmpty())
        return;
    bool confirmed = false;
    if (platform::fileExists(fileName)) {
        FImportEDEFile->EDE_File = fileName;
        confirmed = FImportEDEFile->ShowModal() == kModalOK;
    }
    // The folder is remembered once a file was chosen, whatever the picker answers.
    common::State().Last_EDE_Dir = QFileInfo(fileName).absolutePath();
    if (confirmed)
        Import_Rows();
}

void TFBACnetAccess::Import_Rows()
{
    const int key = defs_->grids[0].rules.keyColumn;
    TImport_Target read{ACG1, &kReadCols, key};
    TImport_Target write{ACG2, &kWriteCols, key};
    read.Start();
    write.Start();
    const QString address = FImportEDEFile->E_ID_IP->text();
    const QString presentValue = text(kPresentValue);

    // Cells from column 1 on; the hidden Swap and Convertion included.
    const auto fill = [&](TImport_Target& t, const TBACnet_Var& v, bool isWrite) {
        const int row = t.Take();
        if (row < 0)
            return false;
        const int n = Get_NumByte_EDE(v.object_type);
        QStringList cells{QStringLiteral("Y"), address, Get_ObjType_EDE(v.object_type)};
        if (isWrite)
            cells << Get_DataType_EDE(v.object_type);
        cells << QString::number(v.object_instance) << presentValue;
        if (isWrite)
            cells << QStringLiteral("0"); // Priority
        cells << QString::number(n) << QStringLiteral("N") << QString() << QString() << QString();
        if (isWrite)
            cells << QStringLiteral("N") << QStringLiteral("N"); // Change, Timer
        cells << QStringLiteral("1000") << QStringLiteral("0") << QString::number(t.position) << QStringLiteral("0")
              << QStringLiteral("N") << QString() << v.object_name + QStringLiteral(" - ") + v.description;
        for (int c = 1; c <= cells.size(); ++c)
            t.grid->SetCells(c, row, cells[c - 1]);
        t.position += n;
        return true;
    };

    int notImported = 0;
    for (const TBACnet_Var& v : FImportEDEFile->List_EDE_Var) {
        if (!v.import)
            continue;
        bool fitted = true;
        if (v.read)
            fitted = fill(read, v, false) && fitted;
        if (v.write)
            fitted = fill(write, v, true) && fitted;
        if (!fitted)
            ++notImported;
    }
    for (TTableGrid* grid : {ACG1, ACG2})
        grid->viewport()->update();
    if (notImported > 0 && services_.messages)
        services_.messages->show(this, Lang_Text(kText_Not_Imported) + QString::number(notImported), QString(),
                                 platform::MsgIcon::Warning, platform::MsgButtons::Ok);
}

} // namespace ethernet
