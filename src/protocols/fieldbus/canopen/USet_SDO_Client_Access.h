#pragma once
// The CANopen SDO client table: the requests the gateway sends to other CANopen devices. A
// read request (device, object of 1, 2 or 4 bytes, poll time) puts the object's bytes at
// positions of the exchange array; a write request takes them from there and is sent every
// poll time and, when chosen, on a change. Kept in "SDO_Client_CANopen.xml", every attribute
// required.

#include "tables/UTableWindow.h"

namespace fieldbus {

namespace sdo_client_col {
inline constexpr int N = 0, Device_ID = 1, Index = 2, SubIndex = 3, NByte = 4, Poll_Time = 5;
// The read grid's addresses follow the poll time; the write grid has On Change between.
inline constexpr int Read_Address_B1 = 6, Read_Mnemonic = 10, Read_Count = 11;
inline constexpr int On_Change = 6, Write_Address_B1 = 7, Write_Mnemonic = 11, Write_Count = 12;
} // namespace sdo_client_col

class TFSet_SDO_Client_Access : public tables::TTableWindow {
    Q_OBJECT
public:
    // Sizes of the exchange array in each direction: addresses lie below them.
    static constexpr int PROFINET_NByte_IN = 1500;
    static constexpr int PROFINET_NByte_OUT = 1500;
    static constexpr int kRows = 257; // the header row and 256 requests

    explicit TFSet_SDO_Client_Access(platform::Services& services, QWidget* parent = nullptr);

    QWidget* TS_SDO_Read = nullptr;
    QWidget* TS_SDO_Write = nullptr;
    tables::TTableGrid* sga = nullptr;
    tables::TTableGrid* sgb = nullptr;
    const QStringList& Hint_SDO_Client_Read() const { return Hints(0); }
    const QStringList& Hint_SDO_Client_Write() const { return Hints(1); }
    bool Do_Copy_SDO_Read() const { return Do_Copy(0); }
    bool Do_Copy_SDO_Write() const { return Do_Copy(1); }

protected:
    void Plug_Rules(int index, tables::TRuleRun& run) const override;
};

} // namespace fieldbus
