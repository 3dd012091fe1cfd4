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

struct TShapedRun {
    int Advance = 0;
    QList<QGlyphRun> Glyphs;
    // Of a run read with the prefix rule: the text shown, and the underlined character (-1
    // none) with its offset and width in the prepared font.
    QString Shown;
    qsizetype Underlined = -1;
    int UnderlineFrom = 0;
    int UnderlineWidth = 0;
};

// Metrics of the line drawn, read once per prepared font rather than once per run.
struct TLineMetrics {
    int Ascent = 0;
    int Descent = 0;
    int Height = 0;
    int Leading = 0;
    int UnderlinePos = 0;
    int LineWidth = 0;
};

TLineMetrics lineMetricsOf(const QFontMetrics& fm)
{
    return {fm.ascent(), fm.descent(), fm.height(), std::max(0, fm.leading()), fm.underlinePos(), fm.lineWidth()};
}

// Runs shaped in all prepared fonts of the thread; past this they are all shaped anew.
constexpr qsizetype kShapedRunsKept = 8192;
constexpr std::size_t kPreparedFontsKept = 64;
thread_local qsizetype shapedRunCount = 0;

} // namespace

struct TPreparedFont {
    TPreparedFont(const QFont& font, const QPaintDevice* device, int dpiX, int dpiY)
        : Font(font), DpiX(dpiX), DpiY(dpiY), Metrics(device ? QFontMetrics(font, device) : QFontMetrics(font)),
          Line(lineMetricsOf(Metrics)), Blank(Metrics.horizontalAdvance(QLatin1Char(' ')))
    {
    }

    // Shaped single-line runs: shaping a run costs more than drawing it. The glyphs are kept
    // relative to the baseline, so drawing them is drawing the text at its baseline.
    // With prefixes, text is read with the prefix rule and the shown text is shaped.
    const TShapedRun& shaped(const QString& text, QPaintDevice* device, bool prefixes) const;

    const QFont Font;
    const int DpiX;
    const int DpiY;
    const QFontMetrics Metrics;
    const TLineMetrics Line;
    const int Blank;
    mutable QHash<QString, TShapedRun> Runs;
    mutable QHash<QString, TShapedRun> PrefixedRuns; // by the text as given
};

namespace {

thread_local std::vector<TPreparedFontRef> preparedFonts;

} // namespace

