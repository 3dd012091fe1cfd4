#pragma once
// The offset window's data without its tables: the slaves of the saved scan list, each with
// the offset choice and mnemonic of every input and output byte, the duplicate-position check
// of the output bytes, and the move between the slaves and "DNETM_DefOff.xml".

#include "gateway/UProjectFiles.h"
#include "gateway/UValueLimits.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace gateway {

// Positions offered for input and output bytes: "None" and "0" to "1439".
inline constexpr int kDefOff_Max_Byte = limits::DNet_Offset.max + 1;

// Text numbers of the window's duplicate message.
inline constexpr int kText_DefOff_Duplicate = 3221;
// An offset the pick list does not offer (read from a hand-edited file).
inline constexpr int kText_DefOff_Not_Offered = 3226;

class TSlave_DN {
public:
    int ID = 0;                           // DeviceNet ID
    int ByteIN = 0;                       // number of input bytes
    int ByteOUT = 0;                      // number of output bytes
    QString Mnemonic;                     // the scan list's mnemonic, shown in the slave table
    QStringList SL_ByteIN, SL_ByteIN_M;   // per input byte: offset choice, mnemonic
    QStringList SL_ByteOUT, SL_ByteOUT_M; // per output byte
};

using TSlave_List = std::vector<std::unique_ptr<TSlave_DN>>;

// The slaves of the network file in its row order, every byte "None" with an empty mnemonic.
// A row whose "ID", "NB_IN" or "NB_OUT" is missing or no whole number within the DeviceNet
// ranges gives nothing and sets error (the window then does not open, so that an OK cannot
// drop the offsets of the slaves it could not read).
bool Load_Slave_DN(const TDNet_Net_File& net, TSlave_List& slaves, QString& error);

// The offset file's choices into the slaves. Nodes are paired with slaves by ID (by position
// for files without IDs); rows beyond a slave's byte count are ignored, and a missing
// "Offset" or "Mnemonic" keeps "None" or the empty mnemonic.
void Load_Offset_Slave_DN(const TDNet_DefOff_File& offsets, TSlave_List& slaves);

// Whether every offset is one the pick list offers ("None" or 0 to 1439; a file may hold
// anything) and no position is taken twice by output bytes: nothing, or the message naming
// the byte whose offset is not offered, or the first byte that took the position and the
// second.
std::optional<QString> Check_Data(const TSlave_List& slaves);

// The file to write: one node per slave, carrying its ID, with the lists as they stand.
TDNet_DefOff_File DefOff_File_From_Slaves(const TSlave_List& slaves);

} // namespace gateway
