#pragma once
// The NMEA 2000 receive table: each row names a parameter group the gateway captures from the
// NMEA 2000 network (PGN, source address), whether it arrives through the transport protocol,
// as a fast packet or as a single frame, which of its bytes are captured and whether the data
// is cancelled when its time-out elapses. Kept in "NMEA_Rec_Frames.xml"; the rows and their
// byte budget are those of the J1939 receive table (j1939/J1939Frames.h) with the fast packet
// besides.

#include "tables/UTableWindow.h"

namespace fieldbus {

namespace nmea_rx_col {
inline constexpr int N = 0, PGN = 1, Source_Address = 2, Transport = 3, Fast_Packet = 4, Start_Byte = 5, N_Byte = 6,
                     Cancel_Data = 7, Mnemonic = 8, Count = 9;
}

class TFReceiveNMEA : public tables::TTableWindow {
    Q_OBJECT
public:
    // The gateway's input size: the bytes of all rows together.
    static constexpr int NUM_BYTE_IN = 512;
    static constexpr int kRows = 63; // the header row and 62 parameter groups

    explicit TFReceiveNMEA(platform::Services& services, QWidget* parent = nullptr);

    tables::TTableGrid* sga = nullptr;
    const QStringList& Hint_ReceiveNMEA() const { return Hints(0); }

protected:
    void Plug_Rules(int index, tables::TRuleRun& run) const override;
};

} // namespace fieldbus
