#pragma once
// The desktop's opener, the clipboard and the folder dialog. Texts are GBK.

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <string>

class QWidget;

namespace nuv {

// What nuv::ShellOpen hands to the desktop: an address to open with the
// user's preferred application (a web address, or a local document or folder
// as a file: address), or a program to start with its arguments in a working
// directory (empty: the current one).
struct ShellOpenRequest {
    enum class Kind { Address, Program };
    Kind kind = Kind::Address;
    QUrl address;
    QString program;
    QStringList arguments;
    QString workingDir;
};

// Carries out a request; true when the desktop took it.
using ShellOpener = std::function<bool(const ShellOpenRequest&)>;

// Installs the opener and returns the previous one; an empty opener restores
// the desktop's (QDesktopServices for addresses, a detached process for
// programs). Tests install one that records.
ShellOpener SetShellOpener(ShellOpener opener);

// ShellOpen's results: above 32 on success, as callers of the shell expect.
inline constexpr int ShellOpenOk = 42;
inline constexpr int ShellFileNotFound = 2;
inline constexpr int ShellOpenFailed = 31;

// Opens file: a web address (anything starting with a scheme such as
// "http:") goes to the default browser as it is; a program is started with
// params (split like a command line, quotes group) in the working directory
// dir; any other file or folder opens in the desktop's application for it. A
// relative file is looked for in dir, then (programs without a folder part)
// on the search path. Returns ShellOpenOk, ShellFileNotFound or
// ShellOpenFailed; nothing is shown on failure.
int ShellOpen(const std::string& file, const std::string& params = {}, const std::string& dir = {});

// Replaces the clipboard's content with text as plain text.
void CopyToClipboard(const std::string& text);

// Chooses a folder for OpenDirDlg: returns the chosen folder, empty when the
// user cancelled. The default shows the platform's folder dialog.
using FolderChooser = std::function<QString(QWidget* owner, const QString& title)>;
FolderChooser SetFolderChooser(FolderChooser chooser);

// Shows the folder dialog titled caption, owned by the main window, with
// nothing preselected; the rest of the program is disabled while it is open.
// Returns the chosen folder's full path without a trailing separator (except
// the root), or empty text when cancelled. A queued modal answer closes it at
// once without a folder.
std::string OpenDirDlg(const std::string& caption);

} // namespace nuv
