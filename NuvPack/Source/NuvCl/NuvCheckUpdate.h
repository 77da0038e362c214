#pragma once
// TNuvCheckUpdate: asks the maker's version service whether a newer version
// of the program exists and, if so, offers the user to open the maker's page.
//
// The request is Url + "?id=" + ID + "&&ver=" + Version, sent as it is
// written (nothing is encoded). Exactly the one-byte body "1" means a newer
// version; anything else (empty, "0", "1" with a line end) means none.
//
// The GET runs on a worker thread, so the windows keep painting while the
// service is slow; the answer is looked at back on the thread that called
// Execute. A failed request (no connection, a status outside 2xx, a redirect)
// asks nothing and goes to the caller's failure handler, or to the standard
// error report when none is given.

#include <QObject>

#include <exception>
#include <functional>
#include <memory>
#include <string>

class OffThreadCalls;

using TNotifyEvent = std::function<void(QObject* sender)>;

class TNuvCheckUpdate : public QObject {
    Q_OBJECT
public:
    explicit TNuvCheckUpdate(QObject* owner = nullptr);
    ~TNuvCheckUpdate() override;

    const std::string& ID() const { return id_; }
    void SetID(const std::string& id) { id_ = id; }
    const std::string& Version() const { return version_; }
    void SetVersion(const std::string& version) { version_ = version; }
    // The question; empty means "有新版本软件是否查看？".
    const std::string& Message() const { return message_; }
    void SetMessage(const std::string& message) { message_ = message; }
    const std::string& Url() const { return url_; }
    void SetUrl(const std::string& url) { url_ = url; }
    // The address opened when the user accepts.
    const std::string& Goto() const { return goto_; }
    void SetGoto(const std::string& address) { goto_ = address; }
    // When assigned, raised (with a null sender) instead of the question.
    const TNotifyEvent& OnNewVersion() const { return onNewVersion_; }
    void SetOnNewVersion(TNotifyEvent handler) { onNewVersion_ = std::move(handler); }

    // The address the check asks.
    std::string RequestUrl() const;

    // Starts one check and returns at once. Once the answer is in and dealt
    // with (question asked, handler run or nothing to do), done runs; a failed
    // request runs failed with the error instead, or shows the standard error
    // report when failed is empty. Both run on the calling thread's event loop.
    void Execute(std::function<void()> done = {}, std::function<void(std::exception_ptr)> failed = {});

    // Whether a check waits for its answer.
    bool Checking() const;

    // Deals with the service's answer: "1" raises OnNewVersion or ShowMsg.
    void Answered(const std::string& body);

    // Asks the question (caption "询问", OK and Cancel, Cancel the default);
    // OK opens Goto in the user's browser.
    void ShowMsg();

private:
    std::string id_;
    std::string version_;
    std::string message_;
    std::string url_;
    std::string goto_;
    TNotifyEvent onNewVersion_;
    std::unique_ptr<OffThreadCalls> calls_;
};
