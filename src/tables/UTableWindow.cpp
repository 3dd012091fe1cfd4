#include "tables/UTableWindow.h"

#include "common/GlyphButton.h"
#include "common/UComonHelpers.h"
#include "common/UComonRows.h"
#include "common/ULanguage.h"
#include "common/WindowFrame.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "platform/Xml.h"
#include "tables/TableEvents.h"
#include "tables/XmlRows.h"

#include <QFileInfo>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tables {

using common::Lang_Text;
using common::trimBlanks;

namespace {

constexpr int kRowHeight = 21;

QString text(const char* s)
{
    return QString::fromUtf8(s);
}

QString text(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QStringList pickList(const TColumn& c)
{
    QStringList items;
    if (c.positions > 0) {
        items.reserve(c.positions + 1);
        if (c.positionsNone)
            items.append(QStringLiteral("None"));
        for (int i = 0; i < c.positions; ++i)
            items.append(QString::number(i));
        return items;
    }
    for (std::string_view item : c.items)
        items.append(text(item));
    return items;
}

std::vector<TTableColumnDef> columnDefs(const TGridDef& def)
{
    std::vector<TTableColumnDef> defs;
    for (size_t c = 0; c < def.columns.size(); ++c) {
        const TColumn& col = def.columns[c];
        defs.push_back({col.width, c == 0 || col.readOnly, col.colour, c == 0 ? grid::edNone : col.editor,
                        pickList(col), col.centred});
    }
    return defs;
}

bool holds(const TCondition& condition, const TRuleCell& cell)
{
    const QString value = trimBlanks(cell.Cell(condition.column));
    switch (condition.kind) {
    case TCondition::Is:
        return value == text(condition.text);
    case TCondition::IsNot:
        return value != text(condition.text);
    case TCondition::IsY:
        return common::upperAscii(value) == QLatin1String("Y");
    case TCondition::Exactly:
        return cell.Cell(condition.column) == text(condition.text);
    case TCondition::AtLeast:
        return cell.Number(condition.column) >= condition.number;
    }
    return false;
}

// Columns in the order their attributes are written.
std::vector<int> fileColumns(const TGridDef& def)
{
    if (!def.fileOrder.empty())
        return {def.fileOrder.begin(), def.fileOrder.end()};
    std::vector<int> order;
    for (size_t c = 0; c < def.columns.size(); ++c)
        if (def.columns[c].attr)
            order.push_back(int(c));
    return order;
}

} // namespace

std::optional<QString> Empty_Key_Above_Rows(const common::TRowTable& table, const TTableRules& rules, bool keyRowCounts)
{
    const int gap = Used_Rows(table, rules) + 1;
    const int end = table.Handled_Col_End();
    for (int row = keyRowCounts ? gap : gap + 1; row < table.RowCount(); ++row)
        for (int col = 1; col < end; ++col)
            if (col != rules.enableColumn && !trimBlanks(table.Cells(col, row)).isEmpty())
                return Lang_Text(rules.errorRowText) + QString::number(gap) + Lang_Text(kText_Empty_Key_Above_Rows);
    return std::nullopt;
}

TTableWindow::TTableWindow(const TWindowDef& def, platform::Services& services, QWidget* parent)
    : common::TQvForm(services, parent), def_(def)
{
    setObjectName(QLatin1String(def.name));
    FormCreate();
}

TTableWindow::~TTableWindow() = default;

void TTableWindow::FormCreate()
{
    QVBoxLayout* body =
        Build_Frame(common::Table_Frame({def_.clientWidth, def_.clientHeight},
                                        common::Row_Buttons(&Btn_DelRow, &Btn_InsRow, &Btn_CopyRow, &Btn_PasteRow)));

    const bool sheets = def_.grids.size() > 1;
    if (sheets) {
        PageControl1 = new QTabWidget(this);
        PageControl1->setObjectName(QStringLiteral("PageControl1"));
        body->addWidget(PageControl1, 1);
    }
    for (const TGridDef& gridDef : def_.grids) {
        TGridState g{&gridDef, nullptr, nullptr, nullptr, nullptr, {}, false};
        QWidget* owner = this;
        if (sheets) {
            g.sheet = new QWidget;
            g.sheet->setObjectName(QLatin1String(gridDef.sheet));
            PageControl1->addTab(g.sheet, QString());
            owner = g.sheet;
        }
        if (gridDef.plain) {
            g.grid = new grid::TQvStringGrid(owner);
        } else {
            g.columnGrid = new TTableGrid(owner);
            g.grid = g.columnGrid;
        }
        g.grid->setObjectName(QLatin1String(gridDef.name));
        if (sheets) {
            auto* layout = new QVBoxLayout(g.sheet);
            layout->setContentsMargins(0, 0, 0, 0);
            layout->addWidget(g.grid);
        } else {
            body->addWidget(g.grid, 1);
        }
        grids_.push_back(std::move(g));
    }
    for (size_t i = 0; i < grids_.size(); ++i)
        Build_Grid(i);

    connect(Btn_OK, &TGlyphButton::OnClick, this, &TTableWindow::Btn_OKClick);
    connect(Btn_DelRow, &TGlyphButton::OnClick, this, &TTableWindow::Btn_DelRowClick);
    connect(Btn_InsRow, &TGlyphButton::OnClick, this, &TTableWindow::Btn_InsRowClick);
    connect(Btn_CopyRow, &TGlyphButton::OnClick, this, &TTableWindow::Btn_CopyRowClick);
    connect(Btn_PasteRow, &TGlyphButton::OnClick, this, &TTableWindow::Btn_PasteRowClick);

    Set_Lang();
    created_ = true;
}

void TTableWindow::Build_Grid(size_t index)
{
    TGridState& g = grids_[index];
    grid::TQvStringGrid* grid = g.grid;
    const QString key = QLatin1String(def_.name) + QLatin1Char('.') + QLatin1String(g.def->name);
    if (g.columnGrid) {
        Setup_Table(*g.columnGrid, g.def->rows, columnDefs(*g.def), 1, kRowHeight);
        for (size_t c = 0; c < g.def->columns.size(); ++c)
            if (g.def->columns[c].centred)
                g.columnGrid->Columns()[int(c)].SetAlignment(grid::taCenter);
        g.rows = Make_Table_Rows(*g.columnGrid, key);
    } else {
        Setup_Plain_Table(*grid, g.def->rows, columnDefs(*g.def), 1, kRowHeight);
        g.rows = Make_Plain_Rows(*grid, key);
    }
    // Tall rows only below the header: it keeps the height of every other header.
    if (g.def->rowHeight > 0)
        for (int row = 1; row < g.def->rows; ++row)
            grid->SetRowHeights(row, g.def->rowHeight);
    common::TRowTable* rows = g.rows.get();
    if (g.def->enterNextCell)
        grid->OnKeyPress = [rows](grid::TStringGrid*, QChar& key) { common::Grid_Enter_Next_Cell(*rows, key); };
    grid->OnDblClickCell = [rows](grid::TQvStringGrid*, int row, int col) {
        common::Grid_DblClick_AutoSize(*rows, row, col);
    };
    if (g.def->clickSelectsRow)
        grid->OnClickCell = [grid](grid::TQvStringGrid*, int row, int col) {
            if (col == 0)
                Select_Row(*grid, row);
        };
    // The hint list is looked up at hint time: Set_Lang rebuilds it. The list is by real
    // column, the pointer gives the displayed one.
    const auto hintOf = [this, index, grid](int col, int row) {
        const QStringList& hints = grids_[index].hints;
        const int real = grid->RealColIndex(col);
        return row == 0 && real >= 1 && real - 1 < hints.size() ? hints[real - 1] : QString();
    };
    grid->OnGridHint = [hintOf](grid::TQvStringGrid*, int row, int col, QString& hint) { hint = hintOf(col, row); };
    // A grid that shows hints shows them over every cell; the hint list still has the last word.
    grid->ShowHint = g.def->showHints;
    grid->HintShowCells = g.def->showHints;
    if (g.def->showHints) {
        auto* events = new TTableEvents(*grid);
        events->onHint = hintOf;
    }
}

void TTableWindow::Set_Lang()
{
    setWindowTitle(Lang_Text(def_.caption));
    L_SW_Desc->setText(Lang_Text(def_.title));
    TGlyphButton* buttons[] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (size_t i = 0; i < 6; ++i) {
        if (def_.buttonCaptions[i] != 0)
            buttons[i]->setCaption(Lang_Text(def_.buttonCaptions[i]));
        buttons[i]->setToolTip(def_.buttonHintShown[i] ? Lang_Text(def_.buttonHints[i]) : QString());
    }
    for (size_t i = 0; i < grids_.size(); ++i) {
        TGridState& g = grids_[i];
        if (PageControl1)
            PageControl1->setTabText(int(i), Lang_Text(g.def->sheetCaption));
        g.hints.clear();
        for (size_t c = 0; c < g.def->columns.size(); ++c) {
            const TColumn& col = g.def->columns[c];
            g.grid->SetCells(int(c), 0, Lang_Text(created_ && col.relabel ? col.relabel : col.header));
            if (c > 0)
                g.hints.append(col.hint ? Lang_Text(col.hint) : QString());
        }
    }
}

bool TTableWindow::Is_Check_Column(const TGridState& g, int col)
{
    return !g.columnGrid && col >= 0 && col < int(g.def->columns.size())
           && g.def->columns[size_t(col)].editor == grid::edDataCheckBox;
}

void TTableWindow::Keep_Read_Only_Columns(const TGridState& g, int row)
{
    if (g.columnGrid)
        return;
    for (size_t c = 1; c < g.def->columns.size(); ++c)
        if (g.def->columns[c].readOnly)
            g.rows->SetReadOnly(int(c), row, true);
}

void TTableWindow::Reset_Rows(TGridState& g)
{
    common::TRowTable& rows = *g.rows;
    const int enable = g.def->rules.enableColumn;
    const int end = rows.Handled_Col_End();
    for (int row = 1; row < rows.RowCount(); ++row) {
        rows.SetCells(0, row, QString::number(row));
        for (int col = 1; col < end; ++col) {
            if (Is_Check_Column(g, col)) {
                rows.SetCheckBoxChecked(col, row, col == enable);
                continue;
            }
            rows.SetCells(col, row, col == enable ? QStringLiteral("Y") : QString());
            // Each showing starts from the layout: read-only flags that a window's rules or
            // the row helpers set on a plain grid's cells do not outlive it.
            if (!g.columnGrid)
                rows.SetReadOnly(col, row, g.def->columns[size_t(col)].readOnly);
        }
    }
    if (g.columnGrid)
        for (size_t c = 0; c < g.def->columns.size(); ++c)
            if (g.def->columns[c].positions > 0)
                g.columnGrid->Columns()[int(c)].SetComboItems(pickList(g.def->columns[c]));
}

void TTableWindow::FormShow()
{
    for (TGridState& g : grids_) {
        Reset_Rows(g);
        g.copied = false;
    }
    if (PageControl1)
        PageControl1->setCurrentIndex(0);
    const bool rowsLeft = Load_File();
    for (TGridState& g : grids_)
        g.grid->viewport()->update();
    if (rowsLeft && def_.rowsNotShownText && services_.messages)
        services_.messages->show(this, Lang_Text(def_.rowsNotShownText), QString(), platform::MsgIcon::Warning,
                                 platform::MsgButtons::Ok);
    grid::TQvStringGrid* first = grids_.front().grid;
    if (first->isVisible() && first->isEnabled())
        first->setFocus();
}

bool TTableWindow::Load_File()
{
    bool rowsLeft = false;
    const QString path = common::State().*def_.file;
    if (path.isEmpty() || !QFileInfo::exists(path))
        return rowsLeft;
    platform::xml::Document doc;
    QString error;
    if (!doc.load(path, &error))
        throw platform::xml::XmlError(error.toStdString());
    pugi::xml_node root = doc.root();
    if (def_.sectionsParent) {
        root = platform::xml::child(root, def_.sectionsParent);
        if (!root) {
            if (def_.sectionsRequired)
                throw platform::xml::XmlError(std::string("Missing element \"") + def_.sectionsParent + "\"");
            return false;
        }
    }
    for (size_t index = 0; index < grids_.size(); ++index) {
        TGridState& g = grids_[index];
        pugi::xml_node parent = root;
        if (g.def->section) {
            parent = platform::xml::child(root, g.def->section);
            if (!parent) {
                if (def_.sectionsRequired)
                    throw platform::xml::XmlError(std::string("Missing element \"") + g.def->section + "\"");
                continue;
            }
        }
        common::TRowTable& rows = *g.rows;
        const std::vector<int> order = fileColumns(*g.def);
        int row = 1;
        // Element children only; rows past the grid's last one are not shown.
        for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling()) {
            if (n.type() != pugi::node_element)
                continue;
            if (row >= rows.RowCount()) {
                rowsLeft = true;
                break;
            }
            for (int c : order) {
                const TColumn& col = g.def->columns[size_t(c)];
                TAttr value;
                if (col.missing == TMissing::Required)
                    value = platform::xml::attrRequired(n, col.attr);
                else
                    value = readAttr(n, col.attr);
                if (!value && col.missing == TMissing::Text
                    && (col.missingIfColumn < 0
                        || trimBlanks(rows.Cells(col.missingIfColumn, row)) == text(col.missingIfText)))
                    value = text(col.missingText);
                else if (value)
                    value = Load_Text(int(index), c, row, *value);
                if (value && Is_Check_Column(g, c))
                    rows.SetCheckBoxChecked(c, row, *value != QLatin1String("N"));
                else if (value)
                    rows.SetCells(c, row, *value);
                Cell_Loaded(int(index), c, row);
            }
            // A column kept out of the file is always missing: every loaded row gets its text.
            for (size_t c = 1; c < g.def->columns.size(); ++c) {
                const TColumn& col = g.def->columns[c];
                if (!col.attr && col.missing == TMissing::Text)
                    rows.SetCells(int(c), row, text(col.missingText));
            }
            Row_Loaded(int(&g - grids_.data()), n, row);
            ++row;
        }
    }
    return rowsLeft;
}

