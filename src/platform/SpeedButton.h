#pragma once
// The speed button the spin and edit buttons derive from: a small button that never takes
// the focus, with a down state, a flat look, a glyph strip and a caption. Painting is virtual
// (the derived buttons draw custom colours, themes or the classic face); the default draws the
// platform button face through QStyle.

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>

namespace platform {

class TSpeedButton : public QWidget {
    Q_OBJECT
public:
    enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

    explicit TSpeedButton(QWidget* parent = nullptr);

    bool Down() const { return down_; }
    void SetDown(bool down);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    // A strip of NumGlyphs pictures side by side: up, disabled, pressed, down.
    const QImage& Glyph() const { return glyph_; }
    void SetGlyph(const QImage& glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int n);
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    // Pressed and not yet released, or held down.
    TButtonState State() const;
    bool MouseInControl() const { return mouseIn_; }
    // The left button went down on it and is still held.
    bool IsPressed() const { return pressed_; }
    // The picture of the strip for the state (the first when the strip has no such picture).
    QImage GlyphFor(TButtonState state) const;

    // Fired on a release over the button after a press on it, and by Click().
    std::function<void()> OnClick;
    std::function<void(QMouseEvent*)> OnMouseDown;
    std::function<void(QMouseEvent*)> OnMouseUp;
    void Click();

protected:
    virtual void Paint(QPainter& canvas);
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}

    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    bool down_ = false;
    bool pressed_ = false; // the left button went down here and is held
    bool flat_ = false;
    bool mouseIn_ = false;
    QImage glyph_;
    int numGlyphs_ = 1;
    QString caption_;
};

} // namespace platform
