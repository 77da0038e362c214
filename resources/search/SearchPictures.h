#pragma once
// The search panel's pictures, 16 × 16 with 24-bit colour, loaded by name:
// NuvPackGoogleIcon, NuvPackBaiDuIcon, NuvPackTaoBaoIcon, NuvPackSogouIcon
// and NuvPackSearch. Their lower-left pixel holds the colour meant to be
// transparent. Our own drawings, kept as XPM text beside this file.

#include <QImage>

#include <string>

// The picture of that name, or a null image for any other name.
QImage LoadSearchPicture(const std::string& name);
