#include "protocols/energy_it/snmp/USNMP_MIB.h"

#include "common/UComonHelpers.h"
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "platform/Dialogs.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "platform/TextCodec.h"
#include "platform/Xml.h"
#include "protocols/energy_it/snmp/SnmpNames.h"

#include <QFileInfo>
#include <QSet>

namespace energy_it {

namespace {

constexpr int kText_File_Exists = 1505;
constexpr int kText_Bad_Description = 5289;

std::vector<bool>& readIsInt()
{
    static std::vector<bool> flags;
    return flags;
}

std::vector<bool>& writeIsInt()
{
    static std::vector<bool> flags;
    return flags;
}

// The enabled rows of one section, in file order, at most kMaxMIBVariables.
void readSection(const pugi::xml_node& root, const char* section, QStringList& descriptions, std::vector<bool>& isInt)
{
    isInt.clear();
    const pugi::xml_node parent = platform::xml::child(root, section);
    for (pugi::xml_node row = parent.child("row"); row && descriptions.size() < kMaxMIBVariables;
         row = row.next_sibling("row")) {
        const pugi::xml_attribute enable = row.attribute("Enable");
        if (!enable || common::upperAscii(QString::fromUtf8(enable.value())) != QLatin1String("Y"))
            continue;
        descriptions.append(QString::fromUtf8(row.attribute("Description").value()));
        isInt.push_back(common::upperAscii(QString::fromUtf8(row.attribute("Type").value())) == QLatin1String("INT"));
    }
}

QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// Objects of one section: "name OBJECT-TYPE ... ::= { parent N }".
void appendVariables(QStringList& lines, const QStringList& descriptions, const std::vector<bool>& isInt,
                     const QString& parent, const QString& access)
{
    for (qsizetype i = 0; i < descriptions.size(); ++i) {
        const QString n = QString::number(i + 1);
        const QString& d = descriptions[i];
        const QString syntax = isInt[size_t(i)] ? QStringLiteral("INTEGER") : QStringLiteral("OCTET STRING");
        lines.append((d.isEmpty() ? parent + n : d) + QStringLiteral(" OBJECT-TYPE SYNTAX ") + syntax
                     + QStringLiteral(" MAX-ACCESS ") + access + QStringLiteral(" STATUS current DESCRIPTION ")
                     + quoted(d) + QStringLiteral(" ::= { ") + parent + QLatin1Char(' ') + n + QStringLiteral(" }"));
    }
}

// A description that would break the module: against the character rule, a name the
// module defines itself, or one already given to another variable.
std::optional<QString> badDescription(const QStringList& read, const QStringList& write)
{
    QSet<QString> seen;
    for (const QStringList* list : {&read, &write})
        for (const QString& d : *list) {
            if (d.isEmpty())
                continue;
            if (Check_Error_CommName_Desc(d, 1) || Is_Reserved_MIB_Name(d) || seen.contains(d))
                return d;
            seen.insert(d);
        }
    return std::nullopt;
}

} // namespace

const std::vector<bool>& SNMP_Read_Is_Int()
{
    return readIsInt();
}

const std::vector<bool>& SNMP_Write_Is_Int()
{
    return writeIsInt();
}

void Read_SNMP_Trap_Vars()
{
    common::TProgramState& state = common::State();
    state.SNMP_Read_Desc.clear();
    state.SNMP_Write_Desc.clear();
    readIsInt().clear();
    writeIsInt().clear();
    if (state.File_SNMP_Trap.isEmpty() || !QFileInfo::exists(state.File_SNMP_Trap))
        return;
    platform::xml::Document doc;
    if (!doc.load(state.File_SNMP_Trap))
        return;
    const pugi::xml_node root = doc.root();
    readSection(root, "SNMP_Trap_Read", state.SNMP_Read_Desc, readIsInt());
    readSection(root, "SNMP_Trap_Write", state.SNMP_Write_Desc, writeIsInt());
}

QStringList MIB_Lines()
{
    const common::TProgramState& state = common::State();
    const QString date = QStringLiteral("201701310000Z");
    QStringList lines = {
        QStringLiteral("GATEWAY DEFINITIONS ::= BEGIN"),
        QStringLiteral("IMPORTS"),
        QStringLiteral("       MODULE-IDENTITY,OBJECT-TYPE,NOTIFICATION-TYPE"),
        QStringLiteral("         FROM SNMPv2-SMI"),
        QStringLiteral("         DisplayString, TimeStamp"),
        QStringLiteral("         FROM SNMPv2-TC"),
        QStringLiteral("         enterprises"),
        QStringLiteral("         FROM SNMPv2-SMI;"),
        QString(),
        QStringLiteral("identity MODULE-IDENTITY"),
        QStringLiteral("    LAST-UPDATED ") + quoted(date),
        QStringLiteral("    ORGANIZATION ") + quoted(QLatin1String(common::kMakerOrganisation)),
        QStringLiteral("    CONTACT-INFO"),
        QStringLiteral("\t \"") + QLatin1String(common::kMakerStreet),
        QStringLiteral("    ") + QLatin1String(common::kMakerTown),
        QStringLiteral("    ") + QLatin1String(common::kMakerCountry),
        QStringLiteral("    email:    ") + QLatin1String(common::kMakerMailDomain) + QLatin1Char('"'),
        QStringLiteral("    DESCRIPTION"),
        QStringLiteral("\t\"MIB objects for agent module \""),
        QStringLiteral("    REVISION     ") + quoted(date),
        QStringLiteral("    DESCRIPTION"),
        QStringLiteral("\t\"Corrected notification \""),
        QStringLiteral("    REVISION     \"200202060000Z\""),
        QStringLiteral("    DESCRIPTION"),
        QStringLiteral("\t\"First draft\""),
        QStringLiteral("    ::= { norvix 2 }"),
        QStringLiteral("norvix          OBJECT IDENTIFIER ::= { enterprises 58203 }"),
        QStringLiteral("gateway OBJECT IDENTIFIER::= { norvix 1 }"),
        QStringLiteral("application OBJECT IDENTIFIER::= { gateway 1 }"),
        QStringLiteral("data OBJECT IDENTIFIER::= { application 1 }"),
        QStringLiteral("hellostring OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only  STATUS current  "
                       "DESCRIPTION \"\" ::= { data 1}"),
        QStringLiteral("countin  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-only  STATUS current  "
                       "DESCRIPTION \"\" ::= { data 2}"),
        QStringLiteral("countout  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-write STATUS current  "
                       "DESCRIPTION \"\" ::= { data 3}"),
        QStringLiteral("bufferin OBJECT IDENTIFIER::= { data 4 }"),
    };
    const auto blocks = [&lines](const QString& parent, const QString& access) {
        for (int k = 1; k <= 8; ++k) {
            const QString n = QString::number(k);
            lines.append(parent + QStringLiteral("blk") + n
                         + QStringLiteral(" OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS ") + access
                         + QStringLiteral(" STATUS current DESCRIPTION ") + quoted(QStringLiteral("data block n.") + n)
                         + QStringLiteral(" ::= { ") + parent + QLatin1Char(' ') + n + QStringLiteral(" }"));
        }
    };
    const QString readOnly = QStringLiteral("read-only");
    const QString readWrite = QStringLiteral("read-write");
    blocks(QStringLiteral("bufferin"), readOnly);
    lines.append(QStringLiteral(" bufferinval OBJECT IDENTIFIER::= { bufferin 9 }"));
    appendVariables(lines, state.SNMP_Read_Desc, readIsInt(), QStringLiteral("bufferinval"), readOnly);
    lines.append(QStringLiteral("bufferout OBJECT IDENTIFIER::= { data 5 }"));
    blocks(QStringLiteral("bufferout"), readWrite);
    lines.append(QStringLiteral(" bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }"));
    appendVariables(lines, state.SNMP_Write_Desc, writeIsInt(), QStringLiteral("bufferoutval"), readWrite);
    lines.append(QStringLiteral("traps OBJECT IDENTIFIER::= { application 2 }"));
    lines.append(QStringLiteral(" trapsval OBJECT IDENTIFIER::= { traps 1 }"));
    // A notification names the object it carries: the read variable of the same number.
    for (qsizetype i = 0; i < state.SNMP_Read_Desc.size(); ++i) {
        const QString n = QString::number(i + 1);
        const QString& d = state.SNMP_Read_Desc[i];
        const QString object = d.isEmpty() ? QStringLiteral("bufferinval") + n : d;
        lines.append(QStringLiteral("trapval") + n + QStringLiteral(" NOTIFICATION-TYPE OBJECTS { ") + object
                     + QStringLiteral(" } STATUS current DESCRIPTION ") + quoted(d) + QStringLiteral(" ::= { trapsval ")
                     + n + QStringLiteral(" }"));
    }
    lines.append(QStringLiteral("END"));
    return lines;
}

bool Write_MIB_File(const QString& fileName, QString* error)
{
    const common::TProgramState& state = common::State();
    if (const auto bad = badDescription(state.SNMP_Read_Desc, state.SNMP_Write_Desc)) {
        if (error)
            *error = common::Lang_Text(kText_Bad_Description) + *bad;
        return false;
    }
    const QString crlf = QStringLiteral("\r\n");
    return platform::writeAnsiFile(fileName, MIB_Lines().join(crlf) + crlf, error);
}

void Create_MIB_File(platform::Services& services, QWidget* parent)
{
    if (!services.dialogs)
        return;
    QString fileName = services.dialogs->saveFileName(parent, QString(), common::State().Project_Dir,
                                                      QStringLiteral("Management Information Base (*.mib)"));
    if (fileName.isEmpty())
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".mib");
    if (QFileInfo::exists(fileName)
        && (!services.messages || !services.messages->askYesNo(parent, common::Lang_Text(kText_File_Exists))))
        return;
    Read_SNMP_Trap_Vars();
    QString error;
    if (!Write_MIB_File(fileName, &error) && services.messages)
        services.messages->error(parent, error);
}

} // namespace energy_it
