#pragma once
// A drop-down holding a whole number between Min and Max. The edit shows the number and cannot
// be typed into; the number changes by the thumb of a horizontal track bar in the popup, by the
// Up and Down keys (Up lowers, Down raises, by Frequency), or by dragging the mouse sideways
// over the edit (one step per PageSize pixels of one move).
//
// The track bar holds the rules: a position outside Min..Max is clamped, a Min above Max (or a
// Max below Min) is ignored. The edit text follows the track bar's position; the position
// follows every change of the edit text that reads as a whole number.

#include "dropdowns/QvDropDown.h"

#include <QPointer>

#include <QSlider>

namespace dropdowns {

class TQvTrackBarDropDown : public TQvCustomDropDown {
    Q_OBJECT
public:
    explicit TQvTrackBarDropDown(QWidget* owner = nullptr, platform::Desktop* desktop = nullptr);

    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    int Position() const { return FPosition; }
    void SetPosition(int v);
    int Frequency() const { return FFrequency; }
    void SetFrequency(int v);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v);
    QSlider* TrackBar() const { return FTrackBar; }

    // After every change of the track bar's position.
    TNotifyEvent OnTrackChange;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    // The edit's change notice (TextChanged): OnChange, then the position follows the text.
    void Change() override;
    void TrackBarChanged();
    void WMKeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    bool dragAllowed() const { return FDropDownEnabled && !FEditorEnabled; }
    void dragTo(int x);

    QPointer<QSlider> FTrackBar;
    int FMin = 0;
    int FFrequency = 1;
    int FPageSize = 2;
    int FMax = 10;
    int FPosition = 0;
    bool FMouseDraging = false;
    int FMouseX = 0;
};

} // namespace dropdowns
