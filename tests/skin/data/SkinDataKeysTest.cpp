// The keys each skin object and control skin reads: their names (misspellings
// that skins carry included), order, defaults and the fix-ups after reading.
#include "BsIniFile.h"
#include "BsSkinControls.h"
#include "BsSkinObjects.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// Keys a class writes, which are the keys it reads, in file order.
template <typename Entry>
std::vector<std::string> WrittenKeys(const Entry& entry)
{
    TbsIniFile ini;
    entry.SaveToFile(ini);
    return ini.SectionKeys(entry.IDName);
}

const std::string ObjectBase = "hint activepictureindex skinrectinapicture skinrect activeskinrect inactiveskinrect "
                               "morphing morphkind ";
const std::string ButtonObject = ObjectBase + "downrect disableskinrsect ";
const std::string StdButton =
    ButtonObject + "command restorerect restoreactiverect restoredownrect restoreinactiverect";

const std::string ControlBase = "pictureindex maskpictureindex skinrect ";
const std::string Custom = ControlBase +
                           "lefttoppoint righttoppoint leftbottompoint rightbottompoint clientrect leftstretch "
                           "topstretch rightstretch bottomstretch stretcheffect stretchtype ";
const std::string Font = "fontname fontheight fontstyle fontcolor ";
const std::string ButtonControl = Custom + Font +
                                  "activefontcolor downfontcolor disabledfontcolor activeskinrect downskinrect "
                                  "focusedskinrect disabledskinrect morphing morphkind animateskinrect framecount "
                                  "animateinterval showfocus menumarkerflatrect menumarkerrect menumarkeractiverect "
                                  "menumarkerdownrect menumarkertransparentcolor ";
const std::string Arrows = "upbuttonrect activeupbuttonrect downupbuttonrect downbuttonrect activedownbuttonrect "
                           "downdownbuttonrect ";
const std::string ListBox = Custom +
                            "itemrect activeitemrect focusitemrect itemleftoffset itemrightoffset itemtextrect " +
                            Font + "activefontcolor focusfontcolor captionrect captionfontname captionfontheight "
                                   "captionfontstyle captionfontcolor " +
                            Arrows +
                            "checkbuttonrect activecheckbuttonrect downcheckbuttonrect vscrollbarname "
                            "hscrollbarname bothhscrollbarname showfocus ";
const std::string Edit = Custom + "activeskinrect " + Font +
                         "disabledfontcolor activefontcolor buttonrect activebuttonrect downbuttonrect "
                         "unenabledbuttonrect ";
const std::string TextBox = ControlBase + Font + "bgcolor";

struct KeyListCase {
    const char* typeWord;
    std::string keys;
};

TEST(SkinObjectKeys, EveryTypeWordReadsItsKeysInOrder)
{
    const KeyListCase cases[] = {
        {"button", ButtonObject},
        {"stdbutton", StdButton},
        {"mainmenubarbutton", StdButton},
        {"animate", ObjectBase + "countframes cycle buttonstyle timerinterval command downskinrect restorerect "
                                 "restoreactiverect restoredownrect restoreinactiverect"},
        {"caption", ObjectBase + "textrect " + Font +
                        "activefontcolor alignment light lightcolor activelightcolor shadow shadowcolor "
                        "activeshadowcolor framerect activeframerect frametextrect frameleftoffset "
                        "framerightoffset stretcheffect animateskinrect framecount animateinterval "
                        "inactiveanimation fullframe"},
        {"menuitem", ObjectBase + "itemleftoffset itemrightoffset dividerrect dividerleftoffset dividerrightoffset "
                                  "textrect imagerect " + Font +
                         "activefontcolor unenabledfontcolor stretcheffect inactivestretcheffect "
                         "dividerstretcheffect animateskinrect framecount animateinterval inactiveanimation "
                         "useimagecolor imagecolor activeimagecolor inactivetransparent checkimagerect "
                         "activecheckimagerect radioimagerect activeradioimagerect arrowimagerect "
                         "activearrowimagerect"},
        {"mainmenubaritem", ObjectBase + "itemleftoffset itemrightoffset downrect textrect " + Font +
                                "activefontcolor downfontcolor unenabledfontColor stretcheffect animateskinrect "
                                "framecount animateinterval inactiveanimation"},
        {"userobject", "skinrect"},
    };
    for (const KeyListCase& c : cases) {
        auto object = CreateSkinObject(c.typeWord, "x");
        ASSERT_NE(object, nullptr) << c.typeWord;
        EXPECT_STREQ(object->TypeWord(), c.typeWord);
        EXPECT_EQ(WrittenKeys(*object), Words(c.keys)) << c.typeWord;
    }
    EXPECT_EQ(CreateSkinObject("Button", "x"), nullptr);  // type words are case-sensitive
    EXPECT_EQ(CreateSkinObject("", "x"), nullptr);
}

