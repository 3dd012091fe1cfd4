#pragma once
// The variables the gateway offers as an IEC 61850 server: up to 50 named variables, each tied
// to a byte (and bit) of the gateway's internal data array with its type, length, conversion,
// multiplication factor and byte or word swap. Kept in "IEC61850_Variables.xml".
//
// The name is the key: the first row whose trimmed name is empty ends the table. Only enabled
// rows are checked; disabled rows are saved as they are.

#include "tables/UTableWindow.h"

namespace energy_it {

namespace iec61850_var_col {
inline constexpr int N = 0, Enable = 1, Name = 2, Type = 3, Length = 4, ReadOnly = 5, Position = 6, StartBit = 7,
                     Conversion = 8, MultiplicationFactor = 9, Swap = 10, SwapWord = 11, Mnemonic = 12, Count = 13;
}

class TFIEC61850_Variables : public tables::TTableWindow {
    Q_OBJECT
public:
    static constexpr int kRows = 51; // the header row and 50 variables
    // The size of the gateway's internal input data array, in bytes.
    static constexpr int kNByte_IN = 1438;

    explicit TFIEC61850_Variables(platform::Services& services, QWidget* parent = nullptr);

    void FormShow() override;

    tables::TTableGrid* ACG = nullptr;
    // Positions run from 0 to NByte_IN - 1; set at every showing.
    int NByte_IN = kNByte_IN;
    const QStringList& Hint_List() const { return Hints(0); }
    using TTableWindow::Do_Copy;
    bool Do_Copy() const { return Do_Copy(0); }

protected:
    void Plug_Rules(int index, tables::TRuleRun& run) const override;
};

} // namespace energy_it
