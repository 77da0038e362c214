#pragma once
// zlib streams over TStream: whole-stream compress and decompress, and the
// incremental compression and decompression streams. zlib failures raise
// ECompressionError "error" (deflate) or EDecompressionError "compression
// error" (inflate); operations a stream does not support raise the same
// classes with "Invalid stream operation".

#include "BsStreams.h"
#include "Exception.h"

#include <zlib.h>

#include <cstdint>
#include <functional>

class EZlibError : public Exception {
    using Exception::Exception;
};
class ECompressionError : public EZlibError {
    using EZlibError::EZlibError;
};
class EDecompressionError : public EZlibError {
    using EZlibError::EZlibError;
};

enum TCompressionLevel { clNone, clFastest, clDefault, clMax };
int ZlibLevel(TCompressionLevel level); // 0, 1, -1, 9

// Most bytes DeCompressStream produces before it gives up: a hostile stream
// must not be able to fill memory. The program's own skin is about 2 MB.
constexpr std::int64_t MaxInflatedSize = 64LL * 1024 * 1024;

// Seeks source to 0 and deflates all of it at level 9, appending to target.
void CompressStream(TStream& source, TStream& target);
// Seeks source to 0 and inflates it, appending to target. A stream that ends
// before its end marker, or inflates past limit bytes, is an error.
void DeCompressStream(TStream& target, TStream& source, std::int64_t limit = MaxInflatedSize);

// Shared state of the two incremental streams: the underlying stream, where
// they last left it, the 4,096-byte buffer and the progress callback.
class TCustomZlibStream : public TStream {
public:
    static constexpr int BufferSize = 4096;
    std::function<void(TStream& sender)> OnProgress;

protected:
    explicit TCustomZlibStream(TStream& stream);
    void Progress();

    TStream& strm_;
    std::int64_t strmPos_;
    z_stream zrec_ {};
    unsigned char buffer_[BufferSize] {};
};

// Write-only: each write deflates into the buffer, flushed to the target when
// it fills; the destructor finishes the zlib stream and writes the rest.
class TCompressionStream : public TCustomZlibStream {
public:
    TCompressionStream(TCompressionLevel level, TStream& target);
    ~TCompressionStream() override;
    TCompressionStream(const TCompressionStream&) = delete;
    TCompressionStream& operator=(const TCompressionStream&) = delete;

    std::int64_t Read(void* buffer, std::int64_t count) override; // always fails
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    // Only Seek(0, soCurrent) is allowed: answers the bytes taken in so far.
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(zrec_.total_in); }
    // Percentage of space saved so far (0 before any output).
    double CompressionRate() const;

private:
    void Finish();
};

// Read-only: refills the buffer from the source as needed; a read is short
// only at the end of the zlib stream (or of the source).
class TDecompressionStream : public TCustomZlibStream {
public:
    explicit TDecompressionStream(TStream& source);
    ~TDecompressionStream() override;
    TDecompressionStream(const TDecompressionStream&) = delete;
    TDecompressionStream& operator=(const TDecompressionStream&) = delete;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override; // always fails
    // Seek(0, soBeginning) restarts; forward seeks read and discard; any other
    // seek fails. Answers the bytes produced so far.
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override; // not known in advance: fails

    // True once the zlib stream's end marker was read.
    bool AtStreamEnd() const { return streamEnd_; }

private:
    std::int64_t startPos_; // where the zlib data begins in the source
    bool streamEnd_ = false;
};
