#pragma once
// A component that owns a dynamic menu and an XML document file and exposes the
// menu target, the click handler, a file name and a largest entry count. It has
// no list of its own: the text bookmarks derive from it and fill it.

#include "MenuModel.h"
#include "NuvDynamicMenu.h"
#include "NuvXmlFile.h"

#include <QObject>

#include <memory>
#include <string>

class TNuvDynamicMenuManager : public QObject {
    Q_OBJECT

public:
    explicit TNuvDynamicMenuManager(QObject* owner = nullptr);
    ~TNuvDynamicMenuManager() override;

    // The file of the list, handed on to the XML file.
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& fileName);

    // The menu target; setting one clears the other. Cleared when the menu or
    // item it names is destroyed.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);
    TMenuItem* MenuItem() const { return menuItem_; }
    void SetMenuItem(TMenuItem* item);

    // Largest number of entries a derived list keeps; negative: no limit.
    int MaxCount() const { return maxCount_; }
    void SetMaxCount(int count) { maxCount_ = count; }

    // The handler of every item made from now on.
    const TMenuNotifyEvent& OnMenuClick() const { return onMenuClick_; }
    void SetOnMenuClick(TMenuNotifyEvent handler);

protected:
    // A component is going away: a target it was is cleared.
    virtual void Notification(QObject* component);

    TNuvDynamicMenu& DynamicMenu() { return *dynamicMenu_; }
    TNuvXmlFile& XmlFile() { return *xmlFile_; }

private:
    void Watch(QObject* target);

    std::string fileName_;
    TPopupMenu* popupMenu_ = nullptr;
    TMenuItem* menuItem_ = nullptr;
    int maxCount_ = -1;
    TMenuNotifyEvent onMenuClick_;
    std::unique_ptr<TNuvDynamicMenu> dynamicMenu_;
    std::unique_ptr<TNuvXmlFile> xmlFile_;
    QMetaObject::Connection watch_;
};
