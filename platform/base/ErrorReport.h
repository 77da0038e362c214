#pragma once
// The application's one standard error report. Everything that must tell the
// user about a failure (a failed download, an error escaping an event handler)
// goes through ShowErrorReport; the windows install the modal message box as
// the handler, tests install a recorder. Until then the text goes to stderr.

#include <exception>
#include <functional>
#include <string>

using ErrorReportHandler = std::function<void(const std::string& message)>;

// Shows the report through the installed handler and returns when it is dismissed.
void ShowErrorReport(const std::string& message);

// Installs a handler and returns the previous one; an empty handler restores
// the default (stderr).
ErrorReportHandler SetErrorReportHandler(ErrorReportHandler handler);

// The message a caught error carries (what() of a standard exception, which
// for Exception is its Message()); empty for a thrown object that is no error.
std::string ErrorMessageOf(const std::exception_ptr& error);

// The standard error report for a caught error: ShowErrorReport with its
// message. ReportCurrentException takes the one being handled (call it in a
// catch block); this is how whatever escapes a handler, a callback or the
// start-up is reported.
void ReportException(const std::exception_ptr& error);
void ReportCurrentException();

// The text the report shows: the message with a full stop appended when its
// last character sorts after "." (so "failed" gets one, "failed." and "(1)" not).
std::string ErrorReportText(const std::string& message);
