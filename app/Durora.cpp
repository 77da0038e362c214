#include "Durora.h"

#ifndef QELVO_MAKER_SITE
#define QELVO_MAKER_SITE ""
#endif

namespace {

// The site without trailing slashes, so "<site>/x" never doubles one.
std::string WithoutTrailingSlash(std::string site)
{
    while (!site.empty() && site.back() == '/')
        site.pop_back();
    return site;
}

std::string MakerSite()
{
    return WithoutTrailingSlash(QELVO_MAKER_SITE);
}

std::string OnSite(const std::string& site, const std::string& path)
{
    return site.empty() ? std::string() : site + path;
}

std::string OnMakerSite(const char* path)
{
    return OnSite(MakerSite(), path);
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

TMakerAddresses TMakerAddresses::At(const std::string& site)
{
    const std::string bare = WithoutTrailingSlash(site);
    return { OnSite(bare, "/"), OnSite(bare, "/news.php"), OnSite(bare, "/ver.php"),
        OnSite(bare, "/ad.php?id=" + ProductId) };
}

TMakerAddresses TMakerAddresses::OfBuild()
{
    return At(MakerSite());
}
