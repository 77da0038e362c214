#include "TestSkin.h"

#include "BsBitmapFile.h"

namespace skindatatest {

QImage SolidPicture(int width, int height, unsigned rgb)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor::fromRgb(rgb));
    return picture;
}

std::string TestSkinIni(const std::string& skinName)
{
    return "[VERSION]\r\n"
           "ver=1\r\n"
           "skinname="
        + skinName
        + "\r\n"
          "skinauthor=Tester\r\n"
          "\r\n"
          "[PICTURES]\r\n"
          "picture=main.bmp\r\n"
          "mask=mask.bmp\r\n"
          "activepicturescount=2\r\n"
          "0=lib0.bmp\r\n"
          "1=lib1.bmp\r\n"
          "\r\n"
          "[FORMINFO]\r\n"
          "lefttoppoint=10,29\r\n"
          "righttoppoint=30,29\r\n"
          "leftbottompoint=10,26\r\n"
          "rightbottompoint=30,26\r\n"
          "clientrect=4,29,36,26\r\n"
          "captionrect=7,5,33,27\r\n"
          "formminwidth=200\r\n"
          "inactiveeffect=iedarkness\r\n"
          "\r\n"
          "[POPUPWINDOW]\r\n"
          "windowpictureindex=1\r\n"
          "itemsrect=2,3,179,221\r\n"
          "\r\n"
          "[HINTWINDOW]\r\n"
          "fontheight=12\r\n"
          "\r\n"
          "[SKINCOLORS]\r\n"
          "cbtnface=15852243\r\n"
          "\r\n"
          "[SKINOBJECTS]\r\n"
          "count=5\r\n"
          "0=caption:caption\r\n"
          "1=closebutton:stdbutton\r\n"
          "2=glow:sparkle\r\n"
          "3=menuitem:menuitem\r\n"
          "4=no type here\r\n"
          "\r\n"
          "[caption]\r\n"
          "skinrect=7,5,33,27\r\n"
          "textrect=5,0,20,19\r\n"
          "fontstyle=fsbold\r\n"
          "\r\n"
          "[closebutton]\r\n"
          "command=cmclose\r\n"
          "activepictureindex=0\r\n"
          "skinrect=20,5,30,15\r\n"
          "\r\n"
          "[menuitem]\r\n"
          "checkimagerect=1,1,9,9\r\n"
          "\r\n"
          "[SKINCONTROLS]\r\n"
          "count=4\r\n"
          "0=button:button\r\n"
          "1=toolbutton:button\r\n"
          "2=grid:supergrid\r\n"
          "3=listview:listview\r\n"
          "\r\n"
          "[button]\r\n"
          "pictureindex=1\r\n"
          "skinrect=0,0,74,21\r\n"
          "fontname=Tahoma\r\n"
          "\r\n"
          "[listview]\r\n"
          "bgcolor=16777215\r\n";
}

std::string WriteTestSkin(const std::string& folder, const std::string& skinName)
{
    SaveBitmapFile(SolidPicture(40, 30, 0x336699), folder + "main.bmp");
    QImage mask(40, 30, QImage::Format_Mono);
    mask.fill(1);
    SaveBitmapFile(mask, folder + "mask.bmp");
    SaveBitmapFile(SolidPicture(8, 8, 0xff0000), folder + "lib0.bmp");
    SaveBitmapFile(SolidPicture(80, 30, 0x00ff00), folder + "lib1.bmp");
    const std::string iniPath = folder + "skin.ini";
    std::FILE* file = std::fopen(iniPath.c_str(), "wb");
    const std::string text = TestSkinIni(skinName);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    return iniPath;
}

} // namespace skindatatest
