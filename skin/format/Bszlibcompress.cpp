#include "Bszlibcompress.h"

#include "Format.h"

#include <algorithm>
#include <vector>

namespace {

const char* const DeflateErrorText = "error";
const char* const InflateErrorText = "compression error";
const char* const InvalidStreamOpText = "Invalid stream operation";

int CheckDeflate(int code)
{
    if (code < 0)
        throw ECompressionError(DeflateErrorText);
    return code;
}

int CheckInflate(int code)
{
    // Z_NEED_DICT is positive but means the stream cannot be read by us.
    if (code < 0 || code == Z_NEED_DICT)
        throw EDecompressionError(InflateErrorText);
    return code;
}

} // namespace

int ZlibLevel(TCompressionLevel level)
{
    switch (level) {
    case clNone:
        return Z_NO_COMPRESSION;
    case clFastest:
        return Z_BEST_SPEED;
    case clDefault:
        return Z_DEFAULT_COMPRESSION;
    case clMax:
        return Z_BEST_COMPRESSION;
    }
    return Z_DEFAULT_COMPRESSION;
}

void CompressStream(TStream& source, TStream& target)
{
    source.SetPosition(0);
    TCompressionStream compressor(clMax, target);
    compressor.CopyFrom(source, 0);
}

void DeCompressStream(TStream& target, TStream& source, std::int64_t limit)
{
    source.SetPosition(0);
    TDecompressionStream inflater(source);
    // Large pieces: fewer trips through inflate and the target's writer.
    std::vector<unsigned char> buffer(64 * 1024);
    unsigned char* piece = buffer.data();
    std::int64_t produced = 0;
    for (;;) {
        const std::int64_t n = inflater.Read(piece, static_cast<std::int64_t>(buffer.size()));
        if (n == 0)
            break;
        produced += n;
        if (produced > limit)
            throw EDecompressionError(Format(
                "compression error: the data inflates past %lld bytes", static_cast<long long>(limit)));
        target.WriteBuffer(piece, n);
    }
    // A source that ends before the zlib end marker is damaged, not merely short.
    if (!inflater.AtStreamEnd())
        throw EDecompressionError(InflateErrorText);
}

// ---------------------------------------------------------------------------

TCustomZlibStream::TCustomZlibStream(TStream& stream)
    : strm_(stream)
    , strmPos_(stream.Position())
{
}

void TCustomZlibStream::Progress()
{
    if (OnProgress)
        OnProgress(*this);
}

// ---------------------------------------------------------------------------

TCompressionStream::TCompressionStream(TCompressionLevel level, TStream& target)
    : TCustomZlibStream(target)
{
    zrec_.next_out = buffer_;
    zrec_.avail_out = BufferSize;
    CheckDeflate(deflateInit(&zrec_, ZlibLevel(level)));
}

TCompressionStream::~TCompressionStream()
{
    // A destructor must not throw: a failure here leaves the target short,
    // which its reader detects as a damaged stream.
    try {
        Finish();
    } catch (...) {
    }
    deflateEnd(&zrec_);
}

void TCompressionStream::Finish()
{
    zrec_.next_in = nullptr;
    zrec_.avail_in = 0;
    strm_.SetPosition(strmPos_);
    while (CheckDeflate(deflate(&zrec_, Z_FINISH)) != Z_STREAM_END && zrec_.avail_out == 0) {
        strm_.WriteBuffer(buffer_, BufferSize);
        zrec_.next_out = buffer_;
        zrec_.avail_out = BufferSize;
    }
    if (zrec_.avail_out < static_cast<unsigned>(BufferSize))
        strm_.WriteBuffer(buffer_, BufferSize - zrec_.avail_out);
    zrec_.next_out = buffer_;
    zrec_.avail_out = BufferSize;
    strmPos_ = strm_.Position();
}

std::int64_t TCompressionStream::Read(void*, std::int64_t)
{
    throw ECompressionError(InvalidStreamOpText);
}

