#include "NuvXmlFile.h"

#include "NuvCodePage.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

const std::string Declaration = "<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n";
// "甲" in GBK.
const std::string Jia = "\xBC\xD7";

void AddBookmark(TNuvXmlFile& xml, const std::string& title, const std::string& pos)
{
    pugi::xml_node node = xml.GetRootNode().append_child("Bookmark");
    node.append_attribute("title").set_value(nuv::AnsiToUtf8(title).c_str());
    node.append_attribute("pos").set_value(pos.c_str());
}

} // namespace

TEST(XmlFile, LoadCreatesAMissingFileWithAnEmptyRoot)
{
    TempDir dir;
    TNuvXmlFile xml;
    xml.FileName = dir.File("new.xml");
    xml.RootName = "Data"; // a new document's root
    xml.Load();
    EXPECT_EQ(ReadFile(xml.FileName), Declaration + "<Data />\r\n");
    EXPECT_EQ(xml.RootName, "Data");
    EXPECT_EQ(xml.Encoding, "GB2312");
    EXPECT_EQ(xml.Version, "1.0");
}

TEST(XmlFile, SavesTheLayoutInGbkAndReadsItBack)
{
    TempDir dir;
    TNuvXmlFile xml;
    xml.FileName = dir.File("marks.xml");
    xml.InitXMLDoc();
    AddBookmark(xml, Jia + "<1> & \"2\"", "10");
    AddBookmark(xml, "b", "-3");
    xml.Save();

    const std::string expected = Declaration + "<Root>\r\n" + "\t<Bookmark title=\"" + Jia
        + "&lt;1> &amp; &quot;2&quot;\" pos=\"10\" />\r\n" + "\t<Bookmark title=\"b\" pos=\"-3\" />\r\n"
        + "</Root>\r\n";
    EXPECT_EQ(ReadFile(xml.FileName), expected);

    TNuvXmlFile again;
    again.FileName = xml.FileName;
    again.Load();
    const pugi::xml_node first = again.GetRootNode().first_child();
    EXPECT_EQ(nuv::Utf8ToAnsi(first.attribute("title").value()), Jia + "<1> & \"2\"");
    EXPECT_STREQ(first.next_sibling().attribute("pos").value(), "-3");
    WriteFile(xml.FileName, "");
    again.Save();
    EXPECT_EQ(ReadFile(xml.FileName), expected);
}

TEST(XmlFile, LoadTakesOverTheDeclarationAndInitKeepsTheRoot)
{
    TempDir dir;
    TNuvXmlFile xml;
    xml.FileName = dir.File("data.xml");
    WriteFile(xml.FileName,
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Data>\n  <x a=\"\xE4\xB8\xAD\"/>\n</Data>\n");
    xml.Load();
    EXPECT_EQ(xml.RootName, "Data");
    EXPECT_EQ(xml.Encoding, "UTF-8");
    EXPECT_EQ(nuv::Utf8ToAnsi(xml.GetRootNode().first_child().attribute("a").value()), "\xD6\xD0");

    xml.InitXMLDoc();
    xml.Save();
    EXPECT_EQ(ReadFile(xml.FileName), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Data />\r\n");
}

TEST(XmlFile, AMissingFileWithoutAutoCreateIsNotFound)
{
    TempDir dir;
    TNuvXmlFile xml;
    xml.AutoCreate = false;
    xml.FileName = dir.File("x.xml");
    try {
        xml.Load();
        ADD_FAILURE() << "no error";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.Message(), xml.FileName + " \xC3\xBB\xD5\xD2\xB5\xBD");
    }
    struct stat info { };
    EXPECT_NE(::stat(xml.FileName.c_str(), &info), 0);
}

TEST(XmlFile, ADamagedFileRaisesAndChangesNothing)
{
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        { "not well-formed", "<?xml version=\"1.0\"?><Root><a></Root>" },
        { "empty", "" },
        { "no element", "<?xml version=\"1.0\"?>\r\n" },
        { "bytes that are no GBK", "<?xml version=\"1.0\" encoding=\"GB2312\"?><Root a=\"\x81\x20\"/>" },
        { "unknown encoding", "<?xml version=\"1.0\" encoding=\"X-NONE\"?><Root/>" },
        { "two roots", "<Root/><Root/>" },
        { "text outside the root", "<Root/>text" },
    };
    TempDir dir;
    for (const auto& c : cases) {
        TNuvXmlFile xml;
        xml.FileName = dir.File("bad.xml");
        xml.InitXMLDoc();
        AddBookmark(xml, "kept", "1");
        WriteFile(xml.FileName, c.bytes);
        EXPECT_THROW(xml.Load(), EDOMParseError) << c.what;
        EXPECT_EQ(ReadFile(xml.FileName), c.bytes) << c.what;
        EXPECT_EQ(xml.Encoding, "GB2312") << c.what;
        EXPECT_EQ(xml.RootName, "Root") << c.what;
        EXPECT_STREQ(xml.GetRootNode().first_child().attribute("title").value(), "kept") << c.what;
    }
}

TEST(XmlFile, AFailedSaveLeavesTheFileAsItWas)
{
    TempDir dir;
    TNuvXmlFile xml;
    xml.FileName = dir.File("keep.xml");
    WriteFile(xml.FileName, "old");
    xml.InitXMLDoc();
    // A character GBK lacks cannot be written in the declared encoding.
    xml.GetRootNode().append_child("x").append_attribute("a").set_value("\xF0\x9F\x98\x80");
    EXPECT_THROW(xml.Save(), EWriteError);
    EXPECT_EQ(ReadFile(xml.FileName), "old");

    xml.FileName = dir.File("no/such/folder.xml");
    xml.InitXMLDoc();
    EXPECT_THROW(xml.Save(), EFCreateError);
}

TEST(CreateXmlFile, WritesThreeLinesAsGiven)
{
    TempDir dir;
    WriteFile(dir.File("c.xml"), "something longer than the new content");
    nuv::CreateXmlFile(dir.File("c.xml"), "Root", "UTF-8");
    EXPECT_EQ(
        ReadFile(dir.File("c.xml")), "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<Root>\r\n</Root>\r\n");

    // The file is readable by the document, with its declared values.
    TNuvXmlFile xml;
    xml.FileName = dir.File("c.xml");
    xml.Load();
    EXPECT_EQ(xml.Encoding, "UTF-8");
    EXPECT_EQ(xml.RootName, "Root");
}
