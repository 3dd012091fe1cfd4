// Cell colour, font and alignment resolution as plain logic: grid settings, cell properties,
// selection, fixed cells, and hooks and events overriding the defaults.

#include "grid/look/CellVisuals.h"

#include <map>
#include <memory>
#include <set>
#include <utility>

#include <gtest/gtest.h>

using namespace grid;
using platform::rgb;

namespace {

using Cell = std::pair<int, int>; // column, row

class FakeCells : public TCellVisualHooks {
public:
    TCellProperties& props(int col, int row)
    {
        auto& p = cellProps[{col, row}];
        if (!p)
            p = std::make_unique<TCellProperties>(nullptr, col, row);
        return *p;
    }

    const TCellProperties* CellProperties(int c, int r) const override
    {
        const auto it = cellProps.find({c, r});
        return it == cellProps.end() ? nullptr : it->second.get();
    }
    TCellType GetCellType(int c, int r) const override
    {
        const auto it = types.find({c, r});
        return it == types.end() ? ctEmpty : it->second;
    }
    bool IsFixed(int c, int r) const override { return fixed.count({c, r}) > 0; }
    int DisplColIndex(int realCol) const override
    {
        return realCol > hiddenCol && hiddenCol >= 0 ? realCol - 1 : realCol;
    }
    int RealColFromDispl(int col) const override { return hiddenCol >= 0 && col >= hiddenCol ? col + 1 : col; }
    bool IsSelected(int c, int r) const override { return selected.count({c, r}) > 0; }
    bool RowSelect(int r) const override { return selectedRows.count(r) > 0; }
    bool ColSelect(int c) const override { return selectedCols.count(c) > 0; }
    bool CellInSelectedList(int c, int r) const override { return cellList.count({c, r}) > 0; }
    bool RowEnabled(int r) const override { return disabledRows.count(r) == 0; }
    void GetCellColor(int c, int r, TGridDrawState state, TBrush& brush, TFont& font) override
    {
        colorHookCols.push_back(c);
        if (onColor)
            onColor(c, r, state, brush, font);
    }
    void GetCellPrintColor(int c, int r, TGridDrawState state, TBrush& brush, TFont& font) override
    {
        ++printHookCalls;
        if (onPrintColor)
            onPrintColor(c, r, state, brush, font);
    }
    bool GetCellGradient(int r, int c, TColor& color, TColor& to, TColor& mirror, TColor& mirrorTo,
                         TCellGradientDirection& gd) override
    {
        if (!onGradient)
            return false;
        onGradient(r, c, color, to, mirror, mirrorTo, gd);
        return true;
    }
    void GetCellWordWrap(int c, int r, bool& ww) override
    {
        if (onWordWrap)
            onWordWrap(c, r, ww);
    }
    void GetCellAlignment(int c, int r, TAlignment& ha, TVAlignment& va) override
    {
        if (onAlignment)
            onAlignment(c, r, ha, va);
    }
    QString CellText(int c, int r) const override
    {
        const auto it = texts.find({c, r});
        return it == texts.end() ? QString() : it->second;
    }
    QString RawCellText(int c, int r) const override
    {
        const auto it = rawTexts.find({c, r});
        return it == rawTexts.end() ? CellText(c, r) : it->second;
    }

