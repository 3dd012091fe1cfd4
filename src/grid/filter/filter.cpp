// Filtering: the condition collection, the row test, filter levels in the hidden-row store,
// incremental narrowing and the handlers that turn a drop-down pick into conditions.

#include "grid/QvGrid.h"
#include "grid/look/ZirAzur.h"

#include <QLocale>

#include <cmath>

namespace grid {

// ---- the condition collection ------------------------------------------------------------------

TFilterData* TFilter::Add()
{
    auto item = std::make_unique<TFilterData>();
    item->Operation = FItems.empty() ? foNONE : foAND;
    FItems.push_back(std::move(item));
    return FItems.back().get();
}

TFilterData* TFilter::Insert(int)
{
    FItems.push_back(std::make_unique<TFilterData>());
    return FItems.back().get();
}

void TFilter::Delete(int Index)
{
    if (Index >= 0 && Index < Count())
        FItems.erase(FItems.begin() + Index);
}

TFilterData* TFilter::GetColFilter(int Col)
{
    for (auto& item : FItems)
        if (item->Column == Col)
            return item.get();
    TFilterData* item = Add();
    item->Column = short(Col);
    return item;
}

bool TFilter::HasFilter(int Col) const
{
    return std::any_of(FItems.begin(), FItems.end(), [Col](const auto& item) { return item->Column == Col; });
}

void TFilter::RemoveColumnFilter(int Col)
{
    for (int i = Count() - 1; i >= 0; --i)
        if (FItems[std::size_t(i)]->Column == Col)
            FItems.erase(FItems.begin() + i);
    if (FOwner)
        FOwner->RepaintCell(FOwner->DisplColIndex(Col), 0);
}

// ---- the row test ------------------------------------------------------------------------------

namespace {

// The row condition folds letters a to z only, as the whole-row search always has.
QString upperAscii(QString s)
{
    for (QChar& c : s)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return s;
}

QString decodedTrimmed(QString text)
{
    text = text.trimmed();
    if (text.contains(QLatin1String("|\\")))
        text = ZirAzur::DecodeWideCellText(text);
    return text;
}

// A condition that is one plain pattern ("*", "?" and literal characters, nothing the
// condition language reads otherwise) is matched here without the evaluator's parsing and
// bookkeeping per row; the answer is the evaluator's. The last condition seen is kept, as a
// filter walk asks the same condition for every row.
class TPlainPattern {
public:
    // True when the condition is such a pattern; then the match is in `matches`.
    bool match(const QString& condition, bool caseSensitive, const QString& text, bool& matches)
    {
        if (condition != FCondition || caseSensitive != FCaseSensitive) {
            FCondition = condition;
            FCaseSensitive = caseSensitive;
            prepare();
        }
        if (!FPlain)
            return false;
        matches = caseSensitive ? glob(FPattern, text) : glob(FPattern, QLocale().toUpper(text));
        return true;
    }

private:
    void prepare()
    {
        // The evaluator's own first steps: trimmed, blanks dropped, a leading "=" dropped.
        QString s = ZirAzur::StripUnquotedBlanks(FCondition.trimmed());
        if (s.startsWith(QLatin1Char('=')))
            s.remove(0, 1);
        FPlain = true;
        for (const QChar c : std::as_const(s))
            if (QStringView(u"(;^&|<>!\"").contains(c))
                FPlain = false;
        FPattern = FCaseSensitive ? s : QLocale().toUpper(s);
    }

    // "*" any run, "?" one character, everything else itself; the whole text.
    static bool glob(QStringView p, QStringView t)
    {
        qsizetype i = 0, k = 0, star = -1, mark = 0;
        while (k < t.size()) {
            if (i < p.size() && p[i] == QLatin1Char('*')) {
                star = i++;
                mark = k;
            } else if (i < p.size() && (p[i] == QLatin1Char('?') || p[i] == t[k])) {
                ++i;
                ++k;
            } else if (star >= 0) {
                i = star + 1;
                k = ++mark;
            } else {
                return false;
            }
        }
        while (i < p.size() && p[i] == QLatin1Char('*'))
            ++i;
        return i == p.size();
    }

