#pragma once
// The EtherCAT slave variable table: the variables the gateway sends to the EtherCAT master
// (Slave To Master) and those the master writes to it (Master To Slave), on two sheets, each
// a plain string grid of 256 typed variables with an enable check box. The window places each
// variable in the gateway's internal byte array (Position, Start Bit) and keeps both tables
// in "EtherCAT_Slave.xml", which the ESI writer reads back.
//
// A type fixes the variable's Length (VarSetLength); String and ByteString leave it to the
// user. Positions are recomputed whenever a table changes: after an edited value is stored,
// a box ticked, a type picked, a row button, a load, and before saving. OK saves every row
// down to the first empty Type, enabled or not; it refuses only an enabled String whose
// Length is not a whole number of at least 1, which would place later variables over it.

#include "tables/UTableWindow.h"

#include <QStringList>

namespace fieldbus {

namespace ethercat_col {
inline constexpr int N = 0, Enable = 1, Type = 2, Length = 3, Name = 4;
// Slave To Master
inline constexpr int Init_Value = 5, Position_StM = 6, Start_Bit_StM = 7, Mnemonic_StM = 8, Count_StM = 9;
// Master To Slave
inline constexpr int Position_MtS = 5, Start_Bit_MtS = 6, Mnemonic_MtS = 7, Count_MtS = 8;
} // namespace ethercat_col

class TFEtherCATSlave : public tables::TTableWindow {
    Q_OBJECT
public:
    static constexpr int kRows = 257; // the header row and 256 variables

    explicit TFEtherCATSlave(platform::Services& services, QWidget* parent = nullptr);

    void FormShow() override;

    // Fills VarType and binds the grid events that keep lengths and positions up to date.
    void Init_Table();
    // The length rule for the row's Type text (exact, case-sensitive): a fixed type writes its
    // Length and locks the cell, String and ByteString write "10" and unlock it, any other
    // text changes nothing.
    void VarSetLength(grid::TQvStringGrid* Sender, const QString& ASelection, int ACol, int ARow);
    // Position and Start Bit of every row down to the first empty Type; SlaveMaster names the
    // grid's column layout (true: Slave To Master).
    void Calc_Position_Bit(grid::TQvStringGrid* grid, bool SlaveMaster);

    QWidget* TS_SlaveToMaster = nullptr;
    QWidget* TS_MasterToSlave = nullptr;
    grid::TQvStringGrid* QSG_SlaveMaster = nullptr;
    grid::TQvStringGrid* QSG_MasterSlave = nullptr;
    QStringList VarType;
    const QStringList& Hint_StM() const { return Hints(0); }
    const QStringList& Hint_MtS() const { return Hints(1); }
    bool Do_Copy_StM() const { return Do_Copy(0); }
    bool Do_Copy_MtS() const { return Do_Copy(1); }

protected:
    void Plug_Rules(int index, tables::TRuleRun& run) const override;
    void Cell_Loaded(int index, int col, int row) override;
    void Row_Button_Done(int index, tables::TRowButton button, int row, bool changed) override;
    void Before_Save() override;

private:
    int Index_Of(const grid::TQvStringGrid* grid) const { return grid == QSG_SlaveMaster ? 0 : 1; }
    void Type_Chosen(grid::TQvStringGrid* grid, int row, const QString& type);
    void Clear_Untyped_Rows(grid::TQvStringGrid* grid, int firstRow, bool SlaveMaster);
    void Recalc(int index);
};

} // namespace fieldbus