    std::map<Cell, std::unique_ptr<TCellProperties>> cellProps;
    std::map<Cell, TCellType> types;
    std::set<Cell> fixed, selected, cellList;
    std::set<int> selectedRows, selectedCols, disabledRows;
    std::map<Cell, QString> texts, rawTexts;
    int hiddenCol = -1;
    std::vector<int> colorHookCols;
    int printHookCalls = 0;
    std::function<void(int, int, TGridDrawState, TBrush&, TFont&)> onColor, onPrintColor;
    std::function<void(int, int, TColor&, TColor&, TColor&, TColor&, TCellGradientDirection&)> onGradient;
    std::function<void(int, int, bool&)> onWordWrap;
    std::function<void(int, int, TAlignment&, TVAlignment&)> onAlignment;
};

TCellVisualSettings settings()
{
    TCellVisualSettings s;
    s.Color = rgb(250, 250, 250);
    s.FixedColor = rgb(200, 200, 200);
    s.Font = {QStringLiteral("Body"), 9, 0, rgb(1, 1, 1)};
    s.FixedFont = {QStringLiteral("Head"), 10, fsBold, rgb(2, 2, 2)};
    s.PrintFont = {QStringLiteral("PrintBody"), 8, 0, rgb(3, 3, 3)};
    s.PrintFixedFont = {QStringLiteral("PrintHead"), 8, 0, rgb(4, 4, 4)};
    s.SelectionColor = rgb(0, 0, 255);
    s.SelectionTextColor = rgb(255, 255, 0);
    s.ColCount = 6;
    s.RowCount = 8;
    s.Col = 2;
    s.Row = 2;
    return s;
}

struct Result {
    TCellVisuals v;
    TGridDrawState state;
};

Result resolve(const TCellVisualSettings& s, FakeCells& cells, int col, int row, TGridDrawState state = 0,
               bool print = false, bool select = true, bool remap = false)
{
    Result r;
    r.state = state;
    GetVisualProperties(s, cells, col, row, r.state, print, select, remap, r.v);
    return r;
}

} // namespace

TEST(CellVisuals, NormalAndFixedCellDefaults)
{
    const TCellVisualSettings s = settings();
    FakeCells cells;
    const Result normal = resolve(s, cells, 2, 3);
    EXPECT_EQ(normal.v.Brush.Color, s.Color);
    EXPECT_EQ(normal.v.Font, s.Font);
    EXPECT_EQ(normal.state, 0u);
    EXPECT_EQ(normal.v.ColorTo, clNone);

    for (Cell c : {Cell{0, 3}, Cell{2, 0}}) {
        const Result fixed = resolve(s, cells, c.first, c.second);
        EXPECT_EQ(fixed.v.Brush.Color, s.FixedColor);
        EXPECT_EQ(fixed.v.Font, s.FixedFont);
        EXPECT_EQ(fixed.state, TGridDrawState(gdFixed));
    }
    // A cell the hook calls fixed is fixed too; right fixed columns and footer rows get the fixed
    // colour as their default.
    cells.fixed.insert({3, 3});
    EXPECT_EQ(resolve(s, cells, 3, 3).v.Brush.Color, s.FixedColor);
    TCellVisualSettings f = s;
    f.FixedRightCols = 1;
    f.FixedFooters = 1;
    EXPECT_EQ(resolve(f, cells, 5, 3).v.Brush.Color, s.FixedColor);
    EXPECT_EQ(resolve(f, cells, 2, 7).v.Brush.Color, s.FixedColor);
    EXPECT_EQ(resolve(f, cells, 5, 3).state, 0u);
}

TEST(CellVisuals, FixedCellOwnColourWinsOnlyWithoutAGraphic)
{
    TCellVisualSettings s = settings();
    FakeCells cells;
    cells.props(2, 0).FBrushColor = rgb(10, 20, 30);
    cells.props(3, 0).FBrushColor = rgb(10, 20, 30);
    cells.types[{3, 0}] = ctCheckBox;

    const Result own = resolve(s, cells, 2, 0);
    EXPECT_EQ(own.v.Brush.Color, rgb(10, 20, 30));
    EXPECT_EQ(own.state, 0u); // no fixed look
    const Result check = resolve(s, cells, 3, 0);
    EXPECT_EQ(check.v.Brush.Color, s.FixedColor);
    EXPECT_EQ(check.state, TGridDrawState(gdFixed));

    // Above the classic look the fixed cell takes the look's gradient.
    s.Look = glXP;
    s.VLXGradientFrom = rgb(1, 2, 3);
    s.VLXGradientTo = rgb(4, 5, 6);
    s.VLXGradientMirrorFrom = rgb(7, 8, 9);
    s.VLXGradientMirrorTo = rgb(10, 11, 12);
    const Result xp = resolve(s, cells, 3, 0);
    EXPECT_EQ(xp.v.Brush.Color, rgb(1, 2, 3));
    EXPECT_EQ(xp.v.ColorTo, rgb(4, 5, 6));
    EXPECT_EQ(xp.v.MirrorColor, rgb(7, 8, 9));
    EXPECT_EQ(xp.v.MirrorColorTo, rgb(10, 11, 12));
    EXPECT_EQ(resolve(s, cells, 2, 0).v.Brush.Color, rgb(10, 20, 30));
    // Printing keeps the look's gradient but not the fixed font.
    const Result printed = resolve(s, cells, 3, 0, 0, true);
    EXPECT_EQ(printed.v.Brush.Color, rgb(1, 2, 3));
    EXPECT_EQ(printed.state, 0u);
}

