#pragma once
// Byte streams in the shape the skin code moves data with: a positioned
// read/write interface, an in-memory stream and a file stream. Qt-free.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace nuv {
class FileReplacer;
}

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;

    // Transfer up to count bytes; answer how many moved (0 at the end).
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    // Answer the new position.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
    virtual std::int64_t Size();

    // Move exactly count bytes or throw EReadError / EWriteError.
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);
    // Copy count bytes from source at its position (count 0: all of source from 0).
    std::int64_t CopyFrom(TStream& source, std::int64_t count);

    std::int32_t ReadInt32(); // little-endian
    std::uint8_t ReadByte();
    void WriteInt32(std::int32_t value);
    void WriteByte(std::uint8_t value);
    void WriteBytes(std::string_view bytes)
    {
        WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    }
};

// A growable buffer of bytes.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::string bytes)
        : data_(std::move(bytes))
    {
    }

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }

    void SetSize(std::int64_t size);
    // Room for `capacity` bytes without changing the size: a writer that knows
    // roughly how much is coming saves the copies of growing step by step.
    void Reserve(std::int64_t capacity);
    void Clear();
    const std::string& Bytes() const { return data_; }
    std::string TakeBytes(); // leaves the stream empty

    void LoadFromFile(const std::string& path); // EFOpenError, EReadError
    void SaveToFile(const std::string& path) const; // EFCreateError, EWriteError

private:
    std::string data_;
    std::int64_t position_ = 0;
};

// A file opened for reading, or created for writing. A created file gets its
// content on Close, in one step (nuv::FileReplacer): until then, and when the
// stream is destroyed without Close, the file on disk keeps its old content.
class TFileStream : public TStream {
public:
    enum TMode { fmOpenRead, fmCreate, fmOpenReadWrite };
    // Throws EFOpenError "Cannot open file %s" or EFCreateError "Cannot create file %s".
    TFileStream(const std::string& path, TMode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    // Flushes and closes the file; EWriteError when the data could not be
    // written out. A writer calls it so a failure is not lost in the destructor.
    void Close();

private:
    std::FILE* file_ = nullptr;
    // A created file: its content so far, and what puts it in place.
    std::unique_ptr<TMemoryStream> content_;
    std::unique_ptr<nuv::FileReplacer> replacer_;
};

// The whole content of a file (EFOpenError when it cannot be opened or is no
// regular file, EReadError when reading fails).
std::string ReadWholeFile(const std::string& path);
