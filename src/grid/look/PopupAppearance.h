#pragma once
// The looks of a drop-down popup's header and footer bars: caption, image, gradient, border,
// font and a collection of bar buttons. They only hold values and pass change notices on; the
// drop-down controls paint and operate the bars. The grid's control look keeps one of each for
// its drop-down cell editors, and every drop-down owns its own pair.
//
// Notices: writing `Visible` fires OnChange when the value differs; a button whose Caption,
// Enabled or Width changes (and adding, inserting or removing a button) fires the collection's
// OnChange, which the appearance passes on as OnButtonsChanged. Every other field is a plain
// store.

#include "grid/GridTypes.h"

#include <functional>
#include <memory>
#include <typeinfo>
#include <vector>

namespace grid {

enum TGradientDirection { gdHorizontal, gdVertical };
enum TButtonAlignment { baLeft, baRight };

// The popup's result when a footer button is pressed (0 keeps the popup open).
using TModalResult = int;

using TBarNotifyEvent = std::function<void(TObject* sender)>;

class TBarButtonsBase;

class THeaderButton : public TPersistent {
public:
    explicit THeaderButton(TBarButtonsBase* collection = nullptr) : FCollection(collection) {}
    QString ClassName() const override { return QStringLiteral("THeaderButton"); }

    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { FImageIndex = v; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    // 0 sizes the button to its caption and image.
    int Width() const { return FWidth; }
    void SetWidth(int v);
    int Height() const { return FHeight; }
    void SetHeight(int v) { FHeight = v; }

    // Copies from a button of the same class through the setters; throws EQvGridError for any
    // other source, as assigning unrelated objects is a programming error.
    virtual void Assign(const TPersistent& source);

protected:
    void changed();

private:
    TBarButtonsBase* FCollection;
    QString FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    int FWidth = 0;
    int FHeight = 0;
};

class TFooterButton : public THeaderButton {
public:
    using THeaderButton::THeaderButton;
    QString ClassName() const override { return QStringLiteral("TFooterButton"); }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }
    void Assign(const TPersistent& source) override;

private:
    TModalResult FModalResult = 0;
};

// The ordered, owning list behind both button collections.
class TBarButtonsBase : public TPersistent {
public:
    int Count() const { return int(FItems.size()); }
    void Delete(int index);
    void Clear();
    TBarNotifyEvent OnChange;

    // Called by the buttons when one of their notifying fields changed.
    void Update()
    {
        if (OnChange)
            OnChange(this);
    }

protected:
    virtual std::unique_ptr<THeaderButton> newItem() = 0;
    THeaderButton& at(int index) const;
    THeaderButton& insert(int index, std::unique_ptr<THeaderButton> item);
    void assignItems(const TBarButtonsBase& source);

private:
    std::vector<std::unique_ptr<THeaderButton>> FItems;
};

template <class Button>
class TBarButtons : public TBarButtonsBase {
public:
    Button& Add() { return Insert(Count()); }
    Button& Insert(int index) { return static_cast<Button&>(insert(index, newItem())); }
    // Throws EQvGridError "List index out of bounds (n)" for an index outside the list.
    Button& Items(int index) const { return static_cast<Button&>(at(index)); }
    Button& GetItem(int index) const { return Items(index); }
    void SetItem(int index, const Button& value) { Items(index).Assign(value); }
    void Assign(const TBarButtons& source) { assignItems(source); }

protected:
    std::unique_ptr<THeaderButton> newItem() override { return std::make_unique<Button>(this); }
};

class THeaderButtons : public TBarButtons<THeaderButton> {
public:
    QString ClassName() const override { return QStringLiteral("THeaderButtons"); }
};

class TFooterButtons : public TBarButtons<TFooterButton> {
public:
    QString ClassName() const override { return QStringLiteral("TFooterButtons"); }
};

// Fields and notices shared by the header and the footer look.
template <class Buttons>
class TBarAppearance : public TPersistent {
public:
    TBarAppearance()
    {
        FButtons.OnChange = [this](TObject*) {
            if (OnButtonsChanged)
                OnButtonsChanged(this);
        };
    }
    TBarAppearance(const TBarAppearance&) = delete;
    TBarAppearance& operator=(const TBarAppearance&) = delete;

    bool Visible() const { return FVisible; }
    void SetVisible(bool v)
    {
        if (FVisible == v)
            return;
        FVisible = v;
        if (OnChange)
            OnChange(this);
    }
    int Height() const { return FHeight; }
    void SetHeight(int v) { FHeight = v; }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v) { FBorderWidth = v; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { FImageIndex = v; }
    // Mini-HTML.
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& v) { FCaption = v; }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { FColor = v; }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v) { FColorTo = v; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { FBorderColor = v; }
    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& v) { FFont = v; }
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection v) { FGradientDirection = v; }
    TButtonAlignment ButtonAlignment() const { return FButtonAlignment; }
    void SetButtonAlignment(TButtonAlignment v) { FButtonAlignment = v; }
    Buttons& GetButtons() { return FButtons; }
    const Buttons& GetButtons() const { return FButtons; }
    void SetButtons(const Buttons& v) { FButtons.Assign(v); }

    // Takes a colour scheme over without touching captions, buttons, visibility and sizes.
    void AssignColors(const TPersistent& source)
    {
        if (const auto* s = dynamic_cast<const TBarAppearance*>(&source); s && sameClass(source)) {
            FColor = s->FColor;
            FColorTo = s->FColorTo;
            FBorderColor = s->FBorderColor;
            FFont = s->FFont;
            FGradientDirection = s->FGradientDirection;
        }
    }

    TBarNotifyEvent OnChange;
    TBarNotifyEvent OnButtonsChanged;

protected:
    bool sameClass(const TPersistent& source) const { return typeid(source) == typeid(*this); }

    bool FVisible = true;
    int FHeight = 22;
    int FBorderWidth = 1;
    int FImageIndex = -1;
    QString FCaption;
    TColor FColor = 0xC0C0C0;
    TColor FColorTo = 0xFFFFFF;
    TColor FBorderColor = 0x000000;
    TFont FFont;
    TGradientDirection FGradientDirection = gdVertical;
    TButtonAlignment FButtonAlignment = baRight;
    Buttons FButtons;
};

class THeaderAppearance : public TBarAppearance<THeaderButtons> {
public:
    THeaderAppearance(); // font face "Tahoma"
    QString ClassName() const override { return QStringLiteral("THeaderAppearance"); }
    // From another header look only; any other source is ignored.
    void Assign(const TPersistent& source);
};

class TFooterAppearance : public TBarAppearance<TFooterButtons> {
public:
    TFooterAppearance(); // the platform's default font face
    QString ClassName() const override { return QStringLiteral("TFooterAppearance"); }
    // Whether the footer shows the size grip the user resizes the popup by.
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool v) { FSizeGrip = v; }
    // From another footer look only; any other source is ignored.
    void Assign(const TPersistent& source);

private:
    bool FSizeGrip = true;
};

} // namespace grid
