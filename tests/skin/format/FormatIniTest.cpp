// The INI grammar and value syntaxes of skin text, as tables of cases.
#include "BsIniFile.h"

#include "Exception.h"

#include <gtest/gtest.h>

namespace {

TEST(IniGrammar, LinesSectionsAndKeys)
{
    const TbsIniFile ini("key=before any section\r\n"
                         "  [ Forminfo ]  \n"
                         "; a comment=1\r"
                         "\tClientRect = 4,29,425,326 \r\n"
                         "\r\n"
                         "caption = a=b\r\n"
                         "no equals sign here\r\n"
                         "[]\r\n"
                         "[EMPTY]");

    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string> { "Forminfo", "", "EMPTY" }));
    EXPECT_TRUE(ini.SectionExists("FORMINFO"));
    EXPECT_EQ(ini.ReadString("forminfo", "CLIENTRECT"), "4,29,425,326");
    EXPECT_EQ(ini.ReadString("FORMINFO", "caption"), "a=b"); // split at the first "="
    EXPECT_FALSE(ini.ValueExists("FORMINFO", "; a comment"));
    EXPECT_FALSE(ini.ValueExists("FORMINFO", "no equals sign here"));
    EXPECT_EQ(ini.SectionKeys("FORMINFO"), (std::vector<std::string> { "ClientRect", "caption" }));
    EXPECT_EQ(ini.ReadString("FORMINFO", "missing", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("NOSECTION", "key", "dflt"), "dflt");
}

TEST(IniGrammar, RepeatedSectionsAndKeysAnswerTheFirstValue)
{
    const TbsIniFile ini("[A]\nx=1\nx=2\n[B]\n[a]\ny=3\nx=4\n");
    EXPECT_EQ(ini.ReadString("A", "x"), "1");
    EXPECT_EQ(ini.ReadString("A", "y"), "3");
    EXPECT_EQ(ini.SectionNames().size(), 2u);
}

TEST(IniGrammar, OnlyReadableKeysCountTowardsTheLimits)
{
    // Lines nothing can read (no "=", repeated keys, comments) cost nothing,
    // however many; distinct keys and sections past their limits are refused.
    std::string unreadable = "[S]\n";
    for (std::size_t i = 0; i <= MaxIniLines; ++i)
        unreadable += "x\nk=1\n;c\n";
    std::string keys = "[S]\n";
    for (std::size_t i = 0; i <= MaxIniLines; ++i)
        keys += "k" + std::to_string(i) + "=1\n";
    std::string sections;
    for (std::size_t i = 0; i <= MaxIniSections; ++i)
        sections += "[s" + std::to_string(i) + "]\n";
    const TbsIniFile ini(std::move(unreadable));
    EXPECT_EQ(ini.SectionKeys("S"), std::vector<std::string> { "k" });
    EXPECT_THROW(TbsIniFile { std::move(keys) }, EListError);
    EXPECT_THROW(TbsIniFile { std::move(sections) }, EListError);
}

TEST(IniGrammar, ValuesSurviveMovingTheFile)
{
    // Keys and values refer into the file's own storage, which must move with it.
    TbsIniFile first("[S]\nk=v\n");
    first.WriteString("T", "w", "x");
    const TbsIniFile moved(std::move(first));
    EXPECT_EQ(moved.ReadString("s", "K"), "v");
    EXPECT_EQ(moved.ReadString("t", "W"), "x");
    EXPECT_EQ(moved.Text(), "[S]\r\nk=v\r\n\r\n[T]\r\nw=x\r\n\r\n");
}

TEST(IniGrammar, SplitLinesAcceptsEveryLineEnd)
{
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (std::vector<std::string> { "a", "b", "c", "d" }));
    EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (std::vector<std::string> { "a", "", "b" }));
    EXPECT_TRUE(SplitLines("").empty());
    // A skin folder's text is stored with CR LF after every line, the last too.
    EXPECT_EQ(NormalizeIniLineEnds("a\r\nb\rc\nd"), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(NormalizeIniLineEnds("a\n\n"), "a\r\n\r\n");
    EXPECT_EQ(NormalizeIniLineEnds(""), "");
}

struct ValueCase {
    const char* value; // nullptr: key missing
    int integer;
    bool boolean;
};

