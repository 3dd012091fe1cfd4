#pragma once
// The S7 client tables: the items the gateway reads from PLCs into its input data array and
// writes from its output data array, each row naming the PLC (address, port, rack, slot), the
// item (data type, block, DB number, area, address, bit) and where it lies in the gateway's
// array. Kept in "S7_Protocol.xml"; the window is the table-window base walking the
// description in US7_Protocol_Set_Access.cpp.
//
// The gateway keeps at most 10 PLC connections: one per distinct PLC address and port among
// the enabled rows of both tables. Each validation rebuilds the connection table, the read
// rows first, and refuses the row that would open an eleventh.

#include "tables/UTableWindow.h"

#include <cstdint>
#include <vector>

namespace ethernet {

namespace s7_read_col {
inline constexpr int N = 0, Enable = 1, PLC_Address = 2, PLC_Port = 3, PLC_Type = 4, Rack = 5, Slot = 6, Data_Type = 7,
                     Data_Identifier = 8, DB_Number = 9, PLC_Area = 10, PLC_Add = 11, PLC_Bit = 12, PollTime = 13,
                     Position = 14, Bit = 15, Swap = 16, SwapWord = 17, Mnemonic = 18, Count = 19;
}
namespace s7_write_col {
inline constexpr int N = 0, Enable = 1, PLC_Address = 2, PLC_Port = 3, PLC_Type = 4, Rack = 5, Slot = 6, Data_Type = 7,
                     Data_Identifier = 8, DB_Number = 9, PLC_Area = 10, PLC_Add = 11, PLC_Bit = 12, PollTime = 13,
                     OnChange = 14, OnCMD = 15, Position = 16, Bit = 17, Swap = 18, SwapWord = 19, Mnemonic = 20,
                     Count = 21;
}

// One PLC connection; IP1 is -1 in a free entry.
struct TIPPort {
    int IP1 = -1;
    int IP2 = -1;
    int IP3 = -1;
    int IP4 = -1;
    int Port = -1;
};

class TFS7_Protocol_Set_Access : public tables::TTableWindow {
    Q_OBJECT
public:
    // Sizes in bytes of the gateway's input and output data arrays that Position addresses.
    static constexpr int NByte_IN = 1500;
    static constexpr int NByte_OUT = 1500;
    static constexpr int kRows = 513; // the header row and 512 rows
    static constexpr int kConnections = 10;

    explicit TFS7_Protocol_Set_Access(platform::Services& services, QWidget* parent = nullptr);

    // The index of the connection in array_ip_Port, taking the first free entry for a new one;
    // -1 when every entry holds another connection.
    int Check_IP_Port(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4, int p) const;

    // Bytes of the gateway's array an item of the data type takes.
    static int Item_Size(const QString& dataType);

    QWidget* TS_S7_Read = nullptr;
    QWidget* TS_S7_Write = nullptr;
    tables::TTableGrid* ACG_S7_Read = nullptr;
    tables::TTableGrid* ACG_S7_Write = nullptr;
    // The connection table of the last validation. Scratch state of a validation run, which
    // is why a const check may rebuild it.
    mutable std::vector<TIPPort> array_ip_Port;

    const QStringList& Hint_S7_Set_Access_Read() const { return Hints(0); }
    const QStringList& Hint_S7_Set_Access_Write() const { return Hints(1); }
    bool Do_Copy_In_Read() const { return Do_Copy(0); }
    bool Do_Copy_In_Write() const { return Do_Copy(1); }

protected:
    void Plug_Rules(int index, tables::TRuleRun& run) const override;
};

} // namespace ethernet
