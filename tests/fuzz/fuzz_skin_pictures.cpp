// Whole compressed skins, loaded into the skin data and then turned into
// every picture a program window builds: frame geometry, bands, shape and
// background, caption buttons and hit codes, the pop-up menu and its items,
// and each control's picture and shape; then a live window of that client
// size with its skinned frame, each skinned control and a popup menu, painted
// once. The first four bytes give the window size (1..4096 each way), the
// rest is the stored skin file.
#include "HostileSkins.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_skin_pictures";
    static char* argv[] = { name, nullptr };
    static QApplication app(argc, argv); // the live window's controls are widgets
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    const int w = 1 + (data[0] | (data[1] << 8)) % 4096;
    const int h = 1 + (data[2] | (data[3] << 8)) % 4096;
    const std::string_view skin(reinterpret_cast<const char*>(data) + 4, size - 4);
    if (LoadAndBuildSkinPictures(skin, w, h))
        LoadAndBuildSkinnedWindows(skin, { QSize(w, h) });
    return 0;
}
