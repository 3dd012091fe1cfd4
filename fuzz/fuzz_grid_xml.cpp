// The string grid's XML import, from any bytes. The first byte picks level-to-row, field
// names as headers and the header settings; the rest is the file. A file that is not
// well-formed ends in the grid's parsing error.

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
    g.SaveFixedRows = flags & 4;
    g.SaveFixedCells = flags & 8;
    try {
        g.LoadFromXML(fuzzsupport::inputFile("Fuzz.xml", data + 1, size - 1), flags & 1, flags & 2);
    } catch (const grid::EQvGridError&) {
    }
    return 0;
}
