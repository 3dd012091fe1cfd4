#pragma once
// Cell hints shown as balloons. The grid owns its TBalloonSettings (`Balloon`); writing
// `Enable` reaches the grid's BalloonEnableChanged, which (outside loading) makes the one
// balloon window (BalloonInit) or removes it (BalloonDone). The window watches the grid's
// viewport: a pointer resting on a cell shows the title, text and icon that the grid's
// CellBalloonRequest gives for it, a move to another cell, a press or leaving the grid hides it.
// The window never takes activation, so the focus stays in the grid or its editor.

#include "grid/GridTypes.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace grid {

class TQvStringGrid;

class TBalloonSettings : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TBalloonSettings"); }
    // Colours and delays and Enable; the target keeps its own Transparency.
    void Assign(const TPersistent& source);

    bool Enable() const { return FEnable; }
    void SetEnable(bool v); // fires OnEnableChange

    // In ms; -1 leaves the system's delay.
    int InitialDelay = -1;
    int ReshowDelay = -1;
    int AutoHideDelay = -1;
    // clNone: the system's tool-tip colours.
    TColor BackgroundColor = clNone;
    TColor TextColor = clNone;
    // 0 opaque; otherwise the window's opacity is 255 - Transparency.
    unsigned char Transparency = 0;

    std::function<void(TBalloonSettings*)> OnEnableChange;

private:
    bool FEnable = false;
};

// The balloon: a tool-tip window owned by the grid, with a stem pointing at the cell under
// the pointer.
class TBalloonWindow : public QWidget {
    Q_OBJECT
public:
    // Title and icon until the first cell asks: what the platform's balloon starts with.
    static constexpr const char* kInitialTitle = "ToolTipText";
    static constexpr int kInitialIcon = 3;

    explicit TBalloonWindow(TQvStringGrid* grid);

    QString Title() const { return FTitle; }
    QString Text() const { return FText; }
    int Icon() const { return FIcon; }
    // 255 - Transparency, or 255 when the settings ask for an opaque window.
    int Opacity() const { return FOpacity; }
    // The cell whose balloon shows; (-1, -1) while hidden.
    TPoint ShownCell() const { return FShownCell; }

    // Shows the balloon of the cell under screenPos at once; false when the grid gives no
    // text (balloons off, or an empty cell).
    bool ShowAt(QPoint screenPos);
    // Hides the balloon; the next one comes after the reshow delay.
    void Pop();
    // The system's delays, as the platform derives them from the tool-tip wake-up time.
    static int SystemInitialDelay();
    static int SystemReshowDelay() { return SystemInitialDelay() / 5; }
    static int SystemAutoHideDelay() { return SystemInitialDelay() * 10; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void setIcon(int icon);
    void layoutFor(QPoint tip, int maxWidth);
    int delay(int setting, int system) const;
    void restartShowTimer(QPoint screenPos);

    TQvStringGrid* FGrid;
    QPointer<QWidget> FViewport; // watched; the filter goes with the window
    QString FTitle = QString::fromLatin1(kInitialTitle);
    QString FText;
    int FIcon = kInitialIcon;
    int FOpacity = 255;
    QColor FBack, FFore;
    TPoint FShownCell{-1, -1};
    bool FRecentlyShown = false; // a balloon was hidden by a move: the reshow delay applies
    QPoint FPending;
    QTimer FShowTimer, FHideTimer;
    QRect FBody; // the rounded body inside the widget; the stem reaches up from it
    int FStemX = 0;
};

} // namespace grid
