// Loading, clearing and saving a skin through the skin data component: the
// folder and package forms, the fixed sections and their corrections, the
// picture library, the skin list and hostile input.
#include "TestSkin.h"

#include "BsBitmapFile.h"
#include "BsCompressedStoredSkin.h"
#include "BsIniFile.h"
#include "BsResourceStrData.h"
#include "BsSkinPackage.h"
#include "BsStreams.h"
#include "Bsskindata.h"
#include "Bszlibcompress.h"
#include "Exception.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

using namespace skindatatest;

std::string SavedIni(const TbsSkinData& data)
{
    TbsIniFile ini;
    data.SaveToCustomIniFile(ini);
    return ini.Text();
}

bool SamePixels(const QImage& a, const QImage& b)
{
    return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

void ExpectTestSkinLoaded(const TbsSkinData& data)
{
    EXPECT_FALSE(data.Empty());
    EXPECT_FALSE(data.SkinChanging());
    EXPECT_EQ(data.SkinName, "Test skin");
    EXPECT_EQ(data.SkinAuthor, "Tester");
    EXPECT_EQ(data.Picture.size(), QSize(40, 30));
    EXPECT_TRUE(data.InActivePicture.isNull());
    EXPECT_EQ(data.Mask.size(), QSize(40, 30));
    EXPECT_EQ(data.MaskName, "mask.bmp");
    ASSERT_EQ(data.ActivePictures.size(), 2u);
    EXPECT_EQ(data.ActivePictureNames, (std::vector<std::string> { "lib0.bmp", "lib1.bmp" }));
    EXPECT_EQ(data.ActivePictures[1].size(), QSize(80, 30));
    EXPECT_EQ(data.GetActivePicture(2), nullptr);
    EXPECT_EQ(data.GetActivePicture(-1), nullptr);

    // Unknown type words and an entry without ":" are skipped.
    ASSERT_EQ(data.ObjectList.size(), 3u);
    EXPECT_EQ(data.GetIndex("caption"), 0);
    EXPECT_EQ(data.GetIndex("closebutton"), 1);
    EXPECT_EQ(data.GetIndex("menuitem"), 2);
    EXPECT_EQ(data.GetIndex("glow"), -1);
    EXPECT_EQ(data.GetIndex("Caption"), -1);
    ASSERT_EQ(data.CtrlList.size(), 3u);
    EXPECT_EQ(data.GetControlIndex("listview"), 2);
    EXPECT_EQ(data.GetControlIndex("ListView"), -1);
    EXPECT_EQ(data.GetControlIndex("grid"), -1);

    auto* close = dynamic_cast<TbsDataSkinStdButton*>(data.ObjectList[1].get());
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->Command, cmClose);
    auto* caption = dynamic_cast<TbsDataSkinCaption*>(data.ObjectList[0].get());
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->FontStyle, TFontStyles(fsBold));
    auto* button = dynamic_cast<TbsDataSkinButtonControl*>(data.CtrlList[0].get());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->FontName, "Tahoma");
    EXPECT_EQ(button->SkinRect, TRect(0, 0, 74, 21));
    auto* toolButton = dynamic_cast<TbsDataSkinButtonControl*>(data.CtrlList[1].get());
    ASSERT_NE(toolButton, nullptr);
    EXPECT_EQ(toolButton->FontName, "Arial"); // its own section is missing

    EXPECT_EQ(data.FormMinWidth, 200);
    EXPECT_EQ(data.InActiveEffect, ieDarkness);
    EXPECT_EQ(data.PopupWindow.WindowPictureIndex, 1);
    EXPECT_EQ(data.HintWindow.FontHeight, 12);
    EXPECT_EQ(data.SkinColors.cBtnFace, 15852243u);
    EXPECT_EQ(data.SkinColors.cBtnText, TColor(clBtnText));
}

TEST(SkinDataLoad, FolderAndPackageFormsGiveTheSameSkin)
{
    testsupport::TempDir dir;
    const std::string iniPath = WriteTestSkin(dir.Folder());

    TbsSkinData fromFolder;
    EXPECT_TRUE(fromFolder.Empty());
    fromFolder.LoadFromFile(iniPath);
    ExpectTestSkinLoaded(fromFolder);

    TbsCompressedStoredSkin stored;
    stored.LoadFromIniFile(iniPath);
    TbsSkinData fromPackage;
    fromPackage.SetCompressedStoredSkin(&stored); // assigning loads at once
    ExpectTestSkinLoaded(fromPackage);
    EXPECT_EQ(SavedIni(fromFolder), SavedIni(fromPackage));
}

