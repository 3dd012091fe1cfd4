#include "protocols/ethernet/ethernetip/UEtherNetIP_EDS.h"

#include "common/GlyphButton.h"
#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "platform/TextCodec.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdint>
#include <limits>
#include <optional>

namespace ethernet {

using common::Lang_Text;
using common::trimBlanks;

namespace {

constexpr int kRowHeight = 21;
constexpr int kCloseDelayMs = 10;
constexpr int kText_No_Connection = 5415;

// Header text and width of each column.
constexpr struct {
    int header;
    int width;
} kColumns[] = {
    {5406, 100}, {5407, 200}, {5408, 100}, {5409, 110}, {5410, 120}, {5411, 110}, {5412, 120}, {5413, 125}, {5414, 125},
};
static_assert(std::size(kColumns) == eds_col::Count);

// The fields of an entry: trigger and transport, connection parameters, then ten fields of
// sizes and formats, the name, the help text, and the path after them.
constexpr int kParamsField = 1;
constexpr int kNameField = 12;
constexpr int kHelpField = 13;
constexpr int kFieldsBeforePath = 14;

// Path segments: 8-bit class, 8-bit instance, 8-bit connection point.
constexpr int kClassSegment = 0x20;
constexpr int kInstanceSegment = 0x24;
constexpr int kPointSegment = 0x2C;
constexpr int kMinPathBytes = 8;

// "Connection1 =", "Connection12=": the only lines that start an entry.
bool startsEntry(const QString& line)
{
    static const QRegularExpression entry(QStringLiteral("^Connection[0-9]+[ \\t]*="));
    return entry.match(line).hasMatch();
}

// The line trimmed and cut at its first comment mark.
QString withoutComment(const QString& line)
{
    QString text = trimBlanks(line);
    const qsizetype mark = text.indexOf(QLatin1Char('$'));
    return mark < 0 ? text : trimBlanks(text.left(mark));
}

// The connection parameters as a number; -1 (all format bits set) when the field is none.
std::int64_t connectionParameters(const QString& field)
{
    std::int64_t value = -1;
    if (!common::tryStrToInt64(trimBlanks(field), value) || value < std::numeric_limits<std::int32_t>::min()
        || value > std::numeric_limits<std::uint32_t>::max())
        return -1;
    return value;
}

// The path of an entry: the rest after the help field, up to a "," that comes before the
// first ";", else up to that ";"; empty when no ";" follows. Quotes removed, trimmed.
QString pathText(const QString& rest)
{
    const qsizetype semicolon = rest.indexOf(QLatin1Char(';'));
    if (semicolon < 0)
        return QString();
    const qsizetype comma = rest.indexOf(QLatin1Char(','));
    const qsizetype end = comma >= 0 && comma < semicolon ? comma : semicolon;
    QString path = rest.left(end);
    path.remove(QLatin1Char('"'));
    return trimBlanks(path);
}

// The path's bytes: each blank-separated piece read as a hexadecimal byte; pieces that are
// none (parameter references, values past 0xFF) are skipped.
std::vector<std::uint8_t> pathBytes(const QString& path)
{
    std::vector<std::uint8_t> bytes;
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    for (const QString& piece : path.split(blanks, Qt::SkipEmptyParts)) {
        if (bytes.size() >= size_t(TFEtherNEtIP_EDS::kMaxPathBytes))
            break;
        const int value = common::strToIntDef(QStringLiteral("0x") + piece, -1);
        if (value >= 0 && value <= 0xFF)
            bytes.push_back(std::uint8_t(value));
    }
    return bytes;
}

// The first byte from `from` on that is one of the two segment types, or none.
std::optional<size_t> findSegment(const std::vector<std::uint8_t>& bytes, size_t from, int a, int b)
{
    for (size_t i = from; i < bytes.size(); ++i)
        if (bytes[i] == a || bytes[i] == b)
            return i;
    return std::nullopt;
}

// The segment at `at` with the byte after it, when both exist.
std::optional<std::uint8_t> valueAfter(const std::vector<std::uint8_t>& bytes, std::optional<size_t> at)
{
    if (!at || *at + 1 >= bytes.size())
        return std::nullopt;
    return bytes[*at + 1];
}

// Fills the instances and connection points from the path: class, instance, the O > T
// connection point, then either the T > O connection point or a T > O instance followed by
// its connection point. False when the path is not of that shape.
bool decodePath(const std::vector<std::uint8_t>& bytes, TConnData& conn)
{
    if (bytes.size() < size_t(kMinPathBytes) || bytes[0] != kClassSegment || bytes[2] != kInstanceSegment)
        return false;
    conn.InstanceOT = conn.InstanceTO = bytes[3];

    const std::optional<size_t> pointOT = findSegment(bytes, 4, kPointSegment, kPointSegment);
    const std::optional<std::uint8_t> valueOT = valueAfter(bytes, pointOT);
    if (!valueOT)
        return false;
    conn.ConnPointOT = *valueOT;

    const std::optional<size_t> next = findSegment(bytes, *pointOT + 2, kInstanceSegment, kPointSegment);
    const std::optional<std::uint8_t> nextValue = valueAfter(bytes, next);
    if (!nextValue)
        return false;
    if (bytes[*next] == kPointSegment) {
        conn.ConnPointTO = *nextValue;
        return true;
    }
    conn.InstanceTO = *nextValue;
    const std::optional<size_t> pointTO = findSegment(bytes, *next + 2, kPointSegment, kPointSegment);
    const std::optional<std::uint8_t> valueTO = valueAfter(bytes, pointTO);
    if (!valueTO)
        return false;
    conn.ConnPointTO = *valueTO;
    return true;
}

// A header format as the grid shows it: "Default" for the format the scanner uses unless told.
QString dimHeaderText(std::uint8_t value, std::uint8_t defaultValue)
{
    return value == defaultValue ? QStringLiteral("Default") : QString::number(value);
}

} // namespace

TFEtherNEtIP_EDS::TFEtherNEtIP_EDS(platform::Services& services, QWidget* parent) : common::TQvForm(services, parent)
{
    setObjectName(QStringLiteral("FEtherNEtIP_EDS"));
    FormCreate();
}

TFEtherNEtIP_EDS::~TFEtherNEtIP_EDS() = default;

void TFEtherNEtIP_EDS::FormCreate()
{
    QVBoxLayout* body =
        Build_Frame(common::Table_Frame({kClientWidth, kClientHeight}, common::OK_Cancel_Slots(kModalOK)));

    ACG = new tables::TTableGrid(this);
    ACG->setObjectName(QStringLiteral("ACG"));
    std::vector<tables::TTableColumnDef> columns;
    for (const auto& c : kColumns)
        columns.push_back({c.width, true});
    tables::Setup_Table(*ACG, 2, columns, 0, kRowHeight);
    ACG->SetOptions(ACG->Options() | grid::goRowSelect);
    body->addWidget(ACG, 1);

    TClose = new QTimer(this);
    TClose->setObjectName(QStringLiteral("TClose"));
    TClose->setSingleShot(true);
    TClose->setInterval(kCloseDelayMs);
    connect(TClose, &QTimer::timeout, this, &TFEtherNEtIP_EDS::TCloseTimer);

    Set_Lang();
}

void TFEtherNEtIP_EDS::Set_Lang()
{
    setWindowTitle(Lang_Text(5400));
    L_SW_Desc->setText(Lang_Text(5401));
    Btn_OK->setCaption(Lang_Text(5402));
    Btn_Cancel->setCaption(Lang_Text(5403));
    Btn_OK->setToolTip(Lang_Text(5404));
    Btn_Cancel->setToolTip(Lang_Text(5405));
    for (int c = 0; c < eds_col::Count; ++c)
        ACG->SetCells(c, 0, Lang_Text(kColumns[c].header));
}

void TFEtherNEtIP_EDS::FormShow()
{
    Read_File();
    ShowDatainGrid();
}

void TFEtherNEtIP_EDS::Read_File()
{
    List_Conn.clear();
    QStringList lines;
    // A missing or unreadable file is a file without connections.
    if (!platform::fileExists(EDS_FileName) || !platform::readTextLines(EDS_FileName, lines))
        return;
    bool inSection = false;
    QString entry;
    for (const QString& raw : lines) {
        const QString line = withoutComment(raw);
        if (line.isEmpty())
            continue;
        if (!inSection) {
            inSection = line.contains(QLatin1String("[Connection Manager]"));
            continue;
        }
        if (line.startsWith(QLatin1Char('['))) {
            if (!entry.isEmpty())
                entry = DecodeConnStr(entry);
            inSection = false;
        } else if (startsEntry(line)) {
            if (!entry.isEmpty())
                entry = DecodeConnStr(entry);
            entry = trimBlanks(line.mid(line.indexOf(QLatin1Char('=')) + 1));
        } else {
            // Keys of the section that are no entry run into the accumulator too; such text
            // never decodes as a connection and is dropped.
            entry += line;
        }
    }
    if (!entry.isEmpty())
        DecodeConnStr(entry);
}

QString TFEtherNEtIP_EDS::DecodeConnStr(const QString& ConnStr)
{
    const QStringList fields = ConnStr.split(QLatin1Char(','));
    if (fields.size() <= kFieldsBeforePath)
        return QString();
    TConnData conn;
    const std::int64_t params = connectionParameters(fields[kParamsField]);
    conn.DimHeaderOT = std::uint8_t((params >> 8) & 7);
    conn.DimHeaderTO = std::uint8_t((params >> 12) & 7);
    conn.ConnName = trimBlanks(fields[kNameField]);
    conn.HelpStr = trimBlanks(fields[kHelpField]);
    const QString rest = fields.mid(kFieldsBeforePath).join(QLatin1Char(','));
    if (!decodePath(pathBytes(pathText(rest)), conn))
        return QString();
    conn.ConnIndex = int(List_Conn.size()) + 1;
    List_Conn.push_back(conn);
    return QString();
}

namespace {

// A name or help text as the user reads it: without the double quotes the EDS file writes
// around it (the connection record keeps them, as written).
QString shownText(const QString& written)
{
    if (written.size() >= 2 && written.front() == QLatin1Char('"') && written.back() == QLatin1Char('"'))
        return written.mid(1, written.size() - 2);
    return written;
}

} // namespace

void TFEtherNEtIP_EDS::ShowDatainGrid()
{
    ACG->SetRowCount(2);
    for (int c = 0; c < eds_col::Count; ++c)
        ACG->SetCells(c, 1, QString());
    if (List_Conn.empty()) {
        TClose->start();
        return;
    }
    ACG->SetRowCount(int(List_Conn.size()) + 1);
    int row = 1;
    for (const TConnData& conn : List_Conn) {
        const QString cells[eds_col::Count] = {
            QStringLiteral("Connection") + QString::number(row),
            shownText(conn.ConnName),
            shownText(conn.HelpStr),
            QString::number(conn.InstanceOT),
            QString::number(conn.ConnPointOT),
            QString::number(conn.InstanceTO),
            QString::number(conn.ConnPointTO),
            dimHeaderText(conn.DimHeaderOT, 4),
            dimHeaderText(conn.DimHeaderTO, 0),
        };
        for (int c = 0; c < eds_col::Count; ++c)
            ACG->SetCells(c, row, cells[c]);
        ++row;
    }
    ACG->SetRow(1);
    ACG->viewport()->update();
}

void TFEtherNEtIP_EDS::TCloseTimer()
{
    TClose->stop();
    if (services_.messages)
        services_.messages->error(this, Lang_Text(kText_No_Connection));
    done(kModalCancel);
}

void TFEtherNEtIP_EDS::reject()
{
    done(kModalCancel);
}

} // namespace ethernet
