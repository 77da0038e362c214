#pragma once
// The skin objects of a window frame: one class per type word of the
// [SKINOBJECTS] list (caption, caption buttons, menu items ...), each holding
// the keys of its own INI section, plus the pop-up and hint window skins of
// the fixed [POPUPWINDOW] and [HINTWINDOW] sections.
//
// Rects are positions in the skin's pictures; a null rect means the piece is
// absent. Picture indices address the skin's picture library; -1 means none.

#include "BsSkinFontKeys.h"
#include "BsTypes.h"

#include <QPoint>

#include <memory>
#include <string>

class TbsIniFile;
class TbsSkinSectionIO;

class TbsDataSkinObject {
public:
    explicit TbsDataSkinObject(std::string idName)
        : IDName(std::move(idName))
    {
    }
    virtual ~TbsDataSkinObject() = default;
    TbsDataSkinObject(const TbsDataSkinObject&) = delete;
    TbsDataSkinObject& operator=(const TbsDataSkinObject&) = delete;

    // The type word that names this class in [SKINOBJECTS].
    virtual const char* TypeWord() const = 0;

    // Reads or writes the section named IDName.
    void LoadFromFile(const TbsIniFile& ini);
    void SaveToFile(TbsIniFile& ini) const;
    void ExchangeSection(TbsSkinSectionIO& io);

    std::string IDName;
    std::string Hint;
    int PictureIndex = -1; // "activepictureindex"
    bool SkinRectInAPicture = false;
    TRect SkinRect;
    TRect ActiveSkinRect;
    TRect InActiveSkinRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;

protected:
    // Visits the keys of this class after those of its base, in file order.
    virtual void Exchange(TbsSkinSectionIO& io);
};

class TbsDataSkinButton : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    const char* TypeWord() const override { return "button"; }

    TRect DownRect;
    TRect DisableSkinRect; // "disableskinrsect", spelled so in every skin

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinStdButton : public TbsDataSkinButton {
public:
    using TbsDataSkinButton::TbsDataSkinButton;
    const char* TypeWord() const override { return "stdbutton"; }

    TbsStdCommand Command = cmDefault;
    // Looks used while the button stands for restoring the window.
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreDownRect;
    TRect RestoreInActiveRect;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinMainMenuBarButton : public TbsDataSkinStdButton {
public:
    using TbsDataSkinStdButton::TbsDataSkinStdButton;
    const char* TypeWord() const override { return "mainmenubarbutton"; }
};

class TbsDataSkinAnimate : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    const char* TypeWord() const override { return "animate"; }

    int CountFrames = 1;
    bool Cycle = false;
    bool ButtonStyle = false;
    int TimerInterval = 50;
    TbsStdCommand Command = cmDefault;
    TRect DownSkinRect;
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreDownRect;
    TRect RestoreInActiveRect;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinCaption : public TbsDataSkinObject, public TbsSkinFontKeys {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    const char* TypeWord() const override { return "caption"; }

    TRect TextRect;
    TColor ActiveFontColor = 0;
    TAlignment Alignment = taCenter;
    bool Light = false;
    TColor LightColor = 0;
    TColor ActiveLightColor = 0;
    bool Shadow = false;
    TColor ShadowColor = 0;
    TColor ActiveShadowColor = 0;
    TRect FrameRect;
    TRect ActiveFrameRect;
    TRect FrameTextRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InActiveAnimation = false;
    bool FullFrame = false;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinMenuItem : public TbsDataSkinObject, public TbsSkinFontKeys {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    const char* TypeWord() const override { return "menuitem"; }

    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect DividerRect;
    int DividerLeftOffset = 0;
    int DividerRightOffset = 0;
    TRect TextRect;
    TRect ImageRect;
    TColor ActiveFontColor = 0;
    TColor UnEnabledFontColor = 0;
    bool StretchEffect = false;
    bool InActiveStretchEffect = false;
    bool DividerStretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InActiveAnimation = false;
    bool UseImageColor = false;
    TColor ImageColor = 0;
    TColor ActiveImageColor = 0;
    bool InActiveTransparent = false;
    // A null active rect takes its plain counterpart after reading.
    TRect CheckImageRect;
    TRect ActiveCheckImageRect;
    TRect RadioImageRect;
    TRect ActiveRadioImageRect;
    TRect ArrowImageRect;
    TRect ActiveArrowImageRect;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

// Common ancestor of the main-menu bar's items; it adds no keys.
class TbsDataSkinMainMenuItem : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
};

class TbsDataSkinMainMenuBarItem : public TbsDataSkinMainMenuItem, public TbsSkinFontKeys {
public:
    using TbsDataSkinMainMenuItem::TbsDataSkinMainMenuItem;
    const char* TypeWord() const override { return "mainmenubaritem"; }

    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect DownRect;
    TRect TextRect;
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor UnEnabledFontColor = 0; // "unenabledfontColor", capital C in every skin
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InActiveAnimation = false;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

// A free piece of the main picture; only its place is read.
class TbsDataUserObject : public TbsDataSkinObject {
public:
    using TbsDataSkinObject::TbsDataSkinObject;
    const char* TypeWord() const override { return "userobject"; }

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

// The skin object class a [SKINOBJECTS] type word names, or null for a word
// no class answers to.
std::unique_ptr<TbsDataSkinObject> CreateSkinObject(const std::string& typeWord, const std::string& idName);

// The resizable picture of a window: four corner points cut it into corners,
// edges and middle.
struct TbsDataSkinWindowPicture {
    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    QPoint LTPoint; // "lefttoppoint"
    QPoint RTPoint; // "righttoppoint"
    QPoint LBPoint; // "leftbottompoint"
    QPoint RBPoint; // "rightbottompoint"
};

// [POPUPWINDOW]: the skin of pop-up menu windows.
class TbsDataSkinPopupWindow : public TbsDataSkinWindowPicture {
public:
    void LoadFromFile(const TbsIniFile& ini);
    void SaveToFile(TbsIniFile& ini) const;
    void ExchangeSection(TbsSkinSectionIO& io);

    TRect ItemsRect;
    TColor ScrollMarkerColor = 0;
    TColor ScrollMarkerActiveColor = 0;
    bool LeftStretch = false;
    bool RightStretch = false;
    bool TopStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
};

// [HINTWINDOW]: the skin of hint windows.
class TbsDataSkinHintWindow : public TbsDataSkinWindowPicture, public TbsSkinFontKeys {
public:
    void LoadFromFile(const TbsIniFile& ini);
    void SaveToFile(TbsIniFile& ini) const;
    void ExchangeSection(TbsSkinSectionIO& io);

    TRect ClRect; // "clientrect"
    bool LeftStretch = false;
    bool RightStretch = false;
    bool TopStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
};
