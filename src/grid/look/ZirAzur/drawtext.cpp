// Text drawing with the flags of the platform's DrawText family, for the cell painter and the
// markup renderer.
//
// A single top- or bottom-aligned line without tabs is drawn straight at its baseline:
// the markup renderer draws every text run this way, several times per cell, and Qt's
// rectangle layout costs more than the run itself. Everything else goes through Qt's rectangle
// text layout with the matching alignment, wrap, tab and mnemonic flags.

#include "grid/look/ZirAzur.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QStringList>
#include <QTextLayout>

#include <algorithm>

namespace grid::ZirAzur {

namespace {

int leadingOf(const QFontMetrics& fm, unsigned flags)
{
    return (flags & DT_EXTERNALLEADING) ? std::max(0, fm.leading()) : 0;
}

// The text as the prefix rule shows it: "&&" is one ampersand, a single "&" is dropped and the
// character after it (the first such one) is underlined.
QString withoutPrefixes(const QString& text, qsizetype& underlined)
{
    underlined = -1;
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) {
            shown += text[i];
            continue;
        }
        if (i + 1 >= text.size())
            break;
        if (text[i + 1] == QLatin1Char('&')) {
            shown += QLatin1Char('&');
            ++i;
            continue;
        }
        if (underlined < 0)
            underlined = shown.size();
    }
    return shown;
}

// Shaped single-line runs kept across calls: a grid repaints the same cell texts on every
// scroll, hover and blink, and shaping a run costs more than drawing it. The glyphs are kept
// relative to the baseline, so drawing them is drawing the text at its baseline.
struct TRunKey {
    QFont Font;
    int DpiX = 0;
    int DpiY = 0;
    QString Text;
    friend bool operator==(const TRunKey&, const TRunKey&) = default;
};

size_t qHash(const TRunKey& k, size_t seed = 0)
{
    return qHashMulti(seed, k.Font, k.DpiX, k.DpiY, k.Text);
}

struct TShapedRun {
    int Advance = 0;
    QList<QGlyphRun> Glyphs;
};

constexpr qsizetype kShapedRunsKept = 8192;

const TShapedRun& shapedRun(const QPainter& canvas, const QFontMetrics& fm, const QString& text)
{
    thread_local QHash<TRunKey, TShapedRun> runs;
    QPaintDevice* device = canvas.device();
    TRunKey key{canvas.font(), device ? device->logicalDpiX() : 0, device ? device->logicalDpiY() : 0, text};
    if (const auto it = runs.constFind(key); it != runs.constEnd())
        return *it;
    if (runs.size() >= kShapedRunsKept)
        runs.clear();
    TShapedRun run;
    QTextLayout layout(text, key.Font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    // The advance of the shaped line is the metrics' advance, rounded the same way.
    run.Advance = line.isValid() ? qRound(line.horizontalAdvance()) : fm.horizontalAdvance(text);
    if (line.isValid()) {
        const qreal ascent = line.ascent();
        run.Glyphs = layout.glyphRuns();
        for (QGlyphRun& g : run.Glyphs) {
            QList<QPointF> positions = g.positions();
            for (QPointF& p : positions)
                p.ry() -= ascent;
            g.setPositions(positions);
        }
    }
    return *runs.insert(std::move(key), std::move(run));
}

// One line, placed by hand.
int drawPlainLine(QPainter& canvas, const QFontMetrics& fm, const QString& text, TRect& r, unsigned flags,
                  int knownAdvance)
{
    const int width = std::max(0, r.Width());
    const int height = fm.height() + leadingOf(fm, flags);
    qsizetype underlined = -1;
    QString shown = (flags & DT_NOPREFIX) || !text.contains(QLatin1Char('&')) ? text : withoutPrefixes(text, underlined);
    const bool asGiven = underlined < 0 && shown.size() == text.size();
    const TShapedRun* shaped = asGiven ? &shapedRun(canvas, fm, shown) : nullptr;
    int advance = asGiven ? (knownAdvance >= 0 ? knownAdvance : shaped->Advance) : fm.horizontalAdvance(shown);
    if (flags & DT_CALCRECT) {
        r.Right = r.Left + advance;
        r.Bottom = r.Top + height;
        return height;
    }
    if ((flags & DT_END_ELLIPSIS) && advance > width) {
        shown = fm.elidedText(shown, Qt::ElideRight, width);
        advance = fm.horizontalAdvance(shown);
        shaped = nullptr;
    }
    const int x = (flags & DT_RIGHT) ? r.Right - advance : (flags & DT_CENTER) ? r.Left + (width - advance) / 2 : r.Left;
    const int baseline = (flags & DT_BOTTOM) ? r.Bottom - fm.descent() : r.Top + fm.ascent();
    const bool clip = x < r.Left || x + advance > r.Right || baseline - fm.ascent() < r.Top ||
                      baseline + fm.descent() > r.Bottom;
    if (clip) {
        canvas.save();
        canvas.setClipRect(QRect(r.Left, r.Top, width, std::max(0, r.Height())), Qt::IntersectClip);
    }
    if (shaped) {
        for (const QGlyphRun& g : shaped->Glyphs)
            canvas.drawGlyphRun(QPointF(x, baseline), g);
    } else {
        canvas.drawText(QPoint(x, baseline), shown);
    }
    // The prefixed character's underline; it goes with the character when the ellipsis cut it.
    if (underlined >= 0 && underlined < shown.size() && shown[underlined] != QChar(0x2026)) {
        const int from = x + fm.horizontalAdvance(shown.left(underlined));
        canvas.fillRect(QRect(from, baseline + fm.underlinePos(), fm.horizontalAdvance(shown[underlined]),
                              std::max(1, fm.lineWidth())),
                        canvas.pen().color());
    }
    if (clip)
        canvas.restore();
    return height;
}

} // namespace

