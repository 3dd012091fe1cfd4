#pragma once
// The grid's hint window: hint texts in the grid's markup, drawn with the images and named
// pictures of the grid that shows them, and wide-coded texts ("|\", ZirAzur.h) as plain single
// lines.
//
// Call flow: ActivateHintData takes the grid's image list and pictures when the hint's data is
// a grid, then ActivateHint measures the text (CalcHintRect's measure), sizes the window to it
// within 1008 pixels, keeps it on the screen holding its top-left corner and shows it without
// taking the focus; Paint draws the frame and the text. The drop shadow is the platform's.

#include "grid/GridTypes.h"

#include <QString>
#include <QWidget>

class QObject;
class QPainter;

namespace grid {

class TCustomImageList;
class TPictureContainer;

// The font name the grid's cell hint composition publishes for hint windows; cleared when the
// grid unit shuts down.
QString& HintFontName();

// Tool tips of every widget in the markup hint window (on) or the platform's (off); the grid's
// UseHTMLHints writes it. Off at start.
void SetApplicationHTMLHints(bool on);
bool ApplicationHTMLHints();

class THTMLHintWindow : public QWidget {
    Q_OBJECT
public:
    explicit THTMLHintWindow(QWidget* AOwner = nullptr);

    // With a grid as AData its images and pictures serve the hint; then ActivateHint.
    void ActivateHintData(const TRect& Rect, const QString& AHint, const QObject* AData);
    // (0, 0, width, height) of the hint laid out within MaxWidth.
    TRect CalcHintRect(int MaxWidth, const QString& AHint, const QObject* AData);
    void ActivateHint(TRect Rect, const QString& AHint);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& text);
    // The fill colour.
    TColor Color = platform::clInfoBk;

    const TCustomImageList* Images() const { return FImages; }
    const TPictureContainer* Pictures() const { return FPictureContainer; }
    int TextWidth() const { return FTextWidth; }
    int TextHeight() const { return FTextHeight; }

protected:
    void paintEvent(QPaintEvent*) override;
    void Paint(QPainter& canvas);

private:
    // Measures the hint as ActivateHint and CalcHintRect do: width and height of the text.
    QSize measure(const QString& hint, int maxWidth);
    const TCustomImageList* FImages = nullptr;
    const TPictureContainer* FPictureContainer = nullptr;
    int FTextHeight = 0;
    int FTextWidth = 0;
    QString FWideCaption;
    QString FCaption;
};

} // namespace grid
