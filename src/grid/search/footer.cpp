// The grid's side of the search footer: the panel made with the grid and kept in step with the
// SearchFooter settings, the reactions to what the user does in it, and keeping the last row
// out from under it.

#include "grid/search/SearchPanel.h"

#include "grid/QvGrid.h"

#include <QPalette>

namespace grid {

namespace {

constexpr int kFooterHeight = 32;
// A failed search shows in the edit box's colour alone.
constexpr TColor kNoMatchColor = 255;

void setEditColor(TRetEdit& edit, TColor color)
{
    QPalette pal = edit.palette();
    const QColor c = platform::toQColor(color);
    if (pal.color(QPalette::Base) == c)
        return;
    pal.setColor(QPalette::Base, c);
    edit.setPalette(pal);
    // One pixel wider and back, so the box repaints at once.
    edit.resize(edit.width() + 1, edit.height());
    edit.resize(edit.width() - 1, edit.height());
}

// The letter after the "&" of a caption ("&&" is a plain "&"), QChar() when there is none.
QChar acceleratorOf(const QString& caption)
{
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) != QLatin1Char('&'))
            return caption.at(i + 1).toUpper();
        ++i;
    }
    return {};
}

} // namespace

// ---- the panel ---------------------------------------------------------------------------------

void TQvStringGrid::createSearchPanel()
{
    FSearchPanel = new TSearchPanel(this, viewport());
    FSearchPanel->hide();
    FSearchPanel->OnForwardClick = [this](TSearchPanel*) { SearchFooterFindNext(); };
    FSearchPanel->OnBackwardClick = [this](TSearchPanel*) { SearchFooterFindPrevious(); };
    FSearchPanel->OnExitClick = [this](TSearchPanel*) { SearchFooterClose(); };
    FSearchPanel->OnHighlightClick = [this](TSearchPanel*) { SearchFooterHighlight(); };
    FSearchPanel->OnEditChange = [this](TSearchPanel*, const QString& text) { SearchFooterEditChanged(text); };
}

void TQvStringGrid::placeSearchPanel()
{
    if (FSearchPanel && FSearchFooter->Visible())
        FSearchPanel->setGeometry(0, viewport()->height() - kFooterHeight, viewport()->width(), kFooterHeight);
}

int TQvStringGrid::CoveredClientBottom() const
{
    return FSearchPanel && FSearchFooter->Visible() ? kFooterHeight : 0;
}

void TQvStringGrid::UpdateSearchPanel()
{
    if (loading || !FSearchPanel)
        return;
    TSearchFooter& f = *FSearchFooter;
    TSearchPanel& p = *FSearchPanel;
    TQvGridButton& hilite = *p.HiliteButton();
    if ((hilite.Down() && FSearchPanelShown && !f.Visible()) || f.AlwaysHighLight())
        footerUnhighlight();

    p.SetColor(f.Color());
    p.SetColorTo(f.ColorTo());
    p.SetFindNextCaption(f.FindNextCaption());
    p.SetFindPrevCaption(f.FindPrevCaption());
    p.SetHighLightCaption(f.HighLightCaption());
    p.SetMatchCaseCaption(f.MatchCaseCaption());
    p.SetHintFindNext(f.HintFindNext());
    p.SetHintFindPrev(f.HintFindPrev());
    p.SetHintClose(f.HintClose());
    p.SetHintHighlight(f.HintHighlight());
    p.SetPanelFont(f.Font());

    for (TQvGridButton* b : {p.ForwardButton(), p.BackwardButton(), p.HiliteButton()}) {
        if (FAutoThemeAdapt) {
            b->SetAutoThemeAdapt(true);
            b->SetFlat(true);
            continue;
        }
        switch (ControlLook().ControlStyle()) {
        case csFlat:
            b->SetFlat(true);
            break;
        case csWinXP:
        case csTheme:
            b->SetAutoXPStyle(true);
            b->SetFlat(false);
            break;
        case csClassic:
            b->SetAutoXPStyle(false);
            b->SetFlat(false);
            break;
        default:
            break;
        }
    }

    hilite.setVisible(f.ShowHighLight());
    p.ExitButton()->setVisible(f.ShowClose());
    p.MatchCase()->setVisible(f.ShowMatchCase());
    p.MatchCase()->SetTransparent(true);
    p.BackwardButton()->setVisible(f.ShowFindPrev());
    p.ForwardButton()->setVisible(f.ShowFindNext());
    p.LayoutControls();

    FSearchPanelShown = f.Visible();
    if (f.Visible()) {
        placeSearchPanel();
        p.show();
        ScrollLastRowAboveFooter();
    } else {
        p.hide();
        p.resize(p.width(), 0);
    }
    // The scrollable range follows what the footer covers.
    UpdateScrollRange();
}