TEST(CellVisuals, Banding)
{
    TCellVisualSettings s = settings();
    s.BandsActive = true;
    s.BandsPrimaryColor = rgb(1, 1, 100);
    s.BandsSecondaryColor = rgb(1, 100, 1);
    s.BandsPrimaryLength = 2;
    s.BandsTotalLength = 3;
    s.FixedFooters = 1;
    FakeCells cells;
    struct Case {
        int row;
        TColor expected;
    } cases[] = {{1, rgb(1, 1, 100)}, {2, rgb(1, 1, 100)}, {3, rgb(1, 100, 1)}, {4, rgb(1, 1, 100)}, {7, s.FixedColor}};
    for (const Case& c : cases)
        EXPECT_EQ(resolve(s, cells, 2, c.row).v.Brush.Color, c.expected) << c.row;
    // An own colour beats the band; printing shows bands only with Bands.Print.
    cells.props(2, 1).FBrushColor = rgb(9, 9, 9);
    EXPECT_EQ(resolve(s, cells, 2, 1).v.Brush.Color, rgb(9, 9, 9));
    EXPECT_EQ(resolve(s, cells, 3, 1, 0, true).v.Brush.Color, s.Color);
    s.BandsPrint = true;
    EXPECT_EQ(resolve(s, cells, 3, 1, 0, true).v.Brush.Color, rgb(1, 1, 100));
}

TEST(CellVisuals, RectangleSelectionAndColourMixer)
{
    TCellVisualSettings s = settings();
    s.SelectionColorMixer = true;
    s.SelectionColorMixerFactor = 50;
    FakeCells cells;
    cells.selected = {{2, 3}, {3, 3}};
    cells.props(2, 3).FBrushColor = rgb(255, 255, 255);

    const Result mixed = resolve(s, cells, 2, 3);
    EXPECT_EQ(mixed.v.Brush.Color, rgb(128, 128, 255)); // 127.5 rounds to the even 128
    EXPECT_EQ(mixed.v.Font.Color, s.SelectionTextColor);
    EXPECT_TRUE(mixed.state & gdSelected);
    const Result pure = resolve(s, cells, 3, 3);
    EXPECT_EQ(pure.v.Brush.Color, s.SelectionColor);

    // Without Select, or printing, no selection colours...
    EXPECT_EQ(resolve(s, cells, 3, 3, 0, false, false).v.Brush.Color, s.Color);
    EXPECT_EQ(resolve(s, cells, 3, 3, 0, true).v.Brush.Color, s.Color);
    // ...except while the mouse is down on a cell drawn as selected.
    s.MouseDown = true;
    EXPECT_EQ(resolve(s, cells, 3, 3, gdSelected, true).v.Brush.Color, s.SelectionColor);
    // A fixed cell too; its fixed colour is mixed with the selection colour (227.5 rounds to 228).
    EXPECT_EQ(resolve(s, cells, 2, 0, gdSelected, true, false).v.Brush.Color, rgb(100, 100, 228));
    // ShowSelection off: nothing.
    s.ShowSelection = false;
    EXPECT_EQ(resolve(s, cells, 3, 3, gdSelected).v.Brush.Color, s.Color);
}

