#include "NuvDynamicMenu.h"
#include "NuvDynamicMenuManager.h"
#include "NuvHistory.h"
#include "NuvTextBookmark.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <QPointer>

#include <memory>

using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

using Texts = std::vector<std::string>;

Texts Captions(const TMenuItem* parent)
{
    Texts captions;
    for (int i = 0; i < parent->Count(); ++i)
        captions.push_back(parent->Items(i)->Caption());
    return captions;
}

Texts Record(const TNuvDynamicMenu& menu)
{
    Texts captions;
    for (int i = 0; i < menu.GetCount(); ++i)
        captions.push_back(menu.GetItem(i) ? menu.GetItem(i)->Caption() : "<destroyed>");
    return captions;
}

Texts Bookmarks(const TNuvTextBookmark& marks)
{
    Texts titles;
    for (int i = 0; i < marks.GetCount(); ++i)
        titles.push_back(marks.GetItem(i)->Title + "@" + marks.GetItem(i)->Pos);
    return titles;
}

// A bookmark list shown in a menu, saved as marks.xml in a folder of its own.
struct BookmarkFile {
    TempDir dir;
    TPopupMenu popup;
    TNuvTextBookmark marks;

    BookmarkFile()
    {
        marks.SetPopupMenu(&popup);
        marks.SetFileName(dir.File("marks.xml"));
    }
};

std::vector<int> Tags(const TMenuItem* parent)
{
    std::vector<int> tags;
    for (int i = 0; i < parent->Count(); ++i)
        tags.push_back(parent->Items(i)->Tag());
    return tags;
}

} // namespace

TEST(DynamicMenu, DeleteTakesAPositionAndMovesTheLastRecordEntry)
{
    TPopupMenu popup;
    TNuvDynamicMenu menu;
    menu.SetPopupMenu(&popup);
    for (const char* caption : { "X", "Y", "Z" })
        menu.Add(caption);
    EXPECT_EQ(Record(menu), (Texts { "X", "Y", "Z" }));
    QPointer<TMenuItem> x = menu.GetItem(0);

    menu.Delete(0);
    EXPECT_EQ(Captions(popup.Items()), (Texts { "Y", "Z" }));
    EXPECT_EQ(Record(menu), (Texts { "Z", "Y" }));
    ASSERT_TRUE(x) << "taken out of the menu, not destroyed";
    EXPECT_EQ(x->parent(), &popup);
    EXPECT_EQ(menu.GetMenuIndex(0), 1);

    menu.Delete(-1);
    EXPECT_THROW(menu.Delete(2), EMenuError);
    EXPECT_EQ(Record(menu), (Texts { "Z", "Y" }));
    EXPECT_THROW(menu.GetMenuIndex(2), EListError);

    menu.Insert("W", 1);
    EXPECT_EQ(Captions(popup.Items()), (Texts { "Y", "W", "Z" }));
    EXPECT_THROW(menu.Insert("V", 4), EMenuError);
    EXPECT_EQ(menu.GetCount(), 3) << "a failed insert records nothing";

    menu.Clear();
    EXPECT_EQ(menu.GetCount(), 0);
    EXPECT_TRUE(Captions(popup.Items()).empty());
}

TEST(DynamicMenu, TheTargetsExcludeEachOther)
{
    TPopupMenu popup;
    TMenuItem parent;
    TNuvDynamicMenu menu;
    menu.SetPopupMenu(&popup);
    menu.SetMenuItem(&parent);
    EXPECT_EQ(menu.PopupMenu(), nullptr);
    TMenuItem* item = menu.Add("under the item");
    EXPECT_EQ(item->Parent(), &parent);
    EXPECT_EQ(item->parent(), &parent) << "owned by the target last set";

    menu.SetPopupMenu(nullptr); // no change: the popup menu is null already
    EXPECT_EQ(menu.MenuItem(), &parent);

    // Without a target the item is made and recorded, and not leaked.
    TNuvDynamicMenu loose;
    TMenuItem* nowhere = loose.Add("nowhere");
    EXPECT_EQ(nowhere->Parent(), nullptr);
    EXPECT_EQ(loose.GetMenuIndex(0), -1);
}