// ---- keeping the last row above the footer -------------------------------------------------------

bool TQvStringGrid::IsLastRowAboveFooter()
{
    if (!FSearchPanel || !FSearchFooter->Visible())
        return false;
    if (TopRow() + VisibleRowCount() < RowCount() - 1)
        return false;
    const TRect r = CellRect(LeftCol(), RowCount() - 1);
    return r.Bottom < viewport()->height() - FSearchPanel->height() + 2;
}

void TQvStringGrid::ScrollLastRowAboveFooter()
{
    if (!FSearchPanel || !FSearchFooter->Visible())
        return;
    const int line = viewport()->height() - FSearchPanel->height() + 2;
    if (viewport()->height() <= DefaultRowHeight() + FSearchPanel->height())
        return;
    while (Row() < RowCount() && TopRow() < RowCount()) {
        const TRect r = CellRect(LeftCol(), RowCount() - 1);
        if (r.Bottom == r.Top || r.Bottom < line)
            break; // above the line, or not in view at all
        const int was = TopRow();
        SetTopRow(was + 1);
        if (TopRow() == was)
            break;
    }
}

// After a key moved to the last row: the current cell comes out from under the footer.
void TQvStringGrid::keepCurrentCellAboveFooter()
{
    if (!FSearchPanel || !FSearchFooter->Visible() || Row() != RowCount() - 1)
        return;
    const int line = viewport()->height() - FSearchPanel->height() + 2;
    for (;;) {
        const TRect r = CellRect(Col(), Row());
        if (r.Bottom < line)
            break;
        const int was = TopRow();
        SetTopRow(was + 1);
        if (TopRow() == was)
            break;
    }
}

// ---- reactions -------------------------------------------------------------------------------------

TFindParameters TQvStringGrid::footerFindParams(bool withFixedAndHidden) const
{
    const TSearchFooter& f = *FSearchFooter;
    TFindParameters params = fnAutoGoto;
    if (FSearchPanel->HiliteButton()->Down())
        params |= fnIgnoreHTMLTags;
    if (FSearchPanel->MatchCase()->Checked())
        params |= fnMatchCase;
    if (f.SearchActiveColumnOnly())
        params |= fnFindInCurrentCol;
    if (f.SearchMatchStart())
        params |= fnMatchStart;
    if (withFixedAndHidden && f.SearchFixedCells())
        params |= fnIncludeFixed;
    if (withFixedAndHidden && f.SearchHiddenRows())
        params |= fnIncludeHiddenRows;
    if (f.SearchDirection() == sdLeftRight)
        params |= fnDirectionLeftRight;
    return params;
}

// The search column, when the footer names a column the grid has.
static bool validSearchColumn(const TSearchFooter& f, int colCount)
{
    return f.SearchColumn() >= 0 && f.SearchColumn() < colCount;
}

void TQvStringGrid::footerHighlight(const QString& text)
{
    const bool matchCase = FSearchPanel->MatchCase()->Checked();
    if (validSearchColumn(*FSearchFooter, ColCount()))
        HilightInCol(false, matchCase, FSearchFooter->SearchColumn(), text);
    else
        HilightInGrid(false, matchCase, text);
}

void TQvStringGrid::footerUnhighlight()
{
    if (validSearchColumn(*FSearchFooter, ColCount()))
        UnHilightInCol(false, FSearchFooter->SearchColumn());
    else
        UnHilightInGrid(false);
}

