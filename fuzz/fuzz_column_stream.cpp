// The column grid's column stream, from any bytes: a malformed stream must end in the grid's
// own error and leave the columns as they were.

#include "FuzzSupport.h"

#include "grid/QvCGrid.h"

#include <QBuffer>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    grid::TQvColumnGrid g;
    g.SetColCount(3);
    QBuffer buf;
    buf.setData(reinterpret_cast<const char*>(data), qsizetype(size));
    buf.open(QIODevice::ReadOnly);
    try {
        g.LoadColumnsFromStream(buf);
    } catch (const grid::EQvGridError&) {
    }
    return 0;
}
