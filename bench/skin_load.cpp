// Loading a stored skin the way the program does at start-up, and its parts.
// Uses the program's own skin when the build provides it, otherwise a
// synthetic skin of the same shape (429 x 330 main picture, 1-bit mask, 16
// library pictures, about 80 sections).
#include "BsCompressedStoredSkin.h"
#include "BsIniFile.h"
#include "BsStreams.h"
#include "Bsskindata.h"

#ifdef QELVO_BENCH_PROGRAM_SKIN
#include "StoredSkin.h"
#endif

#include <benchmark/benchmark.h>

namespace {

QImage Picture(int width, int height, int seed)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = qRgb((x * 7 + seed) & 0xFF, (y * 3 + seed) & 0xFF, (x ^ y) & 0xFF);
    }
    return picture;
}

std::string SyntheticSkinFile()
{
    TbsSkinData data;
    data.Picture = Picture(429, 330, 1);
    data.PictureName = "main.bmp";
    data.Mask = QImage(429, 330, QImage::Format_Mono);
    data.Mask.fill(1);
    data.MaskName = "mask.bmp";
    for (int i = 0; i < 16; ++i) {
        data.ActivePictures.push_back(Picture(190, 190, i));
        data.ActivePictureNames.push_back("pic" + std::to_string(i) + ".bmp");
    }
    const char* objects[] = { "caption", "stdbutton", "stdbutton", "stdbutton", "stdbutton", "stdbutton",
        "menuitem", "mainmenubaritem", "button", "animate", "userobject" };
    for (int i = 0; i < 11; ++i)
        data.ObjectList.push_back(CreateSkinObject(objects[i], "object" + std::to_string(i)));
    const char* controls[] = { "panel", "button", "label", "stdlabel", "edit", "listbox", "combobox",
        "scrollbar", "tab", "updown", "checkradio", "gauge" };
    for (int i = 0; i < 60; ++i)
        data.CtrlList.push_back(CreateSkinControl(controls[i % 12], "control" + std::to_string(i)));

    TbsCompressedStoredSkin stored;
    stored.LoadFromSkinData(data);
    TMemoryStream file;
    stored.SaveToCompressStream(file);
    return file.Bytes();
}

const std::string& SyntheticSkinFileBytes()
{
    static const std::string bytes = SyntheticSkinFile();
    return bytes;
}

// The skin the part benchmarks measure: the program's own when built.
const std::string& SkinFileBytes()
{
#ifdef QELVO_BENCH_PROGRAM_SKIN
    static const std::string bytes(StoredSkinFileBytes());
    return bytes;
#else
    return SyntheticSkinFileBytes();
#endif
}

TbsCompressedStoredSkin& StoredSkin()
{
    static TbsCompressedStoredSkin* stored = [] {
        auto* skin = new TbsCompressedStoredSkin;
        TMemoryStream stream(SkinFileBytes());
        skin->LoadFromCompressStream(stream);
        return skin;
    }();
    return *stored;
}

// The whole start-up load: from the compressed file's bytes to skin data.
void LoadSkin(benchmark::State& state, const std::string& fileBytes)
{
    std::size_t controls = 0, pictures = 0;
    for (auto _ : state) {
        TbsCompressedStoredSkin stored;
        TMemoryStream stream(fileBytes);
        stored.LoadFromCompressStream(stream);
        TbsSkinData data;
        data.LoadCompressedStoredSkin(&stored);
        controls = data.CtrlList.size();
        pictures = data.ActivePictures.size();
    }
    state.counters["controls"] = static_cast<double>(controls);
    state.counters["pictures"] = static_cast<double>(pictures);
    state.counters["file_kb"] = static_cast<double>(fileBytes.size()) / 1024;
}

#ifdef QELVO_BENCH_PROGRAM_SKIN
void BM_LoadProgramSkin(benchmark::State& state)
{
    LoadSkin(state, SkinFileBytes());
}
BENCHMARK(BM_LoadProgramSkin)->Unit(benchmark::kMillisecond);
#endif

// Pictures that compress poorly: the worst case for the same shape of skin.
void BM_LoadSyntheticSkin(benchmark::State& state)
{
    LoadSkin(state, SyntheticSkinFileBytes());
}
BENCHMARK(BM_LoadSyntheticSkin)->Unit(benchmark::kMillisecond);

// Inflating and decoding the bitmaps alone.
void BM_ReadPackage(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(StoredSkin().ReadPackage().ActivePictures.size());
}
BENCHMARK(BM_ReadPackage)->Unit(benchmark::kMillisecond);

// Parsing the INI text alone.
void BM_ParseIni(benchmark::State& state)
{
    const std::string text = StoredSkin().ReadPackage().IniText;
    for (auto _ : state)
        benchmark::DoNotOptimize(TbsIniFile(text).SectionNames().size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseIni)->Unit(benchmark::kMillisecond);

} // namespace
