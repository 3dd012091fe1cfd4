#pragma once
// The Modbus TCP master tables: the twin of the serial tables (USetAccess.h) whose rows also
// name the IPv4 address and TCP port at which the gateway reaches each slave. Kept in
// "ModbusTCPM_SetAccess.xml"; every read row is written with the index of its topic, "-1"
// while the list of publish topics is empty, as it is in this build.

#include "tables/UTableWindow.h"

#include <QStringList>

namespace ethernet {

namespace modbus_tcp_read_col {
inline constexpr int N = 0, Enable = 1, IP_Address = 2, Port = 3, Slave_ID = 4, Type = 5, Address = 6, NPoint = 7,
                     PollTime = 8, MaxError = 9, Position = 10, Bit = 11, Swap = 12, SwapWord = 13, Topic = 14,
                     Mnemonic = 15, Count = 16;
}
namespace modbus_tcp_write_col {
inline constexpr int N = 0, Enable = 1, IP_Address = 2, Port = 3, Slave_ID = 4, Type = 5, Address = 6, NPoint = 7,
                     PollTime = 8, OnChange = 9, OnCMD = 10, MaxError = 11, Position = 12, Bit = 13, Swap = 14,
                     SwapWord = 15, Mnemonic = 16, Count = 17;
}

class TFModbus_TCP_Master_Set_Access : public tables::TTableWindow {
    Q_OBJECT
public:
    // Sizes in bytes of the gateway's input and output data arrays that Position addresses.
    static constexpr int NByte_IN = 1500;
    static constexpr int NByte_OUT = 1500;
    static constexpr int kRows = 513; // the header row and 512 rows

    explicit TFModbus_TCP_Master_Set_Access(platform::Services& services, QWidget* parent = nullptr);

    void FormShow() override;

    // True when the text is NOT a usable IPv4 address (four dotted numbers 0..255).
    static bool Check_IP_Address(const QString& IP_Address);
    QString Get_Topic_From_Index(int Index) const;
    // The first position of Topic in List_Publish_Topic, -1 when it holds none.
    int Get_Index_From_Topic(const QString& Topic) const;

    QWidget* TS_Modbus_Read = nullptr;
    QWidget* TS_Modbus_Write = nullptr;
    tables::TTableGrid* ACG_Modbus_Read = nullptr;
    tables::TTableGrid* ACG_Modbus_Write = nullptr;
    // The topics the Topic column would offer; nothing fills it in this build.
    QStringList List_Publish_Topic;

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
