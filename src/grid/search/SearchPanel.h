#pragma once
// The search footer: a panel along the bottom of the grid's client area with an edit box,
// find-next, find-previous, highlight and close buttons and a match-case box. The panel only
// shows and reports; what a click or a typed text does is the grid's (search/footer.cpp),
// handed in through the panel's events.

#include "grid/QvObj.h"

#include <QImage>
#include <QLineEdit>
#include <QWidget>

#include <functional>

namespace grid {

class TQvStringGrid;

// The footer's edit box: Enter reports instead of going on to the window (no default button,
// no beep), Ctrl+Enter reports apart.
class TRetEdit : public QLineEdit {
public:
    explicit TRetEdit(QWidget* parent = nullptr);
    std::function<void(TRetEdit*)> OnReturn;
    std::function<void(TRetEdit*)> OnCtrlReturn;
    // Fired for the characters 10 and 13, which then go no further.
    std::function<void(TRetEdit*, QChar& key)> OnKeyPress;

protected:
    void keyPressEvent(QKeyEvent* e) override;
};

// The pictures of the footer buttons, drawn here by name: "QSGARDOWN", "QSGARDOWND",
// "QSGARUP", "QSGARUPD", "QSGCLOSE", "QSGCLOSEH", "QSGCLOSED", "QSGHI", "QSGHID". An unknown
// name gives a null image.
QImage SearchFooterGlyph(const QString& name);

class TSearchPanel : public QWidget {
    Q_OBJECT
public:
    // The grid is the owner; the panel lives in its client area.
    explicit TSearchPanel(TQvStringGrid* grid, QWidget* parent);

    TQvStringGrid* Grid() const { return FGrid; }
    TRetEdit* EditControl() const { return FEdit; }
    TQvGridButton* ExitButton() const { return FExit; }
    TQvGridButton* ForwardButton() const { return FForward; }
    TQvGridButton* BackwardButton() const { return FBackward; }
    TQvGridButton* HiliteButton() const { return FHilite; }
    TQvCheckBox* MatchCase() const { return FMatchCase; }

    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    // The gradient's end colour; kNoColorTo paints Color alone.
    static constexpr TColor kNoColorTo = 0x1FFFFFFF;
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v);

    void SetFindNextCaption(const QString& v);
    void SetFindPrevCaption(const QString& v);
    void SetMatchCaseCaption(const QString& v);
    void SetHighLightCaption(const QString& v);
    void SetHintFindNext(const QString& v);
    void SetHintFindPrev(const QString& v);
    void SetHintClose(const QString& v);
    void SetHintHighlight(const QString& v);
    void SetPanelFont(const TFont& f);

    // Places the children by the layout table (mirrored in right-to-left reading order).
    void LayoutControls();

    std::function<void(TSearchPanel*)> OnForwardClick;
    std::function<void(TSearchPanel*)> OnBackwardClick;
    std::function<void(TSearchPanel*, const QString& text)> OnEditChange;
    std::function<void(TSearchPanel*)> OnExitClick;
    std::function<void(TSearchPanel*)> OnHighlightClick;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void editChanged(const QString& text);

    TQvStringGrid* FGrid;
    TRetEdit* FEdit;
    TQvGridButton* FForward;
    TQvGridButton* FBackward;
    TQvGridButton* FExit;
    TQvGridButton* FHilite;
    TQvCheckBox* FMatchCase;
    TColor FColor = 0xFFFFFF;
    TColor FColorTo = kNoColorTo;
};

} // namespace grid
