#pragma once
// The IEC 61850 client window: which data attributes of which IEC 61850 servers the gateway
// reads or writes, and which data sets it receives, kept in "IEC_61850_Client.xml".
//
// Left, the catalogue: SCL files copied into the project's "ICD_Catalog" folder and decoded
// into devices (List_IEC_Dev; a device's position is its number, which the tables' Index
// column holds), the list box of their names and the read-only tree of the device last
// clicked. Right, the tables (UIEC_61850_AccessTables.h): Add Var turns the leaf attribute or
// the data set picked in the tree into a row. The file is read and written through
// UIEC_61850_ClientFile.h.
//
//   FormShow     everything dropped, the file read (catalogue decoded, rows, data sets
//                matched to their decoded members), the list refreshed; the tree stays empty
//   list click   the tree of that device, both tree selections cleared
//   tree click   Selected_IEC_DA (a leaf attribute) or Selected_IEC_DS (a data set)
//   OK           the variables validated, the file replaced, the window closed with 1
//
// A catalogue file missing at load keeps its device number as a placeholder device (listed
// by its saved name, no tree, written back unchanged), and the missing files are named in one
// message, so the rows keep pointing at the right devices.

#include "common/UFormParts.h"
#include "protocols/energy_it/iec61850/UIEC_61850_AccessTables.h"
#include "tables/TableSetup.h"

#include <QIcon>
#include <QList>
#include <QStringList>

#include <memory>
#include <set>
#include <span>
#include <vector>

class QLabel;
class QListWidget;
class QSplitter;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TGlyphButton;

namespace energy_it {

class TIEC_Device;
class TIEC_LDevice;
class TIEC_LN;
class TIEC_DO;
class TIEC_DA;
class TIEC_DataSet;
struct TIEC_Client_File;

class TFIEC_61850_Access : public common::TQvForm {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 1200;
    static constexpr int kClientHeight = 550;
    // The tree's pictures, one per node kind (index into IL_IEC).
    enum TPicture : int { picDevice, picLDevice, picLN, picDO, picDA, picDataSet, picCount };
    // Where a tree item keeps its picture index.
    static constexpr int kImageIndexRole = Qt::UserRole + 1;
    // The fixed question of an existing catalogue file (not in the text table).
    static constexpr const char* kOverwriteQuestion =
        "File already exists in catalog directory. Do you want to overwrite file?";

    explicit TFIEC_61850_Access(platform::Services& services, QWidget* parent = nullptr);
    ~TFIEC_61850_Access() override;

    void Set_Lang();
    void FormShow() override;

    // Catalogue and tree (UIEC_61850_Access.cpp).
    void Btn_Add_IEC_DeviceClick();
    void Btn_Remove_IEC_DeviceClick();
    void LB_IEC_DevicesClick();
    void TV_IEC_DeviceClick();
    void Show_IEC_Devices();
    void Show_Tree_IEC_Device(TIEC_Device& app_IEC_Dev);
    void Show_Tree_IEC_LDevice(TIEC_LDevice& ld, QTreeWidgetItem* NodeOrig);
    void Show_Tree_IEC_LN(TIEC_LN& ln, QTreeWidgetItem* NodeOrig);
    void Show_Tree_IEC_DO(TIEC_DO& dobj, QTreeWidgetItem* NodeOrig);
    void Show_Tree_IEC_DA(TIEC_DA& da, QTreeWidgetItem* NodeOrig);
    void Show_Tree_IEC_DataSet(TIEC_DataSet& ds, QTreeWidgetItem* NodeOrig);
    TIEC_DA* Search_Node_Selected() const;
    TIEC_DataSet* Search_Node_Selected_DataSet() const;
    // The first data set of device index whose reference is reference; none when index is no
    // device number or nothing matches.
    TIEC_DataSet* Get_DataSet(int index, const QString& reference) const;

    // Tables (UIEC_61850_AccessTables.cpp).
    void Btn_AddVarClick();
    void Btn_RemoveVarClick();
    void Btn_OKClick();
    void Set_Start_Num_Byte();
    bool Controllo_dati();
    void Show_DataSet_DAs();
    TGlyphButton* Btn_AddVar = nullptr;
    TGlyphButton* Btn_RemoveVar = nullptr;
    TGlyphButton* Btn_MoveUp = nullptr;
    TGlyphButton* Btn_ModeDown = nullptr;
    TGlyphButton* Btn_Add_IEC_Device = nullptr;
    TGlyphButton* Btn_Remove_IEC_Device = nullptr;
    QListWidget* LB_IEC_Devices = nullptr;
    QTreeWidget* TV_IEC_Device = nullptr;
    QList<QIcon> IL_IEC;
    QTabWidget* PC_DA_DataSet = nullptr;
    QWidget* TS_DA = nullptr;
    QWidget* TS_DataSet = nullptr;
    tables::TTableGrid* ACG_DA = nullptr;
    tables::TTableGrid* ACG_DataSet = nullptr;
    tables::TTableGrid* ACG_DS_Vars = nullptr;

    std::vector<std::unique_ptr<TIEC_Device>> List_IEC_Dev;
    QTreeWidgetItem* NODE_ORIG = nullptr;
    TIEC_DA* Selected_IEC_DA = nullptr;
    TIEC_DataSet* Selected_IEC_DS = nullptr;
    QStringList Hint;
    std::vector<std::unique_ptr<TDataSet>> List_DataSet;
    int DataSet_Row_Select = 0;

public slots:
    void reject() override;

private:
    void FormCreate();
    void Build_Device_Panel(QSplitter& body);
    void Build_Tables(QSplitter& body);
    void Make_Pictures();
    void Build_Table(tables::TTableGrid& grid, std::span<const TIEC_Column> columns);
    QTreeWidgetItem* Add_Node(QTreeWidgetItem* parent, const QString& text, TPicture picture);
    void Clear_Tree();
    // The device selected in the list box, or none.
    TIEC_Device* Selected_Device() const;
    QString Catalog_Dir() const;
    // Decodes a catalogue file into a new device at the end of the list; false (the reader's
    // message shown) when the file is not well-formed.
    bool Add_Device(const QString& path);

    // Tables.
    void ClickCell(tables::TTableGrid& grid, int row, int col);
    void ACG_DS_VarsSelectCell();
    void ACG_DS_VarsEditCellDone(int col, int row);
    // The member table's editable cells into the members of the data set it shows: an edit
    // ends on the event queue, after a click elsewhere may already have changed the table.
    void Commit_Members();
    void Store_Member_Cell(TDataSet_DA& member, int col, int row);
    // Editing of the current variables cell: off on a fixed Start Byte or Num Byte.
    void Apply_Cell_Editing(int col, int row);
    void Reset_Table(tables::TTableGrid& grid);
    static bool Table_Empty(const tables::TTableGrid& grid);
    // The row Add Var fills: row 1 of an empty table, otherwise a new last row.
    static int Take_Row(tables::TTableGrid& grid);
    static void Remove_Table_Row(tables::TTableGrid& grid, int row);
    void Load_File();
    void Save_File_Record(TIEC_Client_File& file) const;

    std::unique_ptr<tables::TTableRows> daRows_;
    std::unique_ptr<tables::TTableRows> dataSetRows_;
    std::unique_ptr<tables::TTableRows> memberRows_;
    // Devices whose catalogue file was missing at load: kept for their numbers, without a tree.
    std::set<const TIEC_Device*> missing_;
    // The data-set row whose members the member table shows (0: none).
    int Members_Shown_Row = 0;
};

} // namespace energy_it
