#include "platform/Services.h"

#include "platform/Messages.h"

namespace platform {

Services& productionServices()
{
    static QtMessageBoxes messages;
    static Services services{&messages};
    return services;
}

} // namespace platform
