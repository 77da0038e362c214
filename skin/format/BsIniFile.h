#pragma once
// The INI text of a skin: the grammar (trimmed lines, ";" comments, sections
// and keys matched without regard to case, split at the first "=") and the
// typed value syntaxes the skin readers and writers use. Sections and keys
// keep the order they were read or written in, so a written skin lists its
// keys in the order its writers give them.

#include "BsTypes.h"

#include <QPoint>

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

class TbsIniFile {
public:
    TbsIniFile() = default;
    explicit TbsIniFile(std::string_view text) { SetText(text); }

    // Replaces the whole content by parsing text.
    void SetText(std::string_view text);
    // Reads a file from disk (EFOpenError when it cannot be opened).
    void LoadFromFile(const std::string& path);
    // Every section as "[name]", its lines "key=value", then one empty line;
    // lines end with CR LF.
    std::string Text() const;
    void SaveToFile(const std::string& path) const;  // EFCreateError
    void Clear();

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    std::vector<std::string> SectionNames() const;
    std::vector<std::string> SectionKeys(std::string_view section) const;
    void EraseSection(std::string_view section);

    // Readers: a missing section or key gives the default of each syntax.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def = {}) const;
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    bool ReadBool(std::string_view section, std::string_view key) const;           // exactly 1 is true
    QPoint ReadPoint(std::string_view section, std::string_view key) const;        // digits only; 0,0
    TRect ReadRect(std::string_view section, std::string_view key) const;          // digits only; null
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
    void WriteNameList(std::string_view section, std::string_view prefix, const std::vector<std::string>& names);
    // Opens a section with no keys yet (it is still written with its empty line).
    void AddSection(std::string_view section);

private:
    struct Line {
        std::string Key;    // trimmed; empty for a line without "="
        std::string Value;  // trimmed value, or the whole line without "="
        bool HasValue = false;
    };
    struct Section {
        std::string Name;
        std::vector<Line> Lines;
        std::unordered_map<std::string, std::size_t> KeyIndex;  // lower-case key -> first line
    };

    const Line* FindLine(std::string_view section, std::string_view key) const;
    Section& SectionFor(std::string_view section);
    void AppendLine(Section& section, std::string key, std::string value, bool hasValue);

    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> sectionIndex_;  // lower-case name -> first section
};
