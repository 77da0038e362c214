#include "QtWindowSystem.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

QScreen* ScreenOf(const QWidget* window)
{
    if (window) {
        if (QScreen* screen = window->screen())
            return screen;
    }
    return QGuiApplication::primaryScreen();
}

// Changing window flags hides a window; a visible one is shown again.
void SetFlag(QWidget* window, Qt::WindowType flag, bool on)
{
    if (window->windowFlags().testFlag(flag) == on)
        return;
    const bool visible = window->isVisible();
    window->setWindowFlag(flag, on);
    if (visible)
        window->show();
}

QWindow* HandleOf(QWidget* window)
{
    if (!window)
        return nullptr;
    window->winId(); // makes the native window when there is none yet
    return window->windowHandle();
}

// The X connection when the program runs on X11, else null.
xcb_connection_t* XConnection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie
        = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::char_traits<char>::length(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

xcb_window_t RootOf(xcb_connection_t* connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// The workspace shown now (_NET_CURRENT_DESKTOP of the root window), 0 when unknown.
uint32_t CurrentDesktop(xcb_connection_t* connection)
{
    const xcb_get_property_cookie_t cookie = xcb_get_property(
        connection, 0, RootOf(connection), Atom(connection, "_NET_CURRENT_DESKTOP"), XCB_ATOM_CARDINAL, 0, 1);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    uint32_t desktop = 0;
    if (reply && xcb_get_property_value_length(reply) >= 4)
        desktop = *static_cast<const uint32_t*>(xcb_get_property_value(reply));
    std::free(reply);
    return desktop;
}

constexpr uint32_t allDesktops = 0xFFFFFFFF;
constexpr const char* allDesktopsProperty = "qelvoOnAllDesktops";
constexpr const char* skipTaskbarProperty = "qelvoSkipTaskbar";
constexpr const char* keeperProperty = "qelvoStateKeeper";

// Asks the window manager to add or remove the taskbar and pager states of a
// mapped window (EWMH); a tool window alone is no taskbar state for every
// manager and pager. Before the window is mapped nothing is sent: the keeper
// below sends it once the window is shown.
void SendSkipTaskbar(QWindow* handle, bool on)
{
    xcb_connection_t* connection = XConnection();
    if (!connection || !handle || !handle->isVisible())
        return;
    xcb_client_message_event_t event {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(handle->winId());
    event.type = Atom(connection, "_NET_WM_STATE");
    event.data.data32[0] = on ? 1 : 0; // 1: add, 0: remove
    event.data.data32[1] = Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    event.data.data32[2] = Atom(connection, "_NET_WM_STATE_SKIP_PAGER");
    event.data.data32[3] = 1; // source: an ordinary application
    xcb_send_event(connection, 0, RootOf(connection),
        XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char*>(&event));
    xcb_flush(connection);
}

// Asks the window manager for window's workspace: all, or the current one.
// The property is what the manager reads when the window is mapped; a mapped
// window is moved through a message to the root window (EWMH).
void SendDesktop(QWindow* handle, bool all)
{
    xcb_connection_t* connection = XConnection();
    if (!connection || !handle)
        return;
    // The platform window's id: QWidget::winId can name a native window that
    // changing the window flags replaced.
    const auto id = static_cast<xcb_window_t>(handle->winId());
    const xcb_atom_t desktopAtom = Atom(connection, "_NET_WM_DESKTOP");
    const uint32_t desktop = all ? allDesktops : CurrentDesktop(connection);
    // Not mapped yet (as when the widget's show event runs): the property.
    if (!handle->isVisible()) {
        if (all)
            xcb_change_property(
                connection, XCB_PROP_MODE_REPLACE, id, desktopAtom, XCB_ATOM_CARDINAL, 32, 1, &desktop);
        else
            xcb_delete_property(connection, id, desktopAtom);
        xcb_flush(connection);
        return;
    }
    const xcb_atom_t stateAtom = Atom(connection, "_NET_WM_STATE");
    const xcb_atom_t stickyAtom = Atom(connection, "_NET_WM_STATE_STICKY");
    auto send = [&](xcb_atom_t type, uint32_t d0, uint32_t d1) {
        xcb_client_message_event_t event {};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = id;
        event.type = type;
        event.data.data32[0] = d0;
        event.data.data32[1] = d1;
        event.data.data32[3] = 1; // source: an ordinary application
        xcb_send_event(connection, 0, RootOf(connection),
            XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
            reinterpret_cast<const char*>(&event));
    };
    send(desktopAtom, desktop, 1);
    send(stateAtom, all ? 1 : 0, stickyAtom); // 1: add, 0: remove
    xcb_flush(connection);
}

// Sets the workspace wish (and the no-taskbar wish) again each time the
// window is shown: a manager forgets the workspace and states of a window
// that was unmapped. The property goes on
// before the window is mapped; since a manager may still be forgetting the
// previous mapping then (a flag change unmaps and maps at once), the wish is
// sent once more when the mapped window is first exposed.
class AllDesktopsKeeper : public QObject {
public:
    explicit AllDesktopsKeeper(QWidget* window)
        : QObject(window)
        , window_(window)
    {
        window->setProperty(keeperProperty, true);
        window->installEventFilter(this);
        Watch(HandleOf(window));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!window_)
            return false;
        const bool all = window_->property(allDesktopsProperty).toBool();
        const bool skip = window_->property(skipTaskbarProperty).toBool();
        if (!all && !skip)
            return false;
        if (watched == window_ && event->type() == QEvent::Show) {
            Watch(window_->windowHandle());
            if (all)
                SendDesktop(handle_, true);
            exposePending_ = true;
        } else if (watched == handle_ && event->type() == QEvent::Expose && exposePending_
            && handle_->isExposed()) {
            exposePending_ = false;
            if (all)
                SendDesktop(handle_, true);
            if (skip)
                SendSkipTaskbar(handle_, true);
        }
        return false;
    }

private:
    void Watch(QWindow* handle)
    {
        if (!handle || handle == handle_)
            return;
        if (handle_)
            handle_->removeEventFilter(this);
        handle_ = handle;
        handle->installEventFilter(this);
    }

    QPointer<QWidget> window_;
    QPointer<QWindow> handle_;
    bool exposePending_ = false;
};

} // namespace

bool QtWindowSystem::StartSystemMove(QWidget* window)
{
    QWindow* handle = HandleOf(window);
    return handle && handle->startSystemMove();
}

bool QtWindowSystem::StartSystemResize(QWidget* window, Qt::Edges edges)
{
    QWindow* handle = HandleOf(window);
    return handle && handle->startSystemResize(edges);
}

void QtWindowSystem::SetShape(QWidget* window, const QRegion& region)
{
    if (region.isEmpty())
        window->clearMask();
    else
        window->setMask(region);
}

QRect QtWindowSystem::WorkArea(const QWidget* window) const
{
    QScreen* screen = ScreenOf(window);
    return screen ? screen->availableGeometry() : QRect();
}

QRect QtWindowSystem::MonitorRect(const QWidget* window) const
{
    QScreen* screen = ScreenOf(window);
    return screen ? screen->geometry() : QRect();
}

QRect QtWindowSystem::PrimaryMonitorRect() const
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

QPoint QtWindowSystem::CursorPos() const
{
    return QCursor::pos();
}

void QtWindowSystem::SetTopMost(QWidget* window, bool on)
{
    SetFlag(window, Qt::WindowStaysOnTopHint, on);
}

void QtWindowSystem::SetBelowAll(QWidget* window, bool on)
{
    SetFlag(window, Qt::WindowStaysOnBottomHint, on);
}

void QtWindowSystem::SetSkipTaskbar(QWidget* window, bool on)
{
    // A tool window gets no taskbar entry; keep the frameless hint and the rest.
    const Qt::WindowFlags others = window->windowFlags() & ~Qt::WindowType_Mask;
    const Qt::WindowFlags wanted = others | (on ? Qt::Tool : Qt::Window);
    if (XConnection()) {
        window->setProperty(skipTaskbarProperty, on);
        if (!window->property(keeperProperty).toBool())
            new AllDesktopsKeeper(window);
    }
    if (window->windowFlags() == wanted) {
        SendSkipTaskbar(HandleOf(window), on);
        return;
    }
    const bool visible = window->isVisible();
    window->setWindowFlags(wanted);
    if (visible)
        window->show();
    else
        SendSkipTaskbar(HandleOf(window), on); // a mapped-but-hidden handle sends nothing
}

bool QtWindowSystem::SkipsTaskbar(const QWidget* window) const
{
    return (window->windowFlags() & Qt::WindowType_Mask) == Qt::Tool;
}

void QtWindowSystem::SetOnAllDesktops(QWidget* window, bool on)
{
    const QVariant wish = window->property(allDesktopsProperty);
    if (wish.toBool() == on)
        return;
    window->setProperty(allDesktopsProperty, on);
    if (!XConnection()) // workspaces are asked of X11 window managers only
        return;
    if (!window->property(keeperProperty).toBool()) // the first wish: watch the window from now on
        new AllDesktopsKeeper(window);
    SendDesktop(HandleOf(window), on);
}

void QtWindowSystem::MinimizeApplication()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->isWindow())
            window->setWindowState(window->windowState() | Qt::WindowMinimized);
}

void QtWindowSystem::RestoreApplication()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isWindow() && window->windowState().testFlag(Qt::WindowMinimized)) {
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
            window->show();
        }
}
