// The drop-down picker editors inside a real column grid, one column per kind, driven with
// clicks and keys: each opens over its cell loaded with the cell's value, closes on the keys of
// its row and stores its value under the grid's validation.

#include "dropdowns/GridDropDowns.h"
#include "grid/QvCGrid.h"
#include "grid/QvObj.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace grid;
using namespace dropdowns;

namespace {

enum Column { cTrack = 1, cMemo, cCalc, cTime, cMulti, cDetail, cColor, cImage, cQvGrid, cText, kColumns };

const TEditorType kKinds[kColumns] = {
    edNormal,       edTrackbarDropDown, edMemoDropDown,        edCalculatorDropDown,  edTimePickerDropDown,
    edGridDropDown, edDetailDropDown,   edColorPickerDropDown, edImagePickerDropDown, edQvGridDropDown,
    edNormal};

// Every key of the rule, with the closing sets of the differences table.
TEST(GridDropDownKeys, ClosingKeysPerWrapperPopupClosedAndOpen)
{
    struct Case {
        int key;
        Qt::KeyboardModifiers shift;
        bool closedOthers, openOthers, closedColor, openColor;
    };
    const Case cases[] = {
        {Qt::Key_Tab, {}, true, true, true, true},       {Qt::Key_Return, {}, true, true, true, true},
        {Qt::Key_Escape, {}, true, true, true, true},    {Qt::Key_PageUp, {}, true, true, true, false},
        {Qt::Key_PageDown, {}, true, true, true, false}, {Qt::Key_End, {}, true, true, true, false},
        {Qt::Key_Up, {}, true, true, true, false},       {Qt::Key_Down, {}, true, true, true, false},
        {Qt::Key_Home, {}, false, false, true, false},   {Qt::Key_Down, Qt::AltModifier, false, false, false, false},
        {Qt::Key_Left, {}, false, false, false, false},  {Qt::Key_A, {}, false, false, false, false},
    };
    for (const TDropDownDifferences& d : kDropDownDifferences) {
        const bool color = d.Kind == edColorPickerDropDown;
        for (const Case& c : cases) {
            EXPECT_EQ(IsClosingKey(d, c.key, c.shift, false), color ? c.closedColor : c.closedOthers)
                << d.ClassName << " closed key " << c.key;
            EXPECT_EQ(IsClosingKey(d, c.key, c.shift, true), color ? c.openColor : c.openOthers)
                << d.ClassName << " open key " << c.key;
        }
    }
}

struct KindWindow {
    KindWindow()
    {
        RegisterGridDropDowns();
        images.Add(QImage(16, 16, QImage::Format_ARGB32));
        images.Add(QImage(16, 16, QImage::Format_ARGB32));
        images.Add(QImage(16, 16, QImage::Format_ARGB32));
        auto* lay = new QVBoxLayout(&window);
        grid = new TQvColumnGrid(&window);
        lay->addWidget(grid);
        other = new QLineEdit(&window);
        lay->addWidget(other);
        window.resize(1000, 300);
        grid->GridImages = &images;
        // Enter closes without reopening the editor in the next cell.
        grid->Navigation().SetAdvanceAutoEdit(false);
        grid->SetColCount(kColumns);
        grid->SetRowCount(6);
        for (int c = 1; c < kColumns; ++c) {
            grid->Columns()[c].SetEditor(kKinds[c]);
            grid->SetColWidths(c, 100);
        }
        grid->OnGetEditorProp = [this](TQvStringGrid* g, int c, int, void*) {
            if (c == cTrack)
                static_cast<TGridTrackbarDropDown*>(g->DropDownEditor(edTrackbarDropDown))->SetMax(100);
            if (c == cMulti) {
                auto* m = static_cast<TGridGridDropDown*>(g->DropDownEditor(edGridDropDown));
                if (m->Items().Count() == 0) {
                    m->Columns().Add();
                    for (const char* t : {"alpha", "beta", "gamma"})
                        m->Items().Add().Text() << QString::fromLatin1(t);
                    m->EndUpdate();
                }
            }
            if (c == cQvGrid) {
                auto* q = static_cast<TGridQvGridDropDown*>(g->DropDownEditor(edQvGridDropDown));
                if (q->Items().Count() == 0) {
                    q->Columns().Add();
                    for (const char* t : {"red", "green", "blue"})
                        q->Items().Add().Text() << QString::fromLatin1(t);
                }
            }
            if (c == cDetail) {
                auto* d = static_cast<TGridDetailPickerDropDown*>(g->DropDownEditor(edDetailDropDown));
                if (d->Items().Count() == 0)
                    for (const char* t : {"one", "two"})
                        d->Items().Add().SetCaption(QString::fromLatin1(t));
            }
        };
        grid->OnCellValidate = [this](TQvStringGrid*, int c, int r, QString& v, bool& valid) {
            log << QStringLiteral("Validate c%1 r%2 %3").arg(c).arg(r).arg(v);
            if (refuse) {
                valid = false;
                v = QStringLiteral("fixed");
            }
        };
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        QApplication::processEvents();
    }

