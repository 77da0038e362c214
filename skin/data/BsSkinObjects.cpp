#include "BsSkinObjects.h"

#include "BsIniFile.h"
#include "BsSkinSectionIO.h"

#include <functional>
#include <map>

void TbsDataSkinObject::ExchangeSection(TbsSkinSectionIO& io)
{
    io.SetSection(IDName);
    Exchange(io);
}

void TbsDataSkinObject::LoadFromFile(const TbsIniFile& ini)
{
    TbsSkinIniReader reader(ini);
    ExchangeSection(reader);
}

void TbsDataSkinObject::SaveToFile(TbsIniFile& ini) const
{
    // The writer only reads the fields; the shared key walk takes them by reference.
    TbsSkinIniWriter writer(ini);
    const_cast<TbsDataSkinObject*>(this)->ExchangeSection(writer);
}

void TbsDataSkinObject::Exchange(TbsSkinSectionIO& io)
{
    io.String("hint", Hint);
    io.Integer("activepictureindex", PictureIndex, -1);
    io.Bool("skinrectinapicture", SkinRectInAPicture);
    io.Rect("skinrect", SkinRect);
    io.Rect("activeskinrect", ActiveSkinRect);
    io.Rect("inactiveskinrect", InActiveSkinRect);
    io.Bool("morphing", Morphing);
    io.MorphKind("morphkind", MorphKind);
}

void TbsDataSkinButton::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinObject::Exchange(io);
    io.Rect("downrect", DownRect);
    io.Rect("disableskinrsect", DisableSkinRect);
}

void TbsDataSkinStdButton::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinButton::Exchange(io);
    io.StdCommand("command", Command);
    io.Rect("restorerect", RestoreRect);
    io.Rect("restoreactiverect", RestoreActiveRect);
    io.Rect("restoredownrect", RestoreDownRect);
    io.Rect("restoreinactiverect", RestoreInActiveRect);
}

void TbsDataSkinAnimate::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinObject::Exchange(io);
    io.Integer("countframes", CountFrames, 1);
    io.Bool("cycle", Cycle);
    io.Bool("buttonstyle", ButtonStyle);
    io.Integer("timerinterval", TimerInterval, 50);
    io.StdCommand("command", Command);
    io.Rect("downskinrect", DownSkinRect);
    io.Rect("restorerect", RestoreRect);
    io.Rect("restoreactiverect", RestoreActiveRect);
    io.Rect("restoredownrect", RestoreDownRect);
    io.Rect("restoreinactiverect", RestoreInActiveRect);
    // An animation runs its own frames; fading between looks would fight it.
    if (io.Reading())
        Morphing = false;
}

void TbsDataSkinCaption::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinObject::Exchange(io);
    io.Rect("textrect", TextRect);
    ExchangeFont(io);
    io.Color("activefontcolor", ActiveFontColor);
    io.Alignment("alignment", Alignment);
    io.Bool("light", Light);
    io.Color("lightcolor", LightColor);
    io.Color("activelightcolor", ActiveLightColor);
    io.Bool("shadow", Shadow);
    io.Color("shadowcolor", ShadowColor);
    io.Color("activeshadowcolor", ActiveShadowColor);
    io.Rect("framerect", FrameRect);
    io.Rect("activeframerect", ActiveFrameRect);
    io.Rect("frametextrect", FrameTextRect);
    io.Integer("frameleftoffset", FrameLeftOffset);
    io.Integer("framerightoffset", FrameRightOffset);
    io.Bool("stretcheffect", StretchEffect);
    io.Rect("animateskinrect", AnimateSkinRect);
    io.Integer("framecount", FrameCount);
    io.Integer("animateinterval", AnimateInterval, 25);
    io.Bool("inactiveanimation", InActiveAnimation);
    io.Bool("fullframe", FullFrame);
}

void TbsDataSkinMenuItem::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinObject::Exchange(io);
    io.Integer("itemleftoffset", ItemLeftOffset);
    io.Integer("itemrightoffset", ItemRightOffset);
    io.Rect("dividerrect", DividerRect);
    io.Integer("dividerleftoffset", DividerLeftOffset);
    io.Integer("dividerrightoffset", DividerRightOffset);
    io.Rect("textrect", TextRect);
    io.Rect("imagerect", ImageRect);
    ExchangeFont(io);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("unenabledfontcolor", UnEnabledFontColor);
    io.Bool("stretcheffect", StretchEffect);
    io.Bool("inactivestretcheffect", InActiveStretchEffect);
    io.Bool("dividerstretcheffect", DividerStretchEffect);
    io.Rect("animateskinrect", AnimateSkinRect);
    io.Integer("framecount", FrameCount);
    io.Integer("animateinterval", AnimateInterval, 25);
    io.Bool("inactiveanimation", InActiveAnimation);
    io.Bool("useimagecolor", UseImageColor);
    io.Color("imagecolor", ImageColor);
    io.Color("activeimagecolor", ActiveImageColor);
    io.Bool("inactivetransparent", InActiveTransparent);
    io.Rect("checkimagerect", CheckImageRect);
    io.Rect("activecheckimagerect", ActiveCheckImageRect);
    io.Rect("radioimagerect", RadioImageRect);
    io.Rect("activeradioimagerect", ActiveRadioImageRect);
    io.Rect("arrowimagerect", ArrowImageRect);
    io.Rect("activearrowimagerect", ActiveArrowImageRect);
    if (io.Reading()) {
        // A skin may draw a mark the same way in both states.
        if (ActiveCheckImageRect.IsNull())
            ActiveCheckImageRect = CheckImageRect;
        if (ActiveRadioImageRect.IsNull())
            ActiveRadioImageRect = RadioImageRect;
        if (ActiveArrowImageRect.IsNull())
            ActiveArrowImageRect = ArrowImageRect;
    }
}

