#include "GbkCodec.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <iconv.h>

namespace {

constexpr char16_t Replacement = 0xFFFD;
constexpr char Unmappable = '?';
constexpr char16_t Euro = 0x20AC; // code page 936's single byte 0x80

constexpr const char* NativeUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// One iconv descriptor a direction and thread (a descriptor keeps state
// between calls, so threads may not share one). When glibc lacks the
// converter every non-ASCII character counts as bad input.
class Converter {
public:
    Converter(const char* to, const char* from)
        : cd_(iconv_open(to, from))
    {
    }
    ~Converter()
    {
        if (Usable())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    // Converts as much as it can; false when it stopped at bad or cut-off
    // input (the pointers then stand at the start of that input).
    bool Convert(const char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft)
    {
        char* source = const_cast<char*>(in);
        const std::size_t result = iconv(cd_, &source, &inLeft, &out, &outLeft);
        in = source;
        if (result != static_cast<std::size_t>(-1))
            return true;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr); // back to the initial state
        return false;
    }

private:
    iconv_t cd_;
};

Converter& Decoder()
{
    thread_local Converter converter(NativeUtf16, "GB18030");
    return converter;
}

Converter& Encoder()
{
    thread_local Converter converter("GB18030", NativeUtf16);
    return converter;
}

bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c < 0xDC00;
}
bool IsLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c < 0xE000;
}

// A GB18030 four-byte code: a lead byte, then a digit.
bool IsFourByteCode(const char* bytes, std::size_t i, std::size_t size)
{
    return static_cast<unsigned char>(bytes[i]) >= 0x81 && i + 1 < size && bytes[i + 1] >= '0'
        && bytes[i + 1] <= '9';
}

// What an encoding did with the characters it could not write.
struct EncodeRules {
    bool fourByte = false; // keep GB18030's four-byte codes instead of writing '?'
    bool lossy = false; // set when a character was written as '?'
};

// Appends GB18030 bytes of non-ASCII characters, keeping two-byte codes and
// turning each four-byte code into '?' unless the rules keep them.
void AppendCodes(std::string& out, const char* bytes, std::size_t size, EncodeRules& rules)
{
    std::size_t i = 0;
    while (i < size) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            i += 1;
        } else if (IsFourByteCode(bytes, i, size)) {
            if (rules.fourByte) {
                out.append(bytes + i, std::min<std::size_t>(4, size - i));
            } else {
                out += Unmappable;
                rules.lossy = true;
            }
            i += 4;
        } else {
            out.append(bytes + i, 2);
            i += 2;
        }
    }
}

// Encodes a run of non-ASCII UTF-16 units.
void EncodeRun(std::string& out, std::u16string_view run, EncodeRules& rules)
{
    Converter& encoder = Encoder();
    std::string buffer(run.size() * 4, '\0'); // four bytes at most a unit
    const char* in = reinterpret_cast<const char*>(run.data());
    std::size_t inLeft = run.size() * sizeof(char16_t);
    while (inLeft > 0) {
        char* outStart = buffer.data();
        char* o = outStart;
        std::size_t outLeft = buffer.size();
        bool complete = encoder.Usable() && encoder.Convert(in, inLeft, o, outLeft);
        AppendCodes(out, outStart, static_cast<std::size_t>(o - outStart), rules);
        if (complete)
            break;
        // A lone surrogate, or no converter: one character becomes '?'.
        const auto* unit = reinterpret_cast<const char16_t*>(in);
        std::size_t units = 1;
        if (!encoder.Usable() && inLeft >= 4 && IsHighSurrogate(unit[0]) && IsLowSurrogate(unit[1]))
            units = 2;
        out += Unmappable;
        rules.lossy = true;
        in += units * sizeof(char16_t);
        inLeft -= units * sizeof(char16_t);
    }
}

std::string Encode(std::u16string_view text, EncodeRules& rules)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t j = i;
        while (j < text.size() && text[j] < 0x80)
            ++j;
        const std::size_t at = out.size();
        out.resize(at + (j - i));
        for (std::size_t k = i; k < j; ++k)
            out[at + (k - i)] = static_cast<char>(text[k]);
        i = j;
        while (j < text.size() && text[j] >= 0x80)
            ++j;
        if (j > i)
            EncodeRun(out, text.substr(i, j - i), rules);
        i = j;
    }
    return out;
}