    void click(int col, int row)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(col, row).toQRect().center());
        QApplication::processEvents();
    }
    void open(int col, int row)
    {
        click(col, row);
        if (!grid->EditMode)
            grid->ShowInplaceEdit();
        QApplication::processEvents();
    }
    void key(int k, Qt::KeyboardModifiers m = {})
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), m);
        QApplication::processEvents();
    }
    TGridDropDownEditor* ed(int col) const { return grid->DropDownEditor(kKinds[col]); }
    QLineEdit* edit(int col) const { return dynamic_cast<QLineEdit*>(ed(col)->Widget()); }
    bool open() const { return grid->EditMode; }

    TCustomImageList images;
    QStringList log;
    bool refuse = false;
    QWidget window;
    TQvColumnGrid* grid = nullptr;
    QLineEdit* other = nullptr;
};

TEST(GridDropDowns, EachKindOpensOnItsCellLoadedWithTheCellsValue)
{
    KindWindow w;
    w.grid->SetCells(cTrack, 1, QStringLiteral("40"));
    w.grid->SetCells(cMemo, 1, QStringLiteral("first"));
    w.grid->SetCells(cMulti, 1, QStringLiteral("beta"));
    w.grid->SetCells(cMulti, 2, QString());
    w.grid->SetCells(cQvGrid, 1, QStringLiteral("blue"));
    w.grid->SetColors(cColor, 1, 0x0000FF);
    w.grid->AddShape(cColor, 2, csCircle, 0x00FF00, 0, haCenter, vaCenter);
    w.grid->AddImageIdx(cImage, 1, 2, haCenter, vaCenter);

    w.open(cTrack, 1);
    ASSERT_TRUE(w.open());
    EXPECT_EQ(static_cast<TGridTrackbarDropDown*>(w.ed(cTrack))->Position(), 40);
    EXPECT_EQ(w.grid->EditCtrl, w.ed(cTrack)->Widget());
    w.key(Qt::Key_Escape);

    w.open(cMemo, 1);
    EXPECT_EQ(w.edit(cMemo)->cursorPosition(), 0);
    EXPECT_FALSE(w.edit(cMemo)->hasSelectedText());
    w.key(Qt::Key_Escape);

    w.open(cMulti, 1);
    EXPECT_EQ(static_cast<TGridGridDropDown*>(w.ed(cMulti))->ItemIndex(), 1);
    w.key(Qt::Key_Escape);
    w.open(cMulti, 2);
    EXPECT_EQ(static_cast<TGridGridDropDown*>(w.ed(cMulti))->ItemIndex(), 0);
    w.key(Qt::Key_Escape);

    w.open(cQvGrid, 1);
    auto* qv = static_cast<TGridQvGridDropDown*>(w.ed(cQvGrid));
    EXPECT_EQ(qv->ItemIndex(), 2);
    EXPECT_EQ(qv->Text(), QStringLiteral("blue"));
    EXPECT_EQ(qv->Grid(), qv->PopupGrid());
    w.key(Qt::Key_Escape);
    w.open(cQvGrid, 2);
    EXPECT_EQ(qv->ItemIndex(), 0);
    w.key(Qt::Key_Escape);

    w.open(cColor, 1);
    EXPECT_EQ(w.ed(cColor)->SelectedColor(), TColor(0x0000FF));
    w.key(Qt::Key_Escape);
    w.open(cColor, 2);
    EXPECT_EQ(w.ed(cColor)->SelectedColor(), TColor(0x00FF00));
    w.key(Qt::Key_Escape);

    w.open(cImage, 1);
    EXPECT_EQ(w.ed(cImage)->SelectedImageIndex(), 2);
    w.key(Qt::Key_Escape);
}

