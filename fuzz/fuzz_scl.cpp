// An SCL file (".icd", ".cid") read into the device tree of the IEC 61850 client, from any
// bytes: a file that is not well-formed ends in the parser's error, anything else in a tree.

#include "FuzzSupport.h"

#include "platform/Xml.h"
#include "protocols/energy_it/iec61850/UIEC_Client_Decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const energy_it::TIEC_Device device(fuzzsupport::inputFile("Fuzz.cid", data, size));
    } catch (const platform::xml::XmlError&) {
    }
    return 0;
}
