#include "StockDataClient.h"

#include "DownLoadURL.h"
#include "Durora.h"
#include "NuvInternet.h"
#include "Stockdate.h"

const std::string QuoteReferer = "https://finance.sina.com.cn/";

TStockDataClient::TStockDataClient()
    : download_(std::make_unique<TDownLoadURL>())
{
}

TStockDataClient::~TStockDataClient() = default;

namespace {

std::function<std::string(const std::string&)> QuoteAnswerCheck(bool codesAsked)
{
    return [codesAsked](const std::string& body) { return QuoteAnswerProblem(body, codesAsked); };
}

} // namespace

void TStockDataClient::Download(const std::string& url, const std::string& fileName, bool codesAsked)
{
    // Without a connection the old quotes stay, silently.
    if (!nuv::CheckInternetConnection(ConnectivityProbeUrl()))
        return;
    download_->URL = url;
    download_->Filename = fileName;
    download_->Referer = QuoteReferer;
    download_->Check = QuoteAnswerCheck(codesAsked);
    download_->Execute(); // a failure is reported by the download itself
}

TQuoteFetch TStockDataClient::Fetch(
    const std::string& url, const std::string& fileName, bool codesAsked, std::string& refusal)
{
    if (!nuv::CheckInternetConnection(ConnectivityProbeUrl()))
        return TQuoteFetch::Offline;
    TDownLoadURL download;
    download.URL = url;
    download.Filename = fileName;
    download.Referer = QuoteReferer;
    download.Check = QuoteAnswerCheck(codesAsked);
    const DownloadOutcome outcome = download.Fetch();
    if (!outcome.refused.empty()) {
        refusal = outcome.refused;
        return TQuoteFetch::Refused;
    }
    if (outcome.ok)
        return TQuoteFetch::Fetched;
    return outcome.diskFull ? TQuoteFetch::DiskFull : TQuoteFetch::Failed;
}

void TStockDataClient::ReportFailure(const std::string& url, bool diskFull)
{
    TDownLoadURL::ReportFailure(url, diskFull);
}