TEST(SkinControlKeys, EveryTypeWordReadsItsKeysInOrder)
{
    const KeyListCase cases[] = {
        {"button", ButtonControl},
        {"menubutton", ButtonControl + "trackbuttonrect"},
        {"panel", Custom + "bgpictureindex captionrect alignment " + Font +
                      "checkimagerect uncheckimagerect markframerect framerect frametextrect frameleftoffset "
                      "framerightoffset gripperrect grippertransparent grippertransparentcolor"},
        {"expanel", Custom + "rollhskinrect rollvskinrect rollleftoffset rollrightoffset rolltopoffset "
                             "rollbottomoffset rollvcaptionrect rollhcaptionrect closebuttonrect "
                             "closebuttonactiverect closebuttondownrect hrollbuttonrect hrollbuttonactiverect "
                             "hrollbuttondownrect hrestorebuttonrect hrestorebuttonactiverect "
                             "hrestorebuttondownrect vrollbuttonrect vrollbuttonactiverect vrollbuttondownrect "
                             "vrestorebuttonrect vrestorebuttonactiverect vrestorebuttondownrect captionrect " +
                        Font + "buttonstransparent buttonstransparentcolor"},
        {"checkradio", Custom + Font +
                           "activefontcolor unenabledfontcolor framefontcolor activeskinrect checkimagearea "
                           "textarea checkimagerect uncheckimagerect activecheckimagerect activeuncheckimagerect "
                           "unenabledcheckimagerect unenableduncheckimagerect grayedcheckimagerect "
                           "activegrayedcheckimagerect morphing morphkind"},
        {"gauge", Custom + "progressarea progressrect beginoffset endoffset vertical " + Font +
                      "progresstransparent progresstransparentcolor progressstretch animationskinrect "
                      "animationcountframes animationtimerinterval progressanimationskinrect "
                      "progressanimationcountframes progressanimationtimerinterval animationbeginoffset "
                      "animationendoffset"},
        {"splitter", Custom + "gripperrect grippertransparent grippertransparentcolor"},
        {"trackbar", Custom + "activeskinrect trackarea buttonrect activebuttonrect vertical buttontransparent "
                              "buttontransparentcolor"},
        {"label", Custom + Font},
        {"stdlabel", ControlBase + Font + "activefontcolor"},
        {"updown", Custom + Arrows},
        {"grid", ControlBase + "fixedcellrect selectcellrect focuscellrect fixedcellleftoffset "
                               "fixedcellrightoffset fixedcelltextrect cellleftoffset cellrightoffset celltextrect "
                               "bgpictureindex linescolor bgcolor " + Font +
                     "selectfontcolor focusfontcolor fixedfontname fixedfontheight fixedfontstyle fixedfontcolor "
                     "cellstretcheffect fixedcellstretcheffect showfocus"},
        {"tab", ControlBase + "tabrect activetabrect focustabrect mouseintabrect clientrect bgpictureindex "
                              "lefttoppoint righttoppoint leftbottompoint rightbottompoint tableftoffset "
                              "tabrightoffset tabsbgrect tabstretcheffect leftstretch topstretch rightstretch "
                              "bottomstretch stretcheffect stretchtype " + Font +
                    "activefontcolor focusfontcolor mouseinfontcolor updown showfocus focusoffsetx focusoffsety "
                    "closebuttonrect closebuttonactiverect closebuttondownrect buttontransparent "
                    "buttontransparentcolor"},
        {"mainmenubar", ControlBase + "itemsrect menubaritem closebutton minbutton maxbutton sysmenubutton "
                                      "trackmarkcolor trackmarkactivecolor stretcheffect itemtransparent"},
        {"controlbar", Custom + "itemrect bgpictureindex hgriprect vgriprect gripoffset1 gripoffset2 "
                                "itemstretcheffect itemoffset1 itemoffset2 itemtransparent itemtransparentcolor "
                                "griptransparent griptransparentcolor"},
        {"edit", Edit},
        {"memo", Edit + "bgcolor activebgcolor"},
        {"listbox", ListBox},
        {"checklistbox", ListBox + "itemcheckrect checkimagerect uncheckimagerect"},
        {"combobox", Custom + "activeskinrect itemrect activeitemrect focusitemrect itemleftoffset "
                              "itemrightoffset itemtextrect " + Font +
                         "focusfontcolor activefontcolor listboxname buttonrect activebuttonrect downbuttonrect "
                         "unenabledbuttonrect itemstretcheffect focusitemstretcheffect showfocus"},
        {"scrollbar", Custom + "trackarea " + Arrows +
                          "thumbrect activethumbrect downthumbrect thumboffset1 thumboffset2 thumbtransparent "
                          "thumbtransparentcolor thumbstretcheffect thumbminsize thumbminpagesize glyphrect "
                          "activeglyphrect downglyphrect glyphtransparent glyphtransparentcolor"},
        {"spinedit", Custom + "activeskinrect " + Font + "activefontcolor disabledfontcolor " + Arrows},
        {"scrollbox", Custom + "bgpictureindex"},
        {"treeview", TextBox},
        {"listview", TextBox},
        {"richedit", TextBox},
        {"bevel", ControlBase + "lightcolor darkcolor"},
        {"slider", ControlBase + "bgcolor hrulerrect hthumbrect vrulerrect vthumbrect edgesize pointscolor"},
    };
    for (const KeyListCase& c : cases) {
        auto control = CreateSkinControl(c.typeWord, "x");
        ASSERT_NE(control, nullptr) << c.typeWord;
        EXPECT_STREQ(control->TypeWord(), c.typeWord);
        EXPECT_EQ(WrittenKeys(*control), Words(c.keys)) << c.typeWord;
    }
    EXPECT_EQ(CreateSkinControl("ListView", "x"), nullptr);
}