TEST(DynamicMenu, ADestroyedTargetLeavesNoDanglingEntries)
{
    TNuvDynamicMenu menu;
    auto popup = std::make_unique<TPopupMenu>();
    menu.SetPopupMenu(popup.get());
    menu.Add("a");
    menu.Add("b");
    popup.reset();
    EXPECT_EQ(menu.PopupMenu(), nullptr);
    EXPECT_EQ(Record(menu), (Texts { "<destroyed>", "<destroyed>" }));
    EXPECT_EQ(menu.GetMenuIndex(1), -1);
    menu.Clear();
    EXPECT_EQ(menu.GetCount(), 0);
}

TEST(MenuManager, ForgetsADestroyedTargetAndKeepsEachItemsHandler)
{
    auto popup = std::make_unique<TPopupMenu>();
    TNuvTextBookmark marks;
    marks.SetPopupMenu(popup.get());
    Texts clicked;
    marks.SetOnMenuClick([&](QObject*) { clicked.push_back("old"); });
    marks.Add("one", 1);
    marks.Add("two", 2);
    marks.SetOnMenuClick([&](QObject* sender) {
        clicked.push_back("new " + std::to_string(static_cast<TMenuItem*>(sender)->Tag()));
    });
    marks.Add("three", 3);
    for (int i = 0; i < 3; ++i)
        popup->Items()->Items(i)->Click();
    EXPECT_EQ(clicked, (Texts { "old", "old", "new 3" }));

    popup.reset();
    EXPECT_EQ(marks.PopupMenu(), nullptr);
    marks.Add("four", 4); // shown nowhere, and no crash
    EXPECT_EQ(marks.GetCount(), 4);

    auto item = std::make_unique<TMenuItem>();
    marks.SetMenuItem(item.get());
    item.reset();
    EXPECT_EQ(marks.MenuItem(), nullptr);
}

TEST(TextBookmark, SavesInOrderAndLoadsBackWithTags)
{
    BookmarkFile file;
    auto& [dir, popup, marks] = file;
    marks.Add("\xBC\xD7", 10); // GBK title
    marks.Add("b", -3);
    marks.Add("c", 0);
    marks.Save();
    EXPECT_EQ(ReadFile(dir.File("marks.xml")),
        "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<Root>\r\n"
        "\t<Bookmark title=\"\xBC\xD7\" pos=\"10\" />\r\n"
        "\t<Bookmark title=\"b\" pos=\"-3\" />\r\n"
        "\t<Bookmark title=\"c\" pos=\"0\" />\r\n</Root>\r\n");

    TPopupMenu other;
    TNuvTextBookmark again;
    again.SetPopupMenu(&other);
    again.SetFileName(dir.File("marks.xml"));
    again.Load();
    EXPECT_EQ(Bookmarks(again), (Texts { "\xBC\xD7@10", "b@-3", "c@0" }));
    EXPECT_EQ(Captions(other.Items()), (Texts { "\xBC\xD7", "b", "c" }));
    EXPECT_EQ(Tags(other.Items()), (std::vector<int> { 10, -3, 0 }));

    again.Load(); // replaces, does not add
    EXPECT_EQ(again.GetCount(), 3);
    EXPECT_EQ(other.Items()->Count(), 3);
}

TEST(TextBookmark, DeleteAndTheBoundMoveTheLastBookmark)
{
    BookmarkFile file;
    auto& [dir, popup, marks] = file;
    marks.Add("X", 1);
    marks.Add("Y", 2);
    marks.Add("Z", 3);
    marks.Delete(0);
    EXPECT_EQ(Bookmarks(marks), (Texts { "Z@3", "Y@2" }));
    EXPECT_EQ(Captions(popup.Items()), (Texts { "Y", "Z" }));
    marks.Save();
    EXPECT_LT(ReadFile(dir.File("marks.xml")).find("\"Z\""), ReadFile(dir.File("marks.xml")).find("\"Y\""));
    EXPECT_THROW(marks.Delete(2), EListError);
    EXPECT_EQ(marks.GetCount(), 2);

    marks.Clear();
    marks.SetMaxCount(3);
    for (int i = 1; i <= 4; ++i)
        marks.Add(std::to_string(i), i);
    EXPECT_EQ(Bookmarks(marks), (Texts { "3@3", "2@2", "4@4" }));
    EXPECT_EQ(Captions(popup.Items()), (Texts { "2", "3", "4" }));

    // Deleting keeps each bookmark with its own item.
    marks.Delete(1);
    EXPECT_EQ(Bookmarks(marks), (Texts { "3@3", "4@4" }));
    EXPECT_EQ(Captions(popup.Items()), (Texts { "3", "4" }));

    TNuvTextBookmark none;
    none.SetMaxCount(0);
    EXPECT_THROW(none.Add("a", 1), EListError);
    EXPECT_EQ(none.GetCount(), 0);
}

