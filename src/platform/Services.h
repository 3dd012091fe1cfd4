#pragma once
// The platform services a window or generator needs, handed over at construction so tests can
// put doubles in place of the real ones. The program builds one set in main().

namespace platform {

class MessageBoxes;

struct Services {
    MessageBoxes* messages = nullptr;
};

// The production set (real message boxes, ...), created on first use and living for the run.
Services& productionServices();

} // namespace platform
