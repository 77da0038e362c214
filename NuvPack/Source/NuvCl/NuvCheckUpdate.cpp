#include "NuvCheckUpdate.h"

#include "ErrorReport.h"
#include "Exception.h"
#include "IdHTTP.h"
#include "NuvMessageBox.h"
#include "NuvShell.h"
#include "OffThread.h"
#include "WebStop.h"

namespace {

// "有新版本软件是否查看？" in GBK.
const std::string DefaultQuestion
    = "\xD3\xD0\xD0\xC2\xB0\xE6\xB1\xBE\xC8\xED\xBC\xFE\xCA\xC7\xB7\xF1\xB2\xE9\xBF\xB4\xA3\xBF";

} // namespace

TNuvCheckUpdate::TNuvCheckUpdate(QObject* owner)
    : QObject(owner)
    , calls_(std::make_unique<OffThreadCalls>())
{
}

TNuvCheckUpdate::~TNuvCheckUpdate() = default;

std::string TNuvCheckUpdate::RequestUrl() const
{
    return url_ + "?id=" + id_ + "&&ver=" + version_;
}

bool TNuvCheckUpdate::Checking() const
{
    return calls_->Running() > 0;
}

void TNuvCheckUpdate::Execute(std::function<void()> done, std::function<void(std::exception_ptr)> failed)
{
    std::function<std::string(std::stop_token)> work = [url = RequestUrl()](std::stop_token stop) {
        const WebStopScope scope(std::move(stop));
        return TIdHTTP().Get(url);
    };
    calls_->Start<std::string>(
        std::move(work),
        [this, done = std::move(done)](std::string body) {
            Answered(body);
            if (done)
                done();
        },
        [failed = std::move(failed)](std::exception_ptr error) {
            if (failed)
                failed(error);
            else
                ReportException(error);
        });
}

void TNuvCheckUpdate::Answered(const std::string& body)
{
    if (body != "1")
        return;
    if (onNewVersion_) {
        const TNotifyEvent handler = onNewVersion_; // it may replace itself
        handler(nullptr);
        return;
    }
    ShowMsg();
}

void TNuvCheckUpdate::ShowMsg()
{
    const std::string& question = message_.empty() ? DefaultQuestion : message_;
    if (nuv::AskBox(question, nuv::kAskCaption))
        nuv::ShellOpen(goto_);
}
