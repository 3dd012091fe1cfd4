// The component-stream codec: the writer's choice of value tags, 10-byte extended floats, binary
// blocks, and a reader that refuses lengths the stream cannot hold.

#include "platform/ComponentStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using namespace platform;

namespace {

QByteArray written(const std::function<void(ComponentWriter&)>& write)
{
    ComponentWriter w;
    write(w);
    return w.data();
}

QByteArray hex(const char* bytes)
{
    return QByteArray::fromHex(bytes);
}

TEST(ComponentStream, StringsTakeTheTagTheirCharactersNeed)
{
    const struct {
        const char* name;
        QString text;
        QByteArray expected;
    } cases[] = {
        {"short ASCII", QStringLiteral("ab"), hex("06026162")},
        {"ASCII from 256 bytes", QString(256, QLatin1Char('x')), hex("0c00010000") + QByteArray(256, 'x')},
        {"ASCII of 255 bytes", QString(255, QLatin1Char('y')), hex("06ff") + QByteArray(255, 'y')},
        {"accented: UTF-8", QStringLiteral("aé"), hex("140300000061c3a9")},
        {"Japanese: UTF-16", QStringLiteral("日本"), hex("1202000000e5652c67")},
        {"empty", QString(), hex("1200000000")},
        {"surrogate pair: UTF-16", QStringLiteral("\U0001F321"), hex("12020000003cd821df")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray out = written([&](ComponentWriter& w) { w.string(c.text); });
        EXPECT_EQ(out.toHex(' '), c.expected.toHex(' '));
        ComponentReader r(out);
        EXPECT_EQ(r.string(), c.text);
        EXPECT_TRUE(r.atEnd());
    }
}

TEST(ComponentStream, IntegersTakeTheSmallestForm)
{
    const struct {
        qint32 v;
        QByteArray expected;
    } cases[] = {
        {0, hex("0200")},
        {-128, hex("0280")},
        {127, hex("027f")},
        {128, hex("038000")},
        {-32768, hex("030080")},
        {32768, hex("0400800000")},
        {-2147483647 - 1, hex("0400000080")},
    };
    for (const auto& c : cases) {
        const QByteArray out = written([&](ComponentWriter& w) { w.integer(c.v); });
        EXPECT_EQ(out.toHex(' '), c.expected.toHex(' ')) << c.v;
        ComponentReader r(out);
        EXPECT_EQ(r.int32(), c.v);
    }
}

TEST(ComponentStream, ExtendedFloatsAreTenBytes)
{
    EXPECT_EQ(written([](ComponentWriter& w) { w.extended(1.0); }).toHex(' '),
              hex("050000000000000080ff3f").toHex(' '));
    EXPECT_EQ(written([](ComponentWriter& w) { w.extended(-2.5); }).toHex(' '),
              hex("0500000000000000a000c0").toHex(' '));
    const double values[] = {0.1,
                             -1234.5625,
                             1e300,
                             -1e-300,
                             std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::infinity()};
    for (double v : values) {
        ComponentReader r(written([&](ComponentWriter& w) { w.extended(v); }));
        EXPECT_EQ(r.extended(), v);
    }
    ComponentReader nan(written([](ComponentWriter& w) { w.extended(std::nan("")); }));
    EXPECT_TRUE(std::isnan(nan.extended()));
    // An extended beyond a double's range reads as infinity, below it as zero.
    ComponentReader big(hex("050000000000000080ff7f"));
    EXPECT_TRUE(std::isinf(big.extended()));
    ComponentReader tiny(hex("05000000000000008001"
                             "00"));
    EXPECT_EQ(tiny.extended(), 0.0);
}

TEST(ComponentStream, BinaryBlocksAndComponents)
{
    const QByteArray out = written([](ComponentWriter& w) {
        w.beginComponent("TThing");
        w.name("Data");
        w.binary(QByteArray("\x01\x02\x03", 3));
        w.name("Color");
        w.color(clWindow);
        w.name("Other");
        w.color(0x123456);
        w.endComponent();
    });
    EXPECT_EQ(out.toHex(' '), (QByteArray("TPF0\x06TThing\x00\x04"
                                          "Data\x0a\x03\x00\x00\x00\x01\x02\x03\x05"
                                          "Color\x07\x08"
                                          "clWindow\x05Other\x04\x56\x34\x12\x00\x00\x00",
                                          54))
                                  .toHex(' '));
    ComponentReader r(out);
    EXPECT_EQ(r.beginComponent("TThing"), QByteArray("TThing"));
    EXPECT_EQ(r.shortStr(), QByteArray("Data"));
    EXPECT_EQ(r.binary(), QByteArray("\x01\x02\x03", 3));
    EXPECT_EQ(r.shortStr(), QByteArray("Color"));
    EXPECT_EQ(r.color(), clWindow);
    EXPECT_EQ(r.shortStr(), QByteArray("Other"));
    EXPECT_EQ(r.color(), 0x123456u);
    EXPECT_TRUE(r.atListEnd());
}

// Lengths are held against what is left before anything is taken, so a stream claiming two
// gigabytes costs nothing.
TEST(ComponentStream, LengthsBeyondTheStreamAreReadErrors)
{
    const struct {
        const char* name;
        QByteArray stream;
        std::function<void(ComponentReader&)> read;
        const char* error;
    } cases[] = {
        {"long string", hex("0cffffff7f41"), [](ComponentReader& r) { r.string(); }, "Stream read error"},
        {"negative length", hex("0cffffffff"), [](ComponentReader& r) { r.string(); }, "Stream read error"},
        {"wide string", hex("12ffffff3f4100"), [](ComponentReader& r) { r.string(); }, "Stream read error"},
        {"UTF-8 string", hex("14ffffff7f"), [](ComponentReader& r) { r.string(); }, "Stream read error"},
        {"binary", hex("0affffff7f00"), [](ComponentReader& r) { r.binary(); }, "Stream read error"},
        {"cut extended", hex("05000000"), [](ComponentReader& r) { r.extended(); }, "Stream read error"},
        {"other class",
         QByteArray("TPF0\x03"
                    "Abc\x00",
                    9),
         [](ComponentReader& r) { r.beginComponent("Abd"); }, "Invalid stream format"},
        {"other signature",
         QByteArray("TPF1\x03"
                    "Abc\x00",
                    9),
         [](ComponentReader& r) { r.beginComponent(); }, "Invalid stream format"},
        {"integer expected", hex("06026162"), [](ComponentReader& r) { r.integer(); }, "Invalid stream format"},
        {"unknown colour",
         QByteArray("\x07\x06"
                    "clPink",
                    8),
         [](ComponentReader& r) { r.color(); }, "Invalid stream format"},
        {"64-bit beyond 32", hex("130000000001000000"), [](ComponentReader& r) { r.int32(); }, "Invalid stream format"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ComponentReader r(c.stream);
        try {
            c.read(r);
            ADD_FAILURE() << "no error";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), QString::fromLatin1(c.error));
        }
    }
}

} // namespace