TEST(IniValues, IntegersAndBooleans)
{
    const ValueCase cases[] = {
        { "-6", -6, false },
        { "1", 1, true },
        { "2", 2, false },
        { "yes", 7, false },
        { "0x1F", 31, false },
        { "0X10", 16, false },
        { "0x", 7, false },
        { "$ff", 255, false },
        { "$FFFFFFFF", -1, false },
        { "4294967296", 7, false },
        { "2147483648", 7, false },
        { "-2147483648", -2147483647 - 1, false },
        { "12abc", 7, false },
        { "", 7, false },
        { nullptr, 7, false },
    };
    for (const ValueCase& c : cases) {
        TbsIniFile ini;
        ini.AddSection("S");
        if (c.value)
            ini.WriteString("S", "k", c.value);
        SCOPED_TRACE(c.value ? c.value : "(missing)");
        EXPECT_EQ(ini.ReadInteger("S", "K", 7), c.integer);
        EXPECT_EQ(ini.ReadBool("S", "K"), c.boolean);
    }
}

TEST(IniValues, PointsAndRectsKeepDigitsOnly)
{
    const TbsIniFile ini("[S]\nskinrect=-5,3,10,20\npoint=10,29\nodd= 1a2 , x7 \nshort=8\nlong=1,2,3,4,5\n"
                         "huge=99999999999,1,2,3\n");
    EXPECT_EQ(ini.ReadRect("S", "skinrect"), TRect(5, 3, 10, 20));
    EXPECT_EQ(ini.ReadPoint("S", "point"), QPoint(10, 29));
    EXPECT_EQ(ini.ReadPoint("S", "odd"), QPoint(12, 7));
    EXPECT_EQ(ini.ReadRect("S", "short"), TRect(8, 0, 0, 0));
    EXPECT_EQ(ini.ReadRect("S", "long"), TRect(1, 2, 3, 4));
    EXPECT_EQ(ini.ReadRect("S", "huge"), TRect(0, 1, 2, 3));
    EXPECT_TRUE(ini.ReadRect("S", "missing").IsNull());
    EXPECT_EQ(ini.ReadPoint("S", "missing"), QPoint(0, 0));
}

TEST(IniValues, Colours)
{
    const TbsIniFile ini("[S]\nc=15852243\nsys=-2147483633\nsysu=2147483663\nbad=red\n");
    EXPECT_EQ(ini.ReadColor("S", "c", 0), RGBColor(0xD3, 0xE2, 0xF1));
    EXPECT_EQ(ini.ReadColor("S", "sys", 0), TColor(clBtnFace));
    EXPECT_EQ(ini.ReadColor("S", "sysu", 0), TColor(clBtnFace));
    EXPECT_EQ(ini.ReadColor("S", "bad", clWindow), TColor(clWindow));
    EXPECT_EQ(ini.ReadColor("S", "missing", clHighlight), TColor(clHighlight));
}

TEST(IniValues, EnumerationsAreCaseSensitiveWhileKeysAreNot)
{
    const TbsIniFile ini("[S]\nSTRETCHTYPE=STVERT\nst2=stvert\nst3=stfull\nst4=other\n"
                         "a1=taleftjustify\na2=tacenter\na3=TACENTER\n"
                         "m1=mkpush\nm2=mkrightslide\nm3=MKPUSH\n"
                         "e1=ieinvert\ne2=nonsense\n"
                         "c1=cmclose\nc2=cmrollup\nc3=cmminimizetotray\nc4=unknown\nc5=CMCLOSE\n"
                         "f1=fsbold,fsitalic\nf2=fsstrikeout fsunderline\nf3=FSBOLD\n");
    EXPECT_EQ(ini.ReadStretchType("S", "stretchtype"), bsstHorz);
    EXPECT_EQ(ini.ReadStretchType("S", "st2"), bsstVert);
    EXPECT_EQ(ini.ReadStretchType("S", "st3"), bsstFull);
    EXPECT_EQ(ini.ReadStretchType("S", "st4"), bsstHorz);
    EXPECT_EQ(ini.ReadStretchType("S", "missing"), bsstFull);

    EXPECT_EQ(ini.ReadAlignment("S", "a1"), taLeftJustify);
    EXPECT_EQ(ini.ReadAlignment("S", "a2"), taCenter);
    EXPECT_EQ(ini.ReadAlignment("S", "a3"), taRightJustify);
    EXPECT_EQ(ini.ReadAlignment("S", "missing"), taCenter);

    EXPECT_EQ(ini.ReadMorphKind("S", "m1"), mkPush);
    EXPECT_EQ(ini.ReadMorphKind("S", "m2"), mkRightSlide);
    EXPECT_EQ(ini.ReadMorphKind("S", "m3"), mkDefault);
    EXPECT_EQ(ini.ReadMorphKind("S", "missing"), mkDefault);

    EXPECT_EQ(ini.ReadInActiveEffect("S", "e1"), ieInvert);
    EXPECT_EQ(ini.ReadInActiveEffect("S", "e2"), ieGrayScale);
    EXPECT_EQ(ini.ReadInActiveEffect("S", "missing"), ieBrightness);

    EXPECT_EQ(ini.ReadStdCommand("S", "c1"), cmClose);
    EXPECT_EQ(ini.ReadStdCommand("S", "c2"), cmRollUp);
    EXPECT_EQ(ini.ReadStdCommand("S", "c3"), cmMinimizeToTray);
    EXPECT_EQ(ini.ReadStdCommand("S", "c4"), cmMinimizeToTray);
    EXPECT_EQ(ini.ReadStdCommand("S", "c5"), cmMinimizeToTray);
    EXPECT_EQ(ini.ReadStdCommand("S", "missing"), cmDefault);

    EXPECT_EQ(ini.ReadFontStyles("S", "f1"), TFontStyles(fsBold | fsItalic));
    EXPECT_EQ(ini.ReadFontStyles("S", "f2"), TFontStyles(fsStrikeOut | fsUnderline));
    EXPECT_EQ(ini.ReadFontStyles("S", "f3"), TFontStyles(0));
}

