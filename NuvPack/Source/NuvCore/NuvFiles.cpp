#include "NuvFiles.h"

#include "ServiceSlot.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <memory>

namespace nuv {

namespace {

    // "*" stands for any run of characters, "?" for one; every other character,
    // brackets and backslashes included, stands for itself.
    bool WildcardMatch(std::string_view pattern, std::string_view name)
    {
        std::size_t p = 0;
        std::size_t n = 0;
        std::size_t star = std::string_view::npos;
        std::size_t resume = 0;
        while (n < name.size()) {
            if (p < pattern.size() && pattern[p] == '*') {
                star = p++;
                resume = n;
            } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
                ++p;
                ++n;
            } else if (star != std::string_view::npos) {
                p = star + 1;
                n = ++resume;
            } else {
                return false;
            }
        }
        while (p < pattern.size() && pattern[p] == '*')
            ++p;
        return p == pattern.size();
    }

    // stat() that still describes a dangling symbolic link (as the link itself).
    bool StatEntry(const std::string& path, struct stat& info)
    {
        return stat(path.c_str(), &info) == 0 || lstat(path.c_str(), &info) == 0;
    }

    // Every entry matching `pattern`, in the order the file system reports them.
    // Only the name part holds wildcards; the folder part is a folder's own name.
    // Names starting with "." match wildcards too (the attribute filter decides).
    std::vector<std::string> MatchPattern(const std::string& pattern)
    {
        std::vector<std::string> matches;
        if (pattern.empty())
            return matches;
        const auto slash = pattern.rfind('/');
        const std::string folder = slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
        const std::string name = pattern.substr(folder.size());
        if (name.find_first_of("*?") == std::string::npos) {
            struct stat info { };
            if (StatEntry(pattern, info))
                matches.push_back(pattern);
            return matches;
        }
        const std::unique_ptr<DIR, int (*)(DIR*)> dir(
            opendir(folder.empty() ? "." : folder.c_str()), closedir);
        if (!dir)
            return matches;
        while (const dirent* entry = readdir(dir.get())) {
            if (WildcardMatch(name, entry->d_name))
                matches.push_back(folder + entry->d_name);
        }
        return matches;
    }

    std::string EntryName(const std::string& path)
    {
        std::string trimmed = path;
        while (trimmed.size() > 1 && trimmed.back() == '/')
            trimmed.pop_back();
        const auto slash = trimmed.rfind('/');
        return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
    }

    std::string FolderOf(const std::string& path)
    {
        const auto slash = path.rfind('/');
        return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    }

    // The file a chain of symbolic links ends at (the path itself when it is no link).
    // A link to a missing file gives that file's name, so a save creates it.
    std::string FollowLinks(std::string path)
    {
        for (int hop = 0; hop < 40; ++hop) {
            struct stat info { };
            if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
                return path;
            std::string link(PATH_MAX, '\0');
            const ssize_t length = readlink(path.c_str(), link.data(), link.size());
            if (length <= 0 || static_cast<std::size_t>(length) >= link.size())
                return path;
            link.resize(static_cast<std::size_t>(length));
            if (link.front() != '/' && path.find('/') != std::string::npos)
                link = FolderOf(path) + link;
            path = std::move(link);
        }
        return path;
    }

    ServiceSlot<const FileWriteCalls>& InstalledWriteCalls()
    {
        // Never destroyed: a download's worker may still write while the program ends.
        static auto* slot = new ServiceSlot<const FileWriteCalls>(std::make_shared<const FileWriteCalls>());
        return *slot;
    }

    int OpenWith(const FileWriteCalls& calls, const char* path, int flags, mode_t mode)
    {
        return calls.open ? calls.open(path, flags, mode) : ::open(path, flags, mode);
    }

    bool WriteAllWith(const FileWriteCalls& calls, int fd, const char* next, std::size_t size)
    {
        while (size > 0) {
            const ssize_t wrote = calls.write ? calls.write(fd, next, size) : ::write(fd, next, size);
            if (wrote < 0 && errno == EINTR)
                continue;
            if (wrote <= 0)
                return false;
            next += wrote;
            size -= static_cast<std::size_t>(wrote);
        }
        return true;
    }

