#include "NuvCodePage.h"

#include "GbkCodec.h"

#include <cerrno>
#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace nuv {

namespace {

    enum class Charset { Gbk, Gb18030, Utf8, Other };

    std::string Upper(const std::string& name)
    {
        std::string upper = name;
        std::transform(
            upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
        return upper;
    }

    // GB2312 and its kin are read and written as GBK, their superset, as the
    // desktops that write such files do.
    Charset Classify(const std::string& upper)
    {
        if (upper == "GB2312" || upper == "GBK" || upper == "CP936" || upper == "X-GBK" || upper == "EUC-CN"
            || upper == "WINDOWS-936")
            return Charset::Gbk;
        if (upper == "GB18030")
            return Charset::Gb18030;
        if (upper == "UTF-8" || upper == "UTF8")
            return Charset::Utf8;
        return Charset::Other;
    }

    // Converts strictly through iconv: nullopt when a set is unknown or a
    // byte does not convert.
    std::optional<std::string> Iconv(std::string_view text, const char* from, const char* to)
    {
        iconv_t converter = iconv_open(to, from);
        if (converter == reinterpret_cast<iconv_t>(-1))
            return std::nullopt;
        std::string out;
        char buffer[4096];
        char* in = const_cast<char*>(text.data());
        std::size_t inLeft = text.size();
        bool failed = false;
        for (bool flushed = false; !flushed && !failed;) {
            char* put = buffer;
            std::size_t room = sizeof buffer;
            // The last call, with no input, flushes any shift state.
            const std::size_t done = inLeft > 0 ? iconv(converter, &in, &inLeft, &put, &room)
                                                : iconv(converter, nullptr, nullptr, &put, &room);
            const int error = errno;
            out.append(buffer, static_cast<std::size_t>(put - buffer));
            if (done == static_cast<std::size_t>(-1))
                failed = error != E2BIG;
            else
                flushed = inLeft == 0 && put == buffer;
        }
        iconv_close(converter);
        if (failed)
            return std::nullopt;
        return out;
    }

    std::optional<std::u16string> Decode(std::string_view text, const std::string& charset)
    {
        const std::string upper = Upper(charset);
        switch (Classify(upper)) {
        case Charset::Gbk:
            return DecodeGbkStrict(text);
        case Charset::Gb18030:
            return DecodeGbkStrict(text, /*fourByte=*/true);
        case Charset::Utf8:
            return Utf8ToUtf16Strict(text);
        case Charset::Other:
            break;
        }
        const auto utf8 = Iconv(text, upper.c_str(), "UTF-8");
        return utf8 ? Utf8ToUtf16Strict(*utf8) : std::nullopt;
    }

    std::optional<std::string> Encode(std::u16string_view text, const std::string& charset)
    {
        const std::string upper = Upper(charset);
        switch (Classify(upper)) {
        case Charset::Gbk:
            return EncodeGbkStrict(text);
        case Charset::Gb18030:
            return EncodeGbkStrict(text, /*fourByte=*/true);
        case Charset::Utf8:
            return Utf16ToUtf8(text);
        case Charset::Other:
            break;
        }
        return Iconv(Utf16ToUtf8(text), "UTF-8", upper.c_str());
    }

    std::u32string CodePointsOf(std::u16string_view text)
    {
        std::u32string points;
        points.reserve(text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char16_t unit = text[i];
            if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00
                && text[i + 1] < 0xE000) {
                points += 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
                ++i;
            } else {
                points += unit;
            }
        }
        return points;
    }

} // namespace

std::string CodePointsToAnsi(std::u32string_view text)
{
    std::u16string units;
    units.reserve(text.size());
    for (const char32_t c : text) {
        if (c >= 0x10000 && c <= 0x10FFFF) {
            units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else if (c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
            units += u'\uFFFD'; // no character: written as "?"
        } else {
            units += static_cast<char16_t>(c);
        }
    }
    return EncodeGbk(units);
}

std::optional<std::u32string> DecodeUtf8(std::string_view text, bool lenient)
{
    if (lenient)
        return CodePointsOf(Utf8ToUtf16(text));
    const auto units = Utf8ToUtf16Strict(text);
    if (!units)
        return std::nullopt;
    return CodePointsOf(*units);
}

std::string AnsiToUtf8(std::string_view text)
{
    return Utf16ToUtf8(DecodeGbk(text));
}

std::string Utf8ToAnsi(std::string_view text)
{
    return EncodeGbk(Utf8ToUtf16(text));
}

std::optional<std::u16string> DecodeCharset(std::string_view text, const std::string& charset)
{
    return Decode(text, charset);
}

std::optional<std::string> EncodeCharset(std::u16string_view text, const std::string& charset)
{
    return Encode(text, charset);
}

std::optional<std::string> ConvertCharset(
    std::string_view text, const std::string& from, const std::string& to)
{
    const auto decoded = Decode(text, from);
    if (!decoded)
        return std::nullopt;
    return Encode(*decoded, to);
}

} // namespace nuv
