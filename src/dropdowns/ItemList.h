#pragma once
// The owned, indexed item list the pickers' collections share (detail, image and button
// items): items live as long as the list, keep a pointer back to it and find their own index
// in it. A collection derives from TItemList<Item>, creates its items in Insert with itself as
// their collection, and adds its own notifications around these steps.

#include <QString>

#include <memory>
#include <stdexcept>
#include <vector>

namespace dropdowns {

template <class Item>
class TItemList {
public:
    int Count() const { return int(FItems.size()); }
    // Throws std::out_of_range for an index outside the list.
    Item& Items(int index) const
    {
        if (index < 0 || index >= Count())
            throw std::out_of_range("List index out of bounds");
        return *FItems[std::size_t(index)];
    }
    Item& GetItem(int index) const { return Items(index); }
    void Delete(int index)
    {
        Items(index);
        FItems.erase(FItems.begin() + index);
    }
    // The item's place in the list, -1 when it is not in it.
    int IndexOf(const Item* item) const
    {
        for (int i = 0; i < Count(); ++i)
            if (FItems[std::size_t(i)].get() == item)
                return i;
        return -1;
    }

protected:
    // Throws std::out_of_range for an index outside 0 .. Count.
    Item& insertItem(int index, std::unique_ptr<Item> item)
    {
        if (index < 0 || index > Count())
            throw std::out_of_range("List index out of bounds");
        return **FItems.insert(FItems.begin() + index, std::move(item));
    }
    void clearItems() { FItems.clear(); }
    // Copies of the source's items, each made by the collection's Add and taken by the item's
    // Assign.
    template <class Collection>
    void assignItems(Collection& self, const Collection& source)
    {
        if (&source == &self)
            return;
        FItems.clear();
        for (int i = 0; i < source.Count(); ++i)
            self.Add().Assign(source.Items(i));
    }

private:
    std::vector<std::unique_ptr<Item>> FItems;
};

// An item's writer: stores a differing value and fires its collection's OnChange.
template <class Value, class Collection>
void SetAndNotify(Value& field, const Value& value, Collection* collection)
{
    if (field == value)
        return;
    field = value;
    if (collection && collection->OnChange)
        collection->OnChange(collection);
}

} // namespace dropdowns
