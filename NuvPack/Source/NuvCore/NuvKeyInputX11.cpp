// Kept apart from every Qt header: Xlib's macros (KeyPress, None, Bool) would
// clash with Qt's names.
#include "NuvKeyMap.h"
#include "NuvSystemDesktop.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <mutex>
#include <set>

namespace nuv {

namespace {

    KeyCode KeyCodeOf(Display* display, std::uint16_t vk)
    {
        const TKeyMapping key = MapVirtualKey(vk);
        return key.keySym == 0 ? 0 : XKeysymToKeycode(display, key.keySym);
    }

    // A server whose last client leaves starts over and forgets every key held
    // down, so the connection stays open while a key sent down is not yet up
    // again, and is closed as soon as none is held.
    class XTestInput final : public IKeyInput {
    public:
        int SendKey(std::uint16_t vk, bool up) override
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            Display* display = Connect();
            if (display == nullptr)
                return 0;
            int accepted = 0;
            int eventBase = 0, errorBase = 0, major = 0, minor = 0;
            const KeyCode code = KeyCodeOf(display, vk);
            if (XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor) && code != 0
                && XTestFakeKeyEvent(display, code, up ? False : True, CurrentTime)) {
                // A round trip: the server has handled the event before this returns,
                // so a key state asked for afterwards includes it.
                XSync(display, False);
                accepted = 1;
                if (up)
                    held_.erase(code);
                else
                    held_.insert(code);
            }
            if (held_.empty())
                Disconnect();
            return accepted;
        }

        bool IsKeyDown(std::uint16_t vk) override
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            Display* display = Connect();
            if (display == nullptr)
                return false;
            const KeyCode code = KeyCodeOf(display, vk);
            char keys[32] = {};
            if (code != 0)
                XQueryKeymap(display, keys);
            if (held_.empty())
                Disconnect();
            return code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0;
        }

    private:
        Display* Connect()
        {
            if (display_ == nullptr)
                display_ = XOpenDisplay(nullptr);
            return display_;
        }

        void Disconnect()
        {
            if (display_ != nullptr)
                XCloseDisplay(display_);
            display_ = nullptr;
        }

        std::mutex mutex_;
        Display* display_ = nullptr;
        std::set<KeyCode> held_;
    };

} // namespace

IKeyInput& XTestKeyInput()
{
    static XTestInput input;
    return input;
}

} // namespace nuv