TEST(CellVisuals, DisjunctRowColumnAndCellSelection)
{
    TCellVisualSettings s = settings();
    s.DisjunctRowSelect = true;
    FakeCells cells;
    cells.selectedRows = {3};
    const Result row = resolve(s, cells, 2, 3, gdFocused);
    EXPECT_EQ(row.state, TGridDrawState(gdSelected));
    EXPECT_EQ(row.v.Brush.Color, s.SelectionColor);
    EXPECT_EQ(resolve(s, cells, 2, 4, gdSelected).state, 0u);
    // Mouse down: the current row toggles, other rows add.
    s.MouseDown = true;
    EXPECT_EQ(resolve(s, cells, 2, 2, gdSelected).v.Brush.Color, s.SelectionColor);
    EXPECT_EQ(resolve(s, cells, 2, 4, gdSelected).v.Brush.Color, s.SelectionColor);
    s.Row = 3;
    EXPECT_EQ(resolve(s, cells, 2, 3, gdSelected).state, 0u);

    TCellVisualSettings c = settings();
    c.DisjunctColSelect = true;
    cells.selectedCols = {4};
    EXPECT_EQ(resolve(c, cells, 4, 5).state, TGridDrawState(gdSelected));
    EXPECT_EQ(resolve(c, cells, 3, 5, gdFocused).state, TGridDrawState(gdFocused));

    TCellVisualSettings l = settings();
    l.DisjunctCellSelect = true;
    cells.cellList = {{3, 4}};
    cells.onColor = [](int, int, TGridDrawState, TBrush& b, TFont&) { b.Color = rgb(7, 7, 7); };
    const Result listed = resolve(l, cells, 3, 4);
    EXPECT_EQ(listed.v.Brush.Color, l.SelectionColor);
    EXPECT_TRUE(listed.state & gdSelected);
    // The current cell not in the list shows its own colours even inside a rectangle selection.
    cells.selected = {{2, 2}};
    const Result current = resolve(l, cells, 2, 2, gdSelected);
    EXPECT_FALSE(current.state & gdSelected);
    EXPECT_EQ(current.v.Brush.Color, rgb(7, 7, 7));
    EXPECT_EQ(current.v.Font.Color, l.Font.Color);
}

TEST(CellVisuals, DisjunctRowModeLightensOtherSelectedRows)
{
    TCellVisualSettings s = settings();
    s.DisjunctRowSelect = true;
    s.Color = rgb(100, 100, 250);
    FakeCells cells;
    cells.selected = {{2, 4}, {2, 2}};
    EXPECT_EQ(resolve(s, cells, 2, 4).v.Brush.Color, rgb(107, 107, 255));
    EXPECT_EQ(resolve(s, cells, 2, 2).v.Brush.Color, s.Color); // current row
    s.SelectionColorTo = rgb(1, 1, 1);
    EXPECT_EQ(resolve(s, cells, 2, 4).v.Brush.Color, s.Color);
}

