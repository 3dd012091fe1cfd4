#pragma once
// The colour picker's two continuous panels: the hexagonal colour cube (127 fixed cells) and
// the spectrum (a colour image and two boxes for the colour under the mouse and the chosen
// one), with their shared base. Each reports a choice through OnSelect and a mouse release
// through OnShouldHide; the picker then reads SelectedColor and closes its popup.
//
// The spectrum picture and the eyedropper cursor over it are made in code (SpectrumBitmap,
// PointerCursor) and held by the panel. Colours are 0x00BBGGRR, clNone for none.

#include "dropdowns/QvDropDown.h"

#include <QCursor>
#include <QImage>
#include <QWidget>

#include <array>

namespace dropdowns {

class TQvCustomColorSelectorPanel : public QWidget {
    Q_OBJECT
public:
    explicit TQvCustomColorSelectorPanel(QWidget* owner = nullptr) : QWidget(owner) {}

    // The background; clNone leaves the parent's showing.
    TColor Color() const { return FColor; }
    void SetColor(TColor v);

    // Fired by the cube and the spectrum when a mouse button is released over them.
    TNotifyEvent FOnShouldHide;

protected:
    void paintBackground(QPainter& canvas);

private:
    TColor FColor = clNone;
};

class TQvColorCubePanel : public TQvCustomColorSelectorPanel {
    Q_OBJECT
public:
    static constexpr int kCellCount = 127;
    struct TCubeCell {
        int X = 0;
        int Y = 0;
        TColor Color = clNone;
    };

    explicit TQvColorCubePanel(QWidget* owner = nullptr);

    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor v) { SelectCubeCell(v, -1); }
    int SelectedIndex() const { return FSelectedIndex; }
    int HotIndex() const { return FHotIndex; }
    bool ShowRGBHint() const { return FShowRGBHint; }
    // Also switches the control's hint on or off.
    void SetShowRGBHint(bool v);
    bool ShowHint() const { return FShowHint; }

    void BuildCells();
    // Clears the hot mark (without repainting: the popup is hidden then) and sets the size.
    void ResetCube();
    void SetCubeSize();
    // Stores the colour; a cell number 1..127 is selected as given, otherwise the first cell of
    // that colour (or none). Nothing repaints.
    void SelectCubeCell(TColor color, int index);
    // The first cell whose centre lies within W pixels of the point, else -1.
    int CellAtPos(int x, int y) const;
    // Cell 1..127; anything else throws std::out_of_range.
    const TCubeCell& Cell(int index) const;
    void DrawCubeCell(int index);
    void DrawCubeCells();

    TNotifyEvent OnSelect;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool event(QEvent* e) override;

private:
    void paintCell(QPainter& canvas, int index) const;
    QRect cellBounds(int index) const;

    std::array<TCubeCell, kCellCount> FCubeCells{};
    QPoint FCubeSize{6, 3};
    TColor FSelectedColor = clNone;
    int FSelectedIndex = -1;
    int FHotIndex = -1;
    bool FShowRGBHint = true;
    bool FShowHint = true;
};

class TQvColorSpectrumPanel : public TQvCustomColorSelectorPanel {
    Q_OBJECT
public:
    explicit TQvColorSpectrumPanel(QWidget* owner = nullptr);

    // "VLX_SPECTRUM": 128 x 128, hue from left to right, near white in the top row, the full
    // colours in row 64, near black in the bottom row.
    static const QImage& SpectrumBitmap();
    // "VLX_POINTER": a 32 x 32 eyedropper, tip at the lower left, hot spot (1, 30).
    static QCursor PointerCursor();

    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor v) { FSelectedColor = v; }
    TColor HotColor() const { return FHotColor; }
    QWidget* SpectrumImage() const { return FSpectrumImage; }
    const TRect& HotRect() const { return FHotRect; }
    const TRect& SelectedRect() const { return FSelectedRect; }

    void ArrangeSpectrum();
    void SetSpectrumSize();
    void DrawHotBox();
    void DrawSelectedBox();

    TNotifyEvent OnSelect;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    friend class TSpectrumImage;
    void ImageMouseMove(const QPoint& p);
    void ImageMouseDown(const QPoint& p);
    void ImageMouseUp();
    // The spectrum pixel at a point of the picture; none outside it.
    TColor pixelAt(const QPoint& p) const;
    void paintBox(QPainter& canvas, const TRect& r, TColor color) const;

    QWidget* FSpectrumImage = nullptr;
    TColor FHotColor = clNone;
    TColor FSelectedColor = platform::clWhite;
    TRect FHotRect;
    TRect FSelectedRect;
};

} // namespace dropdowns