    int ReserveWith(const FileWriteCalls& calls, int fd, off_t size)
    {
        return calls.reserve ? calls.reserve(fd, size) : ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size);
    }

    // A temporary file beside `target` is named "<target>.<process id>-<serial>.tmp".
    std::string TemporaryName(const std::string& target, long pid, unsigned serial)
    {
        return target + "." + std::to_string(pid) + "-" + std::to_string(serial) + ".tmp";
    }

    // The process id in a temporary file's name, or 0 when `name` is no such name
    // for a target whose file name is `base`.
    long TemporaryOwner(std::string_view name, std::string_view base)
    {
        if (!name.starts_with(base) || name.size() <= base.size() || name[base.size()] != '.'
            || !name.ends_with(".tmp"))
            return 0;
        const std::string_view middle = name.substr(base.size() + 1, name.size() - base.size() - 5);
        const auto dash = middle.find('-');
        const auto digits = [](std::string_view text) {
            return !text.empty() && text.size() <= 9
                && text.find_first_not_of("0123456789") == std::string_view::npos;
        };
        if (dash == std::string_view::npos || !digits(middle.substr(0, dash))
            || !digits(middle.substr(dash + 1)))
            return 0;
        return std::stol(std::string(middle.substr(0, dash)));
    }

    // A new file beside `target`, so that the final rename stays on one file system.
    int CreateFileBeside(const FileWriteCalls& calls, const std::string& target, std::string& tempPath)
    {
        static std::atomic<unsigned> serial { 0 };
        for (int attempt = 0; attempt < 100; ++attempt) {
            tempPath = TemporaryName(target, getpid(), serial++);
            const int fd = OpenWith(calls, tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0 || errno != EEXIST)
                return fd;
        }
        return -1;
    }

    void SyncFolderOf(const std::string& path)
    {
        const int dir = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            fsync(dir); // best effort: the new content is already in place
            close(dir);
        }
    }

} // namespace

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
    // A name that holds "?" or "*" is first of all the name of its own file.
    struct stat info { };
    if (!path.empty() && StatEntry(path, info))
        return S_ISDIR(info.st_mode) ? 0 : static_cast<std::int64_t>(info.st_size);
    for (const std::string& match : MatchPattern(path)) {
        if (!StatEntry(match, info))
            continue;
        return S_ISDIR(info.st_mode) ? 0 : static_cast<std::int64_t>(info.st_size);
    }
    return -1;
}

