#include "protocols/ethernet/s7/US7_Protocol_Set_Access.h"

#include "common/UComonHelpers.h"

#include <array>

namespace ethernet {

using namespace tables;
namespace rd = s7_read_col;
namespace wr = s7_write_col;
using TWindow = TFS7_Protocol_Set_Access;

namespace {

constexpr std::string_view kPLC_Types[] = {"Logo0BA8", "S7200", "S7300", "S7400", "S71200", "S71500"};
constexpr std::string_view kData_Types[] = {"Bit", "Byte", "Char", "Word", "Int", "DWord", "DInt", "Real"};
constexpr std::string_view kData_Identifiers[] = {"OB", "DB", "SDB", "FC", "SFC", "FB", "SFB"};
constexpr std::string_view kPLC_Areas[] = {"Direct peripheral access (P)", "Inputs (I)", "Output (Q)",
                                           "Flags (M) (Merker)"};
constexpr std::string_view kBits[] = {"0", "1", "2", "3", "4", "5", "6", "7"};

constexpr TColumn Text(int header, int hint, int width, const char* attr, const char* missingText = nullptr)
{
    return {.header = header,
            .hint = hint,
            .width = width,
            .attr = attr,
            .missing = missingText ? TMissing::Text : TMissing::Required,
            .missingText = missingText ? missingText : ""};
}

constexpr TColumn Check(int header, int hint, int width, const char* attr, const char* missingText = nullptr)
{
    return {.header = header,
            .hint = hint,
            .width = width,
            .editor = grid::edDataCheckBox,
            .attr = attr,
            .missing = missingText ? TMissing::Text : TMissing::Required,
            .missingText = missingText ? missingText : "",
            .centred = true};
}

constexpr TColumn Pick(int header, int hint, int width, const char* attr, std::span<const std::string_view> items)
{
    return {.header = header,
            .hint = hint,
            .width = width,
            .editor = grid::edComboList,
            .items = items,
            .attr = attr,
            .missing = TMissing::Required};
}

constexpr TColumn Position(int header, int hint, int size)
{
    return {.header = header,
            .hint = hint,
            .width = 60,
            .editor = grid::edComboList,
            .positions = size,
            .attr = "Position",
            .missing = TMissing::Required,
            .positionsNone = false};
}

// Columns 0 .. 13 of both tables, the PLC, the item and its Poll Time, then the table's own.
template <size_t N>
constexpr std::array<TColumn, 14 + N> Columns(const int (&h)[14], const int (&t)[13], const TColumn (&own)[N])
{
    std::array<TColumn, 14 + N> c{{
        {.header = h[0], .width = 30},
        Check(h[1], t[0], 50, "Enable", "Y"),
        Text(h[2], t[1], 110, "PLC_Address"),
        Text(h[3], t[2], 60, "PLC_Port"),
        Pick(h[4], t[3], 80, "PLC_Type", kPLC_Types),
        Text(h[5], t[4], 45, "Rack", "0"),
        Text(h[6], t[5], 45, "Slot", "0"),
        Pick(h[7], t[6], 75, "Data_Type", kData_Types),
        Pick(h[8], t[7], 90, "Data_Identifier", kData_Identifiers),
        Text(h[9], t[8], 75, "DB_Number"),
        Pick(h[10], t[9], 150, "PLC_Area", kPLC_Areas),
        Text(h[11], t[10], 60, "PLC_Add"),
        Pick(h[12], t[11], 55, "PLC_Bit", kBits),
        Text(h[13], t[12], 65, "PollTime"),
    }};
    for (size_t i = 0; i < N; ++i)
        c[14 + i] = own[i];
    return c;
}

constexpr TColumn kReadOwn[] = {
    Position(4924, 4951, TWindow::NByte_IN), Pick(4925, 4952, 60, "Bit", kBits), Check(4926, 4953, 45, "Swap"),
    Check(4927, 4954, 70, "SwapWord"),       Text(4928, 4955, 95, "Mnemonic"),
};
constexpr TColumn kWriteOwn[] = {
    Check(4937, 4963, 70, "OnChange"),  Check(4938, 4964, 60, "OnCMD"), Position(4939, 4965, TWindow::NByte_OUT),
    Pick(4940, 4966, 60, "Bit", kBits), Check(4941, 4967, 45, "Swap"),  Check(4942, 4968, 70, "SwapWord"),
    Text(4943, 4969, 95, "Mnemonic"),
};

constexpr auto kReadColumns =
    Columns({4916, 4917, 4918, 4919, 4920, 5013, 5014, 4921, 4922, 4989, 4990, 4991, 4992, 4923},
            {4944, 4945, 4946, 4947, 5017, 5018, 4948, 4949, 4997, 4998, 4999, 5000, 4950}, kReadOwn);
static_assert(kReadColumns.size() == rd::Count);
constexpr auto kWriteColumns =
    Columns({4929, 4930, 4931, 4932, 4933, 5015, 5016, 4934, 4935, 4993, 4994, 4995, 4996, 4936},
            {4956, 4957, 4958, 4959, 5019, 5020, 4960, 4961, 5001, 5002, 5003, 5004, 4962}, kWriteOwn);
static_assert(kWriteColumns.size() == wr::Count);

// The two tables check the same things in the same order with their own texts and Poll
// Time, Position and Start Bit columns.
struct TTexts {
    int address, port, connections, plcType, rack, slot, dataType, dataIdentifier, dbNumber, plcArea, plcAdd, plcBit,
        pollTime, position, startBit, itemBytes;
};

constexpr std::array<TRowRule, 16> Rules(const TTexts& t, int minPollTime, int position, int startBit, int size)
{
    return {{
        {.column = rd::PLC_Address, .check = "ip_address", .text = t.address},
        {rd::PLC_Port, "range", 0, 65535, t.port},
        {.column = rd::PLC_Address, .check = "connection", .text = t.connections},
        {.column = rd::PLC_Type, .check = "not_empty", .text = t.plcType},
        {rd::Rack, "range", 0, 3, t.rack},
        {rd::Slot, "range", 0, 31, t.slot},
        {.column = rd::Data_Type, .check = "not_empty", .text = t.dataType},
        {.column = rd::Data_Identifier, .check = "not_empty", .text = t.dataIdentifier},
        {rd::DB_Number, "range", 0, 65535, t.dbNumber},
        {.column = rd::PLC_Area, .check = "not_empty", .text = t.plcArea},
        {rd::PLC_Add, "range", 0, 65535, t.plcAdd},
        {.column = rd::PLC_Bit, .check = "not_empty", .text = t.plcBit},
        {rd::PollTime, "range", minPollTime, 100000000, t.pollTime},
        {.column = position, .check = "range", .min = 0, .max = size - 1, .text = t.position, .withMax = true},
        {.column = startBit, .check = "not_empty", .text = t.startBit},
        // The item must fit in the array from its Position: a Real at 1499 would run past it.
        {.column = position, .check = "item_bytes", .max = size - 1, .text = t.itemBytes},
    }};
}

constexpr auto kReadRules =
    Rules({4971, 4972, 4987, 4973, 5021, 5022, 4974, 4975, 5005, 5006, 5007, 5008, 4976, 4977, 4978, 5026}, 1,
          rd::Position, rd::Bit, TWindow::NByte_IN);
constexpr auto kWriteRules =
    Rules({4979, 4980, 4988, 4981, 5023, 5024, 4982, 4983, 5009, 5010, 5011, 5012, 4984, 4985, 4986, 5027}, 0,
          wr::Position, wr::Bit, TWindow::NByte_OUT);

constexpr TGridDef kGrids[] = {
    {
        .name = "ACG_S7_Read",
        .rows = TWindow::kRows,
        .columns = kReadColumns,
        .rules = {rd::PLC_Address, true, rd::Enable, 4970, kReadRules},
        .deleteQuestion = 5025,
        .insertEnables = true,
        .clickSelectsRow = true,
        .section = "S7_Protocol_Read",
        .sheet = "TS_S7_Read",
        .sheetCaption = 4914,
    },
    {
        .name = "ACG_S7_Write",
        .rows = TWindow::kRows,
        .columns = kWriteColumns,
        .rules = {wr::PLC_Address, true, wr::Enable, 4970, kWriteRules},
        .deleteQuestion = 5025,
        .insertEnables = true,
        .clickSelectsRow = true,
        .section = "S7_Protocol_Write",
        .sheet = "TS_S7_Write",
        .sheetCaption = 4915,
        .showHints = false,
    },
};

constexpr TWindowDef kWindow{
    .name = "FS7_Protocol_Set_Access",
    .clientWidth = 1350,
    .clientHeight = 337,
    .caption = 4900,
    .title = 4901,
    .buttonCaptions = Six(4902),
    .buttonHints = Six(4908),
    .grids = kGrids,
    .root = "S7_Protocol",
    .file = &common::TProgramState::File_S7_Protocol,
    .sectionsRequired = true,
};

constexpr int kRead = 0;

struct TAddress {
    std::uint8_t b[4] = {0, 0, 0, 0};
    bool error = true;
};

TAddress parseAddress(const QString& text)
{
    TAddress a;
    a.error = common::Parse_IP_Bytes(text, a.b[0], a.b[1], a.b[2], a.b[3]);
    return a;
}

} // namespace

TFS7_Protocol_Set_Access::TFS7_Protocol_Set_Access(platform::Services& services, QWidget* parent)
    : TTableWindow(kWindow, services, parent), TS_S7_Read(Sheet(0)), TS_S7_Write(Sheet(1)), ACG_S7_Read(Grid(0)),
      ACG_S7_Write(Grid(1))
{
}

int TFS7_Protocol_Set_Access::Check_IP_Port(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4,
                                            int p) const
{
    for (size_t i = 0; i < array_ip_Port.size(); ++i) {
        TIPPort& e = array_ip_Port[i];
        if (e.IP1 == b1 && e.IP2 == b2 && e.IP3 == b3 && e.IP4 == b4 && e.Port == p)
            return int(i);
        if (e.IP1 == -1) {
            e = {b1, b2, b3, b4, p};
            return int(i);
        }
    }
    return -1;
}

int TFS7_Protocol_Set_Access::Item_Size(const QString& dataType)
{
    const QString t = common::upperAscii(common::trimBlanks(dataType));
    if (t == QLatin1String("WORD") || t == QLatin1String("INT"))
        return 2;
    if (t == QLatin1String("DWORD") || t == QLatin1String("DINT") || t == QLatin1String("REAL"))
        return 4;
    return 1;
}

void TFS7_Protocol_Set_Access::Plug_Rules(int index, TRuleRun& run) const
{
    // The read table registers its connections first; the write table goes on from there.
    if (index == kRead)
        array_ip_Port.assign(kConnections, TIPPort{});
    run.checks.emplace("ip_address", [](const TRuleCell& cell) -> std::optional<QString> {
        if (!parseAddress(cell.Text()).error)
            return std::nullopt;
        return cell.Failure();
    });
    run.checks.emplace("connection", [this](const TRuleCell& cell) -> std::optional<QString> {
        const TAddress a = parseAddress(cell.Text());
        if (Check_IP_Port(a.b[0], a.b[1], a.b[2], a.b[3], cell.Number(rd::PLC_Port)) >= 0)
            return std::nullopt;
        return cell.Failure();
    });
    run.checks.emplace("item_bytes", [](const TRuleCell& cell) -> std::optional<QString> {
        const std::int64_t last = std::int64_t(cell.Number()) + Item_Size(cell.Cell(rd::Data_Type)) - 1;
        if (last <= cell.rule.max)
            return std::nullopt;
        return cell.Failure();
    });
}

} // namespace ethernet
