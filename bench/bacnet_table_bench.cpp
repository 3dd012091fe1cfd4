// The BACnet server tables with full files: the window shown (tables reset, file loaded) and
// confirmed (every row checked, the object total, the file written), against pugixml loading
// and saving the same file in the same run. Two files: 2 x 2000 rows, where OK checks every row
// and then refuses the object total (4000 of 2000), and 2 x 1000 rows, where OK also writes the
// file. The summary prints each ratio; the bar of 25x is there to catch work that grows with
// the square of the rows.
#include "common/UComonState.h"
#include "common/ULanguage.h"
#include "platform/Messages.h"
#include "platform/Services.h"
#include "protocols/ethernet/bacnet/UBACnetSlaveSetAccess.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class QuietMessages final : public platform::MessageBoxes {
public:
    platform::MsgResult show(QWidget*, const QString& text, const QString&, platform::MsgIcon,
                             platform::MsgButtons) override
    {
        last = text;
        return platform::MsgResult::Ok;
    }
    QString last;
};

QByteArray fullFile(int rowsPerTable)
{
    QByteArray file = "<BACnet_to_Modbus>\n";
    for (const char* section : {"BACnet_in_Read", "BACnet_in_Write"}) {
        file += QByteArray("\t<") + section + ">\n";
        for (int r = 0; r < rowsPerTable; ++r)
            file += "\t\t<row Data_Type=\"Analog Value\" Eng_Unit=\"62\" Position=\"" + QByteArray::number(r % 1497)
                    + "\" Bit=\"\" Length=\"4\" Swap=\"N\" Mnemonic=\"Object " + QByteArray::number(r) + "\" />\n";
        file += QByteArray("\t</") + section + ">\n";
    }
    return file + "</BACnet_to_Modbus>\n<!--SW_VERSION = 1.000-->\n";
}

struct Setup {
    QTemporaryDir dir;
    QString path;
    QByteArray content;
    QuietMessages messages;
    platform::Services services;
    std::unique_ptr<ethernet::TFBACnetSlaveSetAccess> window;

    explicit Setup(int rowsPerTable)
    {
        common::Load_Default_Texts();
        path = QDir(dir.path()).filePath(QStringLiteral("BACnet_Slave.xml"));
        content = fullFile(rowsPerTable);
        common::State().File_BACnet_Slave = path;
        common::State().File_ParGen.clear();
        services.messages = &messages;
        window = std::make_unique<ethernet::TFBACnetSlaveSetAccess>(services);
    }
    void restore()
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(content);
    }
    void showAndOK()
    {
        window->show();
        window->Btn_OKClick();
        window->hide();
    }
    void pugiLoadSave()
    {
        pugi::xml_document doc;
        doc.load_file(path.toLocal8Bit().constData());
        doc.save_file(path.toLocal8Bit().constData(), "\t", pugi::format_default | pugi::format_no_declaration);
    }
};

void BM_ShowAndOK(benchmark::State& st)
{
    Setup s(int(st.range(0)));
    for (auto _ : st) {
        st.PauseTiming();
        s.restore();
        st.ResumeTiming();
        s.showAndOK();
    }
}
BENCHMARK(BM_ShowAndOK)->Arg(2000)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_PugiLoadSave(benchmark::State& st)
{
    Setup s(int(st.range(0)));
    for (auto _ : st) {
        st.PauseTiming();
        s.restore();
        st.ResumeTiming();
        s.pugiLoadSave();
    }
}
BENCHMARK(BM_PugiLoadSave)->Arg(2000)->Arg(1000)->Unit(benchmark::kMillisecond);

// Median of seven alternating runs of each.
void summary(int rowsPerTable)
{
    Setup s(rowsPerTable);
    std::vector<double> window, pugi;
    for (int k = 0; k < 7; ++k) {
        QElapsedTimer t;
        s.restore();
        t.start();
        s.showAndOK();
        window.push_back(double(t.nsecsElapsed()) / 1e6);
        s.restore();
        t.start();
        s.pugiLoadSave();
        pugi.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(window.begin(), window.end());
    std::sort(pugi.begin(), pugi.end());
    const double ratio = window[3] / std::max(pugi[3], 1e-3);
    std::printf(
        "2 x %d rows: show and OK %.1f ms, pugixml load and save %.2f ms, ratio %.1fx (bar 25x: %s); OK said: %s\n",
        rowsPerTable, window[3], pugi[3], ratio, ratio < 25 ? "met" : "NOT met",
        s.messages.last.isEmpty() ? "(saved)" : s.messages.last.toUtf8().constData());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bool summaryOnly = false;
    for (int i = 1; i < argc; ++i)
        if (QByteArray(argv[i]) == "--summary_only")
            summaryOnly = true;
    if (!summaryOnly) {
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    summary(2000);
    summary(1000);
    return 0;
}
