#pragma once
// The desktop shell: opening a web address or document with the handler the desktop has for it,
// running an external program while the caller waits for it to end, and the icons the desktop
// shows for files, folders and its own places.

#include <QImage>
#include <QString>

namespace platform {

// How long the program waits for the maker's updater before it gives up waiting.
inline constexpr int kUpdaterWaitLimitMs = 150000;
// The wait polls the program this often.
inline constexpr int kRunPollMs = 10;

// How a run-and-wait ended. The program's exit code is never looked at.
enum class RunOutcome {
    NotStarted,   // the program file is missing, not executable, or could not be started
    Exited,       // the program ended within the limit
    LimitReached, // the limit passed first; the program was left running
};

struct RunRequest {
    QString program;    // path of the program file (a bare name is looked up on the PATH)
    QString parameters; // command-line text, split into arguments the way a shell would
    QString folder;     // working folder of the program; empty keeps ours
    // Start without showing a window. Programs here open their own windows as they please, so
    // the production shell only passes the wish on where the platform has such a start option.
    bool hidden = false;
    int limitMs = kUpdaterWaitLimitMs;
};

class Shell {
public:
    virtual ~Shell() = default;

    // Opens an address (web page, document) with the desktop's handler; false when nothing
    // took it. Does not wait.
    virtual bool openUrl(const QString& url) = 0;

    // Starts the program and blocks, handling no window messages, until it ends or limitMs
    // pass, looking every kRunPollMs. When the limit passes the program keeps running.
    virtual RunOutcome runAndWait(const RunRequest& request) = 0;
};

// The production shell: QDesktopServices for addresses, a spawned child process for programs.
class DesktopShell final : public Shell {
public:
    bool openUrl(const QString& url) override;
    RunOutcome runAndWait(const RunRequest& request) override;
};

// The desktop's icon for a shell name, small (16 px) or large (32 px). A name that is a number
// picks the icon of that type: 0 computer, 1 desktop, 2 trash, 3 network, 4 drive, 5 folder,
// 6 file, any other number a file. Any other name gives the icon of that file or folder, or,
// when nothing of that name exists, the icon of its suffix. size is the icon size even when
// the desktop has no icon to give and the image is empty, so layouts stay the same everywhere.
struct ShellIcon {
    QImage image;
    int size = 0;
};
ShellIcon shellIcon(const QString& name, bool large);

} // namespace platform
