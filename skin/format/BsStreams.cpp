#include "BsStreams.h"

#include "Exception.h"
#include "Format.h"
#include "GbkCodec.h"
#include "NuvFiles.h"

#include <algorithm>
#include <cstring>
#include <limits>

std::int64_t TStream::Size()
{
    const std::int64_t position = Seek(0, soCurrent);
    const std::int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count)
{
    if (count < 0 || (count != 0 && Read(buffer, count) != count))
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count)
{
    if (count < 0 || (count != 0 && Write(buffer, count) != count))
        throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    if (count < 0)
        throw EReadError("Stream read error");
    const std::int64_t total = count;
    char chunk[65536];
    while (count > 0) {
        const std::int64_t n = std::min<std::int64_t>(count, sizeof chunk);
        source.ReadBuffer(chunk, n);
        WriteBuffer(chunk, n);
        count -= n;
    }
    return total;
}

std::int32_t TStream::ReadInt32()
{
    unsigned char b[4];
    ReadBuffer(b, 4);
    const std::uint32_t v = std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16
        | std::uint32_t(b[3]) << 24;
    return static_cast<std::int32_t>(v);
}

std::uint8_t TStream::ReadByte()
{
    std::uint8_t b = 0;
    ReadBuffer(&b, 1);
    return b;
}

void TStream::WriteInt32(std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    const unsigned char b[4] = { static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
        static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24) };
    WriteBuffer(b, 4);
}

void TStream::WriteByte(std::uint8_t value)
{
    WriteBuffer(&value, 1);
}

// ---------------------------------------------------------------------------

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count)
{
    const auto size = static_cast<std::int64_t>(data_.size());
    if (count <= 0 || position_ >= size)
        return 0;
    const std::int64_t n = std::min(count, size - position_);
    std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count)
{
    if (count <= 0)
        return 0;
    const std::int64_t end = position_ + count;
    if (end > static_cast<std::int64_t>(data_.size()))
        data_.resize(static_cast<std::size_t>(end));
    std::memcpy(data_.data() + position_, buffer, static_cast<std::size_t>(count));
    position_ = end;
    return count;
}

void TMemoryStream::Reserve(std::int64_t capacity)
{
    if (capacity > static_cast<std::int64_t>(data_.capacity()))
        data_.reserve(static_cast<std::size_t>(capacity));
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    std::int64_t base = 0;
    switch (origin) {
    case soBeginning:
        base = 0;
        break;
    case soCurrent:
        base = position_;
        break;
    case soEnd:
        base = static_cast<std::int64_t>(data_.size());
        break;
    }
    // A position past the end is allowed (a later write fills the gap), one before the start is not.
    position_ = std::max<std::int64_t>(0, base + offset);
    return position_;
}

void TMemoryStream::SetSize(std::int64_t size)
{
    data_.resize(static_cast<std::size_t>(std::max<std::int64_t>(0, size)));
    position_ = std::min(position_, static_cast<std::int64_t>(data_.size()));
}

void TMemoryStream::Clear()
{
    data_.clear();
    position_ = 0;
}

std::string TMemoryStream::TakeBytes()
{
    std::string bytes = std::move(data_);
    Clear();
    return bytes;
}

void TMemoryStream::LoadFromFile(const std::string& path)
{
    data_ = ReadWholeFile(path);
    position_ = 0;
}

void TMemoryStream::SaveToFile(const std::string& path) const
{
    TFileStream file(path, TFileStream::fmCreate);
    file.WriteBuffer(data_.data(), static_cast<std::int64_t>(data_.size()));
    file.Close();
}

// ---------------------------------------------------------------------------

TFileStream::TFileStream(const std::string& path, TMode mode)
{
    switch (mode) {
    case fmOpenRead:
        file_ = std::fopen(path.c_str(), "rb");
        break;
    case fmOpenReadWrite:
        file_ = std::fopen(path.c_str(), "r+b");
        break;
    case fmCreate:
        replacer_ = std::make_unique<nuv::FileReplacer>(path);
        if (!replacer_->IsOpen())
            throw EFCreateError(Format("Cannot create file %s", PathToGbk(path).c_str()));
        content_ = std::make_unique<TMemoryStream>();
        return;
    }
    if (!file_)
        throw EFOpenError(Format("Cannot open file %s", PathToGbk(path).c_str()));
}

TFileStream::~TFileStream()
{
    if (file_)
        std::fclose(file_);
}

void TFileStream::Close()
{
    if (replacer_) {
        const std::unique_ptr<nuv::FileReplacer> replacer = std::move(replacer_);
        const std::unique_ptr<TMemoryStream> content = std::move(content_);
        const std::string& bytes = content->Bytes();
        if (!replacer->Write(bytes.data(), bytes.size()) || !replacer->Commit())
            throw EWriteError("Stream write error");
        return;
    }
    std::FILE* file = file_;
    file_ = nullptr;
    if (file && std::fclose(file) != 0)
        throw EWriteError("Stream write error");
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count)
{
    if (content_)
        return content_->Read(buffer, count);
    if (count <= 0 || !file_)
        return 0;
    return static_cast<std::int64_t>(std::fread(buffer, 1, static_cast<std::size_t>(count), file_));
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count)
{
    if (content_)
        return content_->Write(buffer, count);
    if (count <= 0 || !file_)
        return 0;
    return static_cast<std::int64_t>(std::fwrite(buffer, 1, static_cast<std::size_t>(count), file_));
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    if (content_)
        return content_->Seek(offset, origin);
    const int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
    if (!file_ || fseeko(file_, static_cast<off_t>(offset), whence) != 0)
        return -1;
    return static_cast<std::int64_t>(ftello(file_));
}

std::string ReadWholeFile(const std::string& path)
{
    std::string bytes;
    switch (nuv::ReadWholeFile(path, bytes, std::int64_t { std::numeric_limits<std::int32_t>::max() } + 1)) {
    case nuv::FileRead::Done:
        break;
    case nuv::FileRead::ReadFailed:
        throw EReadError("Stream read error");
    default:
        throw EFOpenError(Format("Cannot open file %s", PathToGbk(path).c_str()));
    }
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw EReadError("Stream read error");
    return bytes;
}
