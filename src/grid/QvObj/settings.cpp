// Writers and Assign of the settings objects the string grid owns.

#include "grid/QvObj.h"
#include "grid/StringGrid.h"

namespace grid {

// ---- TSearchFooter -------------------------------------------------------------------------

TSearchFooter::TSearchFooter(TStringGrid*, bool initDesign)
{
    // Only a grid dropped in the designer gets the default texts; otherwise the form's stored
    // values fill them.
    if (initDesign) {
        FFindPrevCaption = QStringLiteral("Find &previous");
        FFindNextCaption = QStringLiteral("Find &next");
        FMatchCaseCaption = QStringLiteral("Match case");
        FHighLightCaption = QStringLiteral("Highlight");
        FHintClose = QStringLiteral("Close");
        FHintFindNext = QStringLiteral("Find next occurrence");
        FHintFindPrev = QStringLiteral("Find previous occurrence");
        FHintHighlight = QStringLiteral("Highlight occurrences");
    }
}

void TSearchFooter::changed()
{
    if (OnChange)
        OnChange(this);
}

void TSearchFooter::SetFont(const TFont& f)
{
    FFont = f;
    changed();
}

void TSearchFooter::SetAutoThemeAdapt(bool v)
{
    FAutoThemeAdapt = v;
    changed();
}

void TSearchFooter::Assign(const TPersistent& source)
{
    auto* src = dynamic_cast<const TSearchFooter*>(&source);
    if (!src)
        return;
    // AutoSearch, SearchFixedCells and the auto-theme flag stay as they are.
    QV_SEARCH_NOTIFY(QV_COPY)
    QV_SEARCH_ON_CHANGE(QV_COPY)
    QV_SEARCH_PLAIN(QV_COPY)
    FFont = src->FFont;
}

// ---- TNavigation ---------------------------------------------------------------------------

void TNavigation::SetAdvanceDirection(TAdvanceDirection v)
{
    if (v == FAdvanceDirection)
        return;
    FAdvanceDirection = v;
    if (OnChange)
        OnChange(this);
}

void TNavigation::SetAdvanceInsert(bool v)
{
    if (v == FAdvanceInsert)
        return;
    FAdvanceInsert = v;
    if (OnChange)
        OnChange(this);
}

void TNavigation::SetAdvanceAuto(bool v)
{
    if (v == FAdvanceAuto)
        return;
    FAdvanceAuto = v;
    if (v)
        FAdvanceOnEnter = true;
}

void TNavigation::Assign(const TPersistent& source)
{
    auto* src = dynamic_cast<const TNavigation*>(&source);
    if (!src)
        return;
    // Every published setting but KeepScrollOnSort.
    QV_NAVIGATION_PLAIN(QV_COPY)
    FAdvanceDirection = src->FAdvanceDirection;
    FAdvanceInsert = src->FAdvanceInsert;
    FAdvanceAuto = src->FAdvanceAuto;
}

// ---- TMouseActions -------------------------------------------------------------------------

bool TMouseActions::designing()
{
    bool d = false;
    if (OnIsDesigning)
        OnIsDesigning(this, d);
    return d;
}

void TMouseActions::SetHotmailRowSelect(bool v)
{
    FHotmailRowSelect = v;
    if (v) {
        FDisjunctRowSelect = true;
        FCheckAllCheck = true;
    }
    if (OnInvalidate)
        OnInvalidate(this);
}

void TMouseActions::SetEditOnDblClickOnly(bool v)
{
    FEditOnDblClickOnly = v;
    if (v && OnDisableEdit)
        OnDisableEdit(this);
}

// At design time only one of the three disjunct selection modes stays set.
void TMouseActions::SetDisjunctRowSelect(bool v)
{
    FDisjunctRowSelect = v;
    if (v && designing()) {
        FDisjunctColSelect = false;
        FDisjunctCellSelect = false;
    }
}

void TMouseActions::SetDisjunctColSelect(bool v)
{
    FDisjunctColSelect = v;
    if (v && designing()) {
        FDisjunctRowSelect = false;
        FDisjunctCellSelect = false;
    }
}

void TMouseActions::SetDisjunctCellSelect(bool v)
{
    FDisjunctCellSelect = v;
    if (v && designing()) {
        FDisjunctRowSelect = false;
        FDisjunctColSelect = false;
    }
}

void TMouseActions::SetWheelAction(TWheelAction v)
{
    if (v == FWheelAction)
        return;
    FWheelAction = v;
    if (OnChange)
        OnChange(this);
}

void TMouseActions::Assign(const TPersistent& source)
{
    auto* src = dynamic_cast<const TMouseActions*>(&source);
    if (!src)
        return;
    // Not EditOnDblClickOnly, FixedComboValues, HotmailRowSelect or SizeFixedRow.
    QV_MOUSE_PLAIN(QV_COPY)
    FDisjunctRowSelect = src->FDisjunctRowSelect;
    FDisjunctColSelect = src->FDisjunctColSelect;
    FDisjunctCellSelect = src->FDisjunctCellSelect;
    FWheelAction = src->FWheelAction;
}

// ---- TSyncGrid -----------------------------------------------------------------------------

void TSyncGrid::SetGrid(TStringGrid* grid)
{
    if (grid && grid == FOwner)
        return; // a grid is never coupled to itself
    FGrid = grid;
}

void TSyncGrid::Assign(const TPersistent& source)
{
    auto* src = dynamic_cast<const TSyncGrid*>(&source);
    if (!src)
        return;
    SetGrid(src->FGrid);
    QV_SYNC_PLAIN(QV_COPY)
}

// ---- TBands --------------------------------------------------------------------------------

void TBands::changedWhileActive()
{
    if (FActive && OnChange)
        OnChange(this);
}

void TBands::SetActive(bool v)
{
    if (v == FActive)
        return;
    FActive = v;
    if (OnChange)
        OnChange(this);
}

void TBands::SetPrimaryColor(TColor v)
{
    if (v == FPrimaryColor)
        return;
    FPrimaryColor = v;
    changedWhileActive();
}

void TBands::SetSecondaryColor(TColor v)
{
    if (v == FSecondaryColor)
        return;
    FSecondaryColor = v;
    changedWhileActive();
}

void TBands::SetPrimaryLength(int v)
{
    if (v == FPrimaryLength)
        return;
    FPrimaryLength = v;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    changedWhileActive();
}

void TBands::SetSecondaryLength(int v)
{
    if (v == FSecondaryLength)
        return;
    FSecondaryLength = v;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    changedWhileActive();
}

TColor TBands::RowColor(int r) const
{
    if (FTotalLength <= 0 || r < 0)
        return clNone;
    return r % FTotalLength < FPrimaryLength ? FPrimaryColor : FSecondaryColor;
}

// The copied lengths renew the total too, so the band period always matches the lengths.
void TBands::Assign(const TPersistent& source)
{
    auto* src = dynamic_cast<const TBands*>(&source);
    if (!src)
        return;
    FActive = src->FActive;
    FPrimaryColor = src->FPrimaryColor;
    FSecondaryColor = src->FSecondaryColor;
    FPrimaryLength = src->FPrimaryLength;
    FSecondaryLength = src->FSecondaryLength;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    FPrint = src->FPrint;
}

void TFocusHelper::Assign(const TPersistent& source)
{
    if (auto* src = dynamic_cast<const TFocusHelper*>(&source))
        FEnabled = src->FEnabled;
}

// ---- TCellNode -----------------------------------------------------------------------------

void TCellNode::repaint()
{
    if (FOwner)
        FOwner->Invalidate();
}

void TCellNode::SetNodeType(TNodeType v)
{
    if (v == FNodeType)
        return;
    FNodeType = v;
    repaint();
}

void TCellNode::SetShowTree(bool v)
{
    if (v == FShowTree)
        return;
    FShowTree = v;
    repaint();
}

void TCellNode::SetShowTreeFull(bool v)
{
    if (v == FShowTreeFull)
        return;
    FShowTreeFull = v;
    repaint();
}

void TCellNode::SetTreeColor(TColor v)
{
    if (v == FTreeColor)
        return;
    FTreeColor = v;
    repaint();
}

void TCellNode::SetNodeIndent(int v)
{
    if (v == FNodeIndent)
        return;
    FNodeIndent = v;
    repaint();
}

void TCellNode::Assign(const TPersistent& source)
{
    auto* src = dynamic_cast<const TCellNode*>(&source);
    if (!src)
        return;
    FColor = src->FColor;
    FExpandOne = src->FExpandOne;
    FNodeType = src->FNodeType;
    FNodeColor = src->FNodeColor;
    FNodeIndent = src->FNodeIndent;
    FExpandGlyph.Image = src->FExpandGlyph.Image;
    FContractGlyph.Image = src->FContractGlyph.Image;
    FShowTree = src->FShowTree;
    FShowTreeFull = src->FShowTreeFull;
    FTreeColor = src->FTreeColor;
}

// ---- TColumnSize, THTMLSettings, TPrintSettings --------------------------------------------

void TColumnSize::SetStretch(bool v)
{
    FStretch = v;
    if (OnStretchChanged)
        OnStretchChanged();
}

void TColumnSize::Assign(const TPersistent& source)
{
    auto* src = dynamic_cast<const TColumnSize*>(&source);
    if (!src)
        return;
    QV_COLUMNSIZE_PLAIN(QV_COPY)
    FStretch = src->FStretch; // the field, without re-applying the stretching
}

void THTMLSettings::Assign(const TPersistent& source)
{
    auto* src = dynamic_cast<const THTMLSettings*>(&source);
    if (!src)
        return;
    QV_HTML_PLAIN(QV_COPY) // not ExportImages and not ColWidths
}

void TPrintSettings::Assign(const TPersistent& source)
{
    auto* src = dynamic_cast<const TPrintSettings*>(&source);
    if (!src)
        throw EInvalidCast();
    QV_PRINT_PLAIN(QV_COPY) // not FixedCellsAlways and not the grid
}

} // namespace grid