TEST(TextBookmark, LoadCreatesAMissingFileAndReadsEveryChildElement)
{
    TempDir dir;
    TNuvTextBookmark marks;
    marks.SetFileName(dir.File("new.xml"));
    marks.Load();
    EXPECT_EQ(marks.GetCount(), 0);
    EXPECT_EQ(ReadFile(dir.File("new.xml")), "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<Root />\r\n");

    WriteFile(dir.File("other.xml"), "<Root><!-- note --><Mark pos=\"7\" title=\"m\"/></Root>");
    marks.SetFileName(dir.File("other.xml"));
    marks.Load();
    EXPECT_EQ(Bookmarks(marks), (Texts { "m@7" }));
}

TEST(TextBookmark, BadFilesRaiseAndKeepTheFile)
{
    BookmarkFile file;
    auto& [dir, popup, marks] = file;

    const std::string noTitle = "<Root><Bookmark title=\"a\" pos=\"1\"/><Bookmark pos=\"2\"/></Root>";
    WriteFile(dir.File("marks.xml"), noTitle);
    EXPECT_THROW(marks.Load(), EConvertError);
    EXPECT_EQ(Bookmarks(marks), (Texts { "a@1" })) << "the bookmarks before stay";

    WriteFile(dir.File("marks.xml"),
        "<Root><Bookmark title=\"a\" pos=\"x1\"/><Bookmark title=\"b\" pos=\"2\"/></Root>");
    EXPECT_THROW(marks.Load(), EConvertError);
    EXPECT_EQ(Bookmarks(marks), (Texts { "a@x1" }));
    EXPECT_EQ(Tags(popup.Items()), (std::vector<int> { 0 }));

    const std::string damaged = "<Root><Bookmark title=\"a\" pos=\"1\"></Root>";
    WriteFile(dir.File("marks.xml"), damaged);
    EXPECT_THROW(marks.Load(), EDOMParseError);
    EXPECT_EQ(ReadFile(dir.File("marks.xml")), damaged);
    EXPECT_EQ(Bookmarks(marks), (Texts { "a@x1" })) << "a damaged file changes nothing";
}

// A bookmark file in any shape a person or another program may have saved:
// it reads right, or it raises and the file, the document and the list stay
// as they were. No byte is read as a stand-in "?".
TEST(TextBookmark, EveryEncodingReadsRightOrRaisesAndChangesNothing)
{
    const std::string jiaGbk = "\xBC\xD7"; // 甲
    const std::string jiaUtf8 = "\xE7\x94\xB2";
    const std::string gb2312 = "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n";
    const std::string utf8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
    const auto root = [](const std::string& title) {
        return "<Root>\r\n\t<Bookmark title=\"" + title + "\" pos=\"7\" />\r\n</Root>\r\n";
    };
    std::string utf16 = "\xFF\xFE";
    for (const char16_t unit :
        u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><Root><b title=\"\u7532\" pos=\"7\"/></Root>")
        if (unit != 0)
            utf16 += { static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8) };
    struct Case {
        const char* what;
        std::string bytes;
        std::string title; // GBK; empty: loading raises
    } const cases[] = {
        { "GBK as declared", gb2312 + root(jiaGbk), jiaGbk },
        { "a blank line before the declaration", "\r\n" + gb2312 + root(jiaGbk), jiaGbk },
        { "a blank before the declaration", " " + gb2312 + root(jiaGbk), jiaGbk },
        { "a comment before the declaration", "<!-- kept by hand -->\r\n" + gb2312 + root(jiaGbk), jiaGbk },
        { "UTF-8 byte-order mark", "\xEF\xBB\xBF" + utf8 + root(jiaUtf8), jiaGbk },
        { "UTF-16 byte-order mark", utf16, jiaGbk },
        { "no declaration, UTF-8", root(jiaUtf8), jiaGbk },
        { "euro sign, old and new bytes", gb2312 + root("\x80\xA2\xE3"), "\xA2\xE3\xA2\xE3" },
        { "no declaration, GBK bytes", root(jiaGbk), "" },
        { "UTF-8 declared, GBK bytes", utf8 + root(jiaGbk), "" },
        { "GB2312 declared, a four-byte GB18030 code", gb2312 + root("\x81\x30\x81\x30"), "" },
        { "GB2312 declared, a byte that starts nothing", gb2312 + root("a\xFF"), "" },
        { "GB2312 declared after a comment, UTF-8 bytes", "<!-- x -->" + gb2312 + root("\xE2\x82\xAC"), "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BookmarkFile file;
        auto& [dir, popup, marks] = file;
        marks.Add("kept", 1);
        marks.Save();
        marks.Load();
        WriteFile(dir.File("marks.xml"), c.bytes);
        if (c.title.empty()) {
            EXPECT_THROW(marks.Load(), EDOMParseError);
            EXPECT_EQ(ReadFile(dir.File("marks.xml")), c.bytes);
            EXPECT_EQ(Bookmarks(marks), Texts { "kept@1" });
            EXPECT_EQ(Captions(popup.Items()), Texts { "kept" });
            marks.Save(); // the document was left as it was, too
            marks.Load();
            EXPECT_EQ(Bookmarks(marks), Texts { "kept@1" });
        } else {
            marks.Load();
            EXPECT_EQ(Bookmarks(marks), Texts { c.title + "@7" });
            marks.Save();
            marks.Load();
            EXPECT_EQ(Bookmarks(marks), Texts { c.title + "@7" }) << "saved and read back";
        }
    }
}

