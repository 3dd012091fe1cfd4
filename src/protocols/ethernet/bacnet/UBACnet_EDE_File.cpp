#include "protocols/ethernet/bacnet/UBACnet_EDE_File.h"

#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "platform/TextCodec.h"
#include "platform/Xml.h"

#include <QFileInfo>

#include <string_view>

namespace ethernet {

namespace {

// The standard BACnet object-type numbers of the server tables' Data Types.
struct TObject_Type {
    std::string_view dataType;
    int number;
};
constexpr TObject_Type kObjectTypes[] = {
    {"ANALOG INPUT", 0},        {"ANALOG OUT", 1},
    {"ANALOG VALUE", 2},        {"BINARY INPUT", 3},
    {"BINARY OUT", 4},          {"BINARY VALUE", 5},
    {"MULTI STATE INPUT", 13},  {"MULTI STATE OUTPUT", 14},
    {"MULTI STATE VALUE", 19},  {"LIFE SAFETY POINT", 21},
    {"LIFE SAFETY ZONE", 22},   {"ACCUMULATOR", 23},
    {"ACCESS DOOR", 30},        {"CHARACTERSTRING VALUE", 40},
    {"DATETIME VALUE", 44},     {"INTEGER VALUE", 45},
    {"LARGE ANALOG VALUE", 46}, {"POSITIVE INTEGER VALUE", 48},
};

constexpr const char* kSections[] = {"BACnet_in_Read", "BACnet_in_Write"};

constexpr const char* kEol = "\r\n";

// A field never carries the separator or a line end: each line keeps its seven fields.
QString field(QString text)
{
    for (QChar& c : text)
        if (c == QLatin1Char(';') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    return text;
}

// Loads a project file; false (and error) when it exists but cannot be read. Its absence is
// not an error: absent is told by the empty document.
bool loadIfPresent(platform::xml::Document& doc, const QString& path, bool& present, QString& error)
{
    present = !path.isEmpty() && QFileInfo::exists(path);
    if (!present)
        return true;
    if (doc.load(path, &error))
        return true;
    error = QFileInfo(path).fileName() + QStringLiteral(": ") + error;
    return false;
}

} // namespace

int EDE_Object_Type(const QString& dataType)
{
    const QString key = common::upperAscii(common::trimBlanks(dataType));
    for (const TObject_Type& t : kObjectTypes)
        if (key == QLatin1String(t.dataType.data(), qsizetype(t.dataType.size())))
            return t.number;
    return 0;
}

QString EDE_Date_Time_Str(const QDateTime& time)
{
    const QDate d = time.date();
    const QTime t = time.time();
    return QString::asprintf("%02d:%02d:%02d %02d/%02d/%d", t.hour(), t.minute(), t.second(), d.day(), d.month(),
                             d.year());
}

void TBACnet_EDE_File::Reset_EDE_Instances()
{
    EDE_Instance_Counters.clear();
    EDE_Dev_Instance.clear();
    EDE_Long_Names = false;
    EDE_Objects.clear();
}

bool TBACnet_EDE_File::Read_EDE_ParGen(QString& error)
{
    platform::xml::Document doc;
    bool present = false;
    if (!loadIfPresent(doc, common::State().File_ParGen, present, error))
        return false;
    if (!present)
        return true;
    const pugi::xml_node root = doc.root();
    const int type = common::strToIntDef(platform::xml::childText(root, "BACnet_Type"), 0);
    EDE_Dev_Instance = platform::xml::childText(root, type == 1 ? "BACnet_Ser_DEV_IDE" : "BACnet_DEV_IDE");
    EDE_Long_Names = platform::xml::childText(root, "BACnet_Desc_Chars_Limit") == QLatin1String("1");
    return true;
}

int TBACnet_EDE_File::Next_EDE_Instance(int objectType)
{
    return EDE_Instance_Counters[objectType]++;
}

bool TBACnet_EDE_File::Read_EDE_Objects(QString& error)
{
    platform::xml::Document doc;
    bool present = false;
    if (!loadIfPresent(doc, common::State().File_BACnet_Slave, present, error))
        return false;
    if (!present)
        return true;
    const int nameLength = EDE_Long_Names ? kLongNameLength : kNameLength;
    try {
        for (const char* section : kSections) {
            const pugi::xml_node parent = platform::xml::child(doc.root(), section);
            if (!parent)
                throw platform::xml::XmlError(std::string("Missing element \"") + section + "\"");
            for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling()) {
                if (n.type() != pugi::node_element)
                    continue;
                const int type = EDE_Object_Type(platform::xml::attrRequired(n, "Data_Type"));
                const QString mnemonic = platform::xml::attrRequired(n, "Mnemonic");
                const QString unit = platform::xml::attrRequired(n, "Eng_Unit");
                TBACnet_EDE_Obj o;
                o.DevObjInstance = EDE_Dev_Instance;
                o.ObjectName = mnemonic.left(nameLength);
                o.ObjectType = QString::number(type);
                o.ObjectInstance = QString::number(Next_EDE_Instance(type));
                o.Keyname = EDE_Dev_Instance + QLatin1Char('_') + mnemonic + QLatin1Char('_') + o.ObjectInstance;
                o.Description = o.ObjectName;
                o.UnitCode = unit;
                EDE_Objects.push_back(std::move(o));
            }
        }
    } catch (const platform::xml::XmlError& e) {
        error = QFileInfo(common::State().File_BACnet_Slave).fileName() + QStringLiteral(": ")
                + QString::fromStdString(e.what());
        return false;
    }
    return true;
}

QString TBACnet_EDE_File::EDE_Text(const QDateTime& time) const
{
    const QString vendor = QLatin1String(common::kMakerHost);
    QString text;
    const auto line = [&text](const QString& content) { text += content + QLatin1String(kEol); };
    line(QStringLiteral("PROJECT_NAME; ") + vendor + QStringLiteral("--") + field(common::State().Project_Name)
         + QStringLiteral(";;;;;;"));
    line(QStringLiteral("VERSION_OF_REFERENCEFILE;1.0;;;;;;"));
    line(QStringLiteral("TIMESTAMP_OF_LAST_CHANGE;") + EDE_Date_Time_Str(time) + QStringLiteral(";;;;;;"));
    line(QStringLiteral("AUTHOR_OF_LAST_CHANGE;") + vendor + QStringLiteral(";;;;;;"));
    line(QStringLiteral("VERSION_OF_LAYOUT;2;;;;;;"));
    line(QStringLiteral("# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;"));
    line(QStringLiteral(
        "# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;"));
    for (const TBACnet_EDE_Obj& o : EDE_Objects) {
        QString l;
        for (const QString* f : {&o.Keyname, &o.DevObjInstance, &o.ObjectName, &o.ObjectType, &o.ObjectInstance,
                                 &o.Description, &o.UnitCode})
            l += field(*f) + QLatin1Char(';');
        line(l);
    }
    return text;
}

bool TBACnet_EDE_File::Write_EDE_File(const QString& fileName, const QDateTime& time, QString& error) const
{
    return platform::writeAnsiFile(fileName, EDE_Text(time), &error);
}

bool Build_EDE_File(const QString& fileName, platform::Services& services, QWidget* parent)
{
    TBACnet_EDE_File ede;
    ede.Reset_EDE_Instances();
    QString error;
    const bool written = ede.Read_EDE_ParGen(error) && ede.Read_EDE_Objects(error)
                         && ede.Write_EDE_File(fileName, platform::now(services), error);
    if (!written && services.messages)
        services.messages->error(parent, error);
    return written;
}

bool Create_EDE_File(const QString& fileName, platform::Services& services, QWidget* parent)
{
    return Build_EDE_File(fileName, services, parent);
}

} // namespace ethernet
