#include "DownLoadURL.h"

#include "ErrorReport.h"
#include "Format.h"
#include "ProgramWindows.h"
#include "WebAccess.h"

bool TDownLoadURL::Execute()
{
    if (!ProgramWindowShowing())
        return false;
    const DownloadOutcome outcome = UrlDownloader().Download({URL, Filename, Referer});
    if (!outcome.ok)
        ShowErrorReport(Format("Error downloading URL: %s", URL.c_str()));
    return outcome.ok;
}
