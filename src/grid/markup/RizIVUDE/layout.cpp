// The markup renderer's engine: set-up, the pre-pass over the text, the line loop with its two
// passes per line, and the line routine that splits the text into runs, breaks lines and draws
// or measures each run. What the tags do is tags.cpp.

#include "grid/markup/RizIVUDE/layout.h"

#include "grid/look/QvXPVS.h"
#include "grid/look/ZirAzur.h"
#include "grid/look/ZirAzur/canvas.h"

#include <QLocale>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace grid::RizIVUDE {

using namespace ZirAzur;

namespace detail {

namespace {

struct TEntityText {
    QLatin1String name;
    QString text;
};

// The entities the pre-pass replaces, in the order they are tried. The ampersand becomes the
// doubled ampersand that text drawing shows as one.
const std::vector<TEntityText>& prePassEntities()
{
    static const std::vector<TEntityText> table = {
        {QLatin1String("&amp;"), QStringLiteral("&&")},    {QLatin1String("&quot;"), QStringLiteral("\"")},
        {QLatin1String("&sect;"), QString(QChar(0xA7))},   {QLatin1String("&permil;"), QString(QChar(0x2030))},
        {QLatin1String("&reg;"), QString(QChar(0xAE))},    {QLatin1String("&copy;"), QString(QChar(0xA9))},
        {QLatin1String("&para;"), QString(QChar(0xB6))},   {QLatin1String("&trade;"), QString(QChar(0x2122))},
        {QLatin1String("&euro;"), QString(QChar(0x20AC))},
    };
    return table;
}

// "&nbsp;", "&lt;" and "&gt;" of one run, in one left-to-right scan. A doubled ampersand (an
// "&amp;" of the pre-pass) is skipped as a whole, so what follows it is text: every entity is
// decoded exactly once, and "&amp;lt;" shows "&lt;".
QString decodeRun(const QString& run, bool& replaced)
{
    replaced = false;
    if (!run.contains(QLatin1Char('&')))
        return run;
    static const TEntityText table[] = {{QLatin1String("&nbsp;"), QStringLiteral(" ")},
                                        {QLatin1String("&lt;"), QStringLiteral("<")},
                                        {QLatin1String("&gt;"), QStringLiteral(">")}};
    QString s;
    s.reserve(run.size());
    for (qsizetype i = 0; i < run.size();) {
        if (run[i] != QLatin1Char('&')) {
            s += run[i++];
            continue;
        }
        if (i + 1 < run.size() && run[i + 1] == QLatin1Char('&')) {
            s += QLatin1String("&&");
            i += 2;
            continue;
        }
        bool matched = false;
        for (const TEntityText& e : table) {
            if (QStringView(run).mid(i, e.name.size()).compare(e.name, Qt::CaseInsensitive) == 0) {
                s += e.text;
                i += e.name.size();
                matched = replaced = true;
                break;
            }
        }
        if (!matched)
            s += run[i++];
    }
    return s;
}

// A run as the plain text holds it: the doubled ampersand of an "&amp;" is the one ampersand it
// shows.
QString plainOf(const QString& run)
{
    if (!run.contains(QLatin1String("&&")))
        return run;
    QString s;
    s.reserve(run.size());
    for (qsizetype i = 0; i < run.size(); ++i) {
        s += run[i];
        if (run[i] == QLatin1Char('&') && i + 1 < run.size() && run[i + 1] == QLatin1Char('&'))
            ++i;
    }
    return s;
}

} // namespace

TMarkupLayout::TMarkupLayout(const TMarkupRequest& request, TMarkupResult& result)
    : in(request), out(result), canvas(*request.Canvas), entryFont(request.Canvas->font()), baseFont(entryFont),
      font(entryFont)
{
}

const TMarkupLayout::TAppliedFont* TMarkupLayout::current() const
{
    if (appliedIndex >= 0 && appliedFonts[std::size_t(appliedIndex)].Font == font.Font)
        return &appliedFonts[std::size_t(appliedIndex)];
    return nullptr;
}

QFontMetrics TMarkupLayout::metrics() const
{
    if (const TAppliedFont* f = current())
        return PreparedMetrics(*f->Prepared);
    return canvas.device() ? QFontMetrics(font.Font, canvas.device()) : QFontMetrics(font.Font);
}

int TMarkupLayout::textHeight()
{
    applyFont();
    return appliedFonts[std::size_t(appliedIndex)].Height;
}

int TMarkupLayout::blankWidth()
{
    applyFont();
    return appliedFonts[std::size_t(appliedIndex)].Blank;
}

void TMarkupLayout::applyFont()
{
    if (current())
        return;
    const auto known = std::find_if(appliedFonts.begin(), appliedFonts.end(),
                                    [&](const TAppliedFont& f) { return f.Font == font.Font; });
    if (known != appliedFonts.end()) {
        appliedIndex = int(known - appliedFonts.begin());
        return;
    }
    // The target's resolution decides the metrics, as it decides the drawn glyphs.
    TPreparedFontRef prepared = PrepareFont(canvas, font.Font);
    const int height = PreparedHeight(*prepared), blank = PreparedBlank(*prepared);
    appliedFonts.push_back({font.Font, std::move(prepared), height, blank});
    appliedIndex = int(appliedFonts.size()) - 1;
}

void TMarkupLayout::applyCanvasFont()
{
    applyFont();
    if (!(canvas.font() == font.Font))
        canvas.setFont(font.Font);
}

int TMarkupLayout::measureRun(const QString& run, TRect& r)
{
    applyFont();
    return DrawTextFlags(canvas, *appliedFonts[std::size_t(appliedIndex)].Prepared, run, r, drawFlags | DT_CALCRECT);
}

QString TMarkupLayout::prePass(const QString& text) const
{
    QString s;
    if (text.contains(QLatin1Char('&'))) {
        // One scan replaces each entity once; text produced by a replacement is not read again.
        // Tags are copied as written: their values are decoded where they are read, so an
        // "&amp;" in a link or a control's value is one ampersand there, not the doubled one
        // that text drawing wants.
        s.reserve(text.size());
        for (qsizetype i = 0; i < text.size();) {
            if (text[i] == QLatin1Char('<')) {
                const qsizetype close = text.indexOf(QLatin1Char('>'), i + 1);
                const qsizetype end = close < 0 ? text.size() : close + 1;
                s += QStringView(text).mid(i, end - i);
                i = end;
                continue;
            }
            bool matched = false;
            if (text[i] == QLatin1Char('&')) {
                for (const TEntityText& e : prePassEntities()) {
                    if (QStringView(text).mid(i, e.name.size()).compare(e.name, Qt::CaseInsensitive) == 0) {
                        s += e.text;
                        i += e.name.size();
                        matched = true;
                        break;
                    }
                }
            }
            if (!matched)
                s += text[i++];
        }
    } else {
        s = text;
    }
    // Placeholders the footer did not fill show as "#" and their name.
    for (qsizetype at = s.indexOf(QLatin1String("<#")); at >= 0; at = s.indexOf(QLatin1String("<#"), at)) {
        s.remove(at, 1);
        const qsizetype close = s.indexOf(QLatin1Char('>'), at);
        if (close >= 0)
            s.remove(close, 1);
    }
    if (s.contains(QLatin1Char('\r')))
        s.replace(QLatin1Char('\r'), QLatin1String("<BR>"));
    s.remove(QLatin1Char('\n'));
    return s;
}

bool TMarkupLayout::Run()
{
    canvas.save();
    // Set-up.
    entryFont.Color = canvas.pen().style() == Qt::NoPen ? clNone : platform::fromQColor(canvas.pen().color());
    baseFont = font = entryFont;
    entryBrush = canvas.brush().style() == Qt::NoBrush ? clNone : platform::fromQColor(canvas.brush().color());
    brush = clNone;
    themed = IsWinXPOrLater && ThemeTableActive(GridThemeApi);

    out.HitControlRect = {};
    out.ControlValue.clear();
    out.ControlType.clear();
    if (!in.HitTestOnly)
        out.ControlID.clear();
    out.MarkupWidth = out.MarkupHeight = out.AnchorCount = 0;
    out.HitAnchor = -1;
    out.PlainText.clear();
    out.FocusHref.clear();
    out.AnchorTitle.clear();

    TRect rect = in.Rect;
    rect.Left += 1;
    drawFlags = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING;
    if (QLocale().textDirection() == Qt::RightToLeft) {
        if (in.BiDiMode == bdRightToLeft)
            drawFlags |= DT_RIGHT;
        if (in.BiDiMode != bdLeftToRight)
            drawFlags |= DT_RTLREADING;
    }
    if (!in.Wrap)
        drawFlags |= DT_END_ELLIPSIS;

    QString markup = prePass(in.Text);

    // Line loop. Each line is measured from the font state the previous line's measuring pass
    // left, and painted from the state the previous line's painting pass left.
    TMarkupFont measureCarry = entryFont, paintCarry = entryFont;
    while (!markup.isEmpty()) {
        baseFont = entryFont;
        font = measureCarry;
        const bool anchorBefore = inAnchor;
        const QString hrefBefore = href, titleBefore = title;
        const int anchorsBefore = out.AnchorCount, levelBefore = listLevel, imagesBefore = imageCounter;
        const bool shadowBefore = shadow, hiddenBefore = hidden;
        TMarkupLine ln;
        sub = sup = false;
        ln.Height = textHeight();
        const int stopHeight = ln.Height;
        measurePass = true;
        hitPass = false;
        const qsizetype lengthBefore = markup.size();
        LayoutMarkup(markup, rect, true, ln);
        inAnchor = anchorBefore;
        href = hrefBefore;
        title = titleBefore;
        measureCarry = font;

        TRect lr = rect;
        if (align == 1 && lr.Right - ln.Width > lr.Left)
            lr.Left = lr.Right - ln.Width;
        else if (align == 2 && lr.Width() - ln.Width > 0)
            lr.Left += (lr.Width() - ln.Width) / 2;
        lr.Left += indent;
        lr.Bottom = lr.Top + ln.Height + ln.SubExtra + ln.SupExtra;

        if (!in.MeasureOnly) {
            baseFont = entryFont;
            font = paintCarry;
            out.AnchorCount = anchorsBefore;
            listLevel = levelBefore;
            imageCounter = imagesBefore;
            sub = sup = false;
            shadow = shadowBefore;
            hidden = hiddenBefore;
            measurePass = false;
            hitPass = in.HitTestOnly;
            QString lineMarkup = std::move(ln.Markup);
            LayoutMarkup(lineMarkup, lr, in.HitTestOnly, ln);
            const int gh = textHeight();
            const int bottom = lr.Bottom - ln.VShift;
            if (ln.ObjectHit || (ln.AnchorHit && bottom - gh < in.HitY && in.HitY < bottom))
                hit = true;
            paintCarry = font;
        }

        const int advance = ln.Height + ln.SubExtra + ln.SupExtra;
        rect.Top += advance;
        out.MarkupHeight += advance;
        if (!in.MeasureOnly && stopHeight + rect.Top > rect.Bottom)
            break;
        if (markup.size() == lengthBefore)
            break; // nothing was consumed; cannot happen, but never loop forever
    }

    font = entryFont;
    if (out.MarkupHeight == 0)
        out.MarkupHeight = textHeight();
    canvas.restore();
    return hit;
}

void TMarkupLayout::LayoutMarkup(QString& markup, TRect cr, bool noPaint, TMarkupLine& ln)
{
    cr.Bottom -= ln.SubExtra;
    ln.Width = 0;
    ln.AnchorHit = ln.ObjectHit = false;
    ln.Markup.clear();
    line = &ln;
    lineRect = cr;
    runRect = cr;
    painting = !noPaint;
    lineEnded = lineFull = itemOnLine = false;
    bool lineEndsInBlank = false; // the text taken so far ends with a blank
    int trailingBlank = 0;
    int runsTaken = 0;
    if (paraBackground && painting)
        fill({in.Rect.Left, cr.Top, in.Rect.Right, cr.Top + ln.Height}, brush);

    while (!markup.isEmpty() && !lineEnded && !lineFull) {
        // The run: text up to the next tag, or with wrapping up to and including the next
        // blank when that comes first.
        const qsizetype lt = markup.indexOf(QLatin1Char('<'));
        const qsizetype blank = in.Wrap ? markup.indexOf(QLatin1Char(' ')) : -1;
        qsizetype k;
        if (lt >= 0 && (blank < 0 || blank > lt))
            k = lt;
        else if (blank >= 0)
            k = blank + 1;
        else
            k = markup.size();

        if (k > 0) {
            bool replaced = false;
            const QString run = decodeRun(markup.left(k), replaced);
            if (hidden) {
                // Hidden text takes no room and is not drawn, but is part of the plain text.
                if (measurePass)
                    out.PlainText += plainOf(run);
                markup.remove(0, k);
                continue;
            }
            TRect extent = runRect;
            const int height = measureRun(run, extent);
            const int width = extent.Width();
            if (sub)
                ln.SubExtra = std::max(ln.SubExtra, height / 4);
            if (sup)
                ln.SupExtra = std::max(ln.SupExtra, height / 4);
            ln.Height = std::max(ln.Height, height);

            const int before = ln.Width;
            if (noPaint)
                ln.Width += width;
            else
                paintRun(run, width, height);
            if (hitPass && inAnchor) {
                // The mirrored layout counts from the right edge.
                const int x = (drawFlags & DT_RIGHT) ? cr.Right - in.HitX : in.HitX - cr.Left;
                if (x >= before && ln.Width >= x) {
                    ln.AnchorHit = true;
                    if (in.HitY > runRect.Top) {
                        out.AnchorHref = href;
                        out.AnchorTitle = title;
                        anchorPending = true;
                    }
                }
            }

            // Fitting. A painting pass keeps text out of the line width: the breaks are the
            // measuring pass's, and an aligned line's narrower rectangle must not break again.
            // A run as wide as the whole line cannot fit anywhere: it takes a line of its own.
            const int available = cr.Width();
            const int withRun = noPaint ? ln.Width : ln.Width + width;
            bool fits = withRun < available || (width >= available && before == 0);
            // A run that continues a word split by tags stays with it.
            if (!fits && !lineEndsInBlank)
                fits = true;
            lineEndsInBlank = run.endsWith(QLatin1Char(' '));
            if (fits || !in.Wrap) {
                if (measurePass)
                    ln.Markup += QStringView(markup).left(k);
                markup.remove(0, k);
                if (measurePass)
                    out.PlainText += plainOf(run);
                // Without wrapping, text beyond the first overflowing run is dropped.
                if (noPaint && !fits && runsTaken > 0)
                    markup.clear();
                ++runsTaken;
                trailingBlank = (!replaced && run.endsWith(QLatin1Char(' '))) ? blankWidth() : 0;
            } else {
                lineEnded = true;
                if (noPaint)
                    ln.Width -= width;
            }
        }

        // Tags.
        if (markup.startsWith(QLatin1Char('<'))) {
            if (markup.size() <= 2) {
                markup.clear();
            } else if (!lineEnded) {
                handleTag(markup);
                if (!lineFull) {
                    const qsizetype close = markup.indexOf(QLatin1Char('>'));
                    if (close >= 0) {
                        if (measurePass)
                            ln.Markup += QStringView(markup).left(close + 1);
                        markup.remove(0, close + 1);
                    } else {
                        markup.clear(); // a tag without ">" ends the text
                    }
                }
            }
        }
    }

    ln.Width -= trailingBlank;
    out.MarkupWidth = std::max(out.MarkupWidth, ln.Width);
    if (painting && in.FocusAnchor >= 0 && in.FocusAnchor == out.AnchorCount - 1 && inAnchor) {
        // The focused anchor goes on on the next line: its frame so far, restarted there.
        focusRect.Right = runRect.Left;
        focusRect.Bottom = runRect.Bottom - ln.VShift;
        focusRect.Top = focusRect.Bottom - textHeight();
        drawFocusRect({focusRect.Left - 1, focusRect.Top - 1, focusRect.Right + 1, focusRect.Bottom + 1});
        focusRect.Left = in.Rect.Left + 1;
    }
    line = nullptr;
}

void TMarkupLayout::paintRun(const QString& run, int width, int height)
{
    TRect r = runRect;
    if (sub)
        r.Bottom += line->SubExtra;
    if (sup)
        r.Bottom -= line->SupExtra;
    r.Bottom -= line->VShift;
    if (brush != clNone && font.Angle == 0)
        fill({r.Left, r.Bottom - height, std::min(r.Right, r.Left + width), r.Bottom}, brush);
    if (shadow)
        drawRun(run,
                {r.Left + in.ShadowShift, r.Top + in.ShadowShift, r.Right + in.ShadowShift, r.Bottom + in.ShadowShift},
                width, height, in.ShadowColor);
    drawRun(run, r, width, height, font.Color);
    if (in.FocusAnchor >= 0 && in.FocusAnchor == out.AnchorCount - 1 && inAnchor)
        out.FocusHref = href;
    if (errorMark)
        drawErrorMark(r.Left, r.Left + width);
    if (drawFlags & DT_RIGHT) {
        runRect.Right -= width;
    } else {
        runRect.Left = r.Left + width;
        runRect.Right = lineRect.Right;
    }
}

void TMarkupLayout::drawRun(const QString& run, const TRect& r, int width, int height, TColor color)
{
    if (color == clNone)
        return;
    applyFont();
    // One pen per colour: setting the pen the canvas already has costs nothing.
    if (color != runPenColor) {
        runPen = QPen(platform::toQColor(color));
        runPenColor = color;
    }
    canvas.setPen(runPen);
    if (font.Angle % 360 == 0) {
        TRect target = r;
        DrawTextFlags(canvas, *appliedFonts[std::size_t(appliedIndex)].Prepared, run, target, drawFlags, width);
        return;
    }
    // Turned text: the run's box is turned about its top-left corner, and is not clipped.
    canvas.save();
    canvas.translate(r.Left, r.Bottom - height);
    canvas.rotate(-font.Angle);
    TRect target{0, 0, width, height};
    DrawTextFlags(canvas, *appliedFonts[std::size_t(appliedIndex)].Prepared, run, target, drawFlags & ~DT_END_ELLIPSIS,
                  width);
    canvas.restore();
}

void TMarkupLayout::drawErrorMark(int left, int right)
{
    // A red zigzag under the run: 2 pixels high, 2 pixels per stroke, its phase fixed by x so
    // that neighbouring runs join.
    const int y = lineRect.Bottom - 1;
    int x = left - (((left % 2) + 2) % 2);
    for (; x < right; ++x) {
        const int phase = ((x % 4) + 4) % 4;
        const int dy = phase == 0 ? 2 : phase == 2 ? 0 : 1;
        canvas::setPixel(canvas, x, y + dy, platform::clRed);
    }
    // The stroke that started below the last pixel ends on the next even x.
    if ((x % 2) != 0)
        canvas::setPixel(canvas, x, y + 1, platform::clRed);
}

void TMarkupLayout::drawFocusRect(const TRect& r)
{
    if (r.IsEmpty())
        return;
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(platform::toQColor(font.Color == clNone ? platform::clBlack : font.Color), 1, Qt::DotLine);
    canvas.setPen(pen);
    canvas.setBrush(Qt::NoBrush);
    canvas.drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    canvas.restore();
}

void TMarkupLayout::fill(const TRect& r, TColor color)
{
    canvas::fillRect(canvas, r, color);
}

int TMarkupLayout::deviceX(int pixels) const
{
    const int dpi = canvas.device() ? canvas.device()->logicalDpiX() : 96;
    return pixels * dpi / 96;
}

int TMarkupLayout::deviceY(int pixels) const
{
    const int dpi = canvas.device() ? canvas.device()->logicalDpiY() : 96;
    return pixels * dpi / 96;
}

} // namespace detail

bool PaintMarkup(const TMarkupRequest& request, TMarkupResult& result)
{
    if (!request.Canvas || !request.Canvas->isActive())
        return false;
    detail::TMarkupLayout layout(request, result);
    return layout.Run();
}

} // namespace grid::RizIVUDE
