#include "BsSkinColors.h"

#include "BsIniFile.h"
#include "BsSkinSectionIO.h"

void TbsSkinColors::SetColorsToDefault()
{
    cBtnFace = clBtnFace;
    cBtnText = clBtnText;
    cWindow = clWindow;
    cWindowText = clWindowText;
    cHighLight = clHighlight;
    cHighLightText = clHighlightText;
    cBtnHighLight = clBtnHighlight;
    cBtnShadow = clBtnShadow;
}

void TbsSkinColors::ExchangeSection(TbsSkinSectionIO& io)
{
    io.SetSection("SKINCOLORS");
    io.Color("cbtnface", cBtnFace, clBtnFace);
    io.Color("cbtntext", cBtnText, clBtnText);
    io.Color("cwindow", cWindow, clWindow);
    io.Color("cwindowtext", cWindowText, clWindowText);
    io.Color("chighlight", cHighLight, clHighlight);
    io.Color("chighlighttext", cHighLightText, clHighlightText);
    io.Color("cbtnhighlight", cBtnHighLight, clBtnHighlight);
    io.Color("cbtnshadow", cBtnShadow, clBtnShadow);
}

void TbsSkinColors::LoadFromFile(const TbsIniFile& ini)
{
    TbsSkinIniReader reader(ini);
    ExchangeSection(reader);
}

void TbsSkinColors::SaveToFile(TbsIniFile& ini) const
{
    TbsSkinIniWriter writer(ini);
    const_cast<TbsSkinColors*>(this)->ExchangeSection(writer);
}
