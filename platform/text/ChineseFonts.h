#pragma once
// Chinese text in the program's fonts. Skins and windows name Windows fonts
// ("Arial", "宋体"); on a Linux desktop the named family often has no Chinese
// glyphs, and finding a fallback face glyph by glyph is slow (every candidate
// face is opened) and may pick a Japanese variant. So a font for the program's
// text names the desktop's Chinese fonts itself.

#include <QFont>
#include <QStringList>

// The installed fonts of the usual Chinese desktop fonts, best first (SimSun
// where a user installed it); none before the application object exists.
const QStringList& ChineseFontFamilies();

// The font's own family first, then the Chinese fonts.
void AddChineseFallback(QFont& font);

// The application's font at a pixel size, the Chinese fonts first (SimSun's
// place on Windows) and the application's family for the rest.
QFont ChineseFont(int pixelSize);