// Defaults that are not zero, read from a section that has none of its keys.
struct DefaultCase {
    bool control;
    const char* typeWord;
    const char* key;
    const char* written;
};

TEST(SkinEntryDefaults, MissingKeysReadTheirDefaults)
{
    const DefaultCase cases[] = {
        {false, "button", "activepictureindex", "-1"},
        {false, "stdbutton", "command", "cmdefault"},
        {false, "animate", "countframes", "1"},
        {false, "animate", "timerinterval", "50"},
        {false, "caption", "fontname", "Arial"},
        {false, "caption", "fontheight", "14"},
        {false, "caption", "alignment", "tacenter"},
        {false, "caption", "animateinterval", "25"},
        {false, "menuitem", "animateinterval", "25"},
        {false, "mainmenubaritem", "fontname", "Arial"},
        {true, "button", "pictureindex", "-1"},
        {true, "button", "maskpictureindex", "-1"},
        {true, "button", "stretchtype", "stfull"},
        {true, "button", "morphkind", "mkdefault"},
        {true, "stdlabel", "activefontcolor", "16711680"},
        {true, "panel", "alignment", "tacenter"},
        {true, "panel", "bgpictureindex", "-1"},
        {true, "controlbar", "itemoffset1", "3"},
        {true, "controlbar", "itemoffset2", "3"},
        {true, "grid", "fixedfontheight", "14"},
        {true, "listbox", "vscrollbarname", "vscrollbar"},
        {true, "listbox", "bothhscrollbarname", "bothhscrollbar"},
        {true, "listbox", "captionfontname", "Arial"},
        {true, "tab", "bgpictureindex", "-1"},
        {true, "combobox", "listboxname", ""},
    };
    const TbsIniFile blank("[x]\r\nunrelated=5\r\n");
    for (const DefaultCase& c : cases) {
        TbsIniFile written;
        if (c.control) {
            auto control = CreateSkinControl(c.typeWord, "x");
            control->LoadFromFile(blank);
            control->SaveToFile(written);
        } else {
            auto object = CreateSkinObject(c.typeWord, "x");
            object->LoadFromFile(blank);
            object->SaveToFile(written);
        }
        EXPECT_EQ(written.ReadString("x", c.key, "<missing>"), c.written) << c.typeWord << " " << c.key;
    }
}

