#pragma once
// Skinned popup menus: the menus of the menu model drawn in a chain of
// borderless popup windows, one per open level, each painted from the skin's
// pop-up window picture and its "menuitem" skin object (or a built-in look
// without a skin), with mouse tracking, keys, the sub-menu delay, scrolling of
// long menus, morphing items and fading.
//
//   TbsSkinPopupMenu    the popup menu a window places; presents itself
//   TbsSkinMenu         the engine: the open windows of one popup, one per frame
//   TbsSkinPopupWindow  one open level
//   TbsSkinMenuItem     one shown item of a level
//
// Windows keep copies of the skin values they draw with, never pointers into
// the skin data, and read them again when the skin data announces a change.

#include "Bsskindata.h"
#include "MenuModel.h"

#include <QEvent>
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TbsSkinMenu;
class TbsSkinPopupWindow;

// Notices the engine sends (as events of type QEvent::User + message, like the
// skin data's announcements): the menu closed, to the frame's form and to the
// control that opened it; a command ran, to that control.
constexpr int SKIN_MSG_CLOSE_MENU = 1228;
constexpr int SKIN_MSG_AFTER_DISPATCH = 1229;

class TbsSkinMenuEvent : public QEvent {
public:
    explicit TbsSkinMenuEvent(int message)
        : QEvent(TypeOf(message))
        , message_(message)
    {
    }
    static QEvent::Type TypeOf(int message) { return static_cast<QEvent::Type>(QEvent::User + message); }
    int Message() const { return message_; }

private:
    int message_;
};

// One shown item of a popup window.
class TbsSkinMenuItem {
public:
    TbsSkinMenuItem(TbsSkinPopupWindow* window, TMenuItem* menuItem)
        : Window(window)
        , MenuItem(menuItem)
    {
    }

    TbsSkinPopupWindow* Window;
    QPointer<TMenuItem> MenuItem; // null once the model item is gone
    bool Active = false;
    bool Down = false; // its sub-menu is open
    bool WaitCommand = false;
    bool Visible = false; // inside the visible range
    QRect Rect; // in the window
    double MorphKf = 0;
    int AnimationFrame = 0; // 0: none; 1..framecount while animating

    bool IsLine() const { return !MenuItem || MenuItem->IsLine(); }
    bool Enabled() const { return MenuItem && MenuItem->Enabled(); }
    bool HasSubItems() const { return MenuItem && MenuItem->HasVisibleItems(); }
    // Enabled and not a separator: can be highlighted and chosen.
    bool Selectable() const { return Enabled() && !IsLine(); }
};

class TbsSkinPopupWindow : public QWidget {
    Q_OBJECT
public:
    TbsSkinPopupWindow(TbsSkinMenu* menu, TbsSkinData* skinData);
    ~TbsSkinPopupWindow() override;

    // Builds the items of item's visible sub-items from startIndex, sizes and
    // places the window next to r (screen coordinates) and shows it.
    void Show(const QRect& r, TMenuItem* item, int startIndex, bool subMenu, bool up);
    // Hides without activation and stops the timers.
    void Hide();
    // A key while this is the innermost window (Qt key codes).
    void PopupKeyDown(int key);

    // --- state, for the engine and tests
    TMenuItem* ParentItem() const { return parentItem_; }
    int ItemCount() const { return static_cast<int>(items_.size()); }
    TbsSkinMenuItem& Item(int index) { return *items_[static_cast<size_t>(index)]; }
    int ActiveItem() const { return activeItem_; }
    int VisibleStartIndex() const { return visibleStart_; }
    int VisibleCount() const { return visibleCount_; }
    bool Scroll() const { return scroll_; }
    int ScrollCode() const { return scrollCode_; }
    QRect ItemsRect() const { return itemsRect_; }
    bool HasWindowSkin() const;
    bool HasItemSkin() const;
    // The off-screen picture last painted (the whole window).
    const QImage& Buffer() const { return buffer_; }
    // The index of the shown item for model item, or -1.
    int IndexOf(const TMenuItem* item) const;

    // Mouse at a point in this window (from the engine, which finds the
    // window under the cursor).
    void MouseMoveAt(const QPoint& pos);
    void MouseReleaseAt(const QPoint& pos, Qt::MouseButton button);
    // The cursor left every window of the menu.
    void MouseLeftWindow();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    friend class TbsSkinMenu;
    struct SkinValues;