TEST(SkinDataLoad, AnIniFileThatIsNoSkinChangesNothing)
{
    testsupport::TempDir dir;
    TbsSkinData data;
    data.LoadFromFile(WriteTestSkin(dir.Folder()));
    testsupport::WriteFile(
        dir.File("other.ini"), "[VERSION]\r\n[PICTURES]\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\n");
    data.LoadFromFile(dir.File("other.ini"));
    ExpectTestSkinLoaded(data);
}

struct FormInfoCase {
    const char* name;
    const char* pictures; // [PICTURES] lines
    const char* formInfo; // [FORMINFO] lines
    TRect maskRectArea;
    QPoint hitTestLT, hitTestRB;
    QPoint lt, rt, lb, rb;
};

TEST(SkinDataLoad, FrameValuesAreCorrectedAfterReading)
{
    const char* client = "clientrect=4,29,425,326\r\n";
    const FormInfoCase cases[] = {
        { "no mask: area and hit points stay", "", "lefttoppoint=2,2\r\nrightbottompoint=427,328\r\n",
            TRect(), QPoint(0, 0), QPoint(0, 0), QPoint(4, 29), QPoint(0, 29), QPoint(4, 0),
            QPoint(425, 326) },
        { "mask: null area becomes client rect", "mask=m.bmp\r\n",
            "lefttoppoint=10,40\r\nrighttoppoint=400,40\r\nleftbottompoint=10,300\r\nrightbottompoint=400,"
            "300\r\n"
            "hittestrightbottompoint=5,5\r\n",
            TRect(4, 29, 425, 326), QPoint(10, 40), QPoint(5, 5), QPoint(10, 40), QPoint(400, 40),
            QPoint(10, 300), QPoint(400, 300) },
        { "mask: area widened to hold client rect", "mask=m.bmp\r\n", "maskrectarea=3,30,420,327\r\n",
            TRect(3, 29, 425, 327), QPoint(0, 0), QPoint(0, 0), QPoint(0, 0), QPoint(0, 0), QPoint(0, 0),
            QPoint(0, 0) },
        { "corners sharing an x are not pulled in", "", "lefttoppoint=2,2\r\nrightbottompoint=2,328\r\n",
            TRect(), QPoint(0, 0), QPoint(0, 0), QPoint(2, 2), QPoint(0, 0), QPoint(0, 0), QPoint(2, 328) },
    };
    testsupport::TempDir dir;
    for (const FormInfoCase& c : cases) {
        TbsSkinPackage package;
        package.IniText = std::string("[VERSION]\r\n[PICTURES]\r\n") + c.pictures + "[FORMINFO]\r\n" + client
            + c.formInfo + "[SKINOBJECTS]\r\n[SKINCONTROLS]\r\n";
        TbsCompressedStoredSkin stored;
        stored.LoadFromPackage(package);
        TbsSkinData data;
        data.LoadCompressedStoredSkin(&stored);
        EXPECT_EQ(data.MaskRectArea, c.maskRectArea) << c.name;
        EXPECT_EQ(data.HitTestLTPoint, c.hitTestLT) << c.name;
        EXPECT_EQ(data.HitTestRBPoint, c.hitTestRB) << c.name;
        EXPECT_EQ(data.LTPoint, c.lt) << c.name;
        EXPECT_EQ(data.RTPoint, c.rt) << c.name;
        EXPECT_EQ(data.LBPoint, c.lb) << c.name;
        EXPECT_EQ(data.RBPoint, c.rb) << c.name;
    }
}

TEST(SkinDataSave, ASkinSavedFromLoadedDataReadsBackTheSame)
{
    testsupport::TempDir dir;
    TbsSkinData original;
    original.LoadFromFile(WriteTestSkin(dir.Folder()));

    original.SaveToCompressedFile(dir.File("copy.ure"));
    TbsSkinData copy;
    copy.LoadFromCompressedFile(dir.File("copy.ure"));
    ExpectTestSkinLoaded(copy);
    EXPECT_EQ(SavedIni(copy), SavedIni(original));
    EXPECT_TRUE(SamePixels(copy.Picture, original.Picture));
    EXPECT_TRUE(SamePixels(copy.Mask, original.Mask));
    for (std::size_t i = 0; i < original.ActivePictures.size(); ++i)
        EXPECT_TRUE(SamePixels(copy.ActivePictures[i], original.ActivePictures[i])) << i;

    // The regenerated text: fixed sections first, one empty line after every section.
    TbsCompressedStoredSkin stored;
    stored.LoadFromSkinData(original);
    const std::vector<std::string> lines = SplitLines(stored.ReadPackage().IniText);
    ASSERT_GT(lines.size(), 2u);
    EXPECT_EQ(lines[0], "[VERSION]");
    EXPECT_EQ(lines[1], "ver=1");
    EXPECT_EQ(lines.back(), "");
    int sections = 0;
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (!lines[i].empty() && lines[i][0] == '[') {
            ++sections;
            EXPECT_EQ(lines[i - 1], "") << lines[i];
        }
    EXPECT_EQ(sections, 7 + 3 + 3); // VERSION counted apart; objects and controls one section each
    EXPECT_EQ(TbsIniFile(stored.ReadPackage().IniText).SectionNames(),
        (std::vector<std::string> { "VERSION", "PICTURES", "FORMINFO", "POPUPWINDOW", "HINTWINDOW",
            "SKINCOLORS", "SKINOBJECTS", "caption", "closebutton", "menuitem", "SKINCONTROLS", "button",
            "toolbutton", "listview" }));
}

