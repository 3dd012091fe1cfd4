#include "common/UComonHelpers.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QTemporaryDir>

#include <limits>

using namespace common;

namespace {

// Switches the program's locale for one test and restores it afterwards.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) : saved_(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(saved_); }

private:
    QLocale saved_;
};

} // namespace

TEST(UComonWholeNumbers, ReadingRule)
{
    constexpr int kDef = -7;
    struct Case {
        const char* text;
        int expected;
    } cases[] = {
        {"0", 0},
        {"255", 255},
        {"   42", 42}, // leading blanks skipped
        {"+5", 5},
        {"-5", -5},
        {"$1F", 31},
        {"$1f", 31},
        {"x10", 16},
        {"X10", 16},
        {"0x10", 16},
        {"0X7FF", 2047},
        {"-$10", -16},
        {" -0x10", -16},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int>::min()},
        {"0x7FFFFFFF", 2147483647},
        // Everything below gives the default.
        {"", kDef},
        {" ", kDef},
        {"42 ", kDef}, // trailing blank
        {"4 2", kDef},
        {"\t42", kDef}, // only spaces are skipped
        {"1.5", kDef},
        {"abc", kDef},
        {"-", kDef},
        {"+", kDef},
        {"$", kDef},
        {"0x", kDef},
        {"x", kDef},
        {"$G", kDef},
        {"12a", kDef},
        {"- 5", kDef},
        {"$-5", kDef},
        {"--5", kDef},
        {"2147483648", kDef}, // overflow
        {"-2147483649", kDef},
        {"0x80000000", kDef},
        {"$FFFFFFFF", kDef},
        {"99999999999999999999999", kDef},
    };
    for (const Case& c : cases)
        EXPECT_EQ(strToIntDef(QString::fromLatin1(c.text), kDef), c.expected) << '"' << c.text << '"';
}

TEST(UComonWholeNumbers, SixtyFourBitRange)
{
    struct Case {
        const char* text;
        bool ok;
        std::int64_t expected;
    } cases[] = {
        {"4294967295", true, 4294967295LL},
        {"$FFFFFFFF", true, 0xFFFFFFFFLL},
        {"9223372036854775807", true, std::numeric_limits<std::int64_t>::max()},
        {"-9223372036854775808", true, std::numeric_limits<std::int64_t>::min()},
        {"9223372036854775808", false, 0},
        {"0x8000000000000000", false, 0},
        {"18446744073709551616", false, 0},
        {"000000000000000000000000001", true, 1},
    };
    for (const Case& c : cases) {
        std::int64_t v = 0;
        EXPECT_EQ(tryStrToInt64(QString::fromLatin1(c.text), v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.expected) << c.text;
        }
    }
    EXPECT_EQ(strToInt64Def("x", -1), -1);
}

TEST(UComonWholeNumbers, FailedReadLeavesValueAlone)
{
    int v = 123;
    EXPECT_FALSE(tryStrToInt("nope", v));
    EXPECT_EQ(v, 123);
    EXPECT_TRUE(tryStrToInt("$0A", v));
    EXPECT_EQ(v, 10);
}

TEST(UComonText, TrimAndUpperCase)
{
    EXPECT_EQ(trimBlanks(" \t a b \r\n"), "a b");
    EXPECT_EQ(trimBlanks("   "), "");
    EXPECT_EQ(upperAscii(QString::fromUtf8("com2 \u00e4")), QString::fromUtf8("COM2 \u00e4"));
}

TEST(UComonDecimal, SeparatorFollowsUserLocale)
{
    struct Case {
        QLocale locale;
        QChar expected;
    } cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), QLatin1Char('.')},
        {QLocale(QLocale::German, QLocale::Germany), QLatin1Char(',')},
        {QLocale(QLocale::Italian, QLocale::Italy), QLatin1Char(',')},
        // A separator that is neither "," nor "." falls back to ",".
        {QLocale(QLocale::Arabic, QLocale::Egypt), QLatin1Char(',')},
    };
    for (const Case& c : cases) {
        LocaleScope scope(c.locale);
        EXPECT_EQ(Get_Decimal_Separator(), c.expected) << c.locale.name().toStdString();
    }
}

