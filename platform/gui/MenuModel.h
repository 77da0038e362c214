#pragma once
// The menu objects windows place: menu items holding sub-items, and popup
// menus with a root item list. They carry data and one click handler each;
// drawing is someone else's: a popup menu shows through a presenter that can
// be installed (the skinned menus install theirs), else through the default
// presenter, which the application installs (the plain QMenu one of
// QMenuPresenter.h, on Qt Widgets). The model itself needs Qt Gui only.
//
// Texts are 8-bit program text (GBK bytes); captions mark their accelerator
// with "&" ("&&" is a literal ampersand); a caption of "-" is a separator.
//
// Ownership: a menu item is a QObject; its QObject parent is its owner, which
// destroys it. Being in a menu is a separate relation: Add and Insert put an
// item into a parent's list (an item without owner becomes owned by that
// parent), Delete and Remove take it out again without destroying it, and
// destroying an item takes it out of its parent's list and destroys the items
// of its own list.

#include "Exception.h"

#include <QImage>
#include <QKeySequence>
#include <QObject>
#include <QPoint>
#include <QRect>

#include <functional>
#include <string>
#include <vector>

class QPainter;
class TMenuItem;
class TPopupMenu;

// A menu list operation with a bad index or item ("Menu index out of range",
// "Menu inserted twice").
class EMenuError : public Exception {
    using Exception::Exception;
};

// A click or popup handler: one kept function, given the sender.
using TMenuNotifyEvent = std::function<void(QObject* sender)>;
// A handler that draws an item itself: the item, the painter, the item's rect
// and whether it is highlighted.
using TMenuDrawItemEvent
    = std::function<void(TMenuItem* item, QPainter& painter, const QRect& rect, bool selected)>;

class TMenuItem : public QObject {
    Q_OBJECT
public:
    explicit TMenuItem(QObject* owner = nullptr);
    ~TMenuItem() override;

    // Caption with "&" accelerator; "-" makes a separator.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    bool IsLine() const { return caption_ == "-"; }
    // The accelerator character after a single "&" (upper-cased for ASCII
    // letters), or 0 when the caption has none.
    char Accelerator() const;
    // The caption without its accelerator marks ("&&" becomes "&").
    std::string StrippedCaption() const;

    // The component name ("mmHide"); the skinned menus draw some names, such
    // as "BSF_CLOSE", with built-in pictures.
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }

    bool Checked() const { return checked_; }
    // Checking a radio item clears the check marks of the other radio items
    // of its group (same GroupIndex) under the same parent.
    void SetChecked(bool checked);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool radio);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index) { groupIndex_ = index; }
    // A click toggles the check mark (a radio item: sets it) before the handler runs.
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool on) { autoCheck_ = on; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    bool Default() const { return default_; }
    void SetDefault(bool on) { default_ = on; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }

    // Short cut: the key and its text ("Ctrl+S"). Setting the key sets the
    // text as Qt spells it; the text may be set alone for a display-only one.
    QKeySequence ShortCut() const { return shortCut_; }
    void SetShortCut(const QKeySequence& key);
    const std::string& ShortCutText() const { return shortCutText_; }
    void SetShortCutText(const std::string& text) { shortCutText_ = text; }

    // The item's own picture; null when it has none.
    const QImage& Bitmap() const { return bitmap_; }
    void SetBitmap(const QImage& bitmap) { bitmap_ = bitmap; }
    // Index into the popup menu's image list; -1: none.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index) { imageIndex_ = index; }

    // The click handler, run by Click.
    const TMenuNotifyEvent& OnClick() const { return onClick_; }
    void SetOnClick(TMenuNotifyEvent handler) { onClick_ = std::move(handler); }
    // When set, menus call it instead of drawing the item themselves.
    const TMenuDrawItemEvent& OnDrawItem() const { return onDrawItem_; }
    void SetOnDrawItem(TMenuDrawItemEvent handler) { onDrawItem_ = std::move(handler); }

    // Runs the click as the user's choice does: a disabled item does nothing;
    // otherwise AutoCheck first, then the handler with this item as sender.
    void Click();

    // Sub-items.
    int Count() const { return static_cast<int>(items_.size()); }
    // Checked access; EMenuError "Menu index out of range" outside 0..Count-1.
    TMenuItem* Items(int index) const;
    // Appends; EMenuError "Menu inserted twice" when the item is in a menu already.
    void Add(TMenuItem* item);
    // Inserts before index (0..Count); errors as Add, and for a bad index.
    void Insert(int index, TMenuItem* item);
    // Takes the item at index out of the list; it is not destroyed.
    void Delete(int index);
    // Takes item out of the list when it is there; it is not destroyed.
    void Remove(TMenuItem* item);
    // Destroys every sub-item.
    void Clear();
    // Position of item in the list, or -1.
    int IndexOf(const TMenuItem* item) const;
    // The first sub-item whose caption, without accelerator marks, equals
    // caption (accelerator marks in caption are ignored too), or null.
    TMenuItem* Find(const std::string& caption) const;
    // Whether any visible sub-item exists.
    bool HasVisibleItems() const;

    // The item this one is listed under, or null.
    TMenuItem* Parent() const { return parent_; }
    // Position in the parent's list, or -1 without parent.
    int MenuIndex() const;
    // Moves the item within its parent (clamped to the list); nothing without parent.
    void SetMenuIndex(int index);

    // The popup menu whose root list this item is (set for root items only).
    TPopupMenu* Menu() const { return menu_; }

private:
    friend class TPopupMenu;
    void Detach(int index);

    std::string caption_;
    std::string name_;
    bool checked_ = false;
    bool radioItem_ = false;
    int groupIndex_ = 0;
    bool autoCheck_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool default_ = false;
    int tag_ = 0;
    std::string hint_;
    QKeySequence shortCut_;
    std::string shortCutText_;
    QImage bitmap_;
    int imageIndex_ = -1;
    TMenuNotifyEvent onClick_;
    TMenuDrawItemEvent onDrawItem_;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TPopupMenu* menu_ = nullptr;
};

