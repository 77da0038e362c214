#include "NuvForms.h"

#include "Exception.h"
#include "GbkText.h"
#include "ModalAnswers.h"
#include "WindowSystem.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

template <typename T> T* Require(T* argument, const char* name)
{
    if (!argument)
        throw EAssertionFailed(std::string("Assertion failed: ") + name);
    return argument;
}

QPointer<QWidget>& TheMainForm()
{
    static QPointer<QWidget> form;
    return form;
}

// Ends a modal loop when its form is hidden by the program (closed or hidden).
// A window manager's minimize hides it spontaneously: the dialog is still
// open, only out of sight, and keeps the other windows blocked.
class HideWatch : public QObject {
public:
    explicit HideWatch(QEventLoop& loop)
        : loop_(loop)
    {
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && !event->spontaneous())
            loop_.quit();
        return false;
    }

private:
    QEventLoop& loop_;
};

// A window that would have an entry of its own in the taskbar: a top-level
// window or dialog that no other window owns and that the window manager
// manages (a notification-area icon is a window it leaves alone; changing
// that window's kind would make it anew and take it out of the tray).
bool HasOwnTaskbarEntry(const QWidget* widget)
{
    if (!widget->isWindow() || widget->parentWidget()
        || widget->windowFlags().testFlag(Qt::BypassWindowManagerHint))
        return false;
    const Qt::WindowType type = widget->windowType();
    return type == Qt::Window || type == Qt::Dialog;
}

void LeaveTaskbar(QWidget* window)
{
    if (HasOwnTaskbarEntry(window))
        WindowSystem().SetSkipTaskbar(window, true);
}

// Keeps every window of the program out of the taskbar. A window created later
// is caught when its polish is requested (after its constructor, before it is
// shown, when the event loop comes to it), and again each time its native
// window is made or it is polished on showing. Those two happen in the middle
// of making or showing the window, where its flags must not change, so the
// window is handled right after, from the event loop.
class NoTaskbarEntries : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* object, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::PolishRequest && type != QEvent::Polish && type != QEvent::WinIdChange)
            return false;
        if (!object->isWidgetType() || !HasOwnTaskbarEntry(static_cast<QWidget*>(object)))
            return false;
        auto* window = static_cast<QWidget*>(object);
        if (type == QEvent::PolishRequest && !window->isVisible())
            LeaveTaskbar(window);
        else
            QTimer::singleShot(0, window, [window] { LeaveTaskbar(window); });
        return false;
    }
};

QPointer<NoTaskbarEntries>& AppBarFilter()
{
    static QPointer<NoTaskbarEntries> filter;
    return filter;
}

} // namespace

namespace nuv {

void SetMainForm(QWidget* form)
{
    TheMainForm() = form;
}

QWidget* MainForm()
{
    return TheMainForm().data();
}

int RunFormModal(QWidget* form)
{
    Require(form, "form");
    if (const auto answer = modal::TakeAnswer(QStringToGbk(form->windowTitle())))
        return *answer;
    if (auto* dialog = qobject_cast<QDialog*>(form))
        return dialog->exec();
    QPointer<QWidget> guard(form);
    const Qt::WindowModality before = form->windowModality();
    QEventLoop loop;
    HideWatch watch(loop);
    form->installEventFilter(&watch);
    QObject::connect(form, &QObject::destroyed, &loop, &QEventLoop::quit);
    form->setWindowModality(Qt::ApplicationModal);
    form->show();
    form->raise();
    form->activateWindow();
    if (guard && guard->isVisible())
        loop.exec(QEventLoop::DialogExec);
    if (guard) {
        guard->removeEventFilter(&watch);
        guard->setWindowModality(before);
    }
    return 0;
}

void FormShowModal(QWidget* form)
{
    if (!form)
        return;
    QPointer<QWidget> guard(form);
    // Destroys the form on every way out, unless it destroyed itself.
    struct Destroyer {
        QPointer<QWidget>& form;
        ~Destroyer() { delete form.data(); }
    } destroyer { guard };

    RunFormModal(form);
}

bool HideAppBar()
{
    QPointer<NoTaskbarEntries>& filter = AppBarFilter();
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return filter;
    const bool before = filter;
    if (!filter) {
        filter = new NoTaskbarEntries(qApp);
        qApp->installEventFilter(filter);
    }
    // The windows made so far leave the taskbar now, before they are first shown:
    // caught later, from the event loop, a shown window is made anew.
    for (QWidget* widget : QApplication::topLevelWidgets())
        LeaveTaskbar(widget);
    return before;
}

void ShowAppBar()
{
    QPointer<NoTaskbarEntries>& filter = AppBarFilter();
    if (!filter)
        return;
    delete filter.data();
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (HasOwnTaskbarEntry(widget))
            WindowSystem().SetSkipTaskbar(widget, false);
}

void SetFormOnDeskTop(QWidget* form)
{
    Require(form, "form");
    form->winId();
    IWindowSystem& system = WindowSystem();
    system.SetTopMost(form, false);
    system.SetBelowAll(form, true);
    system.SetSkipTaskbar(form, true);
}

void SetFormPosAtMouse(QWidget* form)
{
    Require(form, "form");
    const QPoint cursor = WindowSystem().CursorPos();
    form->move(cursor.x(), form->y());
    form->move(form->x(), cursor.y());
}

void SetFormPosAsMouseMove(QWidget* form, QPoint& last)
{
    Require(form, "form");
    const QPoint cursor = WindowSystem().CursorPos();
    form->move(form->x(), form->y() + cursor.y() - last.y());
    form->move(form->x() + cursor.x() - last.x(), form->y());
    last = WindowSystem().CursorPos();
}

void ZoomControl(QWidget* ctrl, int width, int height, float factor)
{
    Require(ctrl, "ctrl");
    ctrl->resize(static_cast<int>(static_cast<float>(width) * factor), ctrl->height());
    ctrl->resize(ctrl->width(), static_cast<int>(static_cast<float>(height) * factor));
}

} // namespace nuv
