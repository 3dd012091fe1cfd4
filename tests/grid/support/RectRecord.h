#pragma once
// The rectangle record that leads a binary cell stream, with the counts and lists a test
// chooses, as another program could send it.

#include "platform/ComponentStream.h"

#include <QByteArray>
#include <QString>

namespace grid::test {

inline QByteArray rectRecord(int cols, int rows, const QString& widths, const QString& heights, bool fullGrid)
{
    platform::ComponentWriter w;
    w.beginComponent("TGridPropIO");
    w.name("ColCount");
    w.integer(cols);
    w.name("RowCount");
    w.integer(rows);
    w.name("ColWidths");
    w.string(widths);
    w.name("RowHeights");
    w.string(heights);
    w.name("FullGrid");
    w.boolean(fullGrid);
    w.name("ID");
    w.integer(1);
    w.endComponent();
    return w.data();
}

} // namespace grid::test
