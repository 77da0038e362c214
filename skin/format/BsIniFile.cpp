#include "BsIniFile.h"

#include "BsStreams.h"
#include "Exception.h"
#include "Format.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
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
template <std::size_t N> void ParseFields(std::string_view value, int (&fields)[N])
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

template <typename Enum, std::size_t N> const char* WordOf(Enum value, const char* const (&words)[N])
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

const char* const AlignmentWords[] = { "taleftjustify", "tarightjustify", "tacenter" };
const char* const StretchWords[] = { "stfull", "sthorz", "stvert" };
const char* const MorphWords[] = { "mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient",
    "mkleftslide", "mkrightslide", "mkpush" };
const char* const EffectWords[]
    = { "iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert" };
const char* const CommandWords[]
    = { "cmclose", "cmmaximize", "cmminimize", "cmsysmenu", "cmdefault", "cmrollup", "cmminimizetotray" };

struct FontStyleWord {
    TFontStyle Style;
    const char* Word;
};
const FontStyleWord FontStyleWords[] = { { fsBold, "fsbold" }, { fsItalic, "fsitalic" },
    { fsUnderline, "fsunderline" }, { fsStrikeOut, "fsstrikeout" } };

} // namespace

// ---------------------------------------------------------------------------

TbsListEntry SplitListEntry(std::string_view entry)
{
    const std::size_t colon = entry.find(':');
    if (colon == std::string_view::npos)
        return {};
    return { std::string(entry.substr(0, colon)), std::string(entry.substr(colon + 1)) };
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
    return { f[0], f[1] };
}

TRect ParseIniRect(std::string_view value)
{
    int f[4];
    ParseFields(value, f);
    return { f[0], f[1], f[2], f[3] };
}

// ---------------------------------------------------------------------------

std::string NormalizeIniLineEnds(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            out += text[i];
            continue;
        }
        out += "\r\n";
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    if (!out.empty() && out.back() != '\n')
        out += "\r\n";
    return out;
}

// ---------------------------------------------------------------------------

std::size_t TbsIniFile::CaseHash::operator()(std::string_view text) const
{
    std::size_t hash = 1469598103934665603ull;
    for (char c : text)
        hash = (hash ^ static_cast<unsigned char>(LowerAscii(c))) * 1099511628211ull;
    return hash;
}

bool TbsIniFile::CaseEqual::operator()(std::string_view a, std::string_view b) const
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

void TbsIniFile::Clear()
{
    sections_.clear();
    sectionIndex_.clear();
    owned_.clear();
    text_.reset();
}

void TbsIniFile::SetText(std::string_view text)
{
    SetText(std::string(text));
}

void TbsIniFile::SetText(std::string&& text)
{
    Clear();
    text_ = std::make_unique<std::string>(std::move(text));
    try {
        Parse();
    } catch (...) {
        Clear();
        throw;
    }
}

void TbsIniFile::Parse()
{
    const std::string_view text = *text_;
    std::size_t lineCount = 0;
    Section* open = nullptr;
    std::size_t start = 0;
    // Line ends are found with memchr: a hostile text holds tens of millions
    // of lines, and the per-character work is what costs.
    const char* const data = text.data();
    while (start < text.size()) {
        const std::size_t left = text.size() - start;
        const auto* lf = static_cast<const char*>(std::memchr(data + start, '\n', left));
        const std::size_t lfAt = lf ? static_cast<std::size_t>(lf - data) : text.size();
        const auto* cr = static_cast<const char*>(std::memchr(data + start, '\r', lfAt - start));
        const std::size_t end = cr ? static_cast<std::size_t>(cr - data) : lfAt;
        const std::string_view line = TrimIniText(text.substr(start, end - start));
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n')
            ++start;

        if (line.empty() || line.front() == ';')
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            open = &SectionFor(TrimIniText(line.substr(1, line.size() - 2)), true);
            continue;
        }
        const std::size_t eq = line.find('=');
        if (!open || eq == std::string_view::npos)
            continue; // lines before the first section and lines without "=" name nothing
        const std::string_view key = TrimIniText(line.substr(0, eq));
        if (!open->KeyIndex.emplace(key, open->Lines.size()).second)
            continue; // a repeated key answers with its first value
        if (++lineCount > MaxIniLines)
            throw EListError(Format("INI text holds more than %d keys", static_cast<int>(MaxIniLines)));
        open->Lines.push_back(Line { key, TrimIniText(line.substr(eq + 1)) });
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
            out += line.Key;
            out += '=';
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
    return sectionIndex_.count(section) != 0;
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
        names.emplace_back(section.Name);
    return names;
}

std::vector<std::string> TbsIniFile::SectionKeys(std::string_view section) const
{
    std::vector<std::string> keys;
    const auto it = sectionIndex_.find(section);
    if (it == sectionIndex_.end())
        return keys;
    for (const Line& line : sections_[it->second].Lines)
        keys.emplace_back(line.Key);
    return keys;
}

void TbsIniFile::EraseSection(std::string_view section)
{
    const auto it = sectionIndex_.find(section);
    if (it == sectionIndex_.end())
        return;
    sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(it->second));
    sectionIndex_.clear();
    for (std::size_t i = 0; i < sections_.size(); ++i)
        sectionIndex_.emplace(sections_[i].Name, i);
}

const TbsIniFile::Line* TbsIniFile::FindLine(std::string_view section, std::string_view key) const
{
    const auto s = sectionIndex_.find(section);
    if (s == sectionIndex_.end())
        return nullptr;
    const Section& found = sections_[s->second];
    const auto k = found.KeyIndex.find(key);
    return k == found.KeyIndex.end() ? nullptr : &found.Lines[k->second];
}

// A repeated section name continues the first section of that name, so its
// keys are found.
TbsIniFile::Section& TbsIniFile::SectionFor(std::string_view section, bool fromText)
{
    const auto it = sectionIndex_.find(section);
    if (it != sectionIndex_.end())
        return sections_[it->second];
    if (sections_.size() >= MaxIniSections)
        throw EListError(Format("INI text holds more than %d sections", static_cast<int>(MaxIniSections)));
    // A name from the parsed text stays a view into it; a writer's is kept here.
    const std::string_view name = fromText ? section : Own(section);
    sections_.push_back(Section { name, {}, {} });
    sectionIndex_.emplace(name, sections_.size() - 1);
    return sections_.back();
}

std::string_view TbsIniFile::Own(std::string_view text)
{
    owned_.emplace_back(text);
    return owned_.back();
}

// ---------------------------------------------------------------------------

std::string TbsIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const
{
    const Line* line = FindLine(section, key);
    return std::string(line ? line->Value : def);
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
    SectionFor(section, false);
}

void TbsIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    Section& target = SectionFor(section, false);
    const auto it = target.KeyIndex.find(key);
    if (it != target.KeyIndex.end()) {
        target.Lines[it->second].Value = Own(value);
        return;
    }
    const std::string_view ownKey = Own(key);
    target.KeyIndex.emplace(ownKey, target.Lines.size());
    target.Lines.push_back(Line { ownKey, Own(value) });
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
        std::to_string(value.Left) + ',' + std::to_string(value.Top) + ',' + std::to_string(value.Right) + ','
            + std::to_string(value.Bottom));
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

void TbsIniFile::WriteNameList(
    std::string_view section, std::string_view prefix, const std::vector<std::string>& names)
{
    WriteInteger(section, std::string(prefix) + "count", static_cast<int>(names.size()));
    for (std::size_t i = 0; i < names.size(); ++i)
        WriteString(section, std::to_string(i), names[i]);
}
