#pragma once
// The program's own folder and small file helpers: size of a file, reading a
// whole file into a new buffer, listing the entries that match a wildcard pattern.

#include <cstdint>
#include <string>
#include <vector>

namespace nuv {

// Attribute bits of a directory entry, as the pattern search understands them.
constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;     // here: a name starting with "."
constexpr int faSysFile = 0x04;    // here: devices, pipes and sockets
constexpr int faVolumeID = 0x08;   // never set on this platform
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;    // every regular file
constexpr int faAnyFile = 0x3F;

// Folder of the running executable, always ending in "/"; callers append a bare file name.
std::string GetAppPath();

// Size in bytes of the first entry matching `path` (a wildcard pattern is allowed);
// a folder counts as 0 bytes; -1 when nothing matches.
std::int64_t GetFileSize(const std::string& path);

// Reads up to `size` bytes (the whole file when `size` is negative) into a new
// array that the caller releases with delete[]; returns the number of bytes read.
// A missing file gives 0 and leaves `buf` untouched; a file that exists but cannot
// be opened still gets its buffer and gives -1.
int LoadFileToBuf(const std::string& path, char*& buf, int size);

// Appends to `list` the folder part of `mask` plus the name of every entry matching
// `mask`. Ordinary entries always match; hidden, system and directory entries only
// when their bit is set in `attr`. Not cleared, not sorted, not recursive.
void GetFileList(std::vector<std::string>& list, const std::string& mask, int attr);

// Attribute bits of one entry found by a pattern search (`path` is its full name).
int GetEntryAttributes(const std::string& path);

}  // namespace nuv
