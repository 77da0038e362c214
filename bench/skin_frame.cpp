// The frame work a skinned window repeats on every resize: the four band
// images with the frame objects drawn into them, and the window shape from
// the mask. Figures of the main window's skin (429 x 330 picture).
#include "BsFrameGeometry.h"
#include "Bsutils.h"

#ifdef QELVO_BENCH_PROGRAM_SKIN
#include "BsSkinDataGeometry.h"
#include "SkinCtrlDM.h"
#endif

#include <benchmark/benchmark.h>

namespace {

TbsFrameSkin Skin()
{
    TbsFrameSkin s;
    s.PictureSize = { 429, 330 };
    s.ClientRect = { 4, 29, 425, 326 };
    s.LTPoint = s.HitTestLTPoint = { 60, 29 };
    s.RTPoint = s.HitTestRTPoint = { 370, 29 };
    s.LBPoint = s.HitTestLBPoint = { 60, 326 };
    s.RBPoint = s.HitTestRBPoint = { 370, 326 };
    s.CaptionRect = { 7, 5, 423, 27 };
    s.MaskRectArea = { 3, 3, 426, 327 };
    return s;
}

QImage Picture()
{
    QImage image(429, 330, QImage::Format_RGB32);
    for (int y = 0; y < 330; ++y)
        for (int x = 0; x < 429; ++x)
            image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x + y) & 0xFF));
    return image;
}

QImage Mask()
{
    QImage mask(429, 330, QImage::Format_Mono);
    mask.setColor(0, qRgb(0, 0, 0));
    mask.setColor(1, qRgb(255, 255, 255));
    mask.fill(0);
    for (int y = 0; y < 4; ++y)
        for (int i = 0; i < 4 - y; ++i) {
            mask.setPixel(i, y, 1);
            mask.setPixel(428 - i, y, 1);
        }
    return mask;
}

void BandsAndObjects(benchmark::State& state)
{
    const TbsFrameSkin skin = Skin();
    const QImage picture = Picture();
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    for (auto _ : state) {
        const TbsFrameGeometry g = CalcRects(skin, w, h);
        TbsBorderImages bands = CreateSkinBorderImages(skin, picture, w, h);
        // The caption object and three caption buttons drawn into the top band.
        const TRect caption = CalcRealObjectRect(skin, g, TRect(7, 5, 423, 27));
        bsutils::StretchPiece(bands.Top, caption, picture, TRect(7, 5, 423, 27));
        const TbsCaptionButtonRow row = CalcCaptionButtonRow(skin, g,
            { { cmClose, true, { 18, 16 } }, { cmMaximize, true, { 18, 16 } },
                { cmMinimize, true, { 18, 16 } } });
        for (const TRect& r : row.Rects)
            bsutils::CopyPiece(bands.Top, r.Left, r.Top, picture, TRect(400, 6, 418, 22));
        benchmark::DoNotOptimize(bands.Top.constBits());
    }
}
BENCHMARK(BandsAndObjects)->Args({ 314, 333 })->Args({ 1920, 1080 })->Unit(benchmark::kMicrosecond);

void ShapeFromMask(benchmark::State& state)
{
    const TbsFrameSkin skin = Skin();
    const QImage mask = Mask();
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    for (auto _ : state) {
        const TbsFrameShape shape(skin, CalcRects(skin, w, h), mask);
        QRegion region = shape.Region();
        benchmark::DoNotOptimize(region);
    }
}
BENCHMARK(ShapeFromMask)->Args({ 314, 333 })->Args({ 1920, 1080 })->Unit(benchmark::kMicrosecond);

#ifdef QELVO_BENCH_PROGRAM_SKIN
// The program's own skin: its frame values, main picture and 1-bit mask.
const TbsSkinData& ProgramSkin()
{
    static const TSkinCtrlModule* module = new TSkinCtrlModule;
    return *module->bsSkinData1;
}

// Bands with the caption object, then the shape, as one resize does.
void ProgramSkinResize(benchmark::State& state)
{
    const TbsSkinData& data = ProgramSkin();
    const TbsFrameSkin skin = FrameSkinOf(data);
    const TRect captionLook = data.ObjectList[data.GetIndex("caption")]->SkinRect;
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    for (auto _ : state) {
        const TbsFrameGeometry g = CalcRects(skin, w, h);
        TbsBorderImages bands = CreateSkinBorderImages(skin, data.Picture, w, h);
        bsutils::StretchPiece(bands.Top, CalcRealObjectRect(skin, g, captionLook), data.Picture, captionLook);
        const TbsFrameShape shape(skin, g, data.Mask);
        QRegion region = shape.Region();
        benchmark::DoNotOptimize(bands.Top.constBits());
        benchmark::DoNotOptimize(region);
    }
}
BENCHMARK(ProgramSkinResize)->Args({ 314, 333 })->Args({ 1920, 1080 })->Unit(benchmark::kMicrosecond);
#endif

} // namespace
