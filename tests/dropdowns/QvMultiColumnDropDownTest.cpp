// The multi-column picker driven as a user drives it: completion while typing, the edit's
// Return, Escape and page keys, the popup list with its type-ahead, clicks and cancelling, the
// column and height rules of the popup, the defaults and colour schemes, assigning a picker,
// and a screenshot of the open list.

#include "dropdowns/QvMultiColumnDropDown.h"
#include "support/FakeDesktop.h"
#include "support/PickerWindow.h"
#include "support/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

using namespace dropdowns;
using namespace dropdowns::multicolumn;
using testsupport::FakeDesktop;

namespace {

class Picker : public TQvMultiColumnDropDown {
public:
    using TQvMultiColumnDropDown::AdjustDropDownHeight;
    using TQvMultiColumnDropDown::TQvMultiColumnDropDown;
};

// Records the key presses posted to a widget.
class KeyRecorder : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress)
            keys.push_back(static_cast<QKeyEvent*>(e)->key());
        return false;
    }
    std::vector<int> keys;
};

class MultiColumnDropDown : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = testsupport::makeHostWindow({100, 100, 500, 400});
        dd = new Picker(window.get(), &desktop);
        dd->setGeometry(10, 10, 180, 21);
        dd->DropDownHeader().SetVisible(false);
        dd->DropDownFooter().SetVisible(false);
        other = new QWidget(window.get());
        other->setFocusPolicy(Qt::StrongFocus);
        other->setGeometry(10, 300, 50, 20);
        testsupport::showHostWindow(*window, dd);
    }
    void TearDown() override
    {
        if (dd->DroppedDown())
            dd->HideDropDown(false);
    }
    // Items with their lookup texts in column 0 and a second text in column 1.
    void items(const QStringList& lookup)
    {
        for (int c = 0; c < 2; ++c)
            dd->Columns().Add().SetHeader(QStringLiteral("Col %1").arg(c));
        for (const QString& t : lookup)
            dd->Items().Add().SetText({t, t + QStringLiteral(" info")});
        dd->BeginUpdate();
        dd->EndUpdate();
    }
    void numbered(int n)
    {
        QStringList l;
        for (int i = 0; i < n; ++i)
            l << QStringLiteral("Item %1").arg(i, 2, 10, QLatin1Char('0'));
        items(l);
    }
    void type(const QString& keys, QWidget* w = nullptr) { QTest::keyClicks(w ? w : dd, keys); }
    void key(Qt::Key k, QWidget* w = nullptr) { QTest::keyClick(w ? w : dd, k); }
    TQvColGrid& grid() { return *dd->QvColGrid(); }

    FakeDesktop desktop;
    std::unique_ptr<QWidget> window;
    Picker* dd = nullptr;
    QWidget* other = nullptr;
    const QStringList mixed{QStringLiteral("Alpha"), QStringLiteral("beta"), QStringLiteral("Beta2")};
};

} // namespace

// ---- completion while typing -----------------------------------------------------------------

TEST_F(MultiColumnDropDown, TypingCompletesAndTheKeyUpSelectsTheItem)
{
    items(mixed);
    QTest::keyPress(dd, Qt::Key_B);
    EXPECT_EQ(dd->Text(), QStringLiteral("beta"));
    EXPECT_EQ(dd->selectedText(), QStringLiteral("eta"));
    EXPECT_EQ(dd->cursorPosition(), 1);
    EXPECT_EQ(dd->ItemIndex(), 1);
    QTest::keyRelease(dd, Qt::Key_B);
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->Text(), QStringLiteral("beta"));
    EXPECT_EQ(dd->selectedText(), QStringLiteral("eta"));
}

TEST_F(MultiColumnDropDown, CompletionIgnoresCaseUnlessMatchCase)
{
    items(mixed);
    struct Case {
        bool matchCase;
        char typed;
        QString text;
        int index;
    };
    // After the key-up the text is the item's stored lookup text.
    const Case cases[] = {
        {false, 'B', QStringLiteral("beta"), 1},
        {true, 'B', QStringLiteral("Beta2"), 2},
        {true, 'b', QStringLiteral("beta"), 1},
        {false, 'b', QStringLiteral("beta"), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.matchCase << " " << c.typed);
        dd->SetItemIndex(-1);
        dd->SetMatchCase(c.matchCase);
        QTest::keyClick(dd, c.typed);
        EXPECT_EQ(dd->Text(), c.text);
        EXPECT_EQ(dd->ItemIndex(), c.index);
    }
}

