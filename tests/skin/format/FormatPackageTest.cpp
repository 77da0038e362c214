// Skin packages and stored skins: round trips, the version rules, compressed
// file headers, building from a skin folder, and hostile packages.
#include "BsCompressedStoredSkin.h"

#include "BsBitmapFile.h"
#include "BsIniFile.h"
#include "BsStreams.h"
#include "Bszlibcompress.h"
#include "Exception.h"
#include "GbkText.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

QImage Filled(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage Mono(int w, int h)
{
    QImage mask(w, h, QImage::Format_Mono);
    mask.setColorTable({ qRgb(0, 0, 0), qRgb(255, 255, 255) });
    mask.fill(1);
    mask.setPixel(0, 0, 0);
    return mask;
}

const char* const SkinIni = "[VERSION]\r\nver=1\r\nskinname=Test\r\n\r\n"
                            "[PICTURES]\r\npicture=main.bmp\r\ninactivepicture=\r\nmask=mask.bmp\r\n"
                            "activepicturescount=2\r\n0=lib0.bmp\r\n1=lib1.bmp\r\n\r\n"
                            "[FORMINFO]\r\nclientrect=4,29,425,326\r\n\r\n"
                            "[SKINOBJECTS]\r\ncount=0\r\n\r\n"
                            "[SKINCONTROLS]\r\ncount=0\r\n\r\n";

TbsSkinPackage SamplePackage()
{
    TbsSkinPackage package;
    package.Picture = Filled(20, 10, qRgb(10, 20, 30));
    package.Mask = Mono(20, 10);
    package.ActivePictures = { Filled(3, 3, qRgb(1, 1, 1)), Mono(9, 2), Filled(5, 1, qRgb(0, 200, 0)) };
    package.IniText = SkinIni;
    return package;
}

void ExpectSamePackage(const TbsSkinPackage& a, const TbsSkinPackage& b)
{
    EXPECT_EQ(a.Version, b.Version);
    EXPECT_EQ(EncodeBitmap(a.Picture), EncodeBitmap(b.Picture));
    EXPECT_EQ(a.InActivePicture.isNull(), b.InActivePicture.isNull());
    EXPECT_EQ(EncodeBitmap(a.Mask), EncodeBitmap(b.Mask));
    ASSERT_EQ(a.ActivePictures.size(), b.ActivePictures.size());
    for (std::size_t i = 0; i < a.ActivePictures.size(); ++i)
        EXPECT_EQ(EncodeBitmap(a.ActivePictures[i]), EncodeBitmap(b.ActivePictures[i])) << i;
    EXPECT_EQ(a.IniText, b.IniText);
}

TEST(SkinPackage, RoundTripFieldByField)
{
    const TbsSkinPackage package = SamplePackage();
    const std::string bytes = WriteSkinPackage(package);
    // Version, then flag 0 + main picture, flag 1 for the missing inactive picture, flag 0 + mask.
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x03\x00\x00\x00", 4));
    EXPECT_EQ(bytes[4], 0);
    EXPECT_EQ(bytes.substr(5, 2), "BM");
    const std::size_t afterMain = 5 + EncodeBitmap(package.Picture).size();
    EXPECT_EQ(bytes[afterMain], 1);
    EXPECT_EQ(bytes.substr(bytes.size() - std::strlen(SkinIni)), SkinIni);

    ExpectSamePackage(ReadSkinPackage(bytes), package);
}

TEST(SkinPackage, VersionRules)
{
    TbsSkinPackage legacy = SamplePackage();
    legacy.Version = 2;
    // A version-2 package carries two more flag+picture pairs that readers drop.
    std::string v2 = WriteSkinPackage(legacy);
    const std::size_t pairsAt
        = 4 + 1 + EncodeBitmap(legacy.Picture).size() + 1 + 1 + EncodeBitmap(legacy.Mask).size();
    ASSERT_EQ(v2.substr(pairsAt, 2), std::string("\x01\x01", 2));
    v2.replace(pairsAt, 2,
        std::string(1, '\0') + EncodeBitmap(Filled(2, 2, 0)) + std::string(1, '\0')
            + EncodeBitmap(Mono(3, 3)));
    ExpectSamePackage(ReadSkinPackage(v2), legacy);

    TbsSkinPackage future = SamplePackage();
    future.Version = 4;
    const TbsSkinPackage read = ReadSkinPackage(WriteSkinPackage(future));
    EXPECT_EQ(read.Version, 4);
    EXPECT_FALSE(read.IsReadable());
    EXPECT_TRUE(read.Picture.isNull());
    EXPECT_TRUE(read.ActivePictures.empty());
    EXPECT_TRUE(read.IniText.empty());

    // Everything empty: three flags set, no library, no text.
    const std::string bare("\x03\x00\x00\x00\x01\x01\x01\x00\x00\x00\x00", 11);
    const TbsSkinPackage empty = ReadSkinPackage(bare);
    EXPECT_TRUE(empty.Picture.isNull() && empty.InActivePicture.isNull() && empty.Mask.isNull());
    EXPECT_TRUE(empty.ActivePictures.empty());
}

TEST(SkinPackage, HostilePackagesEndInErrors)
{
    const std::string good = WriteSkinPackage(SamplePackage());
    const std::size_t countAt = 4 + 1 + EncodeBitmap(SamplePackage().Picture).size() + 1 + 1
        + EncodeBitmap(SamplePackage().Mask).size();
    auto withCount = [&](std::int32_t n) {
        std::string b = good;
        std::memcpy(b.data() + countAt, &n, 4);
        return b;
    };
    std::string notBm = good;
    notBm[5] = 'X';

    // A negative count reads no pictures: the library bytes then read as text.
    EXPECT_TRUE(ReadSkinPackage(withCount(-3)).ActivePictures.empty());

    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case readErrors[] = {
        { "empty", "" },
        { "cut inside the version", good.substr(0, 3) },
        { "cut before a flag", good.substr(0, 4) },
        { "cut inside the main picture", good.substr(0, 40) },
        { "cut inside the count", good.substr(0, countAt + 2) },
        { "cut inside the library", good.substr(0, countAt + 10) },
        { "count larger than the bytes could hold", withCount(0x7FFFFFFF) },
    };
    for (const Case& c : readErrors)
        EXPECT_THROW(ReadSkinPackage(c.bytes), EReadError) << c.name;
    EXPECT_THROW(ReadSkinPackage(notBm), EInvalidGraphic);
    // One picture more than present: the INI text is read as a picture and is no BMP.
    EXPECT_THROW(ReadSkinPackage(withCount(4)), EInvalidGraphic);
}

TEST(StoredSkin, CompressedFileHeaderAndRoundTrip)
{
    testsupport::TempDir dir;
    TbsCompressedStoredSkin skin;
    EXPECT_TRUE(skin.GetEmpty());
    skin.SaveToCompressFile(dir.File("empty.ure"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("empty.ure"))); // nothing to write

    skin.LoadFromPackage(SamplePackage());
    ASSERT_FALSE(skin.GetEmpty());
    skin.SaveToCompressFile(dir.File("skin.ure"));
    const std::string file = testsupport::ReadFile(dir.File("skin.ure"));
    const std::string& data = skin.CompressedData();
    EXPECT_EQ(file.substr(0, 4), std::string("\x03\x00\x00\x00", 4));
    std::int32_t n = 0;
    std::memcpy(&n, file.data() + 4, 4);
    EXPECT_EQ(static_cast<std::size_t>(n), data.size());
    EXPECT_EQ(file.substr(8), data);

    TbsCompressedStoredSkin back;
    back.LoadFromCompressFile(dir.File("skin.ure"));
    EXPECT_EQ(back.CompressedData(), data);
    ExpectSamePackage(back.ReadPackage(), SamplePackage());

    TMemoryStream inflated(std::string("keep"));
    inflated.Seek(0, soEnd);
    back.DeCompressToStream(inflated);
    EXPECT_EQ(inflated.Bytes(), "keep" + WriteSkinPackage(SamplePackage()));

    // A file whose data cannot be written out is an error, not a silent short file.
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_THROW(skin.SaveToCompressFile("/dev/full"), EWriteError);
        EXPECT_THROW(TbsIniFile("[VERSION]\r\nver=1\r\n").SaveToFile("/dev/full"), EWriteError);
        EXPECT_THROW(SaveBitmapFile(Filled(4, 4, qRgb(1, 2, 3)), "/dev/full"), EWriteError);
    }
}

