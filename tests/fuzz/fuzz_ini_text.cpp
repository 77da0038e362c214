// INI text: parse, ask every key with every typed reader, and check that the
// written text parses back to the same text.
#include "BsIniFile.h"
#include "Exception.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const TbsIniFile ini(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::string& section : ini.SectionNames()) {
        try {
            ini.ReadNameList(section, "");
            ini.ReadNameList(section, "activepictures");
        } catch (const EListError&) {
        }
        for (const std::string& key : ini.SectionKeys(section)) {
            ini.ReadInteger(section, key, -1);
            ini.ReadBool(section, key);
            ini.ReadPoint(section, key);
            ini.ReadRect(section, key);
            ini.ReadColor(section, key, 0);
            ini.ReadFontStyles(section, key);
            ini.ReadAlignment(section, key);
            ini.ReadStretchType(section, key);
            ini.ReadMorphKind(section, key);
            ini.ReadInActiveEffect(section, key);
            ini.ReadStdCommand(section, key);
            SplitListEntry(ini.ReadString(section, key));
        }
    }
    const std::string text = ini.Text();
    if (TbsIniFile(text).Text() != text)
        std::abort();
    return 0;
}
