// Test entry point: one QApplication for the whole run, always headless.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

// The offscreen platform's own screen is 800 x 800, smaller than some windows' design size;
// the tests run on a common desktop screen instead, so windows keep the sizes they are built
// with. A test that needs another screen starts a test program of its own with
// QT_QPA_PLATFORM=offscreen:configfile=... (the platform reads its screens from that file).
void useDesktopScreen(const QTemporaryDir& dir)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen")
        return;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile f(config);
    if (!dir.isValid() || !f.open(QIODevice::WriteOnly))
        return;
    f.write(R"({"screens": [{"name": "desktop", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
            R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    f.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
}

} // namespace

int main(int argc, char** argv)
{
    // Set here as well as by CTest so a test program started by hand never needs a display.
    const QTemporaryDir screenDir;
    useDesktopScreen(screenDir);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
