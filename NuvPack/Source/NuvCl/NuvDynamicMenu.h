#pragma once
// Menu items put into an existing menu at run time and taken out again: either
// into a popup menu's top-level list or under one menu item, each with the same
// click handler, with a record of the items made.

#include "MenuModel.h"

#include <QPointer>

#include <string>
#include <vector>

class TNuvDynamicMenu {
public:
    TNuvDynamicMenu();
    // The items stay where they are; items that nothing owns are destroyed.
    ~TNuvDynamicMenu();
    TNuvDynamicMenu(const TNuvDynamicMenu&) = delete;
    TNuvDynamicMenu& operator=(const TNuvDynamicMenu&) = delete;

    // The target: at most one of the two is set. A destroyed target reads as null.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    TMenuItem* MenuItem() const { return menuItem_; }
    // Owner of the items made from now on: the target last set.
    QObject* Owner() const { return owner_; }
    // Given to every item made from now on.
    TMenuNotifyEvent OnClick;

    // When `menu` differs from PopupMenu: it becomes the target and the owner,
    // and MenuItem is cleared.
    void SetPopupMenu(TPopupMenu* menu);
    // When `item` differs from MenuItem: it becomes the target and the owner,
    // and PopupMenu is cleared.
    void SetMenuItem(TMenuItem* item);

    // A new item owned by Owner, with `caption` and OnClick, in no menu.
    TMenuItem* CreateMenuItem(const std::string& caption);
    // A new item appended to the target (if any) and to the record.
    TMenuItem* Add(const std::string& caption);
    // A new item inserted at `index` of the target and appended to the record;
    // EMenuError "Menu index out of range" for a bad index (nothing is made).
    TMenuItem* Insert(const std::string& caption, int index);
    // Takes the item at position `index` of the target out of the menu (it is
    // not destroyed). The first record entry whose item stands at that position
    // of its menu is dropped, the last entry taking its place. A negative index
    // does nothing; one past the target's list raises EMenuError.
    void Delete(int index);
    // Drops record entry `i` (the last entry takes its place) and takes its item
    // out of whatever menu holds it, without destroying it. EListError "List
    // index out of bounds (i)" outside the record.
    void DeleteRecord(int i);
    // Drops every record entry as DeleteRecord(0) does, one after the other.
    void Clear();

    int GetCount() const { return static_cast<int>(records_.size()); }
    // The position of the item of record entry `i` in its menu, -1 when it is in
    // none (or was destroyed); EListError outside the record.
    int GetMenuIndex(int i) const;
    // The item of record entry `i` (null once destroyed); EListError outside the record.
    TMenuItem* GetItem(int i) const;
    // The record entry of `item`, or -1.
    int IndexOf(const TMenuItem* item) const;

private:
    void CheckEntry(int i) const;

    QPointer<TPopupMenu> popupMenu_;
    QPointer<TMenuItem> menuItem_;
    QPointer<QObject> owner_;
    std::vector<QPointer<TMenuItem>> records_;
};
