#include "WindowLook.h"

#include "ErrorReport.h"
#include "GbkText.h"

#include <QGuiApplication>
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

std::string Gbk(const char* utf8)
{
    return QStringToGbk(QString::fromUtf8(utf8));
}
