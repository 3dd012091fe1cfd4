#pragma once
// The EDE import picker of the BACnet client tables: reads a device's EDE file (";"-separated
// object lines after a "# mandatory ..." header line), lists the objects of the types the
// client tables know, and lets the user tick which to import and whether each is read,
// written or both, and give the device's address. Nothing is written: the client window takes
// the ticked objects when the picker closes with OK.
//
//   FormShow           list emptied, Load_EDE_File, Show_Data_in_Grid, focus in E_ID_IP
//   Load_EDE_File      data start (line 9 after a "# mandatory" line 7, else two lines after
//                      the last such line; none: no objects), then one TBACnet_Var per line
//   ACGCheckBoxClick   a tick stored in its item; Write only on a commandable object
//   Btn_OKClick        the address checked for the client's address kind, then closes with 1
//
// A file of fewer than seven lines, without a "mandatory" line or that cannot be read gives an
// empty list without a message.

#include "common/UFormParts.h"
#include "tables/TableSetup.h"

#include <QString>

#include <vector>

class QLabel;
class QLineEdit;
class TGlyphButton;

namespace ethernet {

// One object of an EDE file.
struct TBACnet_Var {
    QString keyname;
    int device_obj_instance = -1;
    QString object_name;
    int object_type = -1; // the standard BACnet object-type number
    int object_instance = -1;
    QString description;
    QString present_value_default;
    QString min_present_value;
    QString max_present_value;
    bool commandable = false;
    bool support_COV = false;
    QString hi_limit;
    QString low_limit;
    QString stete_text_reference;
    QString unit_code;
    QString vendor_specific_address;
    bool import = true;
    bool read = true;
    bool write = false;
};

// What the client tables make of an EDE object type: the Object Type name, the Data Type of a
// write row and the byte count of the value.
struct TEDE_Object_Kind {
    int objectType;
    const char* name;
    const char* dataType;
    int numByte;
};
// The kind of an object type; nullptr for a type the client tables do not take.
const TEDE_Object_Kind* EDE_Object_Kind(int objectType);
// The kind's fields; an empty name, "Null" and 4 for a type outside the table.
QString Get_ObjType_EDE(int objectType);
QString Get_DataType_EDE(int objectType);
int Get_NumByte_EDE(int objectType);

// The objects of an EDE file's lines that the client tables take, in file order.
std::vector<TBACnet_Var> Read_EDE_Vars(const QStringList& lines);

namespace ede_col {
inline constexpr int N = 0, Import = 1, Read = 2, Write = 3, Name = 4, Object_Type = 5, Instance = 6, Description = 7,
                     Commandable = 8, Count = 9;
}

class TFImportEDEFile : public common::TQvForm {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 863;
    static constexpr int kClientHeight = 337;

    explicit TFImportEDEFile(platform::Services& services, QWidget* parent = nullptr);
    ~TFImportEDEFile() override;

    void Set_Lang();
    void FormShow() override;
    void Load_EDE_File();
    void Show_Data_in_Grid();
    void Cancel_EDE_List_Vars();
    void ACGCheckBoxClick(int col, int row, bool state);
    void Btn_Select_AllClick();
    void Btn_Unselect_AllClick();
    void Btn_OKClick();

    // Set by the client window before the picker is shown.
    QString EDE_File;
    int App_BACnet_Type = 0;
    std::vector<TBACnet_Var> List_EDE_Var;
    QLabel* LID_IP = nullptr;
    QLineEdit* E_ID_IP = nullptr;
    tables::TTableGrid* ACG = nullptr;
    TGlyphButton* Btn_Select_All = nullptr;
    TGlyphButton* Btn_Unselect_All = nullptr;

public slots:
    void reject() override;

private:
    void FormCreate();
    void Set_Import_All(bool import);
};

} // namespace ethernet
