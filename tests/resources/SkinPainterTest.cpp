// The skin painter draws the program's skin into the rects its INI text
// names. An edit of the INI text that the drawing cannot follow must stop the
// build with a message naming the place, never give a skin whose rects point
// at pieces drawn for something else.

#include "TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

struct KeyEdit {
    std::string section;
    std::string key;
    std::optional<std::string> value; // none: the key is removed
};

// The INI text with one key of one section set (added when missing) or removed.
std::string Edited(std::string text, const KeyEdit& edit)
{
    const std::size_t section = text.find("\n[" + edit.section + "]\n");
    if (section == std::string::npos) {
        ADD_FAILURE() << "no section " << edit.section;
        return text;
    }
    const std::size_t end = std::min(text.find("\n[", section + 1), text.size());
    const std::string line = "\n" + edit.key + "=";
    const std::size_t at = text.find(line, section);
    const std::string replacement = edit.value ? line + *edit.value : std::string();
    if (at == std::string::npos || at >= end)
        text.insert(end, replacement);
    else
        text.replace(at, text.find('\n', at + 1) - at, replacement);
    return text;
}

struct PainterRun {
    int exitCode;
    std::string errors;
};

PainterRun Paint(const std::string& iniPath, const std::string& folder)
{
    QProcess painter;
    painter.start(
        QStringLiteral(SKIN_PAINTER), { QString::fromStdString(iniPath), QString::fromStdString(folder) });
    if (!painter.waitForFinished(60000))
        return { -1, "the painter did not finish" };
    return { painter.exitCode(), painter.readAllStandardError().toStdString() };
}

TEST(SkinPainter, StopsWhereTheIniTextAndTheDrawingDisagree)
{
    const struct {
        const char* what;
        std::vector<KeyEdit> edits;
        const char* message; // empty: the skin is drawn
    } cases[] = {
        { "the program's own INI text", {}, "" },
        { "a look moved past its picture's edge", { { "button", "activeskinrect", "300,22,374,43" } },
            "[button] activeskinrect 300,22,374,43 lies outside controls.bmp" },
        { "a section pointed at another picture", { { "toolbutton", "pictureindex", "5" } },
            "[toolbutton] skinrect is drawn into controls.bmp, but its section lies in picture 5 "
            "(scrollbars.bmp)" },
        { "a piece the drawing needs removed", { { "combobox", "buttonrect", std::nullopt } },
            "[combobox] buttonrect is missing" },
        { "a look written as absent", { { "tab", "focustabrect", "0,0,0,0" } },
            "[tab] focustabrect 0,0,0,0 is empty" },
        { "two drawings sent to one picture", { { "tab", "pictureindex", "5" } },
            "scrollbars.bmp is drawn twice" },
        { "a picture index past the library", { { "closebutton", "activepictureindex", "16" } },
            "[closebutton] activepictureindex names no picture" },
        { "a library picture nothing draws",
            { { "PICTURES", "activepicturescount", "17" }, { "PICTURES", "16", "extra.bmp" } },
            "nothing draws extra.bmp" },
    };
    const std::string original = testsupport::ReadFile(SKIN_INI);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::TempDir dir;
        std::string text = original;
        for (const KeyEdit& edit : c.edits)
            text = Edited(text, edit);
        testsupport::WriteFile(dir.File("Vadar2.ini"), text);

        const PainterRun run = Paint(dir.File("Vadar2.ini"), dir.Folder());
        if (std::string(c.message).empty()) {
            EXPECT_EQ(run.exitCode, 0) << run.errors;
            EXPECT_TRUE(std::filesystem::exists(dir.File("main.bmp")));
            EXPECT_TRUE(std::filesystem::exists(dir.File("groupbox.bmp")));
        } else {
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_THAT(run.errors, testing::HasSubstr(c.message));
        }
    }
}

} // namespace
