#pragma once
// The program's own skin as built into the executable: the bytes of the
// compressed skin file "Vadar2.ure" (8-byte header, then the zlib stream).

#include <string_view>

std::string_view StoredSkinFileBytes();
