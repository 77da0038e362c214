#include "GbkText.h"

#include "GbkCodec.h"

#include <algorithm>

QString GbkToQString(std::string_view gbk)
{
    const bool ascii
        = std::all_of(gbk.begin(), gbk.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
        return QString::fromLatin1(gbk.data(), static_cast<qsizetype>(gbk.size()));
    QString text(static_cast<qsizetype>(gbk.size()), Qt::Uninitialized);
    text.resize(static_cast<qsizetype>(DecodeGbk(gbk, reinterpret_cast<char16_t*>(text.data()))));
    return text;
}

std::string QStringToGbk(const QString& text)
{
    return EncodeGbk(std::u16string_view(
        reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
}
