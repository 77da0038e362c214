#include "DownLoadURL.h"

#include "ErrorReport.h"
#include "Format.h"
#include "NuvFiles.h"
#include "ProgramWindows.h"

bool TDownLoadURL::Execute()
{
    if (!ProgramWindowShowing())
        return false;
    const DownloadOutcome outcome = Fetch();
    if (!outcome.refused.empty())
        ShowErrorReport(outcome.refused);
    else if (!outcome.ok)
        ReportFailure(URL, outcome.diskFull);
    return outcome.ok;
}

DownloadOutcome TDownLoadURL::Fetch() const
{
    return UrlDownloader()->Download({ URL, Filename, Referer, Check });
}

void TDownLoadURL::ReportFailure(const std::string& url, bool diskFull)
{
    ShowErrorReport(
        Format("Error downloading URL: %s", Abbreviated(url).c_str()) + (diskFull ? nuv::DiskFullText : ""));
}
