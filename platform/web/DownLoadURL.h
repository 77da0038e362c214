#pragma once
// The action that downloads a URL into a file. It runs only while a window of
// the program is showing (otherwise it is skipped silently) and tells the user
// about a failure itself, through the standard error report, leaving the file
// as it was. An answer its Check refuses is such a failure, reported with the
// check's reason.

#include "WebAccess.h"

#include <functional>
#include <string>

class TDownLoadURL {
public:
    std::string URL;
    std::string Filename;
    std::string Referer; // sent as the Referer header when not empty
    // Sees the whole answer before it replaces the file; returns why it is
    // refused, or nothing to take it. None: every complete answer is taken.
    std::function<std::string(const std::string& body)> Check;

    // True when the file now holds the answer. Callers may ignore the result:
    // a failure has already been reported.
    bool Execute();

    // The two halves of Execute for a download that runs on a worker thread:
    // Fetch only transfers (it asks no hook and shows nothing), ReportFailure
    // shows the report Execute would show for a failed transfer, on the
    // user-interface thread: "Error downloading URL: %s" with at most a few
    // hundred characters of the address, and why when the disk is full.
    DownloadOutcome Fetch() const;
    static void ReportFailure(const std::string& url, bool diskFull = false);
};
