// The markup's tags: what each does to the text state, the line and the canvas, how attribute
// values are read, how images are found, sized and drawn, and how inline controls are drawn
// and hit. The line routine (layout.cpp) calls handleTag with the tag at the start of the
// remaining markup.
//
// The handler is chosen by the first letter of the tag's name (and for some tags the next
// character), in either case. Font, paragraph, page and image attributes are read from an
// upper-cased copy of the tag; anchors and controls keep the case of their values, and so do
// picture sources, whose file and resource names are case-sensitive here.

#include "grid/markup/RizIVUDE/layout.h"

#include "grid/QvObj.h"
#include "grid/look/QvXPVS.h"
#include "grid/look/ZirAzur.h"
#include "grid/look/ZirAzur/canvas.h"
#include "grid/markup/PictureContainer.h"

#include <QHash>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace grid::RizIVUDE {

using namespace ZirAzur;
namespace th = platform::theme;

namespace detail {

QString upperSameLength(const QString& text)
{
    QString s = text;
    for (QChar& c : s)
        c = c.toUpper();
    return s;
}

bool attributeValue(const QString& tag, const QString& name, QString& value)
{
    const qsizetype at = tag.indexOf(name, 0, Qt::CaseInsensitive);
    if (at < 0)
        return false;
    const qsizetype first = tag.indexOf(QuoteChar, at + name.size());
    const qsizetype second = first < 0 ? -1 : tag.indexOf(QuoteChar, first + 1);
    if (second < 0)
        return false;
    value = tag.mid(first + 1, second - first - 1);
    return true;
}

int leadingNumber(const QString& text, bool* any)
{
    long long n = 0;
    qsizetype i = 0;
    while (i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
        // Held below what a pixel count can be, so a long digit string cannot overflow.
        n = std::min<long long>(n * 10 + (text[i].unicode() - '0'), 1000000);
        ++i;
    }
    if (any)
        *any = i > 0;
    return int(n);
}

namespace {

// The tag's text from its "<" to before its ">" (the whole rest when there is none).
QString tagTextOf(const QString& markup)
{
    const qsizetype close = markup.indexOf(QLatin1Char('>'));
    return close < 0 ? markup : markup.left(close);
}

// A colour attribute: "#RRGGBB" or a colour name; an empty value leaves the colour alone.
void readColor(const QString& value, TColor& color)
{
    if (value.isEmpty())
        return;
    color = value.startsWith(QLatin1Char('#')) ? HexToColor(value.toUpper()) : ColorFromName(value.toLower());
}

// A picture source of an upper-cased copy's attribute, taken from the original at the same
// place (file and resource names are case-sensitive here) and entity-decoded.
bool originalValue(const QString& upper, const QString& original, const QString& name, QString& value)
{
    QString v;
    if (!attributeValue(upper, name, v))
        return false;
    const qsizetype at = upper.indexOf(name);
    const qsizetype first = upper.indexOf(QuoteChar, at + name.size());
    value = DecodeEntities(original.mid(first + 1, v.size()), false);
    return true;
}

int fontSizeOf(int n)
{
    static const int sizes[] = {8, 10, 12, 14, 16};
    return n >= 1 && n <= 5 ? sizes[n - 1] : n;
}

// What a FONT tag says, read once per tag text: cells repeat the same few tags on every paint.
struct TFontTagValues {
    std::optional<QString> Face;     // a non-empty FACE
    bool HasColor = false;           // COLOR is there
    std::optional<TColor> Color;     // ... with a value
    bool HasBackColor = false;       // BGCOLOR is there
    std::optional<TColor> BackColor; // ... with a value
    std::optional<int> PointSize;
};

// The value read into color by readColor, or none when it leaves the colour alone.
std::optional<TColor> colorValue(const QString& value)
{
    if (value.isEmpty())
        return std::nullopt;
    TColor color = clNone;
    readColor(value, color);
    return color;
}

TFontTagValues readFontTag(const QString& tag)
{
    TFontTagValues values;
    const QString up = upperSameLength(tag);
    QString v;
    if (attributeValue(up, QStringLiteral("FACE"), v) && !v.isEmpty())
        values.Face = v;
    // The blank keeps BGCOLOR from matching.
    if (attributeValue(up, QStringLiteral(" COLOR"), v)) {
        values.HasColor = true;
        values.Color = colorValue(v);
    }
    if (attributeValue(up, QStringLiteral("BGCOLOR"), v)) {
        values.HasBackColor = true;
        values.BackColor = colorValue(v);
    }
    const qsizetype size = up.indexOf(QLatin1String("SIZE"));
    if (size >= 0) {
        const qsizetype eq = up.indexOf(QLatin1Char('='), size);
        if (eq >= 0) {
            const qsizetype quote = up.indexOf(QuoteChar, eq);
            bool any = false;
            const int n = leadingNumber(up.mid(quote >= 0 ? quote + 1 : eq + 1), &any);
            if (any && n > 0)
                values.PointSize = fontSizeOf(n);
        }
    }
    return values;
}

// An anchor tag's HREF and TITLE, entity-decoded.
struct TAnchorTagValues {
    std::optional<QString> Href;
    std::optional<QString> Title;
};

TAnchorTagValues readAnchorTag(const QString& tag)
{
    TAnchorTagValues values;
    QString v;
    if (attributeValue(tag, QStringLiteral("HREF"), v))
        values.Href = DecodeEntities(v, false);
    if (attributeValue(tag, QStringLiteral("TITLE"), v))
        values.Title = DecodeEntities(v, false);
    return values;
}

// Tag texts already read, per thread, for the quote character they were read with.
template <typename Values>
const Values& readOnce(const QString& tag, Values (*read)(const QString&))
{
    constexpr qsizetype kTagsKept = 1024;
    thread_local QHash<QString, Values> known;
    thread_local QChar knownQuote = QuoteChar;
    if (knownQuote != QuoteChar) {
        known.clear();
        knownQuote = QuoteChar;
    }
    if (const auto it = known.constFind(tag); it != known.constEnd())
        return *it;
    if (known.size() >= kTagsKept)
        known.clear();
    return *known.insert(tag, read(tag));
}

void setFontSizeFrom(QFont& font, const QFont& from)
{
    if (from.pointSize() > 0)
        font.setPointSize(from.pointSize());
    else if (from.pixelSize() > 0)
        font.setPixelSize(from.pixelSize());
}

} // namespace

void TMarkupLayout::handleTag(const QString& markup)
{
    const bool closing = markup[1] == QLatin1Char('/') && markup.size() > 3;
    const qsizetype at = closing ? 2 : 1;
    const QChar letter = markup[at].toUpper();
    const QChar next = at + 1 < markup.size() ? markup[at + 1].toUpper() : QChar();
    if (closing)
        closingTag(letter, next);
    else
        openingTag(letter, next, tagTextOf(markup));
}

void TMarkupLayout::openingTag(QChar letter, QChar next, const QString& tag)
{
    const QLatin1Char gt('>');
    switch (letter.unicode()) {
    case 'B':
        if (next == gt) {
            font.Font.setBold(true);
        } else if (next == QLatin1Char('R')) {
            lineEnded = true;
            if (measurePass)
                out.PlainText += QLatin1Char('\r');
        } else if (next == QLatin1Char('L')) {
            if (!in.BlinkVisible)
                font.Color = entryBrush;
        } else if (next == QLatin1Char('O')) {
            bodyTag(tag);
        }
        break;
    case 'I':
        if (next == gt)
            font.Font.setItalic(true);
        else if (next == QLatin1Char('N'))
            tabStopTag(tag);
        else if (next == QLatin1Char('M'))
            imageTag(tag);
        break;
    case 'U':
        if (next == gt) {
            font.Font.setUnderline(true);
        } else {
            ++listLevel;
            lineEnded = true;
        }
        break;
    case 'S':
        if (next == gt)
            font.Font.setStrikeOut(true);
        else if (next == QLatin1Char('H'))
            shadow = true;
        else if (tag.startsWith(QLatin1String("<SUB"), Qt::CaseInsensitive) && tag.size() == 4)
            sub = true;
        else if (tag.startsWith(QLatin1String("<SUP"), Qt::CaseInsensitive) && tag.size() == 4)
            sup = true;
        break;
    case 'E':
        if (painting)
            errorMark = true;
        break;
    case 'Z':
        hidden = true;
        break;
    case 'H':
        if (next == QLatin1Char('I')) {
            if (painting) {
                highlights.emplace_back(font.Color, brush);
                brush = in.HighlightColor != clNone ? in.HighlightColor : HighlightBackColor;
                font.Color = in.HighlightTextColor != clNone ? in.HighlightTextColor : HighlightTextColor;
            }
        } else if (next == QLatin1Char('R')) {
            ruleTag();
        }
        break;
    case 'F':
        fontTag(tag);
        break;
    case 'P':
        paragraphTag(tag);
        break;
    case 'L':
        listItemTag();
        break;
    case 'A':
        anchorTag(tag);
        break;
    case 'C':
        controlTag(tag);
        break;
    case 'R':
        rotateTag(tag);
        break;
    default:
        break; // no handler: the tag is skipped
    }
}

void TMarkupLayout::closingTag(QChar letter, QChar next)
{
    const QLatin1Char gt('>');
    switch (letter.unicode()) {
    case 'B':
        if (next == gt)
            font.Font.setBold(false);
        else
            font.Color = baseFont.Color; // the end of blinking text
        break;
    case 'I':
        font.Font.setItalic(false);
        break;
    case 'U':
        if (next == gt || listLevel == 0)
            font.Font.setUnderline(false);
        else
            --listLevel;
        break;
    case 'S':
        if (next == QLatin1Char('U'))
            sub = sup = false;
        else if (next == QLatin1Char('H'))
            shadow = false;
        else
            font.Font.setStrikeOut(false);
        break;
    case 'E':
        if (painting)
            errorMark = false;
        break;
    case 'Z':
        hidden = false;
        break;
    case 'H':
        if (painting && !highlights.empty()) {
            font.Color = highlights.back().first;
            brush = highlights.back().second;
            highlights.pop_back();
        }
        break;
    case 'F':
        font.Font.setFamily(baseFont.Font.family());
        setFontSizeFrom(font.Font, baseFont.Font);
        if (painting && !in.KeepColors) {
            font.Color = baseFont.Color;
            brush = savedFontBack;
        }
        break;
    case 'P':
        lineEnded = true;
        if (painting) {
            brush = savedParaBack;
            paraBackground = false;
        }
        break;
    case 'L':
        lineEnded = true;
        break;
    case 'A':
        anchorEnd();
        break;
    case 'R':
        font.Angle = font.SavedAngle;
        break;
    default:
        break;
    }
}

// ---- font, paragraph, page ------------------------------------------------------------------

void TMarkupLayout::fontTag(const QString& tag)
{
    const TFontTagValues& v = readOnce(tag, readFontTag);
    if (v.Face)
        font.Font.setFamily(*v.Face);
    if (!in.KeepColors && v.HasColor && v.Color)
        font.Color = *v.Color;
    if (painting && !in.KeepColors && v.HasBackColor) {
        savedFontBack = brush;
        if (v.BackColor)
            brush = *v.BackColor;
    }
    if (v.PointSize)
        font.Font.setPointSize(*v.PointSize);
}

void TMarkupLayout::paragraphTag(const QString& tag)
{
    const QString up = upperSameLength(tag);
    QString v;
    if (attributeValue(up, QStringLiteral("ALIGN"), v)) {
        if (v.contains(QLatin1String("RIGHT")))
            align = 1;
        if (v.contains(QLatin1String("LEFT")))
            align = 0;
        if (v.contains(QLatin1String("CENTER")))
            align = 2;
    }
    if (attributeValue(up, QStringLiteral("INDENT"), v))
        indent = leadingNumber(v);
    if (attributeValue(up, QStringLiteral("BGCOLOR"), v)) {
        TColor color = clNone;
        readColor(v, color);
        if (painting) {
            paraBackground = true;
            savedParaBack = brush;
            brush = color;
            fill({in.Rect.Left, lineRect.Top, in.Rect.Right, lineRect.Bottom}, color);
        }
    }
}

void TMarkupLayout::bodyTag(const QString& tag)
{
    if (!painting)
        return;
    const QString up = upperSameLength(tag);
    QString v;
    if (originalValue(up, tag, QStringLiteral("BACKGROUND"), v)) {
        THTMLPicture* picture = findPicture(v);
        if (picture && !picture->Empty() && picture->Width() > 0 && picture->Height() > 0) {
            const int w = picture->Width(), h = picture->Height();
            canvas.save();
            canvas.setClipRect(in.Rect.toQRect(), Qt::IntersectClip);
            for (int y = in.Rect.Top; y < in.Rect.Bottom; y += h)
                for (int x = in.Rect.Left; x < in.Rect.Right; x += w)
                    picture->Draw(canvas, {x, y, x + w, y + h});
            canvas.restore();
        }
    }
    if (attributeValue(up, QStringLiteral("BGCOLOR"), v)) {
        bool found = false;
        TColor color = clNone;
        if (v.contains(QLatin1String("CL"))) {
            color = ColorFromName(v.toLower());
            found = true;
        }
        if (v.contains(QLatin1Char('#'))) {
            color = HexToColor(v);
            found = true;
        }
        if (found) {
            brush = color;
            savedFontBack = color; // a later font end comes back to the page colour
            fill(in.Rect, color);
        }
    }
}

// ---- tab stop, rule, rotation ---------------------------------------------------------------

void TMarkupLayout::tabStopTag(const QString& tag)
{
    QString v;
    if (!attributeValue(tag, QStringLiteral("x"), v))
        return;
    bool any = false;
    const int x = leadingNumber(v, &any);
    if (any && x > line->Width) {
        line->Width = x;
        runRect.Left = in.Rect.Left + x;
    }
}

void TMarkupLayout::ruleTag()
{
    lineEnded = true;
    if (painting)
        canvas::lineTo(canvas, lineRect.Left, runRect.Bottom + 1, lineRect.Right, runRect.Bottom + 1,
                       platform::clBlack);
}

void TMarkupLayout::rotateTag(const QString& tag)
{
    const qsizetype a = tag.indexOf(QLatin1Char('a'), 1, Qt::CaseInsensitive);
    if (a < 0)
        return;
    QString v;
    if (!attributeValue(tag.mid(a), QStringLiteral("a"), v))
        return;
    font.SavedAngle = font.Angle;
    font.Angle = leadingNumber(v);
}

// ---- list items and anchors -----------------------------------------------------------------

void TMarkupLayout::listItemTag()
{
    if (itemOnLine) {
        lineFull = true; // the item starts the next line
        return;
    }
    itemOnLine = true;
    line->Width += listLevel * 12;
    runRect.Left += listLevel * 12 - 12;
    if (painting && font.Color != clNone) {
        // A filled bullet at odd levels, a hollow one at even levels.
        applyCanvasFont();
        canvas.setPen(platform::toQColor(font.Color));
        const QString bullet = listLevel % 2 == 1 ? QString(QChar(0x2022)) : QString(QChar(0x25E6));
        canvas.drawText(QPoint(runRect.Left, runRect.Top + metrics().ascent()), bullet);
    }
    runRect.Left += 12;
}

void TMarkupLayout::anchorTag(const QString& tag)
{
    if (in.FocusAnchor == out.AnchorCount && painting) {
        focusRect.Left = runRect.Left;
        focusRect.Top = runRect.Top;
    }
    ++out.AnchorCount;
    const bool hovered = in.HoverAnchor == out.AnchorCount;
    if (painting && (!in.HoverOnly || hovered)) {
        font.Font.setUnderline(true);
        if (in.HoverBackColor != clNone) {
            savedAnchorBack = brush;
            brush = in.HoverBackColor;
        }
        if (in.HoverTextColor != clNone) {
            savedAnchorText = font.Color;
            font.Color = in.HoverTextColor;
        }
    }
    if (!in.KeepColors && (in.HoverTextColor == clNone || !hovered || !in.HoverOnly))
        font.Color = in.AnchorColor;
    const TAnchorTagValues& v = readOnce(tag, readAnchorTag);
    if (v.Href) {
        href = *v.Href;
        inAnchor = true;
    }
    if (v.Title)
        title = *v.Title;
    anchorRect.Left = lineRect.Left + line->Width;
    anchorRect.Top = lineRect.Top;
}

void TMarkupLayout::anchorEnd()
{
    if (painting && (!in.HoverOnly || in.HoverAnchor == out.AnchorCount)) {
        font.Font.setUnderline(false);
        if (in.HoverBackColor != clNone)
            brush = savedAnchorBack;
        if (in.HoverTextColor != clNone)
            font.Color = savedAnchorText;
    }
    if (!in.KeepColors)
        font.Color = baseFont.Color;
    inAnchor = false;
    if (anchorPending) {
        // An anchor that began on an earlier line answers with its part on this line.
        if (anchorRect.Top != lineRect.Top) {
            anchorRect.Left = lineRect.Left;
            anchorRect.Top = lineRect.Top;
        }
        out.HitAnchorRect = {anchorRect.Left, anchorRect.Top, lineRect.Left + line->Width, lineRect.Bottom};
        out.HitAnchor = out.AnchorCount;
        anchorPending = false;
    }
    if (in.FocusAnchor >= 0 && in.FocusAnchor == out.AnchorCount - 1) {
        focusRect.Right = runRect.Left;
        focusRect.Bottom = runRect.Bottom - line->VShift;
        focusRect.Top = focusRect.Bottom - textHeight();
        if (painting)
            drawFocusRect({focusRect.Left - 1, focusRect.Top - 1, focusRect.Right + 1, focusRect.Bottom + 1});
    }
}

// ---- images ---------------------------------------------------------------------------------

THTMLPicture* TMarkupLayout::findPicture(const QString& source)
{
    if (!source.contains(QLatin1Char(':')))
        return in.Pictures ? in.Pictures->FindPicture(source) : nullptr;
    if (!source.contains(QLatin1String("://")) || !in.PictureCache)
        return nullptr;
    if (THTMLPicture* cached = in.PictureCache->FindPicture(source))
        return cached;
    THTMLPicture* added = in.PictureCache->AddPicture();
    added->SetAsynch(false);
    try {
        added->LoadFromURL(source);
    } catch (const std::exception&) {
        // A picture that cannot be decoded stays empty; the text goes on.
    }
    return in.PictureCache->FindPicture(source);
}

bool TMarkupLayout::placeBox(int boxWidth)
{
    if (boxWidth < lineRect.Width() && line->Width + boxWidth > lineRect.Width()) {
        lineFull = true;
        return false;
    }
    return true;
}

void TMarkupLayout::advanceBox(int boxWidth, int boxHeight)
{
    line->Width += boxWidth;
    runRect.Left += boxWidth;
    line->Height = std::max(line->Height, boxHeight);
}

void TMarkupLayout::imageTag(const QString& tag)
{
    const QString up = upperSameLength(tag);
    ++imageCounter;
    QString source, alt, v;
    originalValue(up, tag, QStringLiteral("SRC"), source);
    if (originalValue(up, tag, QStringLiteral("ALT"), alt) && imageCounter == hitImage)
        source = alt;
    const int W = attributeValue(up, QStringLiteral("WIDTH"), v) ? leadingNumber(v) : 0;
    const int H = attributeValue(up, QStringLiteral("HEIGHT"), v) ? leadingNumber(v) : 0;
    const QString kind = source.left(5).toUpper();
    const int left = runRect.Left, top = runRect.Top;

    // The box first: an image that goes to the next line is drawn there, not here.
    int boxW = 0, boxH = 0;
    std::function<void()> draw;
    if (kind.startsWith(QLatin1String("IDX:"))) {
        const int n = leadingNumber(source.mid(4));
        if (in.Images && n < in.Images->Count()) {
            boxW = deviceX(in.Images->Width());
            boxH = deviceY(in.Images->Height());
            draw = [this, n, left, top] {
                if (!in.ForPrinter) {
                    in.Images->Draw(canvas, left, top, n, true);
                    return;
                }
                const TRect target{left, top, left + int(std::nearbyint(in.Images->Width() * in.ScaleFactor)),
                                   top + int(std::nearbyint(in.Images->Height() * in.ScaleFactor))};
                StretchBitmapToRect(canvas, target, in.Images->GetImage(n));
            };
        }
    } else if (kind == QLatin1String("SSYS:") || kind == QLatin1String("LSYS:")) {
        const bool large = kind.startsWith(QLatin1Char('L'));
        const QString name = source.mid(5);
        TPoint size;
        DrawShellIcon(canvas, left, top, size, in.ScaleFactor, in.ForPrinter, false, large, name);
        boxW = deviceX(size.X);
        boxH = deviceY(size.Y);
        draw = [this, left, top, large, name] {
            TPoint drawn;
            DrawShellIcon(canvas, left, top, drawn, in.ScaleFactor, in.ForPrinter, true, large, name);
        };
    } else if (THTMLPicture* picture = findPicture(source)) {
        const int pw = picture->Width(), ph = picture->Height();
        if (!picture->Empty() && pw > 0 && ph > 0) {
            int w = pw, h = ph;
            if (W > 0 && H > 0) {
                w = W;
                h = H;
            } else if (W > 0) {
                w = W;
                h = int(std::nearbyint(double(ph) * W / pw));
            } else if (H > 0) {
                w = int(std::nearbyint(double(pw) * H / ph));
                h = H;
            }
            const bool sized = W > 0 || H > 0;
            boxW = deviceX(sized ? w : picture->MaxWidth());
            boxH = deviceY(sized ? h : picture->MaxHeight());
            draw = [this, picture, sized, w, h, left, top] {
                if (sized) {
                    picture->SetStretch(true);
                    picture->Draw(canvas, {left, top, left + w, top + h});
                    return;
                }
                if (picture->FrameCount() > 1)
                    fill({left, top, left + picture->MaxWidth(), top + picture->MaxHeight()}, entryBrush);
                const int x = left + picture->FrameXPos(), y = top + picture->FrameYPos();
                picture->Draw(canvas, {x, y, x + w, y + h});
            };
        }
    }

    if (!placeBox(boxW)) {
        --imageCounter; // counted again where it is placed
        return;
    }
    if (painting && draw)
        draw();
    const int x = in.HitX - lineRect.Left;
    const bool under = line->Width < x && x < line->Width + boxW && top < in.HitY && in.HitY < top + boxH;
    if (under && inAnchor && !in.MeasureOnly) {
        if (hitPass) {
            line->ObjectHit = true;
            out.AnchorHref = href;
            out.AnchorTitle = title;
        }
        hitImage = imageCounter; // its ALT source shows in the later passes
    }
    advanceBox(boxW, boxH);
    if (up.contains(QLatin1String("\"TOP")))
        line->VShift = line->Height - textHeight();
    else if (up.contains(QLatin1String("\"MIDDLE")))
        line->VShift = (line->Height - textHeight()) / 2;
}

// ---- inline controls ------------------------------------------------------------------------

void TMarkupLayout::controlTag(const QString& tag)
{
    // "<CONTROL " is 9 characters; the attributes follow.
    const TControlTag control = ParseControlTag(tag.mid(8));
    if (control.Width.isEmpty())
        return;
    bool anyHeight = false;
    int controlHeight = leadingNumber(control.Height, &anyHeight);
    if (!anyHeight)
        controlHeight = 25;
    const int width = leadingNumber(control.Width);
    const int gh = textHeight();
    const QString& type = control.Type;
    const bool small = type == QLatin1String("CHECK") || type == QLatin1String("RADIO");
    line->Height = small ? 16 : 23;
    if (controlHeight > 25)
        line->Height = controlHeight - 2;

    // The box its hit test and its place on the line use.
    const int hitW = small ? 16 : width;
    const int hitH = small ? 16 : (type == QLatin1String("BUTTON") || type == QLatin1String("COMBO")) ? 25 : gh + 10;
    if (!placeBox(hitW))
        return;
    if (painting)
        drawControl(control, width, controlHeight, width, gh + 10);
    if (hitPass) {
        const int x = in.HitX - lineRect.Left;
        const bool under =
            line->Width < x && x < line->Width + hitW && runRect.Top < in.HitY && in.HitY < runRect.Top + hitH;
        // A control sought by its ID is found wherever the point lies; an empty ID seeks none.
        const bool sought = !out.ControlID.isEmpty() && out.ControlID == control.ID;
        if (under || sought) {
            line->ObjectHit = true;
            out.AnchorHref = QStringLiteral("ctrl");
            const int l = lineRect.Left + line->Width;
            out.HitControlRect = {l, runRect.Top, l + hitW, runRect.Top + hitH};
            out.ControlValue = control.Value;
            out.ControlID = control.ID;
            out.ControlType = control.Type;
        }
    }
    advanceBox(hitW, hitH);
}

void TMarkupLayout::drawControl(const TControlTag& control, int width, int controlHeight, int boxWidth, int boxHeight)
{
    const int left = runRect.Left, bottom = runRect.Bottom, L = line->Height;
    const TColor frame = themed ? TColor(0xB99D7F) : platform::clGray;
    const QString& type = control.Type;
    const int hotHeight = type == QLatin1String("BUTTON") ? 24 : boxHeight;
    const bool hot =
        left - 2 < in.HitX && in.HitX < left - 2 + boxWidth && bottom - 2 - hotHeight < in.HitY && in.HitY < bottom - 2;
    const bool checked = control.Value.toUpper() == QLatin1String("TRUE");
    applyCanvasFont();
    canvas.setPen(platform::toQColor(font.Color == clNone ? platform::clBlack : font.Color));
    const unsigned valueFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

    if (type == QLatin1String("EDIT") || type == QLatin1String("MASK") || type == QLatin1String("PASSWORD")) {
        canvas::rectangle(canvas, {left, bottom - L + 4, left + width, bottom + 2}, frame, platform::clWhite);
        const QString shown =
            type == QLatin1String("PASSWORD") ? QString(control.Value.size(), QLatin1Char('*')) : control.Value;
        TRect r{left + 2, bottom - L + 4, left + width, bottom};
        DrawTextFlags(canvas, shown, r, valueFlags);
    } else if (type == QLatin1String("COMBO")) {
        canvas::rectangle(canvas, {left, bottom - L + 4, left + width, bottom + 2}, frame, platform::clWhite);
        TRect r{left + 4, bottom - L + 4, left + width - 18, bottom};
        DrawTextFlags(canvas, control.Value, r, valueFlags);
        const TRect button{left + width - 18, bottom - L + 5, left + width - 1, bottom + 1};
        if (!themed
            || !DrawThemedPart(GridThemeApi, in.Window, QStringLiteral("combobox"), canvas, th::CP_DROPDOWNBUTTON,
                               hot ? th::CBXS_HOT : th::CBXS_NORMAL, button.toQRect()))
            canvas::classicArrowButton(canvas, button, canvas::ArrowDown, false, false, false);
    } else if (type == QLatin1String("CHECK") || type == QLatin1String("RADIO")) {
        const bool check = type == QLatin1String("CHECK");
        const TRect r =
            check ? TRect{left + 2, bottom - 15, left + 15, bottom} : TRect{left + 2, bottom - 14, left + 14, bottom};
        const int state = checked ? th::CBS_CHECKEDNORMAL : th::CBS_UNCHECKEDNORMAL;
        if (!themed
            || !DrawThemedPart(GridThemeApi, in.Window, QStringLiteral("button"), canvas,
                               check ? th::BP_CHECKBOX : th::BP_RADIOBUTTON, state, r.toQRect())) {
            // The flat classic face, square, in the middle of the rectangle.
            const int side = std::min(r.Width(), r.Height());
            const int x = r.Left + (r.Width() - side) / 2, y = r.Top + (r.Height() - side) / 2;
            const TRect box{x, y, x + side, y + side};
            if (check)
                canvas::classicCheckBox(canvas, box, true, checked, false, true);
            else
                canvas::classicRadioButton(canvas, box, true, checked, false);
        }
    } else if (type == QLatin1String("BUTTON")) {
        TRect face{left + 2, bottom - controlHeight, left + width - 2, bottom};
        const bool pressed = hot && in.MouseIsDown;
        const int state = pressed ? th::PBS_PRESSED : hot ? th::PBS_HOT : th::PBS_NORMAL;
        if (!themed
            || !DrawThemedPart(GridThemeApi, in.Window, QStringLiteral("button"), canvas, th::BP_PUSHBUTTON, state,
                               face.toQRect()))
            canvas::classicButton(canvas, face, false, pressed, false);
        face = {face.Left + 2, face.Top + 2, face.Right - 2, face.Bottom - 2};
        canvas.setPen(platform::toQColor(font.Color == clNone ? platform::clBlack : font.Color));
        DrawTextFlags(canvas, control.Value, face, valueFlags | DT_CENTER);
    }
}

} // namespace detail

} // namespace grid::RizIVUDE
