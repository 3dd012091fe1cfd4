// The string grid's CSV reader, from any bytes. The first byte picks the reader's settings
// (Java coding, first line skipped, OEM conversion, insert after the rows, a row limit); the
// rest is the file. A file without lines ends in the grid's "File is empty" error.

#include "FuzzSupport.h"

#include "grid/QvGrid.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t flags = data[0];
    grid::TQvStringGrid g;
    g.JavaCSV = flags & 1;
    g.LoadFirstRow = !(flags & 2);
    g.OemConvert = flags & 4;
    const QString path = fuzzsupport::inputFile("Fuzz.csv", data + 1, size - 1);
    const int maxRows = flags & 16 ? 3 : 0;
    try {
        if (flags & 8)
            g.InsertFromCSV(path, maxRows);
        else
            g.LoadFromCSV(path, maxRows);
    } catch (const grid::EQvGridError&) {
    }
    return 0;
}
