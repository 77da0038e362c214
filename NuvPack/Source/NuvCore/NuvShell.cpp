#include "NuvShell.h"

#include "GbkText.h"
#include "ModalAnswers.h"
#include "NuvForms.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <utility>

namespace {

bool DesktopOpen(const nuv::ShellOpenRequest& request)
{
    if (request.kind == nuv::ShellOpenRequest::Kind::Address)
        return QDesktopServices::openUrl(request.address);
    return QProcess::startDetached(request.program, request.arguments, request.workingDir);
}

nuv::ShellOpener& InstalledOpener()
{
    static nuv::ShellOpener opener = DesktopOpen;
    return opener;
}

QString ShowFolderDialog(QWidget* owner, const QString& title)
{
    return QFileDialog::getExistingDirectory(owner, title, QString(), QFileDialog::ShowDirsOnly);
}

nuv::FolderChooser& InstalledChooser()
{
    static nuv::FolderChooser chooser = ShowFolderDialog;
    return chooser;
}

bool IsAsciiOnly(const std::string& text)
{
    for (unsigned char c : text)
        if (c >= 0x80)
            return false;
    return true;
}

// An address starts with a scheme of two or more characters: a letter, then
// letters, digits, "+", "-" or ".", then ":".
bool StartsWithScheme(const std::string& text)
{
    const auto isAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const auto isSchemeChar
        = [&](char c) { return isAlpha(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'; };
    if (text.empty() || !isAlpha(text[0]))
        return false;
    size_t i = 1;
    while (i < text.size() && isSchemeChar(text[i]))
        ++i;
    return i >= 2 && i < text.size() && text[i] == ':';
}

QUrl AddressOf(const std::string& text)
{
    // Plain ASCII goes as it is, so percent-encoded GBK bytes of a search
    // term stay exactly as they were written.
    if (IsAsciiOnly(text))
        return QUrl::fromEncoded(
            QByteArray(text.data(), static_cast<qsizetype>(text.size())), QUrl::TolerantMode);
    return QUrl(GbkToQString(text), QUrl::TolerantMode);
}

// The file a relative name means: the name in dir (the current folder
// without one); a program named without a folder part may also come from the
// search path.
QString Locate(const QString& file, const QString& dir)
{
    const QFileInfo direct(dir.isEmpty() || QDir::isAbsolutePath(file) ? file : QDir(dir).filePath(file));
    if (direct.exists())
        return direct.absoluteFilePath();
    if (!file.contains(QLatin1Char('/')))
        return QStandardPaths::findExecutable(file);
    return {};
}

} // namespace

namespace nuv {

ShellOpener SetShellOpener(ShellOpener opener)
{
    if (!opener)
        opener = DesktopOpen;
    return std::exchange(InstalledOpener(), std::move(opener));
}

int ShellOpen(const std::string& file, const std::string& params, const std::string& dir)
{
    ShellOpenRequest request;
    if (StartsWithScheme(file)) {
        request.address = AddressOf(file);
    } else {
        const QString path = Locate(GbkToQString(file), GbkToQString(dir));
        if (path.isEmpty())
            return ShellFileNotFound;
        const QFileInfo info(path);
        if (info.isFile() && info.isExecutable()) {
            request.kind = ShellOpenRequest::Kind::Program;
            request.program = path;
            request.arguments = QProcess::splitCommand(GbkToQString(params));
            request.workingDir = GbkToQString(dir);
        } else {
            request.address = QUrl::fromLocalFile(path);
        }
    }
    // Copy first: an opener may replace itself.
    const ShellOpener opener = InstalledOpener();
    return opener(request) ? ShellOpenOk : ShellOpenFailed;
}

void CopyToClipboard(const std::string& text)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    QGuiApplication::clipboard()->setText(GbkToQString(text));
}

FolderChooser SetFolderChooser(FolderChooser chooser)
{
    if (!chooser)
        chooser = ShowFolderDialog;
    return std::exchange(InstalledChooser(), std::move(chooser));
}

std::string OpenDirDlg(const std::string& caption)
{
    if (modal::TakeAnswer(caption))
        return {};
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return {};
    const FolderChooser chooser = InstalledChooser();
    const QString folder = chooser(MainForm(), GbkToQString(caption));
    if (folder.isEmpty())
        return {};
    return QStringToGbk(QDir::toNativeSeparators(QDir::cleanPath(folder)));
}

} // namespace nuv
