// Single-line runs drawn from the shaped-run cache must measure and look exactly as the text
// drawn and measured directly: kerning pairs, ligatures, trailing blanks, other scripts, and
// the same text in another font or on a target of another resolution.

#include "grid/look/ZirAzur.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace grid;
using namespace grid::ZirAzur;

namespace {

constexpr unsigned kFlags = DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX;

QImage drawn(const QString& text, const QFont& font, bool direct, int dpm = 3780)
{
    QImage img(260, 40, QImage::Format_RGB32);
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setFont(font);
    p.setPen(Qt::black);
    if (direct) {
        const QFontMetrics fm(p.font(), &img);
        p.drawText(QPoint(5, 30 - fm.descent()), text);
    } else {
        TRect r{5, 0, 255, 30};
        DrawTextFlags(p, text, r, kFlags);
    }
    return img;
}

TEST(ZirAzurDrawText, CachedRunsMeasureAndDrawAsTheTextItself)
{
    const QString texts[] = {
        QStringLiteral("AVATAR To Wa"),
        QStringLiteral("office fire"),
        QStringLiteral("blank at end  "),
        QStringLiteral("  leading"),
        QStringLiteral("\u00C4rger \u00DF \u20AC 12,50"),
        QStringLiteral("\u0645\u0631\u062D\u0628\u0627 mixed"),
        QStringLiteral("\u65E5\u672C\u8A9E"),
    };
    QFont bold(QStringLiteral("Sans Serif"), 9);
    bold.setBold(true);
    const QFont fonts[] = {QFont(QStringLiteral("Sans Serif"), 8), bold, QFont(QStringLiteral("Serif"), 12)};
    for (const QFont& font : fonts) {
        for (const QString& text : texts) {
            SCOPED_TRACE(text.toStdString() + " / " + font.toString().toStdString());
            for (int pass = 0; pass < 2; ++pass) { // the second pass comes from the cache
                QImage img(10, 10, QImage::Format_RGB32);
                QPainter p(&img);
                p.setFont(font);
                TRect r{0, 0, 1000, 100};
                DrawTextFlags(p, text, r, kFlags | DT_CALCRECT);
                EXPECT_EQ(r.Width(), QFontMetrics(p.font(), &img).horizontalAdvance(text));
                p.end();
                EXPECT_EQ(drawn(text, font, false), drawn(text, font, true));
            }
        }
    }
}

TEST(ZirAzurDrawText, TheSameTextOnATargetOfAnotherResolutionIsShapedForIt)
{
    const QFont font(QStringLiteral("Sans Serif"), 10);
    const QString text = QStringLiteral("Resolution");
    EXPECT_EQ(drawn(text, font, false), drawn(text, font, true));
    EXPECT_EQ(drawn(text, font, false, 7560), drawn(text, font, true, 7560));
    EXPECT_NE(drawn(text, font, false, 7560), drawn(text, font, false));
}

// Prefix processing on both drawing paths (a bottom-aligned single line is drawn by hand,
// a centred one through Qt's layout): "&&" shows one ampersand, a single "&" is dropped and
// underlines the next character; DT_NOPREFIX shows the text as it is.
TEST(ZirAzurDrawText, AmpersandPrefixesOnBothPaths)
{
    const QFont font(QStringLiteral("Sans Serif"), 10);
    struct PrefixCase {
        const char* text;
        unsigned flags;
        const char* shown;
        int underlined; // position in shown; -1 none
    };
    const PrefixCase cases[] = {
        {"a&&b", 0, "a&b", -1},          {"a&b", 0, "ab", 1},  {"&ab", 0, "ab", 0},
        {"a&b", DT_NOPREFIX, "a&b", -1}, {"ab&", 0, "ab", -1},
    };
    for (const unsigned path : {unsigned(DT_BOTTOM), unsigned(DT_VCENTER)}) {
        for (const PrefixCase& c : cases) {
            SCOPED_TRACE(std::string(c.text) + (path == DT_BOTTOM ? " by hand" : " through Qt"));
            const auto draw = [&](const QString& text, unsigned flags, TRect& r) {
                QImage img(120, 30, QImage::Format_RGB32);
                img.fill(Qt::white);
                QPainter p(&img);
                p.setFont(font);
                p.setPen(Qt::black);
                DrawTextFlags(p, text, r, flags | path | DT_SINGLELINE);
                return img;
            };
            TRect measured{5, 0, 115, 30};
            draw(QString::fromLatin1(c.text), c.flags | DT_CALCRECT, measured);
            QImage probe(1, 1, QImage::Format_RGB32);
            const QFontMetrics fm(font, &probe);
            // Qt's layout rounds the width up: a pixel more than the advance at most.
            const int advance = fm.horizontalAdvance(QString::fromLatin1(c.shown));
            EXPECT_GE(measured.Width(), advance);
            EXPECT_LE(measured.Width(), advance + (path == DT_BOTTOM ? 0 : 1));
            TRect r1{5, 0, 115, 30}, r2{5, 0, 115, 30};
            const QImage withPrefix = draw(QString::fromLatin1(c.text), c.flags, r1);
            const QImage plain = draw(QString::fromLatin1(c.shown), DT_NOPREFIX, r2);
            if (c.underlined < 0) {
                EXPECT_EQ(withPrefix, plain);
                continue;
            }
            // The same text with a line under the one character only.
            const QString shown = QString::fromLatin1(c.shown);
            const int from = 5 + fm.horizontalAdvance(shown.left(c.underlined));
            const int to = from + fm.horizontalAdvance(shown.at(c.underlined));
            int changed = 0;
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 120; ++x)
                    if (withPrefix.pixel(x, y) != plain.pixel(x, y)) {
                        ++changed;
                        EXPECT_TRUE(x >= from - 1 && x <= to) << x << "," << y;
                    }
            EXPECT_GT(changed, 2);
        }
    }
}

