// What skin objects and control skins read: their defaults, the misspelled keys
// that skins carry, and the fix-ups after reading.
#include "BsIniFile.h"
#include "BsSkinControls.h"
#include "BsSkinObjects.h"

#include <gtest/gtest.h>

namespace {

TEST(SkinEntryTypes, TypeWordsAreCaseSensitive)
{
    ASSERT_NE(CreateSkinObject("button", "x"), nullptr);
    EXPECT_STREQ(CreateSkinObject("menuitem", "x")->TypeWord(), "menuitem");
    EXPECT_EQ(CreateSkinObject("Button", "x"), nullptr);
    EXPECT_EQ(CreateSkinObject("", "x"), nullptr);
    ASSERT_NE(CreateSkinControl("listview", "x"), nullptr);
    EXPECT_STREQ(CreateSkinControl("scrollbar", "x")->TypeWord(), "scrollbar");
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
        { false, "button", "activepictureindex", "-1" },
        { false, "stdbutton", "command", "cmdefault" },
        { false, "animate", "countframes", "1" },
        { false, "animate", "timerinterval", "50" },
        { false, "caption", "fontname", "Arial" },
        { false, "caption", "fontheight", "14" },
        { false, "caption", "alignment", "tacenter" },
        { false, "caption", "animateinterval", "25" },
        { false, "menuitem", "animateinterval", "25" },
        { false, "mainmenubaritem", "fontname", "Arial" },
        { true, "button", "pictureindex", "-1" },
        { true, "button", "maskpictureindex", "-1" },
        { true, "button", "stretchtype", "stfull" },
        { true, "button", "morphkind", "mkdefault" },
        { true, "stdlabel", "activefontcolor", "16711680" },
        { true, "panel", "alignment", "tacenter" },
        { true, "panel", "bgpictureindex", "-1" },
        { true, "controlbar", "itemoffset1", "3" },
        { true, "controlbar", "itemoffset2", "3" },
        { true, "grid", "fixedfontheight", "14" },
        { true, "listbox", "vscrollbarname", "vscrollbar" },
        { true, "listbox", "bothhscrollbarname", "bothhscrollbar" },
        { true, "listbox", "captionfontname", "Arial" },
        { true, "tab", "bgpictureindex", "-1" },
        { true, "combobox", "listboxname", "" },
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
    EXPECT_EQ(button.Command, cmClose); // first of the repeated sections, keys in any case
    EXPECT_EQ(button.DisableSkinRect, TRect(1, 2, 3, 4));
    EXPECT_EQ(button.SkinRect, TRect(5, 3, 10, 20));
}

TEST(SkinEntryReading, MainMenuBarItemReadsTheCapitalisedDisabledColourKey)
{
    // Keys match without regard to case, so both spellings reach the field.
    for (const char* key : { "unenabledfontColor", "unenabledfontcolor" }) {
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

} // namespace
