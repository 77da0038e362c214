#include "StockDataClient.h"

#include "DownLoadURL.h"
#include "Durora.h"
#include "NuvInternet.h"

const std::string QuoteReferer = "https://finance.sina.com.cn/";

TStockDataClient::TStockDataClient()
    : download_(std::make_unique<TDownLoadURL>())
{
}

TStockDataClient::~TStockDataClient() = default;

void TStockDataClient::Download(const std::string& url, const std::string& fileName)
{
    // Without a connection the old quotes stay, silently.
    if (!nuv::CheckInternetConnection(ConnectivityProbeUrl()))
        return;
    download_->URL = url;
    download_->Filename = fileName;
    download_->Referer = QuoteReferer;
    download_->Execute(); // a failure is reported by the download itself
}

TQuoteFetch TStockDataClient::Fetch(const std::string& url, const std::string& fileName)
{
    if (!nuv::CheckInternetConnection(ConnectivityProbeUrl()))
        return TQuoteFetch::Offline;
    TDownLoadURL download;
    download.URL = url;
    download.Filename = fileName;
    download.Referer = QuoteReferer;
    const DownloadOutcome outcome = download.Fetch();
    if (outcome.ok)
        return TQuoteFetch::Fetched;
    return outcome.diskFull ? TQuoteFetch::DiskFull : TQuoteFetch::Failed;
}

void TStockDataClient::ReportFailure(const std::string& url, bool diskFull)
{
    TDownLoadURL::ReportFailure(url, diskFull);
}
