#pragma once
// The control skins: one class per type word of the [SKINCONTROLS] list, each
// holding the keys of its own INI section. A skinned control finds its entry
// by name (its SkinDataName) and draws every look from the library picture
// "pictureindex".
//
// Rects are positions in that picture; a null rect means the piece is absent.
// The points and "clientrect" of a resizable control are relative to the
// top-left corner of its "skinrect".

#include "BsTypes.h"

#include <QPoint>

#include <memory>
#include <string>

class TbsIniFile;
class TbsSkinSectionIO;

class TbsDataSkinControl {
public:
    explicit TbsDataSkinControl(std::string idName)
        : IDName(std::move(idName))
    {
    }
    virtual ~TbsDataSkinControl() = default;
    TbsDataSkinControl(const TbsDataSkinControl&) = delete;
    TbsDataSkinControl& operator=(const TbsDataSkinControl&) = delete;

    // The type word that names this class in [SKINCONTROLS].
    virtual const char* TypeWord() const = 0;

    // Reads or writes the section named IDName.
    void LoadFromFile(const TbsIniFile& ini);
    void SaveToFile(TbsIniFile& ini) const;
    void ExchangeSection(TbsSkinSectionIO& io);

    std::string IDName;
    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    TRect SkinRect;

protected:
    // Visits the keys of this class after those of its base, in file order.
    virtual void Exchange(TbsSkinSectionIO& io);
};

