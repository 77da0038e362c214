#pragma once
// [SKINCOLORS]: the skin's colour set. Each colour defaults to the system
// colour of the same role, so a skin that leaves one out still reads sanely.

#include "BsTypes.h"

class TbsIniFile;
class TbsSkinSectionIO;

class TbsSkinColors {
public:
    TbsSkinColors() { SetColorsToDefault(); }

    void SetColorsToDefault();
    void LoadFromFile(const TbsIniFile& ini);
    void SaveToFile(TbsIniFile& ini) const;
    void ExchangeSection(TbsSkinSectionIO& io);

    TColor cBtnFace;
    TColor cBtnText;
    TColor cWindow;
    TColor cWindowText;
    TColor cHighLight;
    TColor cHighLightText;
    TColor cBtnHighLight;
    TColor cBtnShadow;
};
