#pragma once
// The OPC UA client's window: the servers the gateway talks to in the upper table and, on two
// tabs below, the variables it reads from and writes to the selected server. The data lives in
// the server list; the tables are views of it. A variable table shows one server's variables
// and commits them back into that server when it loses the focus (every button of the window
// takes the focus when pressed, so a button always acts after the commit); a selection that
// moves, by a click, by the keyboard or by Add, Modify, Delete or Scan, refreshes the tables
// from the list.
//
//   FormShow       list freed and read from "OPC_UA_Client.xml", tables shown
//   server table   click or keyboard: show its variables; double-click below the rows: Add,
//                  on a row (header included): Modify
//   Add/Modify     the endpoint dialog; Delete asks 4389; Scan browses the server and adopts
//                  the ticked variables (appending, replacing or keeping each list)
//   Auto Pos       positions packed after the largest end over the servers above
//   OK             Controllo_Dati, then the file; the first failure is shown

#include "common/UComonRows.h"
#include "common/UFormParts.h"
#include "platform/Xml.h"
#include "protocols/energy_it/opcua/UOPC_UA_Client_Model.h"

#include <QStringList>

#include <functional>
#include <memory>

class QLabel;
class QSplitter;
class QTabWidget;
class TGlyphButton;

namespace grid {
class TQvColumnGrid;
}

namespace energy_it {

class TFOPC_UA_Add_Server;
class TFOPC_UA_Scan_Server;

// One variable table: its grid, the row helpers' view of it, whether it is the write table,
// and the server whose variables it shows (the one it commits into; none: nothing to commit).
struct TOPC_UA_Var_Table {
    grid::TQvColumnGrid* grid = nullptr;
    std::unique_ptr<common::TRowTable> rows;
    bool write = false;
    TOPC_UA_Server* server = nullptr;
};

namespace opcua_server_col {
inline constexpr int N = 0, Enable = 1, ServerAddress = 2, Authorization = 3, User = 4, Password = 5, Certificate = 6,
                     PrivateKey = 7, SecurityType = 8, SecurityPolicy = 9, Mnemonic = 10, Count = 11;
}
// Columns 0..6 are the same in both variable tables.
namespace opcua_var_col {
inline constexpr int N = 0, Enable = 1, DisplayName = 2, NodeType = 3, NodeID = 4, VarType = 5, NameSpaceIndex = 6,
                     Count = 13;
// Read table.
inline constexpr int R_Time = 7, R_Position = 8, R_Mnemonic = 9;
// Write table.
inline constexpr int W_OnChange = 7, W_OnCMD = 8, W_OnTimer = 9, W_Time = 10, W_Position = 11, W_Mnemonic = 12;
} // namespace opcua_var_col

class TFOPC_UA_Client_Access : public common::TQvForm {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 1150;
    static constexpr int kClientHeight = 660;
    static constexpr int kServerPanelHeight = 220;
    static constexpr int kVarRows = 1024;     // data rows of a variable table, grown for longer lists
    static constexpr int kMaxPosition = 1499; // last byte of the gateway's data array

    explicit TFOPC_UA_Client_Access(platform::Services& services, QWidget* parent = nullptr);
    ~TFOPC_UA_Client_Access() override;

    void Set_Lang();
    void FormShow() override;

    void Show_OPC_UA_Server_List();
    // Shows the variables of the server of the selected row (none: empty tables).
    void Show_OPC_UA_Var_List();
    void Erase_OPC_UA_Var_R_List();
    void Erase_OPC_UA_Var_W_List();
    // Commits a variable table into the server whose variables it shows.
    void Save_Variable_in_Read();
    void Save_Variable_in_Write();
    void Add_Server();
    void Modify_Server();
    void Delete_Server();
    void Scan_Server();
    void Add_Variables_In_Read(TOPC_UA_Server& server);
    void Add_Variables_In_Write(TOPC_UA_Server& server);
    void Delete_Server_Var_OPC_UA();
    // Where the selected server's read and write areas begin: after the largest end over every
    // server above it.
    void Start_Position(int& SP_Read, int& SP_Write) const;
    // Bytes of a type name (without regard to case); 0 for an unknown name.
    static int GetLenVarType(const QString& DT);
    bool Controllo_Dati();

