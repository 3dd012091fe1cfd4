#pragma once
// The hidden-row store: a row hidden by HideRow, a filter or a contracted node leaves the cell
// store and waits here with its texts, objects, height and node level, under its real index
// (its place among all rows, shown or hidden). The entries stay ascending by real index.
//
// The store is the list of its entries (the grid walks and splices it as a vector); what it
// adds is the upkeep of the real indexes when shown rows come, go or move, which the grid's
// structure and move members call beside TRowSideData (RowSideData.h):
//   rowsInserted, rowsInsertedBefore   rows came in: the entries at and after them move down
//   rowsRemoved                        rows went: the entries after them move up
//   rowMoved                           one row moved: the entries between close up
//   columnMoved                        a column moved: every entry's texts and objects follow

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace grid {

class TObject;

struct TGridItem {
    int FIdx = 0;
    int FHeight = 0;
    int FLevel = -1;
    std::vector<QString> Texts;
    std::vector<TObject*> Objects;
    int Idx() const { return FIdx; }
    void SetIdx(int v) { FIdx = v; }
    int Height() const { return FHeight; }
    void SetHeight(int v) { FHeight = v; }
    int Level() const { return FLevel; }
    void SetLevel(int v) { FLevel = v; }
    QStringList Items() const { return QStringList(Texts.begin(), Texts.end()); }
    // The lines are copied; objects already held stay with their columns.
    void SetItems(const QStringList& v)
    {
        Texts.assign(v.begin(), v.end());
        Objects.resize(Texts.size(), nullptr);
    }
};

// Never deleted through its vector base: the grid holds it by value.
class THiddenRowStore : public std::vector<std::unique_ptr<TGridItem>> {
public:
    // count rows came in before real row `at`.
    void rowsInserted(int at, int count);
    // One row came in before each listed real row (ascending, numbered before the insert).
    void rowsInsertedBefore(const std::vector<int>& real);
    // The listed real rows (ascending, none of them hidden) went.
    void rowsRemoved(const std::vector<int>& real);
    // The row at real index `from` moved to `to`.
    void rowMoved(int from, int to);
    // The column at real index `from` moved to `to`.
    void columnMoved(int from, int to);
};

} // namespace grid
