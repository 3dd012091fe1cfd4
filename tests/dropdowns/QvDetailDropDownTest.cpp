// The detail list picker driven as a user drives it: typing with completion, Backspace, Enter
// and Escape, the arrow keys open and closed, the list in the popup with its search, cancelling
// the popup, the popup's size, and the item painter (picture, caption, notes) in a screenshot.

#include "dropdowns/QvDetailDropDown.h"
#include "grid/QvObj.h"
#include "support/FakeDesktop.h"
#include "support/PickerWindow.h"
#include "support/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace dropdowns;
using testsupport::FakeDesktop;

namespace {

class Picker : public TQvDetailDropDown {
public:
    using TQvDetailDropDown::CloseDropDown;
    using TQvDetailDropDown::OpenDropDown;
    using TQvDetailDropDown::TQvDetailDropDown;
};

class DetailDropDown : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = testsupport::makeHostWindow({100, 100, 400, 300});
        dd = new Picker(window.get(), &desktop);
        dd->setGeometry(10, 10, 180, 21);
        dd->DropDownFooter().SetVisible(false);
        for (const char* caption : {"Alpha", "Beta", "Bravo"})
            dd->Items().Add().SetCaption(QString::fromLatin1(caption));
        dd->OnSelect = [this](QObject*) { ++selects; };
        testsupport::showHostWindow(*window, dd);
    }
    void TearDown() override
    {
        if (dd->DroppedDown())
            dd->HideDropDown(false);
    }
    void type(const QString& keys) { QTest::keyClicks(dd, keys); }
    void key(Qt::Key k) { QTest::keyClick(dd, k); }

    FakeDesktop desktop;
    std::unique_ptr<QWidget> window;
    Picker* dd = nullptr;
    int selects = 0;
};

} // namespace

// ---- completion while typing -----------------------------------------------------------------

TEST_F(DetailDropDown, TypingCompletesFromTheCaptionsKeepingTheTypedCase)
{
    type(QStringLiteral("b"));
    EXPECT_EQ(dd->Text(), QStringLiteral("beta"));
    EXPECT_EQ(dd->selectedText(), QStringLiteral("eta"));
    EXPECT_EQ(dd->cursorPosition(), 1);
    type(QStringLiteral("r"));
    EXPECT_EQ(dd->Text(), QStringLiteral("bravo"));
    EXPECT_EQ(dd->selectedText(), QStringLiteral("avo"));
    EXPECT_EQ(dd->ItemIndex(), 2);
    // Completing reports no choice.
    EXPECT_EQ(selects, 0);
}

TEST_F(DetailDropDown, APrefixNoCaptionStartsWithKeepsJustTheTypedPart)
{
    type(QStringLiteral("bz"));
    EXPECT_EQ(dd->Text(), QStringLiteral("bz"));
    EXPECT_FALSE(dd->hasSelectedText());
    type(QStringLiteral("x"));
    EXPECT_EQ(dd->Text(), QStringLiteral("bzx"));
}

TEST_F(DetailDropDown, BackspaceRemovesTheCompletionAndTheNextLetterCompletesAgain)
{
    type(QStringLiteral("b"));
    key(Qt::Key_Backspace);
    EXPECT_EQ(dd->Text(), QStringLiteral("b"));
    type(QStringLiteral("r"));
    EXPECT_EQ(dd->Text(), QStringLiteral("bravo"));
    EXPECT_EQ(dd->selectedText(), QStringLiteral("avo"));
}

TEST_F(DetailDropDown, EnterSelectsACaptionOfTheSameCaseOnly)
{
    struct Case {
        QString text;
        int index;
        int selects;
    };
    for (const Case& c : {Case{QStringLiteral("Beta"), 1, 1}, Case{QStringLiteral("beta"), -1, 0}}) {
        SCOPED_TRACE(c.text.toStdString());
        dd->SetItemIndex(-1);
        selects = 0;
        // Escape switches completion off, so the text stays as written.
        dd->SendKeyDown(Qt::Key_Escape, {});
        dd->SetText(c.text);
        dd->SendKeyDown(Qt::Key_Return, {});
        EXPECT_EQ(dd->ItemIndex(), c.index);
        EXPECT_EQ(selects, c.selects);
        EXPECT_EQ(dd->Text(), c.text);
    }
}

