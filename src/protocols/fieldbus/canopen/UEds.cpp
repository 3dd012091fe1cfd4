#include "protocols/fieldbus/canopen/UEds.h"

#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "platform/TextCodec.h"
#include "platform/Xml.h"

#include <algorithm>

namespace fieldbus {

namespace xml = platform::xml;

namespace {

constexpr const char* kEDS_File_Name = "IOLinkSlave_CANopen.eds";
constexpr const char* kEDS_Product = "IO-Link Slave / CANopen - Converter";

// ---- Numbers as the file writes them --------------------------------------------------------

// Upper-case hexadecimal, at least `digits` long; a negative value as its 32 bits.
QString hex(std::int64_t value, int digits)
{
    return QString::number(quint32(value), 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

QString dec(std::int64_t value)
{
    return QString::number(value);
}

QString text(const char* s)
{
    return s ? QString::fromLatin1(s) : QString();
}

QString Section_Name(int index)
{
    return QLatin1Char('[') + hex(index, 4) + QLatin1Char(']');
}

// Sub-index 10 of 0x2000 is [2000subA].
QString Sub_Section_Name(int index, int sub)
{
    return QLatin1Char('[') + hex(index, 4) + QLatin1String("sub") + hex(sub, 1) + QLatin1Char(']');
}

// ---- Lines --------------------------------------------------------------------------------

// One section: its name, "key=value" lines in order, an empty line.
struct TKey {
    const char* key;
    QString value;
};

void Section(QStringList& out, const QString& name, std::initializer_list<TKey> keys)
{
    out << name;
    for (const TKey& k : keys)
        out << QLatin1String(k.key) + QLatin1Char('=') + k.value;
    out << QString();
}

// An object's keys in the order every table of the layout gives them; a null value is left
// out.
struct TObject {
    QString subNumber;
    QString name;
    QString objectType;
    QString dataType;
    QString accessType;
    QString defaultValue;
    QString pdoMapping;
};

void Object(QStringList& out, const QString& section, const TObject& o, bool emptyLineAfter = true)
{
    out << section;
    const TKey keys[] = {{"SubNumber", o.subNumber},  {"ParameterName", o.name},    {"ObjectType", o.objectType},
                         {"DataType", o.dataType},    {"AccessType", o.accessType}, {"DefaultValue", o.defaultValue},
                         {"PDOMapping", o.pdoMapping}};
    for (const TKey& k : keys)
        if (!k.value.isNull())
            out << QLatin1String(k.key) + QLatin1Char('=') + k.value;
    if (emptyLineAfter)
        out << QString();
}

// A VAR entry: the form every sub-index of the communication objects takes.
TObject Var(const QString& name, const char* dataType, const char* access, const QString& defaultValue,
            const char* pdoMapping = "0")
{
    return {QString(), name, QStringLiteral("0x07"), text(dataType), text(access), defaultValue, text(pdoMapping)};
}

// ---- Fixed objects ------------------------------------------------------------------------

struct TFixed_Object {
    const char* section;
    const char* subNumber;
    const char* name;
    const char* objectType;
    const char* dataType;
    const char* accessType;
    const char* defaultValue;
    const char* pdoMapping;
};

// nullptr: the key is not written.
constexpr TFixed_Object kFixed_Objects[] = {
    {"[1000]", nullptr, "Device Type", "0x07", "0x0007", "const", "0x000101A4", "0"},
    {"[1001]", nullptr, "Error Register", "0x07", "0x0005", "ro", "0x00", "0"},
    {"[1005]", nullptr, "COB-ID SYNC", "0x07", "0x0007", "rw", "0x80000080", "0"},
    {"[1006]", nullptr, "Communication Cycle Period", "0x07", "0x0007", "rw", "0x00000000", "0"},
    {"[1008]", nullptr, "Manufacturer Device Name", "0x07", "0x0009", "const", "s1", "0"},
    {"[1014]", nullptr, "COB-ID EMCY", "0x07", "0x0007", "ro", "$NODEID+0x80", "0"},
    {"[1016]", "3", "Heartbeat Consumer Entries", "0x08", nullptr, nullptr, nullptr, nullptr},
    {"[1016sub0]", nullptr, "Number of Entries", "0x07", "0x0005", "ro", "0x02", "0"},
    {"[1016sub1]", nullptr, "Consumer Heartbeat Time 1", "0x07", "0x0007", "rw", "0x00000000", "0"},
    {"[1016sub2]", nullptr, "Consumer Heartbeat Time 2", "0x07", "0x0007", "rw", "0x00000000", "0"},
    {"[1017]", nullptr, "Producer Heartbeat Time", "0x07", "0x0006", "rw", "0x000003E8", "0"},
    {"[1018]", "5", "Identity Object", "0x09", nullptr, nullptr, nullptr, nullptr},
    {"[1018sub0]", nullptr, "number of entries", "0x07", "0x0005", "ro", "0x4", "0"},
    {"[1018sub1]", nullptr, "Vendor Id", "0x07", "0x0007", "ro", nullptr, "0"},
    {"[1018sub2]", nullptr, "Product Code", "0x07", "0x0007", "ro", nullptr, "0"},
    {"[1018sub3]", nullptr, "Revision number", "0x07", "0x0007", "ro", nullptr, "0"},
    {"[1018sub4]", nullptr, "Serial number", "0x07", "0x0007", "ro", nullptr, "0"},
    {"[1029]", "2", "Error Behaviour", "0x08", nullptr, nullptr, nullptr, nullptr},
    {"[1029sub0]", nullptr, "Number of Entries", "0x07", "0x0005", "ro", "1", "0"},
    {"[1029sub1]", nullptr, "Communication Error", "0x07", "0x0005", "rw", "0x0", "0"},
    {"[1280]", "4", "Client SDO Parameter 1", "0x09", nullptr, nullptr, nullptr, nullptr},
    {"[1280sub0]", nullptr, "Number of Entries", "0x07", "0x0005", "ro", "0x03", "0"},
    {"[1280sub1]", nullptr, "COB-ID Client -> Server", "0x07", "0x0007", "rw", nullptr, "0"},
    {"[1280sub2]", nullptr, "COB-ID Server -> Client", "0x07", "0x0007", "rw", nullptr, "0"},
    {"[1280sub3]", nullptr, "Node ID of the SDO Server", "0x07", "0x0005", "rw", nullptr, "0"},
};

// The optional objects every file lists before the PDOs.
constexpr int kFixed_Optional[] = {0x1005, 0x1006, 0x1008, 0x1014, 0x1016, 0x1017, 0x1029, 0x1280};
constexpr int kMandatory[] = {0x1000, 0x1001, 0x1018};

void Fixed_Objects(QStringList& out)
{
    for (const TFixed_Object& f : kFixed_Objects) {
        // The data sheets of this family have no empty line after the last fixed object: the
        // next section, or the file's final empty line, follows it directly.
        const bool last = &f == &kFixed_Objects[std::size(kFixed_Objects) - 1];
        Object(out, text(f.section),
               {text(f.subNumber), text(f.name), text(f.objectType), text(f.dataType), text(f.accessType),
                text(f.defaultValue), text(f.pdoMapping)},
               !last);
    }
}

// ---- PDO objects --------------------------------------------------------------------------

// What tells receive and transmit PDOs apart in their three objects.
struct TPdo_Kind {
    int communication; // first communication object
    int mapping;       // first mapping object
    int variables;     // first variable object
    const char* communicationName;
    const char* mappingName;
    bool mappingNumbered; // the transmit mapping objects carry the PDO number, the receive ones not
    const char* variablesName;
    const char* countAccess; // the variable object's sub-index 0
    const char* entryAccess; // its entries
    const std::array<std::string_view, kEDS_Max_PDO>* names;
};

constexpr TPdo_Kind kReceive{0x1400,
                             0x1600,
                             0x7000,
                             "Receive PDO Communication Parameter ",
                             "Receive PDO Mapping Parameter",
                             false,
                             "RPDO",
                             "ro",
                             "rww",
                             &RPDO_Var_Names};
constexpr TPdo_Kind kTransmit{0x1800,
                              0x1A00,
                              0x7050,
                              "Transmit PDO Communication Parameter ",
                              "Transmit PDO Mapping Parameter ",
                              true,
                              "TPDO",
                              "rw",
                              "rwr",
                              &TPDO_Var_Names};

using TPdo_Table = std::array<EDS_PDO_Entry, kEDS_Max_PDO>;

void Communication_Objects(QStringList& out, const TPdo_Kind& kind, const TPdo_Table& table, int count)
{
    for (int i = 0; i < count; ++i) {
        const int x = kind.communication + i;
        Object(
            out, Section_Name(x),
            {QStringLiteral("4"), text(kind.communicationName) + dec(i + 1), QStringLiteral("0x09"), {}, {}, {}, {}});
        Object(out, Sub_Section_Name(x, 0), Var(QStringLiteral("Number of Entries"), "0x0005", "ro", "0x03"));
        Object(out, Sub_Section_Name(x, 1),
               Var(QStringLiteral("COB-ID"), "0x0007", "rw", QStringLiteral("0x") + hex(table[size_t(i)].Cob_Id, 8)));
        Object(out, Sub_Section_Name(x, 2), Var(QStringLiteral("Transmission Type"), "0x0005", "rw", "0xFE"));
        Object(out, Sub_Section_Name(x, 3), Var(QStringLiteral("Inhibit Time"), "0x0006", "rw", "0x0"));
    }
}

void Mapping_Objects(QStringList& out, const TPdo_Kind& kind, const TPdo_Table& table, int count)
{
    for (int i = 0; i < count; ++i) {
        const int y = kind.mapping + i;
        const int d = table[size_t(i)].Dimension;
        const QString name = text(kind.mappingName) + (kind.mappingNumbered ? dec(i + 1) : QString());
        Object(out, Section_Name(y), {dec(d + 1), name, QStringLiteral("0x09"), {}, {}, {}, {}});
        Object(out, Sub_Section_Name(y, 0),
               Var(QStringLiteral("Number of Entries"), "0x0005", "ro", QStringLiteral("0x") + hex(d, 2)));
        for (int j = 1; j <= d; ++j)
            Object(out, Sub_Section_Name(y, j),
                   Var(QStringLiteral("Mapping Entry ") + dec(j), "0x0007", "ro",
                       EDS_Mapping_Value(kind.variables + i, j)));
    }
}

void Variable_Objects(QStringList& out, const TPdo_Kind& kind, const TPdo_Table& table, int count)
{
    for (int i = 0; i < count; ++i) {
        const int v = kind.variables + i;
        const int d = table[size_t(i)].Dimension;
        const std::string_view prefix = (*kind.names)[size_t(i)];
        Object(out, Section_Name(v),
               {dec(d + 1), text(kind.variablesName) + dec(i + 1), QStringLiteral("0x08"), {}, {}, {}, {}});
        Object(out, Sub_Section_Name(v, 0),
               Var(QStringLiteral("Number of Entries"), "0x0005", kind.countAccess, QStringLiteral("0x") + hex(d, 2)));
        for (int j = 1; j <= d; ++j)
            Object(out, Sub_Section_Name(v, j),
                   Var(QString::fromLatin1(prefix.data(), qsizetype(prefix.size())) + dec(j), "0x0005",
                       kind.entryAccess, QStringLiteral("0x00"), "1"));
    }
}

// ---- SDO server objects -------------------------------------------------------------------

struct TSdo_Type {
    const char* dataType;
    const char* lowLimit;
    const char* highLimit;
    const char* defaultValue;
};

// By byte count: 1, 2, and every other count as 4.
constexpr TSdo_Type kSdo_Types[] = {
    {"0x0005", "0x00", "0xFF", "0x00"},
    {"0x0006", "0x0000", "0xFFFF", "0x0000"},
    {"0x0007", "0x00000000", "0xFFFFFFFF", "0x00000000"},
};

const TSdo_Type& Sdo_Type(int quantity)
{
    return kSdo_Types[quantity == 1 ? 0 : quantity == 2 ? 1 : 2];
}

// These objects write ObjectType as "0x9" / "0x7" and AccessType after DefaultValue.
void Sdo_Objects(QStringList& out, const std::vector<SDO_Index>& list)
{
    for (const SDO_Index& entry : list) {
        const auto& subs = entry.Sub_Indexs;
        const bool hasSub0 = subs.front().Sub == 0;
        const int count = int(subs.size()) + (hasSub0 ? 0 : 1);
        Section(out, Section_Name(entry.Index),
                {{"SubNumber", dec(count)},
                 {"ParameterName", QStringLiteral("App Vars")},
                 {"ObjectType", QStringLiteral("0x9")}});
        if (!hasSub0)
            Section(out, Sub_Section_Name(entry.Index, 0),
                    {{"ParameterName", QStringLiteral("Largest Sub-Index supported")},
                     {"ObjectType", QStringLiteral("0x7")},
                     {"DataType", QStringLiteral("0x0005")},
                     {"AccessType", QStringLiteral("ro")},
                     {"DefaultValue", QStringLiteral("0x") + hex(subs.back().Sub, 2)},
                     {"PDOMapping", QStringLiteral("0")}});
        for (const SDO_Sub_Type& sub : subs) {
            const TSdo_Type& type = Sdo_Type(sub.Quantity);
            Section(out, Sub_Section_Name(entry.Index, sub.Sub),
                    {{"ParameterName", QStringLiteral("Application Variable")},
                     {"ObjectType", QStringLiteral("0x7")},
                     {"DataType", text(type.dataType)},
                     {"LowLimit", text(type.lowLimit)},
                     {"HighLimit", text(type.highLimit)},
                     {"DefaultValue", text(type.defaultValue)},
                     {"AccessType", sub.Readonly ? QStringLiteral("ro") : QStringLiteral("rw")},
                     {"PDOMapping", QStringLiteral("0")}});
        }
    }
}

// ---- Lists of objects -----------------------------------------------------------------------

void Object_List(QStringList& out, const char* name, const std::vector<int>& indexes)
{
    out << QString::fromLatin1(name) << QStringLiteral("SupportedObjects=") + dec(qsizetype(indexes.size()));
    for (size_t k = 0; k < indexes.size(); ++k)
        out << dec(qsizetype(k + 1)) + QStringLiteral("=0x") + hex(indexes[k], 4);
    out << QString();
}

void Append_Run(std::vector<int>& indexes, int first, int count)
{
    for (int i = 0; i < count; ++i)
        indexes.push_back(first + i);
}

// ---- Reading ------------------------------------------------------------------------------

[[noreturn]] void Fail(const QString& path, const QString& what)
{
    throw xml::XmlError(QStringLiteral("%1: %2").arg(path, what).toStdString());
}

// The document's first element, from a file that exists; its name is not looked at.
pugi::xml_node Load_Root(xml::Document& doc, const QString& path)
{
    QString error;
    if (!doc.load(path, &error))
        Fail(path, error);
    return doc.root();
}

pugi::xml_node Section_Of(pugi::xml_node root, const char* name, const QString& path)
{
    const pugi::xml_node section = xml::child(root, name);
    if (!section)
        Fail(path, QStringLiteral("Missing element \"%1\"").arg(QLatin1String(name)));
    return section;
}

QString Required(pugi::xml_node row, const char* name, const QString& path)
{
    const pugi::xml_attribute a = row.attribute(name);
    if (!a)
        Fail(path, QStringLiteral("Missing attribute \"%1\"").arg(QLatin1String(name)));
    return xml::toQString(a.value());
}

// Reads up to the table's size of the section's rows; returns how many.
int Read_PDO_Section(pugi::xml_node root, const char* name, TPdo_Table& table, const QString& path)
{
    int count = 0;
    for (pugi::xml_node row : Section_Of(root, name, path).children()) {
        if (row.type() != pugi::node_element)
            continue;
        if (count == kEDS_Max_PDO)
            break;
        EDS_PDO_Entry& e = table[size_t(count)];
        e.Cob_Id = common::strToIntDef(Required(row, "COB-ID", path), 0);
        e.Dimension = common::strToIntDef(Required(row, "Dimension", path), 8);
        ++count;
        // The mapping and variable objects hold one entry per byte of a CAN frame.
        if (e.Dimension < 1 || e.Dimension > 8)
            Fail(path, QStringLiteral("row %1 of \"%2\" has Dimension %3; a PDO carries 1 to 8 bytes")
                           .arg(count)
                           .arg(QLatin1String(name))
                           .arg(e.Dimension));
    }
    return count;
}

int Required_Number(pugi::xml_node row, const char* name, int rowNumber, const char* section, const QString& path)
{
    const QString value = Required(row, name, path);
    int number = 0;
    if (!common::tryStrToInt(value, number))
        Fail(path, QStringLiteral("\"%1\" of row %2 of \"%3\" is no number: \"%4\"")
                       .arg(QLatin1String(name))
                       .arg(rowNumber)
                       .arg(QLatin1String(section), value));
    return number;
}

} // namespace

QString EDS_Date_Text(const QDate& date)
{
    return QString::asprintf("%02d-%02d-%d", date.month(), date.day(), date.year());
}

QString EDS_Time_Text(const QTime& time)
{
    const int h = time.hour();
    const int m = time.minute();
    int shown = h;
    bool pm = false;
    if (h > 12) {
        shown = h - 12;
        pm = true;
    } else if (h == 12) {
        // The family's data sheets have always written noon this way.
        shown = m == 0 ? 12 : 0;
        pm = m != 0;
    }
    return QString::asprintf("%02d:%02d%s", shown, m, pm ? "PM" : "AM");
}

QString EDS_Mapping_Value(int variableIndex, int j)
{
    return QStringLiteral("0x") + hex(variableIndex, 4) + hex(j, 2) + QStringLiteral("08");
}

void TEds::Read_PDO_CANopen()
{
    RPDO_Count = 0;
    TPDO_Count = 0;
    const QString path = common::State().File_PDO_CANopen;
    if (path.isEmpty() || !platform::fileExists(path))
        return;
    xml::Document doc;
    const pugi::xml_node root = Load_Root(doc, path);
    const int r = Read_PDO_Section(root, "Receive_PDO", RPDO_Table, path);
    const int t = Read_PDO_Section(root, "Transmit_PDO", TPDO_Table, path);
    RPDO_Count = r;
    TPDO_Count = t;
}

void TEds::Read_SDO_Server_CANopen()
{
    const QString path = common::State().File_SDO_Server_CANopen;
    if (path.isEmpty() || !platform::fileExists(path))
        return;
    xml::Document doc;
    const pugi::xml_node root = Load_Root(doc, path);
    for (const auto& [section, readonly] : {std::pair{"SDO_Read", true}, std::pair{"SDO_Write", false}}) {
        int rowNumber = 0;
        for (pugi::xml_node row : Section_Of(root, section, path).children()) {
            if (row.type() != pugi::node_element)
                continue;
            ++rowNumber;
            const int index = Required_Number(row, "Index", rowNumber, section, path);
            const int sub = Required_Number(row, "SubIndex", rowNumber, section, path);
            const int nByte = Required_Number(row, "NByte", rowNumber, section, path);
            Add_SDO(index, sub, nByte, readonly);
        }
    }
}

void TEds::Add_SDO(int index, int sub, int nByte, bool readonly)
{
    const auto key = std::uint16_t(index & 0xFFFF);
    int at = Find_SDO_Index(key);
    if (at < 0) {
        SDO_Index_List.push_back({key, {}});
        at = int(SDO_Index_List.size()) - 1;
    }
    auto& subs = SDO_Index_List[size_t(at)].Sub_Indexs;
    const auto same =
        std::find_if(subs.begin(), subs.end(), [sub](const SDO_Sub_Type& s) { return s.Sub == std::uint8_t(sub); });
    if (same != subs.end()) {
        // One object the master both reads and writes: the first row's size, read-write.
        same->Readonly = same->Readonly && readonly;
        return;
    }
    subs.push_back({std::uint8_t(sub), std::uint8_t(nByte), readonly, QString()});
}

int TEds::Find_SDO_Index(int index) const
{
    for (size_t i = 0; i < SDO_Index_List.size(); ++i)
        if (SDO_Index_List[i].Index == index)
            return int(i);
    return -1;
}

void TEds::Sort_SDO_Sub_Indexs()
{
    for (SDO_Index& entry : SDO_Index_List)
        std::stable_sort(entry.Sub_Indexs.begin(), entry.Sub_Indexs.end(),
                         [](const SDO_Sub_Type& a, const SDO_Sub_Type& b) { return a.Sub < b.Sub; });
}

QStringList TEds::Build_EDS_Lines(const QDateTime& now) const
{
    const QString date = EDS_Date_Text(now.date());
    const QString time = EDS_Time_Text(now.time());
    const QString maker = QString::fromLatin1(kEDS_Maker_Name);
    const QString one = QStringLiteral("1");
    const QString zero = QStringLiteral("0");
    const int r = RPDO_Count;
    const int t = TPDO_Count;

    QStringList out;
    Section(out, QStringLiteral("[FileInfo]"),
            {{"FileName", text(kEDS_File_Name)},
             {"FileVersion", one},
             {"FileRevision", zero},
             {"EDSVersion", QStringLiteral("4.0")},
             {"Description", text(kEDS_Product)},
             {"CreationTime", time},
             {"CreationDate", date},
             {"CreatedBy", maker},
             {"ModificationTime", time},
             {"ModificationDate", date},
             {"ModifiedBy", maker}});
    Section(out, QStringLiteral("[DeviceInfo]"),
            {{"VendorName", maker},
             {"VendorNumber", QStringLiteral("0x00")},
             {"ProductName", text(kEDS_Product)},
             {"ProductNumber", QStringLiteral("516")},
             {"RevisionNumber", QStringLiteral("0x0")},
             {"OrderCode", QStringLiteral("GX40516")},
             {"BaudRate_10", one},
             {"BaudRate_20", one},
             {"BaudRate_50", one},
             {"BaudRate_125", one},
             {"BaudRate_250", one},
             {"BaudRate_500", one},
             {"BaudRate_800", zero},
             {"BaudRate_1000", one},
             {"DynamicChannelsSupported", zero},
             {"GroupMessaging", zero},
             {"LSS_Supported", zero},
             {"Granularity", zero},
             {"SimpleBootUpSlave", one},
             {"SimpleBootUpMaster", zero},
             {"NrOfRXPDO", dec(r)},
             {"NrOfTXPDO", dec(t)}});
    Section(out, QStringLiteral("[Comments]"), {{"Lines", zero}});
    out << QStringLiteral("[DummyUsage]");
    for (int k = 1; k <= 7; ++k)
        out << QStringLiteral("Dummy%1=0").arg(k, 4, 10, QLatin1Char('0'));
    out << QString();

    Object_List(out, "[MandatoryObjects]", {std::begin(kMandatory), std::end(kMandatory)});
    std::vector<int> optional(std::begin(kFixed_Optional), std::end(kFixed_Optional));
    Append_Run(optional, kReceive.communication, r);
    Append_Run(optional, kReceive.mapping, r);
    Append_Run(optional, kTransmit.communication, t);
    Append_Run(optional, kTransmit.mapping, t);
    Append_Run(optional, kReceive.variables, r);
    Append_Run(optional, kTransmit.variables, t);
    Object_List(out, "[OptionalObjects]", optional);
    std::vector<int> manufacturer;
    for (const SDO_Index& entry : SDO_Index_List)
        manufacturer.push_back(entry.Index);
    Object_List(out, "[ManufacturerObjects]", manufacturer);

    Fixed_Objects(out);
    Communication_Objects(out, kReceive, RPDO_Table, r);
    Mapping_Objects(out, kReceive, RPDO_Table, r);
    Communication_Objects(out, kTransmit, TPDO_Table, t);
    Mapping_Objects(out, kTransmit, TPDO_Table, t);
    Variable_Objects(out, kReceive, RPDO_Table, r);
    Variable_Objects(out, kTransmit, TPDO_Table, t);
    Sdo_Objects(out, SDO_Index_List);
    out << QString();
    return out;
}

bool Write_EDS_File(const QString& fileName, platform::Services& services, QWidget* parent)
{
    const auto fail = [&](const QString& message) {
        if (services.messages)
            services.messages->error(parent, message);
        return false;
    };
    TEds eds;
    try {
        eds.Read_PDO_CANopen();
        eds.Read_SDO_Server_CANopen();
    } catch (const xml::XmlError& e) {
        return fail(QString::fromStdString(e.what()));
    }
    eds.Sort_SDO_Sub_Indexs();
    const QStringList lines = eds.Build_EDS_Lines(platform::now(services));
    QString error;
    if (!platform::writeAnsiFile(fileName, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), &error))
        return fail(QStringLiteral("%1: %2").arg(fileName, error));
    return true;
}

} // namespace fieldbus
