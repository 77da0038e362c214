#pragma once
// The program's web access: download of a URL into a file, HTTP GET, the
// connectivity test and the page fetch of the browser view. Each is a small
// interface so tests can put a fake in its place; by default the libcurl
// implementation serves all four. All calls block the calling thread until
// they are done.

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

// Bounds on every transfer, so a dead or hostile server cannot hold the
// user-interface thread or fill the disk. Hitting one is an ordinary failure.
struct WebLimits {
    std::chrono::milliseconds connectTimeout { 5000 };
    std::chrono::milliseconds totalTimeout { 20000 };
    // Abort when fewer than lowSpeedBytes per second arrive for lowSpeedWindow.
    long lowSpeedBytes = 64;
    std::chrono::seconds lowSpeedWindow { 10 };
    std::size_t maxBodyBytes = 4 * 1024 * 1024;
};

struct DownloadRequest {
    std::string url;
    std::string fileName;
    std::string referer; // sent as the Referer header when not empty
    // Asked with the whole body of a 2xx answer before it replaces the file:
    // an answer it refuses (it returns why, not empty) leaves the file as it
    // was. None: every complete answer is taken. Runs on the calling thread.
    std::function<std::string(const std::string& body)> check {};
};

struct DownloadOutcome {
    bool ok = false;
    std::string detail; // why it failed, for diagnostics
    bool diskFull = false; // the answer could not be stored for want of space
    std::string refused; // why the check refused the answer; empty otherwise
};

class IUrlDownloader {
public:
    virtual ~IUrlDownloader() = default;
    // Stores the body of a 2xx answer in the file, replacing it in one step;
    // on any failure, or when the request's check refuses the answer, the
    // file is left exactly as it was.
    virtual DownloadOutcome Download(const DownloadRequest& request) = 0;
};

class IHttpGet {
public:
    virtual ~IHttpGet() = default;
    // The body of a 2xx answer, byte for byte. Anything else (a redirect
    // included, which is not followed) throws ENetError.
    virtual std::string Get(const std::string& url) = 0;
};

class IConnectivity {
public:
    virtual ~IConnectivity() = default;
    // True when the URL's host can be reached now; never throws.
    virtual bool Check(const std::string& url) noexcept = 0;
};

struct PageRequest {
    std::string url;
    std::string referer; // sent as the Referer header when not empty
    // A fetch is abandoned through the stop of the thread's WebStopScope.
};

struct PageAnswer {
    bool ok = false; // a complete 2xx answer arrived
    long status = 0; // the HTTP status, 0 when none arrived
    std::string contentType; // the Content-Type header as sent, empty when none
    std::string body; // the body of a 2xx answer, byte for byte
    std::string detail; // why it failed, for diagnostics
};

class IPageFetch {
public:
    virtual ~IPageFetch() = default;
    // The page at the URL with its content type, for the browser view, which
    // runs it on a worker thread: it must be safe to call from any thread and
    // never throws; a failure is an answer with ok false.
    virtual PageAnswer Fetch(const PageRequest& request) noexcept = 0;
};

// The installed services. Install* returns the previous one; null restores the
// libcurl default. Any thread may ask for a service while another installs one:
// a caller keeps the shared_ptr for its whole call, so the service it uses
// stays alive even when another one is installed meanwhile.
std::shared_ptr<IUrlDownloader> UrlDownloader();
std::shared_ptr<IHttpGet> HttpGet();
std::shared_ptr<IConnectivity> Connectivity();
std::shared_ptr<IPageFetch> PageFetch();
std::shared_ptr<IUrlDownloader> InstallUrlDownloader(std::shared_ptr<IUrlDownloader> service);
std::shared_ptr<IHttpGet> InstallHttpGet(std::shared_ptr<IHttpGet> service);
std::shared_ptr<IConnectivity> InstallConnectivity(std::shared_ptr<IConnectivity> service);
std::shared_ptr<IPageFetch> InstallPageFetch(std::shared_ptr<IPageFetch> service);
