#pragma once
// Any widget as a cell editor: cells of the kind edCustom are edited through the grid's (or the
// column's) TEditLink. A descendant creates the control, moves values in and out and hands its
// control's key presses to EditKeyDown; the link places the control over the cell or in a
// frameless popup, decides which keys end the edit and stores the value through the grid.
// Call flow: ShowSpecialEditor -> CreateEditor, SetRect, SetVisible, SetCellProps,
// SetProperties, SetEditorValue, SetFocus; StoreEditorValue -> GetEditorValue, SetVisible(false),
// RestoreWinProc.

#include "grid/GridTypes.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

class QFont;
class QWidget;

namespace grid {

class TQvStringGrid;

enum TEditStyle { esInplace, esPopup };

class TEditLink : public QObject {
    Q_OBJECT
public:
    explicit TEditLink(QObject* owner = nullptr);
    ~TEditLink() override;

    TQvStringGrid* Grid = nullptr; // the grid of the current edit
    QPoint EditCell;               // real column and row
    TEditStyle EditStyle = esInplace;
    int PopupWidth = 0, PopupHeight = 0;
    int PopupLeft = -1, PopupTop = -1; // -1 in either: the popup at the cell
    bool AutoPopupWidth = false;
    bool WantKeyLeftRight = false, WantKeyUpDown = false, WantKeyHomeEnd = false, WantKeyPriorNext = false,
         WantKeyReturn = false, WantKeyEscape = false, WantTabs = false, WantReturns = false;
    int Tag = 0;

    // The key decision; descendants route their control's key presses here.
    virtual void EditKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    virtual QWidget* GetEditControl() { return nullptr; }
    virtual void CreateEditor(QWidget* AParent) { (void)AParent; }
    virtual void DestroyEditor() {}
    virtual void SetFocus(bool Value);
    virtual void SetRect(const TRect& R);
    virtual void SetVisible(bool Value);
    virtual void SetProperties() {}
    virtual void SetCellProps(TColor AColor, const QFont& AFont) { (void)AColor, (void)AFont; }
    virtual QString GetEditorValue() { return {}; }
    virtual void SetEditorValue(const QString& Value) { (void)Value; }

    QString GetCellValue();
    void SetCellValue(const QString& S);
    void HideEditor();
    void EditExit(QObject* Sender = nullptr);
    void FormExit(QObject* Sender = nullptr);
    QWidget* GetParent();
    void RestoreWinProc();

    // Whether Key (with Shift) is one the grid takes from the control.
    bool IsGridKey(int Key, Qt::KeyboardModifiers Shift) const;

    // The popup, made on the first popup edit (grid side, ShowSpecialEditor).
    QWidget* PopupForm();
    bool ForcedExit() const { return FForcedExit; }

private:
    void storeValue();
    QPointer<QWidget> FPopupForm;
    bool FForcedExit = false;
    bool FSubClassed = false;
    bool FExiting = false;
    friend class TQvStringGrid;
};

} // namespace grid
