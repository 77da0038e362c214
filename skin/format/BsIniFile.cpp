#include "BsIniFile.h"

#include "BsStreams.h"
#include "Exception.h"
#include "Format.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace {

std::string Lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// Parses an optionally signed decimal or hexadecimal number into 64 bits;
// false when anything is left over or the digits overflow.
bool ParseNumber(std::string_view text, std::int64_t& out)
{
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text[0] == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return false;
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc() || end != text.data() + text.size() || value > 0xFFFFFFFFull)
        return false;
    out = negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
    return true;
}

// A point or rect field: every character but the digits is dropped. A field
// with no digit, or too many to fit, reads 0.
int DigitsOnly(std::string_view field)
{
    std::int64_t value = 0;
    bool any = false;
    for (char c : field) {
        if (c < '0' || c > '9')
            continue;
        any = true;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int>::max())
            return 0;
    }
    return any ? static_cast<int>(value) : 0;
}

// The comma-separated fields of a point or rect; missing fields read 0,
// extra ones are ignored.
template <std::size_t N>
void ParseFields(std::string_view value, int (&fields)[N])
{
    for (std::size_t i = 0; i < N; ++i) {
        const std::size_t comma = value.find(',');
        fields[i] = DigitsOnly(value.substr(0, comma));
        if (comma == std::string_view::npos) {
            for (std::size_t j = i + 1; j < N; ++j)
                fields[j] = 0;
            return;
        }
        value.remove_prefix(comma + 1);
    }
}

template <typename Enum, std::size_t N>
const char* WordOf(Enum value, const char* const (&words)[N])
{
    const auto index = static_cast<std::size_t>(value);
    return index < N ? words[index] : words[0];
}

template <typename Enum, std::size_t N>
bool FindWord(std::string_view value, const char* const (&words)[N], Enum& out)
{
    for (std::size_t i = 0; i < N; ++i)
        if (value == words[i]) {
            out = static_cast<Enum>(i);
            return true;
        }
    return false;
}

const char* const AlignmentWords[] = {"taleftjustify", "tarightjustify", "tacenter"};
const char* const StretchWords[] = {"stfull", "sthorz", "stvert"};
const char* const MorphWords[] = {"mkdefault",      "mkgradient",   "mkleftgradient", "mkrightgradient",
                                  "mkleftslide",    "mkrightslide", "mkpush"};
const char* const EffectWords[] = {"iebrightness", "iedarkness",   "iegrayscale",
                                   "ienoise",      "iesplitblur",  "ieinvert"};
const char* const CommandWords[] = {"cmclose",   "cmmaximize", "cmminimize",      "cmsysmenu",
                                    "cmdefault", "cmrollup",   "cmminimizetotray"};

struct FontStyleWord {
    TFontStyle Style;
    const char* Word;
};
const FontStyleWord FontStyleWords[] = {
    {fsBold, "fsbold"}, {fsItalic, "fsitalic"}, {fsUnderline, "fsunderline"}, {fsStrikeOut, "fsstrikeout"}};

}  // namespace

// ---------------------------------------------------------------------------

