#pragma once
// Stored skins built to exhaust memory or arithmetic, and the work a program
// window does with a loaded skin: the engine's pictures, and a live window
// with its skinned frame and controls. Shared by the fuzz seeds, which start
// from these skins, the fuzzer and the memory benchmark, which measures them,
// and the widget tests.

#include <QMargins>
#include <QSize>

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
// and mask, caption, a caption button, a menu item, a pop-up window skin, and
// a control skin for every control of the program's windows (panel, buttons,
// header label, edit, combo box, list box, scroll bars, tabs, list view).
TbsSkinPackage MakeBaseSkinPackage();
// The base skin, changed by tweak, as a compressed stored skin file.
std::string CompressSkin(const std::function<void(TbsSkinPackage&, TbsIniFile&)>& tweak = {});

// The hostile skins: INI text of millions of short lines, masks of 8 MiB and
// near the inflate cap, control looks far larger than any control (on a small
// picture, on a picture that large, and of 32768 x 32768), a client rect whose
// top band would be terabytes and one far past its picture, points and rects
// near the integer limit, and a skin without a main picture.
std::vector<HostileSkin> MakeHostileSkins();
// Their names, and one of them by name (empty bytes for an unknown name).
std::vector<std::string> HostileSkinNames();
HostileSkin MakeHostileSkin(const std::string& name);

// Loads a compressed stored skin and builds what the program's windows build
// from it at window size w x h: the frame's geometry, bands (active and
// inactive), shape and background, the caption buttons and hit codes, the
// pop-up menu window and its item pictures, and every custom control's
// picture and shape at sizes up to w x h. False when the skin does not load.
bool LoadAndBuildSkinPictures(std::string_view compressed, int w, int h);

// The client sizes of the program's windows: main window, option dialog,
// chart window, About dialog.
const std::vector<QSize>& ProgramClientSizes();

// What a program window built from a skin came to.
struct SkinnedWindowReport {
    bool Loaded = false;
    QSize Window; // the window's size
    QMargins Frame; // the skinned frame around the client area
    QSize LargestControl; // the largest skinned control (or dropped-down list)
    QSize LargestPicture; // the largest picture painted: the window, a menu window
};

// Loads a compressed stored skin and builds a window from it at each client
// size: a skinned frame holding every skinned control the program uses, a
// dropped-down combo box list and a skinned popup menu, each painted once.
// Needs a QApplication. Empty when the skin does not load.
std::vector<SkinnedWindowReport> LoadAndBuildSkinnedWindows(
    std::string_view compressed, const std::vector<QSize>& clients = ProgramClientSizes());