TEST(UComonDecimal, FloatWithSeparator)
{
    struct Case {
        QLocale locale;
        const char* text;
        char separator;
        bool ok;
        float expected;
    } cases[] = {
        {QLocale(QLocale::German), "1.5", ',', true, 1.5f}, // "." becomes the user's ","
        {QLocale(QLocale::German), "1,5", ',', true, 1.5f},
        {QLocale(QLocale::German), "-0,25", ',', true, -0.25f},
        {QLocale(QLocale::German), "2,5E2", ',', true, 250.0f},
        {QLocale(QLocale::German), " 3 ", ',', true, 3.0f},
        {QLocale(QLocale::German), ",5", ',', true, 0.5f},
        {QLocale(QLocale::English), "1,5", '.', true, 1.5f},
        {QLocale(QLocale::English), "0.1", '.', true, 0.1f},
        {QLocale(QLocale::English), "1e-3", '.', true, 0.001f},
        // A separator that is not the user's leaves a text the locale cannot read.
        {QLocale(QLocale::German), "1,5", '.', false, 1.0f},
        // No thousands separators.
        {QLocale(QLocale::English), "1,000.5", '.', false, 1.0f},
        {QLocale(QLocale::English), "abc", '.', false, 1.0f},
        {QLocale(QLocale::English), "", '.', false, 1.0f},
        {QLocale(QLocale::English), ".", '.', false, 1.0f},
        {QLocale(QLocale::English), "1e", '.', false, 1.0f},
        {QLocale(QLocale::English), "1.5x", '.', false, 1.0f},
        {QLocale(QLocale::English), "1e39", '.', false, 1.0f}, // past the float range
        // A locale separator other than "," or "." reads as the program's ",".
        {QLocale(QLocale::Arabic, QLocale::Egypt), "2.5", ',', true, 2.5f},
    };
    for (const Case& c : cases) {
        LocaleScope scope(c.locale);
        float value = -99.0f;
        EXPECT_EQ(Str_To_Float_Sep(QString::fromLatin1(c.text), QLatin1Char(c.separator), value), c.ok) << c.text;
        EXPECT_FLOAT_EQ(value, c.expected) << c.text;
    }
}