TEST(SkinDataSave, StoreToDiskWritesTheIniAndEveryPictureUnderItsName)
{
    testsupport::TempDir source;
    TbsSkinData original;
    original.LoadFromFile(WriteTestSkin(source.Folder()));
    original.ActivePictureNames[1] = "../escape.bmp"; // a hostile name stays inside the folder

    testsupport::TempDir target;
    original.StoreToDisk(target.File("saved.ini"));
    for (const char* name : { "saved.ini", "main.bmp", "mask.bmp", "lib0.bmp", "escape.bmp" })
        EXPECT_TRUE(std::filesystem::exists(target.Path() / name)) << name;
    EXPECT_FALSE(std::filesystem::exists(target.Path().parent_path() / "escape.bmp"));

    original.ActivePictureNames[1] = "escape.bmp";
    TbsSkinData reloaded;
    reloaded.LoadFromFile(target.File("saved.ini"));
    EXPECT_EQ(SavedIni(reloaded), SavedIni(original));
    EXPECT_TRUE(SamePixels(reloaded.ActivePictures[1], original.ActivePictures[1]));
}

TEST(SkinDataLibrary, AddAndDeleteKeepPicturesAndNamesTogether)
{
    testsupport::TempDir dir;
    SaveBitmapFile(SolidPicture(5, 6, 0x123456), dir.File("extra.bmp"));
    TbsSkinData data;
    data.AddBitMap(dir.File("extra.bmp"));
    data.AddBitMap(dir.File("extra.bmp"));
    ASSERT_EQ(data.ActivePictures.size(), 2u);
    EXPECT_EQ(data.ActivePictureNames, (std::vector<std::string> { "extra.bmp", "extra.bmp" }));
    EXPECT_EQ(data.ActivePictures[0].size(), QSize(5, 6));

    data.DeleteBitMap(0);
    EXPECT_EQ(data.ActivePictures.size(), 1u);
    EXPECT_EQ(data.ActivePictureNames.size(), 1u);
    EXPECT_THROW(data.DeleteBitMap(1), EListError);
    EXPECT_THROW(data.DeleteBitMap(-1), EListError);
    EXPECT_THROW(data.AddBitMap(dir.File("missing.bmp")), EFOpenError);
    EXPECT_EQ(data.ActivePictures.size(), 1u);
}

TEST(SkinDataLibrary, ListEntriesSplitAtTheFirstColon)
{
    std::string name, type;
    TbsSkinData::GetObjectTypeName("close:std:button", name, type);
    EXPECT_EQ(name, "close");
    EXPECT_EQ(type, "std:button");
    TbsSkinData::GetObjectTypeName("nocolon", name, type);
    EXPECT_EQ(name, "");
    EXPECT_EQ(type, "");
}

TEST(SkinDataHostile, ADamagedSkinLeavesTheLoadedOneInPlace)
{
    testsupport::TempDir dir;
    const std::string iniPath = WriteTestSkin(dir.Folder());
    TbsCompressedStoredSkin good;
    good.LoadFromIniFile(iniPath);
    TbsSkinData data;
    data.LoadCompressedStoredSkin(&good);

    // A package cut inside its picture library.
    const std::string bytes = WriteSkinPackage(good.ReadPackage());
    TMemoryStream cut(bytes.substr(0, bytes.size() / 2)), deflated;
    CompressStream(cut, deflated);
    TbsCompressedStoredSkin truncated;
    truncated.SetCompressedData(deflated.Bytes());
    EXPECT_THROW(data.LoadCompressedStoredSkin(&truncated), Exception);
    ExpectTestSkinLoaded(data);

    // A missing INI file.
    EXPECT_THROW(data.LoadFromFile(dir.File("nowhere.ini")), EFOpenError);
    ExpectTestSkinLoaded(data);

    // A picture named by the INI text that is not there.
    testsupport::WriteFile(dir.File("broken.ini"),
        "[VERSION]\r\n[PICTURES]\r\npicture=absent.bmp\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\n"
        "[SKINCONTROLS]\r\n");
    EXPECT_THROW(data.LoadFromFile(dir.File("broken.ini")), EFOpenError);
    ExpectTestSkinLoaded(data);

    // A list count no skin could mean.
    TbsSkinPackage huge;
    huge.IniText
        = "[VERSION]\r\n[PICTURES]\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\ncount=2000000000\r\n[SKINCONTROLS]\r\n";
    TbsCompressedStoredSkin hugeStored;
    hugeStored.LoadFromPackage(huge);
    EXPECT_THROW(data.LoadCompressedStoredSkin(&hugeStored), EListError);
    ExpectTestSkinLoaded(data);

    // A zlib stream that is not one.
    TbsCompressedStoredSkin garbage;
    garbage.SetCompressedData("not a zlib stream at all");
    EXPECT_THROW(data.LoadCompressedStoredSkin(&garbage), Exception);
    ExpectTestSkinLoaded(data);

    // Negative counts read as no entries.
    TbsSkinPackage negative;
    negative.IniText
        = "[VERSION]\r\n[PICTURES]\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\ncount=-3\r\n[SKINCONTROLS]\r\n";
    TbsCompressedStoredSkin negativeStored;
    negativeStored.LoadFromPackage(negative);
    data.LoadCompressedStoredSkin(&negativeStored);
    EXPECT_FALSE(data.Empty());
    EXPECT_TRUE(data.ObjectList.empty());
}

