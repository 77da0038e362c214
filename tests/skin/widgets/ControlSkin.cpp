#include "ControlSkin.h"

#include "BsBitmapFile.h"

#include <QPixmap>

#include <fstream>

namespace controltest {

QImage NamingPicture(int tag)
{
    QImage picture(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            picture.setPixel(x, y, qRgb(x, y, tag));
    return picture;
}

namespace {

    const char* const SkinIni
        = "[VERSION]\r\nver=1\r\nskinname=Controls\r\n\r\n"
          "[PICTURES]\r\npicture=main.bmp\r\nactivepicturescount=1\r\n0=lib0.bmp\r\n\r\n"
          "[FORMINFO]\r\nlefttoppoint=2,2\r\nrighttoppoint=18,2\r\nleftbottompoint=2,18\r\nrightbottompoint="
          "18,18\r\n"
          "clientrect=2,2,18,18\r\n\r\n"
          "[SKINCOLORS]\r\ncbtnface=12632256\r\n\r\n"
          "[SKINOBJECTS]\r\ncount=0\r\n\r\n"
          "[SKINCONTROLS]\r\ncount=16\r\n0=button:button\r\n1=header:button\r\n2=panel:panel\r\n3=strip:"
          "panel\r\n"
          "4=listview:listview\r\n5=stdlabel:stdlabel\r\n6=listbox:listbox\r\n7=vscrollbar:scrollbar\r\n"
          "8=hscrollbar:scrollbar\r\n9=bothhscrollbar:scrollbar\r\n10=edit:edit\r\n11=combobox:combobox\r\n"
          "12=tab:tab\r\n13=framedpanel:panel\r\n14=morphbutton:button\r\n15=fixedbutton:button\r\n\r\n"
          "[button]\r\npictureindex=0\r\nskinrect=0,0,40,20\r\nlefttoppoint=3,3\r\nrighttoppoint=37,3\r\n"
          "leftbottompoint=3,17\r\nrightbottompoint=37,17\r\nclientrect=3,3,37,17\r\nstretcheffect=1\r\n"
          "activeskinrect=0,20,40,40\r\ndownskinrect=0,40,40,60\r\nfocusedskinrect=0,60,40,80\r\n"
          "disabledskinrect=0,80,40,100\r\nfontcolor=1\r\nactivefontcolor=2\r\ndownfontcolor=3\r\n"
          "disabledfontcolor=4\r\n\r\n"
          "[morphbutton]\r\npictureindex=0\r\nskinrect=0,0,40,20\r\nlefttoppoint=3,3\r\nrighttoppoint=37,"
          "3\r\n"
          "leftbottompoint=3,17\r\nrightbottompoint=37,17\r\nclientrect=3,3,37,17\r\nstretcheffect=1\r\n"
          "activeskinrect=0,20,40,40\r\nmorphing=1\r\n\r\n"
          "[fixedbutton]\r\npictureindex=0\r\nskinrect=0,0,40,20\r\nactiveskinrect=0,20,40,40\r\n\r\n"
          "[header]\r\npictureindex=0\r\nskinrect=40,0,80,20\r\nlefttoppoint=2,2\r\nrighttoppoint=38,2\r\n"
          "leftbottompoint=2,18\r\nrightbottompoint=38,18\r\nclientrect=2,2,38,18\r\nleftstretch=1\r\n"
          "topstretch=1\r\nrightstretch=1\r\nbottomstretch=1\r\nstretcheffect=1\r\ndownskinrect=40,20,80,"
          "40\r\n\r\n"
          "[panel]\r\npictureindex=0\r\nskinrect=100,0,140,40\r\nlefttoppoint=2,2\r\nrighttoppoint=38,2\r\n"
          "leftbottompoint=2,38\r\nrightbottompoint=38,38\r\nclientrect=2,2,38,38\r\n\r\n"
          "[framedpanel]\r\npictureindex=0\r\nskinrect=100,0,140,40\r\nlefttoppoint=2,2\r\nrighttoppoint=38,"
          "2\r\n"
          "leftbottompoint=2,38\r\nrightbottompoint=38,38\r\nclientrect=2,2,38,38\r\nstretcheffect=1\r\n\r\n"
          "[strip]\r\npictureindex=0\r\nskinrect=100,40,140,60\r\nlefttoppoint=4,0\r\nrighttoppoint=36,0\r\n"
          "clientrect=4,0,36,20\r\n\r\n"
          "[listview]\r\nfontname=Arial\r\nfontheight=13\r\nfontcolor=65280\r\nbgcolor=255\r\n\r\n"
          "[stdlabel]\r\nfontname=Arial\r\nfontheight=14\r\nfontcolor=255\r\nactivefontcolor=65280\r\n\r\n"
          "[listbox]\r\npictureindex=0\r\nskinrect=140,0,200,60\r\nlefttoppoint=3,3\r\nrighttoppoint=57,3\r\n"
          "leftbottompoint=3,57\r\nrightbottompoint=57,57\r\nclientrect=2,2,58,58\r\nitemrect=140,60,200,"
          "76\r\n"
          "activeitemrect=140,76,200,92\r\nfocusitemrect=140,92,200,108\r\nitemleftoffset=3\r\n"
          "itemrightoffset=3\r\nitemtextrect=4,0,56,16\r\nfontcolor=0\r\nactivefontcolor=16777215\r\n"
          "focusfontcolor=16777215\r\n\r\n"
          "[vscrollbar]\r\npictureindex=0\r\nskinrect=200,0,215,64\r\nlefttoppoint=0,15\r\nleftbottompoint=0,"
          "48\r\n"
          "clientrect=0,0,15,64\r\nstretcheffect=1\r\ntrackarea=0,15,15,49\r\nupbuttonrect=0,49,15,64\r\n"
          "downbuttonrect=0,0,15,15\r\nactiveupbuttonrect=215,0,230,15\r\ndownupbuttonrect=215,15,230,30\r\n"
          "activedownbuttonrect=215,30,230,45\r\ndowndownbuttonrect=215,45,230,60\r\nthumbrect=230,0,245,"
          "20\r\n"
          "activethumbrect=230,20,245,40\r\ndownthumbrect=230,40,245,60\r\nthumboffset1=5\r\nthumboffset2="
          "5\r\n\r\n"
          "[hscrollbar]\r\npictureindex=0\r\nskinrect=0,100,64,115\r\nlefttoppoint=15,0\r\nrighttoppoint=48,"
          "0\r\n"
          "clientrect=0,0,64,15\r\nstretcheffect=1\r\ntrackarea=15,0,49,15\r\nupbuttonrect=49,0,64,15\r\n"
          "downbuttonrect=0,0,15,15\r\nthumbrect=64,100,94,115\r\nthumboffset1=5\r\nthumboffset2=5\r\n\r\n"
          "[bothhscrollbar]\r\npictureindex=0\r\nskinrect=0,100,64,115\r\nlefttoppoint=15,0\r\nrighttoppoint="
          "48,0\r\n"
          "clientrect=0,0,64,15\r\nstretcheffect=1\r\ntrackarea=15,0,49,15\r\nupbuttonrect=49,0,64,15\r\n"
          "downbuttonrect=0,0,15,15\r\nthumbrect=64,100,94,115\r\n\r\n"
          "[edit]\r\npictureindex=0\r\nskinrect=0,120,57,139\r\nlefttoppoint=4,10\r\nrighttoppoint=51,11\r\n"
          "clientrect=2,2,55,17\r\nstretcheffect=1\r\nactiveskinrect=0,140,57,159\r\nfontcolor=0\r\n"
          "activefontcolor=255\r\ndisabledfontcolor=8421504\r\nbuttonrect=51,2,56,17\r\n"
          "activebuttonrect=60,120,65,135\r\n\r\n"
          "[combobox]\r\npictureindex=0\r\nskinrect=0,160,80,180\r\nlefttoppoint=4,10\r\nrighttoppoint=60,"
          "10\r\n"
          "clientrect=2,2,60,18\r\nstretcheffect=1\r\nactiveskinrect=0,180,80,200\r\nitemrect=80,160,132,"
          "176\r\n"
          "activeitemrect=80,176,132,192\r\nfocusitemrect=80,192,132,208\r\nitemtextrect=3,0,50,16\r\n"
          "buttonrect=62,2,78,18\r\nactivebuttonrect=132,160,148,176\r\ndownbuttonrect=132,176,148,192\r\n"
          "unenabledbuttonrect=132,192,148,208\r\nlistboxname=listbox\r\nfontcolor=0\r\nfocusfontcolor="
          "16777215\r\n\r\n"
          "[tab]\r\npictureindex=0\r\nskinrect=160,120,200,160\r\ntabrect=160,200,219,218\r\n"
          "activetabrect=160,220,219,239\r\nclientrect=2,2,38,38\r\nlefttoppoint=2,2\r\nrighttoppoint=38,"
          "2\r\n"
          "leftbottompoint=2,38\r\nrightbottompoint=38,38\r\ntableftoffset=4\r\ntabrightoffset=4\r\n"
          "leftstretch=1\r\ntopstretch=1\r\nrightstretch=1\r\nbottomstretch=1\r\nstretcheffect=1\r\n"
          "fontcolor=255\r\nactivefontcolor=0\r\n";

} // namespace

ControlSkin::ControlSkin()
    : data_(std::make_unique<TbsSkinData>())
{
}

void ControlSkin::Load(int tag)
{
    SaveBitmapFile(NamingPicture(0), dir_.File("main.bmp"));
    SaveBitmapFile(NamingPicture(tag), dir_.File("lib0.bmp"));
    testsupport::WriteFile(dir_.File("skin.ini"), SkinIni);
    data_->LoadFromFile(dir_.File("skin.ini"));
}

QImage Grab(QWidget* widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace controltest
