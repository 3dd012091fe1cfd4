#pragma once
// Small stateless helpers shared by the configuration windows, the image builder and the
// description generators: whole numbers as users type them, numbers with the user's decimal
// separator, the IO-Link rate code and minimum cycle time, dotted IPv4 addresses with and
// without a port, the serial ports present and the device's network hardware. None of them
// raises or shows a message: every failure is a result value the caller turns into its own.

#include "platform/SerialPorts.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace common {

// ---- Whole numbers -------------------------------------------------------------------------
// The one reading rule for every whole number typed into the program: leading spaces skipped,
// an optional sign, then decimal digits, or hexadecimal digits after "$", "x" or "0x" (either
// case of x). An empty text, any other character (trailing blanks included) or a value outside
// the target type gives def. Hexadecimal beyond 0x7FFFFFFF is an overflow of the 32-bit forms
// too; read such values with the 64-bit form.
int strToIntDef(const QString& text, int def);
std::int64_t strToInt64Def(const QString& text, std::int64_t def);
bool tryStrToInt(const QString& text, int& value);
bool tryStrToInt64(const QString& text, std::int64_t& value);

// Blanks and control characters removed from both ends (every character up to U+0020).
QString trimBlanks(const QString& text);
// a..z to A..Z, every other character kept.
QString upperAscii(const QString& text);

// ---- Decimal numbers -----------------------------------------------------------------------
// The user's decimal separator: "." when the user's locale says so, "," for "," and for
// anything else.
QChar Get_Decimal_Separator();

// Every "," becomes "." when separator is ".", otherwise every "." becomes ","; the result is
// read with Get_Decimal_Separator (no thousands separators, optional exponent). True
// stores the value rounded to 32-bit float; false stores 1.0, which some callers use as is.
bool Str_To_Float_Sep(const QString& text, QChar separator, float& value);

// ---- IO-Link -------------------------------------------------------------------------------
// "COM2" gives 2, "COM3" gives 3 (trimmed, case-sensitive), every other text 1.
int Get_IOLink_Baud_Code(const QString& rate);

// The shortest cycle time the IO-Link master may use for the given rate (upper-cased and
// trimmed: "COM2", "COM3", anything else the 4.8 kbit/s rate) and process-data lengths in
// bits. timeUs receives the time in microseconds; the result is the one-byte cycle-time code
// (bits 7..6 time base, bits 5..0 multiplier), from 0x04 (400 us) to 0xBF (132,800 us).
std::uint8_t Calc_Min_Cycle_Time(const QString& rate, int inputBits, int outputBits, std::int32_t& timeUs);

// ---- IPv4 addresses ------------------------------------------------------------------------
// The trimmed text cut at its first three dots into four trimmed parts; true when each reads
// as 0..255. Parts are assigned as they are cut, so a false answer may leave some assigned.
bool Split_IP_Address(const QString& text, QString& a, QString& b, QString& c, QString& d);

// Error flag: false when the text is four dot-separated numbers 0..255 (untrimmed; the fourth
// part is the rest of the text). A bad part stores 0 in its byte, the others keep their
// values; an empty text returns true and stores nothing.
bool Parse_IP_Bytes(const QString& text, std::uint8_t& a, std::uint8_t& b, std::uint8_t& c, std::uint8_t& d);

// True when the text is four dotted numbers 0..255, ":" and a port 0..65535 (each part
// trimmed). Every output is 0 unless the whole text is valid.
bool Parse_IP_Port(const QString& text, std::uint8_t& a, std::uint8_t& b, std::uint8_t& c, std::uint8_t& d,
                   std::uint16_t& port);

// ---- Serial ports and network hardware -----------------------------------------------------
// Numbers (1..256, ascending, as decimal texts) of the serial ports present; see
// platform/SerialPorts.h for how device names map to numbers. The second form lets tests
// point at their own device folder and probe.
QStringList Get_COM_Port_List();
QStringList Get_COM_Port_List(const QString& devDir, const platform::SerialProber& probe);

// The device of this program has no Wi-Fi interface; the settings layout hides its Wi-Fi
// fields on this answer.
bool Has_WiFi();
// The device has one Ethernet port: always 1, both names empty (names label the address
// fields only on devices with two ports).
int Get_Ethernet_Ports(QString& firstPortName, QString& secondPortName);

} // namespace common
