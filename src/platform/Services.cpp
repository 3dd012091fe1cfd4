#include "platform/Services.h"

#include "platform/Http.h"
#include "platform/IcmpEcho.h"
#include "platform/Messages.h"
#include "platform/Shell.h"

namespace platform {

Services& productionServices()
{
    static QtMessageBoxes messages;
    static DesktopShell shell;
    static TcpHttpClient http;
    static IcmpEchoProbe echo;
    static Services services{&messages, &shell, &http, &echo};
    return services;
}

} // namespace platform
