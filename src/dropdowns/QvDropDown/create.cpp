// Construction, the settings with effects, the value and its selection, taking another
// drop-down's settings, and the colour-scheme entry points.

#include "dropdowns/QvDropDown.h"
#include "dropdowns/QvDropDown/Internal.h"
#include "platform/Desktop.h"

#include <QLabel>
#include <QProxyStyle>

namespace dropdowns {

// Hides the caret while typing is off (the control is then a pure picker) and shows "*" for
// every character of a password.
class TQvCustomDropDown::CaretStyle final : public QProxyStyle {
public:
    bool caretHidden = false;
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_TextCursorWidth && caretHidden)
            return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

TQvCustomDropDown::TQvCustomDropDown(QWidget* owner, platform::Desktop* desktop)
    : QLineEdit(owner), FDesktop(desktop ? desktop : &platform::productionDesktop())
{
    // The frame is the control's own (a client edge it paints), so the button and the edit
    // rectangle can be placed in client coordinates as the layout rules count them.
    setFrame(false);
    setAttribute(Qt::WA_MouseTracking, false);
    FCaretStyle = new CaretStyle;
    FCaretStyle->setParent(this);
    setStyle(FCaretStyle);
    setContentsMargins(BorderSize(), BorderSize(), BorderSize(), BorderSize());
    resize(200, 21);
    FButtonWidth = 17;
    connect(this, &QLineEdit::textChanged, this, [this] { Change(); });
}

TQvCustomDropDown::~TQvCustomDropDown()
{
    FDestroying = true;
    delete FButton;
    if (FDropDownForm) {
        FDropDownForm->SetQvDropDown(nullptr);
        FDropDownForm->OnHide = nullptr;
        delete FDropDownForm;
    }
    delete FLabel;
}

void TQvCustomDropDown::ConstructDropDown()
{
    if (FConstructionStarted)
        return;
    FConstructionStarted = true;
    // The fields are set by their initialisers and the constructor.
    // The popup window.
    CreateDropDownForm();
    // The drop button (ends by sizing it).
    CreateDropDownButton();
    // Plain state, the empty text through the setter.
    SetReadOnly(false);
    FDropPosition = dpAuto;
    SetText(QString());
    FOldText.clear();
    FUserDropDownWidth = -1;
    FUserDropDownHeight = -1;
    FDropDownEnabled = false;
    // The bar looks report their changes to the open popup.
    bindLooks();
    // Key handling defaults.
    FDefaultHandling = true;
    FIsThemed = true;
    FCanUndo = true;
    FAutoThousandSeparator = true;
    // Presets.
    SetSelectionColorStyle(scOffice2007);
    FFocusDraw = true;
    SetComponentStyle(grid::tsOffice2007Luna);
    FConstructed = true;
    // The window exists from the start here: lay it out as its creation would.
    SetEditRect();
    ArrangeButton();
}

void TQvCustomDropDown::bindLooks()
{
    const auto reinitialize = [this](grid::TObject*) {
        if (FDropDownForm && FDroppedDown)
            FDropDownForm->InitializeAndUpdate();
    };
    FDropDownHeader.OnChange = reinitialize;
    FDropDownHeader.OnButtonsChanged = reinitialize;
    FDropDownFooter.OnChange = reinitialize;
    FDropDownFooter.OnButtonsChanged = reinitialize;
}

void TQvCustomDropDown::Loaded()
{
    FParentFnt = !testAttribute(Qt::WA_SetFont);
    SetEditRect();
    ArrangeButton();
    if (FButton)
        FButton->setEnabled(isEnabled());
    if (FLabel && !FLabelAlwaysEnabled)
        FLabel->setEnabled(isEnabled());
    PositionLabel();
    if (FLabel && FParentFnt)
        FLabel->setFont(font());
}

// ---- settings --------------------------------------------------------------------------------

void TQvCustomDropDown::SetDropDownWidth(int v)
{
    if (FDropDownWidth == v)
        return;
    FDropDownWidth = v;
    FUserDropDownWidth = -1;
}

void TQvCustomDropDown::SetDropDownHeight(int v)
{
    if (FDropDownHeight == v)
        return;
    FDropDownHeight = v;
    FUserDropDownHeight = -1;
}

void TQvCustomDropDown::SetDropDownButtonWidth(int v)
{
    if (!FButton || FButtonWidth == v)
        return;
    FButtonWidth = v;
    FButton->SetButtonWidth(v);
    ArrangeButton();
}

void TQvCustomDropDown::SetDropDownButtonHint(const QString& v)
{
    if (FButtonHint == v)
        return;
    FButtonHint = v;
    if (FButton)
        FButton->setToolTip(v); // an empty hint shows none
}

QImage TQvCustomDropDown::DropDownButtonGlyph() const
{
    return FButton ? FButton->Glyph() : QImage();
}

void TQvCustomDropDown::SetDropDownButtonGlyph(const QImage& v)
{
    if (FButton)
        FButton->SetGlyph(v);
}

QString TQvCustomDropDown::DropDownButtonCaption() const
{
    return FButton ? FButton->ButtonCaption() : QString();
}

void TQvCustomDropDown::SetDropDownButtonCaption(const QString& v)
{
    if (FButton)
        FButton->SetButtonCaption(v);
}

void TQvCustomDropDown::SetReadOnly(bool v)
{
    setReadOnly(v);
}

void TQvCustomDropDown::SetEditorEnabled(bool v)
{
    FEditorEnabled = v;
    applyCaretVisibility();
}

void TQvCustomDropDown::applyCaretVisibility()
{
    FCaretStyle->caretHidden = !FEditorEnabled;
    update();
}

void TQvCustomDropDown::SetFlat(bool v)
{
    if (FFlat == v)
        return;
    FFlat = v;
    ArrangeButton();
}

void TQvCustomDropDown::SetBorderStyle(TBorderStyle v)
{
    if (FBorderStyle == v)
        return;
    FBorderStyle = v;
    setContentsMargins(BorderSize(), BorderSize(), BorderSize(), BorderSize());
    ArrangeButton();
}

void TQvCustomDropDown::SetCtl3D(bool v)
{
    if (FCtl3D == v)
        return;
    FCtl3D = v;
    setContentsMargins(BorderSize(), BorderSize(), BorderSize(), BorderSize());
    ArrangeButton();
}

void TQvCustomDropDown::SetBorderColor(TColor v)
{
    if (FBorderColor == v)
        return;
    FBorderColor = v;
    update();
    if (FButton)
        FButton->SpeedButton()->update();
}

void TQvCustomDropDown::SetDisabledBorder(bool v)
{
    if (FDisabledBorder == v)
        return;
    FDisabledBorder = v;
    update();
}

void TQvCustomDropDown::SetControl(QWidget* control)
{
    if (FControl == control)
        return;
    FControl = control;
    PlaceControl();
}

QString TQvCustomDropDown::Version() const
{
    const auto v = static_cast<std::uint32_t>(VersionNumber());
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

// ---- value and selection ---------------------------------------------------------------------

QString TQvCustomDropDown::Text() const
{
    QString v = QLineEdit::text();
    if (!FPrefix.isEmpty() && v.startsWith(FPrefix))
        v.remove(0, FPrefix.size());
    if (!FSuffix.isEmpty())
        v.chop(std::min(FSuffix.size(), v.size()));
    return v;
}

void TQvCustomDropDown::SetRawText(const QString& value)
{
    QLineEdit::setText(value);
}

void TQvCustomDropDown::SetModifiedState(bool v)
{
    if (!FEditorEnabled || ReadOnly())
        return;
    setModified(v);
    FIsModified = v;
}

void TQvCustomDropDown::Change()
{
    // A change the edit-type rules made themselves is swallowed once.
    if (FBlockChange) {
        FBlockChange = false;
        return;
    }
    if (OnChange)
        OnChange(this);
}

// ---- taking another drop-down's settings -----------------------------------------------------

void TQvCustomDropDown::Assign(const QObject* source)
{
    const auto* s = qobject_cast<const TQvCustomDropDown*>(source);
    if (!s || s == this)
        return;
    FFocusDraw = s->FFocusDraw;
    FForceShadow = s->FForceShadow;
    FDropDownEnabled = s->FDropDownEnabled;
    FDropDownColor = s->FDropDownColor;
    FDropDownColorTo = s->FDropDownColorTo;
    FDropDownGradient = s->FDropDownGradient;
    FDropDownBorderColor = s->FDropDownBorderColor;
    FDropDownBorderWidth = s->FDropDownBorderWidth;
    FDropDownShadow = s->FDropDownShadow;
    FDropDownWidth = s->FDropDownWidth;
    FDropDownHeight = s->FDropDownHeight;
    FDropDownSizeable = s->FDropDownSizeable;
    FEditType = s->FEditType;
    FReturnIsTab = s->FReturnIsTab;
    FLengthLimit = s->FLengthLimit;
    FPrecision = s->FPrecision;
    FPrefix = s->FPrefix;
    FSuffix = s->FSuffix;
    FDefaultHandling = s->FDefaultHandling;
    FCanUndo = s->FCanUndo;
    FExcelStyleDecimalSeparator = s->FExcelStyleDecimalSeparator;
    FValidChars = s->FValidChars;
    FSigned = s->FSigned;
    FAutoThousandSeparator = s->FAutoThousandSeparator;
    FButtonAppearance.Assign(s->FButtonAppearance);
    FDropDownHeader.Assign(s->FDropDownHeader);
    FDropDownFooter.Assign(s->FDropDownFooter);
    FDropPosition = s->FDropPosition;
    FFlat = s->FFlat;
    SetDropDownButtonWidth(s->FButtonWidth);
    SetDropDownButtonHint(s->FButtonHint);
    FEditorEnabled = s->FEditorEnabled;
    applyCaretVisibility();
    SetDropDownButtonGlyph(s->DropDownButtonGlyph());
    SetDropDownButtonCaption(s->DropDownButtonCaption());
    FImages = s->FImages;
    FSelectionColorStyle = s->FSelectionColorStyle;
    FSelectionColor = s->FSelectionColor;
    FSelectionColorTo = s->FSelectionColorTo;
}

} // namespace dropdowns
