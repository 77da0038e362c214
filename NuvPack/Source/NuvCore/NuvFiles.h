#pragma once
// The program's own folder and the file helpers every part of the program uses:
// size of a file, reading a whole file, listing the entries that match a wildcard
// pattern, writing all of a buffer, and replacing a file's content safely.

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace nuv {

// Attribute bits of a directory entry, as the pattern search understands them.
constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02; // here: a name starting with "."
constexpr int faSysFile = 0x04; // here: devices, pipes and sockets
constexpr int faVolumeID = 0x08; // never set on this platform
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20; // every regular file
constexpr int faAnyFile = 0x3F;

// Folder of the running executable, always ending in "/"; callers append a bare file name.
std::string GetAppPath();

// Size in bytes of the entry `path` names; when no entry has that name, of the
// first entry matching it as a wildcard pattern. A folder counts as 0 bytes;
// -1 when nothing matches.
std::int64_t GetFileSize(const std::string& path);

// Reads up to `size` bytes (the whole file when `size` is negative) of the file
// `path` names into a new array that the caller releases with delete[]; returns the
// number of bytes read. A missing file or a folder gives 0 and leaves `buf`
// untouched; a named pipe or a device gives 0 bytes; a file that exists but cannot
// be opened still gets its buffer and gives -1.
int LoadFileToBuf(const std::string& path, char*& buf, int size);

// Appends to `list` the folder part of `mask` plus the name of every entry matching
// the name part of `mask` ("*" and "?" are its only wildcards; the folder part is
// taken literally). Ordinary entries always match; hidden, system and directory entries only
// when their bit is set in `attr`. Not cleared, not sorted, not recursive.
void GetFileList(std::vector<std::string>& list, const std::string& mask, int attr);

// Attribute bits of one entry found by a pattern search (`path` is its full name).
int GetEntryAttributes(const std::string& path);

// Outcome of reading a whole file.
enum class FileRead {
    Done, // `bytes` holds the content
    Missing, // no entry of that name (or a folder part is missing)
    NotAFile, // a folder, named pipe, device or socket: never read, never waited for
    CannotOpen, // the entry exists but cannot be opened (permissions, a socket)
    ReadFailed, // opened, but reading failed part-way
};

// Reads the regular file `path` names into `bytes` (replaced), at most `limit`
// bytes when `limit` is not negative. Never blocks on a named pipe.
FileRead ReadWholeFile(const std::string& path, std::string& bytes, std::int64_t limit = -1);

// Writes every byte to `fd`, going on after partial writes and interrupted calls.
bool WriteAll(int fd, const void* data, std::size_t size);
inline bool WriteAll(int fd, std::string_view bytes)
{
    return WriteAll(fd, bytes.data(), bytes.size());
}

// The system calls FileReplacer writes through. Tests put failing ones in place
// to see what a full disk (ENOSPC, EDQUOT) or a folder without free inodes does;
// an empty member stands for the system's own call. Each answers as the system
// call does, errno included.
struct FileWriteCalls {
    std::function<int(const char* path, int flags, mode_t mode)> open;
    std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
    // Allocates room for the first `size` bytes without changing the file's size.
    std::function<int(int fd, off_t size)> reserve;
};

// Puts `calls` in place for every FileReplacer made from now on (any thread may
// be making one) and returns the set it replaces.
FileWriteCalls InstallFileWriteCalls(FileWriteCalls calls);

// A write failed because the disk, or the user's share of it, is full.
bool IsDiskFull(int error);
// The end of a message about a file that could not be written for want of space.
inline constexpr const char* DiskFullText = " (the disk is full)";
// DiskFullText after such a failure, else nothing.
std::string DiskFullNote(int error);

// Gives a file new content so that readers see the old content or the whole new
// one, never a cut file:
// - a symbolic link is followed: the file it names gets the content, the link stays;
// - a target that is read-only (no owner write bit) or that the user cannot write
//   is never replaced; a folder is never a target;
// - the content goes to a temporary file beside the target, which is flushed to
//   disk, renamed over the target, and the folder flushed; the target's permission
//   bits are kept;
// - an existing writable target in a folder where no temporary file can be made
//   (a read-only folder, no free inodes), or a target that is no regular file (a
//   device), is written in place, and only once the whole content is there (it is
//   held in memory until Commit). Room for the whole new content is reserved
//   first; when the disk cannot give it, nothing is written and the old content
//   stays.
// Destroying the replacer without Commit leaves the target untouched.
class FileReplacer {
public:
    explicit FileReplacer(const std::string& path);
    ~FileReplacer();
    FileReplacer(const FileReplacer&) = delete;
    FileReplacer& operator=(const FileReplacer&) = delete;

    // False when the target cannot be given new content; errno tells why.
    bool IsOpen() const { return fd_ >= 0; }
    bool Write(const void* data, std::size_t size);
    // Makes the written bytes the target's content. False (errno set) leaves the
    // target as it was.
    bool Commit();

private:
    void Discard();
    bool CommitInPlace();
    bool WriteAllOut(std::string_view bytes);

    std::shared_ptr<const FileWriteCalls> calls_;
    std::string target_;
    std::string tempPath_; // empty when writing in place
    std::string pending_; // the content of an in-place write
    int fd_ = -1;
    bool inPlace_ = false;
    bool failed_ = false;
};

// The whole new content at once (FileReplacer's rules); false with errno set.
bool ReplaceFile(const std::string& path, std::string_view bytes);

// Removes the temporary files that FileReplacer left beside `path` in a run that
// was killed before it could clean up (the process named in their name is gone).
// Returns how many it removed.
int RemoveStaleTemporaryFiles(const std::string& path);

} // namespace nuv
