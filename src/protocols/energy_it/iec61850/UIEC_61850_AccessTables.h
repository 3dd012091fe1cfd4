#pragma once
// The tables of the IEC 61850 client window as data: the variables table (single attributes
// read or written), the data-set table and the member table of the current data set, their
// column layouts, the byte-size rule, the validation rules, and the chosen data sets with
// their members (TDataSet, TDataSet_DA), which refer into the decoded devices.
//
// The window's members that work on these tables (Add Var, Remove Var, the byte-size rule,
// the validation, the member table and the cell handlers) live in UIEC_61850_AccessTables.cpp.

#include "grid/BaseGrid.h"
#include "tables/RowRules.h"

#include <QString>

#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace energy_it {

class TIEC_DA;
class TIEC_DataSet;

// Columns of the variables table ACG_DA.
namespace da_col {
enum : int {
    N,
    Index,
    bType,
    fc,
    Reference,
    Start_Byte,
    Num_Byte,
    IP_Address,
    Port,
    On_Change,
    On_CMD,
    On_Timer,
    Time,
    Position,
    Start_Bit,
    Read_Write,
    Convertion,
    Molt_Fact,
    Mnemonic,
    Count
};
} // namespace da_col

// Columns of the data-set table ACG_DataSet.
namespace ds_col {
enum : int { N, Index, Reference, Goose_Name, En_Goose, IP_Address, Port, Time, Mnemonic, Count };
} // namespace ds_col

// Columns of the member table ACG_DS_Vars.
namespace member_col {
enum : int { N, bType, Reference, Position, Start_Bit, Convertion, Mult_Fact, Mnemonic, Count };
} // namespace member_col

// One column: its header (a text number, or a fixed header where the table's headers do not
// follow the language), width, editor and pick list. The file's attributes are listed in
// UIEC_61850_ClientFile.cpp, in column order.
struct TIEC_Column {
    int header = 0; // text number; 0: fixedHeader
    const char* fixedHeader = "";
    int width = 64;
    bool readOnly = false;
    grid::TEditorType editor = grid::edNormal;
    std::span<const std::string_view> items = {};
};

extern const std::span<const TIEC_Column> kDA_Columns;
extern const std::span<const TIEC_Column> kDataSet_Columns;
extern const std::span<const TIEC_Column> kMember_Columns;

// The hint list of the variables table, one text number per column (index = column); the
// data-set and member tables take their header hints from it by column number too.
extern const std::span<const int> kHint_Texts;

// The byte-size rule of a basic type (compared upper-cased): fixed-size types have their
// Start Byte "0" and Num Byte set and both cells read-only; nothing for the others, whose
// cells the user fills.
std::optional<QString> Fixed_Num_Byte(const QString& bType);

// The validation of the variables table: "Error row " + row + the first failing rule's text.
// Rows whose bType is empty are not checked; the checks and conditions the rules name come
// with Variables_Rule_Run.
const tables::TTableRules& Variables_Rules();
tables::TRuleRun Variables_Rule_Run(QChar decimalSeparator);

// One member of a chosen data set: the decoded attribute and what the user typed for it.
struct TDataSet_DA {
    TIEC_DA* Select_DA = nullptr; // owned by its device
    QString Position;
    QString bitAddress;
    QString conversion;
    QString multFactor;
    QString Mnemonic;
};

// One row of the data-set table: the decoded data set (none when the saved one was not found)
// and its members.
struct TDataSet {
    TIEC_DataSet* Select_DataSet = nullptr; // owned by its device
    std::vector<std::unique_ptr<TDataSet_DA>> List_DAs;
};

} // namespace energy_it
