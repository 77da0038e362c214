#pragma once
// Which proxy a URL goes through, from the standard environment variables:
// "http_proxy" for http (lower case only, as curl and wget do, since a CGI
// environment may set HTTP_PROXY from a request header), "<scheme>_proxy" or
// "<SCHEME>_PROXY" for other schemes, then "all_proxy"/"ALL_PROXY"; and
// "no_proxy"/"NO_PROXY" ("*", host names with their sub-domains, IPv4
// addresses and IPv4 ranges in CIDR form) exempts hosts.
//
// The web layer hands the result to libcurl explicitly, so this one function
// decides, and the connectivity test knows when only the proxy can be reached.

#include <string>

// The proxy's address, or empty for a direct connection.
std::string ProxyForUrl(const std::string& url);
