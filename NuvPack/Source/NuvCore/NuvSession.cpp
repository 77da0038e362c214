// Ending the session through the desktop: systemd-logind powers off and
// reboots; a log-off goes to the desktop's session manager (GNOME, then KDE)
// and, without one, to logind's own session object.
#include "NuvSystemDesktop.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QString>

namespace nuv {

namespace {

    const QString Login1Service = QStringLiteral("org.freedesktop.login1");
    const QString Login1Path = QStringLiteral("/org/freedesktop/login1");
    const QString Login1Manager = QStringLiteral("org.freedesktop.login1.Manager");

    // Whether a call went through (an error answer counts as not).
    bool Called(QDBusInterface& target, const QString& method, const QVariant& argument = {})
    {
        if (!target.isValid())
            return false;
        const QDBusMessage answer = argument.isValid() ? target.call(method, argument) : target.call(method);
        return answer.type() == QDBusMessage::ReplyMessage;
    }

    class LogindSession final : public ISession {
    public:
        bool MayEnd(TSessionEnd how) override
        {
            if (how == TSessionEnd::LogOff)
                return true;
            QDBusInterface manager(Login1Service, Login1Path, Login1Manager, QDBusConnection::systemBus());
            if (!manager.isValid())
                return false;
            const QDBusReply<QString> answer = manager.call(
                how == TSessionEnd::Reboot ? QStringLiteral("CanReboot") : QStringLiteral("CanPowerOff"));
            // "challenge": allowed once the user confirms it to polkit.
            return answer.isValid()
                && (answer.value() == QStringLiteral("yes") || answer.value() == QStringLiteral("challenge"));
        }

        void End(TSessionEnd how, bool force) override
        {
            if (how == TSessionEnd::LogOff) {
                LogOff(force);
                return;
            }
            // A shut-down stops the machine as a power-off does: on current hardware
            // both end with the power off.
            QDBusInterface manager(Login1Service, Login1Path, Login1Manager, QDBusConnection::systemBus());
            Called(manager,
                how == TSessionEnd::Reboot ? QStringLiteral("Reboot") : QStringLiteral("PowerOff"),
                QVariant(/*interactive=*/true));
        }

    private:
        static void LogOff(bool force)
        {
            QDBusInterface gnome(QStringLiteral("org.gnome.SessionManager"),
                QStringLiteral("/org/gnome/SessionManager"), QStringLiteral("org.gnome.SessionManager"),
                QDBusConnection::sessionBus());
            // Modes: 1 without confirmation, 2 forced (programs are not asked).
            if (Called(gnome, QStringLiteral("Logout"), QVariant::fromValue<uint>(force ? 2 : 1)))
                return;
            QDBusInterface kde(QStringLiteral("org.kde.Shutdown"), QStringLiteral("/Shutdown"),
                QStringLiteral("org.kde.Shutdown"), QDBusConnection::sessionBus());
            if (Called(kde, QStringLiteral("logout")))
                return;
            QDBusInterface own(Login1Service, QStringLiteral("/org/freedesktop/login1/session/auto"),
                QStringLiteral("org.freedesktop.login1.Session"), QDBusConnection::systemBus());
            Called(own, QStringLiteral("Terminate"));
        }
    };

} // namespace

ISession& DBusSession()
{
    static LogindSession session;
    return session;
}

} // namespace nuv
