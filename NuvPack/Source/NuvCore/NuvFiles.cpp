#include "NuvFiles.h"

#include <fcntl.h>
#include <glob.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

namespace nuv {

namespace {

// Every entry matching `pattern`, in the order the file system reports them.
// Only "*" and "?" are wildcards: brackets and backslashes are ordinary characters
// of a name, so "a[1].txt" names that file and not "a1.txt". Names starting with
// "." match wildcards too (the attribute filter decides about them).
std::vector<std::string> MatchPattern(const std::string& pattern)
{
    std::vector<std::string> matches;
    if (pattern.empty())
        return matches;
    std::string escaped;
    escaped.reserve(pattern.size() * 2);
    for (const char c : pattern) {
        if (c == '[' || c == ']' || c == '\\')
            escaped += '\\';
        escaped += c;
    }
    glob_t found{};
    if (glob(escaped.c_str(), GLOB_PERIOD | GLOB_NOSORT, nullptr, &found) == 0) {
        for (std::size_t i = 0; i < found.gl_pathc; ++i)
            matches.emplace_back(found.gl_pathv[i]);
    }
    globfree(&found);
    return matches;
}

// stat() that still describes a dangling symbolic link (as the link itself).
bool StatEntry(const std::string& path, struct stat& info)
{
    return stat(path.c_str(), &info) == 0 || lstat(path.c_str(), &info) == 0;
}

std::string EntryName(const std::string& path)
{
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    const auto slash = trimmed.rfind('/');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

}  // namespace

std::string GetAppPath()
{
    std::string exe(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", exe.data(), exe.size());
    if (length > 0 && static_cast<std::size_t>(length) < exe.size()) {
        exe.resize(static_cast<std::size_t>(length));
        const auto slash = exe.rfind('/');
        if (slash != std::string::npos)
            return exe.substr(0, slash + 1);
    }
    // Without /proc the working folder is the best remaining guess.
    std::error_code error;
    std::string folder = std::filesystem::current_path(error).string();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::int64_t GetFileSize(const std::string& path)
{
    for (const std::string& match : MatchPattern(path)) {
        struct stat info {};
        if (!StatEntry(match, info))
            continue;
        return S_ISDIR(info.st_mode) ? 0 : static_cast<std::int64_t>(info.st_size);
    }
    return -1;
}

int LoadFileToBuf(const std::string& path, char*& buf, int size)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return 0;

    // Non-blocking so that a named pipe without a writer cannot hang the caller.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (size < 0) {
        const std::int64_t whole = GetFileSize(path);
        size = whole < 0 ? 0 : static_cast<int>(whole);
    }
    buf = new char[static_cast<std::size_t>(size)];
    if (fd < 0)
        return -1;

    int total = 0;
    while (total < size) {
        const ssize_t got = read(fd, buf + total, static_cast<std::size_t>(size - total));
        if (got < 0) {
            total = -1;
            break;
        }
        if (got == 0)
            break;
        total += static_cast<int>(got);
    }
    close(fd);
    return total;
}

int GetEntryAttributes(const std::string& path)
{
    int attr = 0;
    const std::string name = EntryName(path);
    if (name.size() > 1 && name[0] == '.' && name != "..")
        attr |= faHidden;

    struct stat info {};
    if (!StatEntry(path, info))
        return attr;
    if (S_ISDIR(info.st_mode))
        attr |= faDirectory;
    else if (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode))
        attr |= faArchive;
    else
        attr |= faSysFile;
    if ((info.st_mode & S_IWUSR) == 0)
        attr |= faReadOnly;
    return attr;
}

void GetFileList(std::vector<std::string>& list, const std::string& mask, int attr)
{
    // Read-only and archive entries are ordinary; the other bits must be asked for.
    const int excluded = ~attr & (faHidden | faSysFile | faVolumeID | faDirectory);
    for (const std::string& match : MatchPattern(mask)) {
        if ((GetEntryAttributes(match) & excluded) == 0)
            list.push_back(match);
    }
}

}  // namespace nuv
