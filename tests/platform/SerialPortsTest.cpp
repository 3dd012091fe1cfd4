#include "platform/SerialPorts.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace platform;

TEST(SerialPorts, NumberingOfDeviceNames)
{
    struct Case {
        const char* name;
        int port;
    } cases[] = {
        {"ttyS0", 1},
        {"ttyS1", 2},
        {"ttyS63", 64},
        {"ttyUSB0", 65},
        {"ttyUSB63", 128},
        {"ttyACM0", 129},
        {"ttyACM63", 192},
        {"ttyAMA0", 193},
        {"ttyAMA63", 256},
        // Not numbered serial ports.
        {"ttyS64", 0},
        {"ttyUSB100", 0},
        {"ttyS", 0},
        {"ttyS01", 0},
        {"ttyS+1", 0},
        {"ttyS-1", 0},
        {"ttyS1a", 0},
        {"tty0", 0},
        {"ttyUSBx", 0},
        {"console", 0},
        {"", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(serialPortNumber(QString::fromLatin1(c.name)), c.port) << c.name;
        if (c.port != 0) {
            EXPECT_EQ(serialDeviceName(c.port), c.name) << c.port;
        }
    }
    EXPECT_EQ(serialDeviceName(0), "");
    EXPECT_EQ(serialDeviceName(257), "");
    for (int port = 1; port <= kMaxSerialPort; ++port)
        EXPECT_EQ(serialPortNumber(serialDeviceName(port)), port) << port;
}

TEST(SerialPorts, PresentPortsAscendingWithScriptedProbe)
{
    QTemporaryDir dev;
    ASSERT_TRUE(dev.isValid());
    for (const char* name : {"ttyAMA0", "ttyUSB2", "ttyS10", "ttyS2", "ttyS3", "ttyACM1", "tty1", "ttyS99"})
        ASSERT_TRUE(testsupport::writeFile(dev.filePath(QString::fromLatin1(name)), {}));

    QStringList probed;
    const SerialProber probe = [&](const QString& path) {
        probed << QDir(dev.path()).relativeFilePath(path);
        if (path.endsWith("ttyS3"))
            return SerialProbe::Absent; // node without hardware
        if (path.endsWith("ttyACM1"))
            return SerialProbe::InUse; // held by another program: still listed
        return SerialProbe::Available;
    };
    EXPECT_EQ(serialPortsPresent(dev.path(), probe), (std::vector<int>{3, 11, 67, 130, 193}));
    // Names that cannot be numbered are never opened.
    probed.sort();
    EXPECT_EQ(probed, QStringList({"ttyACM1", "ttyAMA0", "ttyS10", "ttyS2", "ttyS3", "ttyUSB2"}));
}

TEST(SerialPorts, RealProbeOnFiles)
{
    QTemporaryDir dev;
    ASSERT_TRUE(dev.isValid());
    ASSERT_TRUE(testsupport::writeFile(dev.filePath("ttyUSB0"), {}));
    ASSERT_TRUE(QDir(dev.path()).mkdir("ttyUSB1")); // opens for writing fail: not a port
    EXPECT_EQ(probeSerialDevice(dev.filePath("ttyUSB0")), SerialProbe::Available);
    EXPECT_EQ(probeSerialDevice(dev.filePath("ttyUSB1")), SerialProbe::Absent);
    EXPECT_EQ(probeSerialDevice(dev.filePath("ttyUSB2")), SerialProbe::Absent);
    EXPECT_EQ(serialPortsPresent(dev.path()), std::vector<int>{65});
}

TEST(SerialPorts, MissingDeviceFolderListsNothing)
{
    QTemporaryDir dev;
    EXPECT_TRUE(serialPortsPresent(dev.filePath("absent")).empty());
}