TbsListEntry SplitListEntry(std::string_view entry)
{
    const std::size_t colon = entry.find(':');
    if (colon == std::string_view::npos)
        return {};
    return {std::string(entry.substr(0, colon)), std::string(entry.substr(colon + 1))};
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::string_view TrimIniText(std::string_view text)
{
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

int ParseIniInteger(std::string_view value, int def)
{
    std::int64_t number = 0;
    if (!ParseNumber(value, number))
        return def;
    // Hexadecimal values fill all 32 bits ("$FFFFFFFF" is -1); decimal ones must fit.
    if (number > std::numeric_limits<std::int32_t>::max()) {
        const bool hex = value.find_first_of("$xX") != std::string_view::npos;
        if (!hex)
            return def;
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
    }
    if (number < std::numeric_limits<std::int32_t>::min())
        return def;
    return static_cast<int>(number);
}

QPoint ParseIniPoint(std::string_view value)
{
    int f[2];
    ParseFields(value, f);
    return {f[0], f[1]};
}

TRect ParseIniRect(std::string_view value)
{
    int f[4];
    ParseFields(value, f);
    return {f[0], f[1], f[2], f[3]};
}

// ---------------------------------------------------------------------------

void TbsIniFile::Clear()
{
    sections_.clear();
    sectionIndex_.clear();
}

void TbsIniFile::SetText(std::string_view text)
{
    Clear();
    Section* open = nullptr;
    for (const std::string& raw : SplitLines(text)) {
        const std::string_view line = TrimIniText(raw);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            open = &SectionFor(TrimIniText(line.substr(1, line.size() - 2)));
            continue;
        }
        if (!open)
            continue;  // lines before the first section
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            AppendLine(*open, {}, std::string(line), false);
        else
            AppendLine(*open, std::string(TrimIniText(line.substr(0, eq))),
                       std::string(TrimIniText(line.substr(eq + 1))), true);
    }
}

void TbsIniFile::LoadFromFile(const std::string& path)
{
    SetText(ReadWholeFile(path));
}

std::string TbsIniFile::Text() const
{
    std::string out;
    for (const Section& section : sections_) {
        out += '[';
        out += section.Name;
        out += "]\r\n";
        for (const Line& line : section.Lines) {
            if (line.HasValue) {
                out += line.Key;
                out += '=';
            }
            out += line.Value;
            out += "\r\n";
        }
        out += "\r\n";
    }
    return out;
}

void TbsIniFile::SaveToFile(const std::string& path) const
{
    const std::string text = Text();
    TFileStream file(path, TFileStream::fmCreate);
    file.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    file.Close();
}

bool TbsIniFile::SectionExists(std::string_view section) const
{
    return sectionIndex_.count(Lower(section)) != 0;
}

bool TbsIniFile::ValueExists(std::string_view section, std::string_view key) const
{
    return FindLine(section, key) != nullptr;
}

std::vector<std::string> TbsIniFile::SectionNames() const
{
    std::vector<std::string> names;
    names.reserve(sections_.size());
    for (const Section& section : sections_)
        names.push_back(section.Name);
    return names;
}

std::vector<std::string> TbsIniFile::SectionKeys(std::string_view section) const
{
    std::vector<std::string> keys;
    const auto it = sectionIndex_.find(Lower(section));
    if (it == sectionIndex_.end())
        return keys;
    for (const Line& line : sections_[it->second].Lines)
        if (line.HasValue)
            keys.push_back(line.Key);
    return keys;
}

void TbsIniFile::EraseSection(std::string_view section)
{
    const auto it = sectionIndex_.find(Lower(section));
    if (it == sectionIndex_.end())
        return;
    sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(it->second));
    sectionIndex_.clear();
    for (std::size_t i = 0; i < sections_.size(); ++i)
        sectionIndex_.emplace(Lower(sections_[i].Name), i);
}

const TbsIniFile::Line* TbsIniFile::FindLine(std::string_view section, std::string_view key) const
{
    const auto s = sectionIndex_.find(Lower(section));
    if (s == sectionIndex_.end())
        return nullptr;
    const Section& found = sections_[s->second];
    const auto k = found.KeyIndex.find(Lower(key));
    return k == found.KeyIndex.end() ? nullptr : &found.Lines[k->second];
}

// A repeated section name continues the first section of that name, so its
// keys are found; a repeated key answers with its first value.
TbsIniFile::Section& TbsIniFile::SectionFor(std::string_view section)
{
    const auto [it, added] = sectionIndex_.emplace(Lower(section), sections_.size());
    if (added)
        sections_.push_back(Section{std::string(section), {}, {}});
    return sections_[it->second];
}

void TbsIniFile::AppendLine(Section& section, std::string key, std::string value, bool hasValue)
{
    if (hasValue)
        section.KeyIndex.emplace(Lower(key), section.Lines.size());
    section.Lines.push_back(Line{std::move(key), std::move(value), hasValue});
}

// ---------------------------------------------------------------------------

std::string TbsIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const
{
    const Line* line = FindLine(section, key);
    return line ? line->Value : std::string(def);
}

int TbsIniFile::ReadInteger(std::string_view section, std::string_view key, int def) const
{
    const Line* line = FindLine(section, key);
    return line ? ParseIniInteger(line->Value, def) : def;
}

bool TbsIniFile::ReadBool(std::string_view section, std::string_view key) const
{
    return ReadInteger(section, key, 0) == 1;
}

QPoint TbsIniFile::ReadPoint(std::string_view section, std::string_view key) const
{
    const Line* line = FindLine(section, key);
    return line ? ParseIniPoint(line->Value) : QPoint(0, 0);
}

TRect TbsIniFile::ReadRect(std::string_view section, std::string_view key) const
{
    const Line* line = FindLine(section, key);
    return line ? ParseIniRect(line->Value) : TRect();
}

TColor TbsIniFile::ReadColor(std::string_view section, std::string_view key, TColor def) const
{
    // Colours may be written as signed (system colours are negative 32-bit
    // integers in older skins) or unsigned decimal; both name the same bits.
    const Line* line = FindLine(section, key);
    std::int64_t number = 0;
    if (!line || !ParseNumber(line->Value, number) || number < std::numeric_limits<std::int32_t>::min())
        return def;
    return static_cast<TColor>(static_cast<std::uint32_t>(number));
}

TFontStyles TbsIniFile::ReadFontStyles(std::string_view section, std::string_view key) const
{
    const std::string value = ReadString(section, key);
    TFontStyles styles = 0;
    for (const FontStyleWord& word : FontStyleWords)
        if (value.find(word.Word) != std::string::npos)
            styles |= word.Style;
    return styles;
}

