#pragma once
// The few pieces of an absolute http(s) URL the web layer needs: scheme, host
// and port for proxy selection and the connectivity test, and an escaped form
// that is always a valid request line.

#include <optional>
#include <string>

struct UrlParts {
    std::string scheme; // lower case, e.g. "http"
    std::string host; // lower case; an IPv6 literal without its brackets
    int port = 0; // the explicit port, or the scheme's default
};

// Splits "scheme://[user@]host[:port][/...]"; nullopt when it is not of that shape.
std::optional<UrlParts> ParseUrl(const std::string& url);

// The URL with every byte that may not stand in a request target (blanks,
// control characters, double quotes, non-ASCII bytes ...) percent-encoded.
// Callers build addresses by plain concatenation, a quoted stock code with a
// blank included; the transport makes them safe to send. "%" is left alone.
std::string EscapeForRequest(const std::string& url);