TEST(StoredSkin, CompressedFileHeaderCases)
{
    const std::string data = "zlib-bytes";
    auto header = [](std::int32_t version, std::int32_t n) {
        std::string h(8, '\0');
        std::memcpy(h.data(), &version, 4);
        std::memcpy(h.data() + 4, &n, 4);
        return h;
    };
    TbsCompressedStoredSkin skin;

    TMemoryStream older(header(-7, 10) + data);
    older.SetPosition(5); // read from the start whatever the position
    skin.LoadFromCompressStream(older);
    EXPECT_EQ(skin.CompressedData(), data);

    TMemoryStream newer(header(4, 10) + data);
    skin.LoadFromCompressStream(newer);
    EXPECT_TRUE(skin.GetEmpty());

    const std::string bad[]
        = { header(3, 11) + data, header(3, -1) + data, header(3, 0x7FFFFFFF), "\x03\x00" };
    for (const std::string& bytes : bad) {
        skin.SetCompressedData("old");
        TMemoryStream stream(bytes);
        EXPECT_THROW(skin.LoadFromCompressStream(stream), EReadError);
        EXPECT_TRUE(skin.GetEmpty());
    }

    testsupport::TempDir dir;
    EXPECT_THROW(skin.LoadFromCompressFile(dir.File("absent.ure")), EFOpenError);
}

