#pragma once
// Free helpers of the table control that every painter, reader and writer shares: banded
// gradients, cell backgrounds, the small control parts cells show (drop-down, push and spin
// buttons), rounded frames, colour arithmetic, transparent bitmaps, and the text codecs and
// string helpers of the file, clipboard and export code. None of them keeps state.
//
// They sit in a namespace named after the unit, so short names such as DrawStepGradient stay
// unambiguous beside the grid classes' own members.
//
// Drawing follows the classic canvas rules the painters were written against: a filled
// rectangle covers Left..Right-1 and Top..Bottom-1, a line stops just before its end point.

#include "grid/GridTypes.h"
#include "grid/look/QvStyleIF.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <memory>

class QPainter;
class QWidget;

class QFont;
class QFontMetrics;

namespace grid::ZirAzur {

// ---- Gradients and control parts ---------------------------------------------------------

// At most `bands` bands (limited to the extent minus 1, at least 1) plus a closing band in
// exactly `to`, left to right when horizontal, else top to bottom. One clNone end fills solid
// with the other colour; nothing is drawn when both are clNone or the rectangle has no height.
void DrawStepGradient(QPainter& canvas, TColor from, TColor to, bool horizontal, TRect r, int bands);

// Cell background: solid `colorFrom` (one pixel taller) without colorTo, a 128-band gradient
// with it, or two halves (from..to, mirrorFrom..mirrorTo) when mirrorColorFrom is set; then a
// frame in borderColor, or only its left and right lines with linesOnly.
void DrawCellGradient(QPainter& canvas, const TRect& r, TColor colorFrom, bool fill, bool linesOnly, TColor borderColor,
                      bool vertical, TColor mirrorColorTo, TColor mirrorColorFrom, TColor colorTo);

// The colour at `position` of a gradient spread over rangeStart..rangeEnd (callers pass a
// range start of 0; position is not reduced by it).
TColor ColorBetween(TColor from, TColor to, int rangeStart, int position, int rangeEnd);

void FillRectColor(QPainter& canvas, const TRect& r, TColor color);

// Control-part looks and states.
enum TPartKind { pkThemed = 0, pkClassic = 1, pkFlat = 2, pkTones = 3 };
enum TPartState { psNormal = 0, psHot = 1, psPressed = 2, psDisabled = 3 };

// Themed parts go through GridThemeApi and fall back to the classic look when no theme is
// active.
void DrawDropDownButton(QPainter& canvas, QWidget* window, TRect r, const TColorTones& tones, int state, int kind);
void DrawPushButton(QPainter& canvas, QWidget* window, const TRect& r, const TColorTones& tones, int state, int kind);
void DrawSpinButtons(QPainter& canvas, QWidget* window, TRect r, const TColorTones& tones, int state, int kind);

// ---- Rounded frames, colour scaling, bitmaps ---------------------------------------------

// Kind 0 both ends rounded, 1 left end (right side open), 2 right end (left side open), 3 both
// sides open, 4 no side lines with top and bottom lines 2 pixels shorter at each end.
void DrawRoundedFrame(QPainter& canvas, TColor fromColor, TColor toColor, TColor mirrorFromColor, TColor mirrorToColor,
                      TColor upperShadeColor, TColor lowerShadeColor, TColor borderColor, TColor innerCornerColor,
                      TColor outerCornerColor, const TRect& r, int kind);

TColor HalveColor(TColor color);
// Each channel scaled by percent, rounded and held within 0..255 (a white brush scaled up stays
// white).
TColor ScaleColorPercent(TColor color, int percent);

// Draws the bitmap at its own size at r's top-left; pixels of the colour of its pixel (0, 0)
// show backColor.
void DrawTransparentBitmap(QPainter& canvas, const QImage& bitmap, TColor backColor, const TRect& r);
// The same for a bitmap resource of the program (":/grid/<name>"); false when there is none.
bool DrawResourceBitmap(QPainter& canvas, TColor backColor, const QString& resourceName, const TRect& r);

bool PointInGridRect(const TGridRect& rect, int col, int row);

// ---- Text codecs and string helpers ------------------------------------------------------

// One-line form of a cell for the grid text file: CR to 9, LF to 8, character 0 to 1. Texts
// without CR pass unchanged (unless they hold a character the decoder would misread). TABs,
// lone CRs, character 1, 8 and 27 in a line-broken text are escaped with character 27 so that
// decoding gives back exactly the text that was encoded.
QString EncodeCellLineBreaks(const QString& text);
// The reverse, for texts that hold character 8 or 27; without multi-line cells only the
// first line remains.
QString DecodeCellLineBreaks(const QString& text, bool multiLine);

QString QuoteMultilineField(const QString& text);
QString VTabToLineBreaks(const QString& text);
QString LineBreaksToTilde(const QString& text);
QString TildeToLineBreaks(const QString& text);
QString LineBreaksToEscaped(const QString& text);
QString EscapedToLineBreaks(const QString& text);
QString LineBreaksToHtml(const QString& text);
QString CrLfToLf(const QString& text);
QString StripCR(const QString& text);
QString CRToLF(const QString& text);

QString DoubleQuoteChars(const QString& text);
QString UndoubleChar(QChar ch, const QString& text);
// 1-based end of a quoted field, 0 when there is none.
int FindUnpairedQuote(QChar ch, const QString& text, int& position);
int CountUnpairedQuotes(QChar ch, const QString& text);
int CountChar(QChar ch, const QString& text);

// OEM code page 437 carried through the ANSI code page: TextToOem gives a text whose ANSI
// bytes are the OEM bytes of the input; OemToText reads a text's ANSI bytes as OEM bytes.
QString TextToOem(const QString& text);
QString OemToText(const QString& text);

int CharPos(QChar ch, const QString& text);
int CharPosVar(QChar ch, const QString& text, int& position);
int VarPos(const QString& sub, const QString& text, int& position);
int UpperTextPos(const QString& tag, const QString& text);
QString CutFirstField(QString& text, QChar separator);
void CutFirstLine(QString& text, bool keepRest, QString& firstLine);
int CountTextLines(const QString& text, bool multiLine);
QString JoinStrings(const QStringList& strings);
void FillChars(QString& text, QChar ch);
QString ColorToHexRGB(TColor color);

enum TCellTextKind { ctkPlain = 0, ctkMarkup = 1, ctkRichText = 2, ctkFormula = 3, ctkWide = 5 };
int GetCellTextKind(const QString& text, bool markupEnabled);
bool TextIsUrl(const QString& text);
void StripUrlScheme(QString& text);
bool ParseCellAnchor(const QString& text, TPoint& cell);
QString ToMixedCase(const QString& text);
bool IsMixedCaseBreak(QChar ch);

// ---- Text drawing with the platform's DrawText flags (drawtext.cpp) -----------------------

enum TDrawTextFlag : unsigned {
    DT_TOP = 0,
    DT_LEFT = 0,
    DT_CENTER = 1,
    DT_RIGHT = 2,
    DT_VCENTER = 4,
    DT_BOTTOM = 8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_EXTERNALLEADING = 0x200,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_EDITCONTROL = 0x2000,
    DT_END_ELLIPSIS = 0x8000,
    DT_RTLREADING = 0x20000
};
// Draws text in r with the canvas's font and pen (or with DT_CALCRECT measures it: r becomes the
// text's extent) and answers the height. The output is clipped to r. Unless DT_NOPREFIX, a
// single "&" underlines the character after it and is not shown, and "&&" shows one ampersand.
// A single line counts its trailing blanks, as the platform's text extent does;
// DT_EXTERNALLEADING adds the font's leading to the measured height.
int DrawTextFlags(QPainter& canvas, const QString& text, TRect& r, unsigned flags);
// The same with the metrics of the canvas's font held by the caller, and the text's advance
// when the caller measured it already (-1: measured here). Callers drawing many runs in one
// font use it, since building metrics and shaping a run cost more than drawing it.
int DrawTextFlags(QPainter& canvas, const QFontMetrics& fm, const QString& text, TRect& r, unsigned flags,
                  int advance = -1);
// A font made ready for drawing many runs on targets of one resolution: its metrics, and the
// single-line runs shaped in it so far. Prepared fonts and their runs are kept per thread
// across calls, since a grid repaints the same texts in the same few fonts on every scroll,
// hover and blink; a caller holds on to the ones it uses.
struct TPreparedFont;
using TPreparedFontRef = std::shared_ptr<TPreparedFont>;
TPreparedFontRef PrepareFont(const QPainter& canvas, const QFont& font);
const QFontMetrics& PreparedMetrics(const TPreparedFont& font);
// Its metrics' height and the advance of a blank.
int PreparedHeight(const TPreparedFont& font);
int PreparedBlank(const TPreparedFont& font);
// The same as the canvas-font forms with the prepared font: its runs are drawn in that font
// whatever the canvas's font is (the canvas's font is set to it only where Qt's own text
// drawing is needed).
int DrawTextFlags(QPainter& canvas, const TPreparedFont& font, const QString& text, TRect& r, unsigned flags,
                  int advance = -1);

// ---- Number and date texts (numbers.cpp) -------------------------------------------------
// The sort, filter, calculation and paste code read numbers and dates out of cell texts here.
// The locale's separators and short date format are read at every call (GridUnitHelpers.h),
// so a locale change is seen at once. Positions are 1-based.

// A character of the Unicode number categories (within ASCII only 0 to 9).
bool CharIsDigit(QChar c);
bool CharIsDigitOrMinus(QChar c);
// Digit, the locale's thousand or decimal separator, "e" or "E".
bool CharIsNumberPart(QChar c);
// CharIsNumberPart or a sign.
bool CharIsSignedNumberPart(QChar c);
// Digit, ",", "-", ".", "e", "E" or "+", whatever the locale.
bool CharIsNumberSymbol(QChar c);

enum TNumberTextKind : int { ntkInteger = 0, ntkDecimal = 1, ntkNoNumber = 2, ntkExponent = 5 };
// 0 for digits with at most a leading "-" (a lone "-" too), 1 for a decimal number in the
// locale's format, 5 for a number with exponent, 2 for anything else (the empty text too).
int GetNumberTextKind(const QString& text);
// A displayed number as plain float text ("(1,234.50)" -> "-1234.50"): leading characters that
// cannot start a number are dropped (a "-" among them, or enclosing parentheses, make it
// negative), thousand separators dropped, the decimal separator made ".", and the scan stops at
// the first character that is no number symbol.
QString NormalizeNumberText(const QString& text);
// The locale's decimal separator made ".", its thousand separators dropped, nothing else.
QString FilterNumberText(const QString& text);
// The run-time's float reading of a plain number text ("." decimal point, optional exponent,
// leading blanks and one sign allowed): 0 when the whole text is a number, else the position at
// which reading stopped (the length + 1 when the text ended too early); value is then unchanged.
int TextToFloat(const QString& text, double& value);

// Day, month and year in the order of the locale's short date format, separated by the locale's
// date separator, optionally followed by a blank and a time "h:m" or "h:m:s". The year is
// taken as written. False (value unchanged) for anything else or an impossible date or time.
bool ParseLocaleDate(const QString& text, TDateTime& value);
// Month/day/year and day/month/year texts separated by "/", "." or "-"; two-digit years 0..25
// are 20xx, 26..99 19xx. 0 for a text without that form; EConvertError when its numbers make
// no date (month 13, day 32).
TDateTime USDateToDate(const QString& text);
TDateTime EUDateToDate(const QString& text);
// The next date of a series: by whole years, by months (one wrap over a year end at most) or by
// days when only that step is non-zero, else date + delta. EConvertError when the stepped date
// does not exist (31 January plus one month, say).
TDateTime ShiftDate(short yearStep, short monthStep, short dayStep, TDateTime delta, TDateTime date);

// Equal limits leave the value alone; a positive upper limit caps it, else a positive lower
// limit raises it.
int ClampToLimits(int value, int lower, int upper);
int IntMax(int a, int b);
int IntMin(int a, int b);

// ---- Filter conditions (filtercondition.cpp) ---------------------------------------------
// A condition is terms joined by "&" (and) and ";", "|" or "^" (or), strictly left to right;
// a group in parentheses at the start joins like a term. A term is a pattern ("*", "?", "!" for
// not) or a comparison (">", ">=", "<", "<=") read as numbers, dates or texts. Blanks outside
// double quotes do not count; a leading "=" is dropped. Typed text can never hang the
// evaluator: an unclosed group takes the rest of the text, and "*" remembers what it tried.

bool EvalFilterCondition(const QString& condition, const QString& value, bool caseSensitive);
// Blanks stay only between an opening and a closing double quote.
QString StripUnquotedBlanks(const QString& text);
// Position of the ")" that closes the first "(", 0 when there is none.
int MatchingParenPos(const QString& text);
// The first character of `chars` outside double quotes and its position; QChar() and 0 when
// there is none.
QChar FindUnquotedChar(const QString& chars, const QString& text, int& position);
// Without caseSensitive both texts are upper-cased by the locale's rules first.
bool MatchFilterTerm(const QString& term, const QString& value, bool caseSensitive);
bool CompareFilterTerm(const QString& term, const QString& value);

// ---- Clipboard HTML, wide cell texts, small helpers (widetext.cpp) -----------------------

// Turns an HTML fragment into the clipboard's "HTML Format" text. Offsets count bytes of the
// text in the ANSI code page (platform::toAnsi), in which the caller stores it.
void WrapClipboardHtml(QString& text);
// "|\" and two characters per UTF-16 unit (high byte, low byte): wide text carried through the
// byte-wide cell formats.
QString EncodeWideCellText(const QString& text);
// Texts without the "|\" prefix come back unchanged; a trailing odd character is ignored.
QString DecodeWideCellText(const QString& text);
// 1-based position of sub in text, 0 when absent (or sub is empty).
int WidePos(const QString& sub, const QString& text);
// Something, the locale's date separator, something, the separator again.
bool LooksLikeDate(const QString& text);
// When the upper-cased text holds the upper-case prefix: result becomes the text with "<" and
// ">" escaped and the first address starting with the prefix made a link; true. Otherwise
// false and result is left alone.
bool LinkifyText(const QString& text, const QString& prefix, QString& result);

// The system's layered-window calls, for the focus frame and balloon hints. Qt makes windows
// translucent itself, so there is nothing to call: both report success, as the calls do on a
// system without those functions.
bool CallUpdateLayeredWindow(QWidget* window, void* dstDC, const TPoint* dstPos, const TPoint* size, void* srcDC,
                             const TPoint* srcPos, TColor key, const void* blend, unsigned flags);
bool CallSetLayeredWindowAttributes(QWidget* window, TColor key, unsigned char alpha, unsigned flags);

} // namespace grid::ZirAzur
