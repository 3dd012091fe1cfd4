#pragma once
// The protocol table window: one or two column grids kept in one project XML file, checked
// on OK with the first error shown, and the row buttons every table has. A window is a
// description, not code: its columns (header, hint, width, colour, editor, XML attribute and
// what a missing attribute gives), its grids (rows, key column, enable flag, rules, file
// section) and the window itself (caption, button texts, file). TTableWindow walks it:
//
//   FormCreate   frame, grids (one in the body, or two sheets of PageControl1), Set_Lang
//   Set_Lang     caption, title, button captions and hints, sheet captions, headers, hints
//   FormShow     rows reset (number in column 0, "Y" in the enable column), pick lists of
//                positions rebuilt, the file read, the copy flags cleared, the first sheet
//                in front and its grid focused
//   OK           per grid: the rules, then the empty-key check; the first failure is shown
//                and nothing is written; else the file is replaced and the window closes
//                with 1 (a failed save is shown and the window stays open)
//   row buttons  act on the grid of the sheet in front, at its current row
//
// A missing required attribute throws platform::xml::XmlError while the window is shown;
// TQvForm shows it and closes the window, so OK never saves a half-loaded table.
//
// The mended rule of every table: the first empty key cell ends the table, but only when
// neither its row nor any row below holds anything besides the row number and the enable
// flag; otherwise OK is refused with the table's row prefix, that row and text 1506, since
// saving would drop every row below the gap without a word (an inserted row makes one).

#include "common/UComonState.h"
#include "common/UFormParts.h"
#include "tables/RowRules.h"
#include "tables/TableSetup.h"

#include <QStringList>

#include <array>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

class QLabel;
class QTabWidget;
class TGlyphButton;

namespace tables {

// "!! The row is empty but rows below it are filled ...": the empty-key refusal.
inline constexpr int kText_Empty_Key_Above_Rows = 1506;

// What a missing attribute gives when a row is loaded.
enum class TMissing {
    Empty,    // the cell keeps what the reset put there (empty; "Y" in the enable column)
    Text,     // TColumn::missingText
    Required, // the load stops with XmlError naming the attribute
};

// One column of a grid. Column 0 (the row number) is a column too: header, width, no attr.
struct TColumn {
    int header = 0;                     // text number of the header cell
    int hint = 0;                       // text number of the header hint; 0: none
    int width = 64;
    platform::TColor colour = grid::clNone; // none: the window colour
    grid::TEditorType editor = grid::edNormal; // edNormal, edComboList, edComboEdit, edDataCheckBox
    std::span<const std::string_view> items = {}; // fixed pick-list items
    int positions = 0;                  // >0: pick list "None", "0" .. positions - 1, built at show
    const char* attr = nullptr;         // XML attribute; nullptr: not in the file
    TMissing missing = TMissing::Empty;
    const char* missingText = "";       // for TMissing::Text
    // TMissing::Text only where another cell of the row, as just loaded and trimmed, equals
    // this text (the other column is loaded first): {column, "Y"}.
    int missingIfColumn = -1;
    const char* missingIfText = "";
    bool centred = false;
};

// A row condition named by the rules' `when`, as data: the cell of `column`, trimmed, ...
struct TCondition {
    enum Kind {
        Is,          // ... equals text
        IsNot,       // ... differs from text
        IsY,         // ... upper-cased is "Y"
        AtLeast,     // ... read as a number is at least number
    };
    std::string_view name;
    Kind kind = Is;
    int column = 0;
    std::string_view text = {};
    int number = 0;
};

// Data bytes 1..8 of a frame checked only within its length: the conditions "byte1" ..
// "byte8", each holding where the length column reads at least k; a rule on byte k names
// kByteWhen[k - 1].
inline constexpr std::string_view kByteWhen[8] = {"byte1", "byte2", "byte3", "byte4",
                                                   "byte5", "byte6", "byte7", "byte8"};
constexpr std::array<TCondition, 8> Byte_Conditions(int lengthColumn)
{
    std::array<TCondition, 8> conditions{};
    for (int k = 1; k <= 8; ++k)
        conditions[size_t(k - 1)] = {kByteWhen[k - 1], TCondition::AtLeast, lengthColumn, {}, k};
    return conditions;
}

// One grid: its rows, columns, rules and file section.
struct TGridDef {
    const char* name;                   // object name: "ACG_CAN_Receive"
    int rows;                           // the header row included
    std::span<const TColumn> columns;
    TTableRules rules;                  // key column, trimmed key, enable column, "Error row " text, rules
    std::span<const TCondition> conditions = {};
    int deleteQuestion = 0;             // "Are you sure to delete the Row number "
    bool insertEnables = true;          // Insert Row puts "Y" in the enable column
    bool clickSelectsRow = false;       // a click on a row-number cell selects the row
    const char* section = nullptr;      // element under the root holding the rows; nullptr: the root
    const char* sheet = nullptr;        // two grids: the tab sheet's object name
    int sheetCaption = 0;
    std::span<const int> fileOrder = {}; // attributes' order by column; empty: column order
};

// Six consecutive text numbers, for the button captions or hints (OK, Cancel, Delete Row,
// Insert Row, Copy Row, Paste Row).
using TButtonTexts = std::array<int, 6>;
constexpr TButtonTexts Six(int first)
{
    return {first, first + 1, first + 2, first + 3, first + 4, first + 5};
}

// The window.
struct TWindowDef {
    const char* name;                   // object name: "FReceiveCAN"
    int clientWidth;
    int clientHeight;
    int caption;                        // window caption text
    int title;                          // L_SW_Desc text
    TButtonTexts buttonCaptions;
    TButtonTexts buttonHints;
    std::span<const TGridDef> grids;    // one, or two shown as sheets
    const char* root;                   // the file's root element (not checked on load)
    QString common::TProgramState::* file; // &TProgramState::File_CAN_Rec_Frames
    bool sectionsRequired = false;      // a missing section stops the load with XmlError
};

class TTableWindow : public common::TQvForm {
    Q_OBJECT
public:
    TTableWindow(const TWindowDef& def, platform::Services& services, QWidget* parent = nullptr);
    ~TTableWindow() override;

