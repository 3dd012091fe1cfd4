#pragma once
// The OPC UA client's project file "OPC_UA_Client.xml": the server list nested as
//
//   OPC_UA_Client / OPC_UA_Server_List / OPC_UA_Server (endpoint attributes)
//       / OPC_UA_Variables / OPC_UA_Read_Var, OPC_UA_Write_Var / Variable (variable attributes)
//
// with flags as "1"/"0" and no version comment. Unlike the flat project files every text
// attribute is required: a file that lacks one, or whose "NameSpaceIndex" is no integer, is
// refused whole.

#include "protocols/energy_it/opcua/UOPC_UA_Client_Model.h"

#include <QString>

namespace platform::xml {
class Document;
}

namespace energy_it {

// Builds the file from the list in XML1 and replaces the file at path; false (and error) when
// it cannot be written, the old file then left as it was.
bool Save_OPC_UA_Client_File(const TOPC_UA_Server_List& list, platform::xml::Document& XML1, const QString& path,
                             QString* error = nullptr);

// Fills the (empty) list from the file at path; a missing file leaves it empty. A file that is
// not well-formed, lacks an element or a required attribute, or holds a "NameSpaceIndex" that
// is no integer throws platform::xml::XmlError naming what is wrong, and the list stays empty:
// the window then stays shut rather than offer a part of the file that OK would save over it.
void Load_OPC_UA_Client_File(TOPC_UA_Server_List& list, platform::xml::Document& XML1, const QString& path);

} // namespace energy_it
