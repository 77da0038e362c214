// Whole compressed skin files: header, inflation (capped), package, INI text.
#include "BsCompressedStoredSkin.h"
#include "BsIniFile.h"
#include "BsStreams.h"
#include "Exception.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        TMemoryStream file(std::string(reinterpret_cast<const char*>(data), size));
        TbsCompressedStoredSkin skin;
        skin.LoadFromCompressStream(file);
        if (!skin.GetEmpty()) {
            const TbsSkinPackage package = skin.ReadPackage();
            const TbsIniFile ini(package.IniText);
            ini.ReadNameList("PICTURES", "activepictures");
        }
    } catch (const Exception&) {
        // A clear error is the expected end of a bad file.
    }
    return 0;
}
