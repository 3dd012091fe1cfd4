#pragma once
// The owned, ordered item list the pickers' collections share: items made by the collection and
// handed a pointer to it (so an item's writers can fire the collection's OnChange), indexes
// checked, and a copy that assigns item by item. Adding, inserting, deleting and clearing fire
// nothing.

#include "grid/GridTypes.h"

#include <QObject>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace dropdowns {

// Collection is the derived list class (its items take a Collection*), Item its item class.
template <class Collection, class Item>
class TItemCollection : public grid::TPersistent {
public:
    explicit TItemCollection(QObject* owner = nullptr) : FMyOwner(owner) {}
    QObject* GetOwner() const { return FMyOwner; }

    int Count() const { return int(FItems.size()); }
    Item& Add() { return Insert(Count()); }
    // Throws std::out_of_range for an index outside 0 .. Count.
    Item& Insert(int index)
    {
        if (index < 0 || index > Count())
            throw std::out_of_range("List index out of bounds");
        auto it = FItems.insert(FItems.begin() + index, std::make_unique<Item>(static_cast<Collection*>(this)));
        return **it;
    }
    void Delete(int index)
    {
        Items(index);
        FItems.erase(FItems.begin() + index);
    }
    void Clear() { FItems.clear(); }
    // Throws std::out_of_range for an index outside the list.
    Item& Items(int index) const
    {
        if (index < 0 || index >= Count())
            throw std::out_of_range("List index out of bounds");
        return *FItems[std::size_t(index)];
    }
    void Assign(const Collection& source)
    {
        if (&source == this)
            return;
        FItems.clear();
        for (int i = 0; i < source.Count(); ++i)
            Add().Assign(source.Items(i));
    }
    // Fired by the items' writers.
    void Changed()
    {
        if (OnChange)
            OnChange(this);
    }

    std::function<void(grid::TObject* sender)> OnChange;

private:
    QObject* FMyOwner;
    std::vector<std::unique_ptr<Item>> FItems;
};

} // namespace dropdowns
