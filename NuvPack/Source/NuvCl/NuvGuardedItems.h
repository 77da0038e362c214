#pragma once
// The library's list of windows it owns (nuv::TItems' rules: append at the
// end, remove by moving the last entry into the freed place) for objects that
// Qt may destroy elsewhere, such as a window made with a Qt parent that goes
// first. Entries are guarded: one destroyed elsewhere leaves the list at once
// (the last entry takes its place) and is never destroyed a second time.

#include "Exception.h"
#include "Format.h"

#include <QObject>
#include <QPointer>

#include <vector>

namespace nuv {

template <typename T> class TGuardedItems {
public:
    TGuardedItems() = default;
    ~TGuardedItems() { Clear(); }
    TGuardedItems(const TGuardedItems&) = delete;
    TGuardedItems& operator=(const TGuardedItems&) = delete;

    // The list owns `item` from now on, unless something else destroys it first.
    void Add(T* item)
    {
        items_.push_back({ item, item });
        QObject::connect(item, &QObject::destroyed, &watcher_, [this](QObject* gone) { Forget(gone); });
    }
    // Takes the entry at `i` off the list without destroying it (the last
    // entry takes its place) and hands it to the caller; null outside the list.
    T* Extract(int i)
    {
        if (i < 0 || i >= Count())
            return nullptr;
        T* item = items_[static_cast<std::size_t>(i)].guard.data();
        Remove(static_cast<std::size_t>(i));
        if (item)
            QObject::disconnect(item, nullptr, &watcher_, nullptr);
        return item;
    }
    // The first position of item, or -1.
    int IndexOf(const T* item) const
    {
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i].raw == item)
                return static_cast<int>(i);
        return -1;
    }
    // Destroys every entry still alive.
    void Clear()
    {
        const std::vector<Entry> items = std::move(items_);
        items_.clear();
        for (const Entry& entry : items) {
            if (T* item = entry.guard.data()) {
                QObject::disconnect(item, nullptr, &watcher_, nullptr);
                delete item;
            }
        }
    }
    int Count() const { return static_cast<int>(items_.size()); }
    // The entry at `i`, still owned by the list; EListError outside the list.
    T* Items(int i) const
    {
        if (i < 0 || i >= Count())
            throw EListError(Format("List index out of bounds (%d)", i));
        return items_[static_cast<std::size_t>(i)].guard.data();
    }

private:
    struct Entry {
        const QObject* raw; // who it was, once the guard has been cleared
        QPointer<T> guard;
    };

    void Remove(std::size_t i)
    {
        std::swap(items_[i], items_.back());
        items_.pop_back();
    }

    // Called while `gone` is being destroyed: its guard is already null.
    void Forget(QObject* gone)
    {
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i].raw == gone) {
                Remove(i);
                return;
            }
    }

    std::vector<Entry> items_;
    QObject watcher_; // the connections end with the list
};

} // namespace nuv
