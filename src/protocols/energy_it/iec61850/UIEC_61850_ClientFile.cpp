#include "protocols/energy_it/iec61850/UIEC_61850_ClientFile.h"

#include "common/UComonHelpers.h"
#include "platform/Xml.h"
#include "tables/XmlRows.h"

#include <array>
#include <cstring>

namespace energy_it {

namespace {

namespace xml = platform::xml;

// The attributes of each element, in the order they are written (columns 1 .. n of the tables).
constexpr std::array<const char*, 2> kICD_File_Attrs = {"Name", "FileName"};
constexpr std::array<const char*, 18> kDA_Item_Attrs = {
    "Index", "bType",   "fc",   "Reference", "StartByte", "NumByte",   "IPAddress",  "Port",     "OnChange",
    "OnCMD", "OnTimer", "Time", "Position",  "StartBit",  "ReadWrite", "Convertion", "MoltFact", "Mnemonic"};
// Older files may lack the byte window: those cells stay empty.
constexpr std::array<const char*, 2> kDA_Item_Optional = {"StartByte", "NumByte"};
constexpr std::array<const char*, 8> kDataSet_Item_Attrs = {"Index",     "Reference", "GooseName", "EnGoose",
                                                            "IPAddress", "Port",      "Time",      "Mnemonic"};

using TMember = TIEC_Client_File::TMember;
constexpr std::array<tables::TAttr_Def<TMember>, 7> kMember_Attrs = {{
    {"bType", &TMember::bType},
    {"Reference", &TMember::Reference},
    {"Position", &TMember::Position},
    {"StartBit", &TMember::StartBit},
    {"Convertion", &TMember::Convertion},
    {"MoltFact", &TMember::MoltFact},
    {"Mnemonic", &TMember::Mnemonic},
}};

pugi::xml_node required(pugi::xml_node parent, const char* name)
{
    pugi::xml_node n = xml::child(parent, name);
    if (!n)
        throw xml::XmlError(std::string("Missing element \"") + name + "\"");
    return n;
}

bool isOptional(const char* attr)
{
    for (const char* optional : kDA_Item_Optional)
        if (std::strcmp(attr, optional) == 0)
            return true;
    return false;
}

template <size_t N>
QStringList readCells(pugi::xml_node n, const std::array<const char*, N>& attrs, bool withOptional = false)
{
    QStringList cells;
    for (const char* attr : attrs)
        cells.append(withOptional && isOptional(attr) ? xml::attr(n, attr, QString()) : xml::attrRequired(n, attr));
    return cells;
}

template <size_t N>
void writeCells(pugi::xml_node n, const std::array<const char*, N>& attrs, const QStringList& cells)
{
    for (size_t i = 0; i < N; ++i)
        xml::setAttr(n, attrs[i], qsizetype(i) < cells.size() ? cells[qsizetype(i)] : QString());
}

// Element children of parent with this name, in document order.
template <typename F>
void forEach(pugi::xml_node parent, const char* name, F&& f)
{
    for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling())
        if (n.type() == pugi::node_element && std::strcmp(n.name(), name) == 0)
            f(n);
}

} // namespace

TIEC_Client_File Read_IEC_Client_File(const QString& path)
{
    xml::Document doc;
    QString error;
    if (!doc.load(path, &error))
        throw xml::XmlError(error.toStdString());
    pugi::xml_node root = xml::child(doc.doc(), kIEC_Client_Root);
    if (!root)
        throw xml::XmlError(std::string("Missing element \"") + kIEC_Client_Root + "\"");

    TIEC_Client_File file;
    forEach(required(root, "List_ICD_Files"), "ICD_File", [&](pugi::xml_node n) {
        const QStringList cells = readCells(n, kICD_File_Attrs);
        file.icdFiles.push_back({cells[0], cells[1]});
    });
    forEach(required(root, "List_DA_Selected"), "DA_Item",
            [&](pugi::xml_node n) { file.daItems.push_back(readCells(n, kDA_Item_Attrs, true)); });
    forEach(xml::child(root, "List_DataSet_Selected"), "DataSet_Item", [&](pugi::xml_node n) {
        TIEC_Client_File::TDataSet_Item item;
        item.cells = readCells(n, kDataSet_Item_Attrs);
        if (!common::tryStrToInt(item.cells[0], item.index))
            throw xml::XmlError("DataSet_Item: Index \"" + item.cells[0].toStdString() + "\" is no number");
        forEach(required(n, "DataSet_List_DAs"), "DataSet_DA_Item", [&](pugi::xml_node m) {
            TMember member;
            for (const auto& a : kMember_Attrs)
                member.*a.member = tables::readAttr(m, a.name);
            item.members.push_back(std::move(member));
        });
        file.dataSets.push_back(std::move(item));
    });
    return file;
}

QByteArray IEC_Client_File_Bytes(const TIEC_Client_File& file)
{
    xml::Document doc;
    pugi::xml_node root = doc.startProject(kIEC_Client_Root);
    pugi::xml_node icd = root.append_child("List_ICD_Files");
    for (const auto& f : file.icdFiles)
        writeCells(icd.append_child("ICD_File"), kICD_File_Attrs, {f.Name, f.FileName});
    pugi::xml_node das = root.append_child("List_DA_Selected");
    for (const QStringList& cells : file.daItems)
        writeCells(das.append_child("DA_Item"), kDA_Item_Attrs, cells);
    pugi::xml_node sets = root.append_child("List_DataSet_Selected");
    for (const auto& item : file.dataSets) {
        pugi::xml_node n = sets.append_child("DataSet_Item");
        writeCells(n, kDataSet_Item_Attrs, item.cells);
        pugi::xml_node members = n.append_child("DataSet_List_DAs");
        for (const TMember& member : item.members) {
            pugi::xml_node m = members.append_child("DataSet_DA_Item");
            for (const auto& a : kMember_Attrs)
                xml::setAttr(m, a.name, (member.*a.member).value_or(QString()));
        }
    }
    return doc.toBytes();
}

} // namespace energy_it
