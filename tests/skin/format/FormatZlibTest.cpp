// zlib wrappers: round trips, the decompression stream's seek rules, progress
// reports, and the errors damaged or oversized streams end in.
#include "Bszlibcompress.h"

#include <gtest/gtest.h>

#include <zlib.h>

namespace {

std::string SampleBytes(std::size_t size)
{
    std::string bytes(size, '\0');
    std::uint32_t state = 12345;
    for (std::size_t i = 0; i < size; ++i) {
        state = state * 1103515245u + 12345u;
        // Half predictable, half noise, so deflate has real work.
        bytes[i] = static_cast<char>(i % 3 ? (state >> 24) : i & 0x7F);
    }
    return bytes;
}

std::string Compress(const std::string& bytes)
{
    TMemoryStream source(bytes);
    TMemoryStream target;
    CompressStream(source, target);
    return target.TakeBytes();
}

TEST(Zlib, CompressStreamWritesOneLevel9StreamThatZlibReads)
{
    const std::string data = SampleBytes(100000);
    TMemoryStream source(data);
    source.SetPosition(500); // CompressStream starts from 0 regardless
    TMemoryStream target(std::string("head"));
    target.Seek(0, soEnd);
    CompressStream(source, target);

    const std::string& out = target.Bytes();
    ASSERT_EQ(out.substr(0, 4), "head");
    EXPECT_EQ(static_cast<unsigned char>(out[5]) >> 6, 3); // FLEVEL: maximum compression
    std::string plain(data.size(), '\0');
    uLongf plainSize = static_cast<uLongf>(plain.size());
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(plain.data()), &plainSize,
                  reinterpret_cast<const Bytef*>(out.data() + 4), static_cast<uLong>(out.size() - 4)),
        Z_OK);
    EXPECT_EQ(plain, data);
}

TEST(Zlib, DeCompressStreamAppendsAndRoundTripsEveryLevel)
{
    const std::string data = SampleBytes(30000);
    for (TCompressionLevel level : { clNone, clFastest, clDefault, clMax }) {
        TMemoryStream compressed;
        {
            TCompressionStream writer(level, compressed);
            writer.WriteBuffer(data.data(), 1000);
            writer.WriteBuffer(data.data() + 1000, static_cast<std::int64_t>(data.size()) - 1000);
            EXPECT_EQ(writer.Seek(0, soCurrent), static_cast<std::int64_t>(data.size()));
        }
        TMemoryStream target(std::string("xy"));
        target.Seek(0, soEnd);
        DeCompressStream(target, compressed);
        EXPECT_EQ(target.Bytes(), "xy" + data) << "level " << level;
    }
    EXPECT_EQ(ZlibLevel(clNone), 0);
    EXPECT_EQ(ZlibLevel(clFastest), 1);
    EXPECT_EQ(ZlibLevel(clDefault), -1);
    EXPECT_EQ(ZlibLevel(clMax), 9);
}

TEST(Zlib, StreamsPutTheUnderlyingStreamBackBeforeEachTransfer)
{
    const std::string data = SampleBytes(20000);
    TMemoryStream source(std::string("prefix") + Compress(data));
    source.SetPosition(6);
    TDecompressionStream reader(source);
    std::string first(100, '\0');
    reader.ReadBuffer(first.data(), 100);
    source.SetPosition(0); // someone else moves the source meanwhile
    std::string rest(data.size() - 100, '\0');
    reader.ReadBuffer(rest.data(), static_cast<std::int64_t>(rest.size()));
    EXPECT_EQ(first + rest, data);
    char extra = 0;
    EXPECT_EQ(reader.Read(&extra, 1), 0); // short only at the end of the stream
}

