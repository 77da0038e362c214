#pragma once
// Showing a window and waiting for its first paint, for the start-up figures.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

class FirstPaint : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

inline void WaitForPaint(QWidget& window, FirstPaint& watch)
{
    window.installEventFilter(&watch);
    window.show();
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    window.removeEventFilter(&watch);
}