TEST_F(DetailDropDown, ItemIndexIgnoresIndexesOutsideTheItemsAndMinusOneEmptiesTheEdit)
{
    dd->SetItemIndex(1);
    EXPECT_EQ(dd->Text(), QStringLiteral("Beta"));
    EXPECT_EQ(dd->selectedText(), QStringLiteral("Beta"));
    EXPECT_EQ(selects, 1);
    for (int ignored : {3, -2, 1}) {
        dd->SetItemIndex(ignored);
        EXPECT_EQ(dd->ItemIndex(), 1);
        EXPECT_EQ(dd->Text(), QStringLiteral("Beta"));
    }
    EXPECT_EQ(selects, 1);
    dd->SetItemIndex(-1);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(dd->Text(), QString());
    EXPECT_EQ(selects, 1);
}

// ---- keys of the closed picker ---------------------------------------------------------------

TEST_F(DetailDropDown, ArrowKeysMoveTheSelectionWithoutWrappingAround)
{
    struct Case {
        int from;
        Qt::Key key;
        int to;
    };
    const Case cases[] = {
        {-1, Qt::Key_Up, 0},  {-1, Qt::Key_Down, 0}, {0, Qt::Key_Up, 0},
        {0, Qt::Key_Down, 1}, {2, Qt::Key_Down, 2},  {2, Qt::Key_Up, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " " << c.key);
        dd->SetItemIndex(-1);
        dd->SetItemIndex(c.from);
        key(c.key);
        EXPECT_EQ(dd->ItemIndex(), c.to);
        EXPECT_EQ(dd->Text(), dd->Items().Items(c.to).Caption());
        EXPECT_FALSE(dd->DroppedDown());
    }
}

TEST_F(DetailDropDown, HomeAndEndSelectInTheClosedPickerOnlyWithTypingOff)
{
    dd->SetItemIndex(1);
    key(Qt::Key_End);
    EXPECT_EQ(dd->ItemIndex(), 1);
    dd->SetEditorEnabled(false);
    key(Qt::Key_End);
    EXPECT_EQ(dd->ItemIndex(), 2);
    key(Qt::Key_Home);
    EXPECT_EQ(dd->ItemIndex(), 0);
}

TEST_F(DetailDropDown, TheWheelStepsThroughTheItems)
{
    QWheelEvent down(QPointF(5, 5), dd->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(dd, &down);
    EXPECT_EQ(dd->ItemIndex(), 0);
    QCoreApplication::sendEvent(dd, &down);
    EXPECT_EQ(dd->ItemIndex(), 1);
}

// ---- the list in the popup -------------------------------------------------------------------

TEST_F(DetailDropDown, ThePopupIsAsWideAsTheEditAndItsList100High)
{
    dd->SetItemIndex(2);
    dd->ShowDropDown();
    ASSERT_TRUE(dd->DroppedDown());
    EXPECT_EQ(dd->DropDownForm()->width(), dd->width());
    EXPECT_EQ(dd->ItemSelector()->height(), 100);
    EXPECT_EQ(dd->ItemSelector()->Items().Count(), 3);
    EXPECT_EQ(dd->ItemSelector()->ItemIndex(), 2);
    EXPECT_EQ(dd->ItemSelector()->Items().Items(1).Caption(), QStringLiteral("Beta"));
}

TEST_F(DetailDropDown, KeysMoveTheListSelectionAndKeepThePopupOpen)
{
    dd->ShowDropDown();
    dd->SendKeyDown(Qt::Key_Down, {});
    EXPECT_EQ(dd->ItemIndex(), 0);
    dd->SendKeyDown(Qt::Key_Down, {});
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->Text(), QStringLiteral("Beta"));
    EXPECT_EQ(dd->ItemSelector()->ItemIndex(), 1);
    EXPECT_TRUE(dd->DroppedDown());
    // A typed key searches the list.
    dd->SendKeyDown(Qt::Key_A, {});
    EXPECT_EQ(dd->ItemIndex(), 0);
    EXPECT_EQ(dd->Text(), QStringLiteral("Alpha"));
    EXPECT_TRUE(dd->DroppedDown());
}