// Messages are GBK program text while file names are UTF-8: a name in a
// message must read as the user wrote it once the message reaches the screen.
TEST(FileStream, MessagesShowChineseFileNames)
{
    testsupport::TempDir dir;
    const std::string absent = dir.File("皮肤.ure");
    const std::string inMissingFolder = dir.File("没有/新皮肤.ure");
    try {
        TFileStream(absent, TFileStream::fmOpenRead);
        ADD_FAILURE() << "opened a missing file";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(GbkToQString(e.Message()), QStringLiteral("Cannot open file ") + QString::fromUtf8(absent));
    }
    try {
        TFileStream(inMissingFolder, TFileStream::fmCreate);
        ADD_FAILURE() << "created a file in a missing folder";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(GbkToQString(e.Message()),
            QStringLiteral("Cannot create file ") + QString::fromUtf8(inMissingFolder));
    }
}

TEST(StoredSkin, DamagedCompressedDataEndsInDecompressionError)
{
    TbsCompressedStoredSkin skin;
    skin.SetCompressedData("definitely not zlib");
    EXPECT_THROW(skin.ReadPackage(), EDecompressionError);
}

class SkinFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        SaveBitmapFile(Filled(20, 10, qRgb(10, 20, 30)), dir.File("main.bmp"));
        SaveBitmapFile(Mono(20, 10), dir.File("mask.bmp"));
        SaveBitmapFile(Filled(3, 3, qRgb(1, 1, 1)), dir.File("lib0.bmp"));
        SaveBitmapFile(Mono(9, 2), dir.File("lib1.bmp"));
    }
    testsupport::TempDir dir;
};

TEST_F(SkinFolder, BuildsThePackageWithLinesUnchanged)
{
    // LF line ends and odd spacing on disk: the package keeps the lines, ended by CR LF.
    std::string onDisk = SkinIni;
    std::string lf;
    for (char c : onDisk)
        if (c != '\r')
            lf += c;
    lf.insert(0, "; authored by hand\n  ");
    testsupport::WriteFile(dir.File("skin.ini"), lf);

    TbsCompressedStoredSkin skin;
    skin.LoadFromIniFile(dir.File("skin.ini"));
    ASSERT_FALSE(skin.GetEmpty());
    const TbsSkinPackage package = skin.ReadPackage();
    EXPECT_EQ(package.IniText, "; authored by hand\r\n  " + std::string(SkinIni));
    EXPECT_EQ(package.Picture.size(), QSize(20, 10));
    EXPECT_TRUE(package.InActivePicture.isNull());
    EXPECT_EQ(package.Mask.format(), QImage::Format_Mono);
    ASSERT_EQ(package.ActivePictures.size(), 2u);
    EXPECT_EQ(package.ActivePictures[1].size(), QSize(9, 2));
}

TEST_F(SkinFolder, NotASkinChangesNothingAndAMissingPictureEmptiesTheStoredSkin)
{
    TbsCompressedStoredSkin skin;
    skin.SetCompressedData("previous");
    for (const char* marker :
        { "[VERSION]", "[PICTURES]", "[FORMINFO]", "[SKINOBJECTS]", "[SKINCONTROLS]" }) {
        std::string text = SkinIni;
        text.replace(text.find(marker), std::strlen(marker), "[OTHER]");
        testsupport::WriteFile(dir.File("partial.ini"), text);
        skin.LoadFromIniFile(dir.File("partial.ini"));
        EXPECT_EQ(skin.CompressedData(), "previous") << marker;
    }
    EXPECT_THROW(skin.LoadFromIniFile(dir.File("absent.ini")), EFOpenError);
    EXPECT_EQ(skin.CompressedData(), "previous");

    std::filesystem::remove(dir.File("lib1.bmp"));
    testsupport::WriteFile(dir.File("skin.ini"), SkinIni);
    EXPECT_THROW(skin.LoadFromIniFile(dir.File("skin.ini")), EFOpenError);
    EXPECT_TRUE(skin.GetEmpty());

    testsupport::WriteFile(dir.File("lib1.bmp"), "BMnot really a bitmap");
    EXPECT_THROW(skin.LoadFromIniFile(dir.File("skin.ini")), EStreamError);
}

} // namespace
