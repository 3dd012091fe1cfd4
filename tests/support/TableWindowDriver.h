#pragma once
// Drives a table window as a user does: open it, type or pick a cell, click a cell, press a
// button, then read the message shown and the file written. Works with any TQvForm window
// whose tables are TQvColumnGrid and whose buttons are TGlyphButton, found by object name
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
#include "grid/edit/GridCombo.h"
#include "grid/QvCGrid.h"

#include "support/FakeMessages.h"

#include <gtest/gtest.h>

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

    TGlyphButton& button(const char* name) const { return child<TGlyphButton>(name); }
    grid::TQvColumnGrid& table(const char* name) const { return child<grid::TQvColumnGrid>(name); }

    void press(TGlyphButton& b)
    {
        QTest::mouseClick(&b, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    void press(const char* name) { press(button(name)); }

    // Types a cell (make it current, open the editor, type, Enter), or picks the item of a
    // pick-list cell. Fails the test when the cell opens no editor or the list lacks the item.
    void type(grid::TQvColumnGrid& grid, int col, int row, const QString& text)
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
    void type(const char* tableName, int col, int row, const QString& text) { type(table(tableName), col, row, text); }

    // A mouse click on a cell (the row-number cell selects the row where the window binds it).
    void clickCell(grid::TQvColumnGrid& grid, int col, int row)
    {
        bringForward(grid);
        const QRect r = grid.CellRect(col, row).toQRect();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, r.center());
        QCoreApplication::processEvents();
    }

    // Fills a row's cells from column 1 without the editor (what loading a file would put
    // there), for rows the test only needs as context.
    static void setRow(grid::TQvColumnGrid& grid, int row, const QStringList& cells)
    {
        for (int c = 1; c <= cells.size(); ++c)
            grid.SetCells(c, row, cells[c - 1]);
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