void TbsDataSkinMainMenuBarItem::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinMainMenuItem::Exchange(io);
    io.Integer("itemleftoffset", ItemLeftOffset);
    io.Integer("itemrightoffset", ItemRightOffset);
    io.Rect("downrect", DownRect);
    io.Rect("textrect", TextRect);
    ExchangeFont(io);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("downfontcolor", DownFontColor);
    io.Color("unenabledfontColor", UnEnabledFontColor);
    io.Bool("stretcheffect", StretchEffect);
    io.Rect("animateskinrect", AnimateSkinRect);
    io.Integer("framecount", FrameCount);
    io.Integer("animateinterval", AnimateInterval, 25);
    io.Bool("inactiveanimation", InActiveAnimation);
}

void TbsDataUserObject::Exchange(TbsSkinSectionIO& io)
{
    io.Rect("skinrect", SkinRect);
}

namespace {

template <typename T> std::unique_ptr<TbsDataSkinObject> Make(const std::string& idName)
{
    return std::make_unique<T>(idName);
}

using ObjectFactory = std::unique_ptr<TbsDataSkinObject> (*)(const std::string&);

} // namespace

std::unique_ptr<TbsDataSkinObject> CreateSkinObject(const std::string& typeWord, const std::string& idName)
{
    // Type words are compared exactly, as every enumerated skin value is.
    static const std::map<std::string, ObjectFactory, std::less<>> factories = {
        { "menuitem", &Make<TbsDataSkinMenuItem> },
        { "mainmenubaritem", &Make<TbsDataSkinMainMenuBarItem> },
        { "stdbutton", &Make<TbsDataSkinStdButton> },
        { "mainmenubarbutton", &Make<TbsDataSkinMainMenuBarButton> },
        { "button", &Make<TbsDataSkinButton> },
        { "caption", &Make<TbsDataSkinCaption> },
        { "animate", &Make<TbsDataSkinAnimate> },
        { "userobject", &Make<TbsDataUserObject> },
    };
    auto it = factories.find(typeWord);
    return it == factories.end() ? nullptr : it->second(idName);
}

// --- window skins of the fixed sections

namespace {

void ExchangeWindowPicture(TbsSkinSectionIO& io, TbsDataSkinWindowPicture& w)
{
    io.Integer("windowpictureindex", w.WindowPictureIndex, -1);
    io.Integer("maskpictureindex", w.MaskPictureIndex, -1);
    io.Point("lefttoppoint", w.LTPoint);
    io.Point("righttoppoint", w.RTPoint);
    io.Point("leftbottompoint", w.LBPoint);
    io.Point("rightbottompoint", w.RBPoint);
}

} // namespace

void TbsDataSkinPopupWindow::ExchangeSection(TbsSkinSectionIO& io)
{
    io.SetSection("POPUPWINDOW");
    ExchangeWindowPicture(io, *this);
    io.Rect("itemsrect", ItemsRect);
    io.Color("scrollmarkercolor", ScrollMarkerColor);
    io.Color("scrollmarkeractivecolor", ScrollMarkerActiveColor);
    io.Bool("leftstretch", LeftStretch);
    io.Bool("rightstretch", RightStretch);
    io.Bool("topstretch", TopStretch);
    io.Bool("bottomstretch", BottomStretch);
    io.Bool("stretcheffect", StretchEffect);
    io.StretchType("stretchtype", StretchType);
}

void TbsDataSkinPopupWindow::LoadFromFile(const TbsIniFile& ini)
{
    TbsSkinIniReader reader(ini);
    ExchangeSection(reader);
}

void TbsDataSkinPopupWindow::SaveToFile(TbsIniFile& ini) const
{
    TbsSkinIniWriter writer(ini);
    const_cast<TbsDataSkinPopupWindow*>(this)->ExchangeSection(writer);
}

void TbsDataSkinHintWindow::ExchangeSection(TbsSkinSectionIO& io)
{
    io.SetSection("HINTWINDOW");
    ExchangeWindowPicture(io, *this);
    io.Rect("clientrect", ClRect);
    ExchangeFont(io);
    io.Bool("leftstretch", LeftStretch);
    io.Bool("rightstretch", RightStretch);
    io.Bool("topstretch", TopStretch);
    io.Bool("bottomstretch", BottomStretch);
    io.Bool("stretcheffect", StretchEffect);
    io.StretchType("stretchtype", StretchType);
}

void TbsDataSkinHintWindow::LoadFromFile(const TbsIniFile& ini)
{
    TbsSkinIniReader reader(ini);
    ExchangeSection(reader);
}

void TbsDataSkinHintWindow::SaveToFile(TbsIniFile& ini) const
{
    TbsSkinIniWriter writer(ini);
    const_cast<TbsDataSkinHintWindow*>(this)->ExchangeSection(writer);
}
