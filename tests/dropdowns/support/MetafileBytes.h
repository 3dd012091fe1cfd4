#pragma once
// Small metafiles made record by record for the picture loader's tests: one drawing (a filled
// rectangle, a polyline, a text and a 2x2 bitmap stretched to 16x16) on a 96x48 pixel page, as a
// placeable WMF, a plain WMF (no placeable header; its size is its window extent) and an EMF.
// Every record is written by hand so a test sees exactly what the loader is given.

#include <QByteArray>
#include <QString>
#include <QtEndian>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace testsupport::metafile {

// The page and what is drawn on it, in pixels (one logical unit = one pixel at 96 dpi).
constexpr int kWidth = 96;
constexpr int kHeight = 48;
struct Rect {
    int Left, Top, Right, Bottom;
};
constexpr Rect kBox{2, 2, 40, 24};                                       // blue, black frame
constexpr int kLine[3][2] = {{44, 22}, {56, 2}, {68, 22}};               // red, 3 pixels wide
constexpr Rect kBitmap{74, 2, 90, 18};                                   // 2x2 pixels: green, yellow / magenta, cyan
constexpr int kTextX = 4, kTextY = 28;                                   // "Ab", black, 14 pixels high
constexpr uint32_t kBlue = 0xFF0000, kBlack = 0x000000, kRed = 0x0000FF; // COLORREF: 0x00BBGGRR

class Bytes {
public:
    Bytes& u8(int v)
    {
        data.append(char(v & 0xFF));
        return *this;
    }
    Bytes& u16(int v)
    {
        u8(v);
        return u8(v >> 8);
    }
    Bytes& u32(uint32_t v)
    {
        u16(int(v & 0xFFFF));
        return u16(int(v >> 16));
    }
    Bytes& f32(float v)
    {
        uint32_t bits;
        static_assert(sizeof bits == sizeof v);
        memcpy(&bits, &v, sizeof v);
        return u32(bits);
    }
    Bytes& raw(const QByteArray& b)
    {
        data.append(b);
        return *this;
    }
    QByteArray data;
};

// A 2x2 24-bit bottom-up DIB: BITMAPINFOHEADER then the rows, each padded to four bytes.
inline QByteArray dib()
{
    Bytes b;
    b.u32(40).u32(2).u32(2).u16(1).u16(24).u32(0).u32(16).u32(0).u32(0).u32(0).u32(0);
    // Bottom row first: magenta, cyan; then green, yellow. Pixels are B, G, R.
    b.u8(0xFF).u8(0x00).u8(0xFF).u8(0xFF).u8(0xFF).u8(0x00).u16(0);
    b.u8(0x00).u8(0xFF).u8(0x00).u8(0x00).u8(0xFF).u8(0xFF).u16(0);
    return b.data;
}

// ---- WMF -------------------------------------------------------------------------------------

class WmfRecords {
public:
    // One record: size in words, function, parameter words.
    void add(int function, const std::vector<int>& words, const QByteArray& tail = {})
    {
        const int size = 3 + int(words.size()) + int(tail.size() + 1) / 2;
        body.u32(uint32_t(size)).u16(function);
        for (int w : words)
            body.u16(w);
        body.raw(tail);
        if (tail.size() % 2)
            body.u8(0);
        maxRecord = std::max(maxRecord, size);
    }
    QByteArray file(bool placeable, int objects) const
    {
        Bytes out;
        if (placeable) {
            Bytes head;
            head.u32(0x9AC6CDD7).u16(0).u16(0).u16(0).u16(kWidth).u16(kHeight).u16(96).u32(0);
            int sum = 0;
            for (int i = 0; i < 20; i += 2)
                sum ^= qFromLittleEndian<quint16>(head.data.constData() + i);
            out.raw(head.data).u16(sum);
        }
        const int words = 9 + int(body.data.size()) / 2 + 3;
        out.u16(1).u16(9).u16(0x0300).u32(uint32_t(words)).u16(objects).u32(uint32_t(std::max(maxRecord, 3))).u16(0);
        out.raw(body.data);
        out.u32(3).u16(0); // META_EOF
        return out.data;
    }
    Bytes body;
    int maxRecord = 0;
};

