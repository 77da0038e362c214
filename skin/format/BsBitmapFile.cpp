#include "BsBitmapFile.h"

#include "BsStreams.h"
#include "Exception.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::int64_t FileHeaderSize = 14;
constexpr std::int64_t CoreHeaderSize = 12;
constexpr std::int64_t InfoHeaderSize = 40;
constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_BITFIELDS = 3;

[[noreturn]] void InvalidBitmap()
{
    throw EInvalidGraphic("Bitmap image is not valid");
}

[[noreturn]] void ReadError()
{
    throw EReadError("Stream read error");
}

std::uint16_t U16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t U32(const unsigned char* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16
        | std::uint32_t(p[3]) << 24;
}

void PutU16(std::string& out, std::uint16_t v)
{
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

void PutU32(std::string& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// One channel of a BI_BITFIELDS pixel, scaled to 8 bits.
struct ChannelMask {
    std::uint32_t Mask = 0;
    int Shift = 0;
    std::uint32_t Max = 0;

    explicit ChannelMask(std::uint32_t mask)
        : Mask(mask)
    {
        if (mask == 0)
            return;
        while (!((mask >> Shift) & 1))
            ++Shift;
        Max = mask >> Shift;
    }
    int Extract(std::uint32_t pixel) const
    {
        if (Max == 0)
            return 0;
        // 64-bit: a channel may be up to 32 bits wide.
        const std::uint64_t value = (pixel & Mask) >> Shift;
        return static_cast<int>((value * 255 + Max / 2) / Max);
    }
};

// The header fields the decoder needs, already checked against the field.
struct BitmapLayout {
    std::int64_t Width = 0;
    std::int64_t Height = 0; // rows, always positive
    bool TopDown = false;
    int BitCount = 0;
    std::uint32_t Compression = BI_RGB;
    std::uint32_t Masks[3] = { 0x00FF0000, 0x0000FF00, 0x000000FF };
    QList<QRgb> Palette;
    const unsigned char* Pixels = nullptr;
    std::int64_t Stride = 0;
};

BitmapLayout ParseLayout(const unsigned char* f, std::int64_t size)
{
    BitmapLayout layout;
    if (size < FileHeaderSize + 4)
        InvalidBitmap();
    const std::int64_t headerSize = U32(f + 14);
    const bool core = headerSize == CoreHeaderSize;
    if (!core && headerSize != InfoHeaderSize && headerSize != 52 && headerSize != 56 && headerSize != 108
        && headerSize != 124)
        InvalidBitmap();
    if (FileHeaderSize + headerSize > size)
        InvalidBitmap();
    const unsigned char* h = f + FileHeaderSize;
    int planes = 0;
    if (core) {
        layout.Width = U16(h + 4);
        layout.Height = U16(h + 6);
        planes = U16(h + 8);
        layout.BitCount = U16(h + 10);
    } else {
        layout.Width = static_cast<std::int32_t>(U32(h + 4));
        const std::int64_t height = static_cast<std::int32_t>(U32(h + 8));
        layout.TopDown = height < 0;
        layout.Height = height < 0 ? -height : height; // 64-bit, so INT_MIN cannot overflow
        planes = U16(h + 12);
        layout.BitCount = U16(h + 14);
        layout.Compression = U32(h + 16);
    }
    if (planes != 1 || layout.Width <= 0 || layout.Height <= 0 || layout.Width > MaxBitmapDimension
        || layout.Height > MaxBitmapDimension)
        InvalidBitmap();
    const int bpp = layout.BitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
        InvalidBitmap();
    if (layout.Compression == BI_BITFIELDS) {
        if (bpp != 32)
            InvalidBitmap();
    } else if (layout.Compression != BI_RGB) {
        InvalidBitmap(); // run-length and embedded JPEG/PNG pictures are not skin pictures
    }

    std::int64_t paletteStart = FileHeaderSize + headerSize;
    if (layout.Compression == BI_BITFIELDS) {
        const unsigned char* masks = h + 40;
        if (headerSize == InfoHeaderSize) { // the masks follow the header
            if (paletteStart + 12 > size)
                InvalidBitmap();
            masks = f + paletteStart;
            paletteStart += 12;
        }
        for (int i = 0; i < 3; ++i)
            layout.Masks[i] = U32(masks + 4 * i);
    }

    // Colour table: what the depth allows, or what the header names.
    const std::int64_t declared = core ? 0 : U32(h + 32);
    std::int64_t entries = declared;
    if (bpp <= 8) {
        if (declared > (std::int64_t(1) << bpp))
            InvalidBitmap();
        if (declared == 0)
            entries = std::int64_t(1) << bpp;
    } else if (declared > 256) {
        InvalidBitmap();
    }
    const std::int64_t offBits = U32(f + 10);
    if (offBits < paletteStart || offBits > size)
        InvalidBitmap();
    const int entrySize = core ? 3 : 4;
    // Some writers store a shorter table than the depth allows; read what is there.
    entries = std::min(entries, (offBits - paletteStart) / entrySize);
    if (bpp <= 8) {
        layout.Palette.resize(1 << bpp, qRgb(0, 0, 0));
        for (std::int64_t i = 0; i < entries; ++i) {
            const unsigned char* e = f + paletteStart + i * entrySize;
            layout.Palette[static_cast<int>(i)] = qRgb(e[2], e[1], e[0]);
        }
    }

    layout.Stride = ((layout.Width * bpp + 31) / 32) * 4;
    if (layout.Stride * layout.Height > size - offBits)
        InvalidBitmap(); // pixel rows would run outside the field
    layout.Pixels = f + offBits;
    return layout;
}

QImage Decode(const BitmapLayout& layout)
{
    const int width = static_cast<int>(layout.Width);
    const int height = static_cast<int>(layout.Height);
    QImage::Format format = QImage::Format_RGB32;
    if (layout.BitCount == 1)
        format = QImage::Format_Mono;
    else if (layout.BitCount <= 8)
        format = QImage::Format_Indexed8;
    QImage image(width, height, format);
    if (image.isNull())
        InvalidBitmap();
    if (layout.BitCount <= 8)
        image.setColorTable(layout.Palette);

    const ChannelMask red(layout.Masks[0]), green(layout.Masks[1]), blue(layout.Masks[2]);
    for (int y = 0; y < height; ++y) {
        const int fileRow = layout.TopDown ? y : height - 1 - y;
        const unsigned char* src = layout.Pixels + layout.Stride * fileRow;
        uchar* dst = image.scanLine(y);
        switch (layout.BitCount) {
        case 1:
            std::memcpy(dst, src, static_cast<std::size_t>((width + 7) / 8));
            break;
        case 4:
            for (int x = 0; x < width; ++x)
                dst[x] = (x & 1) ? (src[x / 2] & 0x0F) : (src[x / 2] >> 4);
            break;
        case 8:
            std::memcpy(dst, src, static_cast<std::size_t>(width));
            break;
        case 24: {
            auto* out = reinterpret_cast<QRgb*>(dst);
            for (int x = 0; x < width; ++x, src += 3)
                out[x] = qRgb(src[2], src[1], src[0]);
            break;
        }
        case 32: {
            auto* out = reinterpret_cast<QRgb*>(dst);
            if (layout.Compression == BI_RGB) {
                for (int x = 0; x < width; ++x, src += 4)
                    out[x] = qRgb(src[2], src[1], src[0]);
            } else {
                for (int x = 0; x < width; ++x, src += 4) {
                    const std::uint32_t p = U32(src);
                    out[x] = qRgb(red.Extract(p), green.Extract(p), blue.Extract(p));
                }
            }
            break;
        }
        default:
            InvalidBitmap();
        }
    }
    return image;
}

} // namespace

QImage ReadBitmapField(std::string_view data, std::size_t& pos)
{
    if (pos > data.size() || data.size() - pos < 6)
        ReadError();
    const auto* f = reinterpret_cast<const unsigned char*>(data.data() + pos);
    if (f[0] != 'B' || f[1] != 'M')
        InvalidBitmap();
    const std::int64_t fileSize = U32(f + 2);
    if (fileSize > static_cast<std::int64_t>(data.size() - pos))
        ReadError(); // the field claims more bytes than there are
    QImage image = Decode(ParseLayout(f, fileSize));
    pos += static_cast<std::size_t>(fileSize);
    return image;
}

QImage ReadBitmapFromStream(TStream& stream)
{
    char header[6];
    stream.ReadBuffer(header, sizeof header);
    if (header[0] != 'B' || header[1] != 'M')
        InvalidBitmap();
    const std::int64_t fileSize = U32(reinterpret_cast<const unsigned char*>(header + 2));
    if (fileSize < static_cast<std::int64_t>(sizeof header))
        InvalidBitmap();
    // Check the claim against what the stream holds before allocating for it.
    if (fileSize - static_cast<std::int64_t>(sizeof header) > stream.Size() - stream.Position())
        ReadError();
    std::string field(header, sizeof header);
    field.resize(static_cast<std::size_t>(fileSize));
    stream.ReadBuffer(field.data() + sizeof header, fileSize - static_cast<std::int64_t>(sizeof header));
    std::size_t pos = 0;
    return ReadBitmapField(field, pos);
}

std::string EncodeBitmap(const QImage& source)
{
    if (source.isNull() || source.width() <= 0 || source.height() <= 0)
        return {};
    QImage image;
    int bpp = 24;
    QList<QRgb> palette;
    if (source.format() == QImage::Format_Mono || source.format() == QImage::Format_MonoLSB) {
        image = source.convertToFormat(QImage::Format_Mono);
        bpp = 1;
        palette = image.colorTable();
        if (palette.size() < 2)
            palette = { qRgb(0, 0, 0), qRgb(255, 255, 255) };
        palette.resize(2);
    } else if (source.format() == QImage::Format_Indexed8 && source.colorCount() > 0) {
        image = source;
        bpp = 8;
        palette = image.colorTable();
        palette.resize(std::min<qsizetype>(palette.size(), 256));
    } else {
        image = source.convertToFormat(QImage::Format_RGB32);
    }

    const int width = image.width();
    const int height = image.height();
    // The file header counts bytes in 32 bits; a picture that large is no skin picture.
    if (((std::int64_t(width) * bpp + 31) / 32) * 4 * height > 0x7FFFFFFF - 2048)
        InvalidBitmap();
    const std::uint32_t stride = ((static_cast<std::uint32_t>(width) * bpp + 31) / 32) * 4;
    const auto paletteBytes = static_cast<std::uint32_t>(palette.size() * 4);
    const std::uint32_t offBits = FileHeaderSize + InfoHeaderSize + paletteBytes;
    const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(height);

    std::string out;
    out.reserve(offBits + pixelBytes);
    out += "BM";
    PutU32(out, offBits + pixelBytes);
    PutU32(out, 0);
    PutU32(out, offBits);
    PutU32(out, InfoHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(width));
    PutU32(out, static_cast<std::uint32_t>(height)); // bottom-up
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint16_t>(bpp));
    PutU32(out, BI_RGB);
    PutU32(out, pixelBytes);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, bpp <= 8 ? static_cast<std::uint32_t>(palette.size()) : 0);
    PutU32(out, 0);
    for (QRgb c : palette) {
        out += static_cast<char>(qBlue(c));
        out += static_cast<char>(qGreen(c));
        out += static_cast<char>(qRed(c));
        out += '\0';
    }

    std::string row(stride, '\0');
    for (int y = height - 1; y >= 0; --y) {
        std::fill(row.begin(), row.end(), '\0');
        const uchar* src = image.constScanLine(y);
        if (bpp == 1) {
            const int bytes = (width + 7) / 8;
            std::memcpy(row.data(), src, static_cast<std::size_t>(bytes));
            if (width % 8) // keep the padding bits clear
                row[static_cast<std::size_t>(bytes - 1)] &= static_cast<char>(0xFF << (8 - width % 8));
        } else if (bpp == 8) {
            std::memcpy(row.data(), src, static_cast<std::size_t>(width));
        } else {
            const auto* in = reinterpret_cast<const QRgb*>(src);
            for (int x = 0; x < width; ++x) {
                row[3 * x] = static_cast<char>(qBlue(in[x]));
                row[3 * x + 1] = static_cast<char>(qGreen(in[x]));
                row[3 * x + 2] = static_cast<char>(qRed(in[x]));
            }
        }
        out += row;
    }
    return out;
}

QImage LoadBitmapFile(const std::string& path)
{
    const std::string bytes = ReadWholeFile(path);
    std::size_t pos = 0;
    return ReadBitmapField(bytes, pos);
}

void SaveBitmapFile(const QImage& image, const std::string& path)
{
    const std::string bytes = EncodeBitmap(image);
    TFileStream file(path, TFileStream::fmCreate);
    file.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    file.Close();
}
