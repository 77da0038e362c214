#pragma once
// The live objects of a skinned window frame: caption, caption buttons,
// animated and user objects made from the skin objects of a loaded skin (or
// the six built-in buttons without one). Each copies what it needs from its
// skin object, so nothing here points into the skin data once built, and
// draws its current look (normal, active, inactive, pressed, or a blend while
// it morphs) into a frame band.

#include "BsSkinObjects.h"
#include "BsTypes.h"

#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPainter;
class TbsSkinData;

// What the frame tells its objects when they draw.
struct TbsFrameDrawContext {
    const QImage* Picture = nullptr; // the main frame picture
    bool Skinned = false;
    bool WindowActive = true;
    bool Maximized = false;
    bool Minimized = false;
    bool RolledUp = false;
    bool MorphEnabled = false; // a skin is present and its effects are on
    QString Caption;
    // Draws the caption instead of the caption object's own text (rect in the band).
    std::function<void(QPainter&, const QRect&)> CaptionPaint;
};

class TbsActiveSkinObject {
public:
    enum class Kind { StdButton, Button, Caption, Animate, User };

    // From skin object data of a loaded skin; library pictures are looked up in skinData.
    TbsActiveSkinObject(Kind kind, const TbsDataSkinObject& data, const TbsSkinData& skinData);
    // A built-in caption button of the frame without a skin.
    TbsActiveSkinObject(std::string idName, TbsStdCommand command);
    virtual ~TbsActiveSkinObject() = default;

    Kind ObjectKind() const { return kind_; }
    bool IsButton() const
    {
        return kind_ == Kind::StdButton || kind_ == Kind::Button || kind_ == Kind::Animate;
    }
    bool IsCaption() const { return kind_ == Kind::Caption; }
    // Its normal look is part of the main picture (so the frame bands show it already).
    bool LookInMainPicture() const { return !builtIn_ && !SkinRectInAPicture; }
    bool IsBuiltIn() const { return builtIn_; }
    bool HasActiveLook() const { return ActivePicture && !ActiveSkinRect.IsNull(); }
    bool MorphsWith(const TbsFrameDrawContext& c) const
    {
        return Morphing && c.MorphEnabled && HasActiveLook();
    }

    // Sets Active; answers whether the look changes (an active look exists).
    bool SetActive(bool active);

    // Draws the current look into dest, whose top-left is at window point origin.
    void Draw(QImage& dest, QPoint origin, const TbsFrameDrawContext& c) const;

    std::string IDName;
    std::string Hint;
    TRect SkinRect, ActiveSkinRect, InActiveSkinRect;
    bool SkinRectInAPicture = false;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    const QImage* ActivePicture = nullptr; // the library picture, null when there is none

    bool Enabled = true;
    bool Visible = true;
    bool Active = false;
    bool Down = false; // buttons: pressed
    bool MouseIn = false; // buttons: the mouse is over it
    TRect ObjectRect; // where it is drawn, in window coordinates
    double MorphKf = 0;

    // Buttons.
    TbsStdCommand Command = cmDefault;
    TRect DownRect, DisableSkinRect;
    TRect RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;

    // Caption.
    TRect TextRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0;
    TAlignment Alignment = taCenter;
    bool Light = false, Shadow = false;
    TColor LightColor = 0, ActiveLightColor = 0, ShadowColor = 0, ActiveShadowColor = 0;

private:
    // The rects of a button standing for restoring the window, when the skin has them.
    bool UsesRestoreLooks(const TbsFrameDrawContext& c) const;
    void DrawCaptionText(QImage& dest, QPoint origin, const TbsFrameDrawContext& c) const;

    Kind kind_;
    bool builtIn_ = false;
};

// The live objects of a loaded skin, in list order (menu items and main-menu
// bar pieces left out); empty for an empty skin.
std::vector<std::unique_ptr<TbsActiveSkinObject>> CreateFrameObjects(const TbsSkinData& skinData);
// The six built-in caption buttons of the frame without a skin.
std::vector<std::unique_ptr<TbsActiveSkinObject>> CreateDefaultFrameObjects();
