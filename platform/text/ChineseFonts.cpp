#include "ChineseFonts.h"

#include <QFontDatabase>
#include <QGuiApplication>

const QStringList& ChineseFontFamilies()
{
    // Without an application there is no font database to ask (picture code
    // runs without one): no fallback then.
    static const QStringList none;
    if (!QGuiApplication::instance())
        return none;
    static const QStringList installed = [] {
        const QStringList preferred = { QStringLiteral("SimSun"), QStringLiteral("Noto Sans CJK SC"),
            QStringLiteral("Noto Sans SC"), QStringLiteral("Source Han Sans SC"),
            QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("WenQuanYi Zen Hei"),
            QStringLiteral("Droid Sans Fallback"), QStringLiteral("AR PL UMing CN") };
        const QStringList families = QFontDatabase::families();
        QStringList found;
        for (const QString& family : preferred)
            if (families.contains(family, Qt::CaseInsensitive))
                found << family;
        return found;
    }();
    return installed;
}

void AddChineseFallback(QFont& font)
{
    const QStringList& chinese = ChineseFontFamilies();
    if (chinese.isEmpty())
        return;
    QStringList families = font.families();
    if (families.isEmpty())
        families << font.family();
    for (const QString& family : chinese)
        if (!families.contains(family, Qt::CaseInsensitive))
            families << family;
    font.setFamilies(families);
}

QFont ChineseFont(int pixelSize)
{
    QFont font = QGuiApplication::font();
    const QStringList& chinese = ChineseFontFamilies();
    if (!chinese.isEmpty())
        font.setFamilies(QStringList(chinese) << font.family());
    font.setPixelSize(pixelSize);
    return font;
}
