#include "grid/BaseGrid.h"

#include <gtest/gtest.h>

using namespace grid;

TEST(CellGraphic, NewGraphicIsEmpty)
{
    TCellGraphic g;
    EXPECT_EQ(g.FCellType, ctNone);
    EXPECT_FALSE(g.FCellCreated);
    EXPECT_EQ(g.FCellBitmap, nullptr);
    EXPECT_EQ(g.FCellIndex, 0);
    EXPECT_EQ(g.ClassName(), "TCellGraphic");
}

TEST(CellGraphic, AngleIsBroughtIntoZeroTo360)
{
    const std::pair<short, int> cases[] = {{-30, 330}, {720, 360}, {360, 360}, {-360, 0}, {45, 45}, {0, 0}, {-720, 0}};
    for (auto [given, expected] : cases) {
        TCellGraphic g;
        g.SetAngle(given);
        EXPECT_EQ(g.FCellType, ctRotated);
        EXPECT_EQ(g.FCellAngle, expected) << given;
    }
}

TEST(CellGraphic, ButtonKeepsHeightAndWidthInOneNumber)
{
    TCellGraphic g;
    g.SetButton(80, 24, "Go", haCenter, vaCenter);
    EXPECT_EQ(g.FCellType, ctButton);
    EXPECT_EQ(g.FCellIndex, (24 << 16) | 80);
    EXPECT_EQ(g.FCellText, "Go");
    EXPECT_FALSE(g.FCellBoolean);
}

TEST(CellGraphic, PictureSizeByStretchMode)
{
    struct Case {
        int w, h;
        TStretchMode mode;
        TPoint expected;
    };
    // Cell 110 x 110 with padding 10 leaves 100 x 100.
    const Case cases[] = {
        {200, 100, StretchWithAspectRatio, {100, 50}},
        {200, 100, Shrink, {100, 100}},
        {200, 100, ShrinkWithAspectRatio, {100, 50}},
        {200, 100, noStretch, {200, 100}},
        {200, 100, Stretch, {100, 100}},
        {50, 40, ShrinkWithAspectRatio, {50, 40}},
        {50, 40, StretchWithAspectRatio, {100, 80}},
        {50, 40, Shrink, {50, 40}},
    };
    for (const Case& c : cases) {
        TCellGraphic g;
        auto* pic = new TPicture(QImage(c.w, c.h, QImage::Format_RGB32));
        g.SetPicture(pic, false, c.mode, 10, haLeft, vaTop);
        g.FCellCreated = true; // the graphic owns the picture
        EXPECT_EQ(g.GetPictureSize(110, 110, false), c.expected) << c.w << "x" << c.h << " mode " << c.mode;
    }
}

TEST(CellGraphic, AssignCopiesTheObjectWithItsOwnership)
{
    // Owned picture: the copy gets a picture of its own, so each frees only its own.
    auto source = std::make_unique<TCellGraphic>();
    source->SetPicture(new TPicture(QImage(30, 20, QImage::Format_RGB32)), true, Shrink, 2, haRight, vaBottom);
    source->FCellCreated = true;
    source->FCellVar = 5;
    auto target = std::make_unique<TCellGraphic>();
    target->FCellCheckBoxState = cbGrayed;
    target->Assign(*source);
    EXPECT_EQ(target->FCellType, ctPicture);
    EXPECT_TRUE(target->FCellCreated);
    ASSERT_NE(target->FCellBitmap, nullptr);
    EXPECT_NE(target->FCellBitmap, source->FCellBitmap);
    EXPECT_EQ(target->GetPictureSize(100, 100, false), (TPoint{30, 20}));
    EXPECT_EQ(target->FCellCheckBoxState, cbGrayed); // not copied
    EXPECT_FALSE(target->FCellVar.isValid());        // not copied
    source.reset();                                  // frees the source's picture only
    EXPECT_EQ(target->GetPictureSize(100, 100, false), (TPoint{30, 20}));

    // A referenced object stays referenced.
    TBitmap shared(QImage(4, 4, QImage::Format_RGB32));
    TCellGraphic ref, copy;
    ref.SetBitmap(&shared, false, haLeft, vaTop);
    copy.Assign(ref);
    EXPECT_EQ(copy.FCellBitmap, &shared);
    EXPECT_FALSE(copy.OwnsBitmap());
}

TEST(CellGraphic, OwnershipRulesByKind)
{
    struct Case {
        TCellType type;
        bool created;
        int angle;
        bool owns;
    };
    const Case cases[] = {
        {ctBitmap, true, 0, true},     {ctBitmap, false, 0, false},  {ctImages, false, 0, true},
        {ctBalloon, false, 0, true},   {ctCheckBox, false, 1, true}, {ctCheckBox, true, 0, false},
        {ctInterface, true, 0, false}, {ctProgress, true, 0, false},
    };
    for (const Case& c : cases) {
        TCellGraphic g;
        TStringList list;
        g.FCellType = c.type;
        g.FCellCreated = c.created;
        g.FCellAngle = c.angle;
        g.FCellBitmap = &list;
        EXPECT_EQ(g.OwnsBitmap(), c.owns) << c.type;
        g.FCellBitmap = nullptr; // the list lives on the stack here
    }
}
