#include "grid/look/PopupAppearance.h"

#include <QGuiApplication>

#include <algorithm>

namespace grid {

namespace {

[[noreturn]] void cannotAssign(const TPersistent& source, const TPersistent& target)
{
    throw EQvGridError(QStringLiteral("Cannot assign a %1 to a %2").arg(source.ClassName(), target.ClassName()));
}

} // namespace

// ---- buttons ---------------------------------------------------------------------------------

void THeaderButton::changed()
{
    if (FCollection)
        FCollection->Update();
}

void THeaderButton::SetCaption(const QString& v)
{
    if (FCaption == v)
        return;
    FCaption = v;
    changed();
}

void THeaderButton::SetEnabled(bool v)
{
    if (FEnabled == v)
        return;
    FEnabled = v;
    changed();
}

void THeaderButton::SetWidth(int v)
{
    if (FWidth == v)
        return;
    FWidth = v;
    changed();
}

void THeaderButton::Assign(const TPersistent& source)
{
    if (typeid(source) != typeid(*this))
        cannotAssign(source, *this);
    const auto& s = static_cast<const THeaderButton&>(source);
    SetCaption(s.FCaption);
    SetImageIndex(s.FImageIndex);
    SetEnabled(s.FEnabled);
    SetWidth(s.FWidth);
    SetHeight(s.FHeight);
}

void TFooterButton::Assign(const TPersistent& source)
{
    THeaderButton::Assign(source);
    SetModalResult(static_cast<const TFooterButton&>(source).FModalResult);
}

// ---- collections -----------------------------------------------------------------------------

THeaderButton& TBarButtonsBase::at(int index) const
{
    if (index < 0 || index >= Count())
        throw EQvGridError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return *FItems[std::size_t(index)];
}

THeaderButton& TBarButtonsBase::insert(int index, std::unique_ptr<THeaderButton> item)
{
    index = std::clamp(index, 0, Count());
    THeaderButton& added = *item;
    FItems.insert(FItems.begin() + index, std::move(item));
    Update();
    return added;
}

void TBarButtonsBase::Delete(int index)
{
    at(index);
    FItems.erase(FItems.begin() + index);
    Update();
}

void TBarButtonsBase::Clear()
{
    if (FItems.empty())
        return;
    FItems.clear();
    Update();
}

void TBarButtonsBase::assignItems(const TBarButtonsBase& source)
{
    if (&source == this)
        return;
    // One notice for the whole copy, as the collection reports a batch update once.
    const TBarNotifyEvent notify = std::move(OnChange);
    OnChange = nullptr;
    FItems.clear();
    for (const auto& item : source.FItems) {
        auto copy = newItem();
        copy->Assign(*item);
        FItems.push_back(std::move(copy));
    }
    OnChange = notify;
    Update();
}

// ---- appearances -----------------------------------------------------------------------------

THeaderAppearance::THeaderAppearance()
{
    FFont.Name = QStringLiteral("Tahoma");
}

void THeaderAppearance::Assign(const TPersistent& source)
{
    if (!sameClass(source))
        return;
    const auto& s = static_cast<const THeaderAppearance&>(source);
    FColorTo = s.FColorTo;
    FColor = s.FColor;
    FBorderColor = s.FBorderColor;
    FCaption = s.FCaption;
    FFont = s.FFont;
    FImageIndex = s.FImageIndex;
    FBorderWidth = s.FBorderWidth;
    FGradientDirection = s.FGradientDirection;
    FHeight = s.FHeight;
    SetVisible(s.FVisible);
    FButtonAlignment = s.FButtonAlignment;
    FButtons.Assign(s.FButtons);
}

TFooterAppearance::TFooterAppearance()
{
    FFont.Name = QGuiApplication::font().family();
}

void TFooterAppearance::Assign(const TPersistent& source)
{
    if (!sameClass(source))
        return;
    const auto& s = static_cast<const TFooterAppearance&>(source);
    FBorderColor = s.FBorderColor;
    FColor = s.FColor;
    FColorTo = s.FColorTo;
    FGradientDirection = s.FGradientDirection;
    FFont = s.FFont;
    FCaption = s.FCaption;
    FSizeGrip = s.FSizeGrip;
    FBorderWidth = s.FBorderWidth;
    FHeight = s.FHeight;
    FImageIndex = s.FImageIndex;
    SetVisible(s.FVisible);
    FButtonAlignment = s.FButtonAlignment;
    FButtons.Assign(s.FButtons);
}

} // namespace grid
