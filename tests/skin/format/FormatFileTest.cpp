// Skin files on disk: saves replace a file whole or not at all, reads never wait.
#include "BsCompressedStoredSkin.h"
#include "BsIniFile.h"
#include "BsStreams.h"

#include "Exception.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

std::size_t EntriesIn(const std::filesystem::path& folder)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(SkinFiles, SavesReplaceTheWholeFileOrLeaveItAsItWas)
{
    TempDir dir;
    const TbsIniFile ini("[VERSION]\r\nver=1\r\n");

    // Through a link: the linked file changes, the link stays.
    WriteFile(dir.File("real.ini"), "old");
    std::filesystem::create_symlink("real.ini", dir.Path() / "skin.ini");
    ini.SaveToFile(dir.File("skin.ini"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() / "skin.ini"));
    EXPECT_EQ(ReadFile(dir.File("real.ini")), ini.Text());

    // A read-only file is not written over.
    WriteFile(dir.File("locked.ini"), "locked");
    ::chmod(dir.File("locked.ini").c_str(), 0444);
    try {
        ini.SaveToFile(dir.File("locked.ini"));
        ADD_FAILURE() << "no error raised";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file " + dir.File("locked.ini"));
    }
    EXPECT_EQ(ReadFile(dir.File("locked.ini")), "locked");

    // A writer that stops half-way (an exception before Close) changes nothing.
    {
        TFileStream file(dir.File("real.ini"), TFileStream::fmCreate);
        file.WriteBytes("half");
        EXPECT_EQ(file.Size(), 4);
    }
    EXPECT_EQ(ReadFile(dir.File("real.ini")), ini.Text());
    EXPECT_EQ(EntriesIn(dir.Path()), 3u);
}

TEST(SkinFiles, ReadsRefuseFoldersAndPipesWithoutWaiting)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    for (const std::string& path : { dir.File("pipe"), dir.Folder() }) {
        EXPECT_THROW(ReadWholeFile(path), EFOpenError) << path;
        EXPECT_THROW(TbsCompressedStoredSkin().LoadFromCompressFile(path), EFOpenError) << path;
    }
}

} // namespace
