#pragma once
// The Modbus serial master tables: the read rows the gateway polls from its slaves into its
// input data array and the write rows it sends from its output data array, on two sheets.
// Kept in "ModbusM_SetAccess.xml"; the window is the table-window base walking the
// description in USetAccess.cpp, with the row kinds of ModbusRows.h.
//
// The read table's Topic column is hidden at every show and its list of publish topics is
// empty in this build, so the file's "Index_Topic" is written empty and read into empty cells.

#include "tables/UTableWindow.h"

#include <QStringList>

#include <vector>

namespace ethernet {

namespace modbus_read_col {
inline constexpr int N = 0, Enable = 1, Slave_ID = 2, Type = 3, Address = 4, NPoint = 5, PollTime = 6, MaxError = 7,
                     Position = 8, Bit = 9, Swap = 10, SwapWord = 11, Topic = 12, Mnemonic = 13, Count = 14;
}
namespace modbus_write_col {
inline constexpr int N = 0, Enable = 1, Slave_ID = 2, Type = 3, Address = 4, NPoint = 5, PollTime = 6, OnChange = 7,
                     OnCMD = 8, MaxError = 9, Position = 10, Bit = 11, Swap = 12, SwapWord = 13, Mnemonic = 14,
                     Count = 15;
}

class TFSetAccess : public tables::TTableWindow {
    Q_OBJECT
public:
    // Sizes in bytes of the gateway's input and output data arrays that Position addresses.
    static constexpr int NByte_IN = 1500;
    static constexpr int NByte_OUT = 1500;
    static constexpr int kRows = 513; // the header row and 512 rows

    explicit TFSetAccess(platform::Services& services, QWidget* parent = nullptr);

    void FormShow() override;

    // Entry Index of List_Publish_Topic, empty when there is none.
    QString Get_Topic_From_Index(int Index) const;
    // index when List_Publish_Topic holds Topic there, else the first position of Topic, -1
    // when it holds none.
    int Get_Index_From_Topic(const QString& Topic, int index) const;

    QWidget* TS_Modbus_Read = nullptr;
    QWidget* TS_Modbus_Write = nullptr;
    tables::TTableGrid* ACG_Modbus_Read = nullptr;
    tables::TTableGrid* ACG_Modbus_Write = nullptr;
    // The topics the Topic column would offer; nothing fills it in this build.
    QStringList List_Publish_Topic;
    // The topic index picked or loaded for read row r, at r - 1; -1 for none.
    std::vector<int> ComboItem_Topic;

    const QStringList& Hint_Modbus_Set_Access_Read() const { return Hints(0); }
    const QStringList& Hint_Modbus_Set_Access_Write() const { return Hints(1); }
    bool Do_Copy_In_Read() const { return Do_Copy(0); }
    bool Do_Copy_In_Write() const { return Do_Copy(1); }

protected:
    void Plug_Rules(int index, tables::TRuleRun& run) const override;
    QString Load_Text(int index, int col, int row, const QString& value) override;
    QString Save_Text(int index, int col, int row) const override;
};

} // namespace ethernet
