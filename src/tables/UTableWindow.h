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
//   row buttons  act on the grid of the sheet in front, at its current row (Delete Row only
//                on a data row: deleting the header row would pull row 1 into it)
//
// A window that keeps in its file something else than a cell shows (an index for a name)
// converts the value in Load_Text and Save_Text; one with checks of its own plugs them in
// through Plug_Rules. Per grid, Enter navigation and the hint display may be left off, as
// may the buttons' hints of a window.
//
// A missing required attribute throws platform::xml::XmlError while the window is shown;
// TQvForm shows it and closes the window, so OK never saves a half-loaded table.
//
// A grid is a column grid unless its description says plain: then it is a plain string grid
// whose cells carry the column layout one by one, whose edDataCheckBox column is a column of
// cell check boxes ("Y"/"N" in the file, any text but "N" loading checked), and whose row
// buttons move check states and read-only flags with the texts (the common::Grid_*_Ex
// helpers). A window with rules of its own reacts through the virtual hooks below: a cell
// loaded, a row button done, the tables about to be checked and saved.
//
// The mended rule of every table: the first empty key cell ends the table, but only when
// neither its row nor any row below holds anything besides the row number and the enable
// flag; otherwise OK is refused with the table's row prefix, that row and text 1506, since
// saving would drop every row below the gap without a word (an inserted row makes one). A
// grid whose key row ends the table whatever else it holds (TGridDef::keyRowEndsTable) drops
// that row as its file has always done and is refused only for rows below it.

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

namespace pugi {
class xml_node;
}

namespace tables {

// "!! The row is empty but rows below it are filled ...": the empty-key refusal.
inline constexpr int kText_Empty_Key_Above_Rows = 1506;

// What a missing attribute gives when a row is loaded.
enum class TMissing {
    Empty,    // the cell keeps what the reset put there (empty; "Y" in the enable column)
    Text,     // TColumn::missingText; for a column without attribute: put into every loaded row
    Required, // the load stops with XmlError naming the attribute
};

// One column of a grid. Column 0 (the row number) is a column too: header, width, no attr.
struct TColumn {
    int header = 0; // text number of the header cell
    int hint = 0;   // text number of the header hint; 0: none
    int width = 64;
    platform::TColor colour = grid::clNone;       // none: the window colour
    grid::TEditorType editor = grid::edNormal;    // edNormal, edComboList, edComboEdit, edDataCheckBox
    std::span<const std::string_view> items = {}; // fixed pick-list items
    int positions = 0;                            // >0: pick list "None", "0" .. positions - 1, built at show
    const char* attr = nullptr;                   // XML attribute; nullptr: not in the file
    TMissing missing = TMissing::Empty;
    const char* missingText = ""; // for TMissing::Text
    // TMissing::Text only where another cell of the row, as just loaded and trimmed, equals
    // this text (the other column is loaded first): {column, "Y"}.
    int missingIfColumn = -1;
    const char* missingIfText = "";
    bool centred = false;
    bool positionsNone = true; // false: the position list has no "None" item
    bool readOnly = false;     // computed by the window, never edited
    int relabel = 0;           // the header a language change writes; 0: header
};

// A row condition named by the rules' `when`, as data: the cell of `column`, trimmed, ...
struct TCondition {
    enum Kind {
        Is,      // ... equals text
        IsNot,   // ... differs from text
        IsY,     // ... upper-cased is "Y"
        Exactly, // ... as stored (not trimmed) equals text
        AtLeast, // ... read as a number is at least number
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
    const char* name; // object name: "ACG_CAN_Receive"
    int rows;         // the header row included
    std::span<const TColumn> columns;
    TTableRules rules; // key column, trimmed key, enable column, "Error row " text, rules
    std::span<const TCondition> conditions = {};
    int deleteQuestion = 0;        // "Are you sure to delete the Row number "
    bool insertEnables = true;     // Insert Row puts "Y" in the enable column
    bool clickSelectsRow = false;  // a click on a row-number cell selects the row
    bool keyRowEndsTable = false;  // the first empty key ends the table whatever its row holds
    const char* section = nullptr; // element under the root holding the rows; nullptr: the root
    const char* sheet = nullptr;   // two grids: the tab sheet's object name
    int sheetCaption = 0;
    std::span<const int> fileOrder = {}; // attributes' order by column; empty: column order
    bool enterNextCell = true;           // Enter moves to the next cell (with the jump option on)
    bool plain = false;                  // a plain string grid (see above)
    bool showHints = true;               // false: the hint list is kept but never shown
    int rowHeight = 0;                   // height of the data rows; 0: the tables' own (21)
};

// Six consecutive text numbers, for the button captions or hints (OK, Cancel, Delete Row,
// Insert Row, Copy Row, Paste Row). A caption of 0 is the window's own: Set_Lang leaves it.
using TButtonTexts = std::array<int, 6>;
constexpr TButtonTexts Six(int first)
{
    return {first, first + 1, first + 2, first + 3, first + 4, first + 5};
}

// The window.
struct TWindowDef {
    const char* name; // object name: "FReceiveCAN"
    int clientWidth;
    int clientHeight;
    int caption; // window caption text
    int title;   // L_SW_Desc text
    TButtonTexts buttonCaptions;
    TButtonTexts buttonHints;
    std::span<const TGridDef> grids;      // one, or two shown as sheets
    const char* root;                     // the file's root element (not checked on load)
    QString common::TProgramState::*file; // &TProgramState::File_CAN_Rec_Frames
    bool sectionsRequired = false;        // a missing section stops the load with XmlError
    // A file holding more rows than a grid: the rows that fit are loaded and this text is
    // shown (0: the rows past the grid are dropped without a word).
    int rowsNotShownText = 0;
    const char* sectionsParent = nullptr; // element under the root holding the sections; nullptr: the root
    std::array<bool, 6> buttonHintShown = {true, true, true, true, true, true};
};

// The row buttons that change a table, for TTableWindow::Row_Button_Done.
enum class TRowButton { Delete, Insert, Paste };

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
    // The first failure of every grid's rules and empty-key check, or nothing. A window with
    // checks over all its grids adds them after these.
    virtual std::optional<QString> First_Error();
    void Btn_OKClick();
    void Btn_DelRowClick();
    void Btn_InsRowClick();
    void Btn_CopyRowClick();
    void Btn_PasteRowClick();

