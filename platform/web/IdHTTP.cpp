#include "IdHTTP.h"

#include "WebAccess.h"

std::string TIdHTTP::Get(const std::string& url)
{
    return HttpGet()->Get(url);
}
