#include "Stockcodeconfig.h"

#include "Exception.h"
#include "Format.h"
#include "GbkCodec.h"
#include "NuvBase.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

const std::string StockCodeFileName = nuv::GetAppPath() + "Stocks.cfg";

namespace {

// A file descriptor closed when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(int fd)
        : fd_(fd)
    {
    }
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    bool Close()
    {
        if (fd_ < 0)
            return true;
        const bool ok = ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

private:
    int fd_;
};

bool IsMissing(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

bool ReadWholeFile(const std::string& path, std::string& text)
{
    // Non-blocking, so that a named pipe of that name cannot hang the caller.
    FileHandle file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info;
    if (!file.IsOpen() || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    char chunk[8192];
    for (;;) {
        const ssize_t got = ::read(file.Get(), chunk, sizeof chunk);
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        text.append(chunk, static_cast<size_t>(got));
    }
}

// Lines end with CR LF, LF or CR; the text ends at the first NUL byte.
std::vector<std::string> SplitLines(const std::string& bytes)
{
    const std::string text = bytes.substr(0, bytes.find('\0'));
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

bool WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(put);
    }
    return true;
}

// A fresh file beside the target, so the final rename stays on one file system.
int CreateSiblingTempFile(const std::string& target, std::string& tempName)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = target + "." + std::to_string(::getpid()) + "." + std::to_string(attempt) + ".tmp";
        const int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

void SyncFolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    FileHandle dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.IsOpen())
        ::fsync(dir.Get()); // best effort: the new content is already in place
}

// Writes bytes to a temporary file, flushes it to disk and renames it over path:
// readers see either the old content or the whole new one, never a cut file.
bool ReplaceFileContent(const std::string& path, const std::string& bytes)
{
    std::string tempName;
    FileHandle temp(CreateSiblingTempFile(path, tempName));
    if (!temp.IsOpen())
        return false;

    struct stat old;
    bool ok = true;
    if (::stat(path.c_str(), &old) == 0)
        ok = ::fchmod(temp.Get(), old.st_mode & 07777) == 0; // keep the user's permissions
    ok = ok && WriteAll(temp.Get(), bytes) && ::fsync(temp.Get()) == 0;
    ok = temp.Close() && ok;
    ok = ok && ::rename(tempName.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(tempName.c_str());
        return false;
    }
    SyncFolderOf(path);
    return true;
}

// A symbolic link in the file's place is followed, so the file it names gets the
// new content and the link stays; renaming over the link would cut it off.
std::string SaveTarget(const std::string& path)
{
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    std::error_code error;
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
    return error ? path : target.string();
}

} // namespace

TStockCodeConfig::TStockCodeConfig(std::string fileName)
    : fileName_(std::move(fileName))
{
}

void TStockCodeConfig::Load(std::vector<std::string>& list) const
{
    if (IsMissing(fileName_))
        return;
    std::string bytes;
    if (!ReadWholeFile(fileName_, bytes))
        throw EFOpenError(Format("Cannot open file %s", PathToGbk(fileName_).c_str()));
    list = SplitLines(bytes);
}

void TStockCodeConfig::Save(const std::vector<std::string>& list) const
{
    std::string bytes;
    for (const std::string& entry : list) {
        bytes += entry;
        bytes += "\r\n";
    }
    if (!ReplaceFileContent(SaveTarget(fileName_), bytes))
        throw EFCreateError(Format("Cannot create file %s", PathToGbk(fileName_).c_str()));
}
