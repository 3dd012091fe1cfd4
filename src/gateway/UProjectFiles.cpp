#include "gateway/UProjectFiles.h"

#include "common/UComonHelpers.h"
#include "platform/Files.h"

namespace gateway {

namespace {

namespace xml = platform::xml;

using tables::readAttr;
using tables::readRows;
using tables::writeRows;

// Loads an existing file; false when there is none. A file that cannot be read or parsed is
// an error the caller's handler shows.
bool loadExisting(xml::Document& doc, const QString& path)
{
    if (!platform::fileExists(path))
        return false;
    QString error;
    if (!doc.load(path, &error))
        throw xml::XmlError(QStringLiteral("%1: %2").arg(path, error).toStdString());
    return true;
}

constexpr TAttr_Def<TIOLink_Var_Row> kVarAttrs[] = {
    {"Enable", &TIOLink_Var_Row::Enable},
    {"Index", &TIOLink_Var_Row::Index},
    {"Name", &TIOLink_Var_Row::Name},
    {"Access", &TIOLink_Var_Row::Access},
    {"Length", &TIOLink_Var_Row::Length},
    {"Gradient", &TIOLink_Var_Row::Gradient},
    {"Offset", &TIOLink_Var_Row::Offset},
    {"UnitCode", &TIOLink_Var_Row::UnitCode},
    {"DefaultValue", &TIOLink_Var_Row::DefaultValue},
    {"PositionRead", &TIOLink_Var_Row::PositionRead},
    {"StartBitRead", &TIOLink_Var_Row::StartBitRead},
    {"PositionWrite", &TIOLink_Var_Row::PositionWrite},
    {"StartBitWrite", &TIOLink_Var_Row::StartBitWrite},
    {"Description", &TIOLink_Var_Row::Description},
    {"Mnemonic", &TIOLink_Var_Row::Mnemonic},
};

constexpr TAttr_Def<TIOLink_PD_Row> kPDAttrs[] = {
    {"Enable", &TIOLink_PD_Row::Enable},           {"Name", &TIOLink_PD_Row::Name},
    {"Length", &TIOLink_PD_Row::Length},           {"Gradient", &TIOLink_PD_Row::Gradient},
    {"Offset", &TIOLink_PD_Row::Offset},           {"UnitCode", &TIOLink_PD_Row::UnitCode},
    {"Position", &TIOLink_PD_Row::Position},       {"StartBit", &TIOLink_PD_Row::StartBit},
    {"Description", &TIOLink_PD_Row::Description}, {"Mnemonic", &TIOLink_PD_Row::Mnemonic},
};

// Written in this order; the two reset flags are read only.
constexpr TAttr_Def<TDNet_Net_Row> kNetAttrsWritten[] = {
    {"ID", &TDNet_Net_Row::ID},
    {"NB_IN", &TDNet_Net_Row::NB_IN},
    {"NB_OUT", &TDNet_Net_Row::NB_OUT},
    {"Mnemonic", &TDNet_Net_Row::Mnemonic},
};
constexpr TAttr_Def<TDNet_Net_Row> kNetAttrsRead[] = {
    {"ID", &TDNet_Net_Row::ID},
    {"NB_IN", &TDNet_Net_Row::NB_IN},
    {"NB_OUT", &TDNet_Net_Row::NB_OUT},
    {"Mnemonic", &TDNet_Net_Row::Mnemonic},
    {"Reset_DeviceNet", &TDNet_Net_Row::Reset_DeviceNet},
    {"Reset_PROFINET", &TDNet_Net_Row::Reset_PROFINET},
};

constexpr TAttr_Def<TDNet_Byte_Row> kByteAttrs[] = {
    {"Offset", &TDNet_Byte_Row::Offset},
    {"Mnemonic", &TDNet_Byte_Row::Mnemonic},
};

constexpr const char* kIDAttr = "ID";

} // namespace

std::span<const TAttr_Def<TIOLink_Var_Row>> IOLink_Var_Attrs()
{
    return kVarAttrs;
}

std::span<const TAttr_Def<TIOLink_PD_Row>> IOLink_PD_Attrs()
{
    return kPDAttrs;
}

bool Is_Enabled_Exact(const TAttr& enable)
{
    return enable && common::upperAscii(*enable) == QLatin1String("Y");
}

bool Is_Enabled_Trimmed(const TAttr& enable)
{
    return enable && common::upperAscii(common::trimBlanks(*enable)) == QLatin1String("Y");
}

bool Read_IOLink_Slave_File(const QString& path, TIOLink_Slave_File& file)
{
    file = {};
    xml::Document doc;
    if (!loadExisting(doc, path))
        return false;
    const pugi::xml_node root = doc.root();
    file.Variables = readRows<TIOLink_Var_Row>(xml::child(root, kIOLinkSlave_Variables), kVarAttrs);
    const pugi::xml_node pd = xml::child(root, kIOLinkSlave_Process_Data);
    file.Process_Data_Input = readRows<TIOLink_PD_Row>(xml::child(pd, kIOLinkSlave_Process_Data_Input), kPDAttrs);
    file.Process_Data_Output = readRows<TIOLink_PD_Row>(xml::child(pd, kIOLinkSlave_Process_Data_Output), kPDAttrs);
    return true;
}

bool Write_IOLink_Slave_File(const QString& path, const TIOLink_Slave_File& file, QString* error)
{
    xml::Document doc;
    pugi::xml_node root = doc.startProject(kIOLinkSlave_Root);
    writeRows<TIOLink_Var_Row>(root.append_child(kIOLinkSlave_Variables), file.Variables, kVarAttrs);
    pugi::xml_node pd = root.append_child(kIOLinkSlave_Process_Data);
    writeRows<TIOLink_PD_Row>(pd.append_child(kIOLinkSlave_Process_Data_Input), file.Process_Data_Input, kPDAttrs);
    writeRows<TIOLink_PD_Row>(pd.append_child(kIOLinkSlave_Process_Data_Output), file.Process_Data_Output, kPDAttrs);
    return doc.save(path, error);
}

bool Read_DNETM_Net_File(const QString& path, TDNet_Net_File& file)
{
    file = {};
    xml::Document doc;
    if (!loadExisting(doc, path))
        return false;
    file.Rows = readRows<TDNet_Net_Row>(doc.root(), kNetAttrsRead);
    return true;
}

bool Write_DNETM_Net_File(const QString& path, const TDNet_Net_File& file, QString* error)
{
    xml::Document doc;
    writeRows<TDNet_Net_Row>(doc.startProject(kDNETM_Net_Root), file.Rows, kNetAttrsWritten);
    return doc.save(path, error);
}

bool Read_DNETM_DefOff_File(const QString& path, TDNet_DefOff_File& file)
{
    file = {};
    xml::Document doc;
    if (!loadExisting(doc, path))
        return false;
    for (pugi::xml_node n = doc.root().first_child(); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_element)
            continue;
        TDNet_Offset_Node node;
        node.ID = readAttr(n, kIDAttr);
        const pugi::xml_node in = xml::child(n, kByteIN);
        const pugi::xml_node out = xml::child(n, kByteOUT);
        node.Has_ByteIN = bool(in);
        node.Has_ByteOUT = bool(out);
        node.ByteIN = readRows<TDNet_Byte_Row>(in, kByteAttrs);
        node.ByteOUT = readRows<TDNet_Byte_Row>(out, kByteAttrs);
        file.Nodes.push_back(std::move(node));
    }
    return true;
}

