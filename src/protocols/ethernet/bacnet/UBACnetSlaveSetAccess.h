#pragma once
// The BACnet server object tables: the objects the gateway offers to the clients of its
// network, "BACnet in Read" (values taken from the 1500 input bytes) and "BACnet in Write"
// (values clients write into the 1500 output bytes), each row an object type, its engineering
// unit, the byte position, start bit and length of its value and the mnemonic that names it.
// Kept in "BACnet_Slave.xml", which the EDE writer turns into the device's object list. Each
// table has 2000 rows and both together hold at most 2000 objects, or 1000 of each when the
// communication settings limit the object names ("BACnet_Desc_Chars_Limit" is "1").

#include "tables/UTableWindow.h"

namespace ethernet {

class TFBACnet_Eng_Unit;

namespace bacnet_slave_col {
inline constexpr int N = 0, Data_Type = 1, Eng_Unit = 2, Position = 3, Start_Bit = 4, Length = 5, Swap = 6,
                     Mnemonic = 7, Count = 8;
}

class TFBACnetSlaveSetAccess : public tables::TTableWindow {
    Q_OBJECT
public:
    static constexpr int kRows = 2001;        // the header row and 2000 objects
    static constexpr int kLimitedRows = 1001; // with the object names limited
    static constexpr int kMaxObjects = 2000;
    static constexpr int kLimitedMaxObjects = 1000;
    static constexpr int kNByte = 1500; // size of the input and of the output bytes

    explicit TFBACnetSlaveSetAccess(platform::Services& services, QWidget* parent = nullptr);

    void FormShow() override;
    std::optional<QString> First_Error() override;

    // A double click on an Eng. Unit cell: the picker shows the cell's code and name, and its
    // code replaces the cell's text when it is confirmed.
    void Open_Eng_Unit(tables::TTableGrid& grid, int row);
    // A new Data Type in the write table presets its Length.
    void Preset_Length(int row, const QString& dataType);

    QWidget* TS_BACnet_in_Read = nullptr;
    QWidget* TS_BACnet_in_Write = nullptr;
    tables::TTableGrid* ACG_BACnet_in_Read = nullptr;
    tables::TTableGrid* ACG_BACnet_in_Write = nullptr;
    // The engineering-unit picker, handed over when the windows are created.
    TFBACnet_Eng_Unit* FBACnet_Eng_Unit = nullptr;

    // "BACnet_Desc_Chars_Limit" is "1": 1000 rows per table and 1000 objects in all.
    bool Desc_Lenght = false;
    int NByte_IN = kNByte;
    int NByte_OUT = kNByte;
    bool Do_Copy_Read() const { return Do_Copy(0); }
    bool Do_Copy_Write() const { return Do_Copy(1); }

protected:
    void Plug_Rules(int index, tables::TRuleRun& run) const override;

private:
    void Read_Desc_Chars_Limit();
};

} // namespace ethernet
