#pragma once
// Keyboard, screen and session helpers that drive the desktop: synthetic keys
// to the whole system or to one window of the program, the state of a key, the
// colour of a screen pixel, and ending the session.
//
// The desktop stands behind three small interfaces: key input (the X Test
// extension), the screen (Qt's screen grab) and the session (the desktop's
// session manager over D-Bus). Each can be replaced, so tests record what would
// have reached the desktop and never end a session.

#include <cstdint>

class QWidget;

namespace nuv {

// Virtual-key codes of the key functions (the usual Windows values).
constexpr std::uint16_t VK_BACK = 0x08;
constexpr std::uint16_t VK_TAB = 0x09;
constexpr std::uint16_t VK_RETURN = 0x0D;
constexpr std::uint16_t VK_SHIFT = 0x10;
constexpr std::uint16_t VK_CONTROL = 0x11;
constexpr std::uint16_t VK_MENU = 0x12; // Alt
constexpr std::uint16_t VK_ESCAPE = 0x1B;
constexpr std::uint16_t VK_SPACE = 0x20;
constexpr std::uint16_t VK_LEFT = 0x25;
constexpr std::uint16_t VK_UP = 0x26;
constexpr std::uint16_t VK_RIGHT = 0x27;
constexpr std::uint16_t VK_DOWN = 0x28;
constexpr std::uint16_t VK_DELETE = 0x2E;
constexpr std::uint16_t VK_F1 = 0x70;
// "0".."9" are 0x30..0x39 and "A".."Z" 0x41..0x5A, their own characters.

// The colour value for a point outside every screen.
constexpr std::uint32_t CLR_INVALID = 0xFFFFFFFF;

// Options of PowerOff, combinable.
constexpr unsigned EWX_LOGOFF = 0;
constexpr unsigned EWX_SHUTDOWN = 1;
constexpr unsigned EWX_REBOOT = 2;
constexpr unsigned EWX_FORCE = 4;
constexpr unsigned EWX_POWEROFF = 8;

// Key events to the whole system: the window with the keyboard focus gets them.
class IKeyInput {
public:
    virtual ~IKeyInput() = default;
    // One key event; the number of events the system accepted (1 or 0).
    virtual int SendKey(std::uint16_t vk, bool up) = 0;
    // Whether the key is held down now.
    virtual bool IsKeyDown(std::uint16_t vk) = 0;
};

class IScreen {
public:
    virtual ~IScreen() = default;
    // Colour 0x00BBGGRR of the pixel at a point of the virtual desktop, or
    // CLR_INVALID outside every screen.
    virtual std::uint32_t PixelColor(int x, int y) = 0;
};

enum class TSessionEnd { LogOff, ShutDown, Reboot, PowerOff };

class ISession {
public:
    virtual ~ISession() = default;
    // Whether this user may end the session that way (the shutdown privilege).
    virtual bool MayEnd(TSessionEnd how) = 0;
    // Asks the session manager to end the session; `force` closes programs
    // without asking them.
    virtual void End(TSessionEnd how, bool force) = 0;
};

// The implementations in use. Setting one (not owned) replaces the desktop's own
// until it is set back to null.
IKeyInput& KeyInput();
void SetKeyInput(IKeyInput* input);
IScreen& Screen();
void SetScreen(IScreen* screen);
ISession& Session();
void SetSession(ISession* session);

// Synthetic keys to the system. Down and up answer the events accepted (1 or 0);
// a press answers the sum of its down and up (2 on success); a combination holds
// vk1 around a press of vk2 and answers the sum of its four events (4).
int VKeyDown(std::uint16_t vk);
int VKeyUp(std::uint16_t vk);
int VKeyPress(std::uint16_t vk);
int VKeyCombo(std::uint16_t vk1, std::uint16_t vk2);

// Synthetic keys to one window of the program: key events posted to its event
// queue, with the key code as native virtual key and no scan code, repeat or
// modifiers; the focus does not change. Each answers whether its last event was
// posted (false for a null window or without an application object).
bool VKeyDown(QWidget* wnd, std::uint16_t vk);
bool VKeyUp(QWidget* wnd, std::uint16_t vk);
bool VKeyPress(QWidget* wnd, std::uint16_t vk);
bool VKeyCombo(QWidget* wnd, std::uint16_t vk1, std::uint16_t vk2);

// Whether the key is held down now.
bool IsKeyDown(std::uint16_t vk);

// Colour 0x00BBGGRR of the screen pixel at (x, y), CLR_INVALID outside the
// screens; the window form takes a point of the window's client area.
std::uint32_t GetPosColor(int x, int y);
std::uint32_t GetPosColor(QWidget* wnd, int x, int y);

// Ends the session as `flags` say: reboot when EWX_REBOOT is set, else power
// off when EWX_POWEROFF is, else shut down when EWX_SHUTDOWN is, else log off;
// EWX_FORCE closes programs without asking. Nothing is asked for when this user may not end the
// session that way. Reports nothing.
void PowerOff(unsigned flags);

} // namespace nuv
