#include "NuvHistory.h"

#include "Exception.h"
#include "Format.h"
#include "NuvFiles.h"
#include "NuvSaveFile.h"

#include <sys/stat.h>

TNuvHistory::TNuvHistory(QObject* owner)
    : QObject(owner)
    , dynamicMenu_(std::make_unique<TNuvDynamicMenu>())
{
}

TNuvHistory::~TNuvHistory()
{
    disconnect(watch_);
}

void TNuvHistory::SetPopupMenu(TPopupMenu* menu)
{
    popupMenu_ = menu;
    dynamicMenu_->SetPopupMenu(menu);
    menuItem_ = dynamicMenu_->MenuItem();
    Watch(popupMenu_ ? static_cast<QObject*>(popupMenu_) : menuItem_);
}

void TNuvHistory::SetMenuItem(TMenuItem* item)
{
    menuItem_ = item;
    dynamicMenu_->SetMenuItem(item);
    popupMenu_ = dynamicMenu_->PopupMenu();
    Watch(menuItem_ ? static_cast<QObject*>(menuItem_) : popupMenu_);
}

void TNuvHistory::Notification(QObject* component)
{
    if (component == nullptr)
        return;
    if (component == popupMenu_)
        SetPopupMenu(nullptr);
    if (component == menuItem_)
        SetMenuItem(nullptr);
}

void TNuvHistory::Watch(QObject* target)
{
    disconnect(watch_);
    if (target != nullptr)
        watch_ = connect(target, &QObject::destroyed, this, [this](QObject* gone) { Notification(gone); });
}

void TNuvHistory::RemoveOldest()
{
    if (entries_.empty())
        throw EListError(Format("List index out of bounds (%d)", 0));
    const int record = dynamicMenu_->IndexOf(items_.front());
    if (record >= 0)
        dynamicMenu_->DeleteRecord(record);
    entries_.erase(entries_.begin());
    items_.erase(items_.begin());
}

TMenuItem* TNuvHistory::AddMenu(const std::string& s)
{
    if (static_cast<int>(entries_.size()) >= maxCount_)
        RemoveOldest();
    entries_.push_back(s);
    TMenuItem* item = dynamicMenu_->Add(s);
    items_.emplace_back(item);
    return item;
}

void TNuvHistory::AddMenus(const std::vector<std::string>& list)
{
    for (const std::string& s : list)
        AddMenu(s);
    Save();
}

void TNuvHistory::Load()
{
    struct stat info { };
    if (::stat(fileName_.c_str(), &info) != 0)
        return;
    std::string bytes;
    if (nuv::ReadWholeFile(fileName_, bytes) != nuv::FileRead::Done)
        throw EFOpenError(Format("Cannot open file %s", fileName_.c_str()));

    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.push_back(bytes.substr(start));

    while (!entries_.empty())
        RemoveOldest();
    AddMenus(lines);
}

void TNuvHistory::Save()
{
    std::string bytes;
    for (const std::string& entry : entries_) {
        bytes += entry;
        bytes += "\r\n";
    }
    nuv::ReplaceFileOrThrow(fileName_, bytes);
}
