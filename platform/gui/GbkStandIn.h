#pragma once
// TEMPORARY stand-in for the GBK text helpers of Qelvo::PlatformText
// ("GbkText.h": GbkToQString / QStringToGbk), which are not on this branch yet.
// Everything in platform/gui converts through these two names only; once the
// real helpers are merged, include "GbkText.h" here instead and delete the
// bodies below.

#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <string>

namespace gbk_standin {

inline QString GbkToQString(const std::string& text)
{
    QStringDecoder decoder("GB18030");
    if (!decoder.isValid())
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    return decoder.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

inline std::string QStringToGbk(const QString& text)
{
    QStringEncoder encoder("GB18030");
    if (!encoder.isValid())
        return text.toLatin1().toStdString();
    QByteArray bytes = encoder.encode(text);
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

} // namespace gbk_standin

using gbk_standin::GbkToQString;
using gbk_standin::QStringToGbk;
