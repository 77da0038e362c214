#include "SkinSheet.h"

#include "Exception.h"

#include <utility>

namespace {

std::string Where(std::string_view section, std::string_view key)
{
    // Appended in place: GCC 12 warns falsely (-Wrestrict) on "[" + a temporary.
    std::string where(1, '[');
    where.append(section).append("] ").append(key);
    return where;
}

std::string Figures(const TRect& r)
{
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + ","
        + std::to_string(r.Bottom);
}

} // namespace

SkinText::SkinText(const std::string& iniPath)
{
    ini_.LoadFromFile(iniPath);
    library_ = ini_.ReadNameList("PICTURES", "activepictures");
}

TRect SkinText::Rect(std::string_view section, std::string_view key) const
{
    if (!ini_.ValueExists(section, key))
        throw Exception(Where(section, key) + " is missing");
    const TRect rect = ini_.ReadRect(section, key);
    if (rect.IsEmpty())
        throw Exception(Where(section, key) + " " + Figures(rect) + " is empty");
    return rect;
}

TRect SkinText::OptionalRect(std::string_view section, std::string_view key) const
{
    return ini_.ReadRect(section, key);
}

int SkinText::PictureOf(std::string_view section) const
{
    for (std::string_view key : { "pictureindex", "activepictureindex", "windowpictureindex" })
        if (ini_.ValueExists(section, key))
            return ini_.ReadInteger(section, key, FramePicture);
    return FramePicture;
}

int SkinText::PictureIndex(std::string_view section, std::string_view key) const
{
    const int index = ini_.ReadInteger(section, key, FramePicture);
    if (index < 0 || static_cast<std::size_t>(index) >= library_.size())
        throw Exception(Where(section, key) + " names no picture of [PICTURES]");
    return index;
}

std::string SkinText::FrameFile(std::string_view key) const
{
    std::string file = ini_.ReadString("PICTURES", key);
    if (file.empty())
        throw Exception(Where("PICTURES", key) + " names no file");
    return file;
}

Sheet::Sheet(const SkinText& text, int picture, std::string file, QSize size)
    : text_(text)
    , picture_(picture)
    , file_(std::move(file))
    , size_(size)
{
}

TRect Sheet::Look(std::string_view section, std::string_view key) const
{
    return Checked(section, key, text_.Rect(section, key));
}

TRect Sheet::Within(const TRect& look, std::string_view section, std::string_view key) const
{
    return Checked(section, key, text_.Rect(section, key).Offset(look.Left, look.Top));
}

TRect Sheet::Checked(std::string_view section, std::string_view key, const TRect& rect) const
{
    const int named = text_.PictureOf(section);
    if (named != picture_) {
        const auto& library = text_.LibraryFiles();
        std::string other
            = named == SkinText::FramePicture ? "the frame picture" : "picture " + std::to_string(named);
        if (named >= 0 && static_cast<std::size_t>(named) < library.size())
            other += " (" + library[named] + ")";
        throw Exception(
            Where(section, key) + " is drawn into " + file_ + ", but its section lies in " + other);
    }
    if (rect.Left < 0 || rect.Top < 0 || rect.Right > size_.width() || rect.Bottom > size_.height())
        throw Exception(Where(section, key) + " " + Figures(rect) + " lies outside " + file_ + " ("
            + std::to_string(size_.width()) + " x " + std::to_string(size_.height()) + ")");
    return rect;
}
