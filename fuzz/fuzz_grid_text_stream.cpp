// The string grid's text grid file in its stream form, from any bytes: a malformed stream must
// end in the conversion error.

#include "FuzzSupport.h"

#include "grid/QvGrid.h"

#include <QBuffer>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    grid::TQvStringGrid g;
    QBuffer buf;
    buf.setData(reinterpret_cast<const char*>(data), qsizetype(size));
    buf.open(QIODevice::ReadOnly);
    try {
        g.LoadFromStream(buf);
    } catch (const grid::EConvertError&) {
    }
    return 0;
}
