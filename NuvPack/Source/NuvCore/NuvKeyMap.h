#pragma once
// Virtual-key codes and what they are on this desktop: the X key symbol that
// the X Test extension presses, and the Qt key and text of a key event posted
// to a window.

#include <cstdint>

namespace nuv {

struct TKeyMapping {
    unsigned long keySym = 0; // 0: no such key
    int qtKey = 0;
    char text = 0; // the character the key types without modifiers, or 0
};

TKeyMapping MapVirtualKey(std::uint16_t vk);

} // namespace nuv
