#pragma once
// The gateway as SNMP manager: one row per request to another agent (its address, version,
// community or version-3 user and security, object identifier, the slice of the data array
// the value comes from or goes to, and the events that send it). Kept in "SNMP_Manager.xml".

#include "tables/UTableWindow.h"

namespace energy_it {

namespace snmp_manager_col {
inline constexpr int N = 0, Enable = 1, IPAddress = 2, Version = 3, Community = 4, OID = 5, Type = 6, Mode = 7,
                     OnChange = 8, OnCmd = 9, OnTimer = 10, Time = 11, Position = 12, NumBytes = 13, Conversion = 14,
                     Cancel = 15, User = 16, AuthPass = 17, PrivPass = 18, SecurityLevel = 19, AuthMode = 20,
                     PrivMode = 21, Mnemonic = 22, Count = 23;
}

class TFSNMPManagerAccess : public tables::TTableWindow {
    Q_OBJECT
public:
    static constexpr int kRows = 513; // the header row and 512 requests
    static constexpr int kPositions = 1440;
    // What the gateway keeps for OIDs, users and passwords of all requests together.
    static constexpr int kMaxTextBudget = 47104;

    explicit TFSNMPManagerAccess(platform::Services& services, QWidget* parent = nullptr);

    void FormShow() override;
    void Set_Lang() override;

    tables::TTableGrid* ACG_SNMP = nullptr;
    const QStringList& Hint_SNMP() const { return Hints(0); }
    bool Do_Copy_SNMP() const { return Do_Copy(0); }

protected:
    void Plug_Rules(int index, tables::TRuleRun& run) const override;
    std::optional<QString> Check_Window() const override;

private:
    // Widens a column whose header text does not fit (the table names no widths of its own).
    void Fit_Header_Widths();
    // The characters one validation run has counted so far (starts at 1).
    mutable int budget_ = 1;
};

} // namespace energy_it
