#include "BsSkinControls.h"

#include "BsIniFile.h"
#include "BsSkinSectionIO.h"

#include <functional>
#include <map>

void TbsDataSkinControl::ExchangeSection(TbsSkinSectionIO& io)
{
    io.SetSection(IDName);
    Exchange(io);
}

void TbsDataSkinControl::LoadFromFile(const TbsIniFile& ini)
{
    TbsSkinIniReader reader(ini);
    ExchangeSection(reader);
}

void TbsDataSkinControl::SaveToFile(TbsIniFile& ini) const
{
    // The writer only reads the fields; the shared key walk takes them by reference.
    TbsSkinIniWriter writer(ini);
    const_cast<TbsDataSkinControl*>(this)->ExchangeSection(writer);
}

void TbsDataSkinControl::Exchange(TbsSkinSectionIO& io)
{
    io.Integer("pictureindex", PictureIndex, -1);
    io.Integer("maskpictureindex", MaskPictureIndex, -1);
    io.Rect("skinrect", SkinRect);
}

void TbsDataSkinCustomControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinControl::Exchange(io);
    io.Point("lefttoppoint", LTPoint);
    io.Point("righttoppoint", RTPoint);
    io.Point("leftbottompoint", LBPoint);
    io.Point("rightbottompoint", RBPoint);
    io.Rect("clientrect", ClRect);
    io.Bool("leftstretch", LeftStretch);
    io.Bool("topstretch", TopStretch);
    io.Bool("rightstretch", RightStretch);
    io.Bool("bottomstretch", BottomStretch);
    io.Bool("stretcheffect", StretchEffect);
    io.StretchType("stretchtype", StretchType);
}

void TbsDataSkinButtonControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinCustomControl::Exchange(io);
    io.Font(FontName, FontHeight, FontStyle, FontColor);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("downfontcolor", DownFontColor);
    io.Color("disabledfontcolor", DisabledFontColor);
    io.Rect("activeskinrect", ActiveSkinRect);
    io.Rect("downskinrect", DownSkinRect);
    io.Rect("focusedskinrect", FocusedSkinRect);
    io.Rect("disabledskinrect", DisabledSkinRect);
    io.Bool("morphing", Morphing);
    io.MorphKind("morphkind", MorphKind);
    io.Rect("animateskinrect", AnimateSkinRect);
    io.Integer("framecount", FrameCount);
    io.Integer("animateinterval", AnimateInterval, 25);
    io.Bool("showfocus", ShowFocus);
    io.Rect("menumarkerflatrect", MenuMarkerFlatRect);
    io.Rect("menumarkerrect", MenuMarkerRect);
    io.Rect("menumarkeractiverect", MenuMarkerActiveRect);
    io.Rect("menumarkerdownrect", MenuMarkerDownRect);
    io.Color("menumarkertransparentcolor", MenuMarkerTransparentColor);
}

void TbsDataSkinMenuButtonControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinButtonControl::Exchange(io);
    io.Rect("trackbuttonrect", TrackButtonRect);
}

void TbsDataSkinPanelControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinCustomControl::Exchange(io);
    io.Integer("bgpictureindex", BGPictureIndex, -1);
    io.Rect("captionrect", CaptionRect);
    io.Alignment("alignment", Alignment);
    io.Font(FontName, FontHeight, FontStyle, FontColor);
    io.Rect("checkimagerect", CheckImageRect);
    io.Rect("uncheckimagerect", UnCheckImageRect);
    io.Rect("markframerect", MarkFrameRect);
    io.Rect("framerect", FrameRect);
    io.Rect("frametextrect", FrameTextRect);
    io.Integer("frameleftoffset", FrameLeftOffset);
    io.Integer("framerightoffset", FrameRightOffset);
    io.Rect("gripperrect", GripperRect);
    io.Bool("grippertransparent", GripperTransparent);
    io.Color("grippertransparentcolor", GripperTransparentColor);
}

void TbsDataSkinExPanelControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinCustomControl::Exchange(io);
    io.Rect("rollhskinrect", RollHSkinRect);
    io.Rect("rollvskinrect", RollVSkinRect);
    io.Integer("rollleftoffset", RollLeftOffset);
    io.Integer("rollrightoffset", RollRightOffset);
    io.Integer("rolltopoffset", RollTopOffset);
    io.Integer("rollbottomoffset", RollBottomOffset);
    io.Rect("rollvcaptionrect", RollVCaptionRect);
    io.Rect("rollhcaptionrect", RollHCaptionRect);
    io.Rect("closebuttonrect", CloseButtonRect);
    io.Rect("closebuttonactiverect", CloseButtonActiveRect);
    io.Rect("closebuttondownrect", CloseButtonDownRect);
    io.Rect("hrollbuttonrect", HRollButtonRect);
    io.Rect("hrollbuttonactiverect", HRollButtonActiveRect);
    io.Rect("hrollbuttondownrect", HRollButtonDownRect);
    io.Rect("hrestorebuttonrect", HRestoreButtonRect);
    io.Rect("hrestorebuttonactiverect", HRestoreButtonActiveRect);
    io.Rect("hrestorebuttondownrect", HRestoreButtonDownRect);
    io.Rect("vrollbuttonrect", VRollButtonRect);
    io.Rect("vrollbuttonactiverect", VRollButtonActiveRect);
    io.Rect("vrollbuttondownrect", VRollButtonDownRect);
    io.Rect("vrestorebuttonrect", VRestoreButtonRect);
    io.Rect("vrestorebuttonactiverect", VRestoreButtonActiveRect);
    io.Rect("vrestorebuttondownrect", VRestoreButtonDownRect);
    io.Rect("captionrect", CaptionRect);
    io.Font(FontName, FontHeight, FontStyle, FontColor);
    io.Bool("buttonstransparent", ButtonsTransparent);
    io.Color("buttonstransparentcolor", ButtonsTransparentColor);
}

void TbsDataSkinCheckRadioControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinCustomControl::Exchange(io);
    io.Font(FontName, FontHeight, FontStyle, FontColor);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("unenabledfontcolor", UnEnabledFontColor);
    io.Color("framefontcolor", FrameFontColor);
    io.Rect("activeskinrect", ActiveSkinRect);
    io.Rect("checkimagearea", CheckImageArea);
    io.Rect("textarea", TextArea);
    io.Rect("checkimagerect", CheckImageRect);
    io.Rect("uncheckimagerect", UnCheckImageRect);
    io.Rect("activecheckimagerect", ActiveCheckImageRect);
    io.Rect("activeuncheckimagerect", ActiveUnCheckImageRect);
    io.Rect("unenabledcheckimagerect", UnEnabledCheckImageRect);
    io.Rect("unenableduncheckimagerect", UnEnabledUnCheckImageRect);
    io.Rect("grayedcheckimagerect", GrayedCheckImageRect);
    io.Rect("activegrayedcheckimagerect", ActiveGrayedCheckImageRect);
    io.Bool("morphing", Morphing);
    io.MorphKind("morphkind", MorphKind);
}

void TbsDataSkinGaugeControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinCustomControl::Exchange(io);
    io.Rect("progressarea", ProgressArea);
    io.Rect("progressrect", ProgressRect);
    io.Integer("beginoffset", BeginOffset);
    io.Integer("endoffset", EndOffset);
    io.Bool("vertical", Vertical);
    io.Font(FontName, FontHeight, FontStyle, FontColor);
    io.Bool("progresstransparent", ProgressTransparent);
    io.Color("progresstransparentcolor", ProgressTransparentColor);
    io.Bool("progressstretch", ProgressStretch);
    io.Rect("animationskinrect", AnimationSkinRect);
    io.Integer("animationcountframes", AnimationCountFrames);
    io.Integer("animationtimerinterval", AnimationTimerInterval);
    io.Rect("progressanimationskinrect", ProgressAnimationSkinRect);
    io.Integer("progressanimationcountframes", ProgressAnimationCountFrames);
    io.Integer("progressanimationtimerinterval", ProgressAnimationTimerInterval);
    io.Integer("animationbeginoffset", AnimationBeginOffset);
    io.Integer("animationendoffset", AnimationEndOffset);
}

void TbsDataSkinSplitterControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinCustomControl::Exchange(io);
    io.Rect("gripperrect", GripperRect);
    io.Bool("grippertransparent", GripperTransparent);
    io.Color("grippertransparentcolor", GripperTransparentColor);
}

void TbsDataSkinTrackBarControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinCustomControl::Exchange(io);
    io.Rect("activeskinrect", ActiveSkinRect);
    io.Rect("trackarea", TrackArea);
    io.Rect("buttonrect", ButtonRect);
    io.Rect("activebuttonrect", ActiveButtonRect);
    io.Bool("vertical", Vertical);
    io.Bool("buttontransparent", ButtonTransparent);
    io.Color("buttontransparentcolor", ButtonTransparentColor);
}

void TbsDataSkinLabelControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinCustomControl::Exchange(io);
    io.Font(FontName, FontHeight, FontStyle, FontColor);
}

void TbsDataSkinStdLabelControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinControl::Exchange(io);
    io.Font(FontName, FontHeight, FontStyle, FontColor);
    io.Color("activefontcolor", ActiveFontColor, 16711680);
}

void TbsDataSkinUpDownControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinCustomControl::Exchange(io);
    io.Rect("upbuttonrect", UpButtonRect);
    io.Rect("activeupbuttonrect", ActiveUpButtonRect);
    io.Rect("downupbuttonrect", DownUpButtonRect);
    io.Rect("downbuttonrect", DownButtonRect);
    io.Rect("activedownbuttonrect", ActiveDownButtonRect);
    io.Rect("downdownbuttonrect", DownDownButtonRect);
}

void TbsDataSkinGridControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinControl::Exchange(io);
    io.Rect("fixedcellrect", FixedCellRect);
    io.Rect("selectcellrect", SelectCellRect);
    io.Rect("focuscellrect", FocusCellRect);
    io.Integer("fixedcellleftoffset", FixedCellLeftOffset);
    io.Integer("fixedcellrightoffset", FixedCellRightOffset);
    io.Rect("fixedcelltextrect", FixedCellTextRect);
    io.Integer("cellleftoffset", CellLeftOffset);
    io.Integer("cellrightoffset", CellRightOffset);
    io.Rect("celltextrect", CellTextRect);
    io.Integer("bgpictureindex", BGPictureIndex, -1);
    io.Color("linescolor", LinesColor);
    io.Color("bgcolor", BGColor);
    io.Font(FontName, FontHeight, FontStyle, FontColor);
    io.Color("selectfontcolor", SelectFontColor);
    io.Color("focusfontcolor", FocusFontColor);
    io.Font(FixedFontName, FixedFontHeight, FixedFontStyle, FixedFontColor, "fixed");
    io.Bool("cellstretcheffect", CellStretchEffect);
    io.Bool("fixedcellstretcheffect", FixedCellStretchEffect);
    io.Bool("showfocus", ShowFocus);
}

void TbsDataSkinTabControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinControl::Exchange(io);
    io.Rect("tabrect", TabRect);
    io.Rect("activetabrect", ActiveTabRect);
    io.Rect("focustabrect", FocusTabRect);
    io.Rect("mouseintabrect", MouseInTabRect);
    io.Rect("clientrect", ClRect);
    io.Integer("bgpictureindex", BGPictureIndex, -1);
    io.Point("lefttoppoint", LTPoint);
    io.Point("righttoppoint", RTPoint);
    io.Point("leftbottompoint", LBPoint);
    io.Point("rightbottompoint", RBPoint);
    io.Integer("tableftoffset", TabLeftOffset);
    io.Integer("tabrightoffset", TabRightOffset);
    io.Rect("tabsbgrect", TabsBGRect);
    io.Bool("tabstretcheffect", TabStretchEffect);
    io.Bool("leftstretch", LeftStretch);
    io.Bool("topstretch", TopStretch);
    io.Bool("rightstretch", RightStretch);
    io.Bool("bottomstretch", BottomStretch);
    io.Bool("stretcheffect", StretchEffect);
    io.StretchType("stretchtype", StretchType);
    io.Font(FontName, FontHeight, FontStyle, FontColor);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("focusfontcolor", FocusFontColor);
    io.Color("mouseinfontcolor", MouseInFontColor);
    io.String("updown", UpDown);
    io.Bool("showfocus", ShowFocus);
    io.Integer("focusoffsetx", FocusOffsetX);
    io.Integer("focusoffsety", FocusOffsetY);
    io.Rect("closebuttonrect", CloseButtonRect);
    io.Rect("closebuttonactiverect", CloseButtonActiveRect);
    io.Rect("closebuttondownrect", CloseButtonDownRect);
    io.Bool("buttontransparent", ButtonTransparent);
    io.Color("buttontransparentcolor", ButtonTransparentColor);
}

