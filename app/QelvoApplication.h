#pragma once
// The program's application object: an error that escapes an event handler
// is shown with the standard error report and the program goes on.

#include <QApplication>

#include <functional>

class TQelvoApplication : public QApplication {
    Q_OBJECT
public:
    TQelvoApplication(int& argc, char** argv);
    ~TQelvoApplication() override;

    bool notify(QObject* receiver, QEvent* event) override;
};

// On a Wayland session where X11 is at hand too, the program runs on X11 (its
// window styles and the notification area need it), unless the user chose a
// platform in QT_QPA_PLATFORM. Call before the application object exists.
void PreferX11OnWayland();

// The window-showing rule for downloads: the window that was activated last,
// or else the main window, is showing. Call once the application exists.
void InstallProgramWindowShowing();

// The program's title and names, the standard error report and the
// window-showing rule; the tray icon, not the last window, keeps it running.
void SetUpProgramApplication();

// The entry routine: makes the application object, sets the program up and
// runs `program` (which makes the program's objects and runs the message
// loop), returning its exit code. An error that escapes any of it, the making
// of the application object included, is shown with the standard error report
// and the routine returns EXIT_FAILURE.
int RunEntryRoutine(int& argc, char** argv, const std::function<int(TQelvoApplication&)>& program);
