#pragma once
// The grid's in-place text editor for the text kinds of cell editor (normal, numeric, float,
// capital, mixed/lower/upper case, password, valid characters). It filters each typed and
// pasted character by the kind the grid reports at that moment, writes the cell as the user
// types, decides which keys end the edit and how, runs the cell validation before the value
// leaves the editor, completes from the lookup list and reports the end of the edit.

#include "grid/GridTypes.h"
#include "grid/StringGrid.h"
#include "grid/edit/GridEditHost.h"
#include "platform/MaskEdit.h"
#include "platform/SpeedButton.h"

#include <QStringList>

#include <functional>

class QMenu;

namespace grid {

class TQvInplaceEdit : public TInplaceEdit {
    Q_OBJECT
public:
    TQvInplaceEdit(TStringGrid* grid, TGridEditHost* host);

    // Contents step: the grid has put the cell's edit text in; take the cell's colour and
    // alignment and remember the cell being edited.
    void LoadContents();
    // Caret rule applied after the editor received the focus (select all, caret at the end
    // or under the mouse when a click opened it).
    void PlaceCaret();
    // Lookup completion from the grid's lookup list.
    void DoChange();

    int LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(int v) { FLengthLimit = v; }
    bool VAlign() const { return FValign; }
    void SetVAlign(bool v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v) { FWordWrap = v; }
    bool GotFocus() const { return FGotFocus; }
    int EditCol() const { return FColE; }
    int EditRow() const { return FRowE; }
    // The grid is going away: from now on the editor reports nothing to it.
    void DetachHost() { host = nullptr; }

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    enum class CharResult { Passed, Dropped };
    CharResult filterChar(QChar ch, bool keypad, bool ctrl);
    void insertChar(QChar ch);
    void paste();
    void reject(const QString& oldCellText, bool repaint);
    bool storeAndValidate(const QString& text);
    void changed();
    void cursorWalk(QKeyEvent* e);

    TGridEditHost* host;
    int FSelKeyDown = 0;
    int FOldSelStart = 0;
    int FLengthLimit = 0;
    bool FValign = false;
    bool FWordWrap = false;
    bool FGotFocus = false;
    bool Workmode = true;
    int FColE = -1;
    int FRowE = -1;
    bool FAltBack = false;
};

// ---- The edit with an embedded button and the value-with-unit edit (QSGEditBtn.cpp). The
// grid's button and unit cell editors derive from them.

class TQsgEditButton;

// The embedded button: custom colours, themed ("button"), flat or classic; the caption is
// always black.
class TQvSpeedButton : public platform::TSpeedButton {
    Q_OBJECT
public:
    explicit TQvSpeedButton(TQsgEditButton* owner);
    bool IsWinXP = false;
    bool Hot() const { return MouseInControl(); }

protected:
    void Paint(QPainter& canvas) override;

private:
    TQsgEditButton* FOwner;
};

// The panel holding the button at the edit's right edge.
class TQsgEditButton : public QWidget {
    Q_OBJECT
public:
    explicit TQsgEditButton(QWidget* parent = nullptr);

    TQvSpeedButton* Button() const { return FButton; }
    void SetGlyph(const QImage& glyph) { FButton->SetGlyph(glyph); }
    const QImage& Glyph() const { return FButton->Glyph(); }
    void SetNumGlyphs(int n) { FButton->SetNumGlyphs(n); }
    void SetButtonCaption(const QString& caption) { FButton->SetCaption(caption); }
    const QString& ButtonCaption() const { return FButton->Caption(); }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);

    QWidget* FocusControl = nullptr;
    std::function<void(QObject*)> OnClick;

    TColor ButtonColor = clNone;
    TColor ButtonColorHot = clNone;
    TColor ButtonColorDown = clNone;
    TColor ButtonTextColor = clNone;
    TColor ButtonTextColorHot = clNone;
    TColor ButtonTextColorDown = clNone;
    TColor ButtonBorderColor = clNone;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void released(QMouseEvent* e);

    TQvSpeedButton* FButton;
    bool FFlat = false;
};

// A masked edit with a push button at its right edge; the button or F4 fires OnClickBtn.
class TQsgEditBtn : public platform::TCustomMaskEdit {
    Q_OBJECT
public:
    explicit TQsgEditBtn(QWidget* parent = nullptr);

    TQsgEditButton* Button() const { return FButton; }
    void SetButtonCaption(const QString& caption) { FButton->SetButtonCaption(caption); }
    const QString& ButtonCaption() const { return FButton->ButtonCaption(); }
    void SetGlyph(const QImage& glyph) { FButton->SetGlyph(glyph); }
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int w);
    bool EditorEnabled = true;
    bool RightAlign() const { return FRightAlign; }
    void SetRightAlign(bool v);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);
    bool AutoSelect = true;
    bool BorderSingle = true; // BorderStyle: single (true) or none

    // The button was pressed (Sender: the panel) or F4 typed (Sender: the edit).
    std::function<void(QObject*)> OnClickBtn;
    virtual void ClickButton(QObject* sender);

    // The font's text height and a quarter of the smaller of it and the system font's.
    int MinimumHeight() const;
    void LayoutEdit();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    int FUnitWidth = 0;

private:
    TQsgEditButton* FButton;
    int FButtonWidth = 0;
    bool FRightAlign = false;
    bool FIsWinXP = false;
};

// A value with a unit: the unit drawn right of the value, the button opening a menu of units.
class TQsgUnitEditBtn : public TQsgEditBtn {
    Q_OBJECT
public:
    explicit TQsgUnitEditBtn(QWidget* parent = nullptr);

    const QStringList& Units() const { return FUnits; }
    void SetUnits(const QStringList& units) { FUnits = units; }
    const QString& UnitID() const { return FUnitID; }
    void SetUnitID(const QString& unit);
    int UnitSpace() const { return FUnitWidth; }
    void SetUnitSpace(int w);
    std::function<void(QObject*, const QString&)> OnUnitChanged;

    // The text followed by the unit; writing splits at the first unit that ends the value.
    QString TextAndUnit() const { return text() + FUnitID; }
    void SetTextAndUnit(const QString& value);

    void ClickButton(QObject* sender) override;
    // A menu command: ids 1..count choose that unit; others choose nothing.
    void UnitCommand(int id);
    // Shows the unit menu and answers the chosen id (0: none). Tests replace it.
    std::function<int(QMenu& menu, const QPoint& at)> ShowUnitMenu;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QStringList FUnits;
    QString FUnitID;
};

} // namespace grid
