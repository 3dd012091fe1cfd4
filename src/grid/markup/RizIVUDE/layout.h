#pragma once
// The state of one PaintMarkup call, shared by the line routine (layout.cpp) and the tag
// handlers (tags.cpp). Nothing here outlives the call.

#include "grid/look/ZirAzur.h"
#include "grid/markup/RizIVUDE.h"

#include <QFont>
#include <QFontMetrics>
#include <QPen>
#include <QString>

#include <utility>
#include <vector>

class QPainter;

namespace grid {
class THTMLPicture;
}

namespace grid::RizIVUDE::detail {

// The canvas font as the text sees it: face, size and style, its colour (clNone draws nothing)
// and the turn of an R tag with the turn before it, which the end tag brings back.
struct TMarkupFont {
    TMarkupFont() = default;
    explicit TMarkupFont(const QFont& font) : Font(font) {}
    QFont Font;
    TColor Color = 0;
    int Angle = 0;
    int SavedAngle = 0;
};

// One line as both passes see it: what the measuring pass found carries into the second pass.
struct TMarkupLine {
    int Width = 0; // x advance from the line's left edge
    int Height = 0;
    int SubExtra = 0;       // depth added below by subscripts
    int SupExtra = 0;       // height added above by superscripts
    int VShift = 0;         // raise of the text set by an image's ALIGN
    bool AnchorHit = false; // an anchor's text covers the point horizontally
    bool ObjectHit = false; // an image in an anchor or an inline control is under the point
    QString Markup;         // the markup this line consumed
};

class TMarkupLayout {
public:
    TMarkupLayout(const TMarkupRequest& request, TMarkupResult& result);
    bool Run();

private:
    // ---- layout.cpp
    QString prePass(const QString& text) const;
    void LayoutMarkup(QString& markup, TRect lineRect, bool noPaint, TMarkupLine& line);
    // Draws one measured run where the run rectangle starts and moves the rectangle past it.
    void paintRun(const QString& run, int width, int height);
    void drawRun(const QString& run, const TRect& r, int width, int height, TColor color);
    void drawErrorMark(int left, int right);
    void drawFocusRect(const TRect& r);
    QFontMetrics metrics() const;
    // Of the text's font, which they apply.
    int textHeight(); // height of "gh"
    int blankWidth();
    // Makes the text's font the one runs are measured and drawn in. Runs are drawn in it
    // whatever the canvas's font is; applyCanvasFont also sets the canvas's font, for drawing
    // that goes through the canvas's font.
    void applyFont();
    void applyCanvasFont();
    // The applied font's extent of a single-line run (r as DT_CALCRECT leaves it); the height
    // is answered.
    int measureRun(const QString& run, TRect& r);

    // ---- tags.cpp
    void handleTag(const QString& markup);
    void openingTag(QChar letter, QChar next, const QString& tag);
    void closingTag(QChar letter, QChar next);
    void fontTag(const QString& tag);
    void paragraphTag(const QString& tag);
    void bodyTag(const QString& tag);
    void tabStopTag(const QString& tag);
    void listItemTag();
    void anchorTag(const QString& tag);
    void anchorEnd();
    void imageTag(const QString& tag);
    void controlTag(const QString& tag);
    void drawControl(const TControlTag& control, int width, int controlHeight, int boxWidth, int boxHeight);
    void rotateTag(const QString& tag);
    void ruleTag();
    THTMLPicture* findPicture(const QString& source);
    // Whether a box of this width still fits after the line's width (it always does when it is
    // as wide as the line); otherwise the line is full.
    bool placeBox(int boxWidth);
    void advanceBox(int boxWidth, int boxHeight);
    void fill(const TRect& r, TColor color);
    int deviceX(int pixels) const;
    int deviceY(int pixels) const;

    const TMarkupRequest& in;
    TMarkupResult& out;
    QPainter& canvas;
    unsigned drawFlags = 0;
    bool themed = false;
    bool hit = false;

    // Layout state of the call, carried from run to run and line to line.
    TMarkupFont entryFont;
    TMarkupFont baseFont;
    TMarkupFont font;
    // Every font this call applied, prepared for the canvas (its metrics and the runs shaped
    // in it, kept across calls): both passes measure the same runs, and shaping a run costs
    // more than drawing it.
    struct TAppliedFont {
        QFont Font;
        ZirAzur::TPreparedFontRef Prepared;
        int Height = 0; // of "gh"
        int Blank = 0;  // advance of one blank
    };
    std::vector<TAppliedFont> appliedFonts;
    int appliedIndex = -1;
    const TAppliedFont* current() const; // the applied font when it is the text's font
    QPen runPen;                         // the pen runs were last drawn with
    TColor runPenColor = clNone;         // its colour; clNone: none yet
    TColor entryBrush = clNone;
    TColor brush = clNone; // the background text is drawn on; clNone: transparent
    bool sub = false, sup = false, shadow = false, hidden = false, errorMark = false, paraBackground = false;
    bool inAnchor = false;
    QString href, title;
    int listLevel = 0;
    int align = 0; // 0 left, 1 right, 2 centre
    int indent = 0;
    int imageCounter = 0;
    int hitImage = -1;
    TColor savedAnchorBack = clNone, savedAnchorText = clNone, savedFontBack = clNone, savedParaBack = clNone;
    // Highlights nest when a search mark lands inside another one: each end takes back the
    // colours its own start saved.
    std::vector<std::pair<TColor, TColor>> highlights;
    TRect anchorRect;
    bool anchorPending = false; // the open anchor's text is under the point
    TRect focusRect;

    // The pass and the line being laid out.
    bool measurePass = false; // the first pass of a line: adds to PlainText
    bool hitPass = false;     // a second pass that tests the point instead of painting
    bool painting = false;
    TMarkupLine* line = nullptr;
    TRect lineRect;
    TRect runRect;
    bool lineEnded = false;
    bool lineFull = false;
    bool itemOnLine = false;
};

// Per-character upper case, so positions in the copy are positions in the original.
QString upperSameLength(const QString& text);
// The value of attribute `name` in the tag: the text between the first quote after the first
// occurrence of the name (any case) and the next quote. False when the name or the quotes are
// missing.
bool attributeValue(const QString& tag, const QString& name, QString& value);
// Decimal digits from the start; 0 when there are none (any is then false).
int leadingNumber(const QString& text, bool* any = nullptr);

} // namespace grid::RizIVUDE::detail
