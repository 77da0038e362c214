#pragma once
// TEMPORARY STAND-IN for "GbkText.h" (target Qelvo::PlatformText), which is
// not on this branch yet. When it is: include "GbkText.h" instead of this
// header, link Qelvo::PlatformText, and delete this file and its .cpp.
// Only the skinned controls include it.

#include <QString>

#include <string>

// GBK bytes to text; a byte sequence that is no GBK character becomes U+FFFD.
QString GbkToQString(const std::string& gbk);
// Text to GBK bytes; a character GBK lacks becomes "?".
std::string QStringToGbk(const QString& text);