TEST(CellVisuals, HooksAndEventsHaveTheLastWord)
{
    TCellVisualSettings s = settings();
    FakeCells cells;
    cells.hiddenCol = 1; // displayed column 2 is real column 3
    cells.props(3, 3).FBrushColor = rgb(5, 5, 5);
    cells.props(3, 3).FFontColor = rgb(6, 6, 6);
    cells.props(3, 3).FFontSize = 14;
    cells.props(3, 3).FFontName = QStringLiteral("Own");
    cells.props(3, 3).FWordWrap = false;
    cells.props(3, 3).FGradientDirection = GradientHorizontal;
    cells.props(3, 3).FBrushColorTo = rgb(8, 8, 8);

    const Result own = resolve(s, cells, 2, 3, 0, false, true, true);
    EXPECT_EQ(own.v.Brush.Color, rgb(5, 5, 5));
    EXPECT_EQ(own.v.ColorTo, rgb(8, 8, 8));
    EXPECT_EQ(own.v.Font.Color, rgb(6, 6, 6));
    EXPECT_EQ(own.v.Font.Size, 14);
    EXPECT_EQ(own.v.Font.Name, QStringLiteral("Own"));
    EXPECT_EQ(own.v.Font.Style, s.Font.Style);
    EXPECT_EQ(own.v.GD, GradientHorizontal);
    EXPECT_FALSE(own.v.WordWrap);
    EXPECT_EQ(cells.colorHookCols.back(), 3);
    EXPECT_EQ(resolve(s, cells, 2, 3, gdSelected, false, false, true).v.GD, GradientVertical);

    cells.onColor = [](int, int, TGridDrawState, TBrush& b, TFont& f) {
        b.Color = rgb(200, 0, 0);
        f.Color = rgb(0, 200, 0);
    };
    EXPECT_EQ(resolve(s, cells, 2, 3, 0, false, true, true).v.Brush.Color, rgb(200, 0, 0));
    cells.onGradient = [](int, int, TColor& c, TColor& to, TColor&, TColor&, TCellGradientDirection& gd) {
        EXPECT_EQ(c, rgb(200, 0, 0));
        c = rgb(0, 0, 200);
        to = rgb(0, 0, 100);
        gd = GradientHorizontal;
    };
    cells.onWordWrap = [](int, int, bool& ww) { ww = true; };
    const Result events = resolve(s, cells, 2, 3, 0, false, true, true);
    EXPECT_EQ(events.v.Brush.Color, rgb(0, 0, 200));
    EXPECT_EQ(events.v.ColorTo, rgb(0, 0, 100));
    EXPECT_EQ(events.v.Font.Color, rgb(0, 200, 0));
    EXPECT_TRUE(events.v.WordWrap);

    // Printing asks the print colour hook only, with the print fonts.
    s.PrintUseDisplayFont = false;
    cells.onGradient = nullptr;
    const Result printed = resolve(s, cells, 4, 4, 0, true);
    EXPECT_EQ(cells.printHookCalls, 1);
    EXPECT_EQ(printed.v.Font, s.PrintFont);
    EXPECT_EQ(resolve(s, cells, 4, 0, 0, true).v.Font, s.PrintFixedFont);
}

TEST(CellVisuals, DisabledFont)
{
    TCellVisualSettings s = settings();
    s.UseDisabledFont = true;
    s.DisabledFontColor = rgb(128, 128, 128);
    FakeCells cells;
    cells.disabledRows = {4};
    EXPECT_EQ(resolve(s, cells, 2, 4).v.Font.Color, s.Font.Color); // rows not in use
    s.UseEnabledRows = true;
    EXPECT_EQ(resolve(s, cells, 2, 4).v.Font.Color, rgb(128, 128, 128));
    EXPECT_EQ(resolve(s, cells, 2, 3).v.Font.Color, s.Font.Color);
    s.UseEnabledRows = false;
    s.Enabled = false;
    EXPECT_EQ(resolve(s, cells, 2, 3).v.Font.Color, rgb(128, 128, 128));
}

TEST(CellVisuals, Alignment)
{
    TCellVisualSettings s = settings();
    s.DefaultAlignment = taCenter;
    s.VAlignment = vtaCenter;
    s.AutoNumAlign = true;
    FakeCells cells;
    struct Case {
        QString text;
        TAlignment expected;
    } cases[] = {{QStringLiteral("42"), taRightJustify},  {QStringLiteral(" -3.5 "), taRightJustify},
                 {QStringLiteral("1e5"), taRightJustify}, {QStringLiteral("abc"), taCenter},
                 {QStringLiteral("12 kg"), taCenter},     {QString(), taCenter}};
    for (const Case& c : cases) {
        cells.texts[{2, 2}] = c.text;
        TAlignment ha;
        TVAlignment va;
        ResolveCellAlignment(s, cells, 2, 2, ha, va);
        EXPECT_EQ(ha, c.expected) << c.text.toStdString();
        EXPECT_EQ(va, vtaCenter);
    }
    // Own alignment beats the automatic one, but not for a formula, which is judged by its raw text.
    cells.texts[{3, 2}] = QStringLiteral("42");
    cells.props(3, 2).FAlignment = taLeftJustify;
    cells.props(3, 2).FVAlignment = vtaBottom;
    TAlignment ha;
    TVAlignment va;
    ResolveCellAlignment(s, cells, 3, 2, ha, va);
    EXPECT_EQ(ha, taLeftJustify);
    EXPECT_EQ(va, vtaCenter); // the cell's own vertical alignment is not consulted
    cells.texts[{3, 2}] = QStringLiteral("=A1*2");
    cells.rawTexts[{3, 2}] = QStringLiteral("84");
    ResolveCellAlignment(s, cells, 3, 2, ha, va);
    EXPECT_EQ(ha, taRightJustify);
    // Without automatic alignment the own alignment applies; the event decides last.
    s.AutoNumAlign = false;
    ResolveCellAlignment(s, cells, 3, 2, ha, va);
    EXPECT_EQ(ha, taLeftJustify);
    cells.onAlignment = [](int, int, TAlignment& h, TVAlignment& v) {
        h = taCenter;
        v = vtaBottom;
    };
    const Result r = resolve(s, cells, 3, 2);
    EXPECT_EQ(r.v.HA, taCenter);
    EXPECT_EQ(r.v.VA, vtaBottom);
}

