#pragma once
// The platform services a window or generator needs, handed over at construction so tests can
// put doubles in place of the real ones. The program builds one set in main().

namespace platform {

class MessageBoxes;
class Shell;
class HttpClient;
class EchoProbe;
class SettingsStore;
class FileDialogs;

struct Services {
    MessageBoxes* messages = nullptr;
    Shell* shell = nullptr;       // web links, run-and-wait of the updater
    HttpClient* http = nullptr;   // the version query
    EchoProbe* echo = nullptr;    // the device update's reachability test
    SettingsStore* registry = nullptr; // the user's registry hive (grid layouts, theme keys)
    FileDialogs* dialogs = nullptr;    // folder, open and save dialogs
};

// The production set (real message boxes, ...), created on first use and living for the run.
Services& productionServices();

} // namespace platform
