#pragma once
// Scripted message boxes: records every box shown and answers from a queue (then a default).

#include "platform/Messages.h"

#include <QString>
#include <deque>
#include <vector>

namespace testsupport {

class FakeMessages final : public platform::MessageBoxes {
public:
    struct Shown {
        QString text;
        QString caption;
        platform::MsgIcon icon;
        platform::MsgButtons buttons;
    };

    platform::MsgResult show(QWidget*, const QString& text, const QString& caption, platform::MsgIcon icon,
                             platform::MsgButtons buttons) override
    {
        shown.push_back({text, caption, icon, buttons});
        // A box with OK alone has nothing to answer: it leaves the script to the next question.
        if (buttons == platform::MsgButtons::Ok)
            return platform::MsgResult::Ok;
        if (!answers.empty()) {
            const platform::MsgResult r = answers.front();
            answers.pop_front();
            return r;
        }
        return defaultAnswer;
    }

    QString lastText() const { return shown.empty() ? QString() : shown.back().text; }

    std::vector<Shown> shown;
    std::deque<platform::MsgResult> answers;
    platform::MsgResult defaultAnswer = platform::MsgResult::No;
};

} // namespace testsupport