TEST_F(MultiColumnDropDown, TypingMidTextWithoutAMatchDropsTheTextAfterTheCaret)
{
    items(mixed);
    dd->SetItemIndex(0);
    dd->setCursorPosition(2);
    type(QStringLiteral("x"));
    EXPECT_EQ(dd->Text(), QStringLiteral("Alx"));
    EXPECT_EQ(dd->cursorPosition(), 3);
}

TEST_F(MultiColumnDropDown, BackspaceSwitchesCompletionOffUntilTheNextLetter)
{
    items(mixed);
    type(QStringLiteral("b"));
    key(Qt::Key_Backspace);
    EXPECT_EQ(dd->Text(), QStringLiteral("b"));
    type(QStringLiteral("e"));
    EXPECT_EQ(dd->Text(), QStringLiteral("beta"));
}

TEST_F(MultiColumnDropDown, GetItemIndexIsExactAndCaseSensitive)
{
    items(mixed);
    EXPECT_EQ(dd->GetItemIndex(QStringLiteral("beta")), 1);
    EXPECT_EQ(dd->GetItemIndex(QStringLiteral("Beta2")), 2);
    EXPECT_EQ(dd->GetItemIndex(QStringLiteral("Beta")), -1);
    EXPECT_EQ(dd->GetItemIndex(QStringLiteral("bet")), -1);
    // An item without a line at the lookup column is skipped by the column search.
    dd->Items().Add().SetText({});
    EXPECT_EQ(dd->Items().IndexInColumn(0, QString()), -1);
    EXPECT_EQ(dd->Items().IndexInColumn(1, QStringLiteral("beta info")), 1);
}

// ---- keys of the edit ------------------------------------------------------------------------

TEST_F(MultiColumnDropDown, ReturnLooksUpIgnoringCaseAndStoresTheStoredLine)
{
    items(mixed);
    dd->SetText(QStringLiteral("ALPHA"));
    dd->SendKeyDown(Qt::Key_Return, {});
    EXPECT_EQ(dd->ItemIndex(), 0);
    EXPECT_EQ(dd->Text(), QStringLiteral("Alpha"));
}

TEST_F(MultiColumnDropDown, EscapeOnATextThatIsNoItemClearsIt)
{
    items(mixed);
    dd->SetItemIndex(1);
    dd->SetText(QStringLiteral("zzz"));
    dd->SendKeyDown(Qt::Key_Escape, {});
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(dd->Text(), QString());
}

TEST_F(MultiColumnDropDown, PageKeysMoveTenItemsWithinTheList)
{
    numbered(12);
    struct Case {
        int from;
        Qt::Key key;
        int to;
    };
    const Case cases[] = {
        {5, Qt::Key_PageDown, 11}, {-1, Qt::Key_PageDown, 0}, {5, Qt::Key_PageUp, 0}, {-1, Qt::Key_PageUp, 0},
        {0, Qt::Key_Up, 0},        {11, Qt::Key_Down, 11},    {-1, Qt::Key_Down, 0},  {4, Qt::Key_Down, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " " << c.key);
        dd->SetItemIndex(c.from);
        key(c.key);
        EXPECT_EQ(dd->ItemIndex(), c.to);
        EXPECT_FALSE(dd->DroppedDown());
    }
}

TEST_F(MultiColumnDropDown, HomeAndEndSelectOnlyWithTypingOff)
{
    numbered(12);
    dd->SetItemIndex(5);
    key(Qt::Key_Home);
    key(Qt::Key_End);
    EXPECT_EQ(dd->ItemIndex(), 5);
    dd->SetEditorEnabled(false);
    key(Qt::Key_Home);
    EXPECT_EQ(dd->ItemIndex(), 0);
    key(Qt::Key_End);
    EXPECT_EQ(dd->ItemIndex(), 11);
}

