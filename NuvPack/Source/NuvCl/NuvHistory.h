#pragma once
// A bounded list of recently used texts (file names, search terms), shown as
// menu items in the same order and kept in a text file, one entry a line, oldest
// first. A form points PopupMenu or MenuItem at the menu, sets FileName and
// MaxCount, calls Load at start and AddMenu at each use, and reads the clicked
// item's caption (the sender) in OnMenuClick.

#include "MenuModel.h"
#include "NuvDynamicMenu.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class TNuvHistory : public QObject {
    Q_OBJECT

public:
    explicit TNuvHistory(QObject* owner = nullptr);
    ~TNuvHistory() override;

    // The menu target; setting one clears the other. Cleared when the menu or
    // item it names is destroyed.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);
    TMenuItem* MenuItem() const { return menuItem_; }
    void SetMenuItem(TMenuItem* item);

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& fileName) { fileName_ = fileName; }

    // Largest number of entries kept; must be 1 or more before entries are added.
    int MaxCount() const { return maxCount_; }
    void SetMaxCount(int count) { maxCount_ = count; }

    // The handler of every item made from now on.
    TMenuNotifyEvent GetOnMenuClick() const { return dynamicMenu_->OnClick; }
    void SetOnMenuClick(TMenuNotifyEvent handler) { dynamicMenu_->OnClick = std::move(handler); }

    // The entries, oldest first.
    const std::vector<std::string>& Entries() const { return entries_; }

    // Appends `s` and its menu item (no check for duplicates), first removing the
    // oldest entry and its item when MaxCount entries are there already. With
    // MaxCount 0 or less on an empty list: EListError "List index out of bounds
    // (0)" and nothing is added. Returns the new item.
    TMenuItem* AddMenu(const std::string& s);
    // AddMenu for each text in order, then Save.
    void AddMenus(const std::vector<std::string>& list);
    // Replaces the entries with the file's lines (CR LF, CR or LF end a line)
    // through AddMenus, so the file keeps only the last MaxCount lines. A missing
    // file changes nothing; one that cannot be read raises EFOpenError.
    void Load();
    // Writes the entries to FileName, each line ended by CR LF, replacing the
    // file safely; EFCreateError when it cannot be written.
    void Save();

protected:
    // A component is going away: a target it was is cleared.
    virtual void Notification(QObject* component);

private:
    void RemoveOldest();
    void Watch(QObject* target);

    TPopupMenu* popupMenu_ = nullptr;
    TMenuItem* menuItem_ = nullptr;
    std::string fileName_;
    int maxCount_ = 0;
    std::vector<std::string> entries_;
    // The item of each entry, in the same order: the record of the dynamic menu
    // is not in creation order once an entry was removed.
    std::vector<QPointer<TMenuItem>> items_;
    std::unique_ptr<TNuvDynamicMenu> dynamicMenu_;
    QMetaObject::Connection watch_;
};
