#pragma once
// The rectangle record that leads every binary cell stream, read on its own: a paste sizes the
// grid from it before the cells are read (paste.cpp), so it is checked against what the block
// itself holds and a block from another process cannot make the grid grow past its cells.

#include <QByteArray>

namespace grid {

struct TBinStreamRect {
    int ColCount = 0;
    int RowCount = 0;
    int ID = 0;
};

// The stream's read error for a record the writer cannot have made.
TBinStreamRect ReadBinStreamRect(const QByteArray& block);

} // namespace grid
