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

class QPainter;
class QWidget;

namespace grid::ZirAzur {

// ---- Gradients and control parts ---------------------------------------------------------

// At most `bands` bands (limited to the extent minus 1, at least 1) plus a closing band in
// exactly `to`, left to right when horizontal, else top to bottom. One clNone end fills solid
// with the other colour; nothing is drawn when both are clNone or the rectangle has no height.
void DrawStepGradient(QPainter& canvas, TColor from, TColor to, bool horizontal, TRect r, int bands);

// Cell background: solid `colorFrom` (one pixel taller) without colorTo, a 128-band gradient
// with it, or two halves (from..to, mirrorFrom..mirrorTo) when mirrorColorFrom is set; then a
// frame in borderColor, or only its left and right lines with linesOnly.
void DrawCellGradient(QPainter& canvas, const TRect& r, TColor colorFrom, bool fill, bool linesOnly,
                      TColor borderColor, bool vertical, TColor mirrorColorTo, TColor mirrorColorFrom, TColor colorTo);

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
void DrawRoundedFrame(QPainter& canvas, TColor fromColor, TColor toColor, TColor mirrorFromColor,
                      TColor mirrorToColor, TColor upperShadeColor, TColor lowerShadeColor, TColor borderColor,
                      TColor innerCornerColor, TColor outerCornerColor, const TRect& r, int kind);

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

} // namespace grid::ZirAzur
