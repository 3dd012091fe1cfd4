#include "protocols/energy_it/opcua/UOPC_UA_Client_File.h"

#include "common/UComonHelpers.h"
#include "platform/Xml.h"

#include <QFileInfo>

#include <string>

namespace energy_it {

namespace xml = platform::xml;

namespace {

constexpr const char* kRoot = "OPC_UA_Client";
constexpr const char* kServerList = "OPC_UA_Server_List";
constexpr const char* kServer = "OPC_UA_Server";
constexpr const char* kVariables = "OPC_UA_Variables";
constexpr const char* kReadVars = "OPC_UA_Read_Var";
constexpr const char* kWriteVars = "OPC_UA_Write_Var";
constexpr const char* kVariable = "Variable";

// The endpoint's text attributes in the order they are written; "Enable" comes first.
struct TServerText {
    const char* attr;
    const QString& (TOPC_UA_Server::*get)() const;
    void (TOPC_UA_Server::*set)(const QString&);
};
constexpr TServerText kServerTexts[] = {
    {"ServerAddress", &TOPC_UA_Server::ServerAddress, &TOPC_UA_Server::SetServerAddress},
    {"Authorization", &TOPC_UA_Server::Authorization, &TOPC_UA_Server::SetAuthorization},
    {"UserName", &TOPC_UA_Server::UserName, &TOPC_UA_Server::SetUserName},
    {"Password", &TOPC_UA_Server::Password, &TOPC_UA_Server::SetPassword},
    {"Certificate", &TOPC_UA_Server::Certificate, &TOPC_UA_Server::SetCertificate},
    {"PrivateKey", &TOPC_UA_Server::PrivateKey, &TOPC_UA_Server::SetPrivateKey},
    {"SecurityType", &TOPC_UA_Server::SecurityType, &TOPC_UA_Server::SetSecurityType},
    {"SecurityPolicy", &TOPC_UA_Server::SecurityPolicy, &TOPC_UA_Server::SetSecurityPolicy},
    {"Mnemonic", &TOPC_UA_Server::Mnemonic, &TOPC_UA_Server::SetMnemonic},
};

// The "Y"/"N" switches of a variable, stored as "1"/"0" after "NameSpaceIndex".
struct TVariableFlag {
    const char* attr;
    const QString& (TOPC_UA_Variable::*get)() const;
    void (TOPC_UA_Variable::*set)(const QString&);
};
constexpr TVariableFlag kVariableFlags[] = {
    {"OnChange", &TOPC_UA_Variable::OnChange, &TOPC_UA_Variable::SetOnChange},
    {"OnCMD", &TOPC_UA_Variable::OnCMD, &TOPC_UA_Variable::SetOnCMD},
    {"OnTimer", &TOPC_UA_Variable::OnTimer, &TOPC_UA_Variable::SetOnTimer},
};

// The texts written after the switches.
struct TVariableText {
    const char* attr;
    const QString& (TOPC_UA_Variable::*get)() const;
    void (TOPC_UA_Variable::*set)(const QString&);
};
constexpr TVariableText kVariableTexts[] = {
    {"Time", &TOPC_UA_Variable::Time, &TOPC_UA_Variable::SetTime},
    {"Position", &TOPC_UA_Variable::Position, &TOPC_UA_Variable::SetPosition},
    {"Mnemonic", &TOPC_UA_Variable::Mnemonic, &TOPC_UA_Variable::SetMnemonic},
};

QString flagText(bool set)
{
    return set ? QStringLiteral("1") : QStringLiteral("0");
}

bool isOne(pugi::xml_node node, const char* attr)
{
    return xml::attr(node, attr, QString()) == QLatin1String("1");
}

void writeVariables(pugi::xml_node parent, const TOPC_UA_Var_List& list)
{
    for (const auto& v : list) {
        pugi::xml_node n = parent.append_child(kVariable);
        xml::setAttr(n, "Enable", flagText(v->Enable()));
        xml::setAttr(n, "DisplayName", v->DispalyName());
        xml::setAttr(n, "NodeType", v->NodeType());
        xml::setAttr(n, "NodeID", v->NodeID());
        xml::setAttr(n, "VarType", v->VarType());
        xml::setAttr(n, "NameSpaceIndex", QString::number(v->nameSpaceIndex));
        for (const TVariableFlag& f : kVariableFlags)
            xml::setAttr(n, f.attr, flagText(((*v).*f.get)() == QLatin1String("Y")));
        for (const TVariableText& t : kVariableTexts)
            xml::setAttr(n, t.attr, ((*v).*t.get)());
    }
}

pugi::xml_node requiredChild(pugi::xml_node parent, const char* name)
{
    pugi::xml_node n = xml::child(parent, name);
    if (!n)
        throw xml::XmlError(std::string("Missing element \"") + name + "\"");
    return n;
}

void readVariables(pugi::xml_node parent, TOPC_UA_Var_List& list)
{
    for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_element)
            continue;
        auto v = std::make_unique<TOPC_UA_Variable>();
        v->SetEnable(isOne(n, "Enable"));
        v->SetDispalyName(xml::attrRequired(n, "DisplayName"));
        // The kind first, so that the identifier is read by its own kind.
        v->SetNodeType(xml::attrRequired(n, "NodeType"));
        v->SetNodeID(xml::attrRequired(n, "NodeID"));
        v->SetVarType(xml::attrRequired(n, "VarType"));
        const QString index = xml::attrRequired(n, "NameSpaceIndex");
        int value = 0;
        if (!common::tryStrToInt(index, value))
            throw xml::XmlError("Attribute \"NameSpaceIndex\" is not an integer: \"" + index.toStdString() + "\"");
        v->nameSpaceIndex = std::uint16_t(value);
        for (const TVariableFlag& f : kVariableFlags)
            ((*v).*f.set)(isOne(n, f.attr) ? QStringLiteral("Y") : QStringLiteral("N"));
        for (const TVariableText& t : kVariableTexts)
            ((*v).*t.set)(xml::attrRequired(n, t.attr));
        list.push_back(std::move(v));
    }
}

} // namespace

