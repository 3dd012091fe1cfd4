// The grid's sort settings and control look: the sort state as text and the sorts it starts,
// the sort-row limit, both Assign lists, and the control look's pass-on of gradient colours
// to the grid's own copies, which the colour schemes share as one store.

#include "grid/QvGrid.h"
#include "grid/look/CellVisuals.h"
#include "grid/look/GridLooks.h"
#include "grid/support/GridTestHelpers.h"

#include <gtest/gtest.h>

#include <vector>

using namespace grid;
using grid::test::errorOf;

namespace {

constexpr TColor N = clNone;

// Records the sorts the sort settings start, with the state they start from.
class SortRecordingGrid : public TQvStringGrid {
public:
    SortRecordingGrid()
    {
        SetColCount(8);
        SetRowCount(6);
        SetFixedRows(1);
    }
    void QSort() override
    {
        calls.push_back(QStringLiteral("QSort %1 %2")
                            .arg(SortSettings().Column())
                            .arg(SortSettings().Direction() == sdAscending ? "up" : "down"));
    }
    void QSortIndexed() override { calls.push_back(QStringLiteral("QSortIndexed ") + SortIndexes().SaveToString()); }
    std::vector<QString> calls;
};

TEST(SortSettings, Defaults)
{
    TQvStringGrid g;
    const TSortSettings& s = g.SortSettings();
    EXPECT_FALSE(s.Show());
    EXPECT_FALSE(s.IndexShow());
    EXPECT_TRUE(s.Full());
    EXPECT_FALSE(s.SingleColumn());
    EXPECT_FALSE(s.IgnoreBlanks());
    EXPECT_EQ(s.BlankPos(), blFirst);
    EXPECT_TRUE(s.AutoFormat());
    EXPECT_EQ(s.Direction(), sdAscending);
    EXPECT_FALSE(s.NormalCellsOnly());
    EXPECT_FALSE(s.FixedCols());
    EXPECT_EQ(s.Column(), -1);
    EXPECT_EQ(s.Row(), 0);
    EXPECT_FALSE(s.AutoColumnMerge());
    EXPECT_EQ(s.IndexColor(), platform::clYellow);
    EXPECT_EQ(s.InitSortDirection(), sdAscending);
    EXPECT_FALSE(s.UndoSort());
    EXPECT_TRUE(s.AutoSortForGrouping());
    EXPECT_TRUE(s.SortOnVirtualCells());
    EXPECT_FALSE(s.IgnoreCase());
    EXPECT_EQ(s.HeaderColor(), N);
    EXPECT_EQ(s.HeaderMirrorColorTo(), N);
    EXPECT_EQ(s.IndexSortKey(), ikShift);
    EXPECT_TRUE(s.UpGlyph().Empty() && s.DownGlyph().Empty() && s.IndexUpGlyph().Empty() && s.IndexDownGlyph().Empty());
}

TEST(SortSettings, SavedAsText)
{
    struct Case {
        int column;
        TSortDirection direction;
        bool indexShow;
        const char* keys; // the index keys, loaded into the grid's list
        const char* saved;
    };
    const Case cases[] = {
        {3, sdDescending, false, "", "d3"},  {3, sdAscending, false, "", "u3"},
        {-1, sdAscending, false, "", "u-1"}, {0, sdAscending, true, "u2;d0", "i;u2;d0"},
        {0, sdAscending, true, "", "i;"},
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        TSortSettings& s = g.SortSettings();
        s.SetColumn(c.column);
        s.SetDirection(c.direction);
        s.SetIndexShow(c.indexShow);
        g.SortIndexes().LoadFromString(QString::fromLatin1(c.keys));
        EXPECT_EQ(s.SaveToString(), QString::fromLatin1(c.saved)) << c.saved;
    }
}

TEST(SortSettings, LoadedFromText)
{
    struct Case {
        const char* text;
        bool show, indexShow;
        TSortDirection direction;
        int column;
        std::vector<QString> sorts;
        const char* error;
    };
    // Every grid starts sorted on column 2, descending, no indicator, an index key on 6.
    const Case cases[] = {
        {"", false, true, sdDescending, 2, {}, "no error"},
        {"u5", true, false, sdAscending, 5, {"QSort 5 up"}, "no error"},
        {"d3", true, false, sdDescending, 3, {"QSort 3 down"}, "no error"},
        {"dA", true, false, sdDescending, 2, {}, "no error"},
        {"uA", true, false, sdAscending, 2, {}, "no error"},
        {"x", true, true, sdDescending, 2, {}, "Invalid sort settings specifier"},
        {"i;u1;d4", true, true, sdDescending, 2, {"QSortIndexed u1;d4"}, "no error"},
        {"i;", true, true, sdDescending, 2, {}, "no error"},
    };
    for (const Case& c : cases) {
        SortRecordingGrid g;
        TSortSettings& s = g.SortSettings();
        s.SetColumn(2);
        s.SetDirection(sdDescending);
        s.SetIndexShow(true);
        g.SortIndexes().AddIndex(6, true);
        EXPECT_EQ(errorOf([&] { s.LoadFromString(QString::fromLatin1(c.text)); }), QString::fromLatin1(c.error))
            << c.text;
        EXPECT_EQ(s.Show(), c.show) << c.text;
        EXPECT_EQ(s.IndexShow(), c.indexShow) << c.text;
        EXPECT_EQ(s.Direction(), c.direction) << c.text;
        EXPECT_EQ(s.Column(), c.column) << c.text;
        EXPECT_EQ(g.calls, c.sorts) << c.text;
    }
}

TEST(SortSettings, TextRoundTrip)
{
    for (const char* text : {"d3", "u0", "u7", "i;u1;d4"}) {
        SortRecordingGrid from, to;
        from.SortSettings().LoadFromString(QString::fromLatin1(text));
        to.SortSettings().LoadFromString(from.SortSettings().SaveToString());
        EXPECT_EQ(to.SortSettings().SaveToString(), QString::fromLatin1(text));
        EXPECT_EQ(to.calls, from.calls) << text;
    }
}

TEST(SortSettings, SortRowMustBeAFixedRow)
{
    TQvStringGrid g;
    g.SetRowCount(6);
    g.SetFixedRows(2);
    TSortSettings& s = g.SortSettings();
    EXPECT_EQ(errorOf([&] { s.SetRow(2); }), QStringLiteral("Sort row should be smaller than number of fixed rows"));
    EXPECT_EQ(s.Row(), 0) << "a refused row is not stored";
    EXPECT_EQ(errorOf([&] { s.SetRow(1); }), QStringLiteral("no error"));
    EXPECT_EQ(s.Row(), 1);
    g.SetFixedRows(0);
    EXPECT_EQ(errorOf([&] { s.SetRow(0); }), QStringLiteral("Sort row should be smaller than number of fixed rows"));
}

TEST(SortSettings, ToggleAndRemove)
{
    TQvStringGrid g;
    TSortSettings& s = g.SortSettings();
    s.ToggleDirection();
    EXPECT_EQ(s.Direction(), sdDescending);
    s.ToggleDirection();
    EXPECT_EQ(s.Direction(), sdAscending);
    s.SetColumn(4);
    g.SortIndexes().AddIndex(4, true);
    g.SortIndexes().AddIndex(1, false);
    s.Remove();
    EXPECT_EQ(s.Column(), -1);
    EXPECT_EQ(g.SortIndexes().Count(), 0);
}

TEST(SortSettings, AssignCopiesAllButCaseAndVirtualCells)
{
    TQvStringGrid a, b;
    b.SetRowCount(6);
    b.SetFixedRows(3);
    TSortSettings& src = b.SortSettings();
    src.SetAutoSortForGrouping(false);
    src.SetAutoColumnMerge(true);
    src.SetColumn(5);
    src.SetShow(true);
    src.SetIndexShow(true);
    src.SetIndexColor(0x123456);
    src.SetFull(false);
    src.SetSingleColumn(true);
    src.SetIgnoreBlanks(true);
    src.SetBlankPos(blLast);
    src.SetAutoFormat(false);
    src.SetDirection(sdDescending);
    src.SetUpGlyph(TBitmap(QImage(3, 3, QImage::Format_RGB32)));
    src.SetDownGlyph(TBitmap(QImage(4, 4, QImage::Format_RGB32)));
    src.SetIndexUpGlyph(TBitmap(QImage(5, 5, QImage::Format_RGB32)));
    src.SetIndexDownGlyph(TBitmap(QImage(6, 6, QImage::Format_RGB32)));
    src.SetIndexSortKey(ikCtrl);
    src.SetInitSortDirection(sdDescending);
    src.SetFixedCols(true);
    src.SetNormalCellsOnly(true);
    src.SetRow(2);
    src.SetUndoSort(true);
    src.SetHeaderColor(0x000001);
    src.SetHeaderColorTo(0x000002);
    src.SetHeaderMirrorColor(0x000003);
    src.SetHeaderMirrorColorTo(0x000004);
    src.SetIgnoreCase(true);
    src.SetSortOnVirtualCells(false);

    TSortSettings& dst = a.SortSettings();
    dst.Assign(src);
    EXPECT_FALSE(dst.AutoSortForGrouping());
    EXPECT_TRUE(dst.AutoColumnMerge());
    EXPECT_EQ(dst.Column(), 5);
    EXPECT_TRUE(dst.Show());
    EXPECT_TRUE(dst.IndexShow());
    EXPECT_EQ(dst.IndexColor(), 0x123456u);
    EXPECT_FALSE(dst.Full());
    EXPECT_TRUE(dst.SingleColumn());
    EXPECT_TRUE(dst.IgnoreBlanks());
    EXPECT_EQ(dst.BlankPos(), blLast);
    EXPECT_FALSE(dst.AutoFormat());
    EXPECT_EQ(dst.Direction(), sdDescending);
    EXPECT_EQ(dst.UpGlyph().Width(), 3);
    EXPECT_EQ(dst.DownGlyph().Width(), 4);
    EXPECT_EQ(dst.IndexUpGlyph().Width(), 5);
    EXPECT_EQ(dst.IndexDownGlyph().Width(), 6);
    EXPECT_EQ(dst.IndexSortKey(), ikCtrl);
    EXPECT_EQ(dst.InitSortDirection(), sdDescending);
    EXPECT_TRUE(dst.FixedCols());
    EXPECT_TRUE(dst.NormalCellsOnly());
    EXPECT_EQ(dst.Row(), 2) << "copied as it stands, without the writer's check";
    EXPECT_TRUE(dst.UndoSort());
    EXPECT_EQ(dst.HeaderColor(), 0x000001u);
    EXPECT_EQ(dst.HeaderColorTo(), 0x000002u);
    EXPECT_EQ(dst.HeaderMirrorColor(), 0x000003u);
    EXPECT_EQ(dst.HeaderMirrorColorTo(), 0x000004u);
    EXPECT_FALSE(dst.IgnoreCase()) << "not copied";
    EXPECT_TRUE(dst.SortOnVirtualCells()) << "not copied";
}

TEST(SortSettings, SchemesWriteTheHeaderColoursTheGridPaints)
{
    TQvStringGrid g;
    g.SetComponentStyle(tsWindowsVista);
    EXPECT_EQ(g.SortSettings().HeaderColor(), 0xFCF9F2u);
    EXPECT_EQ(g.SortSettings().HeaderMirrorColorTo(), 0xF6ECD8u);
    g.SetLook(glStandard);
    EXPECT_EQ(g.SortSettings().HeaderColor(), N);
}

// ---- control look -------------------------------------------------------------------------------

TEST(ControlLook, Defaults)
{
    TQvStringGrid g;
    const TControlLook& c = g.ControlLook();
    EXPECT_EQ(c.Color(), platform::clBlack);
    EXPECT_EQ(c.CommentColor(), platform::clRed);
    EXPECT_EQ(c.ProgressBorderColor(), platform::clGray);
    EXPECT_EQ(c.CheckSize(), 15);
    EXPECT_EQ(c.RadioSize(), 10);
    EXPECT_EQ(c.ControlStyle(), csTheme);
    EXPECT_FALSE(c.FlatButton());
    EXPECT_EQ(c.ProgressMarginX(), 2);
    EXPECT_EQ(c.ProgressMarginY(), 2);
    EXPECT_EQ(c.DropDownCount(), 8);
    EXPECT_EQ(c.HintMaxWidth(), 0);
    const TColor gradients[] = {c.FixedGradientFrom(),
                                c.FixedGradientTo(),
                                c.FixedGradientMirrorFrom(),
                                c.FixedGradientMirrorTo(),
                                c.FixedGradientHoverFrom(),
                                c.FixedGradientHoverTo(),
                                c.FixedGradientHoverMirrorFrom(),
                                c.FixedGradientHoverMirrorTo(),
                                c.FixedGradientHoverBorder(),
                                c.FixedGradientDownFrom(),
                                c.FixedGradientDownTo(),
                                c.FixedGradientDownMirrorFrom(),
                                c.FixedGradientDownMirrorTo(),
                                c.FixedGradientDownBorder()};
    const TColor want[] = {N,
                           N,
                           N,
                           N,
                           platform::clGray,
                           platform::clWhite,
                           N,
                           N,
                           platform::clSilver,
                           platform::clGray,
                           platform::clSilver,
                           N,
                           N,
                           platform::clGray};
    for (size_t i = 0; i < std::size(want); ++i)
        EXPECT_EQ(gradients[i], want[i]) << i;
    EXPECT_EQ(c.DropDownHeader().Font().Name, QStringLiteral("Tahoma"));
    EXPECT_TRUE(c.DropDownFooter().SizeGrip());
}

TEST(ControlLook, AssignCopiesItsListOnlyAndLeavesTheGridsCopies)
{
    TQvStringGrid a, b;
    TControlLook& src = b.ControlLook();
    src.SetCheckSize(20);
    src.SetRadioSize(12);
    src.SetControlStyle(csBorland);
    src.SetCheckedGlyph(TBitmap(QImage(7, 7, QImage::Format_RGB32)));
    src.SetUnCheckedGlyph(TBitmap(QImage(8, 8, QImage::Format_RGB32)));
    src.SetRadioOnGlyph(TBitmap(QImage(9, 9, QImage::Format_RGB32)));
    src.SetRadioOffGlyph(TBitmap(QImage(10, 10, QImage::Format_RGB32)));
    src.SetProgressMarginX(5);
    src.SetProgressMarginY(6);
    src.SetCommentColor(0x000011);
    src.SetColor(0x000012);
    src.SetProgressBorderColor(0x000013);
    src.SetCheckAlwaysActive(true);
    src.SetRadioAlwaysActive(true);
    src.SetFixedGradientFrom(platform::clRed);
    src.SetFixedGradientTo(platform::clBlue);
    src.SetFixedGradientMirrorFrom(0x000021);
    src.SetFixedGradientMirrorTo(0x000022);
    src.SetFixedGradientHoverFrom(0x000023);
    src.SetFixedGradientHoverTo(0x000024);
    src.SetFixedGradientHoverMirrorFrom(0x000025);
    src.SetFixedGradientHoverMirrorTo(0x000026);
    src.SetFixedGradientHoverBorder(0x000027);
    src.SetFixedGradientDownFrom(0x000028);
    src.SetFixedGradientDownTo(0x000029);
    src.SetFixedGradientDownMirrorFrom(0x00002A);
    src.SetFixedGradientDownMirrorTo(0x00002B);
    src.SetFixedGradientDownBorder(0x00002C);
    src.SetDropDownAlwaysVisible(true);
    src.SetSpinButtonsAlwaysVisible(true);
    src.SetDropDownCount(12);
    src.DropDownHeader().SetCaption(QStringLiteral("head"));
    src.DropDownFooter().SetSizeGrip(false);
    src.SetHintMaxWidth(300);
    // Not in the list.
    src.SetFlatButton(true);
    src.SetProgressXP(true);
    src.SetNoDisabledCheckRadioLook(true);
    src.SetNoDisabledButtonLook(true);
    src.SetFixedDropDownButton(true);

    const TColor vlxFrom = a.VLXGradientFrom(), vlxMirror = a.VLXGradientMirrorFrom();
    const TLookGradient hover = a.LookState().Hover;
    TControlLook& dst = a.ControlLook();
    dst.Assign(src);
    EXPECT_EQ(dst.CheckSize(), 20);
    EXPECT_EQ(dst.RadioSize(), 12);
    EXPECT_EQ(dst.ControlStyle(), csBorland);
    EXPECT_EQ(dst.CheckedGlyph().Width(), 7);
    EXPECT_EQ(dst.UnCheckedGlyph().Width(), 8);
    EXPECT_EQ(dst.RadioOnGlyph().Width(), 9);
    EXPECT_EQ(dst.RadioOffGlyph().Width(), 10);
    EXPECT_EQ(dst.ProgressMarginX(), 5);
    EXPECT_EQ(dst.ProgressMarginY(), 6);
    EXPECT_EQ(dst.CommentColor(), 0x000011u);
    EXPECT_EQ(dst.Color(), 0x000012u);
    EXPECT_EQ(dst.ProgressBorderColor(), 0x000013u);
    EXPECT_TRUE(dst.CheckAlwaysActive());
    EXPECT_TRUE(dst.RadioAlwaysActive());
    EXPECT_EQ(dst.FixedGradientFrom(), platform::clRed);
    EXPECT_EQ(dst.FixedGradientTo(), platform::clBlue);
    const TColor got[] = {
        dst.FixedGradientMirrorFrom(),     dst.FixedGradientMirrorTo(),        dst.FixedGradientHoverFrom(),
        dst.FixedGradientHoverTo(),        dst.FixedGradientHoverMirrorFrom(), dst.FixedGradientHoverMirrorTo(),
        dst.FixedGradientHoverBorder(),    dst.FixedGradientDownFrom(),        dst.FixedGradientDownTo(),
        dst.FixedGradientDownMirrorFrom(), dst.FixedGradientDownMirrorTo(),    dst.FixedGradientDownBorder()};
    for (size_t i = 0; i < std::size(got); ++i)
        EXPECT_EQ(got[i], TColor(0x000021 + i)) << i;
    EXPECT_TRUE(dst.DropDownAlwaysVisible());
    EXPECT_TRUE(dst.SpinButtonsAlwaysVisible());
    EXPECT_EQ(dst.DropDownCount(), 12);
    EXPECT_EQ(dst.DropDownHeader().Caption(), QStringLiteral("head"));
    EXPECT_FALSE(dst.DropDownFooter().SizeGrip());
    EXPECT_EQ(dst.HintMaxWidth(), 300);
    EXPECT_FALSE(dst.FlatButton());
    EXPECT_FALSE(dst.ProgressXP());
    EXPECT_FALSE(dst.NoDisabledCheckRadioLook());
    EXPECT_FALSE(dst.NoDisabledButtonLook());
    EXPECT_FALSE(dst.FixedDropDownButton());
    // The grid's copies stay as they were.
    EXPECT_EQ(a.VLXGradientFrom(), vlxFrom);
    EXPECT_EQ(a.VLXGradientMirrorFrom(), vlxMirror);
    EXPECT_EQ(a.LookState().Hover, hover);
}

// Which writes reach the grid's own copy: From, To and Border only when set, mirrors always.
TEST(ControlLook, GradientWritersPassOnToTheGridsCopies)
{
    using Write = void (TControlLook::*)(TColor);
    using Read = TColor (*)(TQvStringGrid&);
    struct Case {
        const char* name;
        Write write;
        Read copy;
        bool passesNone;
    };
    const Case cases[] = {
        {"From", &TControlLook::SetFixedGradientFrom, [](TQvStringGrid& g) { return g.VLXGradientFrom(); }, false},
        {"To", &TControlLook::SetFixedGradientTo, [](TQvStringGrid& g) { return g.VLXGradientTo(); }, false},
        {"MirrorFrom", &TControlLook::SetFixedGradientMirrorFrom,
         [](TQvStringGrid& g) { return g.VLXGradientMirrorFrom(); }, true},
        {"MirrorTo", &TControlLook::SetFixedGradientMirrorTo, [](TQvStringGrid& g) { return g.VLXGradientMirrorTo(); },
         true},
        {"HoverFrom", &TControlLook::SetFixedGradientHoverFrom,
         [](TQvStringGrid& g) { return g.LookState().Hover.From; }, false},
        {"HoverTo", &TControlLook::SetFixedGradientHoverTo, [](TQvStringGrid& g) { return g.LookState().Hover.To; },
         false},
        {"HoverMirrorFrom", &TControlLook::SetFixedGradientHoverMirrorFrom,
         [](TQvStringGrid& g) { return g.LookState().Hover.MirrorFrom; }, true},
        {"HoverMirrorTo", &TControlLook::SetFixedGradientHoverMirrorTo,
         [](TQvStringGrid& g) { return g.LookState().Hover.MirrorTo; }, true},
        {"HoverBorder", &TControlLook::SetFixedGradientHoverBorder,
         [](TQvStringGrid& g) { return g.LookState().Hover.Border; }, false},
        {"DownFrom", &TControlLook::SetFixedGradientDownFrom, [](TQvStringGrid& g) { return g.LookState().Down.From; },
         false},
        {"DownTo", &TControlLook::SetFixedGradientDownTo, [](TQvStringGrid& g) { return g.LookState().Down.To; },
         false},
        {"DownMirrorFrom", &TControlLook::SetFixedGradientDownMirrorFrom,
         [](TQvStringGrid& g) { return g.LookState().Down.MirrorFrom; }, true},
        {"DownMirrorTo", &TControlLook::SetFixedGradientDownMirrorTo,
         [](TQvStringGrid& g) { return g.LookState().Down.MirrorTo; }, true},
        {"DownBorder", &TControlLook::SetFixedGradientDownBorder,
         [](TQvStringGrid& g) { return g.LookState().Down.Border; }, false},
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        (g.ControlLook().*c.write)(0x00ABCDEF);
        EXPECT_EQ(c.copy(g), 0x00ABCDEFu) << c.name;
        (g.ControlLook().*c.write)(N);
        EXPECT_EQ(c.copy(g), c.passesNone ? N : TColor(0x00ABCDEF)) << c.name;
        (g.ControlLook().*c.write)(platform::clBtnFace);
        EXPECT_EQ(c.copy(g), platform::colorToRGB(platform::clBtnFace)) << c.name << ": the copy holds RGB";
    }
}

TEST(ControlLook, OneStoreWithTheColourSchemes)
{
    TQvStringGrid g;
    g.SetComponentStyle(tsOffice2007Luna);
    EXPECT_EQ(g.ControlLook().FixedGradientHoverBorder(), 0xB79F87u) << "the scheme wrote the grid's control look";
    EXPECT_EQ(g.LookState().Hover.Border, 0xB79F87u);
    // A control look value written after the scheme is the one the painter reads.
    g.ControlLook().SetFixedGradientHoverFrom(0x123456);
    EXPECT_EQ(g.LookState().Hover.From, 0x123456u);
    g.ControlLook().SetFixedGradientFrom(0x654321);
    EXPECT_EQ(g.VisualSettings().VLXGradientFrom, 0x654321u);

    TColorTones t;
    t.Background = {0xFAFAFA, 0xDDDDDD, 0x111111};
    t.Foreground = {0x808080, 0xCCCCCC, 0x222222};
    g.SetColorTones(t);
    EXPECT_EQ(g.ControlLook().ControlStyle(), csGlyph) << "the own colour set's check look reaches the painter";
    EXPECT_FALSE(g.ControlLook().CheckedGlyph().Empty());
    EXPECT_TRUE(g.ControlLook().FlatButton());
}

TEST(ControlLook, DropDownLooksAreAssigned)
{
    TQvStringGrid g;
    THeaderAppearance h;
    h.SetCaption(QStringLiteral("<b>Pick</b>"));
    h.GetButtons().Add().SetCaption(QStringLiteral("OK"));
    g.ControlLook().SetDropDownHeader(h);
    h.SetCaption(QStringLiteral("changed"));
    EXPECT_EQ(g.ControlLook().DropDownHeader().Caption(), QStringLiteral("<b>Pick</b>")) << "a copy, not the object";
    EXPECT_EQ(g.ControlLook().DropDownHeader().GetButtons().Count(), 1);
    TFooterAppearance f;
    f.SetSizeGrip(false);
    g.ControlLook().SetDropDownFooter(f);
    EXPECT_FALSE(g.ControlLook().DropDownFooter().SizeGrip());
}

} // namespace