    QString FCondition;
    bool FCaseSensitive = true;
    bool FPlain = false;
    QString FPattern;
};

TPlainPattern& plainPattern()
{
    static TPlainPattern cache;
    return cache;
}

} // namespace

bool TQvStringGrid::RowMatchesFilter(int ARow)
{
    bool result = true;
    for (int i = 0; i < FFilter->Count(); ++i) {
        const TFilterData& f = FFilter->Items(i);
        bool match = false;
        // A condition the evaluator cannot handle is no match; the walk goes on.
        try {
            if (f.Data == fcRow) {
                QString row;
                for (int c = 0; c < TotalColCount(); ++c)
                    row += Store().Text(c, ARow) + QLatin1Char('\n');
                match = upperAscii(decodedTrimmed(row)).contains(upperAscii(f.Condition));
            } else {
                QString text;
                switch (f.Data) {
                case fcNormal:
                    text = Store().Text(f.Column, ARow);
                    break;
                case fcStripHTML:
                    text = GetStrippedCell(f.Column, ARow);
                    break;
                case fcCalculated:
                    text = GetFormulaCellText(f.Column, ARow);
                    break;
                default:
                    text = Cells(f.Column, ARow);
                    break;
                }
                text = decodedTrimmed(std::move(text));
                if (!f.Prefix.isEmpty() && text.startsWith(f.Prefix))
                    text.remove(0, f.Prefix.size());
                if (!f.Suffix.isEmpty() && text.endsWith(f.Suffix))
                    text.chop(f.Suffix.size());
                if (f.Condition.isEmpty())
                    match = true;
                else if (f.Method == fmLiteral)
                    match = text == f.Condition;
                else if (!plainPattern().match(f.Condition, f.CaseSensitive, text, match))
                    match = ZirAzur::EvalFilterCondition(f.Condition, text, f.CaseSensitive);
            }
        } catch (...) {
            match = false;
        }
        bool stop = false;
        switch (f.Operation) {
        case foSHORT:
            result = match;
            stop = !match;
            break;
        case foNONE:
            result = match;
            break;
        case foAND:
            result = result && match;
            break;
        case foXOR:
            result = result != match;
            break;
        case foOR:
            result = result || match;
            break;
        }
        if (stop)
            break;
    }
    if (OnCustomFilter)
        OnCustomFilter(this, ARow, result);
    return result;
}

// ---- levels ------------------------------------------------------------------------------------

void TQvStringGrid::ApplyFilter()
{
    FFilterFixedRows = FixedRows();
    const int first = FixedRows();
    const int end = RowCount() - FFixedFooters;
    const int normalRows = end - first;
    TIntList failing(0, 0);
    int tested = 0;
    short progress = 0;
    for (int r = first; r < end; ++r) {
        if (FilterNormalCellsOnly && (IsNode(r) || IsSummary(r)))
            continue;
        if (!RowMatchesFilter(r))
            failing.Add(r);
        ++tested;
        if (OnFilterProgress && normalRows > 0) {
            progress = short(std::lround(tested * 100.0 / normalRows));
            OnFilterProgress(this, progress);
        }
    }
    HideRowList(failing);
    if (OnFilterProgress && normalRows > 0)
        OnFilterProgress(this, progress);
}

void TQvStringGrid::FilterRow(int ARow)
{
    if (!RowMatchesFilter(ARow))
        HideRow(RealRowFromDispl(ARow));
}

namespace {

// FixedRows as the filter found it: hiding every normal row may have lowered it.
void restoreFilterFixedRows(TQvStringGrid& g, int fixedRows)
{
    if (g.FixedRows() != fixedRows && fixedRows >= 0 && fixedRows < g.RowCount())
        g.SetFixedRows(fixedRows);
}

} // namespace

void TQvStringGrid::SetFilterActive(bool V)
{
    if (V == FFilterActive) {
        CalcFooter(-1);
        return;
    }
    FFilterActive = V;
    if (V) {
        if (Row() >= RowCount() || Col() >= ColCount())
            FocusCell(FixedCols(), FixedRows());
        BeginUpdate();
        try {
            ApplyFilter();
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
    } else if (FFilterLevel > 0) {
        // Without a level there is nothing to take back; the count must not go below 0, where
        // the next level would share its number with rows hidden outside filtering.
        UnHideRowList();
        restoreFilterFixedRows(*this, FFilterFixedRows);
        --FFilterLevel;
    }
    if (FixedRows() < RowCount())
        SetTopRow(FixedRows());
    CalcFooter(-1);
}

bool TQvStringGrid::RemoveLastFilter()
{
    if (FFilterLevel <= 0)
        return false;
    UnHideRowList();
    restoreFilterFixedRows(*this, FFilterFixedRows);
    CalcFooter(-1);
    --FFilterLevel;
    return FFilterLevel > 1;
}

void TQvStringGrid::RemoveAllFilters()
{
    if (FFilterLevel == 0) {
        FFilter->Clear();
        return;
    }
    while (FFilterLevel > 0)
        RemoveLastFilter();
}

// ---- incremental narrowing ---------------------------------------------------------------------

void TQvStringGrid::setOneCondition(const QString& ACondition, int AColumn)
{
    FFilter->Clear();
    TFilterData* f = FFilter->Add();
    f->Column = short(AColumn);
    f->CaseSensitive = false;
    if (AColumn == -1) {
        f->Data = fcRow;
        f->Condition = ACondition;
    } else {
        f->Data = fcNormal;
        f->Condition = QLatin1Char('*') + ACondition + QLatin1Char('*');
        // A blank outside quotes would not count in the condition language.
        if (ACondition.contains(QLatin1Char(' ')))
            f->Condition = QLatin1Char('"') + f->Condition + QLatin1Char('"');
    }
}

void TQvStringGrid::NarrowDown(const QString& ACondition, int AColumn)
{
    const QString& C = ACondition;
    const QString L = FLastFilter;
    SetFixedRowAlways(true);
    if (!L.isEmpty() && C.size() == L.size() + 1 && C.startsWith(L)) {
        // Each level tests only the rows still shown, so its condition is the whole text.
        setOneCondition(C, AColumn);
        ApplyFilter();
    } else if (!C.isEmpty() && C.size() + 1 == L.size() && L.startsWith(C)) {
        RemoveLastFilter();
    } else {
        RemoveAllFilters();
        if (!C.isEmpty()) {
            setOneCondition(C, AColumn);
            ApplyFilter();
        }
    }
    FLastFilter = C;
    if (C.isEmpty()) {
        // Only filter levels leave the store: rows hidden by HideRow or by contracted nodes
        // stay hidden with their texts and objects. Levels left behind by a count set from
        // outside come back too.
        int top = -1;
        for (const auto& item : FGridItems)
            top = std::max(top, item->FLevel);
        for (int level = top; level >= 0; --level) {
            FFilterLevel = level + 1;
            UnHideRowList();
        }
        if (top >= 0)
            restoreFilterFixedRows(*this, FFilterFixedRows);
        FFilterLevel = 0;
    }
}

// ---- drop-down picks ---------------------------------------------------------------------------

namespace {

// An entry is a friendly name, "=" and a condition, or one text that is both.
void splitEntry(const QString& entry, QString& name, QString& condition)
{
    const qsizetype eq = entry.indexOf(QLatin1Char('='));
    name = eq < 0 ? entry : entry.left(eq);
    condition = eq < 0 ? entry : entry.mid(eq + 1);
}

} // namespace

bool TQvStringGrid::filterColumnValid() const
{
    return FilterCol >= 0 && FilterCol < TotalColCount();
}

void TQvStringGrid::FilterDropDownSelect(int ItemIndex)
{
    setFocus();
    if (!filterColumnValid() || ItemIndex < 0 || ItemIndex >= FDropList->count()) {
        FilterCol = -1;
        return;
    }
    GetColumnFilter(FilterCol);
    if (ItemIndex >= FFilterList.size()) {
        FilterCol = -1;
        return;
    }
    QString name, condition;
    splitEntry(FFilterList[ItemIndex], name, condition);
    if (AutoFilterUpdate)
        SetFilterActive(false);
    if (condition == FilterDropDownClear)
        condition.clear();
    if (OnFilterSelect)
        OnFilterSelect(this, FilterCol, ItemIndex, name, condition);
    if (!condition.isEmpty())
        FFilter->GetColFilter(FilterCol)->Condition = condition;
    else
        FFilter->RemoveColumnFilter(FilterCol);
    if (AutoFilterUpdate) {
        SetFixedRowAlways(true);
        SetFilterActive(true);
        if (RowCount() != FixedRows() && !(RowCount() == 1 && FixedRowAlways()))
            SetRow(FixedRows());
        FilterDone();
    }
    FilterCol = -1;
}

void TQvStringGrid::ApplyCheckedFilterValues()
{
    if (!filterColumnValid())
        return;
    GetColumnFilter(FilterCol);
    if (AutoFilterUpdate)
        SetFilterActive(false);
    FFilter->Clear();
    for (int i = 0; i < FDropCheckList->count() && i < FFilterList.size(); ++i) {
        if (!FDropCheckList->Checked(i))
            continue;
        QString name, condition;
        splitEntry(FFilterList[i], name, condition);
        if (condition == FilterDropDownClear)
            condition.clear();
        if (OnFilterCheck)
            OnFilterCheck(this, FilterCol, i, name, condition, *FDropCheckList);
        TFilterData* f = FFilter->Add();
        f->Column = short(FilterCol);
        f->Condition = condition;
        f->Operation = FFilter->Count() == 1 ? foNONE : foOR;
    }
    SetFilterActive(true);
    FDropCheckList->viewport()->update();
}

// ---- settings ----------------------------------------------------------------------------------

void TQvStringGrid::SetFilterDropDownRow(int v)
{
    if (v >= FixedRows())
        return;
    FPaintSettings.FilterDropDownRow = v;
    Invalidate();
}

void TQvStringGrid::SetFilterDropDownAuto(bool v)
{
    FilterDropDownAuto = v;
    Invalidate();
}

void TQvStringGrid::FilterDone()
{
    if (OnFilterDone)
        OnFilterDone(this);
}

void TQvStringGrid::FilterDoneNotify()
{
    if (OnFilterDone)
        OnFilterDone(this);
}

} // namespace grid
