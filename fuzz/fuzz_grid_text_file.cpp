// The string grid's text grid file read from disk (its line reader with the text decoding),
// from any bytes: a malformed file ends in the conversion error or the grid's corrupt-file
// error.

#include "FuzzSupport.h"

#include "grid/QvGrid.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    grid::TQvStringGrid g;
    try {
        g.LoadFromFile(fuzzsupport::inputFile("Fuzz.grd", data, size));
    } catch (const grid::EConvertError&) {
    } catch (const grid::EQvGridError&) {
    }
    return 0;
}