const TShapedRun& TPreparedFont::shaped(const QString& text, QPaintDevice* device, bool prefixes) const
{
    QHash<QString, TShapedRun>& runs = prefixes ? PrefixedRuns : Runs;
    if (const auto it = runs.constFind(text); it != runs.constEnd())
        return *it;
    if (runs.size() >= kShapedRunsKept) {
        shapedRunCount -= runs.size();
        runs.clear();
    }
    if (shapedRunCount >= kShapedRunsKept) {
        for (const TPreparedFontRef& f : preparedFonts) {
            f->Runs.clear();
            f->PrefixedRuns.clear();
        }
        Runs.clear();
        PrefixedRuns.clear();
        shapedRunCount = 0;
    }
    TShapedRun run;
    if (prefixes) {
        run.Shown = withoutPrefixes(text, run.Underlined);
        if (run.Underlined >= 0 && run.Underlined < run.Shown.size()) {
            run.UnderlineFrom = Metrics.horizontalAdvance(run.Shown.left(run.Underlined));
            run.UnderlineWidth = Metrics.horizontalAdvance(run.Shown[run.Underlined]);
        }
    }
    const QString& shown = prefixes ? run.Shown : text;
    QTextLayout layout(shown, Font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    // The advance of the shaped line is the metrics' advance, rounded the same way.
    run.Advance = line.isValid() ? qRound(line.horizontalAdvance()) : Metrics.horizontalAdvance(shown);
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
    ++shapedRunCount;
    return *runs.insert(text, std::move(run));
}

TPreparedFontRef PrepareFont(const QPainter& canvas, const QFont& font)
{
    QPaintDevice* device = canvas.device();
    const int dpiX = device ? device->logicalDpiX() : 0;
    const int dpiY = device ? device->logicalDpiY() : 0;
    for (const TPreparedFontRef& f : preparedFonts)
        if (f->DpiX == dpiX && f->DpiY == dpiY && f->Font == font)
            return f;
    if (preparedFonts.size() >= kPreparedFontsKept) {
        // Callers still holding one keep it; only the thread's list starts anew.
        for (const TPreparedFontRef& f : preparedFonts)
            shapedRunCount -= f->Runs.size() + f->PrefixedRuns.size();
        preparedFonts.clear();
    }
    return preparedFonts.emplace_back(std::make_shared<TPreparedFont>(font, device, dpiX, dpiY));
}

const QFontMetrics& PreparedMetrics(const TPreparedFont& font)
{
    return font.Metrics;
}

int PreparedHeight(const TPreparedFont& font)
{
    return font.Line.Height;
}

int PreparedBlank(const TPreparedFont& font)
{
    return font.Blank;
}

namespace {

// Whether the text is one line the hand-placed path draws.
bool isPlainLine(const QString& text, unsigned flags)
{
    if (!(flags & DT_SINGLELINE) || (flags & (DT_VCENTER | DT_RTLREADING)))
        return false;
    for (const QChar c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return false;
    return true;
}

// The canvas's font set to the font Qt's own text drawing is to use.
void useCanvasFont(QPainter& canvas, const QFont& font)
{
    if (!(canvas.font() == font))
        canvas.setFont(font);
}

// One line, placed by hand, from the shaped run. With a prepared font its metrics are used
// throughout (fm is its metrics); without, the canvas's font is prepared for the shaping and
// the caller's metrics of it place the line.
int drawPlainLine(QPainter& canvas, const QFontMetrics& fm, const TPreparedFont* prepared, const QString& text,
                  TRect& r, unsigned flags, int knownAdvance)
{
    const bool own = prepared != nullptr;
    const TLineMetrics m =
        own ? prepared->Line : TLineMetrics{fm.ascent(), fm.descent(), fm.height(), std::max(0, fm.leading())};
    const int width = std::max(0, r.Width());
    const int height = m.Height + ((flags & DT_EXTERNALLEADING) ? m.Leading : 0);
    if (!own) {
        thread_local TPreparedFontRef last;
        const QPaintDevice* device = canvas.device();
        if (!last || !device || last->DpiX != device->logicalDpiX() || last->DpiY != device->logicalDpiY()
            || !(last->Font == canvas.font()))
            last = PrepareFont(canvas, canvas.font());
        prepared = last.get();
    }
    // Every "&" is either dropped or shown from a doubled one, so a text with one is changed.
    const bool prefixes = !(flags & DT_NOPREFIX) && text.contains(QLatin1Char('&'));
    const TShapedRun* shaped = &prepared->shaped(text, canvas.device(), prefixes);
    QString shown = prefixes ? shaped->Shown : text;
    const qsizetype underlined = prefixes ? shaped->Underlined : -1;
    int advance = !prefixes && knownAdvance >= 0 ? knownAdvance : shaped->Advance;
    if (flags & DT_CALCRECT) {
        r.Right = r.Left + advance;
        r.Bottom = r.Top + height;
        return height;
    }
    bool cut = false;
    if ((flags & DT_END_ELLIPSIS) && advance > width) {
        shown = fm.elidedText(shown, Qt::ElideRight, width);
        advance = fm.horizontalAdvance(shown);
        cut = true;
    }
    const int x = (flags & DT_RIGHT)    ? r.Right - advance
                  : (flags & DT_CENTER) ? r.Left + (width - advance) / 2
                                        : r.Left;
    const int baseline = (flags & DT_BOTTOM) ? r.Bottom - m.Descent : r.Top + m.Ascent;
    const bool clip =
        x < r.Left || x + advance > r.Right || baseline - m.Ascent < r.Top || baseline + m.Descent > r.Bottom;
    if (clip) {
        canvas.save();
        canvas.setClipRect(QRect(r.Left, r.Top, width, std::max(0, r.Height())), Qt::IntersectClip);
    }
    if (!cut) {
        for (const QGlyphRun& g : shaped->Glyphs)
            canvas.drawGlyphRun(QPointF(x, baseline), g);
    } else {
        if (own)
            useCanvasFont(canvas, prepared->Font);
        canvas.drawText(QPoint(x, baseline), shown);
    }
    // The prefixed character's underline; it goes with the character when the ellipsis cut it.
    if (underlined >= 0 && underlined < shown.size() && shown[underlined] != QChar(0x2026)) {
        const bool kept = own && !cut;
        const int from = x + (kept ? shaped->UnderlineFrom : fm.horizontalAdvance(shown.left(underlined)));
        canvas.fillRect(QRect(from, baseline + (own ? m.UnderlinePos : fm.underlinePos()),
                              kept ? shaped->UnderlineWidth : fm.horizontalAdvance(shown[underlined]),
                              std::max(1, own ? m.LineWidth : fm.lineWidth())),
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
    const QFontMetrics fm =
        canvas.device() ? QFontMetrics(canvas.font(), canvas.device()) : QFontMetrics(canvas.font());
    return DrawTextFlags(canvas, fm, input, r, flags);
}

int DrawTextFlags(QPainter& canvas, const QFontMetrics& fm, const QString& input, TRect& r, unsigned flags, int advance)
{
    if (isPlainLine(input, flags))
        return drawPlainLine(canvas, fm, nullptr, input, r, flags, advance);
    QString text = input;
    const bool single = flags & DT_SINGLELINE;

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
        const QRect b =
            fm.boundingRect(QRect(r.Left, r.Top, (single || !(flags & DT_WORDBREAK)) ? 100000 : width, 100000),
                            qflags & ~(Qt::AlignVCenter | Qt::AlignBottom | Qt::AlignRight | Qt::AlignHCenter), text);
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

int DrawTextFlags(QPainter& canvas, const TPreparedFont& font, const QString& text, TRect& r, unsigned flags,
                  int advance)
{
    if (isPlainLine(text, flags))
        return drawPlainLine(canvas, font.Metrics, &font, text, r, flags, advance);
    if (!(flags & DT_CALCRECT))
        useCanvasFont(canvas, font.Font);
    return DrawTextFlags(canvas, font.Metrics, text, r, flags, advance);
}

} // namespace grid::ZirAzur
