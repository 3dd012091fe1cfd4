#pragma once
// The J1939 transmit table: each row names a parameter group the gateway sends on the J1939
// network (priority, data page, PGN, source address, number of data bytes) and when it is
// sent: on a request, when its data changes, on a timer with its period. Kept in
// "J1939_Send_Frames.xml"; older files name the trigger in one "T_Type" attribute, which is
// read and written back as the three trigger attributes.

#include "tables/UTableWindow.h"

namespace fieldbus {

namespace j1939_tx_col {
inline constexpr int N = 0, Priority = 1, Data_Page = 2, PGN = 3, Source_Address = 4, N_Bytes = 5, Request = 6,
                     Data_Change = 7, On_Timer = 8, Send_Timer = 9, Mnemonic = 10, Count = 11;
}

class TFTransmitJ1939 : public tables::TTableWindow {
    Q_OBJECT
public:
    // The gateway's output size: the bytes of all rows together.
    static constexpr int NUM_BYTE_OUT = 512;
    static constexpr int kRows = 513; // the header row and 512 parameter groups

    explicit TFTransmitJ1939(platform::Services& services, QWidget* parent = nullptr);

    tables::TTableGrid* sga = nullptr;
    const QStringList& Hint_TransmitJ1939() const { return Hints(0); }

protected:
    void Plug_Rules(int index, tables::TRuleRun& run) const override;
    void Row_Loaded(int index, const pugi::xml_node& node, int row) override;
};

} // namespace fieldbus
