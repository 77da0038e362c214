#pragma once
// A whole text file in memory: which of four encodings its byte-order mark
// names, and its content as the program's 8-bit text.

#include <QObject>

#include <cstdint>
#include <memory>
#include <string>

namespace nuv {

enum TCharEncode : std::uint8_t {
    ceAnsi = 0, // 8-bit text in the program's code page, no mark
    ceUtf8 = 1, // EF BB BF
    ceUnicode = 2, // UTF-16 little-endian, FF FE
    ceUnicodeBigEndian = 3, // UTF-16 big-endian, FE FF
};

} // namespace nuv

// A component: created with an owner and destroyed with it; no properties.
// The usual sequence is Load, then ToANSI(GetCharEncode()).
class TNuvTextFile : public QObject {
    Q_OBJECT

public:
    explicit TNuvTextFile(QObject* owner = nullptr);
    ~TNuvTextFile() override;

    // Releases the loaded bytes; nothing happens when nothing is loaded.
    void Clear();
    // Replaces the buffer with the file's bytes followed by four zero bytes. A
    // file that cannot be read gives an empty text (four zero bytes). A file of
    // 2 GiB or more raises EReadError and keeps what was loaded.
    void Load(const std::string& fileName);
    // The encoding the byte-order mark names; ceAnsi without one.
    // EAssertionFailed when nothing is loaded.
    nuv::TCharEncode GetCharEncode() const;
    // The text after the mark of `encode`, up to its first zero byte (zero unit
    // for UTF-16), as 8-bit text; characters the code page lacks become "?" and
    // invalid UTF-8 gives an empty text. EAssertionFailed when nothing is loaded.
    std::string ToANSI(nuv::TCharEncode encode);

private:
    void CheckLoaded() const;

    std::unique_ptr<unsigned char[]> FFileBuf; // the file's bytes, then zeros
    const unsigned char* FTextPos = nullptr; // where the text starts, after its mark
    std::int32_t FBufSize = 0; // FFileSize + 4
    std::int32_t FFileSize = 0;
};
