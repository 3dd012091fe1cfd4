// The drop-down picker editors on the grid's side: made on first use through the editor
// registry, placed and loaded with the cell's value by kind, and read back into the cell when
// the edit ends. The pickers themselves and their key rules live in the drop-down layer.

#include "grid/QvObj.h"
#include "grid/edit/DropDownEditors.h"
#include "grid/edit/GridEdit.h"
#include "grid/look/GridLooks.h"

#include <QApplication>
#include <QKeyEvent>

namespace grid {

namespace {

int integerOf(const QString& s)
{
    bool ok = false;
    const int v = s.trimmed().toInt(&ok);
    return ok ? v : -1;
}

} // namespace

TGridDropDownEditor* TQvStringGrid::DropDownEditor(TEditorType kind) const
{
    const auto it = FDropDownEditors.find(kind);
    return it == FDropDownEditors.end() ? nullptr : it->second;
}

TGridDropDownEditor* TQvStringGrid::dropDownEditor(TEditorType kind)
{
    if (TGridDropDownEditor* e = DropDownEditor(kind))
        return e;
    const TDropDownEditorFactory* make = DropDownEditorFactory(kind);
    if (!make)
        return nullptr;
    TGridDropDownEditor* e = (*make)(this, viewport(), *editHost());
    if (!e)
        return nullptr;
    FDropDownEditors[kind] = e;
    TGridLookState& look = LookState();
    // Restyling reaches only the editors that exist; a new one takes the present look here.
    look.StyleDropDownEditors = [this](TVLXStyle style) {
        for (auto& [k, ed] : FDropDownEditors)
            ed->SetComponentStyle(style);
    };
    look.ToneEditors = [this](const TColorTones& tones) {
        for (auto& [k, ed] : FDropDownEditors)
            ed->SetColorTones(tones);
    };
    e->SetComponentStyle(look.ComponentStyle);
    if (look.ComponentStyle == tsCustom)
        e->SetColorTones(look.Tones);
    QWidget* w = e->Widget();
    w->hide();
    w->setEnabled(false);
    return e;
}

void TQvStringGrid::DropDownHeaderButtonClicked(int ButtonIndex)
{
    if (OnDropDownHeaderButtonClick)
        OnDropDownHeaderButtonClick(this, Col(), Row(), ButtonIndex);
}

void TQvStringGrid::DropDownFooterButtonClicked(int ButtonIndex)
{
    if (OnDropDownFooterButtonClick)
        OnDropDownFooterButtonClick(this, Col(), Row(), ButtonIndex);
}

void TQvStringGrid::showDropDownEditor(int realCol, int ARow, const TRect& r, int w, int h, TColor color, QChar typed)
{
    TGridDropDownEditor* ed = dropDownEditor(EditControl);
    if (!ed) {
        // A kind whose picker is not registered opens nothing.
        EditMode = false;
        FEditActive = false;
        FSpecialEditor = false;
        return;
    }
    QWidget* widget = ed->Widget();
    EditMode = true;
    ed->SetBars(
        ControlLook().DropDownHeader(), ControlLook().DropDownFooter(),
        [this](int i) { DropDownHeaderButtonClicked(i); }, [this](int i) { DropDownFooterButtonClicked(i); });
    GetEditorProp(realCol, ARow, nullptr);

    TDropDownCell cell;
    cell.Text = FEditText;
    const TCellType type = GetCellType(realCol, ARow);
    if (EditControl == edColorPickerDropDown) {
        TColor background = GetCellProperties(realCol, ARow)->BrushColor();
        if (background == clNone)
            background = color;
        cell.Color = type == ctShape ? GetShapeColor(realCol, ARow) : background;
    }
    if (EditControl == edImagePickerDropDown && (type == ctImageList || type == ctDataImage)) {
        cell.ImageCell = true;
        cell.Images = GridImages;
        if (type == ctImageList) {
            int idx = -1;
            cell.ImageIndex = GetImageIdx(realCol, ARow, idx) ? idx : -1;
        } else {
            cell.ImageIndex = integerOf(FEditText);
        }
    }
    FNoEditChange = true;
    ed->Load(cell);
    FNoEditChange = false;

    widget->setGeometry(r.Left, r.Top, w, h);
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Base, platform::toQColor(color));
    widget->setPalette(pal);
    widget->setEnabled(true);
    widget->show();
    widget->raise();
    widget->setFocus(Qt::OtherFocusReason);
    if (MouseActions().DirectComboDrop())
        ed->OpenPopup();
    ed->Shown();
    EditCtrl = widget;
    if (!typed.isNull()) {
        const QChar upper = typed.toUpper();
        QKeyEvent ev(QEvent::KeyPress, upper.unicode() < 128 ? upper.unicode() : 0, Qt::NoModifier, QString(typed));
        QApplication::sendEvent(widget, &ev);
    }
}

void TQvStringGrid::storeDropDownValue(int realCol, int ARow)
{
    TGridDropDownEditor* ed = DropDownEditor(EditControl);
    // A visible editor is stored even when a focus change already cleared EditMode, so the
    // value is never left on screen unsaved.
    if (!ed || (!EditMode && !ed->Widget()->isVisible()))
        return;
    EditMode = false;
    const TCellType type = GetCellType(realCol, ARow);
    switch (EditControl) {
    case edColorPickerDropDown: {
        TColor c = ed->SelectedColor();
        QString value = ed->StoredText();
        if (OnColorSelected)
            OnColorSelected(this, realCol, ARow, c, value);
        StoreEditText(realCol, ARow, value);
        if (type == ctShape)
            SetShapeColor(realCol, ARow, c);
        else
            GetCellProperties(realCol, ARow)->SetBrushColor(c);
        Invalidate();
        break;
    }
    case edImagePickerDropDown: {
        int index = ed->SelectedImageIndex();
        if (OnImageSelected)
            OnImageSelected(this, realCol, ARow, index);
        if (type == ctImageList)
            SetImageIdx(realCol, ARow, index);
        else if (type == ctDataImage)
            StoreEditText(realCol, ARow, QString::number(index));
        break;
    }
    default:
        StoreEditText(realCol, ARow, ed->StoredText());
        break;
    }
    closeEditor(ed->Widget());
}

} // namespace grid