bool TTableWindow::Save_File(QString& error) const
{
    platform::xml::Document doc;
    pugi::xml_node root = doc.startProject(def_.root);
    if (def_.sectionsParent)
        root = root.append_child(def_.sectionsParent);
    for (size_t index = 0; index < grids_.size(); ++index) {
        const TGridState& g = grids_[index];
        pugi::xml_node parent = g.def->section ? root.append_child(g.def->section) : root;
        const std::vector<int> order = fileColumns(*g.def);
        const int used = Used_Rows(*g.rows, g.def->rules);
        for (int row = 1; row <= used; ++row) {
            pugi::xml_node n = parent.append_child(kRow);
            for (int c : order)
                platform::xml::setAttr(n, g.def->columns[size_t(c)].attr, Save_Text(int(index), c, row));
        }
    }
    return doc.save(common::State().*def_.file, &error);
}

void TTableWindow::Plug_Rules(int, TRuleRun&) const {}
void TTableWindow::Cell_Loaded(int, int, int) {}
void TTableWindow::Row_Button_Done(int, TRowButton, int, bool) {}
void TTableWindow::Before_Save() {}

QString TTableWindow::Load_Text(int, int, int, const QString& value)
{
    return value;
}

QString TTableWindow::Save_Text(int index, int col, int row) const
{
    const TGridState& g = grids_[size_t(index)];
    if (Is_Check_Column(g, col))
        return g.rows->CheckBoxChecked(col, row) ? QStringLiteral("Y") : QStringLiteral("N");
    return g.rows->Cells(col, row);
}

