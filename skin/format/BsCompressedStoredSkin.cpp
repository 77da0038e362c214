#include "BsCompressedStoredSkin.h"

#include "BsStreams.h"
#include "Bszlibcompress.h"
#include "Exception.h"

#include <algorithm>

namespace {

void Inflate(const std::string& compressedData, TMemoryStream& target)
{
    // Skin pictures are mostly flat colour and inflate about fifty-fold; room
    // reserved but never written costs no memory.
    constexpr std::int64_t TypicalRatio = 64;
    const auto compressed = static_cast<std::int64_t>(compressedData.size());
    target.Reserve(target.Position() + std::min(MaxInflatedSize, compressed * TypicalRatio));
    TMemoryStream source(compressedData);
    DeCompressStream(target, source);
}

} // namespace

TbsSkinPackage ReadCompressedSkinPackage(const std::string& compressedData)
{
    TMemoryStream inflated;
    Inflate(compressedData, inflated);
    return ReadSkinPackage(inflated.Bytes());
}

TbsCompressedStoredSkin::TbsCompressedStoredSkin(QObject* owner)
    : QObject(owner)
{
}

void TbsCompressedStoredSkin::DeCompressToStream(TMemoryStream& target) const
{
    Inflate(compressedData_, target);
}

TbsSkinPackage TbsCompressedStoredSkin::ReadPackage() const
{
    if (readPackage_) {
        TbsSkinPackage package = std::move(*readPackage_);
        readPackage_.reset();
        return package;
    }
    return ReadCompressedSkinPackage(compressedData_);
}

void TbsCompressedStoredSkin::LoadFromCompressFile(const std::string& path)
{
    compressedData_.clear();
    TMemoryStream file(ReadWholeFile(path));
    LoadFromCompressStream(file);
}

void TbsCompressedStoredSkin::LoadFromCompressStream(TStream& stream)
{
    compressedData_.clear();
    readPackage_.reset();
    stream.SetPosition(0);
    const std::int32_t version = stream.ReadInt32();
    if (version > CompressedSkinFileVersion)
        return;
    const std::int32_t length = stream.ReadInt32();
    // A length that is negative or runs past the data is refused before allocating.
    if (length < 0 || length > stream.Size() - stream.Position())
        throw EReadError("Stream read error");
    std::string bytes(static_cast<std::size_t>(length), '\0');
    stream.ReadBuffer(bytes.data(), length);
    compressedData_ = std::move(bytes);
}

void TbsCompressedStoredSkin::SaveToCompressStream(TStream& stream) const
{
    stream.WriteInt32(CompressedSkinFileVersion);
    stream.WriteInt32(static_cast<std::int32_t>(compressedData_.size()));
    stream.WriteBytes(compressedData_);
}

void TbsCompressedStoredSkin::SaveToCompressFile(const std::string& path) const
{
    if (GetEmpty())
        return;
    TFileStream file(path, TFileStream::fmCreate);
    SaveToCompressStream(file);
    file.Close();
}

void TbsCompressedStoredSkin::LoadFromIniFile(const std::string& path)
{
    // An INI file that cannot be read ends the build before anything changes.
    const std::string fileBytes = ReadWholeFile(path);
    std::optional<TbsSkinPackage> package;
    try {
        package = BuildSkinPackageFromIniText(path, fileBytes);
    } catch (...) {
        // Past the marker check the old skin is gone: a picture that cannot
        // be read leaves the stored skin empty rather than stale.
        compressedData_.clear();
        throw;
    }
    if (package) // not a skin: nothing changes
        LoadFromPackage(*package);
}

void TbsCompressedStoredSkin::LoadFromSkinData(const TbsSkinPackageSource& skinData)
{
    LoadFromPackage(skinData.MakeSkinPackage());
}

void TbsCompressedStoredSkin::LoadFromPackage(const TbsSkinPackage& package)
{
    TMemoryStream source(WriteSkinPackage(package));
    TMemoryStream target;
    CompressStream(source, target);
    compressedData_ = target.TakeBytes();
    readPackage_.reset();
}