TEST(Zlib, DecompressionSeekRules)
{
    const std::string data = SampleBytes(50000);
    TMemoryStream source(std::string("ab") + Compress(data));
    source.SetPosition(2);
    TDecompressionStream reader(source);
    char byte = 0;

    EXPECT_EQ(reader.Seek(10000, soBeginning), 10000); // forward from the start: read and discard
    reader.ReadBuffer(&byte, 1);
    EXPECT_EQ(byte, data[10000]);
    EXPECT_EQ(reader.Seek(99, soCurrent), 10100); // forward from here
    reader.ReadBuffer(&byte, 1);
    EXPECT_EQ(byte, data[10100]);
    EXPECT_EQ(reader.Seek(0, soCurrent), 10101);

    EXPECT_THROW(reader.Seek(-1, soCurrent), EDecompressionError);
    EXPECT_THROW(reader.Seek(5000, soBeginning), EDecompressionError); // backwards
    EXPECT_THROW(reader.Seek(10101, soBeginning), EDecompressionError); // not beyond what was produced
    EXPECT_THROW(reader.Seek(0, soEnd), EDecompressionError);
    EXPECT_THROW(reader.Write(&byte, 1), EDecompressionError);

    EXPECT_EQ(reader.Seek(0, soBeginning), 0); // restart from where the zlib data begins
    reader.ReadBuffer(&byte, 1);
    EXPECT_EQ(byte, data[0]);
    EXPECT_THROW(reader.Seek(60000, soBeginning), EReadError); // past the end
}

TEST(Zlib, CompressionStreamRefusesReadsAndSeeks)
{
    TMemoryStream target;
    TCompressionStream writer(clDefault, target);
    char byte = 0;
    try {
        writer.Read(&byte, 1);
        FAIL() << "read succeeded";
    } catch (const ECompressionError& e) {
        EXPECT_STREQ(e.what(), "Invalid stream operation");
    }
    EXPECT_THROW(writer.Seek(1, soCurrent), ECompressionError);
    EXPECT_THROW(writer.Seek(0, soBeginning), ECompressionError);
}

TEST(Zlib, ProgressIsReportedAfterEachBuffer)
{
    const std::string data = SampleBytes(200000);
    TMemoryStream compressed;
    int writes = 0;
    {
        TCompressionStream writer(clNone, compressed);
        writer.OnProgress = [&](TStream& sender) {
            EXPECT_EQ(&sender, &writer);
            ++writes;
        };
        writer.WriteBuffer(data.data(), static_cast<std::int64_t>(data.size()));
    }
    EXPECT_GE(writes, 200000 / 4096 - 1);

    compressed.SetPosition(0);
    TDecompressionStream reader(compressed);
    int reads = 0;
    reader.OnProgress = [&](TStream&) { ++reads; };
    std::string out(data.size(), '\0');
    reader.ReadBuffer(out.data(), static_cast<std::int64_t>(out.size()));
    EXPECT_EQ(out, data);
    EXPECT_GE(reads, static_cast<int>(compressed.Size() / 4096));
}

TEST(Zlib, DamagedStreamsEndInDecompressionErrors)
{
    const std::string good = Compress(SampleBytes(10000));
    struct Case {
        const char* name;
        std::string bytes;
    };
    std::string corrupt = good;
    corrupt[good.size() / 2] ^= 0x55;
    corrupt[good.size() / 2 + 1] ^= 0x55;
    const Case cases[] = {
        { "not zlib", "this is not a zlib stream" },
        { "truncated", good.substr(0, good.size() / 2) },
        { "empty", "" },
        { "corrupt body", corrupt },
    };
    for (const Case& c : cases) {
        TMemoryStream source(c.bytes);
        TMemoryStream target;
        try {
            DeCompressStream(target, source);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const EDecompressionError& e) {
            EXPECT_STREQ(e.what(), "compression error") << c.name;
        }
    }
}

TEST(Zlib, InflationStopsAtTheCap)
{
    // 1 MiB of zeros deflates to about a kilobyte: a small stream that inflates far.
    const std::string bomb = Compress(std::string(1 << 20, '\0'));
    TMemoryStream source(bomb);
    TMemoryStream target;
    EXPECT_THROW(DeCompressStream(target, source, 64 * 1024), EDecompressionError);
    EXPECT_LE(target.Size(), 64 * 1024);

    TMemoryStream again(bomb);
    TMemoryStream full;
    DeCompressStream(full, again, 1 << 20); // exactly at the cap is fine
    EXPECT_EQ(full.Size(), 1 << 20);
}

} // namespace
