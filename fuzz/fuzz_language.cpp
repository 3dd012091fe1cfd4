// A language file (".lng") overlaying the text table, from any bytes.

#include "FuzzSupport.h"

#include "common/ULanguage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    common::Load_Default_Texts();
    common::Read_Lang_File(fuzzsupport::inputFile("Fuzz.lng", data, size));
    return 0;
}
