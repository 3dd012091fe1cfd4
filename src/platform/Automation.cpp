#include "platform/Automation.h"

namespace platform {

namespace {

class NoServers : public AutomationServers {
public:
    AutomationRef create(const QString&) override { return nullptr; }
    AutomationRef attach(const QString&) override { return nullptr; }
};

} // namespace

AutomationServers& noAutomationServers()
{
    static NoServers none;
    return none;
}

} // namespace platform
