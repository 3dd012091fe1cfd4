#include "tables/UTableWindow.h"

#include "common/GlyphButton.h"
#include "common/UComonHelpers.h"
#include "common/UComonRows.h"
#include "common/ULanguage.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "platform/Xml.h"
#include "tables/TableEvents.h"
#include "tables/WindowFrame.h"
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
        defs.push_back({col.width, c == 0, col.colour, c == 0 ? grid::edNone : col.editor, pickList(col)});
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

std::optional<QString> Empty_Key_Above_Rows(const common::TRowTable& table, const TTableRules& rules)
{
    const int gap = Used_Rows(table, rules) + 1;
    const int end = table.Handled_Col_End();
    for (int row = gap; row < table.RowCount(); ++row)
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
    const TWindowFrame frame = Build_Window_Frame(*this, def_.clientWidth);
    P_Title = frame.P_Title;
    L_SW_Code = frame.L_SW_Code;
    L_SW_Desc = frame.L_SW_Desc;
    P_Button = frame.P_Button;

    const bool sheets = def_.grids.size() > 1;
    if (sheets) {
        PageControl1 = new QTabWidget(this);
        PageControl1->setObjectName(QStringLiteral("PageControl1"));
        frame.layout->addWidget(PageControl1, 1);
    }
    for (const TGridDef& gridDef : def_.grids) {
        TGridState g{&gridDef, nullptr, nullptr, nullptr, {}, false};
        QWidget* owner = this;
        if (sheets) {
            g.sheet = new QWidget;
            g.sheet->setObjectName(QLatin1String(gridDef.sheet));
            PageControl1->addTab(g.sheet, QString());
            owner = g.sheet;
        }
        g.grid = new TTableGrid(owner);
        g.grid->setObjectName(QLatin1String(gridDef.name));
        if (sheets) {
            auto* layout = new QVBoxLayout(g.sheet);
            layout->setContentsMargins(0, 0, 0, 0);
            layout->addWidget(g.grid);
        } else {
            frame.layout->addWidget(g.grid, 1);
        }
        grids_.push_back(std::move(g));
    }
    for (size_t i = 0; i < grids_.size(); ++i)
        Build_Grid(i);

    frame.layout->addWidget(P_Button);
    Btn_OK = Add_Strip_Button(frame, "Btn_OK", 0);
    Btn_Cancel = Add_Strip_Button(frame, "Btn_Cancel", 1);
    Btn_DelRow = Add_Strip_Button(frame, "Btn_DelRow", 2);
    Btn_InsRow = Add_Strip_Button(frame, "Btn_InsRow", 3);
    Btn_CopyRow = Add_Strip_Button(frame, "Btn_CopyRow", 4);
    Btn_PasteRow = Add_Strip_Button(frame, "Btn_PasteRow", 5);
    Btn_Cancel->setModalResult(kModalCancel);
    connect(Btn_OK, &TGlyphButton::OnClick, this, &TTableWindow::Btn_OKClick);
    connect(Btn_DelRow, &TGlyphButton::OnClick, this, &TTableWindow::Btn_DelRowClick);
    connect(Btn_InsRow, &TGlyphButton::OnClick, this, &TTableWindow::Btn_InsRowClick);
    connect(Btn_CopyRow, &TGlyphButton::OnClick, this, &TTableWindow::Btn_CopyRowClick);
    connect(Btn_PasteRow, &TGlyphButton::OnClick, this, &TTableWindow::Btn_PasteRowClick);

    L_SW_Code->setText(common::State().SW_Code);
    setFixedSize(def_.clientWidth, def_.clientHeight);
    Set_Lang();
}

void TTableWindow::Build_Grid(size_t index)
{
    TGridState& g = grids_[index];
    TTableGrid* grid = g.grid;
    Setup_Table(*grid, g.def->rows, columnDefs(*g.def), 1, kRowHeight);
    for (size_t c = 0; c < g.def->columns.size(); ++c)
        if (g.def->columns[c].centred)
            grid->Columns()[int(c)].SetAlignment(grid::taCenter);
    g.rows = Make_Table_Rows(*grid, QLatin1String(def_.name) + QLatin1Char('.') + QLatin1String(g.def->name));
    TTableRows* rows = g.rows.get();
    grid->OnKeyPress = [rows](grid::TStringGrid*, QChar& key) { common::Grid_Enter_Next_Cell(*rows, key); };
    grid->OnDblClickCell = [rows](grid::TQvStringGrid*, int row, int col) {
        common::Grid_DblClick_AutoSize(*rows, row, col);
    };
    if (g.def->clickSelectsRow)
        grid->OnClickCell = [grid](grid::TQvStringGrid*, int row, int col) {
            if (col == 0)
                Select_Row(*grid, row);
        };
    // The hint list is looked up at hint time: Set_Lang rebuilds it.
    auto* events = new TTableEvents(*grid);
    events->onHint = [this, index](int col, int row) {
        const QStringList& hints = grids_[index].hints;
        return row == 0 && col >= 1 && col - 1 < hints.size() ? hints[col - 1] : QString();
    };
    grid->OnGridHint = [events](grid::TQvStringGrid*, int row, int col, QString& hint) { hint = events->onHint(col, row); };
}

