#pragma once
// Where the pictures of the program's skin are drawn: the rects of its INI
// text (Vadar2.ini). The painter takes every piece it draws from here, so a
// look is placed by the INI text alone. A rect that is missing or empty, that
// lies outside its picture, or whose section names another picture means the
// text and the drawing disagree; it raises an Exception that stops the build.

#include "BsIniFile.h"
#include "BsTypes.h"

#include <QSize>

#include <string>
#include <string_view>
#include <vector>

// The skin's INI text as the painter reads it.
class SkinText {
public:
    explicit SkinText(const std::string& iniPath); // EFOpenError

    // A rect the text must hold, not empty.
    TRect Rect(std::string_view section, std::string_view key) const;
    // A rect that may be absent: null when missing or written as 0,0,0,0.
    TRect OptionalRect(std::string_view section, std::string_view key) const;
    // The library picture a section's pieces lie in (its "pictureindex",
    // "activepictureindex" or "windowpictureindex"); FramePicture without one.
    int PictureOf(std::string_view section) const;
    // The library picture an index key names; it must exist.
    int PictureIndex(std::string_view section, std::string_view key) const;
    // [PICTURES]: the frame picture a key names ("picture", "mask") and the library.
    std::string FrameFile(std::string_view key) const;
    const std::vector<std::string>& LibraryFiles() const { return library_; }

    static constexpr int FramePicture = -1;

private:
    TbsIniFile ini_;
    std::vector<std::string> library_;
};

// One picture being drawn, and the rects of the INI text that lie in it.
class Sheet {
public:
    Sheet(const SkinText& text, int picture, std::string file, QSize size);

    QSize Size() const { return size_; }
    const std::string& File() const { return file_; }
    const SkinText& Text() const { return text_; }

    // A piece of this picture: a look such as [button] "activeskinrect".
    TRect Look(std::string_view section, std::string_view key) const;
    // A rect a section gives inside one of its looks (a combo box's
    // "buttonrect"), placed where that look lies in this picture.
    TRect Within(const TRect& look, std::string_view section, std::string_view key) const;

private:
    TRect Checked(std::string_view section, std::string_view key, const TRect& rect) const;

    const SkinText& text_;
    int picture_;
    std::string file_;
    QSize size_;
};
