#include "protocols/fieldbus/ethercat/UEtherCAT_ESI_File.h"

#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "platform/Xml.h"

#include <QByteArray>

#include <array>
#include <string_view>

namespace fieldbus {

namespace {

constexpr int kText_File_Exists = 1505;

// ---- the template ----------------------------------------------------------------------------
// One line of the file: its indent in blanks and its text, in which {name} stands for a
// computed value; the lines "{outputs}" and "{inputs}" stand for the PDO blocks.
struct TESI_Line {
    int indent;
    std::string_view text;
};

constexpr TESI_Line kTemplate[] = {
    {0, R"(<?xml version="1.0"?>)"},
    {0,
     R"(<EtherCATInfo xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xsi:noNamespaceSchemaLocation="EtherCATInfo.xsd" Version="1.6">)"},
    {2, "<Vendor>"},
    {4, "<Id>#x00000B2C</Id>"},
    {4, "<Name>{vendor}</Name>"},
    {4, "<ImageData16x14>{icon}</ImageData16x14>"},
    {2, "</Vendor>"},
    {2, "<Descriptions>"},
    {4, "<Groups>"},
    {6, R"(<Group SortOrder="0">)"},
    {8, "<Type>{group}</Type>"},
    {8, R"(<Name LcId="1031">{group}</Name>)"},
    {8, R"(<Name LcId="1033">{group}</Name>)"},
    {8, "<ImageData16x14>{icon}</ImageData16x14>"},
    {6, "</Group>"},
    {4, "</Groups>"},
    {4, "<Devices>"},
    {6, R"(<Device Physics="YY">)"},
    {8, R"(<Type ProductCode="#x{product}" RevisionNo="#x{revision}">{slave}</Type>)"},
    {8, R"(<Name LcId="1033">{slave}</Name>)"},
    {8, R"(<Name LcId="1031">{slave}</Name>)"},
    {8, "<Info>"},
    {10, "<StateMachine>"},
    {12, "<Timeout>"},
    {14, "<PreopTimeout>2000</PreopTimeout>"},
    {14, "<SafeopOpTimeout>9000</SafeopOpTimeout>"},
    {14, "<BackToInitTimeout>5000</BackToInitTimeout>"},
    {14, "<BackToSafeopTimeout>200</BackToSafeopTimeout>"},
    {12, "</Timeout>"},
    {10, "</StateMachine>"},
    {10, "<Mailbox>"},
    {12, "<Timeout>"},
    {14, "<RequestTimeout>100</RequestTimeout>"},
    {14, "<ResponseTimeout>2000</ResponseTimeout>"},
    {12, "</Timeout>"},
    {10, "</Mailbox>"},
    {10, "<IdentificationReg134>true</IdentificationReg134>"},
    {8, "</Info>"},
    {8, "<GroupType>{group}</GroupType>"},
    {8, "<Fmmu>Outputs</Fmmu>"},
    {8, "<Fmmu>Inputs</Fmmu>"},
    {8,
     R"(<Sm MinSize="0" MaxSize="0" DefaultSize="0" StartAddress="#x1FFF" ControlByte="#x26" Enable="0">MBoxOut</Sm>)"},
    {8,
     R"(<Sm MinSize="0" MaxSize="0" DefaultSize="0" StartAddress="#x1FFF" ControlByte="#x22" Enable="0">MBoxIn</Sm>)"},
    {8, R"(<Sm StartAddress="#x{outputStart}" ControlByte="#x64" DefaultSize="1" Enable="1">Outputs</Sm>)"},
    {8, R"(<Sm StartAddress="#x1000" ControlByte="#x20" DefaultSize="1" Enable="1">Inputs</Sm>)"},
    {0, "{outputs}"},
    {0, "{inputs}"},
    {8, R"(<Mailbox DataLinkLayer="true">)"},
    {10, "<EoE />"},
    {10, R"(<CoE SdoInfo="true" SegmentedSdo="true" CompleteAccess="true" />)"},
    {10, "<FoE />"},
    {8, "</Mailbox>"},
    {8, "<Dc>"},
    {10, "<OpMode>"},
    {12, "<Name>Synchron</Name>"},
    {12, "<Desc>SM-Synchron</Desc>"},
    {12, "<AssignActivate>#x0</AssignActivate>"},
    {12, R"(<CycleTimeSync0 Factor="1">0</CycleTimeSync0>)"},
    {12, "<ShiftTimeSync0>0</ShiftTimeSync0>"},
    {12, R"(<CycleTimeSync1 Factor="1">0</CycleTimeSync1>)"},
    {10, "</OpMode>"},
    {10, "<OpMode>"},
    {12, "<Name>DC</Name>"},
    {12, "<Desc>DC-Synchron</Desc>"},
    {12, "<AssignActivate>#x300</AssignActivate>"},
    {12, R"(<CycleTimeSync0 Factor="1">0</CycleTimeSync0>)"},
    {12, "<ShiftTimeSync0>0</ShiftTimeSync0>"},
    {12, R"(<CycleTimeSync1 Factor="1">0</CycleTimeSync1>)"},
    {10, "</OpMode>"},
    {8, "</Dc>"},
    {8, "<Eeprom>"},
    {10, "<ByteSize>2048</ByteSize>"},
    {10, "<ConfigData>800F00CC8813ff00{node}00800000</ConfigData>"},
    {8, "</Eeprom>"},
    {8, "<ImageData16x14>{icon}</ImageData16x14>"},
    {6, "</Device>"},
    {4, "</Devices>"},
    {2, "</Descriptions>"},
    {0, "</EtherCATInfo>"},
};
static_assert(std::size(kTemplate) == 79);

// ---- the PDO blocks --------------------------------------------------------------------------
struct TPdo_Block {
    const char* element;
    int sm;
    int pdoIndex; // of the first PDO
    const char* prefix;
    int entryIndex; // of the first entry
};
constexpr TPdo_Block kOutputs{"RxPdo", 2, 0x1600, "Outputs_", 0x7000};
constexpr TPdo_Block kInputs{"TxPdo", 3, 0x1A00, "Inputs_", 0x6000};
constexpr int kEntriesPerPdo = 16;

// ---- the type map ----------------------------------------------------------------------------
// bits 0: the Length in bytes times 8, and the name takes the Length: "STRING(12)".
struct TESI_Map {
    std::string_view type;
    std::string_view dataType;
    int bits;
};
constexpr TESI_Map kTypeMap[] = {
    {"BOOL", "BIT", 1},      {"INT8", "SINT", 8},     {"INT16", "INT", 16},
    {"INT32", "DINT", 32},   {"UINT8", "USINT", 8},   {"UINT16", "UINT", 16},
    {"UINT32", "UDINT", 32}, {"FLOAT32", "REAL", 32}, {"STRING", "STRING", 0},
};
constexpr std::string_view kBit = "BIT";

QString latin(std::string_view s)
{
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

// At least `digits` upper-case hexadecimal digits.
QString hex(std::uint64_t value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// The maker's name and web host: the vendor as the engineering tools list it.
QString vendorName()
{
    return QStringLiteral("%1 (%2)").arg(QLatin1String(common::kMakerName), QLatin1String(common::kMakerHost));
}

// ---- the vendor icon -------------------------------------------------------------------------
// A 16 x 14 picture (top row first) in four colours: a navy frame, a blue field with a white
// "N", an orange stripe. Written as a 4-bit bitmap file.
constexpr std::array<std::string_view, 14> kIcon = {
    "DDDDDDDDDDDDDDDD", "DBBBBBBBBBBBBBBD", "DBBWWBBBBBBWWBBD", "DBBWWWBBBBBWWBBD", "DBBWWWWBBBBWWBBD",
    "DBBWWBWWBBBWWBBD", "DBBWWBBWWBBWWBBD", "DBBWWBBBWWBWWBBD", "DBBWWBBBBWWWWBBD", "DBBWWBBBBBWWWBBD",
    "DBBWWBBBBBBWWBBD", "DBBBBBBBBBBBBBBD", "DOOOOOOOOOOOOOOD", "DDDDDDDDDDDDDDDD",
};
struct TIconColour {
    char key;
    std::uint8_t r, g, b;
};
constexpr TIconColour kIconColours[] = {
    {'D', 0x1C, 0x2B, 0x5A}, {'B', 0x2E, 0x6B, 0xC6}, {'W', 0xFF, 0xFF, 0xFF}, {'O', 0xF0, 0x8C, 0x1E}};

QByteArray iconBitmap()
{
    constexpr int width = 16, height = int(kIcon.size()), rowBytes = width / 2, paletteSize = 16;
    constexpr int offset = 14 + 40 + paletteSize * 4;
    constexpr int imageSize = rowBytes * height;
    QByteArray bmp;
    const auto u16 = [&](int v) {
        bmp.append(char(v & 0xFF));
        bmp.append(char((v >> 8) & 0xFF));
    };
    const auto u32 = [&](int v) {
        u16(v & 0xFFFF);
        u16((v >> 16) & 0xFFFF);
    };
    bmp.append("BM");
    u32(offset + imageSize);
    u32(0);
    u32(offset);
    u32(40); // BITMAPINFOHEADER
    u32(width);
    u32(height); // rows bottom-up
    u16(1);
    u16(4);
    u32(0); // uncompressed
    u32(imageSize);
    u32(0);
    u32(0);
    u32(paletteSize);
    u32(0);
    for (int i = 0; i < paletteSize; ++i) {
        const bool used = i < int(std::size(kIconColours));
        bmp.append(char(used ? kIconColours[i].b : 0));
        bmp.append(char(used ? kIconColours[i].g : 0));
        bmp.append(char(used ? kIconColours[i].r : 0));
        bmp.append(char(0));
    }
    const auto index = [](char key) {
        for (int i = 0; i < int(std::size(kIconColours)); ++i)
            if (kIconColours[i].key == key)
                return i;
        return 0;
    };
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; x += 2)
            bmp.append(char((index(kIcon[size_t(y)][size_t(x)]) << 4) | index(kIcon[size_t(y)][size_t(x) + 1])));
    return bmp;
}

// ---- building the text -----------------------------------------------------------------------
class TLines {
public:
    void add(int indent, const QString& text) { lines_.append(QString(indent, QLatin1Char(' ')) + text); }
    void addTabs(int tabs, const QString& text) { lines_.append(QString(tabs, QLatin1Char('\t')) + text); }
    void empty() { lines_.append(QString()); }
    QStringList take() { return std::move(lines_); }

private:
    QStringList lines_;
};

void pdoBlocks(TLines& out, const TPdo_Block& block, const std::vector<TEtherCAT_Rule>& entries)
{
    const QString element = QLatin1String(block.element);
    const QString close = QStringLiteral("</%1>").arg(element);
    int bitsLeft = 8; // in the byte being filled; packing runs across PDOs
    for (size_t i = 0; i < entries.size(); ++i) {
        const TEtherCAT_Rule& e = entries[i];
        if (i % kEntriesPerPdo == 0) {
            const int pdo = int(i / kEntriesPerPdo);
            out.add(8, QStringLiteral(R"(<%1 Mandatory="true" Fixed="true" Sm="%2">)").arg(element).arg(block.sm));
            out.add(10, QStringLiteral("<Index>#x%1</Index>").arg(hex(std::uint64_t(block.pdoIndex + pdo), 4)));
            out.add(10, QStringLiteral("<Name>%1%2</Name>").arg(QLatin1String(block.prefix), Num_Str_3(pdo)));
            out.empty();
        }
        out.add(10, QStringLiteral("<Entry>"));
        out.add(12, QStringLiteral("<Index>#x%1</Index>").arg(hex(std::uint64_t(block.entryIndex) + i, 4)));
        out.add(12, QStringLiteral("<SubIndex>0</SubIndex>"));
        out.add(12, QStringLiteral("<BitLen>%1</BitLen>").arg(e.Length));
        out.add(12, QStringLiteral("<Name>%1</Name>").arg(escaped(e.Name)));
        out.add(12, QStringLiteral("<DataType>%1</DataType>").arg(escaped(e.DataType)));
        out.add(10, QStringLiteral("</Entry>"));
        out.empty();
        const bool bit = e.DataType == latin(kBit);
        if (!bit) {
            bitsLeft = 8;
        } else if (--bitsLeft == 0) {
            bitsLeft = 8;
        } else if (i + 1 == entries.size() || entries[i + 1].DataType != latin(kBit)) {
            // The byte's unused bits, as an entry without index.
            out.addTabs(5, QStringLiteral("<Entry>"));
            out.addTabs(6, QStringLiteral("<Index>#x0</Index>"));
            out.addTabs(6, QStringLiteral("<SubIndex>0</SubIndex>"));
            out.addTabs(6, QStringLiteral("<BitLen>%1</BitLen>").arg(bitsLeft));
            out.addTabs(5, QStringLiteral("</Entry>"));
            out.empty();
            bitsLeft = 8;
        }
        if (i % kEntriesPerPdo == kEntriesPerPdo - 1)
            out.add(8, close);
    }
    if (entries.size() % kEntriesPerPdo != 0)
        out.add(8, close);
}

// The template line with each {name} replaced by its value, in one pass so that a value
// holding braces stays as it is.
QString filled(std::string_view text, const std::vector<std::pair<std::string_view, QString>>& values)
{
    QString line;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t open = text.find('{', pos);
        const size_t close = open == std::string_view::npos ? open : text.find('}', open);
        if (close == std::string_view::npos) {
            line += latin(text.substr(pos));
            break;
        }
        line += latin(text.substr(pos, open - pos));
        const std::string_view key = text.substr(open + 1, close - open - 1);
        for (const auto& [name, value] : values)
            if (name == key)
                line += value;
        pos = close + 1;
    }
    return line;
}

// ---- reading ---------------------------------------------------------------------------------
// The enabled rows of one section, and the bytes they take in the image.
void readSection(pugi::xml_node section, std::vector<TEtherCAT_Rule>& rules, std::int64_t* bytes)
{
    bool bitRun = false;
    int runBits = 0;
    for (pugi::xml_node row = section.child("row"); row; row = row.next_sibling("row")) {
        if (platform::xml::attr(row, "Enable", QString()) != QLatin1String("Y"))
            continue;
        const int length = common::strToIntDef(platform::xml::attr(row, "Length", QString()), 0);
        const TESI_Type type = ESI_Data_Type(platform::xml::attr(row, "Type", QString()), length);
        rules.push_back({type.DataType, type.BitLen, platform::xml::attr(row, "Name", QString())});
        if (!bytes)
            continue;
        if (type.DataType != latin(kBit)) {
            *bytes += length;
            bitRun = false;
        } else {
            // A run of bits takes a byte when it opens and one more every eighth bit.
            if (!bitRun || runBits % 8 == 0)
                *bytes += 1;
            if (!bitRun)
                runBits = 0;
            bitRun = true;
            ++runBits;
        }
    }
}

} // namespace

QString Num_Str_3(int number)
{
    return number < 100 && number >= 0 ? QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'))
                                       : QString::number(number);
}

TESI_Type ESI_Data_Type(const QString& type, int byteLength)
{
    const QString key = common::upperAscii(common::trimBlanks(type));
    for (const TESI_Map& m : kTypeMap) {
        if (key != latin(m.type))
            continue;
        if (m.bits > 0)
            return {latin(m.dataType), m.bits};
        // The type name carries the string's length: a master sizes the entry from it.
        return {QStringLiteral("%1(%2)").arg(latin(m.dataType)).arg(byteLength), std::int64_t(byteLength) * 8};
    }
    return {latin(kBit), 1};
}

QString ESI_Vendor_Icon()
{
    static const QString icon = QString::fromLatin1(iconBitmap().toHex().toUpper());
    return icon;
}

TESI_Data Read_EtherCAT_Slave_Data()
{
    const common::TProgramState& state = common::State();
    TESI_Data data;
    platform::xml::Document doc;
    if (platform::fileExists(state.File_ParGen) && doc.load(state.File_ParGen)) {
        const pugi::xml_node root = doc.root();
        data.Revision = common::strToIntDef(
            platform::xml::childText(root, "EtherCAT_Slave_Revision_Number", QStringLiteral("0")), 0);
        data.Slave_Name = platform::xml::childText(root, "EtherCAT_Slave_Name", data.Slave_Name);
        data.Node_Address = std::uint16_t(
            common::strToIntDef(platform::xml::childText(root, "EtherCAT_Slave_Node_Address", QStringLiteral("1")), 1));
    }
    if (platform::fileExists(state.File_EtherCAT_Slave) && doc.load(state.File_EtherCAT_Slave)) {
        const pugi::xml_node variables = platform::xml::child(doc.root(), "EtherCAT_Slave_Variables");
        readSection(platform::xml::child(variables, "EtherCAT_Slave_To_Master"), data.ESI_Slave_To_Master,
                    &data.ESI_Bytes_In);
        readSection(platform::xml::child(variables, "EtherCAT_Master_To_Slave"), data.ESI_Master_To_Slave, nullptr);
    }
    return data;
}

QStringList ESI_Lines(const TESI_Data& data)
{
    const QString vendor = vendorName();
    // The outputs' sync manager follows three buffers of the input image, on a 4-byte boundary.
    const std::int64_t inputArea = (3 * data.ESI_Bytes_In + 3) / 4 * 4;
    const std::vector<std::pair<std::string_view, QString>> values = {
        {"vendor", escaped(vendor)},
        {"group", escaped(vendor + QStringLiteral(" Slaves"))},
        {"icon", ESI_Vendor_Icon()},
        {"product", data.Product_Code},
        {"revision", hex(std::uint32_t(data.Revision), 2)},
        {"slave", escaped(data.Slave_Name)},
        {"outputStart", hex(std::uint64_t(0x1000 + inputArea), 4)},
        {"node", hex(data.Node_Address & 0xFF, 2) + hex(data.Node_Address >> 8, 2)},
    };
    TLines out;
    for (const TESI_Line& line : kTemplate) {
        if (line.text == "{outputs}")
            pdoBlocks(out, kOutputs, data.ESI_Master_To_Slave);
        else if (line.text == "{inputs}")
            pdoBlocks(out, kInputs, data.ESI_Slave_To_Master);
        else
            out.add(line.indent, filled(line.text, values));
    }
    return out.take();
}

bool Write_ESI_File(const QString& fileName, const TESI_Data& data, QString* error)
{
    QByteArray bytes;
    for (const QString& line : ESI_Lines(data)) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return platform::replaceFile(fileName, bytes, error);
}

bool Build_ESI_File(const QString& fileName, QString* error)
{
    return Write_ESI_File(fileName, Read_EtherCAT_Slave_Data(), error);
}

void Create_ESI_File(QWidget* parent, const platform::Services& services)
{
    QString fileName = services.dialogs->saveFileName(parent, QString(), common::State().Project_Dir,
                                                      QStringLiteral("EtherCAT ESI File (*.xml)"));
    if (fileName.isEmpty())
        return;
    if (!fileName.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".xml");
    if (platform::fileExists(fileName) && !services.messages->askYesNo(parent, common::Lang_Text(kText_File_Exists)))
        return;
    QString error;
    if (!Build_ESI_File(fileName, &error))
        services.messages->error(parent, error);
}

} // namespace fieldbus
