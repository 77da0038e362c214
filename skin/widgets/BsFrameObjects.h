#pragma once
// The live objects of a skinned window frame, made from the skin objects of a
// loaded skin (or the six built-in buttons without one):
//
//   TbsActiveSkinObject        what every object has: its looks, the mouse-over
//                              state, where it is drawn, the morph between looks
//   TbsSkinButtonObject        a button: pressed and disabled looks
//   TbsSkinStdButtonObject     a caption button with a command and restore looks
//   TbsSkinAnimateObject       a caption object that plays a strip of frames
//   TbsSkinCaptionObject       the caption with the window's title
//   TbsUserObject              a place on the frame the program handles itself
//
// Each copies what it needs from its skin object, clipped to the picture it
// refers to, so nothing here points into the skin data once built. Library
// pictures are referred to by index and looked up in the skin data each time
// an object draws.

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
    const TbsSkinData* SkinData = nullptr; // the loaded skin: library pictures by index
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
    virtual ~TbsActiveSkinObject() = default;
    TbsActiveSkinObject(const TbsActiveSkinObject&) = delete;
    TbsActiveSkinObject& operator=(const TbsActiveSkinObject&) = delete;

    // A caption button: it can be pressed and may run a command.
    virtual bool IsButton() const { return false; }
    virtual bool IsCaption() const { return false; }
    // The caption command it runs (cmDefault: none of the frame's own).
    virtual TbsStdCommand Command() const { return cmDefault; }
    // Its normal look is part of the main picture (so the frame bands show it already).
    bool LookInMainPicture() const { return !builtIn_ && !SkinRectInAPicture; }
    bool IsBuiltIn() const { return builtIn_; }
    bool HasActivePicture() const { return ActivePictureIndex >= 0; }
    bool HasActiveLook() const { return HasActivePicture() && !ActiveSkinRect.IsNull(); }
    bool MorphsWith(const TbsFrameDrawContext& c) const
    {
        return Morphing && c.MorphEnabled && HasActiveLook();
    }

    // Sets Active; answers whether the look changes (an active look exists).
    virtual bool SetActive(bool active);

    // Draws the current look into dest, whose top-left is at window point origin.
    virtual void Draw(QImage& dest, QPoint origin, const TbsFrameDrawContext& c) const;

    std::string IDName;
    std::string Hint;
    TRect SkinRect, ActiveSkinRect, InActiveSkinRect;
    bool SkinRectInAPicture = false;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    int ActivePictureIndex = -1; // the library picture; -1 when it does not exist

    bool Enabled = true;
    bool Visible = true;
    bool Active = false;
    TRect ObjectRect; // where it is drawn, in window coordinates
    double MorphKf = 0;

protected:
    // From skin object data of a loaded skin: the looks clipped to their pictures.
    TbsActiveSkinObject(const TbsDataSkinObject& data, const TbsSkinData& skinData);
    // A built-in object of the frame without a skin.
    explicit TbsActiveSkinObject(std::string idName);

    // The normal, active and inactive looks it shows now.
    struct Looks {
        TRect Normal, Active, Inactive;
    };
    virtual Looks CurrentLooks(const TbsFrameDrawContext& c) const;
    // The library picture (null when the skin no longer has it).
    const QImage* ActivePicture(const TbsFrameDrawContext& c) const;
    // The picture the normal look is in.
    const QImage* NormalPicture(const TbsFrameDrawContext& c) const;
    // Draws the normal, active, inactive or morphed look into target.
    void DrawLook(QImage& dest, const TRect& target, const TbsFrameDrawContext& c, const Looks& looks) const;
    // A look rect of the library picture, null when the picture is missing.
    TRect InLibrary(const TRect& r, const TbsSkinData& skinData) const;

private:
    bool builtIn_ = false;
};

class TbsSkinButtonObject : public TbsActiveSkinObject {
public:
    TbsSkinButtonObject(const TbsDataSkinObject& data, const TbsSkinData& skinData);

    bool IsButton() const override { return true; }
    void Draw(QImage& dest, QPoint origin, const TbsFrameDrawContext& c) const override;