    // Texts of the current language; called at creation and on a language change.
    virtual void Set_Lang();
    void FormShow() override;
    // True when every grid passes; else the first failure is shown.
    bool Controllo_dati();
    // The first failure of every grid's rules and empty-key check, or nothing.
    std::optional<QString> First_Error();
    void Btn_OKClick();
    void Btn_DelRowClick();
    void Btn_InsRowClick();
    void Btn_CopyRowClick();
    void Btn_PasteRowClick();

    int Grid_Count() const { return int(grids_.size()); }
    TTableGrid* Grid(int index) const { return grids_[size_t(index)].grid; }
    // The tab sheet of a grid (two grids only).
    QWidget* Sheet(int index) const { return grids_[size_t(index)].sheet; }
    // The grid whose sheet is in front (the only grid of a one-grid window).
    int Active_Grid() const;
    const QStringList& Hints(int index) const { return grids_[size_t(index)].hints; }
    bool Do_Copy(int index) const { return grids_[size_t(index)].copied; }
    const TWindowDef& Def() const { return def_; }

    QWidget* P_Title = nullptr;
    QLabel* L_SW_Code = nullptr;
    QLabel* L_SW_Desc = nullptr;
    QWidget* P_Button = nullptr;
    QTabWidget* PageControl1 = nullptr; // two grids only
    TGlyphButton* Btn_OK = nullptr;
    TGlyphButton* Btn_Cancel = nullptr;
    TGlyphButton* Btn_DelRow = nullptr;
    TGlyphButton* Btn_InsRow = nullptr;
    TGlyphButton* Btn_CopyRow = nullptr;
    TGlyphButton* Btn_PasteRow = nullptr;

public slots:
    void reject() override;

protected:
    // Checks and conditions beyond the data ones, plugged in by name for one validation run
    // of grid `index` (see RowRules.h).
    virtual void Plug_Rules(int index, TRuleRun& run) const;
    // A check over the whole window, run after every grid has passed (values that must
    // differ across grids); nothing when it passes, else the message to show.
    virtual std::optional<QString> Check_Window() const { return std::nullopt; }

private:
    struct TGridState {
        const TGridDef* def;
        TTableGrid* grid;
        QWidget* sheet;
        std::unique_ptr<TTableRows> rows;
        QStringList hints;
        bool copied = false;
    };

    void FormCreate();
    void Build_Grid(size_t index);
    void Reset_Rows(TGridState& g);
    void Load_File();
    bool Save_File(QString& error) const;
    TGridState& Active();

    const TWindowDef& def_;
    std::vector<TGridState> grids_;
};

// A table's first empty key cell, when it or a row below holds anything besides the row
// number and the enable flag: that row's failure ("Error row " + row + text 1506).
std::optional<QString> Empty_Key_Above_Rows(const common::TRowTable& table, const TTableRules& rules);

} // namespace tables
