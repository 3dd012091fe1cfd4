#pragma once
// The CANopen SDO server table: the manufacturer objects (index, sub-index, 1, 2 or 4 bytes)
// that the gateway offers to a CANopen master, each byte at a position of the exchange array.
// The master reads the objects of the read sheet and writes those of the write sheet. Kept in
// "SDO_Server_CANopen.xml", which the EDS writer reads back; every attribute is required
// there. A pair on both sheets is allowed: the master may read and write one object.

#include "tables/UTableWindow.h"

namespace fieldbus {

namespace sdo_server_col {
inline constexpr int N = 0, Index = 1, SubIndex = 2, NByte = 3, Address_B1 = 4, Mnemonic = 8, Count = 9;
}

class TFSet_SDO_Server_Access : public tables::TTableWindow {
    Q_OBJECT
public:
    // Sizes of the exchange array in each direction: addresses lie below them.
    static constexpr int PROFINET_NByte_IN = 1500;
    static constexpr int PROFINET_NByte_OUT = 1500;
    static constexpr int kRows = 501; // the header row and 500 objects

    explicit TFSet_SDO_Server_Access(platform::Services& services, QWidget* parent = nullptr);

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