TEST_F(DetailDropDown, AClickOnAnItemChoosesItAndClosesThePopup)
{
    dd->ShowDropDown();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dd->DropDownForm()));
    const grid::TRect r = dd->ItemSelector()->Panel()->GetItemRect(2);
    QTest::mouseClick(dd->ItemSelector()->Panel(), Qt::LeftButton, {}, r.toQRect().center());
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(dd->Text(), QStringLiteral("Bravo"));
    EXPECT_EQ(selects, 1);
}

TEST_F(DetailDropDown, CancellingRestoresTheIndexThePopupOpenedWith)
{
    struct Case {
        int opened;
        int restored;
    };
    // Opened without a selection nothing is restored: the moved selection stays.
    for (const Case& c : {Case{0, 0}, Case{-1, 1}}) {
        SCOPED_TRACE(c.opened);
        dd->SetItemIndex(-1);
        dd->SetItemIndex(c.opened);
        dd->ShowDropDown();
        dd->SendKeyDown(Qt::Key_Down, {});
        if (c.opened < 0)
            dd->SendKeyDown(Qt::Key_Down, {});
        EXPECT_EQ(dd->ItemIndex(), 1);
        dd->SendKeyDown(Qt::Key_Escape, {});
        EXPECT_FALSE(dd->DroppedDown());
        EXPECT_EQ(dd->ItemIndex(), c.restored);
        EXPECT_EQ(dd->Text(), dd->Items().Items(c.restored).Caption());
    }
}

TEST_F(DetailDropDown, EscapeInTheClosedPickerBringsBackNoEarlierIndex)
{
    dd->SetItemIndex(0);
    dd->ShowDropDown();
    dd->SendKeyDown(Qt::Key_Down, {});
    dd->SendKeyDown(Qt::Key_Return, {});
    ASSERT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 1);
    dd->SendKeyDown(Qt::Key_Escape, {});
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->Text(), QStringLiteral("Beta"));
}

TEST_F(DetailDropDown, LettersTypedQuicklyAfterAnOpeningCompleteAsEver)
{
    dd->ShowDropDown();
    dd->HideDropDown(false);
    type(QStringLiteral("br"));
    EXPECT_EQ(dd->Text(), QStringLiteral("bravo"));
    EXPECT_EQ(dd->selectedText(), QStringLiteral("avo"));
}

// ---- items -----------------------------------------------------------------------------------

TEST_F(DetailDropDown, ItemsLookUpCaptionsCaseSensitivelyAndReportCaptionChanges)
{
    EXPECT_EQ(dd->Items().IndexOf(QStringLiteral("Beta")), 1);
    EXPECT_EQ(dd->Items().IndexOf(QStringLiteral("beta")), -1);
    int changes = 0;
    dd->Items().OnChange = [&](grid::TObject*) { ++changes; };
    dd->Items().Items(0).SetCaption(QStringLiteral("Alpha"));
    dd->Items().Items(0).SetCaption(QStringLiteral("Gamma"));
    dd->Items().Items(0).SetImageIndex(3);
    dd->Items().Items(0).SetNotes(QStringLiteral("n"));
    EXPECT_EQ(changes, 2);

    TDetailItems copy;
    dd->Items().Items(0).SetTag(7);
    copy.Assign(dd->Items());
    ASSERT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.Items(0).Caption(), QStringLiteral("Gamma"));
    EXPECT_EQ(copy.Items(0).ImageIndex(), 3);
    EXPECT_EQ(copy.Items(0).Notes(), QStringLiteral("n"));
    EXPECT_EQ(copy.Items(0).Tag(), 7);
}

// ---- the item painter ------------------------------------------------------------------------