void TbsDataSkinMainMenuBar::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinControl::Exchange(io);
    io.Rect("itemsrect", ItemsRect);
    io.String("menubaritem", MenuBarItem);
    io.String("closebutton", CloseButton);
    io.String("minbutton", MinButton);
    io.String("maxbutton", MaxButton);
    io.String("sysmenubutton", SysMenuButton);
    io.Color("trackmarkcolor", TrackMarkColor);
    io.Color("trackmarkactivecolor", TrackMarkActiveColor);
    io.Bool("stretcheffect", StretchEffect);
    io.Bool("itemtransparent", ItemTransparent);
}

void TbsDataSkinControlBar::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinCustomControl::Exchange(io);
    io.Rect("itemrect", ItemRect);
    io.Integer("bgpictureindex", BGPictureIndex, -1);
    io.Rect("hgriprect", HGripRect);
    io.Rect("vgriprect", VGripRect);
    io.Integer("gripoffset1", GripOffset1);
    io.Integer("gripoffset2", GripOffset2);
    io.Bool("itemstretcheffect", ItemStretchEffect);
    io.Integer("itemoffset1", ItemOffset1, 3);
    io.Integer("itemoffset2", ItemOffset2, 3);
    io.Bool("itemtransparent", ItemTransparent);
    io.Color("itemtransparentcolor", ItemTransparentColor);
    io.Bool("griptransparent", GripTransparent);
    io.Color("griptransparentcolor", GripTransparentColor);
}

void TbsDataSkinEditControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinCustomControl::Exchange(io);
    io.Rect("activeskinrect", ActiveSkinRect);
    io.Font(FontName, FontHeight, FontStyle, FontColor);
    io.Color("disabledfontcolor", DisabledFontColor);
    io.Color("activefontcolor", ActiveFontColor);
    io.Rect("buttonrect", ButtonRect);
    io.Rect("activebuttonrect", ActiveButtonRect);
    io.Rect("downbuttonrect", DownButtonRect);
    io.Rect("unenabledbuttonrect", UnEnabledButtonRect);
}

void TbsDataSkinMemoControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinEditControl::Exchange(io);
    io.Color("bgcolor", BGColor);
    io.Color("activebgcolor", ActiveBGColor);
}

void TbsDataSkinListBox::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinCustomControl::Exchange(io);
    io.Rect("itemrect", ItemRect);
    io.Rect("activeitemrect", ActiveItemRect);
    io.Rect("focusitemrect", FocusItemRect);
    io.Integer("itemleftoffset", ItemLeftOffset);
    io.Integer("itemrightoffset", ItemRightOffset);
    io.Rect("itemtextrect", ItemTextRect);
    io.Font(FontName, FontHeight, FontStyle, FontColor);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("focusfontcolor", FocusFontColor);
    io.Rect("captionrect", CaptionRect);
    io.Font(CaptionFontName, CaptionFontHeight, CaptionFontStyle, CaptionFontColor, "caption");
    io.Rect("upbuttonrect", UpButtonRect);
    io.Rect("activeupbuttonrect", ActiveUpButtonRect);
    io.Rect("downupbuttonrect", DownUpButtonRect);
    io.Rect("downbuttonrect", DownButtonRect);
    io.Rect("activedownbuttonrect", ActiveDownButtonRect);
    io.Rect("downdownbuttonrect", DownDownButtonRect);
    io.Rect("checkbuttonrect", CheckButtonRect);
    io.Rect("activecheckbuttonrect", ActiveCheckButtonRect);
    io.Rect("downcheckbuttonrect", DownCheckButtonRect);
    io.String("vscrollbarname", VScrollBarName, "vscrollbar");
    io.String("hscrollbarname", HScrollBarName, "hscrollbar");
    io.String("bothhscrollbarname", BothScrollBarName, "bothhscrollbar");
    io.Bool("showfocus", ShowFocus);
}

