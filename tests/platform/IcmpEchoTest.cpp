#include "platform/IcmpEcho.h"

#include "support/FakeEcho.h"

#include <gtest/gtest.h>

using namespace platform;
using testsupport::FakeEcho;
using testsupport::FakeReachabilityClock;

namespace {
constexpr EchoStatus R = EchoStatus::Reply;
constexpr EchoStatus N = EchoStatus::NoReply;
} // namespace

// A try without reply lasts 400 ms plus the 10 ms pause, an answered one 1 ms plus the pause.
TEST(IcmpEcho, ReachabilityTestFollowsItsTryRules)
{
    struct Case {
        const char* what;
        std::vector<EchoStatus> script; // then no replies
        qint64 replyMs;
        bool reached;
        int ping_res;
        int tries;
    };
    const std::vector<EchoStatus> twelveSilent(12, N);
    auto then = [](std::vector<EchoStatus> v, std::initializer_list<EchoStatus> more) {
        v.insert(v.end(), more);
        return v;
    };
    const Case cases[] = {
        {"answers at once: two tries", {R, R}, 1, true, 1, 2},
        // 12 tries end at 4920 ms, within the 5 s; the 13th ends past them.
        {"never answers", {}, 1, false, 2, 13},
        {"every other, first answered", {R, N, R}, 1, true, 1, 3},
        {"every other, first missed", {N, R, N, R}, 1, true, 1, 4},
        // Seen once, then the time ran out after a try without reply.
        {"one reply, then silence", {R}, 1, false, 2, 14},
        // The last try decides: a single late reply that ends past the 5 s still passes.
        {"one late reply as the last try", then(twelveSilent, {R}), 100, true, 1, 13},
        {"a reply just inside the time allows one more try", then(twelveSilent, {R}), 1, false, 2, 14},
    };
    for (const Case& c : cases) {
        FakeReachabilityClock clock;
        FakeEcho echo(&clock);
        echo.script.assign(c.script.begin(), c.script.end());
        echo.replyMs = c.replyMs;
        const ReachabilityResult result = runReachabilityTest(echo, "127.0.0.1", clock);
        EXPECT_EQ(result.reached, c.reached) << c.what;
        EXPECT_EQ(result.ping_res, c.ping_res) << c.what;
        EXPECT_EQ(result.tries, c.tries) << c.what;
        EXPECT_EQ(clock.steps, c.tries) << c.what << ": one pause after every try";
        EXPECT_TRUE(result.error.isEmpty()) << c.what;
        ASSERT_EQ(echo.sent.size(), size_t(c.tries)) << c.what;
        for (const FakeEcho::Sent& s : echo.sent) {
            EXPECT_EQ(s.address, "127.0.0.1");
            EXPECT_EQ(s.data, "127.0.0.1"); // each request carries the address text
            EXPECT_EQ(s.timeoutMs, kEchoTimeoutMs);
        }
    }
}

TEST(IcmpEcho, ReachabilityTestStopsAtTheFirstFailure)
{
    struct Case {
        const char* what;
        std::vector<EchoStatus> script;
        int ping_res; // kept from the try before the failure
        int tries;
    };
    const Case cases[] = {
        {"address refused at once", {EchoStatus::BadAddress}, 0, 1},
        {"no socket at once", {EchoStatus::NoSocket}, 0, 1},
        {"send refused after a reply", {R, EchoStatus::SendFailed}, 1, 2},
        {"no socket after a time-out", {N, EchoStatus::NoSocket}, 2, 2},
    };
    for (const Case& c : cases) {
        FakeReachabilityClock clock;
        FakeEcho echo(&clock);
        echo.script.assign(c.script.begin(), c.script.end());
        const ReachabilityResult result = runReachabilityTest(echo, "127.0.0.1", clock);
        EXPECT_FALSE(result.reached) << c.what;
        EXPECT_EQ(result.ping_res, c.ping_res) << c.what;
        EXPECT_EQ(result.tries, c.tries) << c.what;
        EXPECT_EQ(result.last, c.script.back()) << c.what;
        EXPECT_FALSE(result.error.isEmpty()) << c.what;
    }
}

TEST(IcmpEcho, AddressMustBeFourDecimalOctets)
{
    struct Case {
        const char* text;
        bool ok;
        quint32 address;
    };
    const Case cases[] = {
        {"192.168.2.205", true, 0xC0A802CD},
        {"127.0.0.1", true, 0x7F000001},
        {"192.168.2.010", true, 0xC0A8020A}, // decimal, not octal
        {"255.255.255.255", true, 0xFFFFFFFF},
        {"192.168.2.300", false, 0},
        {"192.168.2", false, 0},
        {"1.2.3.4.5", false, 0},
        {"1..3.4", false, 0},
        {"a.b.c.d", false, 0},
        {" 1.2.3.4", false, 0},
        {"+1.2.3.4", false, 0},
        {"1.2.3.0004", false, 0},
        {"", false, 0},
        {"0.0.0.0", false, 0}, // would be answered by this machine itself
        {"0.1.2.3", false, 0},
    };
    for (const Case& c : cases) {
        quint32 address = 0;
        EXPECT_EQ(parseEchoAddress(c.text, address), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(address, c.address) << c.text;
        }
    }
}

TEST(IcmpEcho, ProbeSendsNothingToAnUnusableAddress)
{
    IcmpEchoProbe probe;
    for (const char* text : {"192.168.2.300", "no.such.host", "", "0.0.0.0"}) {
        const EchoResult result = probe.echo(text, text, kEchoTimeoutMs);
        EXPECT_EQ(result.status, EchoStatus::BadAddress) << text;
        EXPECT_TRUE(result.failed()) << text;
        EXPECT_FALSE(result.error.isEmpty()) << text;
    }
}

TEST(IcmpEcho, LoopbackAnswersOneRealEcho)
{
    IcmpEchoProbe probe;
    const EchoResult result = probe.echo("127.0.0.1", "127.0.0.1", kEchoTimeoutMs);
    if (result.status == EchoStatus::NoSocket)
        GTEST_SKIP() << "no ICMP socket allowed here: " << result.error.toStdString();
    EXPECT_EQ(result.status, EchoStatus::Reply) << result.error.toStdString();
    EXPECT_EQ(result.bytesReceived, 8 + kEchoDataBytes);
}
