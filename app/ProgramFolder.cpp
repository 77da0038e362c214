#include "ProgramFolder.h"

#include "NuvFiles.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

std::string WithSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

// mkdir -p: every missing folder of the path, readable by the user only.
void MakeFolders(const std::string& folder)
{
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1))
        ::mkdir(folder.substr(0, slash).c_str(), 0700);
}

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool SameFolder(const std::string& a, const std::string& b)
{
    struct stat first { };
    struct stat second { };
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev
        && first.st_ino == second.st_ino;
}

} // namespace

std::string ChooseDataFolder(const DataFolderInputs& inputs)
{
    if (!inputs.installed && inputs.canWrite && inputs.canWrite(inputs.programFolder))
        return WithSlash(inputs.programFolder);
    // Only an absolute $XDG_DATA_HOME counts; a relative one is ignored.
    std::string base;
    if (inputs.xdgDataHome.starts_with('/'))
        base = WithSlash(inputs.xdgDataHome);
    else if (inputs.home.starts_with('/'))
        base = WithSlash(inputs.home) + ".local/share/";
    else
        return WithSlash(inputs.programFolder); // no home at all: nothing better is known
    const std::string folder = base + "qelvo/";
    MakeFolders(folder);
    return folder;
}

DataFolderInputs ProcessDataFolderInputs()
{
    DataFolderInputs inputs;
    inputs.programFolder = nuv::GetAppPath();
    inputs.canWrite = [](const std::string& folder) { return ::access(folder.c_str(), W_OK | X_OK) == 0; };
    inputs.installed = SameFolder(inputs.programFolder, QELVO_INSTALL_BINDIR);
    inputs.xdgDataHome = Environment("XDG_DATA_HOME");
    inputs.home = Environment("HOME");
    if (inputs.home.empty()) {
        if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir)
            inputs.home = user->pw_dir;
    }
    return inputs;
}

const std::string& ProgramDataFolder()
{
    static const std::string folder = ChooseDataFolder(ProcessDataFolderInputs());
    return folder;
}