void TbsDataSkinCheckListBox::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinListBox::Exchange(io);
    io.Rect("itemcheckrect", ItemCheckRect);
    io.Rect("checkimagerect", CheckImageRect);
    io.Rect("uncheckimagerect", UnCheckImageRect);
}

void TbsDataSkinComboBox::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinCustomControl::Exchange(io);
    io.Rect("activeskinrect", ActiveSkinRect);
    io.Rect("itemrect", ItemRect);
    io.Rect("activeitemrect", ActiveItemRect);
    io.Rect("focusitemrect", FocusItemRect);
    io.Integer("itemleftoffset", ItemLeftOffset);
    io.Integer("itemrightoffset", ItemRightOffset);
    io.Rect("itemtextrect", ItemTextRect);
    io.Font(FontName, FontHeight, FontStyle, FontColor);
    io.Color("focusfontcolor", FocusFontColor);
    io.Color("activefontcolor", ActiveFontColor);
    io.String("listboxname", ListBoxName);
    io.Rect("buttonrect", ButtonRect);
    io.Rect("activebuttonrect", ActiveButtonRect);
    io.Rect("downbuttonrect", DownButtonRect);
    io.Rect("unenabledbuttonrect", UnEnabledButtonRect);
    io.Bool("itemstretcheffect", ItemStretchEffect);
    io.Bool("focusitemstretcheffect", FocusItemStretchEffect);
    io.Bool("showfocus", ShowFocus);
}

void TbsDataSkinScrollBarControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinCustomControl::Exchange(io);
    io.Rect("trackarea", TrackArea);
    io.Rect("upbuttonrect", UpButtonRect);
    io.Rect("activeupbuttonrect", ActiveUpButtonRect);
    io.Rect("downupbuttonrect", DownUpButtonRect);
    io.Rect("downbuttonrect", DownButtonRect);
    io.Rect("activedownbuttonrect", ActiveDownButtonRect);
    io.Rect("downdownbuttonrect", DownDownButtonRect);
    io.Rect("thumbrect", ThumbRect);
    io.Rect("activethumbrect", ActiveThumbRect);
    io.Rect("downthumbrect", DownThumbRect);
    io.Integer("thumboffset1", ThumbOffset1);
    io.Integer("thumboffset2", ThumbOffset2);
    io.Bool("thumbtransparent", ThumbTransparent);
    io.Color("thumbtransparentcolor", ThumbTransparentColor);
    io.Bool("thumbstretcheffect", ThumbStretchEffect);
    io.Integer("thumbminsize", ThumbMinSize);
    io.Integer("thumbminpagesize", ThumbMinPageSize);
    io.Rect("glyphrect", GlyphRect);
    io.Rect("activeglyphrect", ActiveGlyphRect);
    io.Rect("downglyphrect", DownGlyphRect);
    io.Bool("glyphtransparent", GlyphTransparent);
    io.Color("glyphtransparentcolor", GlyphTransparentColor);
}

void TbsDataSkinSpinEditControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinCustomControl::Exchange(io);
    io.Rect("activeskinrect", ActiveSkinRect);
    io.Font(FontName, FontHeight, FontStyle, FontColor);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("disabledfontcolor", DisabledFontColor);
    io.Rect("upbuttonrect", UpButtonRect);
    io.Rect("activeupbuttonrect", ActiveUpButtonRect);
    io.Rect("downupbuttonrect", DownUpButtonRect);
    io.Rect("downbuttonrect", DownButtonRect);
    io.Rect("activedownbuttonrect", ActiveDownButtonRect);
    io.Rect("downdownbuttonrect", DownDownButtonRect);
}

void TbsDataSkinScrollBoxControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinCustomControl::Exchange(io);
    io.Integer("bgpictureindex", BGPictureIndex, -1);
}

void TbsDataSkinTextBoxControl::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinControl::Exchange(io);
    io.Font(FontName, FontHeight, FontStyle, FontColor);
    io.Color("bgcolor", BGColor);
}

void TbsDataSkinBevel::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinControl::Exchange(io);
    io.Color("lightcolor", LightColor);
    io.Color("darkcolor", DarkColor);
}

void TbsDataSkinSlider::Exchange(TbsSkinSectionIO& io)
{
    TbsDataSkinControl::Exchange(io);
    io.Color("bgcolor", BGColor);
    io.Rect("hrulerrect", HRulerRect);
    io.Rect("hthumbrect", HThumbRect);
    io.Rect("vrulerrect", VRulerRect);
    io.Rect("vthumbrect", VThumbRect);
    io.Integer("edgesize", EdgeSize);
    io.Color("pointscolor", PointsColor);
}

namespace {

template <typename T> std::unique_ptr<TbsDataSkinControl> Make(const std::string& idName)
{
    return std::make_unique<T>(idName);
}

using ControlFactory = std::unique_ptr<TbsDataSkinControl> (*)(const std::string&);

} // namespace

std::unique_ptr<TbsDataSkinControl> CreateSkinControl(const std::string& typeWord, const std::string& idName)
{
    // Type words are compared exactly, as every enumerated skin value is.
    static const std::map<std::string, ControlFactory, std::less<>> factories = {
        { "panel", &Make<TbsDataSkinPanelControl> },
        { "expanel", &Make<TbsDataSkinExPanelControl> },
        { "menubutton", &Make<TbsDataSkinMenuButtonControl> },
        { "button", &Make<TbsDataSkinButtonControl> },
        { "checkradio", &Make<TbsDataSkinCheckRadioControl> },
        { "gauge", &Make<TbsDataSkinGaugeControl> },
        { "splitter", &Make<TbsDataSkinSplitterControl> },
        { "trackbar", &Make<TbsDataSkinTrackBarControl> },
        { "label", &Make<TbsDataSkinLabelControl> },
        { "stdlabel", &Make<TbsDataSkinStdLabelControl> },
        { "updown", &Make<TbsDataSkinUpDownControl> },
        { "grid", &Make<TbsDataSkinGridControl> },
        { "tab", &Make<TbsDataSkinTabControl> },
        { "mainmenubar", &Make<TbsDataSkinMainMenuBar> },
        { "controlbar", &Make<TbsDataSkinControlBar> },
        { "memo", &Make<TbsDataSkinMemoControl> },
        { "edit", &Make<TbsDataSkinEditControl> },
        { "checklistbox", &Make<TbsDataSkinCheckListBox> },
        { "listbox", &Make<TbsDataSkinListBox> },
        { "combobox", &Make<TbsDataSkinComboBox> },
        { "scrollbar", &Make<TbsDataSkinScrollBarControl> },
        { "spinedit", &Make<TbsDataSkinSpinEditControl> },
        { "scrollbox", &Make<TbsDataSkinScrollBoxControl> },
        { "treeview", &Make<TbsDataSkinTreeView> },
        { "bevel", &Make<TbsDataSkinBevel> },
        { "slider", &Make<TbsDataSkinSlider> },
        { "listview", &Make<TbsDataSkinListView> },
        { "richedit", &Make<TbsDataSkinRichEdit> },
    };
    auto it = factories.find(typeWord);
    return it == factories.end() ? nullptr : it->second(idName);
}

std::unique_ptr<TbsDataSkinControl> CloneSkinControl(const TbsDataSkinControl& control)
{
    std::unique_ptr<TbsDataSkinControl> copy = CreateSkinControl(control.TypeWord(), control.IDName);
    if (!copy)
        return nullptr;
    TbsSkinValueTape tape;
    // The key walk takes fields by reference; recording leaves them as they are.
    const_cast<TbsDataSkinControl&>(control).ExchangeSection(tape);
    tape.Play();
    copy->ExchangeSection(tape);
    return copy;
}
