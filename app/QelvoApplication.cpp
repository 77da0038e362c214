#include "QelvoApplication.h"

#include "ChineseFonts.h"
#include "ErrorReport.h"
#include "NuvGui.h"
#include "ProgramWindows.h"

#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <cstdlib>
#include <memory>

TQelvoApplication::TQelvoApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

TQelvoApplication::~TQelvoApplication() = default;

bool TQelvoApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportCurrentException();
        return false;
    }
}

void PreferX11OnWayland()
{
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    if (chosen && *chosen)
        return;
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* x11 = std::getenv("DISPLAY");
    if (wayland && *wayland && x11 && *x11)
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
}

void InstallProgramWindowShowing()
{
    // The window activated last; a window keeps the title after it loses the
    // focus to another program.
    static QPointer<QWindow> lastActive;
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, qApp, [](QWindow* window) {
        if (window)
            lastActive = window;
    });
    SetProgramWindowShowingPredicate([] {
        if (lastActive && lastActive->isVisible())
            return true;
        QWidget* main = nuv::MainForm();
        return main && main->isVisible();
    });
}

int RunEntryRoutine(int& argc, char** argv, const std::function<int(TQelvoApplication&)>& program)
{
    // Declared out here, so the report still has the application to show in.
    std::unique_ptr<TQelvoApplication> app;
    try {
        app = std::make_unique<TQelvoApplication>(argc, argv);
        SetUpProgramApplication();
        return program(*app);
    } catch (...) {
        ReportCurrentException();
        return EXIT_FAILURE;
    }
}

void SetUpProgramApplication()
{
    nuv::SetApplicationTitle(QStringLiteral("Qelvo桌面股票"));
    QApplication::setApplicationName(QStringLiteral("qelvo"));
    QApplication::setQuitOnLastWindowClosed(false);
    nuv::InstallStandardErrorReport();
    InstallProgramWindowShowing();
    // The windows' fonts need the desktop's font list; asked now, it is read
    // while the program's skin is still being read on its worker thread.
    ChineseFontFamilies();
}
