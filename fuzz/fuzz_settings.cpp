// The settings file "Quorvantis.xml" as start-up reads it, from any bytes.

#include "FuzzSupport.h"

#include "common/UComonState.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    common::TProgramState state;
    state.Exe_Dir = fuzzsupport::folder().path();
    state.Projects_Dir = state.Exe_Dir + QStringLiteral("/PROJECTS");
    fuzzsupport::inputFile("Quorvantis.xml", data, size);
    common::Read_Setting(state);
    return 0;
}
