#pragma once
// The CANopen PDO table: up to 30 receive PDOs (each data byte put at a position of the
// exchange array, with a time-out) and 30 transmit PDOs (each data byte taken from a position,
// sent every Send Time and, when chosen, on a change), on two sheets. Kept in
// "PDO_CANopen.xml", which the EDS writer reads back; every attribute is required there.

#include "tables/UTableWindow.h"

namespace fieldbus {

namespace pdo_col {
inline constexpr int N = 0, COB_ID = 1, Dimension = 2, Address_B1 = 3, TimeOut = 11, Send_Time = 11, On_Change = 12,
                     Receive_Count = 13, Transmit_Count = 14;
}

class TFSet_PDO_Access : public tables::TTableWindow {
    Q_OBJECT
public:
    // Sizes of the exchange array in each direction: addresses lie below them.
    static constexpr int PROFINET_NByte_IN = 1500;
    static constexpr int PROFINET_NByte_OUT = 1500;
    static constexpr int kRows = 31; // the header row and 30 PDOs

    explicit TFSet_PDO_Access(platform::Services& services, QWidget* parent = nullptr);

    QWidget* TS_Receive_PDO = nullptr;
    QWidget* TS_Transmit_PDO = nullptr;
    tables::TTableGrid* sga = nullptr;
    tables::TTableGrid* sgb = nullptr;
    const QStringList& Hint_PDO_Receive() const { return Hints(0); }
    const QStringList& Hint_PDO_Transmit() const { return Hints(1); }
    bool Do_Copy_Receive_PDO() const { return Do_Copy(0); }
    bool Do_Copy_Transmit_PDO() const { return Do_Copy(1); }
};

} // namespace fieldbus
