#pragma once
// Pixel effects of the skin engine: the effects that turn an active frame into
// its inactive look, and the blends a look fades through while it morphs.

#include "BsTypes.h"

#include <QImage>

#include <functional>

// Source of the noise effect's values: returns a number in [low, high].
// Tests pass a fixed sequence; the frame passes a random generator.
using TbsNoiseSource = std::function<int(int low, int high)>;

// Applies an inactive effect in place to a 32-bit image (the caller's frame
// bands are RGB32). Results are clamped to 0..255.
//   ieBrightness: c' = round(0.5 c + 127.5)      ieDarkness: c' = round(0.7 c)
//   ieGrayScale:  all channels round(0.3 R + 0.59 G + 0.11 B)
//   ieNoise:      one value from -25 to 24 added to all channels of a pixel
//   ieSplitBlur:  average of the four diagonal neighbours, rows top to bottom in place
//   ieInvert:     c' = 255 - c
void ApplyInActiveEffect(QImage& image, TbsInActiveEffect effect, const TbsNoiseSource& noise = {});

// The blend of normal look a and active look b (same size) at factor k in
// 0..1 (0: a, 1: b). Images of different sizes give a copy of a at k < 1 and of b at k >= 1.
QImage MorphImages(const QImage& a, const QImage& b, double k, TbsMorphKind kind);

// The factor after one morph tick: +step towards 1 when active, -step towards 0
// otherwise, clamped.
double NextMorphKf(double kf, bool active, double step = 0.2);
