// The footer row's calculations and the public item list of the grid's combo editor.

#include "grid/edit/GridCombo.h"
#include "grid/input/GridInput.h"
#include "grid/QvGrid.h"

#include <cmath>
#include <set>
#include <vector>

namespace grid {

void TQvStringGrid::CalcFooter(int ACol)
{
    CalculateFooter(ACol);
}

void TQvStringGrid::SetFooterCalcType(int ACol, TColumnCalcType calcType)
{
    if (TCellProperties* p = GetCellProperties(ACol, RowCount() - 1))
        p->FCalcType = calcType;
}

void TQvStringGrid::CalculateFooter(int ACol)
{
    if (!FloatingFooter.Visible() || FloatingFooter.FooterStyle() != fsFixedLastRow ||
        !FloatingFooter.EnableCalculation())
        return;
    const int footer = RowCount() - 1;
    const int from = ACol < 0 ? 0 : ACol;
    const int to = ACol < 0 ? TotalColCount() - 1 : ACol;
    const int hidden = FloatingFooter.CalculateHiddenRows() ? NumHiddenRows() : 0;
    for (int c = from; c <= to; ++c) {
        if (!CellHasProperties(c, footer))
            continue;
        const TColumnCalcType type = GetCellProperties(c, footer)->FCalcType;
        if (type == acNONE || type == acSPREAD)
            continue;
        if (type == acCOUNT) {
            SetInts(c, footer, RowCount() - FixedRows() - 1 + hidden);
            continue;
        }
        if (type == acCUSTOM) {
            QString value;
            if (OnCalcFooter)
                OnCalcFooter(this, c, footer + hidden, value);
            else if (FloatingFooter.OnCalcFooter)
                FloatingFooter.OnCalcFooter(this, c, footer + hidden, value);
            SetCells(c, footer, value);
            continue;
        }
        // The rows above the footer (by real row, hidden rows too when asked); cells that are
        // no number count as nothing.
        std::vector<double> values;
        const int last = RowCount() - 2 + hidden;
        for (int r = FixedRows(); r <= last; ++r) {
            bool ok = false;
            QString t = GetCellsEx(c, r).trimmed();
            t.replace(QLatin1Char(','), QLatin1Char('.'));
            const double v = t.toDouble(&ok);
            if (ok)
                values.push_back(v);
        }
        double result = 0;
        double sum = 0;
        for (double v : values)
            sum += v;
        switch (type) {
        case acSUM:
            result = sum;
            break;
        case acAVG:
            result = values.empty() ? 0 : sum / double(values.size());
            break;
        case acMIN:
            result = values.empty() ? 0 : *std::min_element(values.begin(), values.end());
            break;
        case acMAX:
            result = values.empty() ? 0 : *std::max_element(values.begin(), values.end());
            break;
        case acDISTINCT:
            result = double(std::set<double>(values.begin(), values.end()).size());
            break;
        case acSTDDEV: {
            if (values.size() > 1) {
                const double mean = sum / double(values.size());
                double sq = 0;
                for (double v : values)
                    sq += (v - mean) * (v - mean);
                result = std::sqrt(sq / double(values.size() - 1));
            }
            break;
        }
        default:
            break;
        }
        SetFloats(c, footer, result);
    }
}

void TQvStringGrid::ClearComboString()
{
    EditCombo()->clear();
}

void TQvStringGrid::AddComboString(const QString& s)
{
    EditCombo()->addItem(s);
}

bool TQvStringGrid::RemoveComboString(const QString& s)
{
    const int i = EditCombo()->findText(s, Qt::MatchFixedString);
    if (i < 0)
        return false;
    EditCombo()->removeItem(i);
    return true;
}

bool TQvStringGrid::SetComboSelectionStringEx(const QString& s)
{
    const int i = EditCombo()->findText(s, Qt::MatchFixedString);
    if (i < 0)
        return false;
    FComboIdx = i;
    return true;
}

int TQvStringGrid::GetComboCount()
{
    return EditCombo()->count();
}

void TQvStringGrid::SetComboIndex(int ACol, int ARow, int Value)
{
    GetEditorProp(ACol, ARow, nullptr); // the application fills the list for this cell
    if (Value >= 0 && Value < EditCombo()->count())
        SetCells(ACol, ARow, EditCombo()->itemText(Value));
}

int TQvStringGrid::GetComboIndex(int ACol, int ARow)
{
    GetEditorProp(ACol, ARow, nullptr);
    return EditCombo()->findText(Cells(ACol, ARow), Qt::MatchExactly);
}

} // namespace grid
