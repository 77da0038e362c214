#pragma once
// The skinned window frame. A TbsSkinForm placed on a top-level window (as its
// QObject child) makes the window frameless and draws its whole frame itself:
// the skin's frame bands, caption, caption buttons and client background, or a
// plain built-in frame without a skin. It cuts the window to the skin's mask,
// keeps the client area as the window's contents margins (so the window's
// layouts and children live in client coordinates), answers what each frame
// point means (caption, sizing border, client, frame object) by moving or
// resizing the window through the window system, runs the caption buttons,
// the caption double click and the system menu, and keeps the window states:
// maximized, minimized, rolled up, in the tray, translucent.
//
// Timers run only while something moves: mouse tracking while the mouse is on
// a frame object, morphing while a look fades, the frame animation while an
// animated object plays on the shown window, the fade-in while it runs.
//
// The frame also runs the window's skinned popup menus: its menu engine
// shows every skinned menu of the window, and the frame hands it its menu
// settings (skin data, fonts, heights, translucency) from the start and at
// every change.

#include "BsFrameGeometry.h"
#include "BsFrameObjects.h"
#include "BsWindowStates.h"
#include "Bsskindata.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;
class TbsSkinDataEvent;
class TbsSkinMenu;
class TbsSkinPopupMenu;
class TPopupMenu;
class TbsTrayIcon;

enum TbsBorderIcon : unsigned {
    biSystemMenu = 1,
    biMinimize = 2,
    biMaximize = 4,
    biRollUp = 8,
    biMinimizeToTray = 16,
};
using TbsBorderIcons = unsigned;

// The window's border style, which the frame reads to know whether the window
// is sizeable, a tool window, or has a border at all.
enum TbsFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

enum TbsWindowState { wsNormal, wsMinimized, wsMaximized };

// Where a window goes when it is restored for the first time.
enum TbsPositionInMonitor { bspDefault, bspScreenCenter, bspDesktopCenter };

// One entry of the frame's default system menu.
enum class TbsSysMenuCommand { Minimize, Maximize, Restore, RollUp, MinimizeToTray, Separator, Close };
struct TbsSystemMenuItem {
    TbsSysMenuCommand Command;
    std::string Name; // "BSF_MINITEM" ...; empty for the separator
    std::string Caption; // with "&" before the accelerator
    std::string ShortCut; // "Alt+F4" for close
};
// The default system menu for a window in the given state; word answers the
// user-interface word of a name ("MI_MINCAPTION" ...).
std::vector<TbsSystemMenuItem> DefaultSystemMenuItems(TbsBorderIcons icons, bool minimized, bool maximized,
    bool rolledUp, const std::function<std::string(const std::string&)>& word);

// A notification-area icon the frame minimizes into.
class TbsTrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TbsTrayIcon(QObject* owner = nullptr)
        : QObject(owner)
    {
    }
    // Told when the application goes into the tray (true) and comes back.
    virtual void SetMinimizedToTray(bool inTray) { inTray_ = inTray; }
    bool MinimizedToTray() const { return inTray_; }
    virtual void ShowIcon() { shown_ = true; }
    virtual void HideIcon() { shown_ = false; }
    bool IconShown() const { return shown_; }

private:
    bool inTray_ = false;
    bool shown_ = false;
};

class TbsSkinForm : public QObject {
    Q_OBJECT
public:
    // owner: the top-level window the frame takes over.
    explicit TbsSkinForm(QWidget* owner);
    ~TbsSkinForm() override;

    QWidget* Window() const { return window_; }
    // The frame of a window, or null.
    static TbsSkinForm* Of(const QWidget* window);

