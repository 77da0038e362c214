// Packs a skin folder (an INI file with its BMP pictures beside it) into a
// compressed skin file, using the skin engine's own reader and writer so the
// build produces exactly what the engine loads.
//
// Usage: skinpack <skin.ini> <output.ure>

#include "BsCompressedStoredSkin.h"

#include "Exception.h"
#include "GbkText.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: skinpack <skin.ini> <output.ure>\n");
        return 2;
    }
    const std::string iniPath = argv[1];
    const std::string outPath = argv[2];
    try {
        TbsCompressedStoredSkin skin;
        skin.LoadFromIniFile(iniPath);
        // The loader returns quietly for a file that is no skin; the build must not.
        if (skin.GetEmpty()) {
            std::fprintf(
                stderr, "skinpack: %s is not a skin (a marker section is missing)\n", iniPath.c_str());
            return 1;
        }
        skin.SaveToCompressFile(outPath);
    } catch (const Exception& e) {
        // Messages are GBK program text; the terminal takes the locale's encoding.
        std::fprintf(stderr, "skinpack: %s\n", GbkToQString(e.Message()).toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
