// BMP fields: round trips at every depth we write, hand-made files at the
// depths we only read, and the hostile headers each refused with its error.
#include "BsBitmapFile.h"

#include "BsStreams.h"
#include "Exception.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

std::uint32_t U32At(const std::string& bytes, std::size_t offset)
{
    std::uint32_t v = 0;
    std::memcpy(&v, bytes.data() + offset, 4);
    return v;
}

void PutU32At(std::string& bytes, std::size_t offset, std::uint32_t v)
{
    std::memcpy(bytes.data() + offset, &v, 4);
}

QImage ColourPicture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x + y) % 256));
    return image;
}

QImage MaskPicture(int w, int h)
{
    QImage mask(w, h, QImage::Format_Mono);
    mask.setColorTable({ qRgb(0, 0, 0), qRgb(255, 255, 255) });
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            mask.setPixel(x, y, (x * y + x) % 3 == 0 ? 1 : 0);
    return mask;
}

void ExpectSamePixels(const QImage& a, const QImage& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            ASSERT_EQ(a.pixel(x, y), b.pixel(x, y)) << x << "," << y;
}

TEST(BitmapField, RoundTripsAndConsumesExactlyBfSize)
{
    const QImage colour = ColourPicture(13, 7); // odd width: rows need padding
    const QImage mask = MaskPicture(21, 5);
    QImage indexed(5, 3, QImage::Format_Indexed8);
    indexed.setColorTable({ qRgb(1, 2, 3), qRgb(200, 100, 50), qRgb(9, 9, 9) });
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            indexed.setPixel(x, y, static_cast<uint>((x + y) % 3));

    const std::string c = EncodeBitmap(colour);
    const std::string m = EncodeBitmap(mask);
    const std::string i = EncodeBitmap(indexed);
    // Header + colour table + rows, nothing more.
    EXPECT_EQ(U32At(c, 2), c.size());
    EXPECT_EQ(c.size(), 14u + 40u + 7u * 40u);
    EXPECT_EQ(m.size(), 14u + 40u + 2u * 4u + 5u * 4u);
    EXPECT_EQ(i.size(), 14u + 40u + 3u * 4u + 3u * 8u);
    EXPECT_EQ(c[28], 24);
    EXPECT_EQ(m[28], 1);
    EXPECT_EQ(i[28], 8);

    const std::string joined = c + m + i + "tail";
    std::size_t pos = 0;
    const QImage c2 = ReadBitmapField(joined, pos);
    EXPECT_EQ(pos, c.size());
    const QImage m2 = ReadBitmapField(joined, pos);
    const QImage i2 = ReadBitmapField(joined, pos);
    EXPECT_EQ(joined.substr(pos), "tail");

    ExpectSamePixels(c2, colour);
    EXPECT_EQ(m2.format(), QImage::Format_Mono);
    ExpectSamePixels(m2, mask);
    EXPECT_EQ(i2.format(), QImage::Format_Indexed8);
    ExpectSamePixels(i2, indexed);
    EXPECT_EQ(EncodeBitmap(QImage()), "");
}

// A hand-made 2x2 file at a depth we read but do not write.
std::string TinyBitmap(int bpp, int height, const std::string& palette, const std::string& pixels)
{
    std::string f = "BM";
    auto put32 = [&](std::uint32_t v) { f.append(reinterpret_cast<const char*>(&v), 4); };
    auto put16 = [&](std::uint16_t v) { f.append(reinterpret_cast<const char*>(&v), 2); };
    const auto offBits = static_cast<std::uint32_t>(14 + 40 + palette.size());
    put32(static_cast<std::uint32_t>(offBits + pixels.size()));
    put32(0);
    put32(offBits);
    put32(40);
    put32(2);
    put32(static_cast<std::uint32_t>(height));
    put16(1);
    put16(static_cast<std::uint16_t>(bpp));
    put32(0);
    put32(0);
    put32(0);
    put32(0);
    put32(static_cast<std::uint32_t>(palette.size() / 4));
    put32(0);
    return f + palette + pixels;
}