void TTableWindow::Row_Loaded(int, const pugi::xml_node&, int) {}

std::optional<QString> TTableWindow::First_Error()
{
    for (size_t i = 0; i < grids_.size(); ++i) {
        const TGridState& g = grids_[i];
        g.grid->HideInplaceEdit();
        TRuleRun run;
        run.decimalSeparator = common::Get_Decimal_Separator();
        for (const TCondition& condition : g.def->conditions)
            run.conditions.emplace(std::string(condition.name),
                                   [&condition](const TRuleCell& cell) { return holds(condition, cell); });
        Plug_Rules(int(i), run);
        if (auto error = Check_Rows(*g.rows, g.def->rules, run))
            return error;
        if (auto error = Empty_Key_Above_Rows(*g.rows, g.def->rules, !g.def->keyRowEndsTable))
            return error;
    }
    return Check_Window();
}

bool TTableWindow::Controllo_dati()
{
    const auto error = First_Error();
    if (!error)
        return true;
    if (services_.messages)
        services_.messages->error(this, *error);
    return false;
}

void TTableWindow::Btn_OKClick()
{
    for (TGridState& g : grids_)
        g.grid->HideInplaceEdit();
    Before_Save();
    if (!Controllo_dati())
        return;
    QString error;
    if (!Save_File(error)) {
        // The window stays open with the table as typed, so nothing is lost.
        if (services_.messages)
            services_.messages->error(this, error);
        return;
    }
    done(kModalOK);
}

