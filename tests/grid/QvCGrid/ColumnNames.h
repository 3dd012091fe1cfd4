#pragma once
// Column names of a column grid, for the column grid tests.

#include "grid/QvCGrid.h"

#include <QStringList>

inline QStringList columnNames(const grid::TQvColumnGrid& g)
{
    QStringList names;
    for (int i = 0; i < g.Columns().Count(); ++i)
        names << g.Columns()[i].Name();
    return names;
}

inline void nameColumns(grid::TQvColumnGrid& g)
{
    for (int i = 0; i < g.Columns().Count(); ++i)
        g.Columns()[i].SetName(QStringLiteral("c%1").arg(i));
}