    int Grid_Count() const { return int(grids_.size()); }
    // The column grid of that index; nullptr for a plain string grid.
    TTableGrid* Grid(int index) const { return grids_[size_t(index)].columnGrid; }
    // The grid of that index, column grid or plain.
    grid::TQvStringGrid* String_Grid(int index) const { return grids_[size_t(index)].grid; }
    // The row helpers' view of the grid of that index.
    common::TRowTable& Rows(int index) const { return *grids_[size_t(index)].rows; }
    // The tab sheet of a grid (two grids only).
    QWidget* Sheet(int index) const { return grids_[size_t(index)].sheet; }
    // The grid whose sheet is in front (the only grid of a one-grid window).
    int Active_Grid() const;
    const QStringList& Hints(int index) const { return grids_[size_t(index)].hints; }
    bool Do_Copy(int index) const { return grids_[size_t(index)].copied; }
    const TWindowDef& Def() const { return def_; }
    QTabWidget* PageControl1 = nullptr; // two grids only
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
    // The cell text an attribute's value gives on load, and the value a cell is saved as, for
    // columns whose file keeps something else than the cell (an index for a name).
    virtual QString Load_Text(int index, int col, int row, const QString& value);
    virtual QString Save_Text(int index, int col, int row) const;
    // Cell (col, row) of grid `index` has just been loaded from the file, or left as reset
    // when its attribute is missing; the attributes are loaded in the file's order.
    virtual void Cell_Loaded(int index, int col, int row);
    // A row button has acted on grid `index` at `row`; changed: whether the table changed
    // (false after No to a question or a refused paste).
    virtual void Row_Button_Done(int index, TRowButton button, int row, bool changed);
    // OK was pressed: the editors are closed, the tables are about to be checked and saved.
    virtual void Before_Save();
    // Called for each file row of grid `index` after its attributes are in `row`: for what a
    // row needs beyond one attribute per column (older attributes, defaults for empty ones).
    virtual void Row_Loaded(int index, const pugi::xml_node& node, int row);
    // A check over the whole window, run after every grid has passed (values that must
    // differ across grids); nothing when it passes, else the message to show.
    virtual std::optional<QString> Check_Window() const { return std::nullopt; }

private:
    struct TGridState {
        const TGridDef* def;
        grid::TQvStringGrid* grid;
        TTableGrid* columnGrid; // nullptr for a plain string grid
        QWidget* sheet;
        std::unique_ptr<common::TRowTable> rows;
        QStringList hints;
        bool copied = false;
    };

    void FormCreate();
    void Build_Grid(size_t index);
    void Reset_Rows(TGridState& g);
    // A plain grid's check-box column: its cells hold check boxes, not "Y"/"N" texts.
    static bool Is_Check_Column(const TGridState& g, int col);
    void Keep_Read_Only_Columns(const TGridState& g, int row);
    // Loads the file; true when some grid could not take all of its section's rows.
    bool Load_File();
    bool Save_File(QString& error) const;
    TGridState& Active();

    const TWindowDef& def_;
    std::vector<TGridState> grids_;
    bool created_ = false;
};

// A table's first empty key cell, when it or a row below holds anything besides the row
// number and the enable flag: that row's failure ("Error row " + row + text 1506). With
// keyRowCounts false only the rows below it are looked at.
std::optional<QString> Empty_Key_Above_Rows(const common::TRowTable& table, const TTableRules& rules,
                                            bool keyRowCounts = true);

} // namespace tables