    // --- properties
    TbsSkinData* SkinData() const { return skinData_; }
    void SetSkinData(TbsSkinData* skinData);
    // The skin of the window's popup menus; null means SkinData.
    TbsSkinData* MenusSkinData() const { return menusSkinData_; }
    void SetMenusSkinData(TbsSkinData* skinData);
    TbsBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TbsBorderIcons icons);
    TbsFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TbsFormBorderStyle style);
    bool HideCaptionButtons() const { return hideCaptionButtons_; }
    void SetHideCaptionButtons(bool hide);
    bool DisableSystemMenu() const { return disableSystemMenu_; }
    void SetDisableSystemMenu(bool disable);
    bool AlwaysResize() const { return alwaysResize_; }
    void SetAlwaysResize(bool value) { alwaysResize_ = value; }
    bool ShowIcon() const { return showIcon_; }
    void SetShowIcon(bool show);
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool on);
    int AlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(int value);
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value);
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int value);
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int value);
    int MaxHeight() const { return maxHeight_; }
    void SetMaxHeight(int value);
    int ClientWidth() const { return clientWidth_; }
    void SetClientWidth(int value);
    int ClientHeight() const { return clientHeight_; }
    void SetClientHeight(int value);
    bool Magnetic() const { return magnetic_; }
    void SetMagnetic(bool on) { magnetic_ = on; }
    int MagneticSize() const { return magneticSize_; }
    void SetMagneticSize(int size) { magneticSize_ = size; }

    // The window's popup menus: these reach the menu engine at once.
    bool MenusAlphaBlend() const { return menusAlphaBlend_; }
    void SetMenusAlphaBlend(bool on);
    int MenusAlphaBlendValue() const { return menusAlphaBlendValue_; }
    void SetMenusAlphaBlendValue(int value); // 0..255
    bool MenusAlphaBlendAnimation() const { return menusAlphaBlendAnimation_; }
    void SetMenusAlphaBlendAnimation(bool on);
    const QFont& DefMenuItemFont() const { return defMenuItemFont_; }
    void SetDefMenuItemFont(const QFont& font); // a font without a size is ignored
    int DefMenuItemHeight() const { return defMenuItemHeight_; }
    void SetDefMenuItemHeight(int value); // 0 or less is ignored
    bool UseSkinFontInMenu() const { return useSkinFontInMenu_; }
    void SetUseSkinFontInMenu(bool value);
    int MaxMenuItemsInWindow() const { return maxMenuItemsInWindow_; }
    void SetMaxMenuItemsInWindow(int value); // negative is ignored

    // Plain settings, read when they are used.
    bool UseDefaultSysMenu = true;
    bool UseDefaultObjectHint = true;
    bool ShowObjectHint = false;
    bool AlphaBlendAnimation = false;
    bool MaximizeOnFullScreen = false;
    bool AlwaysMinimizeToTray = false;
    bool AlwaysShowInTray = false;
    QPointer<TbsTrayIcon> TrayIcon;
    QImage LogoBitMap;
    bool LogoBitMapTransparent = false;
    TbsPositionInMonitor PositionInMonitor = bspDefault;
    bool UseFormCursorInNCArea = false;
    QFont DefCaptionFont;
    QFont DefInActiveCaptionFont;
    // Companion controls of the frame; none of the program's windows has them.
    QPointer<QObject> MainMenuBar, MDITabsBar, StatusBar;
    // The program's main window: minimizing it minimizes the whole program.
    bool MainWindow = false;

    // A program's own system menu, shown instead of the default one.
    QPointer<TPopupMenu> SystemMenu;

    // --- events (object events carry the object's IDName)
    std::function<void(QPainter&, const QRect&)> OnCaptionPaint;
    std::function<void()> OnChangeSkinData, OnBeforeChangeSkinData, OnAfterChangeSkinData;
    std::function<void(const std::string&)> OnMouseUpEvent, OnMouseDownEvent, OnMouseMoveEvent,
        OnMouseEnterEvent, OnMouseLeaveEvent;
    std::function<void()> OnPaintEvent, OnActivate, OnDeActivate, OnSkinMenuOpen, OnSkinMenuClose;
    std::function<void()> OnChangeRollUpState, OnMinimizeToTray, OnRestoreFromTray, OnMinimize, OnRestore,
        OnMaximize;
    // Asked whether a custom (command-less) button shows.
    std::function<void(const std::string&, bool& visible)> OnActivateCustomObject;

    // --- commands
    TbsWindowState WindowState() const { return windowState_; }
    void SetWindowState(TbsWindowState state);
    bool RolledUp() const { return rolledUp_; }
    void SetRollUpState(bool rollUp);
    void MinimizeToTray();
    void RestoreFromTray();
    // Shows the system menu with its top-left at global point p.
    void TrackSystemMenu(QPoint p);
    // Runs an item of the default system menu.
    void RunSystemMenuCommand(TbsSysMenuCommand command);
    // The default system menu as it would show now.
    std::vector<TbsSystemMenuItem> SystemMenuItems() const;

    // --- size limits
    int GetMinWidth() const;
    int GetMinHeight() const;
    int GetMaxWidth() const;
    int GetMaxHeight() const;

    // --- state and geometry
    bool Skinned() const { return skinned_; }
    // Skinned and the skin's frame drawing switched on.
    bool SkinFrame() const;
    bool Sizeable() const;
    bool WindowActive() const { return windowActive_; }
    TbsFrameMargins Margins() const;
    // The client rect in window coordinates.
    QRect ClientRect() const;
    std::optional<QRect> RestoreBounds() const { return restoreBounds_; }
    // The hit code of window point p (what the window manager is told).
    TbsHitCode HitTest(QPoint p) const;
    const std::vector<std::unique_ptr<TbsActiveSkinObject>>& Objects() const { return objects_; }
    // The first object of that IDName when it is a T, or null.
    template <typename T = TbsActiveSkinObject> T* FindObject(const std::string& idName) const
    {
        return dynamic_cast<T*>(FindObjectNamed(idName));
    }
    TbsActiveSkinObject* FindObjectNamed(const std::string& idName) const;
    // The object under the mouse (-1 for none).
    int ActiveObject() const { return activeObject_; }
    const QTimer& MouseTimer() const { return mouseTimer_; }
    const QTimer& MorphTimer() const { return morphTimer_; }
    const QTimer& FadeTimer() const { return fadeTimer_; }
    const QTimer& AnimationTimer() const { return animationTimer_; }
    // The skinned menu engine of this window (its pop-up menus show through it).
    TbsSkinMenu* MenuEngine() const { return menuEngine_; }
    // A skinned menu of this window is open: keys go to it.
    bool SkinMenuOpened() const { return skinMenuOpen_; }
    // A skinned menu of this window opens (raises OnSkinMenuOpen) and closes
    // (releases a caption button held down for it, raises OnSkinMenuClose).
    void SkinMenuOpen();
    void SkinMenuClose();
    // The frame as it is painted now, client area left out (for looking at it).
    QImage FrameImage() const;

    // Re-reads the frame from the skin data.
    void ChangeSkinData();
    void BeforeChangeSkinData();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Drag;

    void OnSkinMessage(const TbsSkinDataEvent& event);
    void ApplyCaptionButtonRules();
    void ApplyHints();
    // Hands the menu settings to the menu engine.
    void ApplyMenuSettings();
    void ApplyFrameFlags();
    void ApplySizeLimits();
    void ApplyClientSize();
    void EnforceMinimumSize();
    // Geometry, object places, shape and frame bands of the current size.
    void Recalculate();
    void CalcAllRealObjectRect();
    void UpdateShape();
    // Marks the frame and background pictures for rebuilding before their next use.
    void RebuildFrame();
    void EnsurePictures() const;
    void BuildFramePictures();
    void BuildBackground();
    void RedrawObject(int index);
    void Paint(class QPaintEvent* event);
    TbsFrameDrawContext DrawContext() const;
    std::vector<TbsDefaultButtonWish> DefaultButtonWishes() const;
    bool ToolWindow() const;
    TbsSizeLimitsInput LimitsInput() const;
    TRect ScreenArea(bool fullScreen) const;

    // Mouse over the frame.
    int ObjectAt(QPoint p) const;
    void TrackMouse(QPoint windowPoint);
    void SetActiveObject(int index);
    void StartMorph();
    void MorphStep();
    // Starts the animation timer when a shown animated object plays; one tick moves them on.
    void StartAnimation();
    void AnimationStep();
    void MouseTimerTick();
    bool MousePress(class QMouseEvent* event);
    bool MouseMove(class QMouseEvent* event);
    bool MouseRelease(class QMouseEvent* event);
    bool MouseDoubleClick(class QMouseEvent* event);
    void RunButtonCommand(TbsActiveSkinObject& button);
    void CaptionDoubleClick();
    void StartMove(QPoint globalPress);
    void StartResize(TbsHitCode code, QPoint globalPress);
    void UpdateCursor(TbsHitCode code);

    // Window states.
    void Maximize();
    void Minimize();
    void Restore();
    QRect FirstRestorePlace(const QRect& bounds) const;
    void FadeStep();
    void ShowSystemMenu(QPoint globalPoint);

    QWidget* window_;
    QPointer<TbsSkinData> skinData_;
    QPointer<TbsSkinData> menusSkinData_;
    QMetaObject::Connection skinDataGone_;
    QMetaObject::Connection menusSkinDataGone_;
    TbsBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize | biRollUp;
    TbsFormBorderStyle borderStyle_ = bsSizeable;
    bool hideCaptionButtons_ = false;
    bool disableSystemMenu_ = false;
    bool alwaysResize_ = false;
    bool showIcon_ = false;
    bool alphaBlend_ = false;
    int alphaBlendValue_ = 200;
    int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
    int clientWidth_ = 0, clientHeight_ = 0;
    bool magnetic_ = false;
    int magneticSize_ = 5;
    bool menusAlphaBlend_ = false;
    int menusAlphaBlendValue_ = 200;
    bool menusAlphaBlendAnimation_ = false;
    QFont defMenuItemFont_;
    int defMenuItemHeight_ = 20;
    bool useSkinFontInMenu_ = true;
    int maxMenuItemsInWindow_ = 0;
    bool skinMenuOpen_ = false;

    bool skinned_ = false;
    bool windowActive_ = false;
    TbsWindowState windowState_ = wsNormal;
    bool rolledUp_ = false;
    bool rolledUpWhileMaximized_ = false;
    int rollUpHeight_ = 0;
    std::optional<QRect> restoreBounds_;
    bool firstRestore_ = true;
    bool inTray_ = false;

    std::vector<std::unique_ptr<TbsActiveSkinObject>> objects_;
    int activeObject_ = -1;
    int oldActiveObject_ = -1;
    int pressedObject_ = -1;

    TbsFrameSkin frameSkin_;
    TbsFrameGeometry geometry_;
    TbsFrameShape shape_;
    struct ShapeKey {
        int Width = -1, Height = -1;
        bool Border = false;
        std::uint64_t Skin = 0;
        bool operator==(const ShapeKey&) const = default;
    };
    ShapeKey shapeKey_; // what shape_ was cut for
    std::uint64_t skinGeneration_ = 0; // counts the frame's re-reads of the skin
    QImage picture_; // the main frame picture of the loaded skin
    TbsBorderImages bands_;
    QImage background_;
    QImage defaultFrame_; // the built-in frame, whole window
    bool frameValid_ = false;
    mutable bool picturesStale_ = true;

    QTimer mouseTimer_;
    QTimer morphTimer_;
    QTimer fadeTimer_;
    QTimer animationTimer_;
    int fadeValue_ = 0;

    TbsSkinMenu* menuEngine_;
    TbsSkinPopupMenu* sysMenu_;
    std::unique_ptr<Drag> drag_;
    bool cursorSet_ = false;
    TbsMagneticSnap snap_;
};
