#include "NuvDynamicMenu.h"

#include "Exception.h"
#include "Format.h"

#include <memory>

TNuvDynamicMenu::TNuvDynamicMenu() = default;

TNuvDynamicMenu::~TNuvDynamicMenu()
{
    // Items made without a target belong to nothing else.
    for (const QPointer<TMenuItem>& item : records_) {
        if (item && item->parent() == nullptr && item->Parent() == nullptr)
            delete item.data();
    }
}

void TNuvDynamicMenu::SetPopupMenu(TPopupMenu* menu)
{
    if (menu == popupMenu_)
        return;
    popupMenu_ = menu;
    menuItem_ = nullptr;
    owner_ = menu;
}

void TNuvDynamicMenu::SetMenuItem(TMenuItem* item)
{
    if (item == menuItem_)
        return;
    menuItem_ = item;
    popupMenu_ = nullptr;
    owner_ = item;
}

TMenuItem* TNuvDynamicMenu::CreateMenuItem(const std::string& caption)
{
    auto* item = new TMenuItem(owner_);
    item->SetCaption(caption);
    item->SetOnClick(OnClick);
    return item;
}

TMenuItem* TNuvDynamicMenu::Add(const std::string& caption)
{
    TMenuItem* item = CreateMenuItem(caption);
    if (popupMenu_)
        popupMenu_->Items()->Add(item);
    else if (menuItem_)
        menuItem_->Add(item);
    records_.emplace_back(item);
    return item;
}

TMenuItem* TNuvDynamicMenu::Insert(const std::string& caption, int index)
{
    std::unique_ptr<TMenuItem> item(CreateMenuItem(caption));
    if (popupMenu_)
        popupMenu_->Items()->Insert(index, item.get());
    else if (menuItem_)
        menuItem_->Insert(index, item.get());
    records_.emplace_back(item.get());
    return item.release();
}

void TNuvDynamicMenu::Delete(int index)
{
    if (index < 0)
        return;
    for (std::size_t k = 0; k < records_.size(); ++k) {
        if (records_[k] && records_[k]->MenuIndex() == index) {
            records_[k] = records_.back();
            records_.pop_back();
            break;
        }
    }
    if (popupMenu_)
        popupMenu_->Items()->Delete(index);
    else if (menuItem_)
        menuItem_->Delete(index);
}

void TNuvDynamicMenu::DeleteRecord(int i)
{
    CheckEntry(i);
    const QPointer<TMenuItem> item = records_[static_cast<std::size_t>(i)];
    records_[static_cast<std::size_t>(i)] = records_.back();
    records_.pop_back();
    if (item && item->Parent())
        item->Parent()->Remove(item);
}

void TNuvDynamicMenu::Clear()
{
    while (!records_.empty())
        DeleteRecord(0);
}

void TNuvDynamicMenu::CheckEntry(int i) const
{
    if (i < 0 || i >= GetCount())
        throw EListError(Format("List index out of bounds (%d)", i));
}

int TNuvDynamicMenu::GetMenuIndex(int i) const
{
    const TMenuItem* item = GetItem(i);
    return item ? item->MenuIndex() : -1;
}

TMenuItem* TNuvDynamicMenu::GetItem(int i) const
{
    CheckEntry(i);
    return records_[static_cast<std::size_t>(i)];
}

int TNuvDynamicMenu::IndexOf(const TMenuItem* item) const
{
    for (std::size_t k = 0; k < records_.size(); ++k) {
        if (records_[k] == item)
            return static_cast<int>(k);
    }
    return -1;
}