    TOPC_UA_Server_List OPC_UA_Server_List;
    int Ind_Server = -1;
    bool Do_Copy_Read = false;
    bool Do_Copy_Write = false;
    QStringList Hint_Server_List;
    QStringList Hint_Var_R_List;
    QStringList Hint_Var_W_List;
    platform::xml::Document XML1;

    // The endpoint dialog and the browse window, set when the program creates its windows.
    TFOPC_UA_Add_Server* FOPC_UA_Add_Server = nullptr;
    TFOPC_UA_Scan_Server* FOPC_UA_Scan_Server = nullptr;
    // Shows one of them modally; tests answer in its place.
    std::function<int(common::TQvForm&)> Show_Modal_Form;
    QSplitter* Splitter1 = nullptr;
    QWidget* P_OPC_UA_Server_List = nullptr;
    QLabel* L_Server_List_Title = nullptr;
    grid::TQvColumnGrid* ACG_OPC_UA_Server = nullptr;
    TGlyphButton* Btn_Add_Server = nullptr;
    TGlyphButton* Btn_Modify_Server = nullptr;
    TGlyphButton* Btn_Delete_Server = nullptr;
    TGlyphButton* Btn_Scan_Server = nullptr;
    QWidget* P_OPC_UA_Var_List = nullptr;
    QLabel* L_Variables_List_Title = nullptr;
    QTabWidget* PC_OPC_UA_Vars = nullptr;
    QWidget* TS_OPC_UA_Var_Read = nullptr;
    QWidget* TS_OPC_UA_Var_Write = nullptr;
    grid::TQvColumnGrid* ACG_OPC_UA_Var_R = nullptr;
    grid::TQvColumnGrid* ACG_OPC_UA_Var_W = nullptr;
    TGlyphButton* Btn_DelRow = nullptr;
    TGlyphButton* Btn_InsRow = nullptr;
    TGlyphButton* Btn_CopyRow = nullptr;
    TGlyphButton* Btn_PasteRow = nullptr;
    TGlyphButton* Btn_AutoPosition = nullptr;

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void Build_Server_Table();
    void Build_Var_Table(TOPC_UA_Var_Table& table);
    void Btn_OKClick();
    void Btn_AutoPositionClick();
    void Btn_DelRowClick();
    void Btn_InsRowClick();
    void Btn_CopyRowClick();
    void Btn_PasteRowClick();
    void ACG_OPC_UA_Var_Enter(TOPC_UA_Var_Table& table);
    void ACG_OPC_UA_Var_Exit(TOPC_UA_Var_Table& table);
    void Focus_Changed(QWidget* old, QWidget* now);

    // The server of the selected row of the server table, or nullptr; its index in index.
    TOPC_UA_Server* Selected_Server(int* index = nullptr) const;
    void Show_Var_List_Of(int serverRow);
    void Set_Var_Table_Texts(TOPC_UA_Var_Table& table, QStringList& hints);
    void Take_Server_From_Dialog(TOPC_UA_Server& server) const;
    // Appends a variable for every browse row ticked in the column.
    void Adopt_Ticked(TOPC_UA_Var_List& list, int tickColumn);
    // The last row holding anything beyond an erased row's number and "Y"; 0 for none.
    static int Last_Used_Row(const TOPC_UA_Var_Table& table);
    void Erase_Var_Table(TOPC_UA_Var_Table& table, int dataRows);
    void Fill_Var_Table(TOPC_UA_Var_Table& table, const TOPC_UA_Var_List& list);
    void Commit(TOPC_UA_Var_Table& table);
    TOPC_UA_Var_Table& Front_Table();
    // Stores an open in-place edit into its cell.
    static void End_Edit(grid::TQvColumnGrid& grid);
    int Show_Modal(common::TQvForm& form);

    std::unique_ptr<TOPC_UA_Var_Table> read_;
    std::unique_ptr<TOPC_UA_Var_Table> write_;
};

} // namespace energy_it
