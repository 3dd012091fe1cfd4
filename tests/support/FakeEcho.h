#pragma once
// A scripted echo probe and a clock of its own for the reachability test: nothing is sent and
// nothing sleeps. Each try takes the time a real one would (a reply replyMs, a time-out the whole
// time-out), each pause one step, so the test's time rules run exactly.

#include "platform/IcmpEcho.h"

#include <QByteArray>
#include <QString>
#include <deque>
#include <vector>

namespace testsupport {

class FakeReachabilityClock final : public platform::ReachabilityClock {
public:
    qint64 nowMs() override { return now; }
    void step() override
    {
        now += platform::kReachabilityStepMs;
        ++steps;
    }

    qint64 now = 0;
    int steps = 0;
};

class FakeEcho final : public platform::EchoProbe {
public:
    struct Sent {
        QString address;
        QByteArray data;
        int timeoutMs;
    };

    explicit FakeEcho(FakeReachabilityClock* clock = nullptr) : clock_(clock) {}

    platform::EchoResult echo(const QString& address, const QByteArray& data, int timeoutMs) override
    {
        sent.push_back({address, data, timeoutMs});
        platform::EchoResult result;
        result.status = defaultStatus;
        if (!script.empty()) {
            result.status = script.front();
            script.pop_front();
        }
        qint64 took = 0;
        switch (result.status) {
        case platform::EchoStatus::Reply:
            result.bytesReceived = 8 + platform::kEchoDataBytes;
            took = replyMs;
            break;
        case platform::EchoStatus::NoReply:
            took = timeoutMs;
            break;
        default:
            result.error = QStringLiteral("scripted failure");
            break;
        }
        if (clock_)
            clock_->now += took;
        return result;
    }

    std::deque<platform::EchoStatus> script;
    platform::EchoStatus defaultStatus = platform::EchoStatus::NoReply;
    qint64 replyMs = 1;
    std::vector<Sent> sent;

private:
    FakeReachabilityClock* clock_;
};

} // namespace testsupport
