#pragma once
// The web access services over libcurl. Redirects are never followed, only
// http and https are spoken, every transfer is bounded by WebLimits, and the
// proxy comes from ProxyForUrl.

#include "WebAccess.h"

class CurlWebAccess final : public IUrlDownloader, public IHttpGet, public IConnectivity, public IPageFetch {
public:
    explicit CurlWebAccess(WebLimits limits = WebLimits {});

    DownloadOutcome Download(const DownloadRequest& request) override;
    std::string Get(const std::string& url) override;

    // Without a proxy: opens a connection to the URL's host and port and
    // closes it again. Through a proxy a connection would only prove that the
    // proxy is up, so the URL is asked for with HEAD instead; the host counts
    // as reachable when an answer arrives that is not the proxy's own failure
    // (407, 502, 503, 504).
    bool Check(const std::string& url) noexcept override;

    // Thread-safe: every call has its own transfer. A cancelled request ends
    // within about a second, when libcurl next reports progress.
    PageAnswer Fetch(const PageRequest& request) noexcept override;

    const WebLimits& Limits() const { return limits_; }

private:
    WebLimits limits_;
};
