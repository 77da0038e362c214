#pragma once
// Stored skins built to exhaust memory or arithmetic, and the work a program
// window does with a loaded skin. Shared by the fuzz seeds, which start from
// these skins, and the memory benchmark, which measures them.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TbsIniFile;
struct TbsSkinPackage;

struct HostileSkin {
    std::string Name;
    std::string Compressed; // a compressed stored skin file
};

// A small well-formed skin with every part the pictures use: frame picture
// and mask, caption, a caption button, a menu item, a pop-up window skin, a
// nine-piece panel, a three-piece button and a header label.
TbsSkinPackage MakeBaseSkinPackage();
// The base skin, changed by tweak, as a compressed stored skin file.
std::string CompressSkin(const std::function<void(TbsSkinPackage&, TbsIniFile&)>& tweak = {});

// The hostile skins: INI text of millions of short lines, masks of 8 MiB and
// near the inflate cap, a control look far larger than any control, a client
// rect whose top band would be terabytes, points near the integer limit, and
// BI_BITFIELDS pictures with 32-bit masks.
std::vector<HostileSkin> MakeHostileSkins();

// Loads a compressed stored skin and builds what the program's windows build
// from it at window size w x h: the frame's geometry, bands (active and
// inactive), shape and background, the caption buttons and hit codes, the
// pop-up menu window and its item pictures, and every custom control's
// picture and shape at sizes up to w x h. False when the skin does not load.
bool LoadAndBuildSkinPictures(std::string_view compressed, int w, int h);
