// Inactive-frame effects and morph blends on pixels whose results are known.
#include "Bseffects.h"

#include <gtest/gtest.h>

namespace {

QImage Solid(QRgb c, int w = 3, int h = 2)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

} // namespace

TEST(EngineEffects, InactiveEffectsOnKnownPixels)
{
    struct Case {
        TbsInActiveEffect effect;
        QRgb in, out;
    };
    for (Case c : { Case { ieBrightness, qRgb(0, 100, 255), qRgb(128, 178, 255) },
             Case { ieBrightness, qRgb(1, 3, 254), qRgb(128, 129, 255) },
             Case { ieDarkness, qRgb(255, 100, 5), qRgb(179, 70, 4) },
             Case { ieGrayScale, qRgb(200, 100, 50), qRgb(125, 125, 125) },
             Case { ieInvert, qRgb(0, 100, 255), qRgb(255, 155, 0) } }) {
        QImage image = Solid(c.in);
        ApplyInActiveEffect(image, c.effect);
        EXPECT_EQ(image.pixel(1, 1), c.out) << "effect " << c.effect;
    }
}

TEST(EngineEffects, NoiseAddsOneValuePerPixelAndClamps)
{
    QImage image = Solid(qRgb(10, 128, 250), 2, 1);
    std::vector<int> values = { -25, 24 };
    size_t next = 0;
    int low = 0, high = 0;
    ApplyInActiveEffect(image, ieNoise, [&](int l, int h) {
        low = l;
        high = h;
        return values[next++];
    });
    EXPECT_EQ(low, -25);
    EXPECT_EQ(high, 24);
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 103, 225));
    EXPECT_EQ(image.pixel(1, 0), qRgb(34, 152, 255));
}

TEST(EngineEffects, SplitBlurAveragesDiagonalsTopDownInPlace)
{
    // A 3 x 3 image, all 0 except a 200 in the centre.
    QImage image = Solid(qRgb(0, 0, 0), 3, 3);
    image.setPixel(1, 1, qRgb(200, 200, 200));
    ApplyInActiveEffect(image, ieSplitBlur);
    // Corner (0, 0): neighbours clamp to (0,0), (1,0), (0,1), (1,1): 200/4.
    EXPECT_EQ(qRed(image.pixel(0, 0)), 50);
    // Centre: its diagonals are row 0 (already blurred: 50, 50) and row 2 (0, 0).
    EXPECT_EQ(qRed(image.pixel(1, 1)), 25);
    // Row 0 is its own upper neighbour, already blurred left of x: (50 + 0 + 0 + 0) / 4.
    EXPECT_EQ(qRed(image.pixel(1, 0)), 12);
}

TEST(EngineEffects, DefaultMorphBlendsEveryChannel)
{
    const QImage a = Solid(qRgb(0, 100, 255));
    const QImage b = Solid(qRgb(255, 201, 0));
    EXPECT_EQ(MorphImages(a, b, 0.0, mkDefault).pixel(2, 1), qRgb(0, 100, 255));
    EXPECT_EQ(MorphImages(a, b, 0.5, mkDefault).pixel(2, 1), qRgb(128, 151, 128));
    EXPECT_EQ(MorphImages(a, b, 1.0, mkDefault).pixel(2, 1), qRgb(255, 201, 0));
}

TEST(EngineEffects, EveryMorphKindRunsFromNormalToActive)
{
    QImage a(8, 4, QImage::Format_RGB32), b(8, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) {
            a.setPixel(x, y, qRgb(x, 0, 0));
            b.setPixel(x, y, qRgb(0, x + 100, 0));
        }
    for (TbsMorphKind kind :
        { mkDefault, mkGradient, mkLeftGradient, mkRightGradient, mkLeftSlide, mkRightSlide, mkPush }) {
        EXPECT_EQ(MorphImages(a, b, 0, kind), a.convertToFormat(QImage::Format_RGB32)) << kind;
        EXPECT_EQ(MorphImages(a, b, 1, kind), b.convertToFormat(QImage::Format_RGB32)) << kind;
        // Half way shows some of each.
        const QImage half = MorphImages(a, b, 0.5, kind);
        bool someA = false, someB = false;
        for (int x = 0; x < 8; ++x) {
            someA |= qRed(half.pixel(x, 2)) > 0;
            someB |= qGreen(half.pixel(x, 2)) > 0;
        }
        EXPECT_TRUE(someA && someB) << kind;
    }
    // Slides move b in from its side.
    EXPECT_EQ(MorphImages(a, b, 0.25, mkLeftSlide).pixel(0, 0), qRgb(0, 106, 0));
    EXPECT_EQ(MorphImages(a, b, 0.25, mkRightSlide).pixel(7, 0), qRgb(0, 101, 0));
    EXPECT_EQ(MorphImages(a, b, 0.25, mkPush).pixel(7, 0), qRgb(5, 0, 0));
}

TEST(EngineEffects, MorphFactorReachesEachEndInFiveSteps)
{
    double k = 0;
    for (int i = 0; i < 5; ++i)
        k = NextMorphKf(k, true);
    EXPECT_DOUBLE_EQ(k, 1.0);
    for (int i = 0; i < 4; ++i)
        k = NextMorphKf(k, false);
    EXPECT_GT(k, 0.0);
    EXPECT_DOUBLE_EQ(NextMorphKf(k, false), 0.0);
}