// Decodes gbk into out; counts the bytes that started no character.
std::size_t Decode(std::string_view gbk, char16_t* out, std::size_t& bad)
{
    const char* p = gbk.data();
    const char* const end = p + gbk.size();
    char16_t* o = out;
    Converter* decoder = nullptr;
    while (p < end) {
        while (p < end && static_cast<unsigned char>(*p) < 0x80)
            *o++ = static_cast<unsigned char>(*p++);
        if (p == end)
            break;
        if (!decoder)
            decoder = &Decoder();
        if (decoder->Usable()) {
            // Each decoded character takes at least as many bytes as units,
            // so what is left of the input bounds the room it needs.
            std::size_t inLeft = static_cast<std::size_t>(end - p);
            char* o8 = reinterpret_cast<char*>(o);
            std::size_t outLeft = inLeft * sizeof(char16_t);
            const bool complete = decoder->Convert(p, inLeft, o8, outLeft);
            o = reinterpret_cast<char16_t*>(o8);
            if (complete)
                break;
        }
        // p stands on a byte that starts no valid sequence.
        if (static_cast<unsigned char>(*p) == 0x80) {
            *o++ = Euro;
        } else {
            *o++ = Replacement;
            ++bad;
        }
        ++p;
    }
    return static_cast<std::size_t>(o - out);
}

// Decodes UTF-8; each bad byte gives U+FFFD and is counted.
std::u16string DecodeUtf8(std::string_view utf8, std::size_t& bad)
{
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    const std::size_t n = utf8.size();
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(utf8[k]); };
    while (i < n) {
        const unsigned char b = byte(i);
        std::size_t length = 0;
        char32_t c = 0;
        char32_t min = 0;
        if (b < 0x80) {
            out += static_cast<char16_t>(b);
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            length = 2, c = b & 0x1F, min = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3, c = b & 0x0F, min = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4, c = b & 0x07, min = 0x10000;
        }
        bool valid = length > 0 && i + length <= n;
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (byte(i + k) & 0xC0) == 0x80;
            c = (c << 6) | (byte(i + k) & 0x3F);
        }
        valid = valid && c >= min && c <= 0x10FFFF && !(c >= 0xD800 && c < 0xE000);
        if (!valid) {
            out += Replacement;
            ++bad;
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        i += length;
    }
    return out;
}

bool IsAscii(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

std::size_t DecodeGbk(std::string_view gbk, char16_t* out)
{
    std::size_t bad = 0;
    return Decode(gbk, out, bad);
}

std::u16string DecodeGbk(std::string_view gbk)
{
    std::u16string text(gbk.size(), u'\0');
    text.resize(DecodeGbk(gbk, text.data()));
    return text;
}

std::string EncodeGbk(std::u16string_view text)
{
    EncodeRules rules;
    return Encode(text, rules);
}

std::optional<std::u16string> DecodeGbkStrict(std::string_view gbk, bool fourByte)
{
    if (!fourByte) {
        for (std::size_t i = 0; i < gbk.size();) {
            const auto lead = static_cast<unsigned char>(gbk[i]);
            if (IsFourByteCode(gbk.data(), i, gbk.size()))
                return std::nullopt;
            i += lead > 0x80 && lead < 0xFF ? 2 : 1;
        }
    }
    std::u16string text(gbk.size(), u'\0');
    std::size_t bad = 0;
    text.resize(Decode(gbk, text.data(), bad));
    if (bad > 0)
        return std::nullopt;
    return text;
}

std::optional<std::string> EncodeGbkStrict(std::u16string_view text, bool fourByte)
{
    EncodeRules rules;
    rules.fourByte = fourByte;
    std::string bytes = Encode(text, rules);
    if (rules.lossy)
        return std::nullopt;
    return bytes;
}

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::size_t bad = 0;
    return DecodeUtf8(utf8, bad);
}

std::optional<std::u16string> Utf8ToUtf16Strict(std::string_view utf8)
{
    std::size_t bad = 0;
    std::u16string text = DecodeUtf8(utf8, bad);
    if (bad > 0)
        return std::nullopt;
    return text;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
            c = Replacement;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string PathToGbk(std::string_view path)
{
    if (IsAscii(path))
        return std::string(path);
    return EncodeGbk(Utf8ToUtf16(path));
}
