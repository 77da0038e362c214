#pragma once
// Windows bitmap files (BMP) as they sit inside a skin package or a skin
// folder. The decoder is our own and strict: the bytes come from files and
// packages we do not trust, so every size is checked against the field before
// anything is allocated. Errors are EInvalidGraphic "Bitmap image is not
// valid" or EReadError "Stream read error" (data ends inside the field).

#include <QImage>

#include <cstddef>
#include <string>
#include <string_view>

class TStream;

// Largest width or height accepted for one picture.
constexpr int MaxBitmapDimension = 32768;

// Decodes one BMP file that starts at data[pos]. Consumes exactly its bfSize
// bytes: pos is advanced past them, so the next field starts right after.
// 1-bit pictures become QImage::Format_Mono, 4- and 8-bit Format_Indexed8
// (both with the file's colour table), 24- and 32-bit Format_RGB32.
QImage ReadBitmapField(std::string_view data, std::size_t& pos);
// The same from a stream at its position.
QImage ReadBitmapFromStream(TStream& stream);

// Encodes a picture as a complete BMP file: 1-bit for monochrome pictures,
// 8-bit with its palette for indexed ones, 24-bit otherwise. bfSize equals
// header plus colour table plus pixel rows. A null picture gives "".
std::string EncodeBitmap(const QImage& image);

// Reads a BMP file from disk (EFOpenError when it cannot be opened).
QImage LoadBitmapFile(const std::string& path);
// Writes a BMP file (EFCreateError when it cannot be created).
void SaveBitmapFile(const QImage& image, const std::string& path);
