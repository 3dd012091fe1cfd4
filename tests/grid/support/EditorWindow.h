#pragma once
// A window holding one special cell editor on a stand-in grid (FakeEditHost) and a line edit
// to take the focus away, so an editor can be driven alone with keys and clicks the way the
// grid drives it: loaded, shown and focused, then read back from the host's cells and log.

#include "grid/support/FakeEditHost.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

namespace grid::test {

template <class Editor>
struct EditorWindow {
    EditorWindow()
    {
        auto* lay = new QVBoxLayout(&window);
        grid = new QWidget(&window);
        grid->setFocusPolicy(Qt::StrongFocus);
        grid->setMinimumSize(300, 80);
        lay->addWidget(grid);
        host.grid = grid;
        other = new QLineEdit(&window);
        lay->addWidget(other);
        editor = new Editor(grid, &host);
        host.editor = editor;
        window.show();
        window.activateWindow();
        (void)QTest::qWaitForWindowActive(&window);
    }
    // The cell holds cellText; load puts the value into the editor as the grid's placement does.
    template <class Load>
    void open(const QString& cellText, Load&& load)
    {
        // Closed first, as between two edits, so the focus change does not end a new edit.
        editor->hide();
        grid->setFocus();
        QApplication::processEvents();
        host.setCell(cellText);
        host.noEditChange = true;
        editor->setGeometry(10, 10, 160, 24);
        load(*editor);
        editor->setEnabled(true);
        editor->show();
        editor->setFocus();
        QApplication::processEvents();
        host.noEditChange = false;
        host.log.clear();
    }
    void key(int k, Qt::KeyboardModifiers m = {})
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), m);
        QApplication::processEvents();
    }
    void type(const QString& s)
    {
        QTest::keyClicks(QApplication::focusWidget(), s);
        QApplication::processEvents();
    }

    // Before the window: the editor may still report to it while the window is torn down.
    FakeEditHost host{nullptr};
    QWidget window;
    QWidget* grid = nullptr;
    QLineEdit* other = nullptr;
    Editor* editor = nullptr;
};

} // namespace grid::test
