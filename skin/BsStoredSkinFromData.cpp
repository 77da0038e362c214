// Building a stored skin from loaded skin data: the data's own pictures and an
// INI text written afresh from its values, so a skin edited in memory can be
// packed without its folder.

#include "BsCompressedStoredSkin.h"
#include "BsIniFile.h"
#include "Bsskindata.h"

void TbsCompressedStoredSkin::LoadFromSkinData(const TbsSkinData& skinData)
{
    TbsSkinPackage package;
    package.Picture = skinData.Picture;
    package.InActivePicture = skinData.InActivePicture;
    package.Mask = skinData.Mask;
    package.ActivePictures = skinData.ActivePictures;

    TbsIniFile ini;
    skinData.SaveToCustomIniFile(ini);
    package.IniText = ini.Text();
    LoadFromPackage(package);
}
