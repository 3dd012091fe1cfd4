// The connection entries of an EtherNet/IP EDS file as the scanner's picker lists them, from
// any bytes: the picker is shown on the file, reads it and lists what decodes.

#include "FuzzSupport.h"

#include "common/ULanguage.h"
#include "protocols/ethernet/ethernetip/UEtherNetIP_EDS.h"

#include <memory>

namespace {
std::unique_ptr<ethernet::TFEtherNEtIP_EDS> picker;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzsupport::startApplication();
    common::Load_Default_Texts();
    picker = std::make_unique<ethernet::TFEtherNEtIP_EDS>(fuzzsupport::services());
    fuzzsupport::beforeApplicationEnds([] { picker.reset(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    picker->EDS_FileName = fuzzsupport::inputFile("Fuzz.eds", data, size);
    fuzzsupport::showOnce(*picker);
    return 0;
}