    bool Down = false; // pressed
    bool MouseIn = false; // the mouse is over it
    TRect DownRect, DisableSkinRect;

protected:
    explicit TbsSkinButtonObject(std::string idName);
    // The pressed look it shows now.
    virtual TRect CurrentDownLook(const TbsFrameDrawContext&) const { return DownRect; }
};

class TbsSkinStdButtonObject : public TbsSkinButtonObject {
public:
    TbsSkinStdButtonObject(const TbsDataSkinStdButton& data, const TbsSkinData& skinData);
    // A built-in caption button of the frame without a skin.
    TbsSkinStdButtonObject(std::string idName, TbsStdCommand command);

    TbsStdCommand Command() const override { return command_; }

    TRect RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;

protected:
    TbsSkinStdButtonObject(const TbsDataSkinObject& data, const TbsSkinData& skinData, TbsStdCommand command);
    // The button stands for restoring the window and the skin has looks for that.
    bool UsesRestoreLooks(const TbsFrameDrawContext& c) const;
    Looks CurrentLooks(const TbsFrameDrawContext& c) const override;
    TRect CurrentDownLook(const TbsFrameDrawContext& c) const override;

private:
    TbsStdCommand command_;
};

// An object that plays a strip of frames: its "skinrect" holds "countframes"
// looks side by side, the object is one of them wide, and the first is its
// normal look. A cycling object plays the strip round and round while it is
// shown; another plays it forward while the mouse is over it and back when
// the mouse leaves. Each frame shows for "timerinterval" milliseconds. With
// "buttonstyle" it is a caption button: pressed it shows "downskinrect", and
// released over it runs its command.
class TbsSkinAnimateObject : public TbsSkinStdButtonObject {
public:
    TbsSkinAnimateObject(const TbsDataSkinAnimate& data, const TbsSkinData& skinData);

    bool IsButton() const override { return ButtonStyle; }
    bool SetActive(bool active) override;

    // Whether the frame's animation timer must run for this object.
    bool Animating(const TbsFrameDrawContext& c) const;
    // One tick of the frame's animation timer (elapsed milliseconds); answers
    // whether the shown frame changed.
    bool Advance(int elapsed, const TbsFrameDrawContext& c);
    // Back to the first frame (the window was hidden or the skin changes).
    void Rewind();

    int CountFrames = 1;
    bool Cycle = false;
    bool ButtonStyle = false;
    int TimerInterval = 50;
    int Frame = 0; // the frame shown, 0 .. CountFrames - 1

protected:
    Looks CurrentLooks(const TbsFrameDrawContext& c) const override;

private:
    int Target() const;

    TRect strip_; // the whole strip of frames
    int elapsed_ = 0;
};

class TbsSkinCaptionObject : public TbsActiveSkinObject {
public:
    TbsSkinCaptionObject(const TbsDataSkinCaption& data, const TbsSkinData& skinData);

    bool IsCaption() const override { return true; }
    void Draw(QImage& dest, QPoint origin, const TbsFrameDrawContext& c) const override;

    TRect TextRect; // relative to the object
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0, ActiveFontColor = 0;
    TAlignment Alignment = taCenter;
    bool Light = false, Shadow = false;
    TColor LightColor = 0, ActiveLightColor = 0, ShadowColor = 0, ActiveShadowColor = 0;

private:
    void DrawCaptionText(QImage& dest, QPoint origin, const TbsFrameDrawContext& c) const;
};

// A place on the frame with no look of its own; the program reacts to it
// through the frame's object events.
class TbsUserObject : public TbsActiveSkinObject {
public:
    TbsUserObject(const TbsDataUserObject& data, const TbsSkinData& skinData);
    void Draw(QImage&, QPoint, const TbsFrameDrawContext&) const override { }
};

// The live objects of a loaded skin, in list order (menu items and main-menu
// bar pieces left out); empty for an empty skin.
std::vector<std::unique_ptr<TbsActiveSkinObject>> CreateFrameObjects(const TbsSkinData& skinData);
// The six built-in caption buttons of the frame without a skin.
std::vector<std::unique_ptr<TbsActiveSkinObject>> CreateDefaultFrameObjects();
