#include "BsSkinPackage.h"

#include "BsBitmapFile.h"
#include "BsIniFile.h"
#include "BsStreams.h"
#include "Exception.h"
#include "GbkCodec.h"

#include <cstring>

namespace {

// The smallest field a BMP can be: file header plus the smallest info header.
constexpr std::size_t MinBitmapFieldSize = 14 + 12;

// Reads the package front to back; every read checks the bytes left.
class PackageReader {
public:
    explicit PackageReader(std::string_view bytes)
        : bytes_(bytes)
    {
    }

    std::int32_t Int32()
    {
        Need(4);
        const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + pos_);
        pos_ += 4;
        return static_cast<std::int32_t>(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8
            | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24);
    }
    std::uint8_t Byte()
    {
        Need(1);
        return static_cast<std::uint8_t>(bytes_[pos_++]);
    }
    QImage Bitmap() { return ReadBitmapField(bytes_, pos_); }
    // A flag byte, then the picture when the flag is 0.
    QImage OptionalBitmap() { return Byte() != 0 ? QImage() : Bitmap(); }
    std::size_t Left() const { return bytes_.size() - pos_; }
    std::string Rest()
    {
        std::string rest(bytes_.substr(pos_));
        pos_ = bytes_.size();
        return rest;
    }

private:
    void Need(std::size_t count) const
    {
        if (Left() < count)
            throw EReadError("Stream read error");
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

void PutInt32(std::string& out, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void PutOptionalBitmap(std::string& out, const QImage& image)
{
    if (image.isNull()) {
        out += '\1';
        return;
    }
    out += '\0';
    out += EncodeBitmap(image);
}

QImage LoadNamedPicture(const std::string& folder, const std::string& name)
{
    return name.empty() ? QImage() : LoadBitmapFile(folder + name);
}

} // namespace

TbsSkinPackage ReadSkinPackage(std::string_view bytes)
{
    PackageReader in(bytes);
    TbsSkinPackage package;
    package.Version = in.Int32();
    if (!package.IsReadable())
        return package;
    package.Picture = in.OptionalBitmap();
    package.InActivePicture = in.OptionalBitmap();
    package.Mask = in.OptionalBitmap();
    if (package.Version == 2) {
        in.OptionalBitmap(); // two pictures older skins carried, no longer used
        in.OptionalBitmap();
    }
    const std::int32_t count = in.Int32();
    if (count > 0) {
        // A count the remaining bytes cannot hold is a lie: refuse it before allocating.
        if (static_cast<std::size_t>(count) > in.Left() / MinBitmapFieldSize)
            throw EReadError("Stream read error");
        package.ActivePictures.reserve(static_cast<std::size_t>(count));
        for (std::int32_t i = 0; i < count; ++i)
            package.ActivePictures.push_back(in.Bitmap());
    }
    package.IniText = in.Rest();
    return package;
}

std::string WriteSkinPackage(const TbsSkinPackage& package)
{
    std::string out;
    PutInt32(out, package.Version);
    PutOptionalBitmap(out, package.Picture);
    PutOptionalBitmap(out, package.InActivePicture);
    PutOptionalBitmap(out, package.Mask);
    if (package.Version == 2) {
        out += '\1';
        out += '\1';
    }
    PutInt32(out, static_cast<std::int32_t>(package.ActivePictures.size()));
    for (const QImage& picture : package.ActivePictures)
        out += EncodeBitmap(picture);
    out += package.IniText;
    return out;
}

bool HasSkinMarkerSections(const TbsIniFile& ini)
{
    for (const char* section : { "VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS" })
        if (!ini.SectionExists(section))
            return false;
    return true;
}

std::optional<TbsSkinPackage> BuildSkinPackageFromFolder(const std::string& iniPath)
{
    return BuildSkinPackageFromIniText(iniPath, ReadWholeFile(iniPath));
}

std::optional<TbsSkinPackage> BuildSkinPackageFromIniText(
    const std::string& iniPath, std::string_view fileBytes)
{
    std::string text = NormalizeIniLineEnds(fileBytes);
    const TbsIniFile ini(std::string_view { text });
    if (!HasSkinMarkerSections(ini))
        return std::nullopt;

    const std::string folder = SkinFileFolder(iniPath);
    TbsSkinPackage package;
    package.Picture = LoadNamedPicture(folder, ini.ReadString("PICTURES", "picture"));
    package.InActivePicture = LoadNamedPicture(folder, ini.ReadString("PICTURES", "inactivepicture"));
    package.Mask = LoadNamedPicture(folder, ini.ReadString("PICTURES", "mask"));
    for (const std::string& name : ini.ReadNameList("PICTURES", "activepictures")) {
        // The library is addressed by index, so every entry must be a picture.
        if (name.empty())
            throw EFOpenError("Cannot open file " + PathToGbk(folder));
        package.ActivePictures.push_back(LoadBitmapFile(folder + name));
    }
    package.IniText = std::move(text);
    return package;
}

std::string SkinFileFolder(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string SkinFileName(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