inline QByteArray wmf(bool placeable)
{
    WmfRecords r;
    auto lo = [](uint32_t c) { return int(c & 0xFFFF); };
    auto hi = [](uint32_t c) { return int(c >> 16); };
    r.add(0x0103, {8});                                            // SETMAPMODE MM_ANISOTROPIC
    r.add(0x020B, {0, 0});                                         // SETWINDOWORG y, x
    r.add(0x020C, {kHeight, kWidth});                              // SETWINDOWEXT y, x
    r.add(0x0102, {1});                                            // SETBKMODE TRANSPARENT
    r.add(0x0999, {1, 2, 3});                                      // a record this loader does not know
    r.add(0x02FC, {0, lo(kBlue), hi(kBlue), 0});                   // CREATEBRUSHINDIRECT -> object 0
    r.add(0x02FA, {0, 1, 0, lo(kBlack), hi(kBlack)});              // CREATEPENINDIRECT -> object 1
    r.add(0x012D, {0});                                            // SELECTOBJECT brush
    r.add(0x012D, {1});                                            // SELECTOBJECT pen
    r.add(0x041B, {kBox.Bottom, kBox.Right, kBox.Top, kBox.Left}); // RECTANGLE
    r.add(0x01F0, {1});                                            // DELETEOBJECT pen
    r.add(0x02FA, {0, 3, 0, lo(kRed), hi(kRed)});                  // CREATEPENINDIRECT -> object 1
    r.add(0x012D, {1});
    r.add(0x0325, {3, kLine[0][0], kLine[0][1], kLine[1][0], kLine[1][1], kLine[2][0], kLine[2][1]}); // POLYLINE
    // CREATEFONTINDIRECT: height -14, weight 400, face "Arial" -> object 2
    QByteArray face("Arial");
    face.append(char(0));
    r.add(0x02FB, {-14 & 0xFFFF, 0, 0, 0, 400, 0, 0, 0, 0}, face);
    r.add(0x012D, {2});
    r.add(0x0209, {lo(kBlack), hi(kBlack)}); // SETTEXTCOLOR
    r.add(0x012E, {0});                      // SETTEXTALIGN TA_TOP|TA_LEFT
    // TEXTOUT: length, string (padded), y, x
    {
        Bytes text;
        text.u16(2).raw("Ab").u16(kTextY).u16(kTextX);
        r.add(0x0521, {}, text.data);
    }
    // STRETCHDIB: rop SRCCOPY, usage DIB_RGB_COLORS, src h w y x, dest h w y x, the DIB
    {
        Bytes p;
        p.u32(0x00CC0020).u16(0).u16(2).u16(2).u16(0).u16(0);
        p.u16(kBitmap.Bottom - kBitmap.Top).u16(kBitmap.Right - kBitmap.Left).u16(kBitmap.Top).u16(kBitmap.Left);
        p.raw(dib());
        r.add(0x0F43, {}, p.data);
    }
    return r.file(placeable, 3);
}

// ---- EMF -------------------------------------------------------------------------------------

