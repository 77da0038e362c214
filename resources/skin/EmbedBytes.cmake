# Writes a C++ source that holds the bytes of INPUT and answers them from
# StoredSkinFileBytes(). Run with: cmake -DINPUT=... -DOUTPUT=... -P EmbedBytes.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Break the list into lines of 32 bytes so the generated file stays readable.
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){32})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from Vadar2.ure by EmbedBytes.cmake; do not edit.\n"
  "#include \"StoredSkin.h\"\n\n"
  "namespace {\nconst unsigned char kStoredSkin[] = {\n${bytes}\n};\n}\n\n"
  "std::string_view StoredSkinFileBytes()\n{\n"
  "    return {reinterpret_cast<const char*>(kStoredSkin), sizeof kStoredSkin};\n}\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
