#include "ErrorReport.h"

#include <iostream>
#include <utility>

namespace {

void WriteToStderr(const std::string& message)
{
    std::cerr << ErrorReportText(message) << std::endl;
}

ErrorReportHandler& InstalledHandler()
{
    static ErrorReportHandler handler = WriteToStderr;
    return handler;
}

} // namespace

void ShowErrorReport(const std::string& message)
{
    // Copy first: a handler may replace itself while it runs (a modal box
    // runs a nested loop in which anything can happen).
    const ErrorReportHandler handler = InstalledHandler();
    handler(message);
}

ErrorReportHandler SetErrorReportHandler(ErrorReportHandler handler)
{
    if (!handler)
        handler = WriteToStderr;
    return std::exchange(InstalledHandler(), std::move(handler));
}

std::string ErrorReportText(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

void ReportException(const std::exception_ptr& error)
{
    ShowErrorReport(ErrorMessageOf(error));
}

void ReportCurrentException()
{
    ReportException(std::current_exception());
}

std::string ErrorMessageOf(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return {};
    }
}
