#include "NuvMD5.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

// floor(|sin(i + 1)| * 2^32), the additive constants of the 64 steps.
constexpr std::uint32_t Sines[64] = {
    0xd76aa478,
    0xe8c7b756,
    0x242070db,
    0xc1bdceee,
    0xf57c0faf,
    0x4787c62a,
    0xa8304613,
    0xfd469501,
    0x698098d8,
    0x8b44f7af,
    0xffff5bb1,
    0x895cd7be,
    0x6b901122,
    0xfd987193,
    0xa679438e,
    0x49b40821,
    0xf61e2562,
    0xc040b340,
    0x265e5a51,
    0xe9b6c7aa,
    0xd62f105d,
    0x02441453,
    0xd8a1e681,
    0xe7d3fbc8,
    0x21e1cde6,
    0xc33707d6,
    0xf4d50d87,
    0x455a14ed,
    0xa9e3e905,
    0xfcefa3f8,
    0x676f02d9,
    0x8d2a4c8a,
    0xfffa3942,
    0x8771f681,
    0x6d9d6122,
    0xfde5380c,
    0xa4beea44,
    0x4bdecfa9,
    0xf6bb4b60,
    0xbebfbc70,
    0x289b7ec6,
    0xeaa127fa,
    0xd4ef3085,
    0x04881d05,
    0xd9d4d039,
    0xe6db99e5,
    0x1fa27cf8,
    0xc4ac5665,
    0xf4292244,
    0x432aff97,
    0xab9423a7,
    0xfc93a039,
    0x655b59c3,
    0x8f0ccc92,
    0xffeff47d,
    0x85845dd1,
    0x6fa87e4f,
    0xfe2ce6e0,
    0xa3014314,
    0x4e0811a1,
    0xf7537e82,
    0xbd3af235,
    0x2ad7d2bb,
    0xeb86d391,
};

// Left-rotation amounts, four per round.
constexpr unsigned Shifts[4][4]
    = { { 7, 12, 17, 22 }, { 5, 9, 14, 20 }, { 4, 11, 16, 23 }, { 6, 10, 15, 21 } };

constexpr std::uint32_t RotateLeft(std::uint32_t x, unsigned n)
{
    return (x << n) | (x >> (32 - n));
}

class Md5 {
public:
    void Update(const unsigned char* data, std::size_t length)
    {
        totalLength_ += length;
        while (length > 0) {
            const std::size_t take = std::min(length, block_.size() - blockFill_);
            std::memcpy(block_.data() + blockFill_, data, take);
            blockFill_ += take;
            data += take;
            length -= take;
            if (blockFill_ == block_.size()) {
                Transform(block_.data());
                blockFill_ = 0;
            }
        }
    }

    // Pads with 0x80, zeros and the bit length (little-endian, modulo 2^64) to a
    // whole number of 64-byte blocks, and gives the state as 16 bytes, low byte first.
    std::array<unsigned char, 16> Finish()
    {
        const std::uint64_t bitLength = totalLength_ * 8;
        const unsigned char marker = 0x80;
        Update(&marker, 1);
        const unsigned char zero = 0;
        while (blockFill_ != 56)
            Update(&zero, 1);
        unsigned char lengthBytes[8];
        for (int i = 0; i < 8; ++i)
            lengthBytes[i] = static_cast<unsigned char>(bitLength >> (8 * i));
        Update(lengthBytes, 8);

        std::array<unsigned char, 16> digest {};
        for (int word = 0; word < 4; ++word)
            for (int i = 0; i < 4; ++i)
                digest[static_cast<std::size_t>(word * 4 + i)]
                    = static_cast<unsigned char>(state_[word] >> (8 * i));
        return digest;
    }

private:
    void Transform(const unsigned char* block)
    {
        std::uint32_t x[16];
        for (int i = 0; i < 16; ++i)
            x[i] = static_cast<std::uint32_t>(block[i * 4])
                | static_cast<std::uint32_t>(block[i * 4 + 1]) << 8
                | static_cast<std::uint32_t>(block[i * 4 + 2]) << 16
                | static_cast<std::uint32_t>(block[i * 4 + 3]) << 24;

        std::uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
        for (int step = 0; step < 64; ++step) {
            const int round = step / 16;
            std::uint32_t mixed;
            int word;
            switch (round) {
            case 0:
                mixed = (b & c) | (~b & d);
                word = step;
                break;
            case 1:
                mixed = (b & d) | (c & ~d);
                word = (5 * step + 1) % 16;
                break;
            case 2:
                mixed = b ^ c ^ d;
                word = (3 * step + 5) % 16;
                break;
            default:
                mixed = c ^ (b | ~d);
                word = (7 * step) % 16;
                break;
            }
            const std::uint32_t rotated
                = RotateLeft(a + mixed + x[word] + Sines[step], Shifts[round][step % 4]);
            a = d;
            d = c;
            c = b;
            b += rotated;
        }
        state_[0] += a;
        state_[1] += b;
        state_[2] += c;
        state_[3] += d;
    }

    std::uint32_t state_[4] = { 0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476 };
    std::array<unsigned char, 64> block_ {};
    std::size_t blockFill_ = 0;
    std::uint64_t totalLength_ = 0;
};

} // namespace

TNuvMD5::TNuvMD5(QObject* owner)
    : QObject(owner)
{
}

char* TNuvMD5::GetMD5OfStr(const void* data, std::size_t length, char* out) const
{
    static const char LowerHex[] = "0123456789abcdef";
    Md5 md5;
    md5.Update(static_cast<const unsigned char*>(data), length);
    const auto digest = md5.Finish();
    for (std::size_t i = 0; i < digest.size(); ++i) {
        out[i * 2] = LowerHex[digest[i] >> 4];
        out[i * 2 + 1] = LowerHex[digest[i] & 0x0F];
    }
    out[32] = '\0';
    return out;
}

std::string TNuvMD5::MD5(const std::string& text) const
{
    char hex[33];
    return GetMD5OfStr(text.data(), text.size(), hex);
}
