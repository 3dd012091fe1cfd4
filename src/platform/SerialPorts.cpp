#include "platform/SerialPorts.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int kBlockSize = 64;
// In number order: block i holds ports i * 64 + 1 .. i * 64 + 64.
constexpr std::array<const char*, 4> kFamilies = {"ttyS", "ttyUSB", "ttyACM", "ttyAMA"};

} // namespace

SerialProbe probeSerialDevice(const QString& devicePath)
{
    const QByteArray path = QFile::encodeName(devicePath);
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return SerialProbe::Available;
    }
    switch (errno) {
    case EACCES:
    case EPERM:
    case EBUSY:
        return SerialProbe::InUse;
    default:
        return SerialProbe::Absent;
    }
}

int serialPortNumber(const QString& deviceName)
{
    for (int block = 0; block < int(kFamilies.size()); ++block) {
        const QLatin1String prefix(kFamilies[block]);
        if (!deviceName.startsWith(prefix))
            continue;
        const QString digits = deviceName.mid(prefix.size());
        // Plain decimal only: no sign, no leading zero, so each port has exactly one name.
        if (digits.isEmpty() || digits.size() > 2 || (digits.size() > 1 && digits[0] == QLatin1Char('0')))
            continue;
        bool ok = false;
        const int n = digits.toInt(&ok);
        if (!ok || !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); }))
            continue;
        if (n < kBlockSize)
            return block * kBlockSize + n + 1;
    }
    return 0;
}

QString serialDeviceName(int port)
{
    if (port < 1 || port > kMaxSerialPort)
        return {};
    const int block = (port - 1) / kBlockSize;
    return QLatin1String(kFamilies[block]) + QString::number((port - 1) % kBlockSize);
}

std::vector<int> serialPortsPresent(const QString& devDir, const SerialProber& probe)
{
    std::vector<int> ports;
    const QDir dir(devDir);
    QStringList filters;
    for (const char* family : kFamilies)
        filters << QLatin1String(family) + QLatin1Char('*');
    const QStringList names = dir.entryList(filters, QDir::AllEntries | QDir::System | QDir::Hidden);
    for (const QString& name : names) {
        const int port = serialPortNumber(name);
        if (port == 0)
            continue;
        if (probe(dir.filePath(name)) != SerialProbe::Absent)
            ports.push_back(port);
    }
    std::sort(ports.begin(), ports.end());
    return ports;
}

} // namespace platform