TEST(SkinDataList, TheChosenEntryIsLoaded)
{
    testsupport::TempDir first, second;
    TbsCompressedSkinList list;
    list.Add().Skin().LoadFromIniFile(WriteTestSkin(first.Folder(), "First"));
    list.Add().Skin().LoadFromIniFile(WriteTestSkin(second.Folder(), "Second"));
    EXPECT_EQ(list.Item(0).Name, "bsSkin0");
    EXPECT_EQ(list.Item(1).Name, "bsSkin1");

    TbsSkinData data;
    data.SetSkinIndex(1); // no list yet: only recorded
    EXPECT_EQ(data.SkinIndex(), 1);
    EXPECT_TRUE(data.Empty());
    data.SetSkinList(&list);
    EXPECT_EQ(data.SkinName, "Second");
    data.SetSkinIndex(0);
    EXPECT_EQ(data.SkinName, "First");
    data.SetSkinIndex(5); // no such entry: refused
    EXPECT_EQ(data.SkinIndex(), 0);
    EXPECT_EQ(data.SkinName, "First");
}

TEST(SkinDataReferences, DestroyedComponentsBecomeNull)
{
    TbsSkinData data;
    auto* list = new TbsCompressedSkinList;
    auto* stored = new TbsCompressedStoredSkin;
    auto* words = new TbsResourceStrData;
    data.SetSkinList(list);
    data.SetCompressedStoredSkin(stored); // empty: loads nothing
    data.SetResourceStrData(words);
    EXPECT_TRUE(data.Empty());
    delete list;
    delete stored;
    delete words;
    EXPECT_EQ(data.SkinList(), nullptr);
    EXPECT_EQ(data.CompressedStoredSkin(), nullptr);
    EXPECT_EQ(data.ResourceStrData(), nullptr);
}

TEST(ResourceStrings, WordsAreFoundWithoutRegardToCase)
{
    TbsResourceStrData words;
    EXPECT_EQ(words.CharSet, 1);
    EXPECT_EQ(words.ResStrings.size(), 130u);
    EXPECT_EQ(words.GetResStr("mi_mincaption"), "Mi&nimize");
    EXPECT_EQ(words.GetResStr("EDIT_SELECTALL"), "Select All");
    EXPECT_EQ(words.GetResStr("RESTORE_HINT"), "");
    EXPECT_EQ(words.GetResStr("NO_SUCH_WORD"), "");
    EXPECT_EQ(words.GetResStr(""), "");

    words.ResStrings = { "A=first", "a=second", "B", "C=x=y", "D", "D=after" };
    EXPECT_EQ(words.GetResStr("A"), "first");
    EXPECT_EQ(words.GetResStr("B"), "");
    EXPECT_EQ(words.GetResStr("d"), "after"); // a line without "=" names nothing
    EXPECT_EQ(words.GetResStr("c"), "x=y");
    EXPECT_EQ(TbsResourceStrData::DefaultResStr("closebutton_hint"), "Close");

    const std::vector<std::string> system = TbsResourceStrData::SystemResStrings();
    ASSERT_EQ(system.size(), 131u);
    EXPECT_EQ(system[11], "MENUBUTTON_HINT=System menu");
    EXPECT_EQ(system[12], "RESTORE_HINT=Restore");
    EXPECT_EQ(system[13], "EDIT_UNDO=Undo");
    EXPECT_EQ(system.back(), "DBNAV_REFRESH=Refresh data");
}

} // namespace