TEST(BitmapField, ReadsFourAndThirtyTwoBitsBottomUpAndTopDown)
{
    const std::string palette("\x00\x00\xFF\x00\x00\xFF\x00\x00\xFF\x00\x00\x00", 12); // red, green, blue
    // Rows bottom-up: file row 0 is the picture's last row.
    const std::string four = TinyBitmap(4, 2, palette, std::string("\x01\x00\x00\x00\x20\x00\x00\x00", 8));
    std::size_t pos = 0;
    const QImage a = ReadBitmapField(four, pos);
    EXPECT_EQ(a.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(a.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(a.pixel(0, 1), qRgb(255, 0, 0));
    EXPECT_EQ(a.pixel(1, 1), qRgb(0, 255, 0));

    const std::string rows("\x01\x02\x03\x00\x04\x05\x06\x00\x07\x08\x09\x00\x0A\x0B\x0C\x00", 16);
    const std::string topDown = TinyBitmap(32, -2, "", rows);
    pos = 0;
    const QImage b = ReadBitmapField(topDown, pos);
    EXPECT_EQ(b.pixel(0, 0), qRgb(3, 2, 1));
    EXPECT_EQ(b.pixel(1, 1), qRgb(12, 11, 10));
}

TEST(BitmapField, BitfieldChannelsOfAnyWidthScaleToEightBits)
{
    struct Case {
        std::uint32_t red, green, blue, pixel;
        QRgb expected;
    };
    // Masks wider than 24 bits once overflowed the scaling multiply.
    for (Case c : { Case { 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, qRgb(255, 255, 255) },
             Case { 0xFFFFFFF0u, 0x0000000Cu, 0x00000003u, 0xFFFFFFF0u, qRgb(255, 0, 0) },
             Case { 0xFFFFFFF0u, 0x0000000Cu, 0x00000003u, 0x8000000Fu, qRgb(128, 255, 255) } }) {
        std::string masks;
        for (std::uint32_t m : { c.red, c.green, c.blue })
            masks.append(reinterpret_cast<const char*>(&m), 4);
        std::string pixels;
        for (int i = 0; i < 4; ++i)
            pixels.append(reinterpret_cast<const char*>(&c.pixel), 4);
        std::string file = TinyBitmap(32, 2, masks, pixels);
        PutU32At(file, 30, 3); // BI_BITFIELDS, masks after the header
        PutU32At(file, 46, 0); // no colour table
        std::size_t pos = 0;
        const QImage image = ReadBitmapField(file, pos);
        EXPECT_EQ(image.pixel(1, 1), c.expected) << std::hex << c.red << " " << c.pixel;
    }
}

TEST(BitmapField, HostileHeadersEndInTheirErrors)
{
    const std::string good = EncodeBitmap(ColourPicture(4, 4));
    enum Expect { Invalid, Read };
    struct Case {
        const char* name;
        std::string bytes;
        Expect expect;
    };
    auto with32 = [&](std::size_t offset, std::uint32_t v) {
        std::string b = good;
        PutU32At(b, offset, v);
        return b;
    };
    std::string notBm = good;
    notBm[0] = 'X';
    const Case cases[] = {
        { "not BM", notBm, Invalid },
        { "empty", "", Read },
        { "only BM", "BM", Read },
        { "truncated", good.substr(0, good.size() - 1), Read },
        { "bfSize past the data", with32(2, static_cast<std::uint32_t>(good.size()) + 1), Read },
        { "bfSize 4 GiB", with32(2, 0xFFFFFFFFu), Read },
        { "bfSize below the headers", with32(2, 20), Invalid },
        { "bfSize cuts the pixels", with32(2, static_cast<std::uint32_t>(good.size()) - 4), Invalid },
        { "zero width", with32(18, 0), Invalid },
        { "negative width", with32(18, 0xFFFFFFFFu), Invalid },
        { "zero height", with32(22, 0), Invalid },
        { "huge width", with32(18, 1u << 30), Invalid },
        { "huge height", with32(22, 100000), Invalid },
        { "height INT_MIN", with32(22, 0x80000000u), Invalid },
        { "unknown header size", with32(14, 41), Invalid },
        { "header size past the field", with32(14, 124), Invalid },
        { "16 bits",
            [&] {
                std::string b = good;
                b[28] = 16;
                return b;
            }(),
            Invalid },
        { "run-length", with32(30, 1), Invalid },
        { "pixels offset past the field", with32(10, 1000), Invalid },
        { "pixels offset inside the header", with32(10, 20), Invalid },
        { "colour table larger than the depth allows",
            TinyBitmap(4, 2, std::string(17 * 4, '\0'), std::string(8, '\0')), Invalid },
        { "colour table of 300 entries", with32(46, 300), Invalid },
    };
    for (const Case& c : cases) {
        std::size_t pos = 0;
        try {
            ReadBitmapField(c.bytes, pos);
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(c.expect, Invalid) << c.name;
            EXPECT_STREQ(e.what(), "Bitmap image is not valid");
        } catch (const EReadError& e) {
            EXPECT_EQ(c.expect, Read) << c.name;
            EXPECT_STREQ(e.what(), "Stream read error");
        }
        EXPECT_EQ(pos, 0u) << c.name;
    }
}

TEST(BitmapField, FilesAndStreams)
{
    testsupport::TempDir dir;
    const QImage mask = MaskPicture(30, 10);
    SaveBitmapFile(mask, dir.File("mask.bmp"));
    ExpectSamePixels(LoadBitmapFile(dir.File("mask.bmp")), mask);
    EXPECT_THROW(LoadBitmapFile(dir.File("absent.bmp")), EFOpenError);

    TMemoryStream stream(EncodeBitmap(mask) + EncodeBitmap(ColourPicture(3, 3)));
    ExpectSamePixels(ReadBitmapFromStream(stream), mask);
    EXPECT_EQ(ReadBitmapFromStream(stream).width(), 3);
    EXPECT_THROW(ReadBitmapFromStream(stream), EReadError);
}

} // namespace
