#pragma once
// Saving a whole file for the library's classes: the safe replacement of the
// file helpers, with its failure raised as the stream error.

#include "Exception.h"
#include "Format.h"
#include "NuvFiles.h"

#include <string>
#include <string_view>

namespace nuv {

// Gives `path` the content `bytes` (nuv::ReplaceFile: readers see the old or the
// whole new content). EFCreateError "Cannot create file <path>" when it cannot,
// and the file is then as it was.
inline void ReplaceFileOrThrow(const std::string& path, std::string_view bytes)
{
    if (!ReplaceFile(path, bytes))
        throw EFCreateError(Format("Cannot create file %s", path.c_str()));
}

} // namespace nuv
