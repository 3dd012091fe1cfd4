// A cell's text as every writer stores it and as every reader puts it back: the two ends all
// file, stream, clipboard and exchange formats share.

#include "grid/QvGrid.h"
#include "grid/edit/QvRichEdit.h"
#include "grid/look/ZirAzur.h"
#include "grid/markup/RizIVUDE.h"

namespace grid {

// The text the writers store: the cell's text as shown (or as stored), for an empty check-box
// cell its state as the check texts, markup made plain unless the file keeps it, and rich text
// kept on one line or made plain.
void TQvStringGrid::GetSaveCellText(int ACol, int ARow, QString& value)
{
    if (SaveVirtCells)
        value = GetFormattedCell(ACol, ARow);
    else
        GetGridCell(ACol, ARow, value);
    if (value.isEmpty()) {
        const TCellGraphic* g = GetCellGraphic(ACol, ARow);
        if (g && (g->FCellType == ctCheckBox || g->FCellType == ctTriStateCheckBox)) {
            TCheckBoxState st = cbUnchecked;
            GetCheckBoxState(ACol, ARow, st);
            if (st == cbChecked)
                GetCheckTrue(ACol, ARow, value);
            else
                GetCheckFalse(ACol, ARow, value);
        }
    }
    switch (ZirAzur::GetCellTextKind(value, true)) {
    case ZirAzur::ctkMarkup:
        if (!SaveWithHTML)
            value = RizIVUDE::MarkupToPlainText(value);
        break;
    case ZirAzur::ctkRichText:
        if (SaveWithRTF) {
            value.remove(QLatin1Char('\r'));
            value.remove(QLatin1Char('\n'));
        } else {
            TQvRichEdit* re = RichEdit();
            re->LoadRtf(value);
            value = re->PlainText();
        }
        break;
    default:
        break;
    }
    if (OnSaveCell)
        OnSaveCell(this, ACol, ARow, value);
}

void TQvStringGrid::LoadCellText(int ACol, int ARow, QString value)
{
    if (OnLoadCell)
        OnLoadCell(this, ACol, ARow, value);
    SetGridCell(ACol, ARow, value);
}

} // namespace grid