    void ReadSkin();
    void CreateMenu(TMenuItem* item, int startIndex);
    void CalcSize();
    void CalcItemRects();
    void RebuildBackground();
    void RenderBuffer();
    QImage ItemPicture(const TbsSkinMenuItem& item, bool active) const;
    QImage ScrollAreaPicture(const QRect& area, bool up) const;
    void Redraw();
    int ItemAt(const QPoint& pos) const;
    void SetActive(int index, bool byKey);
    void MouseEnter(int index, bool byKey);
    void MouseLeave(int index);
    void NextItem(int step);
    void EnsureVisible(int index, bool wrapped);
    void StartScroll(int code);
    void StopScroll();
    void ScrollTick();
    void TrackMouse();
    void MorphTick();
    bool ItemMorphs() const;
    void StartMorph();

    TbsSkinMenu* menu_;
    QPointer<TbsSkinData> skinData_;
    std::unique_ptr<SkinValues> skin_; // copies, read again on a skin change

    TMenuItem* parentItem_ = nullptr;
    QPointer<TMenuItem> parentGuard_;
    std::vector<std::unique_ptr<TbsSkinMenuItem>> items_;
    int activeItem_ = -1;
    int oldActiveItem_ = -1;
    int visibleStart_ = 0;
    int visibleCount_ = 0;
    bool scroll_ = false;
    bool scroll2_ = false;
    int scrollCode_ = 0;
    QRect itemsRect_;
    int glyphWidth_ = 19;
    bool hasImages_ = false;
    QFont font_;
    QImage background_; // window background (items area filled only when scrolling)
    QImage paintBuffer_; // background with the items area, for transparent items
    QImage buffer_; // the last painted picture
    QRegion region_;
    QTimer mouseTimer_;
    QTimer morphTimer_;
    QTimer scrollTimer_;
    QPoint lastCursor_ { -100000, -100000 };
    bool subMenu_ = false;
    bool up_ = false;
    QRect request_;
    int startIndex_ = 0;
    bool closingByEngine_ = false;
};

class TbsSkinMenu : public QObject {
    Q_OBJECT
public:
    // form: the window whose frame owns this engine (may be null); the engine
    // is its child then, which is how popup menus find it.
    explicit TbsSkinMenu(QWidget* form = nullptr);
    ~TbsSkinMenu() override;

    // The engine of form's frame: a direct child TbsSkinMenu, or null.
    static TbsSkinMenu* FindIn(QObject* form);

    QWidget* Form() const { return form_; }

    // Opens the first level: item's sub-items from startIndex next to rect
    // (screen coordinates). control: who opened it (null for a plain popup).
    // images: the image list items' ImageIndex refers to; reduce: leave out
    // redundant separators.
    void Popup(QObject* control, TbsSkinData* skinData, int startIndex, const QRect& rect, TMenuItem* item,
        bool up, const std::vector<QImage>& images = {}, bool reduce = false);
    void PopupSub(const QRect& rect, TMenuItem* item, int startIndex, bool subMenu, bool up);
    // Destroys the windows from level on; level 0 closes the menu.
    void CloseMenu(int level);
    // Closes the whole menu and tells the form.
    void Hide();
    // Chooses (choose) or highlights item of window.
    void CheckItem(TbsSkinPopupWindow* window, TbsSkinMenuItem* item, bool byKey, bool choose);

    bool Visible() const { return visible_; }
    int Count() const { return static_cast<int>(windows_.size()); }
    TbsSkinPopupWindow* Window(int level) const { return windows_[static_cast<size_t>(level)]; }
    int LevelOf(const TbsSkinPopupWindow* window) const;
    // The window under a screen point, or null.
    TbsSkinPopupWindow* WindowAt(const QPoint& globalPos) const;
    QObject* DispatchControl() const { return dispatchControl_; }
    TbsSkinData* SkinData() const { return skinData_; }
    QRect WorkArea() const { return workArea_; }
    const std::vector<QImage>& Images() const { return images_; }
    bool ReduceLines() const { return reduceLines_; }
    bool First() const { return first_; }

