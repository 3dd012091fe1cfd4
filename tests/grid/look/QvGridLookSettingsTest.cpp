// Look and behaviour setting writers: limits, the settings that do more than store, and the
// spreadsheet switch that must not turn editing on when switched off.

#include "grid/QvGrid.h"
#include "grid/look/GridLooks.h"

#include <gtest/gtest.h>

#include <QApplication>

using namespace grid;

namespace {

TEST(QvGridLookSettings, MixerFactorIsLimited)
{
    TQvStringGrid g;
    struct Case {
        int written, stored;
    };
    for (const Case c : {Case{150, 100}, Case{150, 100}, Case{-5, 0}, Case{40, 40}}) {
        g.SetSelectionColorMixerFactor(c.written);
        EXPECT_EQ(g.SelectionColorMixerFactor, c.stored) << c.written;
    }
}

TEST(QvGridLookSettings, VerticalAlignmentSetsTheTextFlag)
{
    TQvStringGrid g;
    struct Case {
        TVAlignment v;
        int flag;
    };
    for (const Case c : {Case{vtaBottom, 8}, Case{vtaCenter, 4}, Case{vtaTop, 0}}) {
        g.SetVAlignment(c.v);
        EXPECT_EQ(g.VAlignment, c.v);
        EXPECT_EQ(g.VAlignFlag(), c.flag);
    }
}

TEST(QvGridLookSettings, SpreadSheetOnMakesTheGridEditableOffLeavesItAlone)
{
    TQvStringGrid on;
    ASSERT_FALSE(on.HasOption(goEditing));
    on.SetSpreadSheet(true);
    EXPECT_TRUE(on.HasOption(goEditing));
    EXPECT_TRUE(on.HasOption(goRangeSelect));
    EXPECT_TRUE(on.SelectionRectangle);
    EXPECT_TRUE(on.SelectionResizer);
    EXPECT_TRUE(on.Navigation().AllowSmartClipboard());
    EXPECT_TRUE(on.MouseActions().RangeSelectAndEdit());

    TQvStringGrid off;
    off.SetSpreadSheet(false);
    EXPECT_FALSE(off.SpreadSheet);
    EXPECT_FALSE(off.HasOption(goEditing));
    EXPECT_FALSE(off.MouseActions().RangeSelectAndEdit());
    EXPECT_FALSE(off.SelectionRectangle);
}

TEST(QvGridLookSettings, AutoSizeWhileLoadingSizesNothing)
{
    TQvStringGrid g;
    g.SetCells(1, 1, QString(40, QLatin1Char('W')));
    const int before = g.ColWidths(1);
    g.SetLoading(true);
    g.SetAutoSize(true);
    EXPECT_EQ(g.ColWidths(1), before);
    g.SetLoading(false);
    g.SetAutoSize(false);
    EXPECT_EQ(g.ColWidths(1), before);
    g.SetAutoSize(true);
    EXPECT_GT(g.ColWidths(1), before);
}

TEST(QvGridLookSettings, ShowSelectionIsKeptInBothFlags)
{
    TQvStringGrid g;
    g.SetShowSelection(false);
    EXPECT_FALSE(g.ShowSelection);
    EXPECT_FALSE(g.FShowSel);
    g.SetShowSelection(true);
    EXPECT_TRUE(g.FShowSel);
}

TEST(QvGridLookSettings, MaxEditLengthReachesAnExistingEditor)
{
    TQvStringGrid g;
    g.SetMaxEditLength(5);
    EXPECT_EQ(g.MaxEditLength, 5);
    g.SetOptions(g.Options() | goEditing);
    g.resize(400, 300);
    g.show();
    QApplication::processEvents();
    g.ShowEditor();
    if (!g.InplaceEditor())
        GTEST_SKIP() << "no in-place editor on this platform grid";
    g.SetMaxEditLength(7);
    EXPECT_EQ(g.InplaceEditor()->maxLength(), 7);
    g.SetMaxEditLength(0); // no limit, not an editor that takes nothing
    EXPECT_GT(g.InplaceEditor()->maxLength(), 0);
}

TEST(QvGridLookSettings, LooksWriteTheGridColoursThroughTheLookStore)
{
    struct Case {
        TGridLook look;
        TGridSelectionStyle selectionStyle;
        TColor selection;
    };
    const Case cases[] = {
        {glClassic, ssDefault, platform::clHighlight},
        {glXP, ssDefault, 0xEACAB6},
        {glVista, ssVista, kKeep},
        {glOffice2007, ssOffice2007, kKeep},
    };
    for (const Case& c : cases) {
        TQvStringGrid g;
        g.Look = glStandard;
        g.SetLook(c.look);
        EXPECT_EQ(g.Look, c.look);
        EXPECT_EQ(g.SelectionStyle(), c.selectionStyle) << int(c.look);
        EXPECT_EQ(g.LookState().Look, c.look);
        if (c.selection != kKeep) {
            EXPECT_EQ(g.SelectionColor, c.selection) << int(c.look);
        }
        EXPECT_EQ(g.BorderColor, TColor(0xB99D7F));
    }
    // While loading from a stored form the fixed colours are left alone.
    TQvStringGrid loading;
    loading.Look = glStandard;
    loading.SetFixedColor(0x123456);
    loading.SetLoading(true);
    loading.SetLook(glClassic);
    EXPECT_EQ(loading.FixedColor(), TColor(0x123456));
    EXPECT_EQ(loading.Look, glClassic);
}

} // namespace