int DrawTextFlags(QPainter& canvas, const QString& input, TRect& r, unsigned flags)
{
    // The target's resolution decides the metrics, as it decides the drawn glyphs.
    const QFontMetrics fm = canvas.device() ? QFontMetrics(canvas.font(), canvas.device()) : QFontMetrics(canvas.font());
    return DrawTextFlags(canvas, fm, input, r, flags);
}

int DrawTextFlags(QPainter& canvas, const QFontMetrics& fm, const QString& input, TRect& r, unsigned flags, int advance)
{
    QString text = input;
    const bool single = flags & DT_SINGLELINE;
    if (single && !(flags & (DT_VCENTER | DT_RTLREADING)) && !text.contains(QLatin1Char('\t')) &&
        !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return drawPlainLine(canvas, fm, text, r, flags, advance);

    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (single)
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    int qflags = Qt::TextExpandTabs;
    if (!(flags & DT_NOPREFIX))
        qflags |= Qt::TextShowMnemonic;
    // Left and right mean the rectangle's sides whatever the reading order, as on the hand-drawn
    // path: right-to-left reading orders the runs, it does not move the text.
    qflags |= Qt::AlignAbsolute;
    qflags |= (flags & DT_RIGHT) ? Qt::AlignRight : (flags & DT_CENTER) ? Qt::AlignHCenter : Qt::AlignLeft;
    // Vertical placement only applies to single lines, as with the platform call.
    if (single)
        qflags |= (flags & DT_BOTTOM) ? Qt::AlignBottom : (flags & DT_VCENTER) ? Qt::AlignVCenter : Qt::AlignTop;
    else
        qflags |= Qt::AlignTop;
    if (single)
        qflags |= Qt::TextSingleLine | Qt::TextIncludeTrailingSpaces;
    else if (flags & DT_WORDBREAK)
        qflags |= Qt::TextWordWrap;
    const int width = std::max(0, r.Width());
    const int mnemonic = qflags & Qt::TextShowMnemonic;
    if ((flags & DT_END_ELLIPSIS) && !(flags & DT_CALCRECT)) {
        QStringList lines = text.split(QLatin1Char('\n'));
        if (single || !(flags & DT_WORDBREAK)) {
            for (QString& l : lines)
                l = fm.elidedText(l, Qt::ElideRight, width, mnemonic);
        } else {
            // Wrapped text: the last line that fits in the height ends with the ellipsis.
            QStringList out;
            const int maxLines = std::max(1, r.Height() / std::max(1, fm.height()));
            for (const QString& l : lines) {
                QString rest = l;
                do {
                    if (int(out.size()) == maxLines - 1) {
                        out << fm.elidedText(rest, Qt::ElideRight, width, mnemonic);
                        rest.clear();
                        break;
                    }
                    int n = int(rest.size());
                    while (n > 1 && fm.horizontalAdvance(rest.left(n)) > width)
                        --n;
                    int cut = n;
                    if (n < rest.size()) {
                        const int sp = rest.left(n).lastIndexOf(QLatin1Char(' '));
                        if (sp > 0)
                            cut = sp + 1;
                    }
                    out << rest.left(cut).trimmed();
                    rest = rest.mid(cut);
                } while (!rest.isEmpty());
                if (int(out.size()) >= maxLines)
                    break;
            }
            lines = out;
            qflags &= ~Qt::TextWordWrap;
        }
        text = lines.join(QLatin1Char('\n'));
    }
    const int leading = single ? leadingOf(fm, flags) : 0;
    const QRect box(r.Left, r.Top, width, std::max(0, r.Height()));
    if (flags & DT_CALCRECT) {
        const QRect b = fm.boundingRect(QRect(r.Left, r.Top, (single || !(flags & DT_WORDBREAK)) ? 100000 : width, 100000),
                                        qflags & ~(Qt::AlignVCenter | Qt::AlignBottom | Qt::AlignRight |
                                                   Qt::AlignHCenter),
                                        text);
        r.Right = r.Left + b.width();
        r.Bottom = r.Top + b.height() + leading;
        return b.height() + leading;
    }
    const Qt::LayoutDirection direction = canvas.layoutDirection();
    if (flags & DT_RTLREADING)
        canvas.setLayoutDirection(Qt::RightToLeft);
    QRect drawn;
    canvas.drawText(box, qflags, text, &drawn);
    canvas.setLayoutDirection(direction);
    return drawn.height() + leading;
}

} // namespace grid::ZirAzur
