// Building the configuration image from a full-size project the windows accept: 63 DeviceNet
// slaves (IDs 1 to 63) of 24 input and 24 output bytes, every input byte and the first 1440
// output bytes (each output position can be taken once) with an offset, and 512 enabled IO-Link
// variables with 512 input and 512 output process-data items. The project is generated in a
// temporary folder.

#include "common/UComonState.h"
#include "gateway/UProjectFiles.h"
#include "gateway/USaveBincc.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using namespace gateway;

struct FullProject {
    QTemporaryDir dir;
    common::TProgramState state;

    FullProject()
    {
        state.Project_Dir = dir.filePath(QStringLiteral("Full"));
        QDir().mkpath(state.Project_Dir + QStringLiteral("/bin"));
        common::Set_Files(state);

        constexpr int slaves = 63;
        constexpr int bytesPerSlave = 24;
        TDNet_Net_File net;
        TDNet_DefOff_File offsets;
        for (int s = 0; s < slaves; ++s) {
            net.Rows.push_back({QString::number(s + 1), QString::number(bytesPerSlave), QString::number(bytesPerSlave),
                                QStringLiteral("Slave %1").arg(s + 1), std::nullopt, std::nullopt});
            TDNet_Offset_Node node;
            node.ID = QString::number(s + 1);
            for (int k = 0; k < bytesPerSlave; ++k) {
                const int byte = s * bytesPerSlave + k;
                node.ByteIN.push_back({QString::number(byte % 1440), QString()});
                node.ByteOUT.push_back({byte < 1440 ? QString::number(byte) : QStringLiteral("None"), QString()});
            }
            offsets.Nodes.push_back(std::move(node));
        }

        TIOLink_Slave_File io;
        const char* access[] = {"Read Only", "Write Only", "Read Write"};
        for (int i = 0; i < 512; ++i) {
            io.Variables.push_back({"Y", QString::number(60 + i), QStringLiteral("Var%1").arg(i),
                                    QString::fromLatin1(access[i % 3]), "16", "1", "0", "1000", QString::number(i),
                                    "200", "0", "200", "0", "", ""});
            io.Process_Data_Input.push_back({"Y", QStringLiteral("In%1").arg(i), "2", "1", "0", "1000",
                                             QString::number(i / 4), QString::number(i % 4 * 2), "", ""});
            io.Process_Data_Output.push_back({"Y", QStringLiteral("Out%1").arg(i), "2", "1", "0", "1000",
                                              QString::number(i / 4), QString::number(i % 4 * 2), "", ""});
        }

        bool ok = Write_DNETM_Net_File(state.File_DNETM_Net, net)
                  && Write_DNETM_DefOff_File(state.File_DNETM_DefOff, offsets)
                  && Write_IOLink_Slave_File(state.File_IOLink_Slave, io);
        if (!ok)
            std::fprintf(stderr, "cannot write the benchmark project\n");
    }
};

void BM_CompileBin(benchmark::State& st)
{
    FullProject project;
    TSaveBincc image(project.state);
    for (auto _ : st) {
        const TBin_Error err = image.Compile_Bin();
        if (err) {
            st.SkipWithError(err->toStdString().c_str());
            break;
        }
        benchmark::DoNotOptimize(image.Bank2_Image.constData());
    }
    st.counters["bank2_bytes"] = double(image.Bank2_Image.size());
    st.counters["map_entries"] = double(image.Num_ByteIN + image.Num_ByteOUT);
}
BENCHMARK(BM_CompileBin)->Unit(benchmark::kMillisecond);

void BM_CompileAndSaveBin(benchmark::State& st)
{
    FullProject project;
    TSaveBincc image(project.state);
    for (auto _ : st) {
        TBin_Error err = image.Compile_Bin();
        if (!err)
            err = image.Save_Bin();
        if (err) {
            st.SkipWithError(err->toStdString().c_str());
            break;
        }
    }
}
BENCHMARK(BM_CompileAndSaveBin)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
