#include "CurlWebAccess.h"

#include "Exception.h"
#include "Format.h"
#include "GbkCodec.h"
#include "NuvFiles.h"
#include "ProxySelection.h"
#include "UrlParts.h"
#include "WebStop.h"

#include <curl/curl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <stop_token>
#include <utility>

namespace {

constexpr const char* UserAgent = "Mozilla/5.0 (X11; Linux x86_64) Qelvo";

void InitCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Receives body bytes; false aborts the transfer.
using BodySink = std::function<bool(const char* data, std::size_t size)>;

struct TransferResult {
    CURLcode code = CURLE_OK;
    long status = 0;
    std::string statusLine;
    std::string error;
    std::string contentType;
    bool bodyTooLarge = false;
    bool sinkFailed = false;
    bool cancelled = false;

    bool Succeeded() const { return code == CURLE_OK && status >= 200 && status < 300; }

    std::string Describe() const
    {
        if (cancelled)
            return "cancelled";
        if (bodyTooLarge)
            return "answer too large";
        if (sinkFailed)
            return "cannot write the answer";
        if (code != CURLE_OK)
            return error.empty() ? curl_easy_strerror(code) : error;
        // The server writes the status line: a message quotes only its start.
        return statusLine.empty() ? Format("HTTP status %ld", status) : Abbreviated(statusLine);
    }
};

struct TransferOptions {
    bool headOnly = false;
    bool connectOnly = false;
    std::string referer;
};

class Transfer {
public:
    Transfer(const WebLimits& limits, const BodySink& sink)
        : limits_(limits)
        , sink_(sink)
    {
    }

    TransferResult Run(const std::string& url, const TransferOptions& options)
    {
        const std::stop_token stop = CurrentWebStop();
        if (stop.stop_requested()) {
            result_.code = CURLE_ABORTED_BY_CALLBACK;
            result_.cancelled = true;
            return result_;
        }
        InitCurlOnce();
        std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
        if (!curl) {
            result_.code = CURLE_FAILED_INIT;
            return result_;
        }
        CURL* handle = curl.get();
        char errorBuffer[CURL_ERROR_SIZE] = {};
        const std::string requestUrl = EscapeForRequest(url);
        const std::string proxy = ProxyForUrl(url);

        curl_easy_setopt(handle, CURLOPT_URL, requestUrl.c_str());
        curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L);
        curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorBuffer);
        // The proxy is decided here, not by libcurl's own reading of the environment.
        curl_easy_setopt(handle, CURLOPT_PROXY, proxy.c_str());
        curl_easy_setopt(handle, CURLOPT_NOPROXY, "");
        curl_easy_setopt(
            handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits_.connectTimeout.count()));
        curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(limits_.totalTimeout.count()));
        curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, limits_.lowSpeedBytes);
        curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits_.lowSpeedWindow.count()));
        curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits_.maxBodyBytes));
        curl_easy_setopt(handle, CURLOPT_USERAGENT, UserAgent);
        if (!options.referer.empty())
            curl_easy_setopt(handle, CURLOPT_REFERER, options.referer.c_str());
        if (options.headOnly)
            curl_easy_setopt(handle, CURLOPT_NOBODY, 1L);
        if (options.connectOnly)
            curl_easy_setopt(handle, CURLOPT_CONNECT_ONLY, 1L);
        curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &Transfer::OnHeader);
        curl_easy_setopt(handle, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &Transfer::OnBody);
        curl_easy_setopt(handle, CURLOPT_WRITEDATA, this);
        // A stop from another thread: the progress check ends a transfer that is
        // resolving a name; shutting the sockets down wakes one that waits for data.
        stop_ = stop;
        curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &Transfer::OnProgress);
        curl_easy_setopt(handle, CURLOPT_XFERINFODATA, this);
        curl_easy_setopt(handle, CURLOPT_OPENSOCKETFUNCTION, &Transfer::OnOpenSocket);
        curl_easy_setopt(handle, CURLOPT_OPENSOCKETDATA, this);
        curl_easy_setopt(handle, CURLOPT_CLOSESOCKETFUNCTION, &Transfer::OnCloseSocket);
        curl_easy_setopt(handle, CURLOPT_CLOSESOCKETDATA, this);
        const std::stop_callback wake(stop, [this] { ShutDownSockets(); });

        result_.code = curl_easy_perform(handle);
        result_.cancelled = stop.stop_requested();
        curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &result_.status);
        const char* contentType = nullptr;
        if (curl_easy_getinfo(handle, CURLINFO_CONTENT_TYPE, &contentType) == CURLE_OK && contentType)
            result_.contentType = contentType;
        if (result_.code == CURLE_FILESIZE_EXCEEDED)
            result_.bodyTooLarge = true;
        result_.error = errorBuffer;
        return result_;
    }

