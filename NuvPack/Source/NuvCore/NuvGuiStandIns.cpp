#include "NuvGuiStandIns.h"

#include <QCursor>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QWidget>
#include <QWindow>

namespace nuvgui_standin {

QString GbkToQString(const std::string& gbk)
{
    QStringDecoder decoder("GBK");
    return decoder(QByteArrayView(gbk.data(), static_cast<qsizetype>(gbk.size())));
}

std::string QStringToGbk(const QString& text)
{
    QStringEncoder encoder("GBK");
    const QByteArray bytes = encoder(text);
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QPoint CursorPos()
{
    return QCursor::pos();
}

namespace {

    // Sets new flags on a window without recreating it while it is being shown,
    // and by a re-show when it is already on screen.
    void ApplyFlags(QWidget* window, Qt::WindowFlags flags)
    {
        if (flags == window->windowFlags())
            return;
        if (window->isVisible()) {
            window->setWindowFlags(flags);
            window->show();
            return;
        }
        window->overrideWindowFlags(flags);
        if (QWindow* handle = window->windowHandle())
            handle->setFlags(flags);
    }

} // namespace

// A tool window has no taskbar or pager entry on the X11 desktops.
void SetSkipTaskbar(QWidget* window)
{
    ApplyFlags(window, (window->windowFlags() & ~Qt::WindowType_Mask) | Qt::Tool);
}

bool SkipsTaskbar(const QWidget* window)
{
    return window->windowType() == Qt::Tool;
}

void SetBelowAll(QWidget* window)
{
    ApplyFlags(window, (window->windowFlags() & ~Qt::WindowStaysOnTopHint) | Qt::WindowStaysOnBottomHint);
}

bool IsBelowAll(const QWidget* window)
{
    return window->windowFlags().testFlag(Qt::WindowStaysOnBottomHint);
}

} // namespace nuvgui_standin
