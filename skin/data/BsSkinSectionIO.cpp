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
