// The string grid's binary cell stream (its file, clipboard and drag data), from any bytes: a
// malformed stream must end in the stream's own errors.

#include "FuzzSupport.h"

#include "grid/QvGrid.h"
#include "platform/ComponentStream.h"

#include <QBuffer>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    grid::TQvStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(4);
    QBuffer buf;
    buf.setData(reinterpret_cast<const char*>(data), qsizetype(size));
    buf.open(QIODevice::ReadOnly);
    try {
        g.LoadFromBinStream(buf);
    } catch (const platform::EReadError&) {
    } catch (const grid::EConvertError&) {
    }
    return 0;
}
