#pragma once
// Saving a whole file for the library's classes: the safe replacement of the
// file helpers, with its failure raised as the stream error.

#include "Exception.h"
#include "Format.h"
#include "NuvFiles.h"

#include <cerrno>
#include <string>
#include <string_view>

namespace nuv {

// Gives `path` the content `bytes` (nuv::ReplaceFile: readers see the old or the
// whole new content). EFCreateError "Cannot create file <path>" when it cannot
// (saying so when the disk is full), and the file is then as it was.
inline void ReplaceFileOrThrow(const std::string& path, std::string_view bytes)
{
    if (!ReplaceFile(path, bytes)) {
        const std::string note = DiskFullNote(errno);
        throw EFCreateError(Format("Cannot create file %s", Abbreviated(path).c_str()) + note);
    }
}

} // namespace nuv
