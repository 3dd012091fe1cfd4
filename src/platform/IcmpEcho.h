#pragma once
// ICMP echo over IPv4, and the reachability test the device update runs with it before it
// sends anything to a gateway.

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

namespace platform {

// Data bytes carried by each echo request (the caller's text, padded with zeros).
inline constexpr int kEchoDataBytes = 1024;
// How long one try waits for its reply.
inline constexpr int kEchoTimeoutMs = 400;
// The reachability test starts no new try once this much time has passed since it began.
inline constexpr int kReachabilityLimitMs = 5000;
// The reachability test ends as soon as this many tries were answered.
inline constexpr int kRepliesNeeded = 2;
// Pause between tries, after which pending window messages are handled.
inline constexpr int kReachabilityStepMs = 10;

enum class EchoStatus {
    Reply,      // an echo reply came back in time
    NoReply,    // nothing came back in time
    BadAddress, // the text is no usable IPv4 address; nothing was sent
    NoSocket,   // no ICMP socket could be opened (neither kind is allowed here)
    SendFailed, // the system refused to send to the address (no route, broadcast, ...)
};

struct EchoResult {
    EchoStatus status = EchoStatus::NoReply;
    int bytesReceived = 0; // size of the echo reply; 0 without one
    QString error;         // what went wrong, for the three failure kinds

    // A failure ends a reachability test at once, unlike a try without reply.
    bool failed() const { return status != EchoStatus::Reply && status != EchoStatus::NoReply; }
};

// One echo try. Tests script it; the update window takes it from Services.
class EchoProbe {
public:
    virtual ~EchoProbe() = default;

    // Sends one echo request to a dotted IPv4 address with data as its payload and waits up to
    // timeoutMs for the reply.
    virtual EchoResult echo(const QString& address, const QByteArray& data, int timeoutMs) = 0;
};

// The production probe. Uses an unprivileged ICMP datagram socket where the system allows one
// and a raw ICMP socket otherwise. Host names are not resolved: the update only ever has a
// typed address.
class IcmpEchoProbe final : public EchoProbe {
public:
    EchoResult echo(const QString& address, const QByteArray& data, int timeoutMs) override;

private:
    quint16 sequence_ = 0;
};

// Reads four decimal numbers 0..255 joined by "." (leading zeros are decimal, never octal) into
// a host-order address. Addresses whose first number is 0 are refused: the system would answer
// them itself and a missing gateway would pass the test.
bool parseEchoAddress(const QString& text, quint32& address);

// Time and pauses of the reachability test, so tests can run it on a clock of their own.
class ReachabilityClock {
public:
    virtual ~ReachabilityClock() = default;
    virtual qint64 nowMs() = 0;
    // The pause after each try: kReachabilityStepMs, then pending window messages are handled.
    virtual void step() = 0;
};

// The production clock: a monotonic timer, a real sleep and the application's event processing
// (the update window stays painted and responsive between tries).
class UiReachabilityClock final : public ReachabilityClock {
public:
    UiReachabilityClock();
    qint64 nowMs() override;
    void step() override;

private:
    QElapsedTimer timer_;
};

struct ReachabilityResult {
    bool reached = false; // the gateway answers: the last try got its reply
    // The update window's view of the latest try: 0 none yet (or the first try failed), 1 it
    // got a reply with data, 2 it timed out. Kept from the try before when a try failed.
    int ping_res = 0;
    int tries = 0;
    EchoStatus last = EchoStatus::NoReply; // what the last try gave; a failure if one ended the test
    QString error;                         // the failure's text
};

// Sends echo tries to address, each carrying the address text, until kRepliesNeeded tries were
// answered or no try is left to start within kReachabilityLimitMs; pauses one clock step after
// each try. A probe failure ends the test at once, unreached.
ReachabilityResult runReachabilityTest(EchoProbe& probe, const QString& address, ReachabilityClock& clock);

} // namespace platform