TEST(IniValues, NameListsAndListEntries)
{
    const TbsIniFile ini("[SKINOBJECTS]\ncount=3\n0=closebutton:stdbutton\n2=caption:caption\n"
                         "[NEG]\ncount=-4\n[HUGE]\ncount=2000000000\n");
    const auto names = ini.ReadNameList("SKINOBJECTS", "");
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[1], "");
    EXPECT_TRUE(ini.ReadNameList("NEG", "").empty());
    EXPECT_THROW(ini.ReadNameList("HUGE", ""), EListError);

    const TbsListEntry entry = SplitListEntry("a:b:c");
    EXPECT_EQ(entry.Name, "a");
    EXPECT_EQ(entry.Type, "b:c");
    const TbsListEntry bare = SplitListEntry("nocolon");
    EXPECT_EQ(bare.Name, "");
    EXPECT_EQ(bare.Type, "");
}

TEST(IniWriting, WrittenFormsReadBackAndEverySectionEndsWithAnEmptyLine)
{
    TbsIniFile ini;
    ini.WriteInteger("VERSION", "ver", 1);
    ini.WriteRect("FORMINFO", "clientrect", TRect(4, 29, 425, 326));
    ini.WritePoint("FORMINFO", "lefttoppoint", QPoint(10, 29));
    ini.WriteBool("FORMINFO", "leftstretch", true);
    ini.WriteColor("FORMINFO", "fontcolor", clBtnFace);
    ini.WriteFontStyles("FORMINFO", "fontstyle", fsBold | fsStrikeOut);
    ini.WriteAlignment("FORMINFO", "alignment", taLeftJustify);
    ini.WriteStretchType("FORMINFO", "stretchtype", bsstVert);
    ini.WriteMorphKind("FORMINFO", "morphkind", mkLeftSlide);
    ini.WriteInActiveEffect("FORMINFO", "inactiveeffect", ieNoise);
    ini.WriteStdCommand("FORMINFO", "command", cmMinimizeToTray);
    ini.WriteNameList("PICTURES", "activepictures", { "a.bmp", "b.bmp" });
    ini.AddSection("EMPTY");
    ini.WriteInteger("VERSION", "VER", 2); // replaces, whatever the case

    const std::string text = ini.Text();
    EXPECT_EQ(text,
        "[VERSION]\r\nver=2\r\n\r\n"
        "[FORMINFO]\r\nclientrect=4,29,425,326\r\nlefttoppoint=10,29\r\nleftstretch=1\r\n"
        "fontcolor=-2147483633\r\nfontstyle=fsbold,fsstrikeout\r\nalignment=taleftjustify\r\n"
        "stretchtype=stvert\r\nmorphkind=mkleftslide\r\ninactiveeffect=ienoise\r\n"
        "command=cmminimizetotray\r\n\r\n"
        "[PICTURES]\r\nactivepicturescount=2\r\n0=a.bmp\r\n1=b.bmp\r\n\r\n"
        "[EMPTY]\r\n\r\n");

    const TbsIniFile back(text);
    EXPECT_EQ(back.ReadRect("FORMINFO", "clientrect"), TRect(4, 29, 425, 326));
    EXPECT_EQ(back.ReadColor("FORMINFO", "fontcolor", 0), TColor(clBtnFace));
    EXPECT_EQ(back.ReadStretchType("FORMINFO", "stretchtype"), bsstVert);
    EXPECT_EQ(
        back.ReadNameList("PICTURES", "activepictures"), (std::vector<std::string> { "a.bmp", "b.bmp" }));
}

} // namespace
