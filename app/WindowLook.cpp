#include "WindowLook.h"

#include "ErrorReport.h"
#include "GbkText.h"
#include "ModalAnswers.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <exception>

void CentreWindow(QWidget* window, const QWidget* over)
{
    QRect area;
    if (over && over->isVisible())
        area = over->frameGeometry();
    else if (QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    else
        return;
    const QSize size = window->frameGeometry().size();
    window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

void RunHandler(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (...) {
        ReportCurrentException();
    }
}

int RunModal(QWidget* form)
{
    if (const auto answer = modal::TakeAnswer(QStringToGbk(form->windowTitle())))
        return *answer;
    QPointer<QWidget> guard(form);
    const Qt::WindowModality old = form->windowModality();
    form->setWindowModality(Qt::ApplicationModal);
    form->show();
    form->raise();
    form->activateWindow();
    QEventLoop loop;
    struct Watch : QObject {
        QEventLoop* loop;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Hide || event->type() == QEvent::Destroy)
                loop->quit();
            return false;
        }
    } watch;
    watch.loop = &loop;
    form->installEventFilter(&watch);
    QObject::connect(form, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (form->isVisible())
        loop.exec(QEventLoop::DialogExec);
    if (guard) {
        guard->removeEventFilter(&watch);
        guard->setWindowModality(old);
    }
    return 0;
}

std::string Gbk(const char* utf8)
{
    return QStringToGbk(QString::fromUtf8(utf8));
}
