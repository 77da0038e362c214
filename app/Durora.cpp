#include "Durora.h"

#ifndef QELVO_MAKER_SITE
#define QELVO_MAKER_SITE ""
#endif

namespace {

// The configured site without trailing slashes, so "<site>/x" never doubles one.
std::string MakerSite()
{
    std::string site = QELVO_MAKER_SITE;
    while (!site.empty() && site.back() == '/')
        site.pop_back();
    return site;
}

std::string OnMakerSite(const char* path)
{
    const std::string site = MakerSite();
    return site.empty() ? std::string() : site + path;
}

const std::string QuoteServiceHomeUrl = "http://hq.sinajs.cn/";

} // namespace

const std::string HomePageUrl = OnMakerSite("/");
const std::string NewsUrl = OnMakerSite("/news.php");
const std::string UpdateUrl = OnMakerSite("/ver.php");
const std::string ProductId = "tavrel";
const std::string ProductVersion = "2010-03-23";

bool MakerSiteConfigured()
{
    return !MakerSite().empty();
}

const std::string& ConnectivityProbeUrl()
{
    static const std::string probe = MakerSiteConfigured() ? MakerSite() + "/" : QuoteServiceHomeUrl;
    return probe;
}