    // --- settings (the frame forwards its own)
    int MaxMenuItemsInWindow = 0; // 0: no limit
    bool UseSkinFont = true;
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    int AlphaBlendValue = 150;
    int DefaultMenuItemHeight = 20;
    QFont DefaultMenuItemFont; // Arial, 14 pixels
    // The skin data the frame gives menus that have none (its MenusSkinData,
    // else its SkinData); a popup menu takes it for good at its first popup.
    QPointer<TbsSkinData> MenusSkinData;
    // The work area used when none is given: the screen's available geometry.
    // Tests and callers may fix it.
    std::optional<QRect> FixedWorkArea;

    // One-shot: raised once when the menu closes, then cleared.
    TMenuNotifyEvent OnMenuClose;
    // Raised when a popup opens a menu that was not open (the frame's SkinMenuOpen).
    std::function<void()> OnMenuOpen;

    // The item whose sub-menu waits to open, and the delay.
    TbsSkinMenuItem* WaitingItem() const { return waitingItem_; }
    void StartWait(TbsSkinMenuItem* item);
    void StopWait(const TbsSkinMenuItem* item = nullptr);

private:
    void WaitTimeout();
    void SendNotice(QObject* to, int message);
    QRect TakeWorkArea(const QRect& rect) const;

    QPointer<QWidget> form_;
    std::vector<TbsSkinPopupWindow*> windows_;
    std::vector<QPointer<TbsSkinPopupWindow>> closing_; // hidden, awaiting deletion
    bool visible_ = false;
    bool first_ = false;
    QPointer<QObject> popupControl_;
    QPointer<QObject> dispatchControl_;
    QPointer<TbsSkinData> skinData_;
    QRect workArea_;
    std::vector<QImage> images_;
    bool reduceLines_ = false;
    QTimer waitTimer_;
    TbsSkinMenuItem* waitingItem_ = nullptr;
};

// A popup menu shown by the skinned menu engine of its window's frame.
class TbsSkinPopupMenu : public TPopupMenu, public TMenuPresenter {
    Q_OBJECT
public:
    explicit TbsSkinPopupMenu(QObject* owner = nullptr);
    ~TbsSkinPopupMenu() override;

    TbsSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TbsSkinData* skinData) { skinData_ = skinData; }
    // For the frame's system menu: the form whose frame must show it.
    QWidget* Form() const { return form_; }
    void SetForm(QWidget* form) { form_ = form; }
    // Raised once when the menu closes.
    const TMenuNotifyEvent& OnMenuClose() const { return onMenuClose_; }
    void SetOnMenuClose(TMenuNotifyEvent handler) { onMenuClose_ = std::move(handler); }

    // Pops up at the screen point (as TPopupMenu::Popup, which lands here).
    using TPopupMenu::Popup;
    // Pops up next to a screen rect; up prefers the space above it.
    void PopupFromRect(const QRect& rect, bool up);
    // The same with the control that opens the menu; nothing without skin data.
    void Popup2(QObject* control, int x, int y);
    void PopupFromRect2(QObject* control, const QRect& rect, bool up);

    // The engine that shows this menu: the frame's of the designated form,
    // the owner or the owner's owner; else the menu's own.
    TbsSkinMenu* Engine();

    void Present(TPopupMenu& menu, const QPoint& screenPoint) override;

private:
    void Show(QObject* control, const QRect& rect, bool up);

    QPointer<TbsSkinData> skinData_;
    QPointer<QWidget> form_;
    TMenuNotifyEvent onMenuClose_;
    TbsSkinMenu* ownEngine_ = nullptr;
};

// Shows plain popup menus (those that are no TbsSkinPopupMenu) skinned: the
// engine of the menu owner's frame when there is one, else an engine of its
// own, with this presenter's skin data when the frame gives none. Install it
// with TPopupMenu::SetDefaultPresenter.
class TbsSkinMenuPresenter : public QObject, public TMenuPresenter {
    Q_OBJECT
public:
    explicit TbsSkinMenuPresenter(TbsSkinData* skinData = nullptr, QObject* owner = nullptr);

    TbsSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TbsSkinData* skinData) { skinData_ = skinData; }
    TbsSkinMenu* OwnEngine() const { return ownEngine_; }

    void Present(TPopupMenu& menu, const QPoint& screenPoint) override;

private:
    QPointer<TbsSkinData> skinData_;
    TbsSkinMenu* ownEngine_;
};

// The engine of the frame of form, of owner (when it is a window) or of
// owner's owner (when that is a window); null when none has one.
TbsSkinMenu* FindFrameMenuEngine(QObject* form, QObject* owner);