TEST(GridDropDowns, TypedCharacterOpensTheEditorAndEnterStoresTheText)
{
    KindWindow w;
    for (int c : {cMemo, cTime, cCalc, cDetail, cQvGrid}) {
        w.click(c, 3);
        w.grid->setFocus();
        QTest::keyClicks(w.grid, QStringLiteral("t"));
        QApplication::processEvents();
        ASSERT_TRUE(w.open()) << c;
        EXPECT_TRUE(w.ed(c)->Widget()->hasFocus()) << c;
        w.key(Qt::Key_Return);
        EXPECT_FALSE(w.open()) << c;
        EXPECT_TRUE(w.log.contains(QStringLiteral("Validate c%1 r3 %2").arg(c).arg(w.grid->Cells(c, 3)))) << c;
    }
    EXPECT_EQ(w.grid->Cells(cMemo, 3), QStringLiteral("t"));
}

TEST(GridDropDowns, CalculatorComputesThePendingResultOnEnter)
{
    KindWindow w;
    w.open(cCalc, 1);
    auto* calc = static_cast<TGridCalculatorDropDown*>(w.ed(cCalc));
    calc->selectAll();
    QTest::keyClicks(calc, QStringLiteral("12+3"));
    w.key(Qt::Key_Return);
    EXPECT_FALSE(w.open());
    const QString expected = QString::number(15.0, 'f', calc->Precision());
    EXPECT_EQ(w.grid->Cells(cCalc, 1), expected);
}

TEST(GridDropDowns, EscapeRestoresTheCellText)
{
    KindWindow w;
    w.grid->SetCells(cDetail, 1, QStringLiteral("keep"));
    w.open(cDetail, 1);
    w.edit(cDetail)->selectAll();
    QTest::keyClicks(w.edit(cDetail), QStringLiteral("zz"));
    w.key(Qt::Key_Escape);
    EXPECT_FALSE(w.open());
    EXPECT_EQ(w.grid->Cells(cDetail, 1), QStringLiteral("keep"));
    EXPECT_TRUE(w.grid->hasFocus());
}

TEST(GridDropDowns, RefusedValidationShowsTheHandlersValueSelectedAndStays)
{
    KindWindow w;
    w.refuse = true;
    w.open(cTime, 2);
    QTest::keyClicks(w.edit(cTime), QStringLiteral("1"));
    w.key(Qt::Key_Return);
    EXPECT_TRUE(w.ed(cTime)->Widget()->isVisible());
    EXPECT_EQ(w.edit(cTime)->text(), QStringLiteral("fixed"));
    EXPECT_EQ(w.edit(cTime)->selectedText(), QStringLiteral("fixed"));
    EXPECT_EQ(w.grid->Row(), 2);
}

TEST(GridDropDowns, EndMovesTheCaretWhenClosedAndClosesWhenOpen)
{
    KindWindow w;
    w.grid->SetCells(cTime, 1, QStringLiteral("10:20"));
    w.open(cTime, 1);
    w.edit(cTime)->setCursorPosition(0);
    w.key(Qt::Key_End);
    EXPECT_TRUE(w.open());
    EXPECT_EQ(w.edit(cTime)->cursorPosition(), w.edit(cTime)->text().size());
    w.ed(cTime)->OpenPopup();
    ASSERT_TRUE(w.ed(cTime)->PopupOpen());
    w.key(Qt::Key_End);
    EXPECT_FALSE(w.open());
    EXPECT_FALSE(w.ed(cTime)->PopupOpen());
}

// The memo's edit ends every line with a break; End puts the caret after the last character,
// so typing continues the last line.
TEST(GridDropDowns, EndInTheMemoEditorContinuesTheLastLine)
{
    struct Case {
        const char* cell;
        const char* stored;
    };
    const Case cases[] = {{"x", "xz"}, {"a\nb", "a\nbz"}, {"", "z"}};
    for (const Case& c : cases) {
        KindWindow w;
        w.grid->SetCells(cMemo, 1, QString::fromLatin1(c.cell));
        w.open(cMemo, 1);
        w.edit(cMemo)->setCursorPosition(0);
        w.key(Qt::Key_End);
        ASSERT_TRUE(w.open()) << c.cell;
        QTest::keyClicks(w.edit(cMemo), QStringLiteral("z"));
        w.key(Qt::Key_Return);
        EXPECT_FALSE(w.open()) << c.cell;
        EXPECT_EQ(w.grid->Cells(cMemo, 1), QString::fromLatin1(c.stored)) << c.cell;
    }
}

TEST(GridDropDowns, UpValidatesFirstExceptInTheColourPicker)
{
    KindWindow w;
    for (int c : {cTrack, cColor}) {
        w.open(c, 3);
        w.log.clear();
        w.key(Qt::Key_Up);
        EXPECT_FALSE(w.open()) << c;
        EXPECT_EQ(w.grid->Row(), 2) << c;
        const bool validated = !w.log.filter(QStringLiteral("Validate c%1 r3").arg(c)).isEmpty();
        EXPECT_EQ(validated, c != cColor) << c;
    }
}

