// Where Stocks.cfg and Stocks.dat live.
#include "ProgramFolder.h"
#include "TempDir.h"
#include "Unprivileged.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

namespace fs = std::filesystem;

TEST(ProgramFolder, TheProgramsFolderWhenWritableElseTheUsersDataFolder)
{
    testsupport::TempDir dir;
    const std::string program = dir.Folder() + "bin/";
    const std::string home = dir.Folder() + "home";
    struct Case {
        const char* what;
        bool programWritable;
        std::string xdgDataHome;
        std::string home;
        std::string folder;
        bool installed = false;
    };
    const Case cases[] = {
        { "writable program folder", true, dir.Folder() + "xdg", home, program },
        { "XDG_DATA_HOME", false, dir.Folder() + "xdg", home, dir.Folder() + "xdg/qelvo/" },
        { "XDG_DATA_HOME with slash", false, dir.Folder() + "xdg2/", home, dir.Folder() + "xdg2/qelvo/" },
        { "unset XDG_DATA_HOME", false, "", home, home + "/.local/share/qelvo/" },
        { "relative XDG_DATA_HOME", false, "data", home, home + "/.local/share/qelvo/" },
        { "no home", false, "", "", program },
        { "installed program, even in a writable folder", true, dir.Folder() + "xdg3", home,
            dir.Folder() + "xdg3/qelvo/", true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> asked;
        DataFolderInputs inputs { program,
            [&](const std::string& folder) {
                asked.push_back(folder);
                return c.programWritable;
            },
            c.xdgDataHome, c.home, c.installed };
        EXPECT_EQ(ChooseDataFolder(inputs), c.folder);
        if (!c.installed) {
            EXPECT_EQ(asked, std::vector<std::string> { program });
        }
        if (c.folder != program) {
            EXPECT_TRUE(fs::is_directory(c.folder)); // made, with its parents
            EXPECT_EQ(fs::status(c.folder).permissions() & fs::perms::all, fs::perms::owner_all);
        }
    }
    EXPECT_FALSE(fs::exists(program)); // the program folder itself is never made
}

TEST(ProgramFolder, AFolderOnlyRootMayWriteSendsAnOrdinaryUserToTheDataFolder)
{
    testsupport::TempDir dir;
    fs::create_directories(dir.Path() / "bin");
    fs::create_directories(dir.Path() / "data");
    ::chmod(dir.Path().c_str(), 0755);
    ::chmod((dir.Path() / "bin").c_str(), 0755);
    ::chmod((dir.Path() / "data").c_str(), 0777);
    const std::string answer = testsupport::RunUnprivileged([&] {
        DataFolderInputs inputs = ProcessDataFolderInputs();
        inputs.programFolder = dir.Folder() + "bin/";
        inputs.xdgDataHome = dir.Folder() + "data";
        return ChooseDataFolder(inputs);
    });
    EXPECT_EQ(answer, dir.Folder() + "data/qelvo/");
    EXPECT_TRUE(fs::is_directory(dir.Path() / "data/qelvo"));

    // Root may write there, so it keeps the files beside the program.
    DataFolderInputs inputs = ProcessDataFolderInputs();
    inputs.programFolder = dir.Folder() + "bin/";
    EXPECT_EQ(ChooseDataFolder(inputs), dir.Folder() + "bin/");
}
