#include "NuvShell.h"

#include "NuvForms.h"
#include "PresetAnswers.h"
#include "TempDir.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QStandardPaths>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

// Records what the desktop would be asked to open, for as long as it lives.
class RecordingOpener {
public:
    explicit RecordingOpener(bool accept = true)
    {
        previous_ = nuv::SetShellOpener([this, accept](const nuv::ShellOpenRequest& request) {
            requests.push_back(request);
            return accept;
        });
    }
    ~RecordingOpener() { nuv::SetShellOpener(previous_); }
    std::vector<nuv::ShellOpenRequest> requests;

private:
    nuv::ShellOpener previous_;
};

using Kind = nuv::ShellOpenRequest::Kind;

TEST(NuvShellOpen, WebAddressesGoToTheBrowserByteForByte)
{
    const std::string addresses[] = {
        // A GBK search term, percent-encoded byte by byte, must not be re-encoded.
        "http://www.google.com/search?q=%C4%E3%BA%C3&ie=gb2312",
        "https://s.taobao.com/search?q=C%2B%2B%20%26%3D", // reserved bytes stay encoded
        "mailto:someone@example.com",
    };
    for (const std::string& address : addresses) {
        RecordingOpener opener;
        EXPECT_EQ(nuv::ShellOpen(address), nuv::ShellOpenOk);
        ASSERT_EQ(opener.requests.size(), 1u) << address;
        EXPECT_EQ(opener.requests[0].kind, Kind::Address);
        EXPECT_EQ(opener.requests[0].address.toEncoded().toStdString(), address);
    }
}

TEST(NuvShellOpen, ProgramsStartWithTheirParametersInTheirFolder)
{
    testsupport::TempDir dir;
    const std::string tool = dir.File("tool");
    testsupport::WriteFile(tool, "#!/bin/sh\n");
    std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
    const QString folder = QString::fromStdString(dir.Path().string());

    RecordingOpener opener;
    // A relative name is looked for in the working folder; quotes group.
    EXPECT_EQ(nuv::ShellOpen("tool", "-a \"two words\" b", dir.Path().string()), nuv::ShellOpenOk);
    // A bare program name comes from the search path; no folder keeps the current one.
    EXPECT_EQ(nuv::ShellOpen("sh", "-c true"), nuv::ShellOpenOk);
    ASSERT_EQ(opener.requests.size(), 2u);

    const nuv::ShellOpenRequest& first = opener.requests[0];
    EXPECT_EQ(first.kind, Kind::Program);
    EXPECT_EQ(first.program, QDir(folder).filePath(QStringLiteral("tool")));
    EXPECT_EQ(first.arguments,
        (QStringList { QStringLiteral("-a"), QStringLiteral("two words"), QStringLiteral("b") }));
    EXPECT_EQ(first.workingDir, folder);

    const nuv::ShellOpenRequest& second = opener.requests[1];
    EXPECT_EQ(second.kind, Kind::Program);
    EXPECT_EQ(second.program, QStandardPaths::findExecutable(QStringLiteral("sh")));
    EXPECT_EQ(second.arguments, (QStringList { QStringLiteral("-c"), QStringLiteral("true") }));
    EXPECT_TRUE(second.workingDir.isEmpty());
}

TEST(NuvShellOpen, DocumentsFoldersAndFailures)
{
    testsupport::TempDir dir;
    const std::string document = dir.File("\xB9\xC9\xC6\xB1.txt"); // 股票.txt, written under its UTF-8 name
    testsupport::WriteFile(dir.File("股票.txt"), "x");
    {
        RecordingOpener opener;
        EXPECT_EQ(nuv::ShellOpen(dir.Folder() + "\xB9\xC9\xC6\xB1.txt"), nuv::ShellOpenOk);
        EXPECT_EQ(nuv::ShellOpen(dir.Path().string()), nuv::ShellOpenOk);
        ASSERT_EQ(opener.requests.size(), 2u);
        EXPECT_EQ(opener.requests[0].kind, Kind::Address) << "a document opens in its application";
        EXPECT_EQ(
            opener.requests[0].address, QUrl::fromLocalFile(QString::fromStdString(dir.File("股票.txt"))));
        EXPECT_EQ(
            opener.requests[1].address, QUrl::fromLocalFile(QString::fromStdString(dir.Path().string())));
    }
    {
        RecordingOpener opener;
        EXPECT_EQ(nuv::ShellOpen(dir.File("missing")), nuv::ShellFileNotFound);
        EXPECT_EQ(nuv::ShellOpen("no-such-program-qelvo"), nuv::ShellFileNotFound);
        EXPECT_TRUE(opener.requests.empty()) << "nothing missing reaches the desktop";
    }
    RecordingOpener refusing(false);
    EXPECT_EQ(nuv::ShellOpen("http://example.com/"), nuv::ShellOpenFailed);
}

TEST(NuvClipboard, TakesGbkTextAsPlainText)
{
    nuv::CopyToClipboard("\xD6\xD0\xCE\xC4 sh600000");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("中文 sh600000"));
}

TEST(NuvOpenDirDlg, ChosenFolderCancelAndPresetAnswer)
{
    struct Chooser {
        std::vector<QString> titles;
        std::vector<QWidget*> owners;
        QString answer;
    } chooser;
    const nuv::FolderChooser previous = nuv::SetFolderChooser([&](QWidget* owner, const QString& title) {
        chooser.titles.push_back(title);
        chooser.owners.push_back(owner);
        return chooser.answer;
    });
    QWidget mainForm;
    nuv::SetMainForm(&mainForm);

    struct Row {
        QString chosen;
        std::string result;
    };
    const Row rows[] = {
        { QStringLiteral("/home/u/股票/"), "/home/u/\xB9\xC9\xC6\xB1" }, // GBK, no trailing separator
        { QStringLiteral("/"), "/" }, { QString(), "" }, // cancelled
    };
    for (const Row& row : rows) {
        chooser.answer = row.chosen;
        EXPECT_EQ(nuv::OpenDirDlg("\xD1\xA1\xD4\xF1"), row.result) << row.chosen.toStdString(); // 选择
    }
    ASSERT_EQ(chooser.titles.size(), 3u);
    EXPECT_EQ(chooser.titles[0], QStringLiteral("选择"));
    EXPECT_EQ(chooser.owners[0], &mainForm);

    {
        testsupport::PresetAnswers answers { 1 };
        EXPECT_EQ(nuv::OpenDirDlg("x"), "");
        EXPECT_EQ(chooser.titles.size(), 3u) << "a preset answer closes the dialog before it runs";
    }
    nuv::SetMainForm(nullptr);
    nuv::SetFolderChooser(previous);
}

} // namespace
