// A BACnet EDE file as the import picker reads it, from any bytes: the text decoding of the
// platform, then the object lines.

#include "FuzzSupport.h"

#include "platform/TextCodec.h"
#include "protocols/ethernet/bacnet/UImportEDEFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto vars = ethernet::Read_EDE_Vars(platform::splitLines(platform::decodeText(bytes)));
    (void)vars;
    return 0;
}
