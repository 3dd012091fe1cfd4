#pragma once
// Helpers every grid test shares: a grid shown on screen, so the viewport has its size and
// painting works headless, and the message of the grid error an operation raises.

#include "grid/GridTypes.h"
#include "grid/StringGrid.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

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

// A shown grid without fixed cells, so that cell (c, r) is field c of line r of an exchange
// file; rows are set and read as lists of texts.
template <class Grid>
struct PlainShownGrid : ShownGrid<Grid> {
    PlainShownGrid(int cols = 1, int rows = 1)
    {
        this->g.SetFixedCols(0);
        this->g.SetFixedRows(0);
        this->g.SetColCount(cols);
        this->g.SetRowCount(rows);
    }
    void setRow(int r, const QStringList& texts)
    {
        for (int c = 0; c < texts.size(); ++c)
            this->g.SetCells(c, r, texts[c]);
    }
    QStringList row(int r) const
    {
        QStringList out;
        for (int c = 0; c < this->g.ColCount(); ++c)
            out << this->g.Cells(c, r);
        return out;
    }
};

// A test with a private folder: files in it by name, the default name given by the test.
struct FolderTest : ::testing::Test {
    explicit FolderTest(const char* defaultName) : fileName(defaultName) {}
    QTemporaryDir dir;
    const char* fileName;
    QString path(const char* name = nullptr) const { return dir.filePath(QString::fromLatin1(name ? name : fileName)); }
    QByteArray bytes(const char* name = nullptr) const { return testsupport::readFile(path(name)); }
    void put(const QByteArray& data, const char* name = nullptr) const
    {
        ASSERT_TRUE(testsupport::writeFile(path(name), data));
    }
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