bool Write_DNETM_DefOff_File(const QString& path, const TDNet_DefOff_File& file, QString* error)
{
    xml::Document doc;
    pugi::xml_node root = doc.startProject(kDNETM_DefOff_Root);
    for (const TDNet_Offset_Node& node : file.Nodes) {
        pugi::xml_node n = root.append_child(kNodo_DNET);
        if (node.ID)
            xml::setAttr(n, kIDAttr, *node.ID);
        writeRows<TDNet_Byte_Row>(n.append_child(kByteIN), node.ByteIN, kByteAttrs);
        writeRows<TDNet_Byte_Row>(n.append_child(kByteOUT), node.ByteOUT, kByteAttrs);
    }
    return doc.save(path, error);
}

std::vector<int> Pair_Offset_Nodes(std::span<const int> slaveIds, const TDNet_DefOff_File& file)
{
    std::vector<int> pairs(slaveIds.size(), -1);
    bool keyed = !file.Nodes.empty();
    for (const TDNet_Offset_Node& node : file.Nodes)
        keyed = keyed && node.ID.has_value();

    if (!keyed) {
        for (size_t i = 0; i < slaveIds.size() && i < file.Nodes.size(); ++i)
            pairs[i] = int(i);
        return pairs;
    }

    std::vector<int> nodeIds;
    nodeIds.reserve(file.Nodes.size());
    for (const TDNet_Offset_Node& node : file.Nodes)
        nodeIds.push_back(common::strToIntDef(*node.ID, -1));
    std::vector<bool> taken(file.Nodes.size(), false);
    for (size_t i = 0; i < slaveIds.size(); ++i) {
        for (size_t j = 0; j < nodeIds.size(); ++j) {
            if (!taken[j] && nodeIds[j] >= 0 && nodeIds[j] == slaveIds[i]) {
                taken[j] = true;
                pairs[i] = int(j);
                break;
            }
        }
    }
    return pairs;
}

} // namespace gateway
