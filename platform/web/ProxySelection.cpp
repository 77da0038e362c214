#include "ProxySelection.h"

#include "UrlParts.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace {

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
        [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::optional<std::uint32_t> Ipv4(const std::string& text)
{
    in_addr address {};
    if (inet_pton(AF_INET, text.c_str(), &address) != 1)
        return std::nullopt;
    return ntohl(address.s_addr);
}

bool InCidrRange(const std::string& host, const std::string& entry)
{
    const auto slash = entry.find('/');
    const auto hostAddress = Ipv4(host);
    const auto network = Ipv4(entry.substr(0, slash));
    if (!hostAddress || !network)
        return false;
    int bits = 32;
    if (slash != std::string::npos) {
        const std::string bitsText = entry.substr(slash + 1);
        if (bitsText.empty() || bitsText.size() > 2
            || !std::all_of(
                bitsText.begin(), bitsText.end(), [](unsigned char c) { return std::isdigit(c); }))
            return false;
        bits = std::stoi(bitsText);
        if (bits > 32)
            return false;
    }
    const std::uint32_t mask = bits == 0 ? 0 : ~std::uint32_t { 0 } << (32 - bits);
    return (*hostAddress & mask) == (*network & mask);
}

bool HostMatchesEntry(const std::string& host, std::string entry)
{
    if (entry.empty())
        return false;
    if (Ipv4(host))
        return InCidrRange(host, entry);
    if (entry.front() == '.')
        entry.erase(0, 1);
    entry = Lower(entry);
    if (host == entry)
        return true;
    return host.size() > entry.size() && host.ends_with(entry) && host[host.size() - entry.size() - 1] == '.';
}

bool ExemptFromProxy(const std::string& host)
{
    std::string list = Env("no_proxy");
    if (list.empty())
        list = Env("NO_PROXY");
    std::string entry;
    for (std::size_t i = 0; i <= list.size(); ++i) {
        const bool separator = i == list.size() || list[i] == ',' || list[i] == ' ' || list[i] == '\t';
        if (!separator) {
            entry += list[i];
            continue;
        }
        if (entry == "*" || HostMatchesEntry(host, entry))
            return true;
        entry.clear();
    }
    return false;
}

} // namespace

std::string ProxyForUrl(const std::string& url)
{
    const auto parts = ParseUrl(url);
    if (!parts)
        return {};
    std::string proxy = Env((parts->scheme + "_proxy").c_str());
    if (proxy.empty() && parts->scheme != "http")
        proxy = Env((Upper(parts->scheme) + "_PROXY").c_str());
    if (proxy.empty())
        proxy = Env("all_proxy");
    if (proxy.empty())
        proxy = Env("ALL_PROXY");
    if (proxy.empty() || ExemptFromProxy(parts->host))
        return {};
    return proxy;
}
