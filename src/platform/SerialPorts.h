#pragma once
// The serial ports present, numbered the way the program shows them ("COM" plus 1..256).
//
// Port numbers come from the device names under /dev, one block of 64 numbers per kind of
// device, so a number always names the same device:
//   ttyS0..ttyS63     -> 1..64     (on-board UARTs; ttyS0 is COM1 as usual)
//   ttyUSB0..ttyUSB63 -> 65..128   (USB serial adapters)
//   ttyACM0..ttyACM63 -> 129..192  (USB CDC modems and boards)
//   ttyAMA0..ttyAMA63 -> 193..256  (ARM PL011 UARTs)
// Other names, and numbers past a block, are not serial ports for the program.
// A device counts as present when it opens, or when it exists but refuses the open because it
// is busy or access is denied (another program holds it, or the user lacks the rights).
// Device nodes without hardware behind them (most ttyS nodes) fail with an I/O error and are
// absent.

#include <QString>

#include <functional>
#include <vector>

namespace platform {

enum class SerialProbe { Absent, Available, InUse };

// Tries one device path; tests put a scripted probe in its place.
using SerialProber = std::function<SerialProbe(const QString& devicePath)>;

// The real probe: open for reading and writing without becoming the controlling terminal and
// without waiting for a carrier, then close at once.
SerialProbe probeSerialDevice(const QString& devicePath);

// Port number of a device name ("ttyUSB0" -> 65); 0 when the name is no numbered serial port.
int serialPortNumber(const QString& deviceName);
// Device name of a port number (65 -> "ttyUSB0"); empty outside 1..256.
QString serialDeviceName(int port);

inline constexpr int kMaxSerialPort = 256;

// Port numbers of the devices present under devDir, ascending.
std::vector<int> serialPortsPresent(const QString& devDir = QStringLiteral("/dev"),
                                    const SerialProber& probe = probeSerialDevice);

} // namespace platform
