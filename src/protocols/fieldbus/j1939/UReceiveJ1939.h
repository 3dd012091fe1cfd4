#pragma once
// The J1939 receive table: each row names a parameter group the gateway captures from the
// J1939 network (data page, PGN, source address), whether it arrives through the transport
// protocol or as a single frame, which of its bytes are captured, whether the data is
// cancelled when its time-out elapses and whether the gateway requests it, how often. Kept in
// "J1939_Rec_Frames.xml"; the window is the table-window base walking the description in
// UReceiveJ1939.cpp.

#include "tables/UTableWindow.h"

namespace fieldbus {

namespace j1939_rx_col {
inline constexpr int N = 0, Data_Page = 1, PGN = 2, Source_Address = 3, Transport = 4, Start_Byte = 5, N_Byte = 6,
                     Cancel_Data = 7, On_Request = 8, Time = 9, Mnemonic = 10, Count = 11;
}

class TFReceiveJ1939 : public tables::TTableWindow {
    Q_OBJECT
public:
    // The gateway's input size: the bytes of all rows together.
    static constexpr int NUM_BYTE_IN = 1440;
    static constexpr int kRows = 513; // the header row and 512 parameter groups

    explicit TFReceiveJ1939(platform::Services& services, QWidget* parent = nullptr);

    tables::TTableGrid* sga = nullptr;
    const QStringList& Hint_ReceiveJ1939() const { return Hints(0); }

protected:
    void Plug_Rules(int index, tables::TRuleRun& run) const override;
};

} // namespace fieldbus
