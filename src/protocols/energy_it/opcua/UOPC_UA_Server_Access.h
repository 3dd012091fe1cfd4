#pragma once
// The variables the gateway publishes as an OPC UA server: up to 250, each with an enable box,
// a type, its first byte in the gateway's internal data array, its length, name, access and
// description. Kept in "OPC_UA_Server.xml" under "OPC_UA_Server_Variables". A plain string
// grid with cell check boxes; its column hints are kept but not shown.
//
// The type is the key and fixes the Length of the fixed-size types (VarSetLength, the cell
// then read-only); String and ByteString propose 10 and leave it to the user. Positions are
// the user's: only an enabled row's Position is checked, against 0 .. 1999.

#include "tables/UTableWindow.h"

#include <QStringList>

namespace energy_it {

namespace opcua_server_var_col {
inline constexpr int N = 0, Enable = 1, Type = 2, Position = 3, Length = 4, Name = 5, ReadWrite = 6, Mnemonic = 7,
                     Count = 8;
}

class TFOPC_UA_Server_Access : public tables::TTableWindow {
    Q_OBJECT
public:
    static constexpr int kRows = 251;         // the header row and 250 variables
    static constexpr int kMaxPosition = 1999; // the last byte of the internal data array

    explicit TFOPC_UA_Server_Access(platform::Services& services, QWidget* parent = nullptr);

    // Fills VarType and RWType, the items of the Type and R/W pick lists, and binds the type
    // choice to VarSetLength.
    void Init_Table();
    // The length rule for a Type text (exact, case-sensitive) on row ARow: a known type writes
    // its Length and sets the cell's lock, any other text leaves both; then an empty R/W cell
    // becomes "Read/Write".
    void VarSetLength(const QString& ASelection, int ACol, int ARow);
    // A choice in a pick list: in the Type column it runs VarSetLength.
    void QSGComboChange(int ACol, int ARow, int AItemIndex, const QString& ASelection);

    grid::TQvStringGrid* QSG = nullptr;
    QStringList VarType;
    QStringList RWType;
    const QStringList& Hint() const { return Hints(0); }
    using TTableWindow::Do_Copy;
    bool Do_Copy() const { return Do_Copy(0); }

protected:
    void Plug_Rules(int index, tables::TRuleRun& run) const override;
    void Cell_Loaded(int index, int col, int row) override;
    void Row_Button_Done(int index, tables::TRowButton button, int row, bool changed) override;
};

} // namespace energy_it
