#include "UrlParts.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

int DefaultPort(const std::string& scheme)
{
    if (scheme == "http")
        return 80;
    if (scheme == "https")
        return 443;
    return 0;
}

} // namespace

std::optional<UrlParts> ParseUrl(const std::string& url)
{
    const auto schemeEnd = url.find("://");
    if (schemeEnd == std::string::npos || schemeEnd == 0)
        return std::nullopt;
    UrlParts parts;
    parts.scheme = Lower(url.substr(0, schemeEnd));

    const auto authorityStart = schemeEnd + 3;
    const auto authorityEnd = url.find_first_of("/?#", authorityStart);
    std::string authority = url.substr(authorityStart,
        authorityEnd == std::string::npos ? std::string::npos : authorityEnd - authorityStart);
    if (const auto at = authority.rfind('@'); at != std::string::npos)
        authority.erase(0, at + 1);

    std::string portText;
    if (!authority.empty() && authority.front() == '[') {
        const auto close = authority.find(']');
        if (close == std::string::npos)
            return std::nullopt;
        parts.host = authority.substr(1, close - 1);
        const std::string rest = authority.substr(close + 1);
        if (!rest.empty()) {
            if (rest.front() != ':')
                return std::nullopt;
            portText = rest.substr(1);
        }
    } else {
        const auto colon = authority.rfind(':');
        parts.host = authority.substr(0, colon);
        if (colon != std::string::npos)
            portText = authority.substr(colon + 1);
    }
    if (parts.host.empty())
        return std::nullopt;
    parts.host = Lower(parts.host);

    parts.port = DefaultPort(parts.scheme);
    if (!portText.empty()) {
        int port = 0;
        const auto [end, error] = std::from_chars(portText.data(), portText.data() + portText.size(), port);
        if (error != std::errc() || end != portText.data() + portText.size() || port < 1 || port > 65535)
            return std::nullopt;
        parts.port = port;
    }
    if (parts.port == 0)
        return std::nullopt;
    return parts;
}

std::string EscapeForRequest(const std::string& url)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    static constexpr std::string_view unsafe = "\"<>\\^`{|}";
    std::string escaped;
    escaped.reserve(url.size());
    for (const char ch : url) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte <= 0x20 || byte >= 0x7F || unsafe.find(ch) != std::string_view::npos) {
            escaped += '%';
            escaped += hex[byte >> 4];
            escaped += hex[byte & 0x0F];
        } else {
            escaped += ch;
        }
    }
    return escaped;
}
