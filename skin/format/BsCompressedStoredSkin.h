#pragma once
// The stored skin: one skin package held deflated in memory, the form in
// which the program carries its own skin. It reads and writes compressed skin
// files (an 8-byte header of version 3 and length N, then the zlib stream) and
// builds itself from a skin folder or from loaded skin data.

#include "BsSkinPackage.h"

#include <QObject>

#include <optional>
#include <string>

class TStream;
class TMemoryStream;

// Version of the compressed skin file header; readers accept any value up to it.
constexpr std::int32_t CompressedSkinFileVersion = 3;

// Inflates a stored skin's zlib stream and reads its package. It makes no Qt
// object, so it may run on any thread, also before the application exists.
TbsSkinPackage ReadCompressedSkinPackage(const std::string& compressedData);

class TbsCompressedStoredSkin : public QObject {
    Q_OBJECT
public:
    explicit TbsCompressedStoredSkin(QObject* owner = nullptr);

    const std::string& Description() const { return description_; }
    void SetDescription(const std::string& value) { description_ = value; }
    // Name (without folder) of the INI file last built from; setting it only records it.
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& value) { fileName_ = value; }
    // Name (without folder) of the compressed file last loaded; setting it only records it.
    const std::string& CompressedFileName() const { return compressedFileName_; }
    void SetCompressedFileName(const std::string& value) { compressedFileName_ = value; }

    // The raw zlib stream (what the component persists as "CompressedData").
    const std::string& CompressedData() const { return compressedData_; }
    void SetCompressedData(std::string bytes)
    {
        compressedData_ = std::move(bytes);
        readPackage_.reset();
    }

    bool GetEmpty() const { return compressedData_.empty(); }

    // Inflates the compressed data, appending at target's position
    // (EDecompressionError for a damaged or oversized stream).
    void DeCompressToStream(TMemoryStream& target) const;
    // Inflates and reads the package.
    TbsSkinPackage ReadPackage() const;
    // A package read from the same data beforehand (on another thread while
    // the program starts): the next ReadPackage answers it instead of reading
    // again. New compressed data drops it.
    void SetReadPackage(TbsSkinPackage package) { readPackage_ = std::move(package); }

    // Reads a compressed skin file. A version above 3 leaves the stored skin
    // empty; an N that is negative or runs past the data is EReadError.
    void LoadFromCompressFile(const std::string& path);
    void LoadFromCompressStream(TStream& stream); // from position 0
    void SaveToCompressStream(TStream& stream) const;
    // Writes nothing when the stored skin is empty.
    void SaveToCompressFile(const std::string& path) const;

    // Builds from a skin folder; returns without change when the INI file is
    // not a skin. A picture that cannot be read leaves the stored skin empty.
    void LoadFromIniFile(const std::string& path);
    // Builds from loaded skin data: its pictures and its values written afresh.
    void LoadFromSkinData(const TbsSkinPackageSource& skinData);
    // Writes and deflates a package into the compressed data.
    void LoadFromPackage(const TbsSkinPackage& package);

private:
    std::string description_;
    std::string fileName_;
    std::string compressedFileName_;
    std::string compressedData_;
    mutable std::optional<TbsSkinPackage> readPackage_;
};
