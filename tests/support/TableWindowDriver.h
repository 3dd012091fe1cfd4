#pragma once
// Drives a table window as a user does: open it, type or pick a cell, click a cell, press a
// button, then read the message shown and the file written. Works with any TQvForm window
// whose tables are TQvStringGrid (column grids or plain) and whose buttons are TGlyphButton,
// found by object name
// ("ACG_CAN_Receive", "Btn_OK"). A table on a page that is not in front is brought to the
// front first, as the user would have to.
//
//     testsupport::TableWindowDriver user(*window, messages);
//     user.open();
//     user.type("ACG_CAN_Receive", 2, 1, "0x7FF");   // a pick-list cell is picked instead
//     user.press("Btn_OK");
//     EXPECT_EQ(user.lastMessage(), "Error row 1...");
//     EXPECT_EQ(testsupport::readFile(path), testsupport::readFile(fixturePath("...")));

#include "common/GlyphButton.h"
#include "common/UFormParts.h"
#include "common/WindowFrame.h"
#include "grid/QvCGrid.h"
#include "grid/edit/GridCombo.h"

#include "support/FakeMessages.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCoreApplication>
#include <QStackedWidget>
#include <QStringList>
#include <QTabWidget>
#include <QTest>

#include <stdexcept>
#include <utility>
#include <vector>

namespace testsupport {

class TableWindowDriver {
public:
    // messages: the fake the window's services show their boxes through.
    TableWindowDriver(common::TQvForm& window, const FakeMessages& messages) : window_(window), messages_(messages) {}

    // Shown modal as ShowModal shows it (FormShow runs), without entering its event loop.
    void open()
    {
        window_.setModal(true);
        window_.show();
        QCoreApplication::processEvents();
    }

    // Makes the window the active one, as the user's first click does, so that editors take
    // the focus and signal the end of an edit when they lose it.
    void activate()
    {
        QApplication::setActiveWindow(&window_);
        QCoreApplication::processEvents();
    }

    TGlyphButton& button(const char* name) const { return child<TGlyphButton>(name); }
    grid::TQvColumnGrid& table(const char* name) const { return child<grid::TQvColumnGrid>(name); }
    grid::TQvStringGrid& grid(const char* name) const { return child<grid::TQvStringGrid>(name); }

