#pragma once
// A control skin for widget tests whose library picture names its own
// pixels: the pixel at (x, y) has red x, green y and a blue tag that tells
// two skins apart. A pixel of a control's picture therefore says which
// rectangle of the skin it was copied from.

#include "Bsskindata.h"
#include "TempDir.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <memory>

namespace controltest {

constexpr int FirstTag = 0x5A;
constexpr int SecondTag = 0xA5;

// The library picture of a skin with the tag.
QImage NamingPicture(int tag);

// A skin data component, owned by the test, that loads the test skin.
class ControlSkin {
public:
    ControlSkin();
    // Loads the skin whose picture carries tag (FirstTag, SecondTag).
    void Load(int tag = FirstTag);
    TbsSkinData* Data() { return data_.get(); }

private:
    testsupport::TempDir dir_;
    std::unique_ptr<TbsSkinData> data_;
};

// Where a control's pixel was copied from: (red, green) = its place in the
// picture; blue = the skin's tag.
inline QPoint SourceOf(QRgb pixel)
{
    return { qRed(pixel), qGreen(pixel) };
}
inline int TagOf(QRgb pixel)
{
    return qBlue(pixel);
}

// The widget's picture as it paints it.
QImage Grab(QWidget* widget);

} // namespace controltest
