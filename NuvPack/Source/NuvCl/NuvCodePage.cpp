#include "NuvCodePage.h"

#include <cerrno>
#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace nuv {

namespace {

    constexpr const char* Ansi = "GBK";

    std::string IconvName(const std::string& name)
    {
        std::string upper = name;
        std::transform(
            upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
        if (upper == "GB2312" || upper == "CP936")
            return Ansi;
        return upper;
    }

    // Converts `text`; an input sequence that does not convert either ends the
    // conversion with nullopt (`replacement` null) or is replaced and skipped
    // `unit` bytes at a time.
    std::optional<std::string> Iconv(
        std::string_view text, const char* from, const char* to, const char* replacement, std::size_t unit)
    {
        iconv_t converter = iconv_open(to, from);
        if (converter == reinterpret_cast<iconv_t>(-1))
            return std::nullopt;

        // The input goes in slices: after a failed character iconv starts over
        // on what it had buffered, so small slices keep text with many such
        // characters linear and fast. A character cut by a slice's end is simply
        // read again with the next slice.
        constexpr std::size_t Slice = 256;
        std::string out;
        char buffer[4096];
        char* in = const_cast<char*>(text.data());
        std::size_t inLeft = text.size();
        bool failed = false;
        while (!failed) {
            char* put = buffer;
            std::size_t room = sizeof buffer;
            std::size_t done = 0;
            int error = 0;
            bool cut = false;
            if (inLeft > 0) {
                std::size_t sliceLeft = std::min(inLeft, Slice);
                cut = sliceLeft < inLeft;
                const std::size_t before = sliceLeft;
                done = iconv(converter, &in, &sliceLeft, &put, &room);
                error = errno;
                inLeft -= before - sliceLeft;
                cut = cut && sliceLeft < before; // a cut that gets nowhere is an error
            } else {
                // A final call with no input flushes any shift state.
                done = iconv(converter, nullptr, nullptr, &put, &room);
                error = errno;
            }
            const bool progressed = put != buffer;
            out.append(buffer, static_cast<std::size_t>(put - buffer));
            if (done != static_cast<std::size_t>(-1)) {
                if (inLeft == 0 && !progressed)
                    break;
                continue;
            }
            if (error == E2BIG || (error == EINVAL && cut))
                continue;
            // EILSEQ (no such character) or EINVAL (cut at the end of the input).
            if (replacement == nullptr) {
                failed = true;
                break;
            }
            out += replacement;
            const std::size_t skip = std::min(unit, inLeft);
            in += skip;
            inLeft -= skip;
        }
        iconv_close(converter);
        if (failed)
            return std::nullopt;
        return out;
    }

} // namespace

std::string CodePointsToAnsi(std::u32string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() * 4);
    for (const char32_t c : text) {
        const auto value = static_cast<std::uint32_t>(c);
        for (int shift = 0; shift < 32; shift += 8)
            bytes += static_cast<char>((value >> shift) & 0xFF);
    }
    return Iconv(bytes, "UTF-32LE", Ansi, "?", 4).value_or(std::string());
}

std::optional<std::u32string> DecodeUtf8(std::string_view text, bool lenient)
{
    std::u32string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t value = 0;
        char32_t least = 0;
        if (lead < 0x80) {
            length = 1;
            value = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            value = lead & 0x1F;
            least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            value = lead & 0x0F;
            least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            value = lead & 0x07;
            least = 0x10000;
        }
        bool valid = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            value = (value << 6) | (next & 0x3F);
        }
        valid = valid && value >= least && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
        if (!valid) {
            if (!lenient)
                return std::nullopt;
            out += U'\uFFFD';
            ++i;
            continue;
        }
        out += value;
        i += length;
    }
    return out;
}

std::string AnsiToUtf8(std::string_view text)
{
    return Iconv(text, Ansi, "UTF-8", "\xEF\xBF\xBD", 1).value_or(std::string());
}

std::string Utf8ToAnsi(std::string_view text)
{
    return CodePointsToAnsi(*DecodeUtf8(text, /*lenient=*/true));
}

std::optional<std::string> ConvertCharset(
    std::string_view text, const std::string& from, const std::string& to)
{
    const std::string source = IconvName(from);
    const std::string target = IconvName(to);
    if (source == target)
        return std::string(text);
    return Iconv(text, source.c_str(), target.c_str(), nullptr, 0);
}

} // namespace nuv
