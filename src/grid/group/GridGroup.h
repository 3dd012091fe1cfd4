#pragma once
// Call flow: Group (grouping.cpp) scans the grouped column once for runs of equal texts, puts
// every header and summary row in with one row-list insert, makes the headers nodes and takes
// the column out; SubGroup adds levels, UnGroup takes them off and writes each header's value
// back. GroupCalc and the footer row (footer.cpp: CalcFooter, CalculateFooter,
// RecalcFooterColumn) call the column and row calculations of calc.cpp (ColumnSum ..
// ColumnDistinct, the row aggregates).
//
// State: the settings are TGrouping (QvObj.h, groupsettings.cpp), owned by the grid as
// Grouping; the grouped columns are FGroupColumn and FSubGroupColumns.
//
// The members are declared in QvGrid.h; this header is the folder's index.