TEST(TextBookmark, ATitleThatGbkCannotHoldIsRefusedNotReadAsQuestionMarks)
{
    BookmarkFile file;
    auto& [dir, popup, marks] = file;
    WriteFile(dir.File("marks.xml"),
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Root><Bookmark title=\"a\" pos=\"1\"/>"
        "<Bookmark title=\"\xF0\x9F\x98\x80\" pos=\"2\"/></Root>");
    EXPECT_THROW(marks.Load(), EConvertError);
    EXPECT_EQ(Bookmarks(marks), Texts { "a@1" }) << "the bookmarks before stay";
}

TEST(History, KeepsTheLastEntriesInListAndMenu)
{
    TPopupMenu popup;
    TNuvHistory history;
    history.SetPopupMenu(&popup);
    history.SetMaxCount(3);
    for (const char* s : { "a", "b", "c", "d" })
        history.AddMenu(s);
    EXPECT_EQ(history.Entries(), (Texts { "b", "c", "d" }));
    EXPECT_EQ(Captions(popup.Items()), (Texts { "b", "c", "d" }));
    history.AddMenu("e");
    history.AddMenu("e");
    EXPECT_EQ(history.Entries(), (Texts { "d", "e", "e" }));
    EXPECT_EQ(Captions(popup.Items()), (Texts { "d", "e", "e" }));

    history.SetMaxCount(1);
    history.AddMenu("f"); // one entry removed per use
    EXPECT_EQ(history.Entries(), (Texts { "e", "e", "f" }));

    TNuvHistory unbounded;
    EXPECT_THROW(unbounded.AddMenu("a"), EListError);
    EXPECT_TRUE(unbounded.Entries().empty());
}

TEST(History, LoadKeepsTheLastLinesAndRewritesTheFile)
{
    TempDir dir;
    TMenuItem recent;
    TNuvHistory history;
    history.SetMenuItem(&recent);
    history.SetMaxCount(3);
    history.SetFileName(dir.File("history.txt"));

    history.Load(); // no file: nothing changes, nothing is written
    EXPECT_TRUE(history.Entries().empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("history.txt")));

    WriteFile(dir.File("history.txt"), "one\r\ntwo\nthree\r\rfive\n");
    history.Load();
    history.Load();
    EXPECT_EQ(history.Entries(), (Texts { "three", "", "five" }));
    EXPECT_EQ(Captions(&recent), (Texts { "three", "", "five" }));
    EXPECT_EQ(ReadFile(dir.File("history.txt")), "three\r\n\r\nfive\r\n");

    WriteFile(dir.File("history.txt"), "last line without end");
    history.Load();
    EXPECT_EQ(history.Entries(), (Texts { "last line without end" }));
    EXPECT_EQ(Captions(&recent), (Texts { "last line without end" }));

    history.SetFileName(dir.File("no/such/folder/history.txt"));
    EXPECT_THROW(history.Save(), EFCreateError);
}
