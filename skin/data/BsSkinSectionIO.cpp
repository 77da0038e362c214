#include "BsSkinSectionIO.h"

#include "BsIniFile.h"

void TbsSkinSectionIO::Font(
    std::string& name, int& height, TFontStyles& style, TColor& color, const char* prefix)
{
    const std::string p = prefix;
    String((p + "fontname").c_str(), name, "Arial");
    Integer((p + "fontheight").c_str(), height, 14);
    FontStyles((p + "fontstyle").c_str(), style);
    Color((p + "fontcolor").c_str(), color);
}

void TbsSkinIniReader::String(const char* key, std::string& value, const std::string& def)
{
    value = ini_.ReadString(Section(), key, def);
}
void TbsSkinIniReader::Integer(const char* key, int& value, int def)
{
    value = ini_.ReadInteger(Section(), key, def);
}
void TbsSkinIniReader::Bool(const char* key, bool& value)
{
    value = ini_.ReadBool(Section(), key);
}
void TbsSkinIniReader::Point(const char* key, QPoint& value)
{
    value = ini_.ReadPoint(Section(), key);
}
void TbsSkinIniReader::Rect(const char* key, TRect& value)
{
    value = ini_.ReadRect(Section(), key);
}
void TbsSkinIniReader::Color(const char* key, TColor& value, TColor def)
{
    value = ini_.ReadColor(Section(), key, def);
}
void TbsSkinIniReader::FontStyles(const char* key, TFontStyles& value)
{
    value = ini_.ReadFontStyles(Section(), key);
}
void TbsSkinIniReader::Alignment(const char* key, TAlignment& value)
{
    value = ini_.ReadAlignment(Section(), key);
}
void TbsSkinIniReader::StretchType(const char* key, TbsStretchType& value)
{
    value = ini_.ReadStretchType(Section(), key);
}
void TbsSkinIniReader::MorphKind(const char* key, TbsMorphKind& value)
{
    value = ini_.ReadMorphKind(Section(), key);
}
void TbsSkinIniReader::InActiveEffect(const char* key, TbsInActiveEffect& value)
{
    value = ini_.ReadInActiveEffect(Section(), key);
}
void TbsSkinIniReader::StdCommand(const char* key, TbsStdCommand& value)
{
    value = ini_.ReadStdCommand(Section(), key);
}

void TbsSkinIniWriter::String(const char* key, std::string& value, const std::string&)
{
    ini_.WriteString(Section(), key, value);
}
void TbsSkinIniWriter::Integer(const char* key, int& value, int)
{
    ini_.WriteInteger(Section(), key, value);
}
void TbsSkinIniWriter::Bool(const char* key, bool& value)
{
    ini_.WriteBool(Section(), key, value);
}
void TbsSkinIniWriter::Point(const char* key, QPoint& value)
{
    ini_.WritePoint(Section(), key, value);
}
void TbsSkinIniWriter::Rect(const char* key, TRect& value)
{
    ini_.WriteRect(Section(), key, value);
}
void TbsSkinIniWriter::Color(const char* key, TColor& value, TColor)
{
    ini_.WriteColor(Section(), key, value);
}
void TbsSkinIniWriter::FontStyles(const char* key, TFontStyles& value)
{
    ini_.WriteFontStyles(Section(), key, value);
}
void TbsSkinIniWriter::Alignment(const char* key, TAlignment& value)
{
    ini_.WriteAlignment(Section(), key, value);
}
void TbsSkinIniWriter::StretchType(const char* key, TbsStretchType& value)
{
    ini_.WriteStretchType(Section(), key, value);
}
void TbsSkinIniWriter::MorphKind(const char* key, TbsMorphKind& value)
{
    ini_.WriteMorphKind(Section(), key, value);
}
void TbsSkinIniWriter::InActiveEffect(const char* key, TbsInActiveEffect& value)
{
    ini_.WriteInActiveEffect(Section(), key, value);
}
void TbsSkinIniWriter::StdCommand(const char* key, TbsStdCommand& value)
{
    ini_.WriteStdCommand(Section(), key, value);
}

void TbsSkinValueTape::Play()
{
    playing_ = true;
    strings_.next = numbers_.next = bits_.next = points_.next = rects_.next = 0;
}

template <typename T, typename V> void TbsSkinValueTape::Pass(Track<T>& track, V& value)
{
    if (!playing_)
        track.values.push_back(static_cast<T>(value));
    else if (track.next < track.values.size())
        value = static_cast<V>(track.values[track.next++]);
}

void TbsSkinValueTape::String(const char*, std::string& value, const std::string&)
{
    Pass(strings_, value);
}
void TbsSkinValueTape::Integer(const char*, int& value, int)
{
    Pass(numbers_, value);
}
void TbsSkinValueTape::Bool(const char*, bool& value)
{
    Pass(numbers_, value);
}
void TbsSkinValueTape::Point(const char*, QPoint& value)
{
    Pass(points_, value);
}
void TbsSkinValueTape::Rect(const char*, TRect& value)
{
    Pass(rects_, value);
}
void TbsSkinValueTape::Color(const char*, TColor& value, TColor)
{
    Pass(bits_, value);
}
void TbsSkinValueTape::FontStyles(const char*, TFontStyles& value)
{
    Pass(bits_, value);
}
void TbsSkinValueTape::Alignment(const char*, TAlignment& value)
{
    Pass(numbers_, value);
}
void TbsSkinValueTape::StretchType(const char*, TbsStretchType& value)
{
    Pass(numbers_, value);
}
void TbsSkinValueTape::MorphKind(const char*, TbsMorphKind& value)
{
    Pass(numbers_, value);
}
void TbsSkinValueTape::InActiveEffect(const char*, TbsInActiveEffect& value)
{
    Pass(numbers_, value);
}
void TbsSkinValueTape::StdCommand(const char*, TbsStdCommand& value)
{
    Pass(numbers_, value);
}
