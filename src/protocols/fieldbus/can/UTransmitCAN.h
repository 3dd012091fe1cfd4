#pragma once
// The transmit CAN frame table: each enabled row names a frame the gateway sends (11- or
// 29-bit COB-ID, data length), when it is sent (a data byte changed, on command, on a timer
// with its period) and the position of the transmit array each data byte is taken from, or
// "None". Kept in "CAN_Send_Frames.xml"; the twin of the receive table.

#include "tables/UTableWindow.h"

namespace fieldbus {

namespace can_tx_col {
inline constexpr int N = 0, Enable = 1, CobID = 2, Type = 3, Dimension = 4, OnChange = 5, OnCMD = 6, OnTimer = 7,
                     Time = 8, Byte1 = 9, Mnemonic = 17, Count = 18;
}

class TFTransmitCAN : public tables::TTableWindow {
    Q_OBJECT
public:
    // Positions of the transmit array.
    static constexpr int MAX_Byte = 2700;
    // A row's COB-ID range follows its own Type cell, and a row sending on its timer has its
    // Time checked.
    static constexpr int Hard_Type = 1;
    static constexpr int kRows = 513; // the header row and 512 frames

    explicit TFTransmitCAN(platform::Services& services, QWidget* parent = nullptr);

    tables::TTableGrid* ACG_CAN_Transmit = nullptr;
    const QStringList& Hint_TransmitCAN() const { return Hints(0); }
};

} // namespace fieldbus
