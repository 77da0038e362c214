#pragma once
// A small skin made on the spot: an INI text and its BMP files in a folder,
// with frame pictures, a two-picture library, skin objects and control skins
// (including entries of unknown kinds that a loader must skip).

#include <QImage>

#include <string>

namespace skindatatest {

// A solid picture of the given size and colour (0xRRGGBB).
QImage SolidPicture(int width, int height, unsigned rgb);

// The INI text of the test skin; skinName lets two skins be told apart.
std::string TestSkinIni(const std::string& skinName = "Test skin");

// Writes the INI file "skin.ini" and its pictures into folder (with its
// trailing "/"); answers the INI file's path.
std::string WriteTestSkin(const std::string& folder, const std::string& skinName = "Test skin");

} // namespace skindatatest
