#include "SearchPictures.h"

#include "NuvPackBaiDuIcon.xpm"
#include "NuvPackGoogleIcon.xpm"
#include "NuvPackSearch.xpm"
#include "NuvPackSogouIcon.xpm"
#include "NuvPackTaoBaoIcon.xpm"

QImage LoadSearchPicture(const std::string& name)
{
    const char* const* xpm = nullptr;
    if (name == "NuvPackGoogleIcon")
        xpm = NuvPackGoogleIcon;
    else if (name == "NuvPackBaiDuIcon")
        xpm = NuvPackBaiDuIcon;
    else if (name == "NuvPackTaoBaoIcon")
        xpm = NuvPackTaoBaoIcon;
    else if (name == "NuvPackSogouIcon")
        xpm = NuvPackSogouIcon;
    else if (name == "NuvPackSearch")
        xpm = NuvPackSearch;
    if (!xpm)
        return {};
    return QImage(xpm).convertToFormat(QImage::Format_RGB888);
}