inline QByteArray emf()
{
    Bytes records;
    int count = 1; // the header
    auto record = [&](uint32_t type, const QByteArray& params) {
        records.u32(type).u32(uint32_t(8 + params.size())).raw(params);
        ++count;
    };
    auto rect = [](Bytes& b, const Rect& r) {
        b.u32(uint32_t(r.Left)).u32(uint32_t(r.Top)).u32(uint32_t(r.Right)).u32(uint32_t(r.Bottom));
    };
    {
        Bytes p;
        p.u32(1).u32(0).u32(kBlue).u32(0); // CREATEBRUSHINDIRECT object 1: solid blue
        record(39, p.data);
    }
    {
        Bytes p;
        p.u32(2).u32(0).u32(1).u32(0).u32(kBlack); // CREATEPEN object 2: solid, 1 wide, black
        record(38, p.data);
    }
    {
        Bytes p;
        p.u32(1);
        record(37, p.data); // SELECTOBJECT
        Bytes q;
        q.u32(2);
        record(37, q.data);
    }
    {
        Bytes p;
        p.u32(1); // SETBKMODE TRANSPARENT
        record(18, p.data);
    }
    {
        Bytes p;
        p.u32(7).u32(9); // a record this loader does not know
        record(0x7F, p.data);
    }
    {
        Bytes p;
        rect(p, kBox);
        record(43, p.data); // RECTANGLE: right and bottom edges excluded, as in the WMF
    }
    {
        Bytes p;
        // EXTCREATEPEN object 3, as the system writes a wide pen: no brush bitmap, geometric
        // solid, 3 wide, solid brush style, red, no hatch, no style entries.
        p.u32(3).u32(0).u32(0).u32(0).u32(0).u32(0x10000).u32(3).u32(0).u32(kRed).u32(0).u32(0);
        record(95, p.data);
        Bytes q;
        q.u32(3);
        record(37, q.data);
    }
    {
        Bytes p;
        rect(p, {kLine[0][0], kLine[1][1], kLine[2][0], kLine[0][1]});
        p.u32(3);
        for (const auto& pt : kLine)
            p.u16(pt[0]).u16(pt[1]);
        record(87, p.data); // POLYLINE16
    }
    {
        // EXTCREATEFONTINDIRECTW object 4: LOGFONTW, height -14, weight 400, face "Arial"
        Bytes p;
        p.u32(4).u32(uint32_t(-14)).u32(0).u32(0).u32(0).u32(400);
        p.u8(0).u8(0).u8(0).u8(0).u8(0).u8(0).u8(0).u8(0);
        const QString face = QStringLiteral("Arial");
        for (int i = 0; i < 32; ++i)
            p.u16(i < face.size() ? face[i].unicode() : 0);
        record(82, p.data);
        Bytes q;
        q.u32(4);
        record(37, q.data);
    }
    {
        Bytes p;
        p.u32(kBlack);
        record(24, p.data); // SETTEXTCOLOR
        Bytes q;
        q.u32(0);
        record(22, q.data); // SETTEXTALIGN TA_TOP|TA_LEFT
    }
    {
        // EXTTEXTOUTW: bounds, graphics mode, scales, then EMRTEXT, the string and the advances
        Bytes p;
        rect(p, {kTextX, kTextY, kTextX + 20, kTextY + 14});
        p.u32(1).f32(1).f32(1);
        p.u32(uint32_t(kTextX)).u32(uint32_t(kTextY)).u32(2).u32(76).u32(0);
        rect(p, {0, 0, -1, -1});
        p.u32(80);
        p.u16('A').u16('b');
        p.u32(9).u32(8);
        record(84, p.data);
    }
    {
        // STRETCHDIBITS: bounds, dest x y, src x y w h, the offsets, usage, rop, dest w h
        const QByteArray bits = dib();
        Bytes p;
        rect(p, {kBitmap.Left, kBitmap.Top, kBitmap.Right - 1, kBitmap.Bottom - 1});
        p.u32(uint32_t(kBitmap.Left)).u32(uint32_t(kBitmap.Top)).u32(0).u32(0).u32(2).u32(2);
        p.u32(80).u32(40).u32(120).u32(16).u32(0).u32(0x00CC0020);
        p.u32(uint32_t(kBitmap.Right - kBitmap.Left)).u32(uint32_t(kBitmap.Bottom - kBitmap.Top));
        p.raw(bits);
        record(81, p.data);
    }
    {
        Bytes p;
        p.u32(0).u32(16).u32(20);
        record(14, p.data); // EOF
    }
    // The header: bounds in pixels, frame in 0.01 mm at 96 dpi, a 96 dpi reference device.
    Bytes head;
    const int headerSize = 108;
    head.u32(1).u32(headerSize);
    head.u32(0).u32(0).u32(kWidth - 1).u32(kHeight - 1);
    head.u32(0).u32(0).u32(uint32_t(kWidth * 2540 / 96)).u32(uint32_t(kHeight * 2540 / 96));
    head.u32(0x464D4520).u32(0x10000).u32(uint32_t(headerSize + records.data.size())).u32(uint32_t(count));
    head.u16(5).u16(0).u32(0).u32(0).u32(0);
    head.u32(960).u32(960).u32(254).u32(254);
    head.u32(0).u32(0).u32(0).u32(254000).u32(254000);
    return head.data + records.data;
}

} // namespace testsupport::metafile
