#include "platform/IcmpEcho.h"

#include <QCoreApplication>
#include <QStringList>
#include <QThread>

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr quint8 kIcmpEchoReply = 0;
constexpr quint8 kIcmpEchoRequest = 8;
constexpr int kIcmpHeaderBytes = 8;

class Socket {
public:
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

QString systemError(const char* what, int err)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(err)));
}

void putBigEndian16(uchar* p, quint16 v)
{
    p[0] = uchar(v >> 8);
    p[1] = uchar(v & 0xFF);
}

quint16 getBigEndian16(const uchar* p)
{
    return quint16((p[0] << 8) | p[1]);
}

// The Internet checksum (one's complement of the one's-complement sum of 16-bit words).
quint16 internetChecksum(const uchar* p, qsizetype n)
{
    quint32 sum = 0;
    for (; n > 1; p += 2, n -= 2)
        sum += getBigEndian16(p);
    if (n == 1)
        sum += quint32(p[0]) << 8;
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return quint16(~sum);
}

} // namespace

bool parseEchoAddress(const QString& text, quint32& address)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    quint32 value = 0;
    for (const QString& part : parts) {
        if (part.isEmpty() || part.size() > 3)
            return false;
        for (QChar c : part) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        }
        const int octet = part.toInt();
        if (octet > 255)
            return false;
        value = (value << 8) | quint32(octet);
    }
    if ((value >> 24) == 0)
        return false;
    address = value;
    return true;
}

EchoResult IcmpEchoProbe::echo(const QString& address, const QByteArray& data, int timeoutMs)
{
    EchoResult result;
    quint32 target = 0;
    if (!parseEchoAddress(address, target)) {
        result.status = EchoStatus::BadAddress;
        result.error = QStringLiteral("Not an IPv4 address: %1").arg(address);
        return result;
    }

    // The datagram kind needs no privilege but is allowed only to the groups the system lists
    // (net.ipv4.ping_group_range); the raw kind needs the raw-network capability.
    bool datagram = true;
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd < 0) {
        const int datagramError = errno;
        datagram = false;
        fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (fd < 0) {
            result.status = EchoStatus::NoSocket;
            result.error = systemError("ICMP socket", datagramError) + QStringLiteral("; ")
                           + systemError("raw ICMP socket", errno);
            return result;
        }
    }
    const Socket socket(fd);

    // On a datagram socket the system puts its own identifier in and only hands back replies
    // that carry it; on a raw socket every ICMP message arrives and ours are picked by identifier.
    const quint16 identifier = quint16(::getpid() & 0xFFFF);
    const quint16 sequence = ++sequence_;

    QByteArray packet(kIcmpHeaderBytes + kEchoDataBytes, '\0');
    uchar* p = reinterpret_cast<uchar*>(packet.data());
    p[0] = kIcmpEchoRequest;
    p[1] = 0;
    putBigEndian16(p + 4, identifier);
    putBigEndian16(p + 6, sequence);
    std::memcpy(p + kIcmpHeaderBytes, data.constData(), size_t(qMin<qsizetype>(data.size(), kEchoDataBytes)));
    putBigEndian16(p + 2, internetChecksum(p, packet.size()));

    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(target);
    ssize_t sent = -1;
    do {
        sent = ::sendto(fd, p, size_t(packet.size()), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    } while (sent < 0 && errno == EINTR);
    if (sent < 0) {
        result.status = EchoStatus::SendFailed;
        result.error = systemError("Sending the echo request", errno);
        return result;
    }

    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    uchar buffer[2 * (kIcmpHeaderBytes + kEchoDataBytes) + 128];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            break;
        pollfd waitFor{fd, POLLIN, 0};
        const int ready = ::poll(&waitFor, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;

        sockaddr_in from{};
        socklen_t fromSize = sizeof from;
        const ssize_t n = ::recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
        if (n <= 0)
            continue;
        // Only the echo reply to this request, from the address asked, counts. A raw socket also
        // shows our own request (on loopback) and every other ICMP message arriving here.
        if (from.sin_addr.s_addr != to.sin_addr.s_addr)
            continue;
        const uchar* icmp = buffer;
        qsizetype size = n;
        if (!datagram) {
            const qsizetype ipHeader = (buffer[0] & 0x0F) * 4;
            if (size < ipHeader)
                continue;
            icmp += ipHeader;
            size -= ipHeader;
        }
        if (size < kIcmpHeaderBytes || icmp[0] != kIcmpEchoReply || getBigEndian16(icmp + 6) != sequence)
            continue;
        if (!datagram && getBigEndian16(icmp + 4) != identifier)
            continue;
        result.status = EchoStatus::Reply;
        result.bytesReceived = int(size);
        return result;
    }
    result.status = EchoStatus::NoReply;
    return result;
}

UiReachabilityClock::UiReachabilityClock()
{
    timer_.start();
}

qint64 UiReachabilityClock::nowMs()
{
    return timer_.elapsed();
}

void UiReachabilityClock::step()
{
    QThread::msleep(kReachabilityStepMs);
    QCoreApplication::processEvents();
}

ReachabilityResult runReachabilityTest(EchoProbe& probe, const QString& address, ReachabilityClock& clock)
{
    ReachabilityResult result;
    const qint64 start = clock.nowMs();
    const QByteArray data = address.toLatin1();
    int replies = 0;
    for (;;) {
        const EchoResult echo = probe.echo(address, data, kEchoTimeoutMs);
        ++result.tries;
        result.last = echo.status;
        if (echo.failed()) {
            result.error = echo.error;
            result.reached = false;
            return result; // ping_res keeps the try before's value
        }
        result.ping_res = echo.status == EchoStatus::Reply && echo.bytesReceived > 0 ? 1 : 2;
        // The try itself waits for its reply; the pause lets the window breathe between tries.
        clock.step();
        if (result.ping_res == 1 && ++replies == kRepliesNeeded)
            break;
        if (clock.nowMs() - start > kReachabilityLimitMs)
            break;
    }
    result.reached = result.ping_res == 1;
    return result;
}

} // namespace platform
