#pragma once
// Helpers every grid test shares: a grid shown on screen, so the viewport has its size and
// painting works headless, and the message of the grid error an operation raises.

#include "grid/GridTypes.h"
#include "grid/StringGrid.h"

#include <QApplication>
#include <QLocale>
#include <QString>

#include <exception>

namespace grid::test {

// A shown 800 x 600 grid of any class of the chain; with counts, they are set before showing.
template <class Grid>
struct ShownGrid {
    ShownGrid()
    {
        g.resize(800, 600);
        show();
    }
    ShownGrid(int cols, int rows)
    {
        g.resize(800, 600);
        g.SetColCount(cols);
        g.SetRowCount(rows);
        show();
    }
    Grid g;

private:
    void show()
    {
        g.show();
        QApplication::processEvents();
    }
};

// Number, date and time texts in one known locale while it lives.
struct DefaultLocale {
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(QLocale::c()); }
    DefaultLocale(const DefaultLocale&) = delete;
    DefaultLocale& operator=(const DefaultLocale&) = delete;
};

// The message of the error f raises, or "no error".
template <class F>
QString errorOf(F&& f)
{
    try {
        f();
    } catch (const EQvGridError& e) {
        return e.Message();
    } catch (const EInvalidGridOperation& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return QString::fromStdString(e.what());
    }
    return QStringLiteral("no error");
}

} // namespace grid::test
