// Writes small seed inputs for the fuzz harnesses into <dir>/compressed,
// <dir>/package and <dir>/ini, made with the skin writers themselves, and
// into <dir>/pictures the base and hostile skins, each behind the four bytes
// of a window size.
#include "BsCompressedStoredSkin.h"
#include "BsIniFile.h"
#include "BsStreams.h"
#include "HostileSkins.h"

#include <QImage>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

QImage Picture(int w, int h, QImage::Format format)
{
    QImage image(w, h, format);
    if (format == QImage::Format_Mono)
        image.setColorTable({ qRgb(0, 0, 0), qRgb(255, 255, 255) });
    if (format == QImage::Format_Indexed8)
        image.setColorTable({ qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 0, 255) });
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, format == QImage::Format_RGB32 ? qRgb(x * 40, y * 40, 90) : (x + y) % 2);
    return image;
}

std::string SeedIni()
{
    TbsIniFile ini;
    ini.WriteInteger("VERSION", "ver", 1);
    ini.WriteString("VERSION", "skinname", "seed");
    ini.WriteString("PICTURES", "picture", "main.bmp");
    ini.WriteString("PICTURES", "mask", "mask.bmp");
    ini.WriteNameList("PICTURES", "activepictures", { "a.bmp", "b.bmp" });
    ini.WriteRect("FORMINFO", "clientrect", TRect(4, 29, 425, 326));
    ini.WritePoint("FORMINFO", "lefttoppoint", QPoint(10, 29));
    ini.WriteBool("FORMINFO", "leftstretch", true);
    ini.WriteStretchType("FORMINFO", "stretchtype", bsstVert);
    ini.WriteInActiveEffect("FORMINFO", "inactiveeffect", ieDarkness);
    ini.WriteColor("SKINCOLORS", "cbtnface", 15852243);
    ini.WriteNameList("SKINOBJECTS", "", { "closebutton:stdbutton", "caption:caption" });
    ini.WriteStdCommand("closebutton", "command", cmClose);
    ini.WriteFontStyles("caption", "fontstyle", fsBold);
    ini.WriteAlignment("caption", "alignment", taLeftJustify);
    ini.WriteString("caption", "hex", "0x1F");
    ini.WriteNameList("SKINCONTROLS", "", { "button:button" });
    ini.WriteMorphKind("button", "morphkind", mkPush);
    return ini.Text() + "; comment\r\nline without equals\r\n";
}

void Put(const std::filesystem::path& path, const std::string& bytes)
{
    TMemoryStream(bytes).SaveToFile(path.string());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    for (const char* sub : { "compressed", "package", "ini", "pictures" })
        std::filesystem::create_directories(root / sub);

    TbsSkinPackage full;
    full.Picture = Picture(6, 4, QImage::Format_RGB32);
    full.Mask = Picture(6, 4, QImage::Format_Mono);
    full.ActivePictures = { Picture(3, 2, QImage::Format_Indexed8), Picture(2, 3, QImage::Format_RGB32) };
    full.IniText = SeedIni();

    TbsSkinPackage legacy = full;
    legacy.Version = 2;
    TbsSkinPackage bare;
    bare.IniText = "[VERSION]\r\n";

    int n = 0;
    for (const TbsSkinPackage* package : { &full, &legacy, &bare }) {
        const std::string name = "seed" + std::to_string(n++);
        Put(root / "package" / name, WriteSkinPackage(*package));
        TbsCompressedStoredSkin skin;
        skin.LoadFromPackage(*package);
        TMemoryStream file;
        skin.SaveToCompressStream(file);
        Put(root / "compressed" / name, file.Bytes());
    }
    Put(root / "ini" / "seed0", full.IniText);
    Put(root / "ini" / "seed1", "[A]\nx = 1\n[a]\ny=$10\n[B]\n=\nz=-5,3,10,20\n");

    // Window sizes as the picture harness reads them: 1 + (16-bit value mod 4096).
    auto sized = [](int w, int h, const std::string& skin) {
        const std::string size { static_cast<char>((w - 1) & 0xFF), static_cast<char>((w - 1) >> 8),
            static_cast<char>((h - 1) & 0xFF), static_cast<char>((h - 1) >> 8) };
        return size + skin;
    };
    const std::string base = CompressSkin();
    Put(root / "pictures" / "base-314x333", sized(314, 333, base));
    Put(root / "pictures" / "base-4096x4096", sized(4096, 4096, base));
    Put(root / "pictures" / "base-1x1", sized(1, 1, base));
    for (const HostileSkin& skin : MakeHostileSkins())
        Put(root / "pictures" / skin.Name, sized(1024, 768, skin.Compressed));
    return 0;
}