// Shows a popup menu. One may be installed per menu or for every menu.
class TMenuPresenter {
public:
    virtual ~TMenuPresenter() = default;
    // Shows menu at the screen point; returns at once, the menu stays open.
    virtual void Present(TPopupMenu& menu, const QPoint& screenPoint) = 0;
};

class TPopupMenu : public QObject {
    Q_OBJECT
public:
    explicit TPopupMenu(QObject* owner = nullptr);
    ~TPopupMenu() override;

    // The root item; its sub-items are the menu's top-level items.
    TMenuItem* Items() const { return root_; }

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    // Whether a right click on the control the menu belongs to pops it up.
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool on) { autoPopup_ = on; }
    // Whether accelerators are added to captions automatically (never done
    // here: captions always show as written).
    bool AutoHotkeys() const { return autoHotkeys_; }
    void SetAutoHotkeys(bool on) { autoHotkeys_ = on; }
    // Whether redundant separators are left out when the menu is shown.
    bool AutoLineReduction() const { return autoLineReduction_; }
    void SetAutoLineReduction(bool on) { autoLineReduction_ = on; }
    // The component that last popped the menu (set by the caller), or null.
    QObject* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(QObject* component) { popupComponent_ = component; }
    // The point of the last popup; (-1, -1) before the first.
    QPoint PopupPoint() const { return popupPoint_; }

    // The image list items refer to with their ImageIndex; all of one size.
    const std::vector<QImage>& Images() const { return images_; }
    void SetImages(std::vector<QImage> images) { images_ = std::move(images); }

    // Raised by Popup before the menu shows.
    const TMenuNotifyEvent& OnPopup() const { return onPopup_; }
    void SetOnPopup(TMenuNotifyEvent handler) { onPopup_ = std::move(handler); }

    // Pops the menu up at the screen point: remembers the point, raises
    // OnPopup, then shows the menu through this menu's presenter, else the
    // default presenter; with neither it is not shown. Returns at once.
    virtual void Popup(int x, int y);

    // This menu's presenter (not owned), or null.
    TMenuPresenter* Presenter() const { return presenter_; }
    void SetPresenter(TMenuPresenter* presenter) { presenter_ = presenter; }
    // The presenter of every menu without its own (not owned), or null.
    // Setting it answers the one it replaces.
    static TMenuPresenter* DefaultPresenter();
    static TMenuPresenter* SetDefaultPresenter(TMenuPresenter* presenter);

protected:
    void SetPopupPoint(const QPoint& point) { popupPoint_ = point; }

private:
    TMenuItem* root_;
    std::string name_;
    bool autoPopup_ = true;
    bool autoHotkeys_ = true;
    bool autoLineReduction_ = true;
    QObject* popupComponent_ = nullptr;
    QPoint popupPoint_ { -1, -1 };
    std::vector<QImage> images_;
    TMenuNotifyEvent onPopup_;
    TMenuPresenter* presenter_ = nullptr;
};

// The visible sub-items of item, with redundant separators left out when
// reduce is set (leading, trailing and repeated ones).
std::vector<TMenuItem*> ShownMenuItems(const TMenuItem& item, bool reduce);
