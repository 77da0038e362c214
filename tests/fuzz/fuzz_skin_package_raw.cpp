// Inflated skin packages: flags, counts and BMP fields straight from the
// fuzzer, so mutations reach the bitmap decoder without passing zlib. Every
// picture that is accepted must also survive being written and read again.
#include "BsBitmapFile.h"
#include "BsSkinPackage.h"
#include "Exception.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void CheckRewrite(const QImage& image)
{
    if (image.isNull())
        return;
    const std::string bytes = EncodeBitmap(image);
    std::size_t pos = 0;
    const QImage again = ReadBitmapField(bytes, pos);
    if (pos != bytes.size() || again.size() != image.size())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const TbsSkinPackage package
            = ReadSkinPackage(std::string_view(reinterpret_cast<const char*>(data), size));
        CheckRewrite(package.Picture);
        CheckRewrite(package.InActivePicture);
        CheckRewrite(package.Mask);
        for (const QImage& picture : package.ActivePictures)
            CheckRewrite(picture);
    } catch (const Exception&) {
    }
    return 0;
}
