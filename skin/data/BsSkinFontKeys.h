#pragma once
// The font of a skin section that draws text: the keys "fontname",
// "fontheight", "fontstyle" and "fontcolor", in that order. Every control
// skin and skin object with a font takes it from here; a section's second
// font reads the same keys with a prefix ("captionfontname").

#include "BsTypes.h"

#include <string>

class TbsSkinSectionIO;

struct TbsSkinFontKeys {
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;

    // Reads or writes the four keys at this point of the section's key walk.
    void ExchangeFont(TbsSkinSectionIO& io, const char* prefix = "");
};
