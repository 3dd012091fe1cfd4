#pragma once
// The SNMP agent's variables: a read table (values managers read, and the traps sent on a
// change, a command or a timer) and a write table (values managers write), each row mapping a
// slice of the gateway's data array to one object. Kept in "SNMP_Trap.xml", from which the
// MIB module is written; column 0 shows each enabled row's number in that module.

#include "tables/UTableWindow.h"

namespace energy_it {

namespace snmp_read_col {
inline constexpr int N = 0, Enable = 1, Community = 2, Type = 3, OnChange = 4, OnCmd = 5, OnTimer = 6, Time = 7,
                     Position = 8, Bit = 9, NumBits = 10, Description = 11, IPAddress = 12, Conversion = 13,
                     Mnemonic = 14, Count = 15;
}
namespace snmp_write_col {
inline constexpr int N = 0, Enable = 1, Community = 2, Type = 3, Position = 4, Bit = 5, NumBits = 6, Description = 7,
                     Conversion = 8, Mnemonic = 9, Count = 10;
}

class TFSNMP_Trap_Access : public tables::TTableWindow {
    Q_OBJECT
public:
    static constexpr int kRows = 257; // the header row and 256 variables
    static constexpr int kNameLength = 15;

    explicit TFSNMP_Trap_Access(platform::Services& services, QWidget* parent = nullptr);

    void FormShow() override;

    // Column 0 of each row: the row's number among the enabled rows, empty when disabled.
    static void Index_Row_Build(tables::TTableGrid& app_SGA);

    tables::TTableGrid* ACG_SNMP_Read = nullptr;
    tables::TTableGrid* ACG_SNMP_Write = nullptr;
    const QStringList& Hint_SNMP_Read() const { return Hints(0); }
    const QStringList& Hint_SNMP_Write() const { return Hints(1); }
    int NByte_IN = 1440;
    int NByte_OUT = 1440;

protected:
    void Plug_Rules(int index, tables::TRuleRun& run) const override;
    std::optional<QString> Check_Window() const override;

private:
    void Renumber_Active();

    // Descriptions of the enabled rows of both tables, gathered by one validation run.
    mutable QStringList SL_Check_Desc;
};

} // namespace energy_it
