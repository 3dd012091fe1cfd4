// The project files of the gateway windows and the configuration image built from them, from
// any bytes: the same input is read as each of the four files in turn, then the image is built
// from the project folder holding all four.

#include "FuzzSupport.h"

#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "gateway/UParGenFile.h"
#include "gateway/UProjectFiles.h"
#include "gateway/USaveBincc.h"
#include "platform/Xml.h"

#include <QDir>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    common::Load_Default_Texts();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    common::TProgramState state;
    state.Project_Dir = fuzzsupport::folder().path();
    QDir().mkpath(state.Project_Dir + QStringLiteral("/bin"));
    common::Set_Files(state);
    for (const char* name : {"ParGen.xml", "IOLink_Slave.xml", "DNETM_Net.xml", "DNETM_DefOff.xml"})
        fuzzsupport::inputFile(name, data, size);
    try {
        gateway::TParGen_Data parGen;
        gateway::Read_ParGen_File(state.File_ParGen, parGen);
    } catch (const platform::xml::XmlError&) {
    }
    try {
        gateway::TIOLink_Slave_File io;
        gateway::Read_IOLink_Slave_File(state.File_IOLink_Slave, io);
        gateway::TDNet_Net_File net;
        gateway::Read_DNETM_Net_File(state.File_DNETM_Net, net);
        gateway::TDNet_DefOff_File offsets;
        gateway::Read_DNETM_DefOff_File(state.File_DNETM_DefOff, offsets);
    } catch (const platform::xml::XmlError&) {
    }
    // Builds in memory only: refusals come back as messages, nothing is written.
    gateway::TSaveBincc image(state);
    image.Compile_Bin();
    return 0;
}
