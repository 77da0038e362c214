#include "NuvTextFile.h"

#include "Exception.h"
#include "NuvCodePage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>

namespace {

// Zero bytes after the content: an 8-bit text ends at a zero byte and a 16-bit
// text at a zero unit, whatever the parity of the file's size.
constexpr std::int32_t Padding = 4;

} // namespace

TNuvTextFile::TNuvTextFile(QObject* owner)
    : QObject(owner)
{
}

TNuvTextFile::~TNuvTextFile()
{
    Clear();
}

void TNuvTextFile::Clear()
{
    FFileBuf.reset();
    FTextPos = nullptr;
}

void TNuvTextFile::Load(const std::string& fileName)
{
    // The size comes from the opened file itself, so it is the file that is read
    // (a name with "*" is no pattern here) and a file swapped meanwhile cannot
    // make the read overrun. Non-blocking, so a named pipe cannot hang the caller.
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info { };
    std::int64_t size = 0;
    if (fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        size = info.st_size;
    if (size > std::numeric_limits<std::int32_t>::max() - Padding) {
        ::close(fd);
        throw EReadError("File too large to read as text: " + fileName);
    }

    Clear();
    FFileSize = static_cast<std::int32_t>(size);
    FBufSize = FFileSize + Padding;
    FFileBuf = std::make_unique<unsigned char[]>(static_cast<std::size_t>(FBufSize)); // all zero
    if (fd < 0)
        return;
    std::int32_t total = 0;
    while (total < FFileSize) {
        const ssize_t got = ::read(fd, FFileBuf.get() + total, static_cast<std::size_t>(FFileSize - total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break; // what could not be read stays zero, as if the file ended there
        total += static_cast<std::int32_t>(got);
    }
    ::close(fd);
}

void TNuvTextFile::CheckLoaded() const
{
    if (!FFileBuf)
        throw EAssertionFailed("Assertion failed: FFileBuf != NULL");
}

nuv::TCharEncode TNuvTextFile::GetCharEncode() const
{
    CheckLoaded();
    const unsigned char* b = FFileBuf.get(); // at least four bytes
    if (FFileSize < 2)
        return nuv::ceAnsi;
    if (b[0] == 0xFF && b[1] == 0xFE)
        return nuv::ceUnicode;
    if (b[0] == 0xFE && b[1] == 0xFF)
        return nuv::ceUnicodeBigEndian;
    if (b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF)
        return nuv::ceUtf8;
    return nuv::ceAnsi;
}

std::string TNuvTextFile::ToANSI(nuv::TCharEncode encode)
{
    CheckLoaded();
    const unsigned char* const start = FFileBuf.get();
    const unsigned char* const end = start + FBufSize;
    FTextPos = start;

    switch (encode) {
    case nuv::ceUnicode:
    case nuv::ceUnicodeBigEndian: {
        FTextPos = start + 2;
        const bool bigEndian = encode == nuv::ceUnicodeBigEndian;
        std::u32string text;
        for (const unsigned char* p = FTextPos; p + 1 < end; p += 2) {
            char32_t unit = bigEndian ? (p[0] << 8 | p[1]) : (p[1] << 8 | p[0]);
            if (unit == 0)
                break;
            // A surrogate pair makes one character; a lone surrogate is no
            // character and comes out as "?".
            if (unit >= 0xD800 && unit <= 0xDBFF && p + 3 < end) {
                const char32_t low = bigEndian ? (p[2] << 8 | p[3]) : (p[3] << 8 | p[2]);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                    p += 2;
                }
            }
            text += unit;
        }
        return nuv::CodePointsToAnsi(text);
    }
    case nuv::ceUtf8: {
        FTextPos = start + 3;
        const auto* text = reinterpret_cast<const char*>(FTextPos);
        const std::size_t length = ::strnlen(text, static_cast<std::size_t>(end - FTextPos));
        const auto decoded = nuv::DecodeUtf8(std::string_view(text, length));
        return decoded ? nuv::CodePointsToAnsi(*decoded) : std::string();
    }
    default: {
        const auto* text = reinterpret_cast<const char*>(start);
        return std::string(text, ::strnlen(text, static_cast<std::size_t>(FBufSize)));
    }
    }
}
