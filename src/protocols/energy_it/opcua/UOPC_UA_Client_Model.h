#pragma once
// The OPC UA client's model: the server endpoints the gateway talks to, each owning the
// variables it reads and the variables it writes. The client window edits it, the file
// "OPC_UA_Client.xml" stores it, and a browse of a server adds to it from the browse library's
// records. A variable keeps its node identifier in the record's own fields (kind, number,
// texts, GUID groups) and shows it as text through NodeType, NodeID and VarType.

#include "common/OpcuaRecords.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace energy_it {

class TOPC_UA_Variable {
public:
    TOPC_UA_Variable() = default;

    bool Enable() const { return FEnable; }
    void SetEnable(bool value) { FEnable = value; }
    // Spelled as the file attribute "DisplayName" never was: the name stays for its callers.
    const QString& DispalyName() const { return FDispalyName; }
    void SetDispalyName(const QString& value) { FDispalyName = value; }
    // Kept empty: nothing of the client sets, shows or stores it.
    const QString& ReadWrite() const { return FReadWrite; }
    void SetReadWrite(const QString& value) { FReadWrite = value; }
    const QString& OnChange() const { return FOnChange; } // "Y"/"N"
    void SetOnChange(const QString& value) { FOnChange = value; }
    const QString& OnCMD() const { return FOnCMD; }
    void SetOnCMD(const QString& value) { FOnCMD = value; }
    const QString& OnTimer() const { return FOnTimer; }
    void SetOnTimer(const QString& value) { FOnTimer = value; }
    const QString& Time() const { return FTime; } // milliseconds, as typed
    void SetTime(const QString& value) { FTime = value; }
    const QString& Position() const { return FPosition; } // first byte in the data array, as typed
    void SetPosition(const QString& value) { FPosition = value; }
    const QString& Mnemonic() const { return FMnemonic; }
    void SetMnemonic(const QString& value) { FMnemonic = value; }

    // "Numeric", "String", "Guid", "ByteString" (empty for another kind); written without
    // regard to case, any other text giving numeric.
    QString NodeType() const;
    void SetNodeType(const QString& text);
    // The identifier as text, by the kind the variable has now: set NodeType first.
    QString NodeID() const;
    void SetNodeID(const QString& text);
    // The type name of dataType ("Boolean" for any code outside 1..14); written without regard
    // to case, an unknown name giving 0.
    QString VarType() const;
    void SetVarType(const QString& text);

    // A variable adopted from a browse record: enabled, with the record's node, namespace and
    // type and its texts (empty where it has none); access level, times and position not kept.
    static std::unique_ptr<TOPC_UA_Variable> From_Browse_Record(const common::opcua_structure& record);

    std::uint16_t nameSpaceIndex = 0;
    std::uint16_t identifierType = 0;
    std::uint32_t numeric = 0;
    QString stringname;
    std::uint32_t guide1 = 0;
    std::uint16_t guide2 = 0;
    std::uint16_t guide3 = 0;
    std::uint8_t guide4[8] = {};
    QString byteString;
    std::int32_t dataType = 0;

private:
    bool FEnable = false;
    QString FDispalyName;
    QString FReadWrite;
    QString FOnChange;
    QString FOnCMD;
    QString FOnTimer;
    QString FTime;
    QString FPosition;
    QString FMnemonic;
};

using TOPC_UA_Var_List = std::vector<std::unique_ptr<TOPC_UA_Variable>>;

// Frees the variables from the last to the first and leaves the list empty.
void Free_Var_List(TOPC_UA_Var_List& list);

class TOPC_UA_Server {
public:
    TOPC_UA_Server() = default;
    ~TOPC_UA_Server();
    TOPC_UA_Server(const TOPC_UA_Server&) = delete;
    TOPC_UA_Server& operator=(const TOPC_UA_Server&) = delete;

    bool Enable() const { return FEnable; }
    void SetEnable(bool value) { FEnable = value; }
    const QString& ServerAddress() const { return FServerAddress; }
    void SetServerAddress(const QString& value) { FServerAddress = value; }
    // "Anonymous", "Username and Password" or "Certificate".
    const QString& Authorization() const { return FAuthorization; }
    void SetAuthorization(const QString& value) { FAuthorization = value; }
    const QString& UserName() const { return FUserName; }
    void SetUserName(const QString& value) { FUserName = value; }
    // Held and stored in clear, as the gateway needs it.
    const QString& Password() const { return FPassword; }
    void SetPassword(const QString& value) { FPassword = value; }
    const QString& Certificate() const { return FCertificate; }
    void SetCertificate(const QString& value) { FCertificate = value; }
    const QString& PrivateKey() const { return FPrivateKey; }
    void SetPrivateKey(const QString& value) { FPrivateKey = value; }
    // "None", "Sign" or "Sign and Encrypt".
    const QString& SecurityType() const { return FSecurityType; }
    void SetSecurityType(const QString& value) { FSecurityType = value; }
    const QString& SecurityPolicy() const { return FSecurityPolicy; }
    void SetSecurityPolicy(const QString& value) { FSecurityPolicy = value; }
    const QString& Mnemonic() const { return FMnemonic; }
    void SetMnemonic(const QString& value) { FMnemonic = value; }

    TOPC_UA_Var_List Var_List_R; // read from the server, in order
    TOPC_UA_Var_List Var_List_W; // written to the server, in order

private:
    bool FEnable = false;
    QString FServerAddress;
    QString FAuthorization;
    QString FUserName;
    QString FPassword;
    QString FCertificate;
    QString FPrivateKey;
    QString FSecurityType;
    QString FSecurityPolicy;
    QString FMnemonic;
};

using TOPC_UA_Server_List = std::vector<std::unique_ptr<TOPC_UA_Server>>;

// Frees every server with its variables and leaves the list empty.
void Free_Server_List(TOPC_UA_Server_List& list);

} // namespace energy_it
