#pragma once
// The NMEA 2000 transmit table: each row names a parameter group the gateway sends on the
// NMEA 2000 network (priority, PGN, source address, fast packet or not, number of data bytes)
// and when it is sent: on a request, when its data changes, on a timer with its period. Kept
// in "NMEA_Send_Frames.xml", whose root carries the receive file's name "Receive_NMEA_2000":
// files already written have it. Its grid shows no hints.

#include "tables/UTableWindow.h"

namespace fieldbus {

namespace nmea_tx_col {
inline constexpr int N = 0, Priority = 1, PGN = 2, Source_Address = 3, Fast_Packet = 4, Num_Byte = 5, Request = 6,
                     Data_Change = 7, On_Timer = 8, Send_Timer = 9, Mnemonic = 10, Count = 11;
}

class TFTransmitNMEA : public tables::TTableWindow {
    Q_OBJECT
public:
    // The gateway's output size: the bytes of all rows together.
    static constexpr int NUM_BYTE_OUT = 512;
    static constexpr int kRows = 63; // the header row and 62 parameter groups

    explicit TFTransmitNMEA(platform::Services& services, QWidget* parent = nullptr);

    tables::TTableGrid* sga = nullptr;
    const QStringList& Hint_TransmitNMEA() const { return Hints(0); }

protected:
    void Plug_Rules(int index, tables::TRuleRun& run) const override;
};

} // namespace fieldbus