TEST(UComonIOLink, BaudCode)
{
    struct Case {
        const char* rate;
        int code;
    } cases[] = {
        {"COM1", 1}, {"COM2", 2}, {"COM3", 3},  {" COM3 ", 3}, {"com2", 1}, // case matters here
        {"", 1},     {"COM4", 1}, {"COM 2", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Get_IOLink_Baud_Code(QString::fromLatin1(c.rate)), c.code) << c.rate;
}

TEST(UComonIOLink, MinCycleTime)
{
    // Frame count N = bytes in x 12 + bytes out x 14 + 61 and t = N x bit time (ns); one case
    // per time range of the cycle-time code.
    struct Case {
        const char* rate;
        int inBits;
        int outBits;
        int timeUs;
        int code;
    } cases[] = {
        {"COM3", 0, 0, 400, 0x04},         // N 61, t 264,740: shortest written time
        {"COM3", 8, 8, 400, 0x04},         // N 87, t 377,580
        {"COM3", 16, 8, 500, 0x05},        // N 99, t 429,660: first step past 400 us
        {"COM2", 16, 16, 3000, 0x1E},      // N 113, t 2,942,520
        {"COM2", 0, 0, 1600, 0x10},        // N 61, t 1,588,440
        {"COM2", 1, 1, 2300, 0x17},        // 1 bit counts as a byte: N 87, t 2,265,480
        {"COM2", 9, 0, 2300, 0x17},        // 9 bits are two bytes: N 85, t 2,213,400
        {"COM2", 0, 104, 6400, 0x40},      // N 243, t 6,327,720: between the first two bases
        {"COM1", 0, 0, 12800, 0x50},       // N 61, t 12,708,130
        {"COM3", 2048, 2048, 29200, 0x79}, // N 6717, t 29,151,780
        {"COM1", 24, 32, 32000, 0x80},     // N 153, t 31,874,490: between base 1 and base 2
        {"COM1", 0, 56, 33600, 0x81},      // N 159, t 33,124,470
        {"COM1", 0, 336, 132800, 0xBF},    // N 649, t 135,206,170: longest, capped
        {"COM1", 256, 256, 132800, 0xBF},
        // Rate text: upper-cased and trimmed here, unlike the rate code; unknown is 4.8 kbit/s.
        {"com2", 16, 16, 3000, 0x1E},
        {" COM2 ", 16, 16, 3000, 0x1E},
        {"", 0, 0, 12800, 0x50},
        {"COM9", 0, 0, 12800, 0x50},
        // Negative lengths truncate toward zero like the byte count always did.
        {"COM2", -1, -7, 1600, 0x10},
    };
    for (const Case& c : cases) {
        std::int32_t us = -1;
        EXPECT_EQ(Calc_Min_Cycle_Time(QString::fromLatin1(c.rate), c.inBits, c.outBits, us), c.code)
            << c.rate << " " << c.inBits << "/" << c.outBits;
        EXPECT_EQ(us, c.timeUs) << c.rate << " " << c.inBits << "/" << c.outBits;
    }
}

TEST(UComonAddress, SplitIPAddress)
{
    struct Case {
        const char* text;
        bool ok;
        const char* a;
        const char* b;
        const char* c;
        const char* d;
    } cases[] = {
        {"192.168.1.5", true, "192", "168", "1", "5"},
        {"  192.168.1.5  ", true, "192", "168", "1", "5"},
        {"192 . 168 .1. 5", true, "192", "168", "1", "5"},
        {"0.0.0.0", true, "0", "0", "0", "0"},
        {"255.255.255.255", true, "255", "255", "255", "255"},
        {"$C0.168.1.5", true, "$C0", "168", "1", "5"}, // parts read by the integer rule
        {"192.168.1.256", false, "192", "168", "1", "256"},
        {"192.168.1.5.7", false, "192", "168", "1", "5.7"}, // the fourth part is the rest
        {"192.168.1.", false, "192", "168", "1", ""},
        {"192.-1.1.5", false, "192", "-1", "1", "5"},
        {"a.b.c.d", false, "a", "b", "c", "d"},
        // Too few dots: parts cut before the missing dot stay assigned, the rest untouched.
        {"192.168.1", false, "192", "168", "old", "old"},
        {"192.168", false, "192", "old", "old", "old"},
        {"192", false, "old", "old", "old", "old"},
        {"", false, "old", "old", "old", "old"},
    };
    for (const Case& c : cases) {
        QString a = "old", b = "old", cc = "old", d = "old";
        EXPECT_EQ(Split_IP_Address(QString::fromLatin1(c.text), a, b, cc, d), c.ok) << c.text;
        EXPECT_EQ(a, c.a) << c.text;
        EXPECT_EQ(b, c.b) << c.text;
        EXPECT_EQ(cc, c.c) << c.text;
        EXPECT_EQ(d, c.d) << c.text;
    }
}

TEST(UComonAddress, ParseIPBytes)
{
    struct Case {
        const char* text;
        bool error;
        int a, b, c, d;
    } cases[] = {
        {"192.168.1.10", false, 192, 168, 1, 10},
        {"0.0.0.0", false, 0, 0, 0, 0},
        {" 10.0.0.1", false, 10, 0, 0, 1}, // leading blanks pass the integer rule
        {"10.0.0.1 ", true, 10, 0, 0, 0},  // nothing is trimmed: "1 " is no number
        {"192.168.1.x", true, 192, 168, 1, 0},
        {"10.0.0", true, 10, 0, 0, 0},
        {"1.2.3.4.5", true, 1, 2, 3, 0},
        {"300.2.3.4", true, 0, 2, 3, 4}, // a bad part does not stop the others
        {"1..3.4", true, 1, 0, 3, 4},
        {"abc", true, 0, 0, 0, 0},
        {"", true, 9, 9, 9, 9}, // untouched
    };
    for (const Case& c : cases) {
        std::uint8_t a = 9, b = 9, cc = 9, d = 9;
        EXPECT_EQ(Parse_IP_Bytes(QString::fromLatin1(c.text), a, b, cc, d), c.error) << c.text;
        EXPECT_EQ(int(a), c.a) << c.text;
        EXPECT_EQ(int(b), c.b) << c.text;
        EXPECT_EQ(int(cc), c.c) << c.text;
        EXPECT_EQ(int(d), c.d) << c.text;
    }
}

TEST(UComonAddress, ParseIPPort)
{
    struct Case {
        const char* text;
        bool ok;
        int a, b, c, d, port;
    } cases[] = {
        {"10.0.0.1:502", true, 10, 0, 0, 1, 502},
        {" 192 . 168 . 0 . 15 : 47808 ", true, 192, 168, 0, 15, 47808},
        {"0.0.0.0:0", true, 0, 0, 0, 0, 0},
        {"255.255.255.255:65535", true, 255, 255, 255, 255, 65535},
        // Every failure leaves all outputs 0.
        {"10.0.0.1", false, 0, 0, 0, 0, 0},
        {"10.0.0.1:70000", false, 0, 0, 0, 0, 0},
        {"10.0.0.1:", false, 0, 0, 0, 0, 0},
        {"10.0.0.1:-1", false, 0, 0, 0, 0, 0},
        {"10.0.0.256:502", false, 0, 0, 0, 0, 0},
        {"10.0.0:502", false, 0, 0, 0, 0, 0},
        {"10.0.0.1.2:502", false, 0, 0, 0, 0, 0},
        {"10.0.0.1:5:6", false, 0, 0, 0, 0, 0},
        {"x.0.0.1:502", false, 0, 0, 0, 0, 0},
        {"10:502", false, 0, 0, 0, 0, 0},
        {"", false, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        std::uint8_t a = 9, b = 9, cc = 9, d = 9;
        std::uint16_t port = 9;
        EXPECT_EQ(Parse_IP_Port(QString::fromLatin1(c.text), a, b, cc, d, port), c.ok) << c.text;
        EXPECT_EQ(int(a), c.a) << c.text;
        EXPECT_EQ(int(b), c.b) << c.text;
        EXPECT_EQ(int(cc), c.c) << c.text;
        EXPECT_EQ(int(d), c.d) << c.text;
        EXPECT_EQ(int(port), c.port) << c.text;
    }
}

TEST(UComonHardware, SerialPortListFromDeviceFolder)
{
    QTemporaryDir dev;
    ASSERT_TRUE(dev.isValid());
    for (const char* name : {"ttyS0", "ttyS4", "ttyUSB1", "ttyACM0", "ttyUSB0", "tty0", "console"})
        ASSERT_TRUE(testsupport::writeFile(dev.filePath(QString::fromLatin1(name)), {}));
    // ttyS4 has no hardware behind it; ttyUSB1 is held by another program.
    const platform::SerialProber probe = [](const QString& path) {
        if (path.endsWith("ttyS4"))
            return platform::SerialProbe::Absent;
        if (path.endsWith("ttyUSB1"))
            return platform::SerialProbe::InUse;
        return platform::SerialProbe::Available;
    };
    EXPECT_EQ(Get_COM_Port_List(dev.path(), probe), QStringList({"1", "65", "66", "129"}));
}

TEST(UComonHardware, RealSerialListIsAscendingNumbers)
{
    const QStringList ports = Get_COM_Port_List();
    int previous = 0;
    for (const QString& p : ports) {
        bool ok = false;
        const int n = p.toInt(&ok);
        EXPECT_TRUE(ok && n > previous && n <= 256) << p.toStdString();
        previous = n;
    }
}

TEST(UComonHardware, OneEthernetPortAndNoWiFi)
{
    EXPECT_FALSE(Has_WiFi());
    QString first = "x", second = "y";
    EXPECT_EQ(Get_Ethernet_Ports(first, second), 1);
    EXPECT_TRUE(first.isEmpty());
    EXPECT_TRUE(second.isEmpty());
}
