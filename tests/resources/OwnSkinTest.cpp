// The program's own skin, loaded the way the program loads it: through the
// skin module from the bytes built into the executable. These tests pin the
// sizes the windows are laid out by and catch drift between the painted
// pictures and the rectangles of the INI text.

#include "OwnSkinFixture.h"
#include "SkinCtrlDM.h"
#include "StoredSkin.h"

#include "BsCompressedStoredSkin.h"
#include "BsResourceStrData.h"
#include "BsSkinControls.h"
#include "BsSkinObjects.h"
#include "Bsskindata.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstring>
#include <memory>
#include <string>

// Rects print as the INI text writes them.
std::ostream& operator<<(std::ostream& os, const TRect& r)
{
    return os << r.Left << ',' << r.Top << ',' << r.Right << ',' << r.Bottom;
}

namespace {

class OwnSkin : public OwnSkinFixture {
protected:
    // A look rect must be a non-empty piece of its picture.
    static void ExpectInside(const TRect& look, const QImage& picture, const std::string& what)
    {
        EXPECT_FALSE(look.IsEmpty()) << what << " is empty";
        EXPECT_TRUE(look.Left >= 0 && look.Top >= 0 && look.Right <= picture.width()
            && look.Bottom <= picture.height())
            << what << " " << look << " lies outside its " << picture.width() << "x" << picture.height()
            << " picture";
    }
};

TEST(OwnSkinFile, EmbeddedBytesAreACompressedSkinFileOfVersion3)
{
    const std::string_view bytes = StoredSkinFileBytes();
    ASSERT_GT(bytes.size(), 8u);
    std::int32_t version = 0, length = 0;
    std::memcpy(&version, bytes.data(), 4);
    std::memcpy(&length, bytes.data() + 4, 4);
    EXPECT_EQ(version, 3);
    EXPECT_EQ(static_cast<std::size_t>(length), bytes.size() - 8);
}

TEST_F(OwnSkin, ModuleHoldsTheLoadedSkinAndTheProgramsWords)
{
    EXPECT_FALSE(Skin().Empty());
    EXPECT_FALSE(Skin().SkinChanging());
    EXPECT_TRUE(Skin().SkinnableForm());
    EXPECT_TRUE(Skin().EnableSkinEffects());
    EXPECT_EQ(Skin().SkinIndex(), 0);
    EXPECT_EQ(Skin().CompressedStoredSkin(), Module().bsCompressedStoredSkin1);
    EXPECT_EQ(Skin().ResourceStrData(), Module().bsResourceStrData1);
    EXPECT_EQ(Module().bsCompressedStoredSkin1->CompressedFileName(), "Vadar2.ure");

    const TbsResourceStrData& words = *Module().bsResourceStrData1;
    EXPECT_EQ(words.CharSet, 134);
    EXPECT_EQ(words.ResStrings.size(), 131u);
    EXPECT_EQ(words.GetResStr("MI_CLOSECAPTION"), "&Close");
    EXPECT_EQ(words.GetResStr("RESTORE_HINT"), "Restore");
}

TEST_F(OwnSkin, CountsMatchTheSkinTheWindowsWereLaidOutFor)
{
    EXPECT_EQ(Skin().ActivePictures.size(), 16u);
    EXPECT_EQ(Skin().ObjectList.size(), 11u);
    EXPECT_EQ(Skin().CtrlList.size(), 60u);
    EXPECT_EQ(Skin().GetControlIndex("listview"), 45);
    EXPECT_EQ(Skin().GetControlIndex("ListView"), -1);
}

TEST_F(OwnSkin, FrameHasTheFiguresOfTheWindowLayouts)
{
    EXPECT_EQ(Skin().Picture.size(), QSize(429, 330));
    EXPECT_TRUE(Skin().InActivePicture.isNull());
    EXPECT_EQ(Skin().ClRect, TRect(4, 29, 425, 326));
    EXPECT_EQ(Skin().MaskRectArea, TRect(3, 3, 426, 327));
    EXPECT_EQ(Skin().FormMinWidth, 200);
    EXPECT_EQ(Skin().BGPictureIndex, -1);
    EXPECT_TRUE(Skin().StretchEffect);
    EXPECT_EQ(Skin().StretchType, bsstHorz);
    // The frame height without client area, the rolled-up height of a window.
    EXPECT_EQ(Skin().Picture.height() - Skin().ClRect.Height(), 33);

    // The corner points must leave the caption object spanning the left-top
    // and right-top corners, so that it grows with the window's width.
    const auto& caption = Object<TbsDataSkinCaption>("caption");
    EXPECT_LT(caption.SkinRect.Left, Skin().LTPoint.x());
    EXPECT_LT(caption.SkinRect.Top, Skin().LTPoint.y());
    EXPECT_GE(caption.SkinRect.Right, Skin().RTPoint.x());
    EXPECT_LE(caption.SkinRect.Bottom, Skin().RTPoint.y());
}

TEST_F(OwnSkin, MaskRoundsOnlyTheTopCorners)
{
    const QImage& mask = Skin().Mask;
    ASSERT_EQ(mask.size(), QSize(429, 330));
    auto inside = [&](int x, int y) { return qGray(mask.pixel(x, y)) < 128; };
    EXPECT_FALSE(inside(0, 0));
    EXPECT_FALSE(inside(428, 0));
    EXPECT_FALSE(inside(2, 0));
    EXPECT_TRUE(inside(214, 0));
    EXPECT_TRUE(inside(214, 165));
    EXPECT_TRUE(inside(0, 329));
    EXPECT_TRUE(inside(428, 329));
    // Everything the frame treats as wholly inside must be inside the mask.
    for (int y = Skin().MaskRectArea.Top; y < Skin().MaskRectArea.Bottom; y += 7)
        for (int x = Skin().MaskRectArea.Left; x < Skin().MaskRectArea.Right; x += 7)
            ASSERT_TRUE(inside(x, y)) << x << "," << y;
}

TEST_F(OwnSkin, CaptionTextIsArialBoldAtTheQuotedPlace)
{
    const auto& caption = Object<TbsDataSkinCaption>("caption");
    EXPECT_EQ(caption.SkinRect, TRect(7, 5, 423, 27));
    EXPECT_EQ(caption.TextRect, TRect(5, 0, 411, 19));
    EXPECT_EQ(caption.FontName, "Arial");
    EXPECT_EQ(caption.FontHeight, 14);
    EXPECT_EQ(caption.FontStyle, TFontStyles(fsBold));
    EXPECT_EQ(caption.ActiveFontColor, 0u);
    EXPECT_EQ(caption.FontColor, 12033930u);
    EXPECT_EQ(caption.Alignment, taLeftJustify);
}

TEST_F(OwnSkin, OneCaptionButtonPerCommandWithEveryLook)
{
    const struct {
        const char* name;
        TbsStdCommand command;
        bool restoreLooks;
    } buttons[] = {
        { "closebutton", cmClose, false },
        { "maxbutton", cmMaximize, true },
        { "minbutton", cmMinimize, true },
        { "rollupbutton", cmRollUp, true },
        { "sysmenubutton", cmSysMenu, false },
        { "traybutton", cmMinimizeToTray, false },
    };
    for (const auto& expected : buttons) {
        SCOPED_TRACE(expected.name);
        const auto& button = Object<TbsDataSkinStdButton>(expected.name);
        EXPECT_STREQ(button.TypeWord(), "stdbutton");
        EXPECT_EQ(button.Command, expected.command);
        EXPECT_TRUE(button.SkinRectInAPicture);
        const QImage& picture = Library(button.PictureIndex);
        // Every look is drawn into the button's place, so all share its size.
        TRect looks[] = { button.SkinRect, button.ActiveSkinRect, button.DownRect, button.InActiveSkinRect,
            button.DisableSkinRect };
        if (expected.restoreLooks) {
            const TRect restore[] = { button.RestoreRect, button.RestoreActiveRect, button.RestoreDownRect,
                button.RestoreInActiveRect };
            for (const TRect& look : restore) {
                ExpectInside(look, picture, "restore look");
                EXPECT_EQ(look.Width(), button.SkinRect.Width());
                EXPECT_EQ(look.Height(), button.SkinRect.Height());
            }
        }
        for (const TRect& look : looks) {
            ExpectInside(look, picture, "look");
            EXPECT_EQ(look.Width(), button.SkinRect.Width());
            EXPECT_EQ(look.Height(), button.SkinRect.Height());
        }
        // Buttons stand in the caption rect, which places their row.
        EXPECT_LE(button.SkinRect.Height(), Skin().CaptionRect.Height());
    }
}

TEST_F(OwnSkin, CaptionButtonBacksMatchTheCaptionBandTheyStandOn)
{
    // The row of buttons starts at the caption rect's top; a normal button
    // look must repeat the band's colours there or it shows as a patch.
    const auto& close = Object<TbsDataSkinStdButton>("closebutton");
    const QImage& picture = Library(close.PictureIndex);
    const int column = close.SkinRect.Left + 1; // left of the glyph
    for (int y = 0; y < close.SkinRect.Height(); ++y)
        EXPECT_EQ(picture.pixel(column, close.SkinRect.Top + y),
            Skin().Picture.pixel(200, Skin().CaptionRect.Top + y))
            << "row " << y;
}

TEST_F(OwnSkin, PopupMenuFiguresGiveTheQuotedWindowSizes)
{
    const TbsDataSkinPopupWindow& popup = Skin().PopupWindow;
    const QImage& window = Library(popup.WindowPictureIndex);
    EXPECT_EQ(window.size(), QSize(182, 224));
    EXPECT_EQ(popup.ItemsRect, TRect(2, 3, 179, 221));
    EXPECT_EQ(Library(popup.MaskPictureIndex).size(), window.size());

    const auto& item = Object<TbsDataSkinMenuItem>("menuitem");
    EXPECT_EQ(item.SkinRect.Width(), 63);
    EXPECT_EQ(item.SkinRect.Height(), 20);
    EXPECT_EQ(item.TextRect.Width(), 38);
    EXPECT_EQ(item.DividerRect.Height(), 2);
    // A menu is 70 pixels wider than its widest text (2 + 19 + 19 of the
    // engine) and 6 pixels taller than its items.
    EXPECT_EQ(window.width() - popup.ItemsRect.Width() + item.SkinRect.Width() - item.TextRect.Width(), 30);
    EXPECT_EQ(window.height() - popup.ItemsRect.Height(), 6);

    const QImage& items = Library(item.PictureIndex);
    const std::pair<TRect, const char*> looks[] = {
        { item.SkinRect, "skinrect" },
        { item.ActiveSkinRect, "activeskinrect" },
        { item.DividerRect, "dividerrect" },
        { item.CheckImageRect, "checkimagerect" },
        { item.ActiveCheckImageRect, "activecheckimagerect" },
        { item.RadioImageRect, "radioimagerect" },
        { item.ActiveRadioImageRect, "activeradioimagerect" },
        { item.ArrowImageRect, "arrowimagerect" },
        { item.ActiveArrowImageRect, "activearrowimagerect" },
    };
    for (const auto& [look, name] : looks)
        ExpectInside(look, items, name);
}

TEST_F(OwnSkin, EveryEntryTheWindowsLookUpHasTheRightType)
{
    const std::pair<const char*, const char*> entries[] = {
        { "panel", "panel" },
        { "button", "button" },
        { "resizetoolbutton", "button" },
        { "resizebutton", "button" },
        { "combobutton", "button" },
        { "editbutton", "button" },
        { "stdlabel", "stdlabel" },
        { "label", "label" },
        { "menuheader", "label" },
        { "listview", "listview" },
        { "listbox", "listbox" },
        { "vscrollbar", "scrollbar" },
        { "hscrollbar", "scrollbar" },
        { "bothhscrollbar", "scrollbar" },
        { "edit", "edit" },
        { "combobox", "combobox" },
        { "tab", "tab" },
        { "updown", "updown" },
        { "statusbar", "panel" },
        { "toolbutton", "button" },
        { "buttonedit", "edit" },
    };
    for (const auto& [name, type] : entries) {
        const int index = Skin().GetControlIndex(name);
        ASSERT_GE(index, 0) << name;
        EXPECT_STREQ(Skin().CtrlList[index]->TypeWord(), type) << name;
    }
    // Names one entry gives for another must resolve too.
    const auto& listbox = Control<TbsDataSkinListBox>("listbox");
    for (const std::string& bar :
        { listbox.VScrollBarName, listbox.HScrollBarName, listbox.BothScrollBarName })
        EXPECT_NO_THROW(Control<TbsDataSkinScrollBarControl>(bar)) << bar;
    EXPECT_NO_THROW(Control<TbsDataSkinListBox>(Control<TbsDataSkinComboBox>("combobox").ListBoxName));
    EXPECT_NO_THROW(Control<TbsDataSkinUpDownControl>(Control<TbsDataSkinTabControl>("tab").UpDown));
    const auto& bar = Control<TbsDataSkinMainMenuBar>("mainmenubar");
    EXPECT_NO_THROW(Object<TbsDataSkinMainMenuBarItem>(bar.MenuBarItem));
    EXPECT_NO_THROW(Object<TbsDataSkinMainMenuBarButton>(bar.CloseButton));
}

TEST_F(OwnSkin, ButtonsHaveFiveLooksOfOneSize)
{
    for (const char* name : { "button", "toolbutton" }) {
        SCOPED_TRACE(name);
        const auto& button = Control<TbsDataSkinButtonControl>(name);
        const QImage& picture = Library(button.PictureIndex);
        for (const TRect& look : { button.SkinRect, button.ActiveSkinRect, button.DownSkinRect,
                 button.FocusedSkinRect, button.DisabledSkinRect }) {
            ExpectInside(look, picture, "button look");
            EXPECT_EQ(look.Width(), 74);
            EXPECT_EQ(look.Height(), 21);
        }
        // Nine-piece: a button keeps any size it is given.
        EXPECT_NE(button.RBPoint.x(), 0);
        EXPECT_NE(button.RBPoint.y(), 0);
    }
    const auto& button = Control<TbsDataSkinButtonControl>("button");
    EXPECT_EQ(button.FontColor, 0u);
    EXPECT_EQ(button.DownFontColor, 0u);
    EXPECT_EQ(button.DisabledFontColor, 12632256u);
    EXPECT_FALSE(button.Morphing);

    const auto& header = Control<TbsDataSkinButtonControl>("resizetoolbutton");
    EXPECT_EQ(header.SkinRect.Width(), 40);
    EXPECT_EQ(header.SkinRect.Height(), 39);
    EXPECT_TRUE(header.LeftStretch && header.TopStretch && header.RightStretch && header.BottomStretch);
    ExpectInside(header.DownSkinRect, Library(header.PictureIndex), "pressed header");
}

TEST_F(OwnSkin, TextControlsHaveTheQuotedFiguresAndColours)
{
    const auto& edit = Control<TbsDataSkinEditControl>("edit");
    EXPECT_EQ(edit.SkinRect.Width(), 57);
    EXPECT_EQ(edit.SkinRect.Height(), 19);
    EXPECT_EQ(edit.ClRect, TRect(2, 2, 55, 17));
    EXPECT_EQ(edit.LTPoint, QPoint(4, 10));
    EXPECT_EQ(edit.RTPoint, QPoint(51, 11));
    EXPECT_EQ(edit.RBPoint, QPoint(0, 0)); // width-only: the skin fixes the height
    EXPECT_EQ(edit.FontColor, 0u);
    EXPECT_EQ(edit.DisabledFontColor, 8421504u);
    ExpectInside(edit.ActiveSkinRect, Library(edit.PictureIndex), "active edit");

    const auto& listbox = Control<TbsDataSkinListBox>("listbox");
    EXPECT_EQ(listbox.SkinRect.Width(), 59);
    EXPECT_EQ(listbox.SkinRect.Height(), 52);
    EXPECT_EQ(listbox.SkinRect.Height() - listbox.ClRect.Height(), 4);
    for (const TRect& item : { listbox.ItemRect, listbox.ActiveItemRect, listbox.FocusItemRect }) {
        ExpectInside(item, Library(listbox.PictureIndex), "list item");
        EXPECT_EQ(item.Width(), 54);
        EXPECT_EQ(item.Height(), 19);
    }

    const auto& combo = Control<TbsDataSkinComboBox>("combobox");
    for (const TRect& look : { combo.SkinRect, combo.ActiveSkinRect, combo.ItemRect, combo.FocusItemRect,
             combo.ActiveButtonRect, combo.DownButtonRect, combo.UnEnabledButtonRect })
        ExpectInside(look, Library(combo.PictureIndex), "combo look");
    EXPECT_EQ(combo.FocusItemRect.Height(), combo.ClRect.Height());

    const auto& listview = Control<TbsDataSkinListView>("listview");
    EXPECT_EQ(listview.FontName, "Arial");
    EXPECT_EQ(listview.FontHeight, 14);
    EXPECT_EQ(listview.FontColor, 0u);
    EXPECT_EQ(listview.BGColor, 16777215u);

    const auto& label = Control<TbsDataSkinStdLabelControl>("stdlabel");
    EXPECT_EQ(label.FontName, "Arial");
    EXPECT_EQ(label.FontHeight, 14);
    EXPECT_EQ(label.FontColor, 0u);
    EXPECT_EQ(label.ActiveFontColor, 14331392u);
}

TEST_F(OwnSkin, ScrollBarsResizeAlongTheirLengthOnly)
{
    const struct {
        const char* name;
        int width, height;
        bool vertical;
    } bars[] = { { "hscrollbar", 64, 15, false }, { "vscrollbar", 15, 64, true },
        { "bothhscrollbar", 79, 15, false } };
    for (const auto& expected : bars) {
        SCOPED_TRACE(expected.name);
        const auto& bar = Control<TbsDataSkinScrollBarControl>(expected.name);
        EXPECT_EQ(bar.SkinRect.Width(), expected.width);
        EXPECT_EQ(bar.SkinRect.Height(), expected.height);
        EXPECT_EQ(bar.RBPoint, QPoint(0, 0));
        if (expected.vertical) {
            EXPECT_EQ(bar.RTPoint, QPoint(0, 0));
            EXPECT_NE(bar.LBPoint.y(), 0);
        } else {
            EXPECT_NE(bar.RTPoint.x(), 0);
            // The up button moves with the width only when it lies right of the split.
            EXPECT_GT(bar.UpButtonRect.Left, bar.RTPoint.x());
        }
        const QImage& picture = Library(bar.PictureIndex);
        for (const TRect& look :
            { bar.SkinRect, bar.ThumbRect, bar.ActiveThumbRect, bar.DownThumbRect, bar.ActiveUpButtonRect,
                bar.DownUpButtonRect, bar.ActiveDownButtonRect, bar.DownDownButtonRect })
            ExpectInside(look, picture, "scroll bar look");
    }
}

TEST_F(OwnSkin, TabsAreOnePixelTallerWhenActiveAndHaveNoHoverLook)
{
    const auto& tab = Control<TbsDataSkinTabControl>("tab");
    EXPECT_EQ(tab.TabRect.Width(), 59);
    EXPECT_EQ(tab.TabRect.Height(), 18);
    EXPECT_EQ(tab.ActiveTabRect.Height(), 19);
    EXPECT_EQ(tab.FocusTabRect.Height(), 19);
    EXPECT_TRUE(tab.MouseInTabRect.IsNull());
    EXPECT_EQ(tab.ClRect.Left, 2); // a 2-pixel page frame
    const QImage& picture = Library(tab.PictureIndex);
    for (const TRect& look : { tab.SkinRect, tab.TabRect, tab.ActiveTabRect, tab.FocusTabRect })
        ExpectInside(look, picture, "tab look");
}

TEST_F(OwnSkin, SurvivesASaveAndReloadThroughACompressedFile)
{
    testsupport::TempDir dir;
    const std::string path = dir.File("copy.ure");
    Skin().SaveToCompressedFile(path);

    TbsSkinData copy;
    copy.LoadFromCompressedFile(path);
    ASSERT_FALSE(copy.Empty());
    EXPECT_EQ(copy.ActivePictures.size(), Skin().ActivePictures.size());
    EXPECT_EQ(copy.CtrlList.size(), Skin().CtrlList.size());
    EXPECT_EQ(copy.ObjectList.size(), Skin().ObjectList.size());
    EXPECT_EQ(copy.Picture, Skin().Picture);
    EXPECT_EQ(copy.ClRect, Skin().ClRect);
    EXPECT_EQ(copy.MaskRectArea, Skin().MaskRectArea);
    EXPECT_EQ(copy.GetControlIndex("listview"), 45);
}

} // namespace