TEST_F(DetailDropDown, ScreenshotOfTheListWithASelectedItem)
{
    grid::TCustomImageList images(16, 16);
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(QColor(255, 0, 0));
    images.Add(red);
    dd->SetImages(&images);
    dd->SetItemHeight(40);
    dd->Items().Items(0).SetImageIndex(0);
    dd->Items().Items(1).SetCaption(QStringLiteral("&Beta"));
    dd->Items().Items(1).SetNotes(QStringLiteral("<B>second</B> item"));
    // A picture without alpha shows through where it has its bottom-left pixel's colour.
    QImage picture(12, 12, QImage::Format_RGB32);
    picture.fill(QColor(255, 255, 255));
    picture.setPixel(6, 6, qRgb(0, 0, 255));
    dd->Items().Items(2).SetImage(picture);
    TItemAppearance look;
    look.SetColorSelected(0x00C000);
    look.SetColorSelectedTo(platform::clNone);
    look.SetColorSelectedText(platform::clWhite);
    dd->SetItemAppearance(look);
    dd->SetItemIndex(1);
    dd->SetDropDownHeight(160);
    dd->ShowDropDown();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dd->DropDownForm()));
    QCoreApplication::processEvents();
    const QImage img = dd->DropDownForm()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_TRUE(testsupport::saveScreenshot(img, QStringLiteral("dropdowns/DetailDropDown_open.png")));

    TCustomItemSelector* panel = dd->ItemSelector()->Panel();
    const auto inForm = [&](int item) {
        const grid::TRect r = panel->GetItemRect(item);
        return QRect(panel->mapTo(dd->DropDownForm(), QPoint(r.Left, r.Top)), QSize(r.Width(), r.Height()));
    };
    const auto count = [&](const QRect& area, QRgb colour) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += img.pixel(x, y) == colour;
        return n;
    };
    // The selected item: its background, its caption and notes in the selected text colour.
    const QRect selected = inForm(1);
    EXPECT_EQ(img.pixel(selected.right() - 6, selected.center().y()), qRgb(0, 0xC0, 0));
    EXPECT_GT(count(selected.adjusted(0, 0, 0, -selected.height() / 2), qRgb(255, 255, 255)), 10);
    EXPECT_GT(count(selected.adjusted(0, selected.height() / 2, 0, 0), qRgb(255, 255, 255)), 10);
    // The list image left in item 0, the picture in item 2 with its bottom-left colour left out.
    const QRect first = inForm(0);
    EXPECT_EQ(img.pixel(first.left() + 2 + 8, first.center().y()), qRgb(255, 0, 0));
    const QRect third = inForm(2);
    const QPoint pictureAt(third.left() + 2, third.top() + (third.height() - 12) / 2);
    EXPECT_EQ(img.pixel(pictureAt + QPoint(6, 6)), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(pictureAt), img.pixel(pictureAt.x() + 14, third.top() + 1));
    EXPECT_NE(img.pixel(pictureAt), qRgb(255, 255, 255));
    dd->SetImages(nullptr);
}

TEST_F(DetailDropDown, TheCaptionsAmpersandUnderlinesInsteadOfShowing)
{
    dd->SetItemHeight(30);
    const auto captionImage = [&](const QString& caption) {
        dd->Items().Items(0).SetCaption(caption);
        QImage img(120, 30, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        dd->ItemSelector()->OnDrawItem(dd->ItemSelector()->Panel(), p, grid::TRect{0, 0, 120, 30}, 0);
        return img;
    };
    const QImage plain = captionImage(QStringLiteral("Alpha"));
    const QImage marked = captionImage(QStringLiteral("&Alpha"));
    const QImage doubled = captionImage(QStringLiteral("&&Alpha"));
    // The marked caption shows the same letters plus an underline under the first one.
    int differing = 0, below = 0;
    const int baseline = QFontMetrics(grid::toQFont(dd->CaptionFont()), &plain).ascent() + 2;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x)
            if (plain.pixel(x, y) != marked.pixel(x, y)) {
                ++differing;
                below += y > baseline - 1;
            }
    EXPECT_GT(differing, 0);
    EXPECT_EQ(differing, below);
    EXPECT_NE(doubled, plain);
}
