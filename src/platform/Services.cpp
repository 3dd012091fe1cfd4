#include "platform/Services.h"

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/DynamicLibrary.h"
#include "platform/Http.h"
#include "platform/IcmpEcho.h"
#include "platform/Messages.h"
#include "platform/Printer.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"

#include <QStandardPaths>

namespace platform {

QDateTime now(const Services& services)
{
    return services.clock ? services.clock->now() : QDateTime::currentDateTime();
}

Services& productionServices()
{
    static QtMessageBoxes messages;
    static DesktopShell shell;
    static TcpHttpClient http;
    static IcmpEchoProbe echo;
    // One INI file per user stands for the registry hive of the current user.
    static SettingsStore registry(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                                  + QStringLiteral("/registry.ini"));
    static QtFileDialogs dialogs;
    static SystemClock clock;
    static QtLibraryLoader libraries;
    static QtPrinter printer; // the system's default printer
    static Services services{&messages, &shell, &http, &echo, &registry, &dialogs, &clock, &libraries, &printer};
    return services;
}

} // namespace platform
