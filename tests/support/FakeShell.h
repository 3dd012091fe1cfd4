#pragma once
// A shell that opens nothing and runs nothing: it records the addresses opened and the programs
// run, answers runs from a queue (then a default), and can run a callback in place of the
// program (to stand for what the program would have done).

#include "platform/Shell.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

namespace testsupport {

class FakeShell final : public platform::Shell {
public:
    bool openUrl(const QString& url) override
    {
        openedUrls.push_back(url);
        return openSucceeds;
    }

    platform::RunOutcome runAndWait(const platform::RunRequest& request) override
    {
        runs.push_back(request);
        platform::RunOutcome outcome = defaultOutcome;
        if (!outcomes.empty()) {
            outcome = outcomes.front();
            outcomes.pop_front();
        }
        if (outcome != platform::RunOutcome::NotStarted && onRun)
            onRun(request);
        return outcome;
    }

    QStringList openedUrls;
    bool openSucceeds = true;

    std::vector<platform::RunRequest> runs;
    std::deque<platform::RunOutcome> outcomes;
    platform::RunOutcome defaultOutcome = platform::RunOutcome::Exited;
    std::function<void(const platform::RunRequest&)> onRun;
};

} // namespace testsupport
