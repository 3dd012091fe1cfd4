#pragma once
// Call flow: the application fills the grid's Filter collection (or a filter-row button opens
// the drop-down of filterlists.cpp, whose pick becomes conditions through the handlers in
// filter.cpp; a column grid's pick comes from the column's own filter items, columnfilter.cpp)
// and sets FilterActive. ApplyFilter tests every row against the conditions (RowMatchesFilter; a
// condition's text is read by the condition language of filtercondition.cpp), and the rows that
// fail leave for the hidden-row store (store/HiddenRows.h) in one compaction, as one filter
// level; RemoveLastFilter and RemoveAllFilters bring a level's rows back in one expansion. The
// incremental narrowing filters only the rows still shown. FilterDone and FilterDoneNotify
// raise OnFilterDone at the end of every run.
//
// State: the conditions are the grid's Filter collection (QvObj.h); the rows filtered out are
// entries of the hidden-row store, with their level.
//
// The members are declared in QvGrid.h and QvCGrid.h; this header is the folder's index.
