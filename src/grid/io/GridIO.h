#pragma once
// Call flow: every writer takes a cell's text through GetSaveCellText and every reader stores
// through LoadCellText (celltext.cpp), so the formats share what is saved of a cell.
//   binstream.cpp    the binary cell stream and file (also the private clipboard format and the
//                    drag data), records read through BinStreamRect.h and named in StreamNames.h
//   textfile.cpp     the text grid file, file and stream forms
//   csv.cpp, html.cpp, xmlexchange.cpp, textexchange.cpp
//                    exchange with other programs: CSV, HTML tables, XML records, plain text
//                    and fixed width
//   persistence.cpp  column states, "Col"/"Pos" keys in an INI file or the registry store, the
//                    look file and the print settings (INI integers through IniValues.h)
//   automation.cpp   worksheets, word-processor tables and database queries through the
//                    platform's automation servers
//   columnstream.cpp, columnpositions.cpp
//                    the column grid's column stream and its INI column positions
// Files that replace a user's file are written through ReplacingFile.h (temporary file,
// flushed and checked, then renamed).
//
// The members are declared in QvGrid.h and QvCGrid.h; this header is the folder's index.
