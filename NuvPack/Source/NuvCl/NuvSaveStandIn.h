#pragma once
// TEMPORARY stand-in for the file module's atomic replace (NuvCore), which is
// not on this branch yet. Every save of NuvCl goes through SaveFileAtomically
// only; once the real function is merged, call it here and delete the body.

#include <string>

namespace nuv_standin {

// Writes `bytes` to a temporary file beside `path`, flushes it and renames it
// over `path`, so readers see the old content or the whole new one. A symbolic
// link in the file's place is followed; the file's permissions are kept.
// Throws EFCreateError ("Cannot create file <path>") when it cannot be done;
// the old file is then as it was.
void SaveFileAtomically(const std::string& path, const std::string& bytes);

} // namespace nuv_standin