void TQvStringGrid::SearchFooterEditChanged(const QString& value)
{
    bool defaultSearch = true;
    if (OnSearchEditChange)
        OnSearchEditChange(this, value, defaultSearch);
    const TSearchFooter& f = *FSearchFooter;
    if (!defaultSearch || !f.AutoSearch() || !FSearchPanel)
        return;
    TFindParameters params = footerFindParams(true);
    if (validSearchColumn(f, ColCount())) {
        params |= fnFindInPresetCol;
        FFindCol = f.SearchColumn();
    }
    TRetEdit& edit = *FSearchPanel->EditControl();
    const bool highlighting = FSearchPanel->HiliteButton()->Down() || f.AlwaysHighLight();
    if (highlighting)
        footerUnhighlight();
    if (value.isEmpty()) {
        setEditColor(edit, platform::clWindow);
        return; // the highlights went above
    }
    SearchCell = Find({-1, -1}, value, params);
    SearchFooterAction(value, SearchCell.X, SearchCell.Y, saFindFirst);
    if (SearchCell.X < 0) {
        setEditColor(edit, kNoMatchColor);
        return;
    }
    setEditColor(edit, platform::clWindow);
    ScrollInView(SearchCell.X, SearchCell.Y);
    if (highlighting)
        footerHighlight(value);
}

void TQvStringGrid::footerNextPrevious(bool backward)
{
    if (!FSearchPanel)
        return;
    TSearchFooter& f = *FSearchFooter;
    const QString text = FSearchPanel->EditControl()->text();
    if (!f.AutoSearch()) {
        if (text != f.LastSearch())
            SearchCell = {-1, -1};
        f.SetLastSearch(text);
    }
    TFindParameters params = footerFindParams(false);
    if (validSearchColumn(f, ColCount())) {
        params |= fnFindInPresetCol;
        FFindCol = f.SearchColumn();
    }
    if (backward)
        params = (params & ~TFindParameters(fnDirectionLeftRight)) | fnBackward;
    SearchCell = Find(SearchCell, text, params);
    // The found row is kept two rows off the bottom, where the footer lies over it.
    const bool floating = FloatingFooter.Visible();
    auto keepOffBottom = [&] {
        if (Row() > TopRow() + VisibleRowCount() + (floating ? 0 : 1) - 3
            && VisibleRowCount() + FixedRows() + (floating ? 1 : 0) < RowCount())
            SetTopRow(TopRow() + 2);
    };
    if (backward)
        keepOffBottom();
    if (SearchCell.X >= 0)
        ScrollInView(SearchCell.X, SearchCell.Y);
    if (!backward)
        keepOffBottom();
    SearchFooterAction(text, SearchCell.X, SearchCell.Y, backward ? saFindPrevious : saFindNext);
    FSearchPanel->update();
}

void TQvStringGrid::SearchFooterFindNext()
{
    footerNextPrevious(false);
}

void TQvStringGrid::SearchFooterFindPrevious()
{
    footerNextPrevious(true);
}

void TQvStringGrid::SearchFooterHighlight()
{
    if (!FSearchPanel)
        return;
    if (FSearchPanel->HiliteButton()->Down())
        footerHighlight(FSearchPanel->EditControl()->text());
    else
        footerUnhighlight();
}

void TQvStringGrid::SearchFooterClose()
{
    if (OnSearchFooterClose)
        OnSearchFooterClose(this);
    FSearchFooter->SetVisible(false);
}

bool TQvStringGrid::SearchFooterDialogChar(QChar c)
{
    if (!FSearchPanel || !FSearchFooter->Visible())
        return false;
    const QChar key = c.toUpper();
    TQvGridButton* next = FSearchPanel->ForwardButton();
    TQvGridButton* prev = FSearchPanel->BackwardButton();
    TQvGridButton* hilite = FSearchPanel->HiliteButton();
    for (TQvGridButton* b : {next, prev, hilite}) {
        if (acceleratorOf(b->Caption()) != key || b->isHidden() || !b->isEnabled())
            continue;
        if (b == next)
            SearchFooterFindNext();
        else if (b == prev)
            SearchFooterFindPrevious();
        else {
            hilite->SetDown(!hilite->Down());
            SearchFooterHighlight();
        }
        return true;
    }
    return false;
}

} // namespace grid