    void press(TGlyphButton& b)
    {
        QTest::mouseClick(&b, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    void press(const char* name) { press(button(name)); }

    // Types a cell (make it current, open the editor, type, Enter), or picks the item of a
    // pick-list cell. Fails the test when the cell opens no editor or the list lacks the item.
    void type(grid::TQvStringGrid& grid, int col, int row, const QString& text)
    {
        bringForward(grid);
        grid.SetCol(col);
        grid.SetRow(row);
        grid.ShowEditor();
        if (grid.EditorMode()) {
            grid.InplaceEditor()->selectAll();
            QTest::keyClicks(grid.InplaceEditor(), text);
            QTest::keyClick(grid.InplaceEditor(), Qt::Key_Return);
            return;
        }
        grid::TGridCombo* combo = grid.EditCombo();
        ASSERT_TRUE(combo && combo->isVisible()) << "no editor at " << col << "," << row;
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << "no item " << text.toStdString() << " at " << col << "," << row;
        combo->setCurrentIndex(index);
        grid.HideInplaceEdit();
    }
    void type(const char* tableName, int col, int row, const QString& text) { type(grid(tableName), col, row, text); }

    // Picks an item of a pick-list cell with the keyboard as a user does: Alt+Down opens the
    // list, the arrow keys walk to the item, Enter takes it. Fails the test when no editor
    // opens or the list lacks the item.
    void pick(grid::TQvStringGrid& grid, int col, int row, const QString& item)
    {
        bringForward(grid);
        grid.SetCol(col);
        grid.SetRow(row);
        grid.ShowEditor();
        grid::TGridCombo* combo = grid.EditCombo();
        ASSERT_TRUE(combo && combo->isVisible()) << "no pick list at " << col << "," << row;
        const int target = combo->findText(item);
        ASSERT_GE(target, 0) << "no item " << item.toStdString() << " at " << col << "," << row;
        const bool active = QApplication::activeWindow() == &window_;
        QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
        QAbstractItemView* list = combo->view();
        ASSERT_TRUE(list->isVisible()) << "the list did not open at " << col << "," << row;
        for (int at = list->currentIndex().row(); at != target; at += at < target ? 1 : -1)
            QTest::keyClick(list, at < target ? Qt::Key_Down : Qt::Key_Up);
        QTest::keyClick(list, Qt::Key_Return);
        QCoreApplication::processEvents();
        // A desktop gives the activation back to the window when the list closes; the
        // offscreen platform does not.
        if (active && QApplication::activeWindow() != &window_)
            activate();
    }

    // A mouse click on a cell (the row-number cell selects the row where the window binds it).
    void clickCell(grid::TQvStringGrid& grid, int col, int row)
    {
        bringForward(grid);
        const QRect r = grid.CellRect(col, row).toQRect();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, r.center());
        QCoreApplication::processEvents();
    }

    // Fills a row's cells from column 1 without the editor (what loading a file would put
    // there), for rows the test only needs as context.
    static void setRow(grid::TQvStringGrid& grid, int row, const QStringList& cells)
    {
        for (int c = 1; c <= cells.size(); ++c)
            grid.SetCells(c, row, cells[c - 1]);
    }

    // The window's picture, written into the build tree's screenshot folder under name.
    QImage screenshot(const QString& name)
    {
        QCoreApplication::processEvents();
        return takeScreenshot(window_, name);
    }

    // In a picture of the window: the cell (col, row) of grid shows a text, told by pixels that
    // differ from the same column's empty cell at emptyRow, which is plain (the rendered
    // reference); without an empty row, from the cell's own background beside its border. The
    // cells' borders are left out.
    testing::AssertionResult cellShowsText(const QImage& picture, grid::TQvStringGrid& grid, int col, int row,
                                           int emptyRow = -1) const
    {
        const auto inWindow = [&](int r) {
            return grid.CellRect(col, r)
                .toQRect()
                .adjusted(2, 2, -2, -2)
                .translated(grid.viewport()->mapTo(&window_, QPoint(0, 0)));
        };
        const QRect filled = inWindow(row);
        if (filled.isEmpty() || !picture.rect().contains(filled))
            return testing::AssertionFailure() << "cell " << col << "," << row << " is not in the picture";
        QColor background = picture.pixelColor(filled.topLeft());
        if (emptyRow >= 0) {
            const QRect empty = inWindow(emptyRow);
            if (!picture.rect().contains(empty))
                return testing::AssertionFailure() << "cell " << col << "," << emptyRow << " is not in the picture";
            background = picture.pixelColor(empty.center());
            if (const int marks = pixelsOtherThan(picture, empty, background); marks != 0)
                return testing::AssertionFailure()
                       << "the empty cell " << col << "," << emptyRow << " holds " << marks << " marks";
        }
        if (pixelsOtherThan(picture, filled, background) == 0)
            return testing::AssertionFailure() << "cell " << col << "," << row << " shows no text";
        return testing::AssertionSuccess();
    }

    // A table window's picture taken under name and checked at stated places: its size, the
    // table background in the corner, the software code in the title, and the text of cell
    // (col, row) of grid (see cellShowsText).
    QImage checkTablePicture(const QString& name, QSize size, grid::TQvStringGrid& grid, int col, int row,
                             int emptyRow = -1)
    {
        bringForward(grid);
        const QImage picture = screenshot(name);
        EXPECT_EQ(picture.size(), size);
        EXPECT_TRUE(pixelIs(picture, QPoint(1, 1), common::kTableWindowBackground));
        EXPECT_TRUE(titleDrawn(picture, window_));
        EXPECT_TRUE(cellShowsText(picture, grid, col, row, emptyRow));
        return picture;
    }

    // Brings forward the tab pages that hold the widget, outermost first.
    static void bringForward(QWidget& widget)
    {
        std::vector<std::pair<QTabWidget*, QWidget*>> pages;
        for (QWidget* w = &widget; w && w->parentWidget(); w = w->parentWidget()) {
            auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
            auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
            if (tabs && tabs->indexOf(w) >= 0)
                pages.emplace_back(tabs, w);
        }
        for (auto it = pages.rbegin(); it != pages.rend(); ++it)
            it->first->setCurrentWidget(it->second);
    }

    // The message boxes shown so far, and the text of the last one.
    size_t messageCount() const { return messages_.shown.size(); }
    QString lastMessage() const { return messages_.lastText(); }

    // The window's modal result: 1 after OK, 2 after Cancel.
    int result() const { return window_.result(); }

private:
    template <typename T>
    T& child(const char* name) const
    {
        T* found = window_.findChild<T*>(QLatin1String(name));
        if (!found)
            throw std::invalid_argument(std::string("the window has no ") + name);
        return *found;
    }

    common::TQvForm& window_;
    const FakeMessages& messages_;
};

} // namespace testsupport
