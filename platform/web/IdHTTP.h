#pragma once
// The HTTP client object: Get blocks until the answer is in and returns the
// body of a 2xx answer byte for byte. A redirect (not followed), any other
// status or a failed connection throws ENetError. It keeps no settings of its
// own; the installed HTTP GET service does the work.

#include <string>

class TIdHTTP {
public:
    std::string Get(const std::string& url);
};
