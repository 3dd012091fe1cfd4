#pragma once
// The three project files that carry the IO-Link slave's tables and the DeviceNet scan list and
// byte offsets: "IOLink_Slave.xml", "DNETM_Net.xml" and "DNETM_DefOff.xml". One set of names,
// records, readers and writers serves the windows that edit them, the configuration image
// builder and the IODD generator, so the formats cannot drift apart.
//
// Records keep every value as the file's text (tables/XmlRows.h): an attribute missing from the
// file stays absent, so each reader applies its own default (the IO-Link window shows "Y" for
// a missing "Enable", the image builder and the IODD generator take such a row as disabled;
// the DeviceNet windows refuse a missing attribute through Attr_Required).
//
// Readers return false (and leave the record empty) when the file does not exist, true when
// it was read; a file that exists but cannot be read or is not well-formed XML throws
// platform::xml::XmlError. The root is the document's first element whatever its name; rows
// are the element children in document order, whatever their names. Writers start from an
// empty document (root, then the "SW_VERSION = 1.000" comment), replace the whole file and
// return false with error set when it cannot be saved.

#include "tables/XmlRows.h"

#include <QString>

#include <optional>
#include <span>
#include <vector>

namespace gateway {

// The records below are written in the table windows' row codec.
using tables::Attr_Required;
using tables::TAttr;
using tables::TAttr_Def;

// ---------------------------------------------------------------------------------------------
// "IOLink_Slave.xml"

inline constexpr const char* kIOLinkSlave_FileName = "IOLink_Slave.xml";
inline constexpr const char* kIOLinkSlave_Root = "IOLinkSlave";
inline constexpr const char* kIOLinkSlave_Variables = "Variables";
inline constexpr const char* kIOLinkSlave_Process_Data = "Process_Data";
inline constexpr const char* kIOLinkSlave_Process_Data_Input = "Process_Data_Input";
inline constexpr const char* kIOLinkSlave_Process_Data_Output = "Process_Data_Output";

// One row of "Variables", attributes in file order.
struct TIOLink_Var_Row {
    TAttr Enable; // "Y" or "N"
    TAttr Index;
    TAttr Name;
    TAttr Access;   // "Read Only", "Write Only" or "Read Write"
    TAttr Length;   // bits
    TAttr Gradient; // as typed, "," or "." as decimal separator
    TAttr Offset;
    TAttr UnitCode;
    TAttr DefaultValue;
    TAttr PositionRead;
    TAttr StartBitRead;
    TAttr PositionWrite;
    TAttr StartBitWrite;
    TAttr Description;
    TAttr Mnemonic;

    bool operator==(const TIOLink_Var_Row&) const = default;
};

// One row of "Process_Data_Input" or "Process_Data_Output", attributes in file order.
struct TIOLink_PD_Row {
    TAttr Enable;
    TAttr Name;
    TAttr Length;
    TAttr Gradient;
    TAttr Offset;
    TAttr UnitCode;
    TAttr Position;
    TAttr StartBit;
    TAttr Description;
    TAttr Mnemonic;

    bool operator==(const TIOLink_PD_Row&) const = default;
};

struct TIOLink_Slave_File {
    std::vector<TIOLink_Var_Row> Variables;
    std::vector<TIOLink_PD_Row> Process_Data_Input;
    std::vector<TIOLink_PD_Row> Process_Data_Output;

