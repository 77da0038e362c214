#pragma once
// The Qt boundary of the program's 8-bit text: stored and received text is
// GBK bytes in std::string and becomes QString only here. The conversions
// and their handling of bad input are those of GbkCodec.h.

#include <QString>

#include <string>
#include <string_view>

QString GbkToQString(std::string_view gbk);
std::string QStringToGbk(const QString& text);
