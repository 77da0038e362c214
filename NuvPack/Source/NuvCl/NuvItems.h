#pragma once
// The library's owning list of pointers: appends at the end, removes by moving
// the last entry into the freed place, destroys what it holds.

#include "Exception.h"
#include "Format.h"

#include <memory>
#include <vector>

namespace nuv {

template <typename T> class TItems {
public:
    TItems() = default;
    ~TItems() { Clear(); }
    TItems(const TItems&) = delete;
    TItems& operator=(const TItems&) = delete;

    // The list owns `item` from now on.
    void Add(T* item) { items_.emplace_back(item); }
    // Destroys the entry at `i`; the last entry takes its place. Nothing happens
    // for an index outside the list.
    void Delete(int i)
    {
        if (i < 0 || i >= Count())
            return;
        std::swap(items_[static_cast<std::size_t>(i)], items_.back());
        items_.pop_back();
    }
    // Takes the entry at `i` off the list without destroying it (the last
    // entry takes its place) and hands it to the caller; null outside the list.
    T* Extract(int i)
    {
        if (i < 0 || i >= Count())
            return nullptr;
        std::swap(items_[static_cast<std::size_t>(i)], items_.back());
        T* item = items_.back().release();
        items_.pop_back();
        return item;
    }
    // The first position of item, or -1.
    int IndexOf(const T* item) const
    {
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i].get() == item)
                return static_cast<int>(i);
        return -1;
    }
    // Destroys every entry.
    void Clear() { items_.clear(); }
    int Count() const { return static_cast<int>(items_.size()); }
    // The entry at `i`, still owned by the list; EListError outside the list.
    T* Items(int i) const
    {
        if (i < 0 || i >= Count())
            throw EListError(Format("List index out of bounds (%d)", i));
        return items_[static_cast<std::size_t>(i)].get();
    }

private:
    std::vector<std::unique_ptr<T>> items_;
};

} // namespace nuv
