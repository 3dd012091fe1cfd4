#pragma once
// What the fuzz targets share: the input written to a file in a private temporary folder, for
// the readers that take a path, and the application object the table control needs.

#include "platform/Messages.h"
#include "platform/Services.h"

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace fuzzsupport {

inline QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    return dir;
}

// Writes the input to name in the private folder and gives its path.
inline QString inputFile(const char* name, const std::uint8_t* data, std::size_t size)
{
    const QString path = folder().filePath(QLatin1String(name));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

// One application object for the whole run, without a display.
inline void startApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
}

// Message boxes that answer at once (OK, or No to a question), so a window's messages never
// wait for a user.
class QuietMessages final : public platform::MessageBoxes {
public:
    platform::MsgResult show(QWidget*, const QString&, const QString&, platform::MsgIcon,
                             platform::MsgButtons buttons) override
    {
        return buttons == platform::MsgButtons::Ok || buttons == platform::MsgButtons::OkCancel
                   ? platform::MsgResult::Ok
                   : platform::MsgResult::No;
    }
};

// Runs f when the run ends, before the application object goes: windows a target keeps for
// the whole run must not outlive it.
inline void beforeApplicationEnds(void (*f)())
{
    std::atexit(f);
}

// Services for windows under the fuzzer: quiet messages, nothing else.
inline platform::Services& services()
{
    static QuietMessages messages;
    static platform::Services s = [] {
        platform::Services x;
        x.messages = &messages;
        return x;
    }();
    return s;
}

// Shows a window as ShowModal shows it (its show handler reads its file), lets the events
// run, and hides it again.
inline void showOnce(QDialog& w)
{
    w.hide();
    w.setModal(true);
    w.show();
    QCoreApplication::processEvents();
    w.hide();
}

} // namespace fuzzsupport
