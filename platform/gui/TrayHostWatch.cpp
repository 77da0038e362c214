#include "TrayHostWatch.h"

#include <QGuiApplication>
#include <QSystemTrayIcon>

TTrayHostWatch::TTrayHostWatch(QObject* parent)
    : QObject(parent)
{
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        return;
    // The X11 platform's native interface announces a new or vanished tray
    // window; it is a plain QObject whose class is not public, hence the cast.
    auto* native = reinterpret_cast<QObject*>(QGuiApplication::platformNativeInterface());
    if (!native || native->metaObject()->indexOfSignal("systemTrayWindowChanged(QScreen*)") < 0)
        return;
    // The platform follows the tray selection once it has been asked for it.
    QSystemTrayIcon::isSystemTrayAvailable();
    watching_ = connect(native, SIGNAL(systemTrayWindowChanged(QScreen*)), this, SLOT(Changed()));
}

void TTrayHostWatch::Changed()
{
    if (OnChange)
        OnChange();
}
