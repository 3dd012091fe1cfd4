#pragma once
// The BACnet client tables: the properties the gateway reads from objects of other BACnet
// devices ("BACnet Read": where the value goes in the gateway's data, poll time, error limit)
// and the properties it writes to them ("BACnet Write": data type, priority, on change or on
// a timer). Each row addresses a device by IP address or station number, as the
// communication settings' "BACnet_Master_Type" says (any other kind: no address column), and
// may route through a router to a remote network. Kept in "BACnet_Master_Access.xml"; Import
// EDE fills rows from a device's EDE file through the picker TFImportEDEFile.
//
// The key cell that ends a table is the address (column 2), or the Object Type (column 3)
// while the address column is hidden: the key is set at each show. The Swap and Convertion
// columns are hidden and kept out of the file and the checks. The checks need the name and
// rule tables below: which object types and properties each table takes, the data type a
// written present value must have, the bytes a data type holds, the routed address list.

#include "tables/UTableWindow.h"

#include <memory>
#include <optional>

class TGlyphButton;

namespace ethernet {

class TFImportEDEFile;

namespace bacnet_read_col {
inline constexpr int N = 0, Enable = 1, Address = 2, Object_Type = 3, Instance = 4, Property = 5, NByte = 6,
                     En_Dest = 7, D_Net = 8, D_Len = 9, D_Add = 10, Poll_Time = 11, Max_Err = 12, Position = 13,
                     Start_Bit = 14, Swap = 15, Convertion = 16, Mnemonic = 17, Count = 18;
}
namespace bacnet_write_col {
inline constexpr int N = 0, Enable = 1, Address = 2, Object_Type = 3, Data_Type = 4, Instance = 5, Property = 6,
                     Priority = 7, NByte = 8, En_Dest = 9, D_Net = 10, D_Len = 11, D_Add = 12, Change = 13, Timer = 14,
                     Poll_Time = 15, Max_Err = 16, Position = 17, Start_Bit = 18, Swap = 19, Convertion = 20,
                     Mnemonic = 21, Count = 22;
}

// Which of the two tables a name or rule is asked for.
enum class TBACnet_Table { Read, Write };

// The object-type code of a cell's text (trimmed, any letter case): the standard names the
// table takes, or a proprietary type 128..1023 typed as a number; -1 when not accepted.
int Check_Object_Type(const QString& text, TBACnet_Table table);
// The property of a cell's text for an object-type code: its byte count (1..49), 100 for the
// present value, 200 for a proprietary property 512..4194303, -1 when not accepted.
int Check_Property(const QString& text, TBACnet_Table table, int objectType);
// Whether a written value of that data type fits the object type and property.
bool Check_Data_Type(const QString& dataType, int objectType, int property);
// The data-type name a present value of that object type must have; empty when none can be
// named (any type for a proprietary object, none for the life-safety objects).
QString Aspected_Data_Type_Value(int objectType, int property);
// The most bytes a value of that data type holds (255 for a text outside the list).
int Check_Num_Byte_Max(const QString& dataType);
// A routed address list of `count` bytes ("M1" .. "M8"): comma-separated numbers 0..255. The
// failure's text (without the row prefix), or nothing when the list is good.
std::optional<QString> Check_Dest_Add(const QString& list, int count, TBACnet_Table table);

class TFBACnetAccess : public tables::TTableWindow {
    Q_OBJECT
public:
    static constexpr int kRows = 513;       // the header row and 512 requests
    static constexpr int kPositions = 1440; // bytes of the gateway's data a value may start at
    static constexpr int kClientHeight = 337;
    // Address kinds of "BACnet_Master_Type".
    static constexpr int kAddressIP = 0;
    static constexpr int kAddressStation = 1;

    explicit TFBACnetAccess(platform::Services& services, QWidget* parent = nullptr);
    ~TFBACnetAccess() override;

    // The client width for a screen of that width.
    static int Client_Width(int screenWidth);

    void Set_Lang() override;
    void FormShow() override;
    void Btn_Import_CSVClick();

    QWidget* TS_BACnet_Read = nullptr;
    QWidget* TS_BACnet_Write = nullptr;
    tables::TTableGrid* ACG1 = nullptr;
    tables::TTableGrid* ACG2 = nullptr;
    TGlyphButton* Btn_Import_CSV = nullptr;
    // The EDE picker, created after this window and handed over then (none: Import EDE does
    // nothing).
    TFImportEDEFile* FImportEDEFile = nullptr;

    // The address kind read at each show: 0 IP address, 1 station number, else none.
    int App_BACnet_Type = kAddressIP;

protected:
    void Plug_Rules(int index, tables::TRuleRun& run) const override;

private:
    struct TDefs;
    TFBACnetAccess(std::unique_ptr<TDefs> defs, platform::Services& services, QWidget* parent);
    void Read_BACnet_Type();
    void Show_Address_Column();
    // Appends the picker's ticked objects to the tables; objects that found no room are told.
    void Import_Rows();

    std::unique_ptr<TDefs> defs_;
};

} // namespace ethernet
