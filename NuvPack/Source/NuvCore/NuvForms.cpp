#include "NuvForms.h"

#include "Exception.h"
#include "GbkText.h"
#include "ModalAnswers.h"
#include "NuvGuiStandIns.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

using nuvgui_standin::CursorPos;

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

// Ends a modal loop when its form is hidden by the program (closed or hidden;
// a minimize is spontaneous and keeps it running).
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

void RunModalLoop(QWidget* form)
{
    QEventLoop loop;
    HideWatch watch(loop);
    QPointer<QWidget> guard(form);
    form->installEventFilter(&watch);
    QObject::connect(form, &QObject::destroyed, &loop, &QEventLoop::quit);
    form->setWindowModality(Qt::ApplicationModal);
    form->show();
    if (guard && guard->isVisible())
        loop.exec(QEventLoop::DialogExec);
    if (guard)
        guard->removeEventFilter(&watch);
}

// A window that would have an entry of its own in the taskbar: a top-level
// window or dialog that no other window owns.
bool HasOwnTaskbarEntry(const QWidget* widget)
{
    if (!widget->isWindow() || widget->parentWidget())
        return false;
    const Qt::WindowType type = widget->windowType();
    return type == Qt::Window || type == Qt::Dialog;
}

// Keeps every window of the program out of the taskbar: each is caught before
// it is mapped (its first polish, and each time its native window is made
// anew, as a change of window flags does).
class NoTaskbarEntries : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* object, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::Polish && type != QEvent::WinIdChange)
            return false;
        if (object->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(object);
            if (HasOwnTaskbarEntry(widget))
                nuvgui_standin::SetSkipTaskbar(widget);
        }
        return false;
    }
};

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

    if (modal::TakeAnswer(QStringToGbk(form->windowTitle())))
        return;
    if (auto* dialog = qobject_cast<QDialog*>(form))
        dialog->exec();
    else
        RunModalLoop(form);
}

bool HideAppBar()
{
    static QPointer<NoTaskbarEntries> filter;
    if (filter)
        return true;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    filter = new NoTaskbarEntries(qApp);
    qApp->installEventFilter(filter);
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (HasOwnTaskbarEntry(widget))
            nuvgui_standin::SetSkipTaskbar(widget);
    return false;
}

bool SetFormOnDeskTop(QWidget* form)
{
    Require(form, "form");
    const bool wasPinned = nuvgui_standin::IsBelowAll(form);
    form->winId();
    nuvgui_standin::SetBelowAll(form);
    return wasPinned;
}

void SetFormPosAtMouse(QWidget* form)
{
    Require(form, "form");
    const QPoint cursor = CursorPos();
    form->move(cursor.x(), form->y());
    form->move(form->x(), cursor.y());
}

void SetFormPosAsMouseMove(QWidget* form, QPoint& last)
{
    Require(form, "form");
    const QPoint cursor = CursorPos();
    form->move(form->x(), form->y() + cursor.y() - last.y());
    form->move(form->x() + cursor.x() - last.x(), form->y());
    last = CursorPos();
}

void ZoomControl(QWidget* ctrl, int width, int height, float factor)
{
    Require(ctrl, "ctrl");
    ctrl->resize(static_cast<int>(static_cast<float>(width) * factor), ctrl->height());
    ctrl->resize(ctrl->width(), static_cast<int>(static_cast<float>(height) * factor));
}

} // namespace nuv
