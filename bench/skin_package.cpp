// Reading a stored skin of the program's size: about 2 MB of 24-bit pictures,
// a 1-bit mask and an INI text of some 2,500 lines, deflated at level 9.
#include "BsCompressedStoredSkin.h"
#include "BsIniFile.h"
#include "BsStreams.h"

#include <benchmark/benchmark.h>

namespace {

QImage Picture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) // soft gradients with some texture, like skin art
            row[x] = qRgb(200 + (x * 37 + y) % 40, 210 + y % 30, 230 + (x ^ y) % 20);
    }
    return image;
}

TbsSkinPackage ProgramSizedPackage()
{
    TbsSkinPackage package;
    package.Picture = Picture(429, 330);
    package.Mask = QImage(429, 330, QImage::Format_Mono);
    package.Mask.setColorTable({ qRgb(0, 0, 0), qRgb(255, 255, 255) });
    package.Mask.fill(1);
    for (int i = 0; i < 15; ++i)
        package.ActivePictures.push_back(Picture(300 + i * 10, 100 + i * 5));
    QImage mono(64, 64, QImage::Format_Mono);
    mono.setColorTable({ qRgb(0, 0, 0), qRgb(255, 255, 255) });
    mono.fill(0);
    package.ActivePictures.push_back(mono);

    TbsIniFile ini;
    ini.WriteInteger("VERSION", "ver", 1);
    for (int s = 0; s < 79; ++s) {
        const std::string section = "section" + std::to_string(s);
        for (int k = 0; k < 30; ++k)
            ini.WriteRect(section, "key" + std::to_string(k), TRect(k, s, k + 100, s + 20));
    }
    package.IniText = ini.Text();
    return package;
}

const TbsCompressedStoredSkin& StoredSkin()
{
    static TbsCompressedStoredSkin skin;
    if (skin.GetEmpty())
        skin.LoadFromPackage(ProgramSizedPackage());
    return skin;
}

void BM_InflateStoredSkin(benchmark::State& state)
{
    const TbsCompressedStoredSkin& skin = StoredSkin();
    for (auto _ : state) {
        TMemoryStream inflated;
        skin.DeCompressToStream(inflated);
        benchmark::DoNotOptimize(inflated.Bytes().data());
    }
}
BENCHMARK(BM_InflateStoredSkin)->Unit(benchmark::kMillisecond);

void BM_ReadPackageFromInflatedBytes(benchmark::State& state)
{
    const std::string bytes = WriteSkinPackage(ProgramSizedPackage());
    state.counters["bytes"] = static_cast<double>(bytes.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadSkinPackage(bytes));
}
BENCHMARK(BM_ReadPackageFromInflatedBytes)->Unit(benchmark::kMillisecond);

void BM_ParseSkinIniText(benchmark::State& state)
{
    const std::string text = ProgramSizedPackage().IniText;
    for (auto _ : state)
        benchmark::DoNotOptimize(TbsIniFile(text));
}
BENCHMARK(BM_ParseSkinIniText)->Unit(benchmark::kMillisecond);

// Inflate, decode every bitmap and parse the INI text: the format's share of
// loading the program's skin.
void BM_ReadStoredSkin(benchmark::State& state)
{
    const TbsCompressedStoredSkin& skin = StoredSkin();
    for (auto _ : state) {
        const TbsSkinPackage package = skin.ReadPackage();
        benchmark::DoNotOptimize(TbsIniFile(package.IniText));
    }
}
BENCHMARK(BM_ReadStoredSkin)->Unit(benchmark::kMillisecond);

} // namespace