int LoadFileToBuf(const std::string& path, char*& buf, int size)
{
    struct stat info { };
    if (stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return 0;

    std::string bytes;
    const FileRead result = ReadWholeFile(path, bytes, size < 0 ? INT_MAX : size);
    if (result == FileRead::Missing)
        return 0;
    const std::size_t length = size < 0 ? bytes.size() : static_cast<std::size_t>(size);
    buf = new char[length];
    std::copy(bytes.begin(), bytes.end(), buf);
    switch (result) {
    case FileRead::Done:
        return static_cast<int>(bytes.size());
    case FileRead::NotAFile:
        return 0;
    default:
        return -1;
    }
}

int GetEntryAttributes(const std::string& path)
{
    int attr = 0;
    const std::string name = EntryName(path);
    if (name.size() > 1 && name[0] == '.' && name != "..")
        attr |= faHidden;

    struct stat info { };
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

FileRead ReadWholeFile(const std::string& path, std::string& bytes, std::int64_t limit)
{
    bytes.clear();
    // Non-blocking, so that a named pipe without a writer cannot hang the caller.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? FileRead::Missing : FileRead::CannotOpen;
    struct stat info { };
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return FileRead::NotAFile;
    }
    const auto wanted = [limit](std::int64_t size) {
        return static_cast<std::size_t>(limit < 0 ? size : std::min(size, limit));
    };
    // One byte more than the file holds, so that the end shows without growing.
    bytes.resize(wanted(static_cast<std::int64_t>(info.st_size) + 1));
    std::size_t got = 0;
    FileRead result = FileRead::Done;
    while (limit < 0 || got < static_cast<std::size_t>(limit)) {
        if (got == bytes.size()) // the file grew while being read
            bytes.resize(wanted(static_cast<std::int64_t>(got) * 2 + 4096));
        const ssize_t part = read(fd, bytes.data() + got, bytes.size() - got);
        if (part < 0 && errno == EINTR)
            continue;
        if (part < 0)
            result = FileRead::ReadFailed;
        if (part <= 0)
            break;
        got += static_cast<std::size_t>(part);
    }
    close(fd);
    bytes.resize(got);
    return result;
}

bool WriteAll(int fd, const void* data, std::size_t size)
{
    return WriteAllWith(FileWriteCalls {}, fd, static_cast<const char*>(data), size);
}

FileWriteCalls InstallFileWriteCalls(FileWriteCalls calls)
{
    const auto previous
        = InstalledWriteCalls().Exchange(std::make_shared<const FileWriteCalls>(std::move(calls)));
    return *previous;
}

bool IsDiskFull(int error)
{
    return error == ENOSPC || error == EDQUOT;
}

std::string DiskFullNote(int error)
{
    return IsDiskFull(error) ? DiskFullText : "";
}

FileReplacer::FileReplacer(const std::string& path)
    : calls_(InstalledWriteCalls().Get())
    , target_(FollowLinks(path))
{
    struct stat info { };
    const bool exists = stat(target_.c_str(), &info) == 0;
    if (!exists && errno != ENOENT)
        return;
    if (exists) {
        if (S_ISDIR(info.st_mode)) {
            errno = EISDIR;
            return;
        }
        // A file marked read-only stays as it is, whoever runs the program.
        if ((info.st_mode & S_IWUSR) == 0 || access(target_.c_str(), W_OK) != 0) {
            errno = EACCES;
            return;
        }
        inPlace_ = !S_ISREG(info.st_mode);
    }
    if (!inPlace_) {
        fd_ = CreateFileBeside(*calls_, target_, tempPath_);
        if (fd_ >= 0) {
            if (exists) {
                // The owner is kept where the system lets us; the permissions always.
                if (fchown(fd_, info.st_uid, info.st_gid) != 0) { }
                if (fchmod(fd_, info.st_mode & 07777) != 0)
                    Discard();
            }
            return;
        }
        tempPath_.clear();
        if (!exists)
            return;
        inPlace_ = true;
    }
    fd_ = OpenWith(*calls_, target_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC, 0);
    if (fd_ >= 0)
        fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
}

FileReplacer::~FileReplacer()
{
    Discard();
}

void FileReplacer::Discard()
{
    const int saved = errno;
    if (fd_ >= 0)
        close(fd_);
    fd_ = -1;
    if (!tempPath_.empty())
        unlink(tempPath_.c_str());
    tempPath_.clear();
    pending_.clear();
    errno = saved;
}

bool FileReplacer::Write(const void* data, std::size_t size)
{
    if (fd_ < 0 || failed_)
        return false;
    if (inPlace_)
        pending_.append(static_cast<const char*>(data), size);
    else
        failed_ = !WriteAllOut(std::string_view(static_cast<const char*>(data), size));
    return !failed_;
}

bool FileReplacer::WriteAllOut(std::string_view bytes)
{
    return WriteAllWith(*calls_, fd_, bytes.data(), bytes.size());
}

// The target keeps its old content until the room for all of the new one is
// reserved; after that the writes cannot run out of space.
bool FileReplacer::CommitInPlace()
{
    struct stat info { };
    bool ok = fstat(fd_, &info) == 0;
    if (ok && S_ISREG(info.st_mode)) {
        const auto size = static_cast<off_t>(pending_.size());
        if (size > 0 && ReserveWith(*calls_, fd_, size) != 0) {
            // A file system that cannot reserve still holds the blocks the file has.
            const bool held = (errno == EOPNOTSUPP || errno == ENOSYS)
                && static_cast<off_t>(info.st_blocks) * 512 >= size;
            ok = held;
        }
        ok = ok && WriteAllOut(pending_) && ftruncate(fd_, size) == 0 && fsync(fd_) == 0;
    } else {
        ok = ok && WriteAllOut(pending_);
    }
    const int error = errno;
    const int fd = fd_;
    fd_ = -1;
    ok = close(fd) == 0 && ok;
    Discard();
    if (!ok)
        errno = error;
    return ok;
}

bool FileReplacer::Commit()
{
    if (fd_ < 0 || failed_) {
        if (!failed_)
            errno = EBADF;
        Discard();
        return false;
    }
    if (inPlace_)
        return CommitInPlace();
    const int fd = fd_;
    fd_ = -1;
    bool ok = fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(tempPath_.c_str(), target_.c_str()) == 0;
    if (!ok) {
        Discard();
        return false;
    }
    tempPath_.clear();
    SyncFolderOf(target_);
    return true;
}

bool ReplaceFile(const std::string& path, std::string_view bytes)
{
    FileReplacer file(path);
    return file.IsOpen() && file.Write(bytes.data(), bytes.size()) && file.Commit();
}

int RemoveStaleTemporaryFiles(const std::string& path)
{
    const std::string target = FollowLinks(path);
    const std::string folder = FolderOf(target);
    const std::string base = EntryName(target);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir)
        return 0;
    std::vector<std::string> stale;
    while (const dirent* entry = readdir(dir.get())) {
        const long owner = TemporaryOwner(entry->d_name, base);
        // A process that exists but is not ours to signal answers EPERM: it still runs.
        if (owner > 0 && owner != getpid() && kill(static_cast<pid_t>(owner), 0) != 0 && errno == ESRCH)
            stale.emplace_back(entry->d_name);
    }
    int removed = 0;
    for (const std::string& name : stale) {
        const std::string file = (folder.back() == '/' ? folder : folder + "/") + name;
        struct stat info { };
        if (lstat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) && unlink(file.c_str()) == 0)
            ++removed;
    }
    return removed;
}

} // namespace nuv