bool Save_OPC_UA_Client_File(const TOPC_UA_Server_List& list, xml::Document& XML1, const QString& path, QString* error)
{
    pugi::xml_node servers = XML1.startPlain(kRoot).append_child(kServerList);
    for (const auto& s : list) {
        pugi::xml_node n = servers.append_child(kServer);
        xml::setAttr(n, "Enable", flagText(s->Enable()));
        for (const TServerText& t : kServerTexts)
            xml::setAttr(n, t.attr, ((*s).*t.get)());
        pugi::xml_node variables = n.append_child(kVariables);
        writeVariables(variables.append_child(kReadVars), s->Var_List_R);
        writeVariables(variables.append_child(kWriteVars), s->Var_List_W);
    }
    return XML1.save(path, error);
}

void Load_OPC_UA_Client_File(TOPC_UA_Server_List& list, xml::Document& XML1, const QString& path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    QString error;
    if (!XML1.load(path, &error))
        throw xml::XmlError(error.toStdString());
    pugi::xml_node root = XML1.doc().child(kRoot);
    if (!root)
        throw xml::XmlError(std::string("Missing element \"") + kRoot + "\"");
    const pugi::xml_node serverList = requiredChild(root, kServerList);
    // Built aside and handed over whole: a failure leaves the caller's list empty.
    TOPC_UA_Server_List loaded;
    for (pugi::xml_node n = serverList.first_child(); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_element)
            continue;
        auto s = std::make_unique<TOPC_UA_Server>();
        s->SetEnable(isOne(n, "Enable"));
        for (const TServerText& t : kServerTexts)
            ((*s).*t.set)(xml::attrRequired(n, t.attr));
        const pugi::xml_node variables = requiredChild(n, kVariables);
        readVariables(requiredChild(variables, kReadVars), s->Var_List_R);
        readVariables(requiredChild(variables, kWriteVars), s->Var_List_W);
        loaded.push_back(std::move(s));
    }
    list = std::move(loaded);
}

} // namespace energy_it