private:
    static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* self)
    {
        auto& transfer = *static_cast<Transfer*>(self);
        std::string line(data, size * count);
        if (line.starts_with("HTTP/")) {
            while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
                line.pop_back();
            transfer.result_.statusLine = line; // the last one wins (after "100 Continue")
        }
        return size * count;
    }

    static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* self)
    {
        auto& transfer = *static_cast<Transfer*>(self);
        const std::size_t bytes = size * count;
        // Bodies without a Content-Length are only caught here.
        if (bytes > transfer.limits_.maxBodyBytes - transfer.received_) {
            transfer.result_.bodyTooLarge = true;
            return 0;
        }
        transfer.received_ += bytes;
        if (transfer.sink_ && !transfer.sink_(data, bytes)) {
            transfer.result_.sinkFailed = true;
            return 0;
        }
        return bytes;
    }

    static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
    {
        return static_cast<Transfer*>(self)->stop_.stop_requested() ? 1 : 0;
    }

    static curl_socket_t OnOpenSocket(void* self, curlsocktype, curl_sockaddr* address)
    {
        auto& transfer = *static_cast<Transfer*>(self);
        const std::lock_guard lock(transfer.socketsMutex_);
        if (transfer.stop_.stop_requested())
            return CURL_SOCKET_BAD;
        const int fd = ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
        if (fd < 0)
            return CURL_SOCKET_BAD;
        transfer.sockets_.insert(fd);
        return fd;
    }

    // Closed under the lock, so a stop never shuts down a number the system
    // has handed out again.
    static int OnCloseSocket(void* self, curl_socket_t fd)
    {
        auto& transfer = *static_cast<Transfer*>(self);
        const std::lock_guard lock(transfer.socketsMutex_);
        transfer.sockets_.erase(fd);
        return ::close(fd);
    }

    void ShutDownSockets()
    {
        const std::lock_guard lock(socketsMutex_);
        for (const int fd : sockets_)
            ::shutdown(fd, SHUT_RDWR);
    }

    const WebLimits& limits_;
    const BodySink& sink_;
    std::size_t received_ = 0;
    TransferResult result_;
    std::stop_token stop_;
    std::mutex socketsMutex_;
    std::set<int> sockets_; // this transfer's open sockets
};

} // namespace

CurlWebAccess::CurlWebAccess(WebLimits limits)
    : limits_(limits)
{
}

namespace {

// The system's error text is taken before the file name's conversion can change errno.
std::string FileFailure(const char* verb, const std::string& fileName)
{
    const std::string error = std::strerror(errno);
    return Format("cannot %s %s: %s", verb, PathToGbk(fileName).c_str(), error.c_str());
}

} // namespace

DownloadOutcome CurlWebAccess::Download(const DownloadRequest& request)
{
    // The answer replaces the file only once it is all in: a failed transfer
    // leaves the old file as it was.
    // Where no temporary file can be made the replacer holds the (capped) answer
    // in memory and writes it in place once it is all in.
    nuv::FileReplacer file(request.fileName);
    if (!file.IsOpen())
        return { false, FileFailure("write", request.fileName), nuv::IsDiskFull(errno), {} };

    int writeError = 0;
    const BodySink write = [&file, &writeError](const char* data, std::size_t size) {
        if (file.Write(data, size))
            return true;
        writeError = errno;
        return false;
    };
    // A checked answer is held until the check has seen all of it (the body
    // cap bounds it); any other goes straight to the file.
    std::string body;
    const BodySink hold = [&body](const char* data, std::size_t size) {
        body.append(data, size);
        return true;
    };
    TransferOptions options;
    options.referer = request.referer;
    const TransferResult result = Transfer(limits_, request.check ? hold : write).Run(request.url, options);
    if (!result.Succeeded())
        return { false, result.Describe(), result.sinkFailed && nuv::IsDiskFull(writeError), {} };
    if (request.check) {
        std::string refused = request.check(body);
        if (!refused.empty())
            return { false, "answer refused: " + refused, false, std::move(refused) };
        if (!write(body.data(), body.size()))
            return { false, FileFailure("write", request.fileName), nuv::IsDiskFull(writeError), {} };
    }
    if (!file.Commit())
        return { false, FileFailure("replace", request.fileName), nuv::IsDiskFull(errno), {} };
    return { true, {}, false, {} };
}

std::string CurlWebAccess::Get(const std::string& url)
{
    std::string body;
    const BodySink sink = [&body](const char* data, std::size_t size) {
        body.append(data, size);
        return true;
    };
    const TransferResult result = Transfer(limits_, sink).Run(url, {});
    if (!result.Succeeded())
        throw ENetError(result.Describe());
    return body;
}

bool CurlWebAccess::Check(const std::string& url) noexcept
{
    try {
        if (!ParseUrl(url))
            return false;
        const BodySink ignore;
        TransferOptions options;
        const bool viaProxy = !ProxyForUrl(url).empty();
        if (viaProxy)
            options.headOnly = true;
        else
            options.connectOnly = true;
        const TransferResult result = Transfer(limits_, ignore).Run(url, options);
        if (result.code != CURLE_OK)
            return false;
        if (!viaProxy)
            return true;
        const long status = result.status;
        return status >= 100 && status != 407 && status != 502 && status != 503 && status != 504;
    } catch (...) {
        return false;
    }
}

PageAnswer CurlWebAccess::Fetch(const PageRequest& request) noexcept
{
    PageAnswer answer;
    try {
        // Runs inside libcurl, which no exception may cross.
        const BodySink sink = [&answer](const char* data, std::size_t size) {
            try {
                answer.body.append(data, size);
                return true;
            } catch (...) {
                return false;
            }
        };
        TransferOptions options;
        options.referer = request.referer;
        const TransferResult result = Transfer(limits_, sink).Run(request.url, options);
        answer.status = result.status;
        answer.contentType = result.contentType;
        answer.ok = result.Succeeded();
        if (!answer.ok) {
            answer.body.clear();
            answer.detail = result.Describe();
        }
    } catch (const std::exception& error) {
        answer = PageAnswer {};
        answer.detail = error.what();
    } catch (...) {
        answer = PageAnswer {};
        answer.detail = "unknown failure";
    }
    return answer;
}
