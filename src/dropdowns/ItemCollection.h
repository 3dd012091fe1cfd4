#pragma once
// The colour pickers' collections: the shared owned item list (ItemList.h) whose items are made by
// the collection itself and handed a pointer to it (so an item's writers can fire the
// collection's OnChange), with an owner and a copy that assigns item by item. Adding, inserting,
// deleting and clearing fire nothing.

#include "dropdowns/ItemList.h"
#include "grid/GridTypes.h"

#include <QObject>

#include <functional>

namespace dropdowns {

// Collection is the derived list class (its items take a Collection*), Item its item class.
template <class Collection, class Item>
class TItemCollection : public grid::TPersistent, public TItemList<Item> {
public:
    explicit TItemCollection(QObject* owner = nullptr) : FMyOwner(owner) {}
    QObject* GetOwner() const { return FMyOwner; }

    Item& Add() { return Insert(this->Count()); }
    // Throws std::out_of_range for an index outside 0 .. Count.
    Item& Insert(int index) { return this->insertItem(index, std::make_unique<Item>(static_cast<Collection*>(this))); }
    void Clear() { this->clearItems(); }
    void Assign(const Collection& source) { this->assignItems(static_cast<Collection&>(*this), source); }
    // Fired by the items' writers.
    void Changed()
    {
        if (OnChange)
            OnChange(this);
    }

    std::function<void(grid::TObject* sender)> OnChange;

private:
    QObject* FMyOwner;
};

} // namespace dropdowns