std::int64_t TCompressionStream::Write(const void* buffer, std::int64_t count)
{
    if (count <= 0)
        return 0;
    const auto* in = static_cast<const unsigned char*>(buffer);
    std::int64_t left = count;
    strm_.SetPosition(strmPos_);
    while (left > 0) {
        const auto chunk = static_cast<uInt>(std::min<std::int64_t>(left, 1 << 30));
        zrec_.next_in = const_cast<unsigned char*>(in);
        zrec_.avail_in = chunk;
        while (zrec_.avail_in > 0) {
            CheckDeflate(deflate(&zrec_, Z_NO_FLUSH));
            if (zrec_.avail_out == 0) {
                strm_.WriteBuffer(buffer_, BufferSize);
                zrec_.next_out = buffer_;
                zrec_.avail_out = BufferSize;
                strmPos_ = strm_.Position();
                Progress();
            }
        }
        in += chunk;
        left -= chunk;
    }
    return count;
}

std::int64_t TCompressionStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    if (offset == 0 && origin == soCurrent)
        return static_cast<std::int64_t>(zrec_.total_in);
    throw ECompressionError(InvalidStreamOpText);
}

double TCompressionStream::CompressionRate() const
{
    if (zrec_.total_in == 0)
        return 0.0;
    return (1.0 - static_cast<double>(zrec_.total_out) / static_cast<double>(zrec_.total_in)) * 100.0;
}

// ---------------------------------------------------------------------------

TDecompressionStream::TDecompressionStream(TStream& source)
    : TCustomZlibStream(source)
    , startPos_(strmPos_)
{
    zrec_.next_in = buffer_;
    zrec_.avail_in = 0;
    CheckInflate(inflateInit(&zrec_));
}

TDecompressionStream::~TDecompressionStream()
{
    inflateEnd(&zrec_);
}

std::int64_t TDecompressionStream::Read(void* buffer, std::int64_t count)
{
    if (count <= 0 || streamEnd_)
        return 0;
    auto* out = static_cast<unsigned char*>(buffer);
    std::int64_t done = 0;
    strm_.SetPosition(strmPos_);
    while (done < count) {
        const auto room = static_cast<uInt>(std::min<std::int64_t>(count - done, 1 << 30));
        zrec_.next_out = out + done;
        zrec_.avail_out = room;
        while (zrec_.avail_out > 0) {
            if (zrec_.avail_in == 0) {
                const std::int64_t got = strm_.Read(buffer_, BufferSize);
                if (got <= 0) {
                    // The source ran out before the stream ended.
                    return done + (room - zrec_.avail_out);
                }
                zrec_.next_in = buffer_;
                zrec_.avail_in = static_cast<uInt>(got);
                strmPos_ = strm_.Position();
                Progress();
            }
            const int code = CheckInflate(inflate(&zrec_, Z_NO_FLUSH));
            if (code == Z_STREAM_END) {
                streamEnd_ = true;
                return done + (room - zrec_.avail_out);
            }
            if (code == Z_BUF_ERROR)
                throw EDecompressionError(InflateErrorText);
        }
        done += room;
    }
    return done;
}

std::int64_t TDecompressionStream::Write(const void*, std::int64_t)
{
    throw EDecompressionError(InvalidStreamOpText);
}

std::int64_t TDecompressionStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    const auto produced = static_cast<std::int64_t>(zrec_.total_out);
    if (offset == 0 && origin == soBeginning) {
        CheckInflate(inflateReset(&zrec_));
        zrec_.next_in = buffer_;
        zrec_.avail_in = 0;
        streamEnd_ = false;
        strm_.SetPosition(startPos_);
        strmPos_ = startPos_;
    } else if ((offset >= 0 && origin == soCurrent) || (origin == soBeginning && offset - produced > 0)) {
        if (origin == soBeginning)
            offset -= produced;
        unsigned char discard[BufferSize];
        while (offset > 0) {
            const std::int64_t n = std::min<std::int64_t>(offset, BufferSize);
            ReadBuffer(discard, n);
            offset -= n;
        }
    } else {
        throw EDecompressionError(InvalidStreamOpText);
    }
    return static_cast<std::int64_t>(zrec_.total_out);
}

std::int64_t TDecompressionStream::Size()
{
    throw EDecompressionError(InvalidStreamOpText);
}