TEST_F(MultiColumnDropDown, ReturnIsTabPostsATabAndSwallowsTheReturn)
{
    items(mixed);
    KeyRecorder recorder;
    dd->installEventFilter(&recorder);
    int returns = 0;
    dd->OnKeyPress = [&](QObject*, QChar& k) { returns += k == QLatin1Char('\r'); };
    key(Qt::Key_Return);
    EXPECT_EQ(returns, 1);
    dd->SetReturnIsTab(true);
    EXPECT_FALSE(static_cast<TQvCustomDropDown*>(dd)->ReturnIsTab());
    recorder.keys.clear();
    key(Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(returns, 1);
    ASSERT_EQ(recorder.keys.size(), 2u);
    EXPECT_EQ(recorder.keys[1], Qt::Key_Tab);
    dd->removeEventFilter(&recorder);
}

// ---- the popup list --------------------------------------------------------------------------

TEST_F(MultiColumnDropDown, OpeningFillsTheGridFromTheItemsWithoutCopyingTexts)
{
    items(mixed);
    dd->SetItemIndex(2);
    dd->ShowDropDown();
    ASSERT_TRUE(dd->DroppedDown());
    EXPECT_EQ(grid().ColCount(), 2);
    EXPECT_EQ(grid().RowCount(), 4);
    EXPECT_EQ(grid().FixedRows(), 1);
    EXPECT_EQ(grid().Row(), 3);
    EXPECT_EQ(grid().RowHeights(0), 25);
    EXPECT_EQ(grid().RowHeights(1), 22);
    EXPECT_EQ(grid().Cells(0, 1), QString());
}

TEST_F(MultiColumnDropDown, RowChangesInTheOpenListWriteTheItemIndexAndClosingKeepsThem)
{
    items(mixed);
    dd->ShowDropDown();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dd->DropDownForm()));
    key(Qt::Key_Down, &grid());
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->Text(), QStringLiteral("beta"));
    int selects = 0;
    dd->OnSelect = [&](QObject*) { ++selects; };
    key(Qt::Key_Return, &grid());
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(selects, 1);
}

TEST_F(MultiColumnDropDown, AClickOnARowChoosesIt)
{
    items(mixed);
    dd->ShowDropDown();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dd->DropDownForm()));
    const grid::TRect r = grid().CellRect(1, 3);
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, r.toQRect().center());
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(dd->Text(), QStringLiteral("Beta2"));
}

TEST_F(MultiColumnDropDown, TypeAheadInTheListIgnoresCaseUnlessCaseSensitive)
{
    items(mixed);
    struct Case {
        bool caseSensitive;
        char typed;
        int index;
    };
    const Case cases[] = {
        {false, 'B', 1},
        {true, 'B', 2},
        {true, 'b', 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.caseSensitive << " " << c.typed);
        dd->SetCaseSensitive(c.caseSensitive);
        dd->SetItemIndex(0);
        dd->ShowDropDown();
        QTest::keyClick(&grid(), c.typed);
        EXPECT_EQ(dd->ItemIndex(), c.index);
        EXPECT_EQ(grid().Row(), c.index + 1);
        EXPECT_EQ(dd->Text(), mixed[c.index]);
        dd->HideDropDown(false);
    }
}

TEST_F(MultiColumnDropDown, CancellingThePopupRestoresTheIndexItOpenedWith)
{
    items(mixed);
    struct Case {
        int opened;
        QString text;
    };
    for (const Case& c : {Case{0, QStringLiteral("Alpha")}, Case{-1, QString()}}) {
        SCOPED_TRACE(c.opened);
        dd->SetItemIndex(c.opened);
        dd->ShowDropDown();
        key(Qt::Key_Down, &grid());
        key(Qt::Key_Down, &grid());
        EXPECT_GE(dd->ItemIndex(), 1);
        dd->HideDropDown(true);
        EXPECT_EQ(dd->ItemIndex(), c.opened);
        EXPECT_EQ(dd->Text(), c.text);
    }
}