void TTableWindow::Set_Lang()
{
    setWindowTitle(Lang_Text(def_.caption));
    L_SW_Desc->setText(Lang_Text(def_.title));
    TGlyphButton* buttons[] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (size_t i = 0; i < 6; ++i) {
        buttons[i]->setCaption(Lang_Text(def_.buttonCaptions[i]));
        buttons[i]->setToolTip(Lang_Text(def_.buttonHints[i]));
    }
    for (size_t i = 0; i < grids_.size(); ++i) {
        TGridState& g = grids_[i];
        if (PageControl1)
            PageControl1->setTabText(int(i), Lang_Text(g.def->sheetCaption));
        g.hints.clear();
        for (size_t c = 0; c < g.def->columns.size(); ++c) {
            const TColumn& col = g.def->columns[c];
            g.grid->SetCells(int(c), 0, Lang_Text(col.header));
            if (c > 0)
                g.hints.append(col.hint ? Lang_Text(col.hint) : QString());
        }
    }
}

void TTableWindow::Reset_Rows(TGridState& g)
{
    TTableRows& rows = *g.rows;
    const int enable = g.def->rules.enableColumn;
    const int end = rows.Handled_Col_End();
    for (int row = 1; row < rows.RowCount(); ++row) {
        rows.SetCells(0, row, QString::number(row));
        for (int col = 1; col < end; ++col)
            rows.SetCells(col, row, col == enable ? QStringLiteral("Y") : QString());
    }
    for (size_t c = 0; c < g.def->columns.size(); ++c)
        if (g.def->columns[c].positions > 0)
            g.grid->Columns()[int(c)].SetComboItems(pickList(g.def->columns[c]));
}

void TTableWindow::FormShow()
{
    for (TGridState& g : grids_) {
        Reset_Rows(g);
        g.copied = false;
    }
    if (PageControl1)
        PageControl1->setCurrentIndex(0);
    Load_File();
    for (TGridState& g : grids_)
        g.grid->viewport()->update();
    TTableGrid* first = grids_.front().grid;
    if (first->isVisible() && first->isEnabled())
        first->setFocus();
}

void TTableWindow::Load_File()
{
    const QString path = common::State().*def_.file;
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    platform::xml::Document doc;
    QString error;
    if (!doc.load(path, &error))
        throw platform::xml::XmlError(error.toStdString());
    const pugi::xml_node root = doc.root();
    for (TGridState& g : grids_) {
        pugi::xml_node parent = root;
        if (g.def->section) {
            parent = platform::xml::child(root, g.def->section);
            if (!parent) {
                if (def_.sectionsRequired)
                    throw platform::xml::XmlError(std::string("Missing element \"") + g.def->section + "\"");
                continue;
            }
        }
        TTableRows& rows = *g.rows;
        const std::vector<int> order = fileColumns(*g.def);
        int row = 1;
        // Element children only; rows past the grid's last one are not shown.
        for (pugi::xml_node n = parent.first_child(); n && row < rows.RowCount(); n = n.next_sibling()) {
            if (n.type() != pugi::node_element)
                continue;
            for (int c : order) {
                const TColumn& col = g.def->columns[size_t(c)];
                if (col.missing == TMissing::Required) {
                    rows.SetCells(c, row, platform::xml::attrRequired(n, col.attr));
                    continue;
                }
                const TAttr value = readAttr(n, col.attr);
                if (value)
                    rows.SetCells(c, row, *value);
                else if (col.missing == TMissing::Text
                         && (col.missingIfColumn < 0
                             || trimBlanks(rows.Cells(col.missingIfColumn, row)) == text(col.missingIfText)))
                    rows.SetCells(c, row, text(col.missingText));
            }
            ++row;
        }
    }
}

bool TTableWindow::Save_File(QString& error) const
{
    platform::xml::Document doc;
    pugi::xml_node root = doc.startProject(def_.root);
    for (const TGridState& g : grids_) {
        pugi::xml_node parent = g.def->section ? root.append_child(g.def->section) : root;
        const std::vector<int> order = fileColumns(*g.def);
        const int used = Used_Rows(*g.rows, g.def->rules);
        for (int row = 1; row <= used; ++row) {
            pugi::xml_node n = parent.append_child(kRow);
            for (int c : order)
                platform::xml::setAttr(n, g.def->columns[size_t(c)].attr, g.rows->Cells(c, row));
        }
    }
    return doc.save(common::State().*def_.file, &error);
}

void TTableWindow::Plug_Rules(int, TRuleRun&) const {}

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
        if (auto error = Empty_Key_Above_Rows(*g.rows, g.def->rules))
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
    if (!services_.messages
        || !services_.messages->askYesNo(this, Lang_Text(g.def->deleteQuestion) + QString::number(row)))
        return;
    common::Grid_Delete_Row(row, *g.rows);
    g.grid->viewport()->update();
}

void TTableWindow::Btn_InsRowClick()
{
    TGridState& g = Active();
    g.grid->HideInplaceEdit();
    common::Grid_Insert_Row(g.grid->Row(), *g.rows, g.def->insertEnables);
    g.grid->viewport()->update();
}

void TTableWindow::Btn_CopyRowClick()
{
    TGridState& g = Active();
    g.grid->HideInplaceEdit();
    common::Grid_Copy_Row(*g.rows, g.grid->Row());
    for (TGridState& other : grids_)
        other.copied = &other == &g;
}

void TTableWindow::Btn_PasteRowClick()
{
    TGridState& g = Active();
    g.grid->HideInplaceEdit();
    if (common::Grid_Paste_Row(*g.rows, g.grid->Row(), g.copied, {services_.messages, this}))
        g.grid->viewport()->update();
}

void TTableWindow::reject()
{
    done(kModalCancel);
}

} // namespace tables
