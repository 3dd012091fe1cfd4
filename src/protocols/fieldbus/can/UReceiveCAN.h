#pragma once
// The receive CAN frame table: each enabled row names a frame the gateway takes from the CAN
// bus (11- or 29-bit COB-ID, data length, time-out) and the position of the receive array
// each of its data bytes goes to, or "None". Kept in "CAN_Rec_Frames.xml"; the window is the
// table-window base walking the description in UReceiveCAN.cpp.

#include "tables/UTableWindow.h"

namespace fieldbus {

namespace can_rx_col {
inline constexpr int N = 0, Enable = 1, CobID = 2, Type = 3, Dimension = 4, TimeOut = 5, Byte1 = 6, Mnemonic = 14,
                     Count = 15;
}

class TFReceiveCAN : public tables::TTableWindow {
    Q_OBJECT
public:
    // Positions of the receive array.
    static constexpr int MAX_Byte = 2000;
    static constexpr int kRows = 513; // the header row and 512 frames

    explicit TFReceiveCAN(platform::Services& services, QWidget* parent = nullptr);

    tables::TTableGrid* ACG_CAN_Receive = nullptr;
    const QStringList& Hint_ReceiveCAN() const { return Hints(0); }
};

} // namespace fieldbus
