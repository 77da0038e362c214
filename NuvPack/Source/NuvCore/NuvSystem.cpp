#include "NuvSystem.h"

#include "NuvKeyMap.h"
#include "NuvSystemDesktop.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <thread>

namespace nuv {

namespace {

    using namespace std::chrono_literals;

    // Between the steps of a key stroke, and after the steps of PowerOff.
    constexpr auto KeyStepPause = 1ms;
    constexpr auto PowerOffPause = 12ms;

    std::atomic<IKeyInput*> installedKeyInput { nullptr };
    std::atomic<IScreen*> installedScreen { nullptr };
    std::atomic<ISession*> installedSession { nullptr };

    void Pause(std::chrono::milliseconds time)
    {
        std::this_thread::sleep_for(time);
    }

    bool PostKey(QWidget* wnd, std::uint16_t vk, bool up)
    {
        if (wnd == nullptr || QCoreApplication::instance() == nullptr)
            return false;
        const TKeyMapping key = MapVirtualKey(vk);
        const QString text = key.text == 0 ? QString() : QString(QLatin1Char(key.text));
        auto* event = new QKeyEvent(up ? QEvent::KeyRelease : QEvent::KeyPress, key.qtKey, Qt::NoModifier,
            /*nativeScanCode=*/0, /*nativeVirtualKey=*/vk, /*nativeModifiers=*/0, text);
        QCoreApplication::postEvent(wnd, event);
        return true;
    }

    class GrabScreen final : public IScreen {
    public:
        std::uint32_t PixelColor(int x, int y) override
        {
            if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
                return CLR_INVALID;
            const QPoint point(x, y);
            QScreen* screen = QGuiApplication::screenAt(point);
            if (screen == nullptr)
                return CLR_INVALID;
            const QPoint local = point - screen->geometry().topLeft();
            const QImage pixel = screen->grabWindow(0, local.x(), local.y(), 1, 1).toImage();
            if (pixel.isNull())
                return CLR_INVALID;
            const QRgb rgb = pixel.pixel(0, 0);
            return static_cast<std::uint32_t>(qRed(rgb)) | static_cast<std::uint32_t>(qGreen(rgb)) << 8
                | static_cast<std::uint32_t>(qBlue(rgb)) << 16;
        }
    };

} // namespace

IKeyInput& KeyInput()
{
    IKeyInput* input = installedKeyInput.load();
    return input != nullptr ? *input : XTestKeyInput();
}

void SetKeyInput(IKeyInput* input)
{
    installedKeyInput.store(input);
}

IScreen& Screen()
{
    IScreen* screen = installedScreen.load();
    return screen != nullptr ? *screen : QtScreen();
}

void SetScreen(IScreen* screen)
{
    installedScreen.store(screen);
}

ISession& Session()
{
    ISession* session = installedSession.load();
    return session != nullptr ? *session : DBusSession();
}

void SetSession(ISession* session)
{
    installedSession.store(session);
}

IScreen& QtScreen()
{
    static GrabScreen screen;
    return screen;
}

int VKeyDown(std::uint16_t vk)
{
    return KeyInput().SendKey(vk, false);
}

int VKeyUp(std::uint16_t vk)
{
    return KeyInput().SendKey(vk, true);
}

int VKeyPress(std::uint16_t vk)
{
    int accepted = VKeyDown(vk);
    Pause(KeyStepPause);
    accepted += VKeyUp(vk);
    return accepted;
}

int VKeyCombo(std::uint16_t vk1, std::uint16_t vk2)
{
    int accepted = VKeyDown(vk1);
    accepted += VKeyDown(vk2);
    Pause(KeyStepPause);
    accepted += VKeyUp(vk2);
    accepted += VKeyUp(vk1);
    return accepted;
}

bool VKeyDown(QWidget* wnd, std::uint16_t vk)
{
    return PostKey(wnd, vk, false);
}

bool VKeyUp(QWidget* wnd, std::uint16_t vk)
{
    return PostKey(wnd, vk, true);
}

bool VKeyPress(QWidget* wnd, std::uint16_t vk)
{
    PostKey(wnd, vk, false);
    Pause(KeyStepPause);
    return PostKey(wnd, vk, true);
}

bool VKeyCombo(QWidget* wnd, std::uint16_t vk1, std::uint16_t vk2)
{
    PostKey(wnd, vk1, false);
    Pause(KeyStepPause);
    PostKey(wnd, vk2, false);
    Pause(KeyStepPause);
    PostKey(wnd, vk2, true);
    Pause(KeyStepPause);
    return PostKey(wnd, vk1, true);
}

bool IsKeyDown(std::uint16_t vk)
{
    return KeyInput().IsKeyDown(vk);
}

std::uint32_t GetPosColor(int x, int y)
{
    return Screen().PixelColor(x, y);
}

std::uint32_t GetPosColor(QWidget* wnd, int x, int y)
{
    if (wnd == nullptr)
        return GetPosColor(x, y);
    const QPoint global = wnd->mapToGlobal(QPoint(x, y));
    return GetPosColor(global.x(), global.y());
}

void PowerOff(unsigned flags)
{
    TSessionEnd how = TSessionEnd::LogOff;
    if (flags & EWX_REBOOT)
        how = TSessionEnd::Reboot;
    else if (flags & EWX_POWEROFF)
        how = TSessionEnd::PowerOff;
    else if (flags & EWX_SHUTDOWN)
        how = TSessionEnd::ShutDown;

    ISession& session = Session();
    if (session.MayEnd(how))
        session.End(how, (flags & EWX_FORCE) != 0);
    else
        Pause(PowerOffPause);
    Pause(PowerOffPause);
}

} // namespace nuv