int TTableWindow::Active_Grid() const
{
    return PageControl1 ? std::max(0, PageControl1->currentIndex()) : 0;
}

TTableWindow::TGridState& TTableWindow::Active()
{
    return grids_[size_t(Active_Grid())];
}

void TTableWindow::Btn_DelRowClick()
{
    TGridState& g = Active();
    g.grid->HideInplaceEdit();
    const int row = g.grid->Row();
    if (row < 1 || row >= g.grid->RowCount())
        return;
    // "... Row number " takes the number after it, "... Row number %d" in its place.
    const QString question = Lang_Text(g.def->deleteQuestion);
    const bool yes =
        services_.messages
        && services_.messages->askYesNo(this, question.contains(QLatin1String("%d")) ? Format_Numbers(question, {row})
                                                                                     : question + QString::number(row));
    if (yes && g.columnGrid)
        common::Grid_Delete_Row(row, *g.rows);
    else if (yes)
        common::Grid_Delete_Row_Ex(row, *g.rows, g.def->insertEnables);
    Row_Button_Done(Active_Grid(), TRowButton::Delete, row, yes);
    g.grid->viewport()->update();
}

void TTableWindow::Btn_InsRowClick()
{
    TGridState& g = Active();
    g.grid->HideInplaceEdit();
    const int row = g.grid->Row();
    if (g.columnGrid) {
        common::Grid_Insert_Row(row, *g.rows, g.def->insertEnables);
    } else {
        common::Grid_Insert_Row_Ex(row, *g.rows, g.def->insertEnables);
        // The helper makes the new row's cells editable; computed columns stay the window's.
        Keep_Read_Only_Columns(g, row);
    }
    Row_Button_Done(Active_Grid(), TRowButton::Insert, row, true);
    g.grid->viewport()->update();
}

void TTableWindow::Btn_CopyRowClick()
{
    TGridState& g = Active();
    g.grid->HideInplaceEdit();
    if (g.columnGrid)
        common::Grid_Copy_Row(*g.rows, g.grid->Row());
    else
        common::Grid_Copy_Row_Ex(*g.rows, g.grid->Row());
    for (TGridState& other : grids_)
        other.copied = &other == &g;
}

void TTableWindow::Btn_PasteRowClick()
{
    TGridState& g = Active();
    g.grid->HideInplaceEdit();
    const int row = g.grid->Row();
    const common::TRowMessages ui{services_.messages, this};
    const bool pasted = g.columnGrid ? common::Grid_Paste_Row(*g.rows, row, g.copied, ui)
                                     : common::Grid_Paste_Row_Ex(*g.rows, row, g.copied, ui);
    Row_Button_Done(Active_Grid(), TRowButton::Paste, row, pasted);
    if (pasted)
        g.grid->viewport()->update();
}

void TTableWindow::reject()
{
    done(kModalCancel);
}

} // namespace tables
