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
        QStringLiteral("AVATAR To Wa"), QStringLiteral("office fire"), QStringLiteral("blank at end  "),
        QStringLiteral("  leading"), QStringLiteral("\u00C4rger \u00DF \u20AC 12,50"),
        QStringLiteral("\u0645\u0631\u062D\u0628\u0627 mixed"), QStringLiteral("\u65E5\u672C\u8A9E"),
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

} // namespace