TEST(ZirAzurDrawText, ExternalLeadingAddsTheFontsLeadingOnBothPaths)
{
    const QFont font(QStringLiteral("Serif"), 12);
    QImage img(10, 10, QImage::Format_RGB32);
    QPainter p(&img);
    p.setFont(font);
    const QFontMetrics fm(font, &img);
    for (const unsigned path : {unsigned(DT_BOTTOM), unsigned(DT_VCENTER)}) {
        TRect without{0, 0, 200, 100}, with{0, 0, 200, 100};
        const int h0 = DrawTextFlags(p, QStringLiteral("Leading"), without, path | DT_SINGLELINE | DT_CALCRECT);
        const int h1 =
            DrawTextFlags(p, QStringLiteral("Leading"), with, path | DT_SINGLELINE | DT_CALCRECT | DT_EXTERNALLEADING);
        EXPECT_EQ(h1 - h0, std::max(0, fm.leading())) << path;
        EXPECT_EQ(with.Height() - without.Height(), std::max(0, fm.leading())) << path;
    }
}

// Right-to-left reading orders the runs from the right (a closing "!" goes before "ab") but
// keeps the alignment asked for.
TEST(ZirAzurDrawText, RightToLeftReadingOrdersRunsButKeepsTheAlignment)
{
    const QFont font(QStringLiteral("Sans Serif"), 10);
    const auto draw = [&](const char* text, unsigned flags) {
        QImage img(200, 30, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        p.setFont(font);
        p.setPen(Qt::black);
        TRect r{5, 0, 195, 30};
        DrawTextFlags(p, QString::fromLatin1(text), r, flags | DT_SINGLELINE | DT_BOTTOM | DT_NOPREFIX);
        return img;
    };
    const auto box = [](const QImage& img) {
        int l = 1000, r = -1;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixel(x, y) != 0xFFFFFFFF)
                    l = std::min(l, x), r = std::max(r, x);
        return std::make_pair(l, r);
    };
    EXPECT_EQ(draw("ab!", DT_RTLREADING), draw("!ab", 0));
    // Right-aligned, Qt's layout places the run at a fraction of a pixel: the same inked span.
    EXPECT_EQ(box(draw("ab!", DT_RTLREADING | DT_RIGHT)), box(draw("!ab", DT_RIGHT)));
}

} // namespace
