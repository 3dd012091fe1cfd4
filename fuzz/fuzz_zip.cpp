// The ZIP reader, from any bytes; a small total cap keeps each run quick while still letting
// entries of a few megabytes through.

#include "FuzzSupport.h"

#include "platform/Zip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<platform::ZipEntry> entries;
    QString error;
    platform::readZip(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), entries, &error,
                      8 * 1024 * 1024);
    return 0;
}
