#pragma once
// The skin package: every bitmap of a skin followed by its INI text, in one
// binary stream (the inflated content of a stored skin). Reading is bounded by
// the bytes at hand: a truncated package, a count or a bitmap size that lies
// ends with EReadError or EInvalidGraphic, never with a crash or a huge
// allocation.

#include <QImage>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TbsIniFile;

// Version writers put; readers accept any value below 4.
constexpr std::int32_t SkinPackageVersion = 3;

struct TbsSkinPackage {
    std::int32_t Version = SkinPackageVersion;
    QImage Picture; // main frame picture; null when absent
    QImage InActivePicture; // null when absent
    QImage Mask; // monochrome window shape; null when absent
    std::vector<QImage> ActivePictures; // the picture library, by index
    std::string IniText; // 8-bit text, lines ended by CR LF

    // A package of version 4 or more carries nothing this reader understands.
    bool IsReadable() const { return Version < 4; }
};

// Anything that can hand out a whole skin as a package (the loaded skin data),
// so a stored skin can be made from it without knowing its class.
class TbsSkinPackageSource {
public:
    virtual ~TbsSkinPackageSource() = default;
    virtual TbsSkinPackage MakeSkinPackage() const = 0;
};

// Reads a package. A version of 4 or more stops right after the version (the
// result then holds only Version). A version-2 package's two legacy pictures
// are read and dropped; a negative picture count reads none.
TbsSkinPackage ReadSkinPackage(std::string_view bytes);

// Writes a package with flags for null pictures and the INI text unchanged.
std::string WriteSkinPackage(const TbsSkinPackage& package);

// The five sections an INI file must have to count as a skin:
// [VERSION], [PICTURES], [FORMINFO], [SKINOBJECTS], [SKINCONTROLS].
bool HasSkinMarkerSections(const TbsIniFile& ini);

// Builds a package from a skin folder: the INI file at iniPath and the BMP
// files its [PICTURES] section names, from the INI file's folder. The INI
// lines are kept as they stand, each ended by CR LF. Answers nothing when the
// file lacks a marker section; a picture that cannot be read ends with its
// file or bitmap error.
std::optional<TbsSkinPackage> BuildSkinPackageFromFolder(const std::string& iniPath);
// The same from the INI file's bytes already read; the pictures still come
// from iniPath's folder.
std::optional<TbsSkinPackage> BuildSkinPackageFromIniText(
    const std::string& iniPath, std::string_view fileBytes);

// The folder part of a path, with its trailing "/" (empty for a bare name).
std::string SkinFileFolder(const std::string& path);
// The name part of a path.
std::string SkinFileName(const std::string& path);