TEST_F(MultiColumnDropDown, FourColumnsOf80In150Become37_37_38_37)
{
    EXPECT_EQ(StretchColumnWidths({80, 80, 80, 80}, 150), (std::vector<int>{37, 37, 38, 37}));
    EXPECT_EQ(StretchColumnWidths({100, 100}, 201), (std::vector<int>{100, 100}));
    EXPECT_EQ(StretchColumnWidths({}, 150), std::vector<int>{});
    EXPECT_EQ(StretchColumnWidths({0}, 150), std::vector<int>{0});

    for (int c = 0; c < 4; ++c)
        dd->Columns().Add();
    dd->Items().Add().SetText({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")});
    dd->SetDropDownAutoWidth(false);
    dd->SetDropDownWidth(150);
    dd->ShowDropDown();
    ASSERT_EQ(dd->DropDownForm()->width(), 150);
    EXPECT_EQ(grid().ColWidths(0), 37);
    EXPECT_EQ(grid().ColWidths(1), 37);
    EXPECT_EQ(grid().ColWidths(2), 38);
    EXPECT_EQ(grid().ColWidths(3), 37);
}

TEST_F(MultiColumnDropDown, ThePopupShowsWholeRows)
{
    struct Case {
        bool header, footer;
        int rowHeight;
        int height;
        int expected;
    };
    // Bars 22 each, header row 25, 2 pixels of border.
    const Case cases[] = {
        {false, false, 22, 200, 27 + 7 * 22},
        {true, false, 22, 200, 22 + 27 + 6 * 22},
        {true, true, 22, 200, 44 + 27 + 5 * 22},
        {false, false, 22, 27, 27},
        {false, false, 0, 100, 100},
        {false, false, -5, 60, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.header << c.footer << " " << c.rowHeight << " " << c.height);
        dd->DropDownHeader().SetVisible(c.header);
        dd->DropDownHeader().SetHeight(22);
        dd->DropDownFooter().SetVisible(c.footer);
        dd->DropDownFooter().SetHeight(22);
        dd->SetDropDownRowHeight(c.rowHeight);
        int h = c.height;
        dd->AdjustDropDownHeight(h);
        EXPECT_EQ(h, c.expected);
    }
}

TEST_F(MultiColumnDropDown, WithoutItemsTheGridHasOneRowAndNoHeader)
{
    dd->Columns().Add().SetAutoSize(true);
    dd->Columns().Items(0).SetHeader(QStringLiteral("Name"));
    dd->SetColumnSizeWithDropDown(false);
    dd->ShowDropDown();
    ASSERT_TRUE(dd->DroppedDown());
    EXPECT_EQ(grid().RowCount(), 1);
    EXPECT_EQ(grid().FixedRows(), 0);
    EXPECT_EQ(grid().Columns().Items(0).Width(), 0);
    EXPECT_EQ(grid().ColWidths(0), 0);
}

TEST_F(MultiColumnDropDown, AutoSizeMeasuresTheWidestItemText)
{
    items({QStringLiteral("a"), QStringLiteral("a much longer text")});
    dd->Columns().Items(0).SetAutoSize(true);
    dd->SetColumnSizeWithDropDown(false);
    dd->ShowDropDown();
    QImage scratch(1, 1, QImage::Format_RGB32);
    const QFontMetrics fm(grid::toQFont(dd->Columns().Items(0).Font()), &scratch);
    EXPECT_EQ(grid().ColWidths(0), fm.horizontalAdvance(QStringLiteral("a much longer text")) + 6);
    // The popup follows the columns' widths.
    EXPECT_GE(dd->DropDownForm()->width(), grid().ColWidths(0) + 80);
}

TEST_F(MultiColumnDropDown, WrappingColumnsMakeRowsAtLeast24High)
{
    items({QStringLiteral("short"), QStringLiteral("a text long enough to wrap over several lines")});
    dd->Columns().Items(1).SetWordwrap(true);
    dd->ShowDropDown();
    EXPECT_EQ(grid().RowHeights(1), 24);
    EXPECT_GT(grid().RowHeights(2), 24);
}

// ---- defaults, schemes, assigning ------------------------------------------------------------

TEST_F(MultiColumnDropDown, Defaults)
{
    EXPECT_EQ(dd->DropDownHeight(), 200);
    EXPECT_EQ(dd->HeaderHeight(), 25);
    EXPECT_EQ(dd->LineColor(), 0xF1EDEBu);
    EXPECT_EQ(dd->FixedLineColor(), 0xD1BBA4u);
    EXPECT_EQ(dd->HeaderFont().Color, 0x723708u);
    EXPECT_EQ(dd->HeaderColor(), platform::clWhite);
    EXPECT_EQ(dd->HeaderColorTo(), platform::clGray);
    EXPECT_EQ(dd->DropDownColor(), platform::clWhite);
    EXPECT_EQ(dd->DropDownRowHeight(), 22);
    EXPECT_EQ(dd->SelectionTextColor(), platform::clBlack);
    EXPECT_EQ(dd->LookupColumn(), 0);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_TRUE(dd->MatchStart());
    EXPECT_FALSE(dd->MatchCase());
    EXPECT_TRUE(dd->DropDownAutoWidth());
    EXPECT_TRUE(dd->ColumnSizeWithDropDown());
    EXPECT_TRUE(dd->AutoSelect());
    EXPECT_EQ(dd->SelectionColorStyle(), scOffice2007);
    const TDropDownColumn column;
    EXPECT_EQ(column.Width(), 80);
    EXPECT_EQ(column.Color(), platform::clWhite);
    EXPECT_EQ(column.Alignment(), grid::taLeftJustify);
    EXPECT_EQ(column.ColumnType(), ctText);
    EXPECT_EQ(TDropDownItem().ImageIndex(), -1);
}

TEST_F(MultiColumnDropDown, EveryColourSchemeRow)
{
    using namespace platform;
    constexpr TColor keep = 0x2FFFFFFF;
    struct Row {
        grid::TVLXStyle style;
        TColor header, headerTo, font;
        TSelectionColorStyle sel;
        TColor selText, line, fixedLine, selection;
    };
    const Row rows[] = {
        {grid::tsOffice2003Blue, 0xD68759, 0x933803, 0xFFFFFF, scOffice2007, clBlack, 0x962D00, 0x962D00, keep},
        {grid::tsOffice2003Silver, 0xBDA4A5, 0x957475, keep, scOffice2007, clBlack, 0x947C7C, 0x947C7C, keep},
        {grid::tsOffice2003Olive, 0x82C0AF, 0x447A63, keep, scOffice2007, clBlack, 0x588060, 0x588060, keep},
        {grid::tsOffice2003Classic, 0x808080, 0x808080, keep, scOffice2007, clBlack, 0x808080, 0x808080, keep},
        {grid::tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, 0x723708, scOffice2007, clBlack, 0xFFD2AF, 0xFFD2AF, keep},
        {grid::tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, 0x433C37, scOffice2007, clBlack, 0x5C534C, 0x5C534C, keep},
        {grid::tsWindowsXP, clBtnFace, clBtnFace, clBlack, scCustom, clHighlightText, 0xC0C0C0, clBlack, clHighlight},
        {grid::tsWhidbey, 0xEBEEEF, 0x7E9898, 0xFFFFFF, scOffice2007, clBlack, 0x962D00, 0x962D00, keep},
        {grid::tsOffice2007Silver, 0xF8F7F6, 0xE8E0DB, 0x8B4215, scOffice2007, clBlack, 0x74706F, 0x74706F, keep},
        {grid::tsWindowsVista, 0xFFFDF9, 0xFFFAF0, clBlack, scWindowsVista, clBlack, 0xFCF2DA, 0xFCF2DA, keep},
        {grid::tsWindows7, 0xFDFBFA, 0xFDF3EB, clBlack, scWindows7, clBlack, 0xFBD6B8, 0xFBD6B8, keep},
        {grid::tsTerminal, clBtnFace, clBtnFace, clBlack, scCustom, clHighlightText, 0x808080, 0x808080, clHighlight},
        {grid::tsOffice2010Blue, 0xEDDBCD, clNone, 0x5B391E, scCustom, clBlack, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF},
        {grid::tsOffice2010Silver, 0xEDE9E5, clNone, 0x5B391E, scCustom, clBlack, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF},
        {grid::tsOffice2010Black, 0x828282, clNone, 0xD7D7D6, scCustom, clBlack, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(int(r.style));
        Picker p(window.get(), &desktop);
        TFont font = p.HeaderFont();
        font.Color = 0x123456;
        p.SetHeaderFont(font);
        p.SetSelectionColor(0x111111);
        p.SetSelectionColorTo(0x222222);
        p.SetSelectionColorStyle(scCustom);
        p.SetComponentStyle(r.style);
        EXPECT_EQ(p.HeaderColor(), r.header);
        EXPECT_EQ(p.HeaderColorTo(), r.headerTo);
        EXPECT_EQ(p.HeaderFont().Color, r.font == keep ? 0x123456u : r.font);
        EXPECT_EQ(p.SelectionColorStyle(), r.sel);
        EXPECT_EQ(p.SelectionTextColor(), r.selText);
        EXPECT_EQ(p.LineColor(), r.line);
        EXPECT_EQ(p.FixedLineColor(), r.fixedLine);
        if (r.selection != keep) {
            EXPECT_EQ(p.SelectionColor(), r.selection);
            EXPECT_EQ(p.SelectionColorTo(), r.selection);
        }
    }
    // The custom scheme changes nothing here.
    const TColor header = dd->HeaderColor(), line = dd->LineColor();
    dd->SetComponentStyle(grid::tsCustom);
    EXPECT_EQ(dd->HeaderColor(), header);
    EXPECT_EQ(dd->LineColor(), line);
}

TEST_F(MultiColumnDropDown, SelectionStylesSetTheLineColours)
{
    dd->SetSelectionColorStyle(scWindows7);
    EXPECT_EQ(dd->LineColor(), 0xECECF0u);
    EXPECT_EQ(dd->FixedLineColor(), 0xD4D2D1u);
    dd->SetSelectionColorStyle(scCustom);
    EXPECT_EQ(dd->LineColor(), 0xECECF0u);
    dd->SetSelectionColorStyle(scOffice2007);
    EXPECT_EQ(dd->LineColor(), 0xF1EDEBu);
}

TEST_F(MultiColumnDropDown, AssignKeepsTheItemTextsAndTheHeaderFont)
{
    items(mixed);
    dd->Items().Items(1).SetImageIndex(4);
    TFont font = dd->HeaderFont();
    font.Color = 0x0000FF;
    font.Size = 11;
    dd->SetHeaderFont(font);
    dd->SetItemIndex(2);
    dd->SetLookupColumn(1);
    dd->SetHeaderHeight(30);
    Picker copy(window.get(), &desktop);
    copy.Assign(dd);
    ASSERT_EQ(copy.Items().Count(), 3);
    EXPECT_EQ(copy.Items().Items(1).Text(), (QStringList{QStringLiteral("beta"), QStringLiteral("beta info")}));
    EXPECT_EQ(copy.Items().Items(1).ImageIndex(), 4);
    EXPECT_EQ(copy.Columns().Count(), 2);
    EXPECT_EQ(copy.HeaderFont(), font);
    EXPECT_EQ(copy.ItemIndex(), 2);
    EXPECT_EQ(copy.LookupColumn(), 1);
    EXPECT_EQ(copy.HeaderHeight(), 30);
    // The text is not taken over.
    EXPECT_EQ(copy.Text(), QString());
}

// ---- screenshot ------------------------------------------------------------------------------

TEST_F(MultiColumnDropDown, ScreenshotOfTheOpenList)
{
    items(mixed);
    dd->SetHeaderColor(0xFFFFFF);
    dd->SetHeaderColorTo(0x800000);
    dd->SetSelectionColorStyle(scCustom);
    dd->SetSelectionColor(0x00C000);
    dd->SetSelectionColorTo(0x00C000);
    dd->SetSelectionTextColor(platform::clWhite);
    dd->SetItemIndex(1);
    dd->ShowDropDown();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dd->DropDownForm()));
    QCoreApplication::processEvents();
    const QImage form = dd->DropDownForm()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_TRUE(testsupport::saveScreenshot(form, QStringLiteral("dropdowns/MultiColumnDropDown_open.png")));
    const QImage img = grid().viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto at = [&](int x, int y) { return platform::fromQColor(QColor(img.pixel(x, y))); };
    // The first and last bands of the gradient come within a few steps of its end colours.
    const auto near = [](TColor a, TColor b) {
        const int d = 16;
        return std::abs(int(a & 0xFF) - int(b & 0xFF)) <= d
               && std::abs(int((a >> 8) & 0xFF) - int((b >> 8) & 0xFF)) <= d
               && std::abs(int((a >> 16) & 0xFF) - int((b >> 16) & 0xFF)) <= d;
    };
    // The header: the gradient from its top colour to its bottom colour, its bottom line.
    const grid::TRect header = grid().CellBounds(0, 0);
    EXPECT_TRUE(near(at(10, header.Top), 0xFFFFFF)) << std::hex << at(10, header.Top);
    EXPECT_NE(at(10, header.Top), at(10, header.Bottom - 2));
    EXPECT_TRUE(near(at(10, header.Bottom - 2), 0x800000)) << std::hex << at(10, header.Bottom - 2);
    EXPECT_EQ(at(10, header.Bottom - 1), dd->FixedLineColor());
    // An item row: its colour, its bottom line.
    const grid::TRect first = grid().CellBounds(0, 1);
    EXPECT_EQ(at(first.Right - 5, first.Top + 3), platform::clWhite);
    EXPECT_EQ(at(first.Right - 5, first.Bottom - 1), dd->LineColor());
    // The selected row in the selection colour, its text in the selection text colour.
    const grid::TRect selected = grid().CellBounds(1, 2);
    EXPECT_EQ(at(selected.Right - 5, selected.Top + 3), 0x00C000u);
    // Light text on the green selection: pixels with a red part.
    int light = 0;
    for (int x = selected.Left; x < selected.Right; ++x)
        for (int y = selected.Top; y < selected.Bottom - 1; ++y)
            light += (at(x, y) & 0xFF) > 0x80;
    EXPECT_GT(light, 20);
}
