#include "BsSkinSectionIO.h"

#include "BsSkinFontKeys.h"

void TbsSkinFontKeys::ExchangeFont(TbsSkinSectionIO& io, const char* prefix)
{
    const std::string p = prefix;
    io.String((p + "fontname").c_str(), FontName, "Arial");
    io.Integer((p + "fontheight").c_str(), FontHeight, 14);
    io.FontStyles((p + "fontstyle").c_str(), FontStyle);
    io.Color((p + "fontcolor").c_str(), FontColor);
}

void TbsSkinValueTape::Play()
{
    playing_ = true;
    strings_.next = numbers_.next = bits_.next = points_.next = rects_.next = 0;
}