TAlignment TbsIniFile::ReadAlignment(std::string_view section, std::string_view key) const
{
    const Line* line = FindLine(section, key);
    if (!line || line->Value == "tacenter")
        return taCenter;
    return line->Value == "taleftjustify" ? taLeftJustify : taRightJustify;
}

TbsStretchType TbsIniFile::ReadStretchType(std::string_view section, std::string_view key) const
{
    const Line* line = FindLine(section, key);
    if (!line || line->Value == "stfull")
        return bsstFull;
    return line->Value == "stvert" ? bsstVert : bsstHorz;
}

TbsMorphKind TbsIniFile::ReadMorphKind(std::string_view section, std::string_view key) const
{
    TbsMorphKind kind = mkDefault;
    if (const Line* line = FindLine(section, key))
        FindWord(line->Value, MorphWords, kind);
    return kind;
}

TbsInActiveEffect TbsIniFile::ReadInActiveEffect(std::string_view section, std::string_view key) const
{
    const Line* line = FindLine(section, key);
    if (!line)
        return ieBrightness;
    TbsInActiveEffect effect = ieGrayScale;
    FindWord(line->Value, EffectWords, effect);
    return effect;
}

TbsStdCommand TbsIniFile::ReadStdCommand(std::string_view section, std::string_view key) const
{
    const Line* line = FindLine(section, key);
    if (!line)
        return cmDefault;
    TbsStdCommand command = cmMinimizeToTray;
    FindWord(line->Value, CommandWords, command);
    return command;
}

std::vector<std::string> TbsIniFile::ReadNameList(std::string_view section, std::string_view prefix) const
{
    const int count = ReadInteger(section, std::string(prefix) + "count", 0);
    if (count > MaxIniListCount)
        throw EListError(Format("List count out of bounds (%d)", count));
    std::vector<std::string> names;
    if (count <= 0)
        return names;
    names.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        names.push_back(ReadString(section, std::to_string(i)));
    return names;
}

// ---------------------------------------------------------------------------

void TbsIniFile::AddSection(std::string_view section)
{
    SectionFor(section);
}

void TbsIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    Section& target = SectionFor(section);
    const auto it = target.KeyIndex.find(Lower(key));
    if (it != target.KeyIndex.end())
        target.Lines[it->second].Value = std::string(value);
    else
        AppendLine(target, std::string(key), std::string(value), true);
}

void TbsIniFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void TbsIniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void TbsIniFile::WritePoint(std::string_view section, std::string_view key, QPoint value)
{
    WriteString(section, key, std::to_string(value.x()) + ',' + std::to_string(value.y()));
}

void TbsIniFile::WriteRect(std::string_view section, std::string_view key, const TRect& value)
{
    WriteString(section, key,
                std::to_string(value.Left) + ',' + std::to_string(value.Top) + ',' + std::to_string(value.Right) +
                    ',' + std::to_string(value.Bottom));
}

void TbsIniFile::WriteColor(std::string_view section, std::string_view key, TColor value)
{
    // Signed, as skins have always stored colours (system colours come out negative).
    WriteInteger(section, key, static_cast<std::int32_t>(value));
}

void TbsIniFile::WriteFontStyles(std::string_view section, std::string_view key, TFontStyles value)
{
    std::string text;
    for (const FontStyleWord& word : FontStyleWords) {
        if (!(value & word.Style))
            continue;
        if (!text.empty())
            text += ',';
        text += word.Word;
    }
    WriteString(section, key, text);
}

void TbsIniFile::WriteAlignment(std::string_view section, std::string_view key, TAlignment value)
{
    WriteString(section, key, WordOf(value, AlignmentWords));
}

void TbsIniFile::WriteStretchType(std::string_view section, std::string_view key, TbsStretchType value)
{
    WriteString(section, key, WordOf(value, StretchWords));
}

void TbsIniFile::WriteMorphKind(std::string_view section, std::string_view key, TbsMorphKind value)
{
    WriteString(section, key, WordOf(value, MorphWords));
}

void TbsIniFile::WriteInActiveEffect(std::string_view section, std::string_view key, TbsInActiveEffect value)
{
    WriteString(section, key, WordOf(value, EffectWords));
}

void TbsIniFile::WriteStdCommand(std::string_view section, std::string_view key, TbsStdCommand value)
{
    WriteString(section, key, WordOf(value, CommandWords));
}

void TbsIniFile::WriteNameList(std::string_view section, std::string_view prefix,
                               const std::vector<std::string>& names)
{
    WriteInteger(section, std::string(prefix) + "count", static_cast<int>(names.size()));
    for (std::size_t i = 0; i < names.size(); ++i)
        WriteString(section, std::to_string(i), names[i]);
}
