#pragma once
// Tells when the desktop's notification area (the tray host) comes or goes, so
// a program that lives in it can follow. On X11 the platform reports each
// change of the tray selection's owner as it happens: nothing polls, nothing
// runs while nothing changes. Elsewhere nothing is reported.

#include <QObject>

#include <functional>

class TTrayHostWatch : public QObject {
    Q_OBJECT
public:
    explicit TTrayHostWatch(QObject* parent = nullptr);

    // Called on the user-interface thread after each change; ask
    // QSystemTrayIcon::isSystemTrayAvailable() what the desktop has now.
    std::function<void()> OnChange;

    // Whether this platform reports changes at all.
    bool Watching() const { return watching_; }

private Q_SLOTS:
    void Changed();

private:
    bool watching_ = false;
};
