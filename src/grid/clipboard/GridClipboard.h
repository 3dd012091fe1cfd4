#pragma once
// Call flow: the clipboard keys (input/GridInput/commandkeys.cpp) or the application call
// CopyToClipBoard, CutToClipboard or PasteFromClipboard. A copy (clipboard.cpp) builds the text
// form (RangeToText, ClipboardText.h), the rich text, the HTML (its wrapper and the wide-text
// codec in widetext.cpp) and the private cell block (io/binstream.cpp) and places them
// together; a cut then empties the editable cells in one undo sequence. A paste (paste.cpp)
// takes the private block when the grid accepts it, else rich text, else the text through
// PasteTextBlock, cell by cell through PasteCellText; the selection paste fills a series.
//
// The members are declared in QvGrid.h; this header is the folder's index.
