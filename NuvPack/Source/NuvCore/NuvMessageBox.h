#pragma once
// The library's four message boxes and the standard error report's box. Texts
// and captions are GBK. Every box first takes an answer queued with
// modal::PushAnswer (under its caption) and then returns that answer without
// showing anything; otherwise it runs the platform's modal message box, kept
// above all other windows.

#include "ErrorReport.h"

#include <QString>

#include <string>

class QWidget;

namespace nuv {

// The standard captions (GBK): "提示", "询问", "警告", "错误".
inline const std::string kHintCaption = "\xCC\xE1\xCA\xBE";
inline const std::string kAskCaption = "\xD1\xAF\xCE\xCA";
inline const std::string kWarnCaption = "\xBE\xAF\xB8\xE6";
inline const std::string kErrorCaption = "\xB4\xED\xCE\xF3";

// The result codes of a box: the button chosen, 0 when the box could not be
// shown (no application to show it in).
inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;

// Without an owner the box belongs to the program's main window
// (nuv::MainForm), or to no window before there is one.

// OK only, information icon. Returns the box's result code.
int HintBox(const std::string& text, const std::string& caption = kHintCaption, QWidget* owner = nullptr);
// OK and Cancel, Cancel the default, question icon. True exactly when OK was
// chosen; Escape, the close button and a box that cannot be shown give false.
bool AskBox(const std::string& text, const std::string& caption = kAskCaption, QWidget* owner = nullptr);
// As AskBox, with the warning icon.
bool WarnBox(const std::string& text, const std::string& caption = kWarnCaption, QWidget* owner = nullptr);
// OK only, error icon. Returns the box's result code.
int ErrorBox(const std::string& text, const std::string& caption = kErrorCaption, QWidget* owner = nullptr);

// The application title, as the standard error report shows it. Kept here
// rather than as Qt's application display name, which Qt would append to every
// window title on X11 ("提示 — Qelvo桌面股票"), changing the boxes' captions.
void SetApplicationTitle(const QString& title);
QString ApplicationTitle();

// Makes the application's standard error report a message box: captioned with
// the application title (read at each report), the report text, the stop icon
// and an OK button, owned by the main window. The program calls it once at
// start-up, after setting the title.
// Returns the handler it replaces.
ErrorReportHandler InstallStandardErrorReport();

} // namespace nuv