    bool operator==(const TIOLink_Slave_File&) const = default;
};

// Attribute name tables, in the order the writer writes them (a window or a test can walk
// them instead of naming every member).
std::span<const TAttr_Def<TIOLink_Var_Row>> IOLink_Var_Attrs(); // 15 entries
std::span<const TAttr_Def<TIOLink_PD_Row>> IOLink_PD_Attrs();   // 10 entries

// The "Enable" tests of the two readers of this file: the image builder upper-cases without
// trimming, the IODD generator trims and upper-cases; a missing attribute is never enabled.
bool Is_Enabled_Exact(const TAttr& enable);
bool Is_Enabled_Trimmed(const TAttr& enable);

// Sections are looked up by name under the root ("Process_Data_Input" and
// "Process_Data_Output" under "Process_Data"); a missing section reads as empty.
bool Read_IOLink_Slave_File(const QString& path, TIOLink_Slave_File& file);
// Writes every row as given (disabled rows too); a missing attribute is written empty.
bool Write_IOLink_Slave_File(const QString& path, const TIOLink_Slave_File& file, QString* error = nullptr);

// ---------------------------------------------------------------------------------------------
// "DNETM_Net.xml"

inline constexpr const char* kDNETM_Net_FileName = "DNETM_Net.xml";
inline constexpr const char* kDNETM_Net_Root = "DNET_Net";
inline constexpr int kDNet_Max_Slaves = 64;

// One slave of the scan list.
struct TDNet_Net_Row {
    TAttr ID;
    TAttr NB_IN;
    TAttr NB_OUT;
    TAttr Mnemonic;
    // Looked for by the image builder but never written by this program: the writer leaves
    // them out, so a file written here never carries them.
    TAttr Reset_DeviceNet;
    TAttr Reset_PROFINET;

    bool operator==(const TDNet_Net_Row&) const = default;
};

struct TDNet_Net_File {
    std::vector<TDNet_Net_Row> Rows;

    bool operator==(const TDNet_Net_File&) const = default;
};

bool Read_DNETM_Net_File(const QString& path, TDNet_Net_File& file);
// Writes "ID", "NB_IN", "NB_OUT", "Mnemonic" per row, in this order.
bool Write_DNETM_Net_File(const QString& path, const TDNet_Net_File& file, QString* error = nullptr);

// ---------------------------------------------------------------------------------------------
// "DNETM_DefOff.xml"

inline constexpr const char* kDNETM_DefOff_FileName = "DNETM_DefOff.xml";
inline constexpr const char* kDNETM_DefOff_Root = "Define_Offset";
inline constexpr const char* kNodo_DNET = "Nodo_DNET";
inline constexpr const char* kByteIN = "ByteIN";
inline constexpr const char* kByteOUT = "ByteOUT";
inline constexpr const char* kOffset_None = "None";

// The choice for one DeviceNet byte: "None" or a decimal position, and a free mnemonic.
struct TDNet_Byte_Row {
    TAttr Offset;
    TAttr Mnemonic;

    bool operator==(const TDNet_Byte_Row&) const = default;
};

// The offsets of one slave. ID names the slave it belongs to; files written before the ID was
// stored lack it, and their nodes are paired with the slaves by position.
struct TDNet_Offset_Node {
    TAttr ID;
    bool Has_ByteIN = true; // false when the file's node lacks its "ByteIN" element
    bool Has_ByteOUT = true;
    std::vector<TDNet_Byte_Row> ByteIN; // byte 0 first
    std::vector<TDNet_Byte_Row> ByteOUT;

    bool operator==(const TDNet_Offset_Node&) const = default;
};

struct TDNet_DefOff_File {
    std::vector<TDNet_Offset_Node> Nodes;

    bool operator==(const TDNet_DefOff_File&) const = default;
};

bool Read_DNETM_DefOff_File(const QString& path, TDNet_DefOff_File& file);
// One "Nodo_DNET" per node, with the attribute "ID" when the node has one, then "ByteIN" and
// "ByteOUT" (always written, possibly empty) with "Offset" and "Mnemonic" per row.
bool Write_DNETM_DefOff_File(const QString& path, const TDNet_DefOff_File& file, QString* error = nullptr);

// Pairs the offset file's nodes with the slaves of the network file. slaveIds holds each
// slave's ID as read from the network file, in its row order. The answer has one entry per
// slave: the index of its node in file.Nodes, or -1 when it has none.
// When every node carries "ID", a slave takes the first node not yet taken whose ID is the
// same number (so deleting or reordering slaves keeps each slave's offsets, and two slaves
// with the same ID take that ID's nodes in order); otherwise the i-th node belongs to the
// i-th slave, as in files written before the ID was stored.
std::vector<int> Pair_Offset_Nodes(std::span<const int> slaveIds, const TDNet_DefOff_File& file);

} // namespace gateway
