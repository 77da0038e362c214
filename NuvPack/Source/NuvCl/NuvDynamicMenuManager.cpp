#include "NuvDynamicMenuManager.h"

TNuvDynamicMenuManager::TNuvDynamicMenuManager(QObject* owner)
    : QObject(owner)
    , dynamicMenu_(std::make_unique<TNuvDynamicMenu>())
    , xmlFile_(std::make_unique<TNuvXmlFile>())
{
}

TNuvDynamicMenuManager::~TNuvDynamicMenuManager()
{
    disconnect(watch_);
}

void TNuvDynamicMenuManager::SetFileName(const std::string& fileName)
{
    fileName_ = fileName;
    xmlFile_->FileName = fileName;
}

void TNuvDynamicMenuManager::SetPopupMenu(TPopupMenu* menu)
{
    popupMenu_ = menu;
    dynamicMenu_->SetPopupMenu(menu);
    menuItem_ = dynamicMenu_->MenuItem();
    Watch(popupMenu_ ? static_cast<QObject*>(popupMenu_) : menuItem_);
}

void TNuvDynamicMenuManager::SetMenuItem(TMenuItem* item)
{
    menuItem_ = item;
    dynamicMenu_->SetMenuItem(item);
    popupMenu_ = dynamicMenu_->PopupMenu();
    Watch(menuItem_ ? static_cast<QObject*>(menuItem_) : popupMenu_);
}

void TNuvDynamicMenuManager::SetOnMenuClick(TMenuNotifyEvent handler)
{
    dynamicMenu_->OnClick = handler;
    onMenuClick_ = std::move(handler);
}

void TNuvDynamicMenuManager::Notification(QObject* component)
{
    if (component == nullptr)
        return;
    if (component == popupMenu_)
        SetPopupMenu(nullptr);
    if (component == menuItem_)
        SetMenuItem(nullptr);
}

void TNuvDynamicMenuManager::Watch(QObject* target)
{
    disconnect(watch_);
    if (target != nullptr)
        watch_ = connect(target, &QObject::destroyed, this, [this](QObject* gone) { Notification(gone); });
}
