#pragma once
// The drop button at the right edge of every drop-down edit: a small child window
// (TDropDownEditButton) that the edit sizes and places, filled by a speed button
// (TQvDropDownSpeedButton) that paints the arrow and reports a left mouse-up to the edit, which
// then opens the popup.
//
// Looks of the drop-down style, first match wins: the host's own colours (ButtonColor set), a
// glyph, the visual style's combo-box button, the classic raised button. The push-button style
// (bsButton, used by buttons elsewhere in the pickers) draws the visual style's push button, a
// flat edge or the classic button, with a glyph and a caption. The host window keeps its own
// width whatever it is given: 16 pixels until the edit writes another.

#include "grid/GridTypes.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace dropdowns {

class TQvCustomDropDown;

enum TButtonStyle { bsButton, bsDropDown };

class TQvDropDownSpeedButton : public QWidget {
    Q_OBJECT
public:
    explicit TQvDropDownSpeedButton(QWidget* owner = nullptr);

    bool Etched() const { return FEtched; }
    void SetEtched(bool v);
    // The edit is hot or focused (repaints; no look depends on it).
    bool Focused() const { return FFocused; }
    void SetFocused(bool v);
    bool Hot() const { return FHot; }
    // From now on the pressed state is never drawn.
    void SetUp() { FUp = true; }
    TButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TButtonStyle v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    const QImage& Glyph() const { return FGlyph; }
    void SetGlyph(const QImage& v);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int v) { FNumGlyphs = v; }
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    // Down while the left button is held on it.
    bool Down() const { return FDown; }
    // Pressed as the looks draw it: down, unless SetUp was called.
    bool Pressed() const { return FDown && !FUp; }
    // The theme state both looks draw: 4 disabled, 3 pressed, 2 hot, else 1.
    int ThemeState() const;
    // The visual styles are bound and a theme is active.
    bool ThemesActive() const;

    std::function<void(QObject* sender)> OnClick;
    std::function<void(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)> OnMouseUp;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

    void PaintDropDownStyle(QPainter& canvas);
    void PaintButtonStyle(QPainter& canvas);
    // The speed button's own classic painting: a raised (or, pressed, sunken) button face.
    void PaintClassicFace(QPainter& canvas);

private:
    bool FEtched = false;
    bool FFocused = false;
    bool FHot = false;
    bool FUp = false;
    // Visual styles possible (common controls 6 and later everywhere here).
    bool FIsWinXP = true;
    TButtonStyle FButtonStyle = bsButton;
    bool FFlat = false;
    bool FDown = false;
    bool FDragging = false;
    QImage FGlyph;
    int FNumGlyphs = 1;
    QString FCaption;
};

class TDropDownEditButton : public QWidget {
    Q_OBJECT
public:
    explicit TDropDownEditButton(QWidget* owner = nullptr);

    TQvDropDownSpeedButton* SpeedButton() const { return FButton; }
    QWidget* FocusControl() const { return FFocusControl; }
    void SetFocusControl(QWidget* w) { FFocusControl = w; }
    // The width the window keeps, whatever its bounds are set to.
    int ButtonWidth() const { return FBWidth; }
    void SetButtonWidth(int v) { FBWidth = v; }
    void SetBounds(int left, int top, int width, int height);

    QImage Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const QImage& v) { FButton->SetGlyph(v); }
    QString ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const QString& v) { FButton->SetCaption(v); }
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int v) { FButton->SetNumGlyphs(v); }

    // Colours of the drop-down look; ButtonColor clNone selects the themed or classic look.
    grid::TColor ButtonColor = platform::clNone;
    grid::TColor ButtonColorHot = platform::clNone;
    grid::TColor ButtonColorDown = platform::clNone;
    grid::TColor ButtonTextColor = platform::clNone;
    grid::TColor ButtonTextColorHot = platform::clNone;
    grid::TColor ButtonTextColorDown = platform::clNone;
    // Kept for the colour tones; no look reads it.
    grid::TColor ButtonBorderColor = platform::clNone;

    // Fired on a left mouse-up on the inner button.
    std::function<void(QObject* sender)> OnClick;

    // The drop-down edit this button belongs to, when its owner is one.
    TQvCustomDropDown* DropDown() const;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    // Presses the inner button does not take (it is disabled) stop here, as they would on a
    // window of their own.
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    // A right click on the button does nothing: the edit's context menu is the edit's.
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void applyButtonWidth(int& width, int height);
    void speedButtonMouseUp(QObject* sender, Qt::MouseButton button);

    TQvDropDownSpeedButton* FButton;
    QPointer<QWidget> FFocusControl;
    int FBWidth = 16;
};

} // namespace dropdowns
