#pragma once
// Chinese text in skin fonts. Skins name Windows fonts ("Arial", "宋体"); on a
// Linux desktop the named family often has no Chinese glyphs, and finding a
// fallback face glyph by glyph is slow (every candidate face is opened) and may
// pick a Japanese variant. So a font for the program's text lists the desktop's
// Chinese fonts right after its own family.

#include <QFont>
#include <QStringList>

// The installed fonts of the usual Chinese desktop fonts, best first (SimSun
// where a user installed it); none before the application object exists.
const QStringList& ChineseFontFamilies();

// The font's own family first, then the Chinese fonts.
void AddChineseFallback(QFont& font);
