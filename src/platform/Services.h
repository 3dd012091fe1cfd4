#pragma once
// The platform services a window or generator needs, handed over at construction so tests can
// put doubles in place of the real ones. The program builds one set in main().

class QDateTime;

namespace platform {

class MessageBoxes;
class Shell;
class HttpClient;
class EchoProbe;
class SettingsStore;
class FileDialogs;
class Clock;
class LibraryLoader;
class Printer;
class AutomationServers;
class DragRunner;

struct Services {
    MessageBoxes* messages = nullptr;
    Shell* shell = nullptr;                  // web links, run-and-wait of the updater
    HttpClient* http = nullptr;              // the version query
    EchoProbe* echo = nullptr;               // the device update's reachability test
    SettingsStore* registry = nullptr;       // the user's registry hive (grid layouts, theme keys)
    FileDialogs* dialogs = nullptr;          // folder, open and save dialogs
    Clock* clock = nullptr;                  // the writers' time stamps; none: the system clock
    LibraryLoader* libraries = nullptr;      // outside libraries by name; none: no library loads
    Printer* printer = nullptr;              // the table control's printouts; none: nothing is printed
    AutomationServers* automation = nullptr; // office automation; none: no server exists
    DragRunner* dragDrop = nullptr;          // drags with other windows; none: Qt's own drag
};

// The date and time now from the services' clock (the system clock when they have none).
QDateTime now(const Services& services);

// The production set (real message boxes, ...), created on first use and living for the run.
Services& productionServices();

} // namespace platform
