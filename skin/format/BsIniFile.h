#pragma once
// The INI text of a skin: the grammar (trimmed lines, ";" comments, sections
// and keys matched without regard to case, split at the first "=") and the
// typed value syntaxes the skin readers and writers use. Sections and keys
// keep the order they were read or written in, so a written skin lists its
// keys in the order its writers give them.
//
// A parsed text is kept once; sections and keys refer into it. Only what the
// readers can find is kept: lines before the first section, comments, lines
// without "=" and repeated keys (the first value answers) are dropped, so the
// text written back holds the readable keys only.

#include "BsTypes.h"

#include <QPoint>

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A list entry such as "closebutton:stdbutton".
struct TbsListEntry {
    std::string Name;
    std::string Type;
};
// Splits at the first ":"; an entry without ":" gives an empty name and type.
TbsListEntry SplitListEntry(std::string_view entry);

// Splits text into lines at CR LF, lone CR or lone LF; no trailing empty line
// for text that ends with a line break.
std::vector<std::string> SplitLines(std::string_view text);
// Trims blanks and control characters (bytes up to " ") from both ends.
std::string_view TrimIniText(std::string_view text);

// Value parsers, shared by the typed readers (def answers for a missing or
// unparsable value where the syntax has one).
int ParseIniInteger(std::string_view value, int def);
QPoint ParseIniPoint(std::string_view value);
TRect ParseIniRect(std::string_view value);

// A name list longer than this is treated as hostile: EListError.
constexpr int MaxIniListCount = 65536;
// Keyed lines and sections an INI text may hold; more is treated as hostile
// (EListError). A real skin has a few thousand lines in about a hundred
// sections.
constexpr std::size_t MaxIniLines = 1u << 18;
constexpr std::size_t MaxIniSections = 1u << 16;

// Text with every line ending (CR LF, lone CR, lone LF) written as CR LF, and
// one after a last line that has none.
std::string NormalizeIniLineEnds(std::string_view text);

class TbsIniFile {
public:
    TbsIniFile() = default;
    explicit TbsIniFile(std::string_view text) { SetText(text); }
    explicit TbsIniFile(std::string&& text) { SetText(std::move(text)); }
    explicit TbsIniFile(const char* text) { SetText(std::string_view(text)); }
    TbsIniFile(const TbsIniFile&) = delete;
    TbsIniFile& operator=(const TbsIniFile&) = delete;
    TbsIniFile(TbsIniFile&&) = default;
    TbsIniFile& operator=(TbsIniFile&&) = default;

    // Replaces the whole content by parsing text. EListError when it holds
    // more than MaxIniLines keys or MaxIniSections sections.
    void SetText(std::string_view text);
    void SetText(std::string&& text);
    // Reads a file from disk (EFOpenError when it cannot be opened).
    void LoadFromFile(const std::string& path);
    // Every section as "[name]", its lines "key=value", then one empty line;
    // lines end with CR LF.
    std::string Text() const;
    void SaveToFile(const std::string& path) const; // EFCreateError
    void Clear();

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    std::vector<std::string> SectionNames() const;
    std::vector<std::string> SectionKeys(std::string_view section) const;
    void EraseSection(std::string_view section);

    // Readers: a missing section or key gives the default of each syntax.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def = {}) const;
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    bool ReadBool(std::string_view section, std::string_view key) const; // exactly 1 is true
    QPoint ReadPoint(std::string_view section, std::string_view key) const; // digits only; 0,0
    TRect ReadRect(std::string_view section, std::string_view key) const; // digits only; null
    TColor ReadColor(std::string_view section, std::string_view key, TColor def) const;
    TFontStyles ReadFontStyles(std::string_view section, std::string_view key) const;
    TAlignment ReadAlignment(std::string_view section, std::string_view key) const;
    TbsStretchType ReadStretchType(std::string_view section, std::string_view key) const;
    TbsMorphKind ReadMorphKind(std::string_view section, std::string_view key) const;
    TbsInActiveEffect ReadInActiveEffect(std::string_view section, std::string_view key) const;
    TbsStdCommand ReadStdCommand(std::string_view section, std::string_view key) const;
    // Count key prefix+"count", then "0", "1", ...; missing entries are empty.
    std::vector<std::string> ReadNameList(std::string_view section, std::string_view prefix) const;

    // Writers: replace the value of an existing key, or append the key to its
    // section (appending the section when it is new).
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void WritePoint(std::string_view section, std::string_view key, QPoint value);
    void WriteRect(std::string_view section, std::string_view key, const TRect& value);
    void WriteColor(std::string_view section, std::string_view key, TColor value);
    void WriteFontStyles(std::string_view section, std::string_view key, TFontStyles value);
    void WriteAlignment(std::string_view section, std::string_view key, TAlignment value);
    void WriteStretchType(std::string_view section, std::string_view key, TbsStretchType value);
    void WriteMorphKind(std::string_view section, std::string_view key, TbsMorphKind value);
    void WriteInActiveEffect(std::string_view section, std::string_view key, TbsInActiveEffect value);
    void WriteStdCommand(std::string_view section, std::string_view key, TbsStdCommand value);
    void WriteNameList(
        std::string_view section, std::string_view prefix, const std::vector<std::string>& names);
    // Opens a section with no keys yet (it is still written with its empty line).
    void AddSection(std::string_view section);

private:
    // Keys and section names are matched without regard to ASCII case.
    struct CaseHash {
        std::size_t operator()(std::string_view text) const;
    };
    struct CaseEqual {
        bool operator()(std::string_view a, std::string_view b) const;
    };
    using NameIndex = std::unordered_map<std::string_view, std::size_t, CaseHash, CaseEqual>;

    // Views into text_ or into owned_.
    struct Line {
        std::string_view Key;
        std::string_view Value;
    };
    struct Section {
        std::string_view Name;
        std::vector<Line> Lines;
        NameIndex KeyIndex; // key -> its line
    };

    void Parse();
    const Line* FindLine(std::string_view section, std::string_view key) const;
    Section& SectionFor(std::string_view section, bool fromText);
    std::string_view Own(std::string_view text);

    std::unique_ptr<std::string> text_; // the parsed text
    std::deque<std::string> owned_; // names and values the writers added (never moved)
    std::vector<Section> sections_;
    NameIndex sectionIndex_; // name -> section
};
