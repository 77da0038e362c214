#include "NuvKeyMap.h"

#include <Qt>

#include <X11/XF86keysym.h>
#include <X11/keysym.h>

namespace nuv {

namespace {

    struct TFixedKey {
        std::uint16_t vk;
        unsigned long keySym;
        int qtKey;
        char text;
    };

    // Keys outside the ranges MapVirtualKey computes.
    constexpr TFixedKey FixedKeys[] = {
        { 0x08, XK_BackSpace, Qt::Key_Backspace, 0 },
        { 0x09, XK_Tab, Qt::Key_Tab, '\t' },
        { 0x0C, XK_Clear, Qt::Key_Clear, 0 },
        { 0x0D, XK_Return, Qt::Key_Return, '\r' },
        { 0x10, XK_Shift_L, Qt::Key_Shift, 0 },
        { 0x11, XK_Control_L, Qt::Key_Control, 0 },
        { 0x12, XK_Alt_L, Qt::Key_Alt, 0 },
        { 0x13, XK_Pause, Qt::Key_Pause, 0 },
        { 0x14, XK_Caps_Lock, Qt::Key_CapsLock, 0 },
        { 0x1B, XK_Escape, Qt::Key_Escape, 0 },
        { 0x20, XK_space, Qt::Key_Space, ' ' },
        { 0x21, XK_Prior, Qt::Key_PageUp, 0 },
        { 0x22, XK_Next, Qt::Key_PageDown, 0 },
        { 0x23, XK_End, Qt::Key_End, 0 },
        { 0x24, XK_Home, Qt::Key_Home, 0 },
        { 0x25, XK_Left, Qt::Key_Left, 0 },
        { 0x26, XK_Up, Qt::Key_Up, 0 },
        { 0x27, XK_Right, Qt::Key_Right, 0 },
        { 0x28, XK_Down, Qt::Key_Down, 0 },
        { 0x29, XK_Select, Qt::Key_Select, 0 },
        { 0x2A, XK_Print, Qt::Key_Print, 0 },
        { 0x2B, XK_Execute, Qt::Key_Execute, 0 },
        { 0x2C, XK_Print, Qt::Key_Print, 0 }, // print screen
        { 0x2D, XK_Insert, Qt::Key_Insert, 0 },
        { 0x2E, XK_Delete, Qt::Key_Delete, 0 },
        { 0x2F, XK_Help, Qt::Key_Help, 0 },
        { 0x5B, XK_Super_L, Qt::Key_Meta, 0 },
        { 0x5C, XK_Super_R, Qt::Key_Meta, 0 },
        { 0x5D, XK_Menu, Qt::Key_Menu, 0 },
        { 0x6A, XK_KP_Multiply, Qt::Key_Asterisk, '*' },
        { 0x6B, XK_KP_Add, Qt::Key_Plus, '+' },
        { 0x6C, XK_KP_Separator, Qt::Key_Comma, ',' },
        { 0x6D, XK_KP_Subtract, Qt::Key_Minus, '-' },
        { 0x6E, XK_KP_Decimal, Qt::Key_Period, '.' },
        { 0x6F, XK_KP_Divide, Qt::Key_Slash, '/' },
        { 0x90, XK_Num_Lock, Qt::Key_NumLock, 0 },
        { 0x91, XK_Scroll_Lock, Qt::Key_ScrollLock, 0 },
        { 0xA0, XK_Shift_L, Qt::Key_Shift, 0 },
        { 0xA1, XK_Shift_R, Qt::Key_Shift, 0 },
        { 0xA2, XK_Control_L, Qt::Key_Control, 0 },
        { 0xA3, XK_Control_R, Qt::Key_Control, 0 },
        { 0xA4, XK_Alt_L, Qt::Key_Alt, 0 },
        { 0xA5, XK_Alt_R, Qt::Key_Alt, 0 },
        { 0xAD, XF86XK_AudioMute, Qt::Key_VolumeMute, 0 },
        { 0xAE, XF86XK_AudioLowerVolume, Qt::Key_VolumeDown, 0 },
        { 0xAF, XF86XK_AudioRaiseVolume, Qt::Key_VolumeUp, 0 },
        { 0xB0, XF86XK_AudioNext, Qt::Key_MediaNext, 0 },
        { 0xB1, XF86XK_AudioPrev, Qt::Key_MediaPrevious, 0 },
        { 0xB2, XF86XK_AudioStop, Qt::Key_MediaStop, 0 },
        { 0xB3, XF86XK_AudioPlay, Qt::Key_MediaPlay, 0 },
        { 0xBA, XK_semicolon, Qt::Key_Semicolon, ';' },
        { 0xBB, XK_equal, Qt::Key_Equal, '=' },
        { 0xBC, XK_comma, Qt::Key_Comma, ',' },
        { 0xBD, XK_minus, Qt::Key_Minus, '-' },
        { 0xBE, XK_period, Qt::Key_Period, '.' },
        { 0xBF, XK_slash, Qt::Key_Slash, '/' },
        { 0xC0, XK_grave, Qt::Key_QuoteLeft, '`' },
        { 0xDB, XK_bracketleft, Qt::Key_BracketLeft, '[' },
        { 0xDC, XK_backslash, Qt::Key_Backslash, '\\' },
        { 0xDD, XK_bracketright, Qt::Key_BracketRight, ']' },
        { 0xDE, XK_apostrophe, Qt::Key_Apostrophe, '\'' },
    };

} // namespace

TKeyMapping MapVirtualKey(std::uint16_t vk)
{
    const unsigned long code = vk;
    if (vk >= '0' && vk <= '9')
        return { XK_0 + (code - '0'), Qt::Key_0 + (vk - '0'), static_cast<char>(vk) };
    if (vk >= 'A' && vk <= 'Z') // the unshifted letter
        return { XK_a + (code - 'A'), Qt::Key_A + (vk - 'A'), static_cast<char>(vk - 'A' + 'a') };
    if (vk >= 0x60 && vk <= 0x69) // the number pad's digits
        return { XK_KP_0 + (code - 0x60), Qt::Key_0 + (vk - 0x60), static_cast<char>('0' + vk - 0x60) };
    if (vk >= 0x70 && vk <= 0x87) // F1 to F24
        return { XK_F1 + (code - 0x70), Qt::Key_F1 + (vk - 0x70), 0 };
    for (const TFixedKey& key : FixedKeys) {
        if (key.vk == vk)
            return { key.keySym, key.qtKey, key.text };
    }
    return {};
}

} // namespace nuv