// A control whose look is resized from corners, edges and a middle.
class TbsDataSkinCustomControl : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;

    QPoint LTPoint; // "lefttoppoint"
    QPoint RTPoint; // "righttoppoint"
    QPoint LBPoint; // "leftbottompoint"
    QPoint RBPoint; // "rightbottompoint"
    TRect ClRect; // "clientrect"
    bool LeftStretch = false;
    bool TopStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinButtonControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    const char* TypeWord() const override { return "button"; }

    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor DisabledFontColor = 0;
    TRect ActiveSkinRect;
    TRect DownSkinRect;
    TRect FocusedSkinRect;
    TRect DisabledSkinRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool ShowFocus = false;
    TRect MenuMarkerFlatRect;
    TRect MenuMarkerRect;
    TRect MenuMarkerActiveRect;
    TRect MenuMarkerDownRect;
    TColor MenuMarkerTransparentColor = 0;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinMenuButtonControl : public TbsDataSkinButtonControl {
public:
    using TbsDataSkinButtonControl::TbsDataSkinButtonControl;
    const char* TypeWord() const override { return "menubutton"; }

    TRect TrackButtonRect;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinPanelControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    const char* TypeWord() const override { return "panel"; }

    int BGPictureIndex = -1;
    TRect CaptionRect;
    TAlignment Alignment = taCenter;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TRect CheckImageRect;
    TRect UnCheckImageRect;
    TRect MarkFrameRect;
    TRect FrameRect;
    TRect FrameTextRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 0;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinExPanelControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    const char* TypeWord() const override { return "expanel"; }

    TRect RollHSkinRect;
    TRect RollVSkinRect;
    int RollLeftOffset = 0;
    int RollRightOffset = 0;
    int RollTopOffset = 0;
    int RollBottomOffset = 0;
    TRect RollVCaptionRect;
    TRect RollHCaptionRect;
    TRect CloseButtonRect;
    TRect CloseButtonActiveRect;
    TRect CloseButtonDownRect;
    TRect HRollButtonRect;
    TRect HRollButtonActiveRect;
    TRect HRollButtonDownRect;
    TRect HRestoreButtonRect;
    TRect HRestoreButtonActiveRect;
    TRect HRestoreButtonDownRect;
    TRect VRollButtonRect;
    TRect VRollButtonActiveRect;
    TRect VRollButtonDownRect;
    TRect VRestoreButtonRect;
    TRect VRestoreButtonActiveRect;
    TRect VRestoreButtonDownRect;
    TRect CaptionRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    bool ButtonsTransparent = false;
    TColor ButtonsTransparentColor = 0;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinCheckRadioControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    const char* TypeWord() const override { return "checkradio"; }

    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor UnEnabledFontColor = 0;
    TColor FrameFontColor = 0;
    TRect ActiveSkinRect;
    TRect CheckImageArea;
    TRect TextArea;
    TRect CheckImageRect;
    TRect UnCheckImageRect;
    TRect ActiveCheckImageRect;
    TRect ActiveUnCheckImageRect;
    TRect UnEnabledCheckImageRect;
    TRect UnEnabledUnCheckImageRect;
    TRect GrayedCheckImageRect;
    TRect ActiveGrayedCheckImageRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = mkDefault;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinGaugeControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    const char* TypeWord() const override { return "gauge"; }

    TRect ProgressArea;
    TRect ProgressRect;
    int BeginOffset = 0;
    int EndOffset = 0;
    bool Vertical = false;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    bool ProgressTransparent = false;
    TColor ProgressTransparentColor = 0;
    bool ProgressStretch = false;
    TRect AnimationSkinRect;
    int AnimationCountFrames = 0;
    int AnimationTimerInterval = 0;
    TRect ProgressAnimationSkinRect;
    int ProgressAnimationCountFrames = 0;
    int ProgressAnimationTimerInterval = 0;
    int AnimationBeginOffset = 0;
    int AnimationEndOffset = 0;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinSplitterControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    const char* TypeWord() const override { return "splitter"; }

    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 0;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinTrackBarControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    const char* TypeWord() const override { return "trackbar"; }

    TRect ActiveSkinRect;
    TRect TrackArea;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    bool Vertical = false;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinLabelControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    const char* TypeWord() const override { return "label"; }

    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinStdLabelControl : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    const char* TypeWord() const override { return "stdlabel"; }

    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 16711680; // blue

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinUpDownControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    const char* TypeWord() const override { return "updown"; }

    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinGridControl : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    const char* TypeWord() const override { return "grid"; }

    TRect FixedCellRect;
    TRect SelectCellRect;
    TRect FocusCellRect;
    int FixedCellLeftOffset = 0;
    int FixedCellRightOffset = 0;
    TRect FixedCellTextRect;
    int CellLeftOffset = 0;
    int CellRightOffset = 0;
    TRect CellTextRect;
    int BGPictureIndex = -1;
    TColor LinesColor = 0;
    TColor BGColor = 0;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor SelectFontColor = 0;
    TColor FocusFontColor = 0;
    std::string FixedFontName = "Arial";
    int FixedFontHeight = 14;
    TFontStyles FixedFontStyle = 0;
    TColor FixedFontColor = 0;
    bool CellStretchEffect = false;
    bool FixedCellStretchEffect = false;
    bool ShowFocus = false;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinTabControl : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    const char* TypeWord() const override { return "tab"; }

    TRect TabRect;
    TRect ActiveTabRect;
    TRect FocusTabRect;
    TRect MouseInTabRect;
    TRect ClRect; // "clientrect"
    int BGPictureIndex = -1;
    QPoint LTPoint;
    QPoint RTPoint;
    QPoint LBPoint;
    QPoint RBPoint;
    int TabLeftOffset = 0;
    int TabRightOffset = 0;
    TRect TabsBGRect;
    bool TabStretchEffect = false;
    bool LeftStretch = false;
    bool TopStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TColor MouseInFontColor = 0;
    std::string UpDown; // name of the up-down skin that scrolls the tabs
    bool ShowFocus = false;
    int FocusOffsetX = 0;
    int FocusOffsetY = 0;
    TRect CloseButtonRect;
    TRect CloseButtonActiveRect;
    TRect CloseButtonDownRect;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 0;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinMainMenuBar : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    const char* TypeWord() const override { return "mainmenubar"; }

    TRect ItemsRect;
    // Names of skin objects.
    std::string MenuBarItem;
    std::string CloseButton;
    std::string MinButton;
    std::string MaxButton;
    std::string SysMenuButton;
    TColor TrackMarkColor = 0;
    TColor TrackMarkActiveColor = 0;
    bool StretchEffect = false;
    bool ItemTransparent = false;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinControlBar : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    const char* TypeWord() const override { return "controlbar"; }

    TRect ItemRect;
    int BGPictureIndex = -1;
    TRect HGripRect;
    TRect VGripRect;
    int GripOffset1 = 0;
    int GripOffset2 = 0;
    bool ItemStretchEffect = false;
    int ItemOffset1 = 3;
    int ItemOffset2 = 3;
    bool ItemTransparent = false;
    TColor ItemTransparentColor = 0;
    bool GripTransparent = false;
    TColor GripTransparentColor = 0;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinEditControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    const char* TypeWord() const override { return "edit"; }

    TRect ActiveSkinRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor DisabledFontColor = 0;
    TColor ActiveFontColor = 0;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    TRect DownButtonRect;
    TRect UnEnabledButtonRect;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinMemoControl : public TbsDataSkinEditControl {
public:
    using TbsDataSkinEditControl::TbsDataSkinEditControl;
    const char* TypeWord() const override { return "memo"; }

    TColor BGColor = 0;
    TColor ActiveBGColor = 0;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinListBox : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    const char* TypeWord() const override { return "listbox"; }

    TRect ItemRect;
    TRect ActiveItemRect;
    TRect FocusItemRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect ItemTextRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TRect CaptionRect;
    std::string CaptionFontName = "Arial";
    int CaptionFontHeight = 14;
    TFontStyles CaptionFontStyle = 0;
    TColor CaptionFontColor = 0;
    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;
    TRect CheckButtonRect;
    TRect ActiveCheckButtonRect;
    TRect DownCheckButtonRect;
    // Names of the scroll bar skins.
    std::string VScrollBarName = "vscrollbar";
    std::string HScrollBarName = "hscrollbar";
    std::string BothScrollBarName = "bothhscrollbar";
    bool ShowFocus = false;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinCheckListBox : public TbsDataSkinListBox {
public:
    using TbsDataSkinListBox::TbsDataSkinListBox;
    const char* TypeWord() const override { return "checklistbox"; }

    TRect ItemCheckRect;
    TRect CheckImageRect;
    TRect UnCheckImageRect;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinComboBox : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    const char* TypeWord() const override { return "combobox"; }

    TRect ActiveSkinRect;
    TRect ItemRect;
    TRect ActiveItemRect;
    TRect FocusItemRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect ItemTextRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor FocusFontColor = 0;
    TColor ActiveFontColor = 0;
    std::string ListBoxName; // list box skin of the drop-down list
    TRect ButtonRect;
    TRect ActiveButtonRect;
    TRect DownButtonRect;
    TRect UnEnabledButtonRect;
    bool ItemStretchEffect = false;
    bool FocusItemStretchEffect = false;
    bool ShowFocus = false;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinScrollBarControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    const char* TypeWord() const override { return "scrollbar"; }

    TRect TrackArea;
    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;
    TRect ThumbRect;
    TRect ActiveThumbRect;
    TRect DownThumbRect;
    int ThumbOffset1 = 0;
    int ThumbOffset2 = 0;
    bool ThumbTransparent = false;
    TColor ThumbTransparentColor = 0;
    bool ThumbStretchEffect = false;
    int ThumbMinSize = 0;
    int ThumbMinPageSize = 0;
    TRect GlyphRect;
    TRect ActiveGlyphRect;
    TRect DownGlyphRect;
    bool GlyphTransparent = false;
    TColor GlyphTransparentColor = 0;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinSpinEditControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    const char* TypeWord() const override { return "spinedit"; }

    TRect ActiveSkinRect;
    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor DisabledFontColor = 0;
    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinScrollBoxControl : public TbsDataSkinCustomControl {
public:
    using TbsDataSkinCustomControl::TbsDataSkinCustomControl;
    const char* TypeWord() const override { return "scrollbox"; }

    int BGPictureIndex = -1;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

// Shared keys of the tree view, list view and rich edit skins: a font and a
// background colour.
class TbsDataSkinTextBoxControl : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;

    std::string FontName = "Arial";
    int FontHeight = 14;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;
    TColor BGColor = 0;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinTreeView : public TbsDataSkinTextBoxControl {
public:
    using TbsDataSkinTextBoxControl::TbsDataSkinTextBoxControl;
    const char* TypeWord() const override { return "treeview"; }
};

class TbsDataSkinListView : public TbsDataSkinTextBoxControl {
public:
    using TbsDataSkinTextBoxControl::TbsDataSkinTextBoxControl;
    const char* TypeWord() const override { return "listview"; }
};

class TbsDataSkinRichEdit : public TbsDataSkinTextBoxControl {
public:
    using TbsDataSkinTextBoxControl::TbsDataSkinTextBoxControl;
    const char* TypeWord() const override { return "richedit"; }
};

class TbsDataSkinBevel : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    const char* TypeWord() const override { return "bevel"; }

    TColor LightColor = 0;
    TColor DarkColor = 0;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

class TbsDataSkinSlider : public TbsDataSkinControl {
public:
    using TbsDataSkinControl::TbsDataSkinControl;
    const char* TypeWord() const override { return "slider"; }

    TColor BGColor = 0;
    TRect HRulerRect;
    TRect HThumbRect;
    TRect VRulerRect;
    TRect VThumbRect;
    int EdgeSize = 0;
    TColor PointsColor = 0;

protected:
    void Exchange(TbsSkinSectionIO& io) override;
};

// The control skin class a [SKINCONTROLS] type word names, or null for a word
// no class answers to.
std::unique_ptr<TbsDataSkinControl> CreateSkinControl(const std::string& typeWord, const std::string& idName);
// A copy of a control skin: the same class with the same values.
std::unique_ptr<TbsDataSkinControl> CloneSkinControl(const TbsDataSkinControl& control);
