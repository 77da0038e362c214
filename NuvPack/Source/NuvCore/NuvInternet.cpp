#include "NuvInternet.h"

#include "WebAccess.h"

namespace nuv {

bool CheckInternetConnection(const std::string& url)
{
    try {
        return Connectivity()->Check(url);
    } catch (...) {
        return false; // a replaced service must not turn a dead line into an error
    }
}

} // namespace nuv
