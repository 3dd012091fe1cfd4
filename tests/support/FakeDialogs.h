#pragma once
// Scripted file and folder dialogs: records every dialog shown and answers from a queue (then
// an empty text, which is a cancel).

#include "platform/Dialogs.h"

#include <QString>
#include <deque>
#include <vector>

namespace testsupport {

class FakeDialogs final : public platform::FileDialogs {
public:
    enum class Kind { Folder, Open, Save };
    struct Shown {
        Kind kind;
        QString caption;
        QString startDir;
        QString filter;
    };

    QString pickFolder(QWidget*, const QString& caption, const QString& startDir) override
    {
        return answer({Kind::Folder, caption, startDir, QString()});
    }
    QString openFileName(QWidget*, const QString& caption, const QString& startDir, const QString& filter) override
    {
        return answer({Kind::Open, caption, startDir, filter});
    }
    QString saveFileName(QWidget*, const QString& caption, const QString& startDir, const QString& filter) override
    {
        return answer({Kind::Save, caption, startDir, filter});
    }

    std::vector<Shown> shown;
    // Answers in order; an empty text cancels.
    std::deque<QString> answers;

private:
    QString answer(Shown s)
    {
        shown.push_back(std::move(s));
        if (answers.empty())
            return QString();
        QString r = answers.front();
        answers.pop_front();
        return r;
    }
};

} // namespace testsupport