TEST(GridDropDowns, PageKeysStoreAndCloseWithoutMovingTheGrid)
{
    KindWindow w;
    for (bool dropped : {false, true})
        for (int k : {Qt::Key_PageUp, Qt::Key_PageDown}) {
            w.open(cCalc, 3);
            QTest::keyClicks(w.edit(cCalc), QStringLiteral("7"));
            const QString typed = w.edit(cCalc)->text();
            if (dropped)
                w.ed(cCalc)->OpenPopup();
            w.key(k);
            EXPECT_FALSE(w.open()) << k << dropped;
            EXPECT_EQ(w.grid->Row(), 3) << k << dropped;
            EXPECT_EQ(w.grid->Cells(cCalc, 3).toDouble(), typed.toDouble()) << k << dropped;
        }
}

TEST(GridDropDowns, AltDownOpensThePopupAndDirectDropOpensItAtOnce)
{
    KindWindow w;
    w.open(cDetail, 1);
    w.key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(w.open());
    EXPECT_TRUE(w.ed(cDetail)->PopupOpen());
    w.key(Qt::Key_Escape);
    EXPECT_FALSE(w.open());

    w.grid->MouseActions().SetDirectComboDrop(true);
    w.open(cTrack, 1);
    EXPECT_TRUE(w.ed(cTrack)->PopupOpen());
}

TEST(GridDropDowns, ColourAndImageReachTheCellThroughTheirEvents)
{
    KindWindow w;
    QStringList events;
    w.grid->OnColorSelected = [&](TQvStringGrid*, int c, int r, TColor& color, QString& value) {
        events << QStringLiteral("Color c%1 r%2 %3").arg(c).arg(r).arg(color, 6, 16, QLatin1Char('0'));
        color = 0x123456;
        value = QStringLiteral("custom");
    };
    w.grid->OnImageSelected = [&](TQvStringGrid*, int c, int r, int& index) {
        events << QStringLiteral("Image c%1 r%2 %3").arg(c).arg(r).arg(index);
        index = 1;
    };
    w.grid->SetColors(cColor, 1, 0x0000FF);
    w.grid->AddImageIdx(cImage, 1, 2, haCenter, vaCenter);
    w.open(cColor, 1);
    w.key(Qt::Key_Return);
    w.open(cImage, 1);
    w.key(Qt::Key_Return);
    EXPECT_EQ(events, QStringList({"Color c7 r1 0000ff", "Image c8 r1 2"}));
    EXPECT_EQ(w.grid->GetColors(cColor, 1), TColor(0x123456));
    EXPECT_EQ(w.grid->Cells(cColor, 1), QStringLiteral("custom"));
    int idx = -1;
    EXPECT_TRUE(w.grid->GetImageIdx(cImage, 1, idx));
    EXPECT_EQ(idx, 1);
}

TEST(GridDropDowns, ScreenshotOfEachPickerOpenOverItsCell)
{
    KindWindow w;
    w.grid->MouseActions().SetDirectComboDrop(true);
    for (int c = cTrack; c <= cQvGrid; ++c) {
        w.open(c, 1);
        ASSERT_TRUE(w.ed(c)->PopupOpen()) << c;
        QWidget* popup = QApplication::activePopupWidget();
        QImage shot = w.window.grab().toImage();
        QImage out(shot.width(), shot.height() + 260, QImage::Format_ARGB32);
        out.fill(Qt::white);
        {
            QPainter p(&out);
            p.drawImage(0, 0, shot);
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top != &w.window && top->isVisible() && top != popup)
                    p.drawImage(top->mapToGlobal(QPoint()) - w.window.mapToGlobal(QPoint()), top->grab().toImage());
            if (popup)
                p.drawImage(popup->mapToGlobal(QPoint()) - w.window.mapToGlobal(QPoint()), popup->grab().toImage());
        }
        const QString name =
            QStringLiteral("GridDropDown_%1.png").arg(QLatin1String(DropDownDifferences(kKinds[c])->ClassName));
        EXPECT_TRUE(testsupport::saveScreenshot(out, QStringLiteral("dropdowns/") + name)) << c;
        // The open popup is drawn at its place over the white beyond the window.
        ASSERT_NE(popup, nullptr) << c;
        const QRect place(popup->mapToGlobal(QPoint()) - w.window.mapToGlobal(QPoint()), popup->size());
        EXPECT_GT(testsupport::pixelsOtherThan(out, place, Qt::white), 0) << c;
        w.key(Qt::Key_Escape);
    }
}

} // namespace