TEST(CellVisuals, FontPropertiesAndTheStringGridColourRule)
{
    TCellVisualSettings s = settings();
    FakeCells cells;
    cells.props(2, 0).FFontStyle = fsItalic;
    TGridDrawState state = 0;
    TFont font;
    TBrush brush;
    GetFontProperties(s, cells, 2, 2, 0, state, font, brush);
    EXPECT_EQ(font.Name, s.FixedFont.Name);
    EXPECT_EQ(font.Style, TFontStyles(fsItalic));
    GetFontProperties(s, cells, 2, 2, 3, state, font, brush);
    EXPECT_EQ(font, s.Font);

    s.ActiveCellShow = true;
    s.ActiveCellColor = rgb(9, 8, 7);
    s.ActiveCellFont = {QStringLiteral("Active"), 9, fsBold, rgb(1, 2, 3)};
    for (Cell c : {Cell{0, 2}, Cell{2, 0}}) {
        TBrush b;
        TFont f;
        StringGridCellColor(s, cells, c.first, c.second, b, f);
        EXPECT_EQ(b.Color, rgb(9, 8, 7));
        EXPECT_EQ(f.Name, QStringLiteral("Active"));
    }
    cells.props(3, 3).FBrushColor = rgb(4, 4, 4);
    cells.props(4, 3).FBrushColor = rgb(4, 4, 4);
    cells.types[{4, 3}] = ctCheckBox;
    TBrush b1, b2;
    TFont f;
    StringGridCellColor(s, cells, 3, 3, b1, f);
    StringGridCellColor(s, cells, 4, 3, b2, f);
    EXPECT_EQ(b1.Color, rgb(4, 4, 4));
    EXPECT_EQ(b2.Color, TBrush{}.Color);
}

TEST(CellVisuals, BlendColors)
{
    struct Case {
        TColor a, b;
        int percent;
        TColor expected;
    } cases[] = {
        {rgb(0, 0, 255), rgb(255, 255, 255), 50, rgb(128, 128, 255)},
        {rgb(0, 0, 0), rgb(100, 200, 40), 25, rgb(75, 150, 30)},
        {rgb(1, 2, 3), rgb(4, 5, 6), 100, rgb(1, 2, 3)},
        {rgb(1, 2, 3), rgb(4, 5, 6), 0, rgb(4, 5, 6)},
        {clNone, rgb(4, 5, 6), 50, rgb(4, 5, 6)},
        {rgb(1, 2, 3), clNone, 50, rgb(1, 2, 3)},
        {platform::clWhite, platform::clBtnFace, 50, rgb(248, 248, 248)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BlendColors(c.a, c.b, c.percent), c.expected) << c.percent;
    EXPECT_EQ(MixSelectionColor(rgb(0, 0, 255), rgb(255, 255, 255), false, 50), rgb(0, 0, 255));
    EXPECT_EQ(MixSelectionColor(rgb(0, 0, 255), rgb(255, 255, 255), true, 50), rgb(128, 128, 255));
}