TEST(SkinEntryReading, ValuesComeFromTheSectionNamedByTheEntry)
{
    const TbsIniFile ini("[Close]\r\nCOMMAND=cmclose\r\nDisableSkinRsect=1,2,3,4\r\nskinrect=-5,3,10,20\r\n"
                         "[close]\r\ncommand=cmminimize\r\n"
                         "[other]\r\ncommand=cmmaximize\r\n");
    TbsDataSkinStdButton button("close");
    button.LoadFromFile(ini);
    EXPECT_EQ(button.Command, cmClose);  // first of the repeated sections, keys in any case
    EXPECT_EQ(button.DisableSkinRect, TRect(1, 2, 3, 4));
    EXPECT_EQ(button.SkinRect, TRect(5, 3, 10, 20));
}

TEST(SkinEntryReading, MainMenuBarItemReadsTheCapitalisedDisabledColourKey)
{
    // Keys match without regard to case, so both spellings reach the field.
    for (const char* key : {"unenabledfontColor", "unenabledfontcolor"}) {
        TbsDataSkinMainMenuBarItem item("bar");
        item.LoadFromFile(TbsIniFile(std::string("[bar]\r\n") + key + "=255\r\n"));
        EXPECT_EQ(item.UnEnabledFontColor, 255u) << key;
    }
}

TEST(SkinEntryReading, AnimationNeverMorphs)
{
    TbsDataSkinAnimate animate("spin");
    animate.LoadFromFile(TbsIniFile("[spin]\r\nmorphing=1\r\ncountframes=8\r\n"));
    EXPECT_FALSE(animate.Morphing);
    EXPECT_EQ(animate.CountFrames, 8);

    TbsDataSkinButton button("spin");
    button.LoadFromFile(TbsIniFile("[spin]\r\nmorphing=1\r\n"));
    EXPECT_TRUE(button.Morphing);
}

TEST(SkinEntryReading, MenuItemActiveMarksFallBackToTheirPlainLooks)
{
    TbsDataSkinMenuItem item("mi");
    item.LoadFromFile(TbsIniFile("[mi]\r\ncheckimagerect=1,1,9,9\r\nradioimagerect=10,1,18,9\r\n"
                                 "activeradioimagerect=20,1,28,9\r\n"));
    EXPECT_EQ(item.ActiveCheckImageRect, TRect(1, 1, 9, 9));
    EXPECT_EQ(item.ActiveRadioImageRect, TRect(20, 1, 28, 9));
    EXPECT_TRUE(item.ActiveArrowImageRect.IsNull());
}

TEST(SkinEntryReading, UserObjectReadsOnlyItsPlace)
{
    TbsDataUserObject user("logo");
    user.LoadFromFile(TbsIniFile("[logo]\r\nskinrect=1,2,3,4\r\nhint=Logo\r\nactivepictureindex=2\r\n"));
    EXPECT_EQ(user.SkinRect, TRect(1, 2, 3, 4));
    EXPECT_EQ(user.Hint, "");
    EXPECT_EQ(user.PictureIndex, -1);
}

TEST(WindowSkins, PopupAndHintSectionsReadTheirKeys)
{
    const TbsIniFile ini("[POPUPWINDOW]\r\nwindowpictureindex=3\r\nitemsrect=2,3,179,221\r\n"
                         "stretchtype=stvert\r\n[HINTWINDOW]\r\nfontstyle=fsbold,fsitalic\r\n");
    TbsDataSkinPopupWindow popup;
    popup.LoadFromFile(ini);
    EXPECT_EQ(popup.WindowPictureIndex, 3);
    EXPECT_EQ(popup.MaskPictureIndex, -1);
    EXPECT_EQ(popup.ItemsRect, TRect(2, 3, 179, 221));
    EXPECT_EQ(popup.StretchType, bsstVert);

    TbsDataSkinHintWindow hint;
    hint.LoadFromFile(ini);
    EXPECT_EQ(hint.WindowPictureIndex, -1);
    EXPECT_EQ(hint.FontName, "Arial");
    EXPECT_EQ(hint.FontHeight, 14);
    EXPECT_EQ(hint.FontStyle, TFontStyles(fsBold | fsItalic));
}

}  // namespace
