#include "NuvPopupForm.h"

#include "CppWebBrowser.h"
#include "GbkText.h"
#include "NuvSelfPopupMsgFormFM.h"
#include "NuvSelfPopupNewsFormFM.h"
#include "WindowSystem.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>

#include <algorithm>

// Watches one window for its close: an accepted close request takes the
// window off its component's list. Also keeps the window's outer rect as
// given when the window manager adds its frame after the window was shown.
class TNuvCustomPopupForm::CloseWatch : public QObject {
public:
    CloseWatch(TNuvCustomPopupForm* component, QWidget* window, QRect outer)
        : QObject(window)
        , component_(component)
        , outer_(outer)
    {
        window->installEventFilter(this);
    }

    // The frame's size beyond the window's own: (0, 0) until it is framed.
    static QSize FrameExtra(const QWidget* window)
    {
        return window->frameGeometry().size() - window->geometry().size();
    }

    // Gives the window the outer rect, its frame (when known) included.
    static void Place(QWidget* window, const QRect& outer)
    {
        const QSize extra = FrameExtra(window);
        const QSize inner(
            std::max(1, outer.width() - extra.width()), std::max(1, outer.height() - extra.height()));
        // Only when needed: a resize sends the window's position as Qt last
        // knew it, which may overtake the move to the corner.
        if (window->size() != inner)
            window->resize(inner);
        window->move(outer.topLeft()); // the frame's top-left corner
    }

    // The window has just been shown and settles from now on. While it does,
    // it is also looked at every 100 ms: the window manager may give it its
    // frame without a move of the window itself, so without a move event.
    void Shown(QWidget* window)
    {
        settling_.start();
        auto* look = new QTimer(this);
        connect(look, &QTimer::timeout, this, [this, window, look] {
            if (Settling())
                Correct(window);
            else
                look->stop();
        });
        look->start(100);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize) {
            Correct(window);
        } else if (event->type() == QEvent::Close) {
            // Runs before the window's own close processing, which then ends
            // as usual; the component destroys the window only afterwards.
            if (QPointer<TNuvCustomPopupForm> component = component_.data())
                QMetaObject::invokeMethod(
                    component,
                    [component, window = QPointer<QWidget>(window)] {
                        if (window && !window->isVisible())
                            component->FormClose(window);
                    },
                    Qt::QueuedConnection);
        }
        return false;
    }

private:
    static constexpr qint64 SettleMilliseconds = 1000;
    static constexpr int MaxCorrections = 8;

    bool Settling() const { return settling_.isValid() && settling_.elapsed() < SettleMilliseconds; }

    // The window manager frames the window after it shows, and may answer the
    // placements made meanwhile late, when the frame is known: it then puts
    // the window itself, not its frame, at the corner's point, or leaves it at
    // the screen's origin. So while the window settles (a second after it
    // shows, or after the last correction) it goes back to its corner
    // whenever it is elsewhere; later only from those two places. Any other
    // move is the user's, and the window stays where it was put.
    bool Misplaced(const QWidget* window) const
    {
        const QRect frame = window->frameGeometry();
        if (frame == outer_)
            return false;
        if (Settling())
            return true;
        return window->geometry().topLeft() == outer_.topLeft() || frame.topLeft() == QPoint(0, 0);
    }

    void Correct(QWidget* window)
    {
        // The events of a placement under way wait for the next look.
        if (placing_ || !window->isVisible() || corrections_ >= MaxCorrections || !Misplaced(window))
            return;
        ++corrections_;
        placing_ = true;
        Place(window, outer_);
        placing_ = false;
        settling_.restart();
    }

    QPointer<TNuvCustomPopupForm> component_;
    QRect outer_;
    QElapsedTimer settling_;
    int corrections_ = 0;
    bool placing_ = false;
};

TNuvCustomPopupForm::TNuvCustomPopupForm(QObject* owner)
    : QObject(owner)
{
}

TNuvCustomPopupForm::~TNuvCustomPopupForm()
{
    FForms.Clear();
}

QRect TNuvCustomPopupForm::PopupPlace(const QRect& workArea, int width, int height)
{
    return QRect(workArea.right() + 1 - width, workArea.bottom() + 1 - height, width, height);
}

void TNuvCustomPopupForm::Execute()
{
    if (!onPopupForm_)
        return;
    QWidget* window = nullptr;
    const TPopupFormEvent handler = onPopupForm_; // it may replace itself
    handler(this, window);
    if (!window)
        return;
    const QRect workArea = WindowSystem().WorkArea(nullptr); // the primary screen's
    if (workArea.isEmpty()) {
        delete window; // no screen to show it on
        return;
    }
    const QRect outer = PopupPlace(workArea, formWidth_, formHeight_);
    CloseWatch::Place(window, outer);
    auto* watch = new CloseWatch(this, window, outer);
    FForms.Add(window);
    window->show();
    if (window->frameGeometry() != outer) // framed at once
        CloseWatch::Place(window, outer);
    watch->Shown(window);
}

void TNuvCustomPopupForm::FormClose(QObject* sender)
{
    if (!sender)
        return;
    const int index = FForms.IndexOf(static_cast<QWidget*>(sender));
    if (index < 0)
        return;
    QWidget* window = FForms.Extract(index);
    window->deleteLater();
}

TNuvPopupForm::TNuvPopupForm(QObject* owner)
    : TNuvCustomPopupForm(owner)
{
}

TNuvPopupNewsForm::TNuvPopupNewsForm(QObject* owner)
    : TNuvCustomPopupForm(owner)
{
    SetOnPopupForm([this](QObject* sender, QWidget*& userForm) { PopupForm(sender, userForm); });
}

void TNuvPopupNewsForm::PopupForm(QObject*, QWidget*& userForm)
{
    auto* window = new TNuvSelfPopupNewsForm();
    window->WebNews->Navigate(GbkToQString(url_).toStdU16String());
    userForm = window;
}

TNuvPopupMsgForm::TNuvPopupMsgForm(QObject* owner)
    : TNuvCustomPopupForm(owner)
{
    SetOnPopupForm([this](QObject* sender, QWidget*& userForm) { PopupForm(sender, userForm); });
}

void TNuvPopupMsgForm::PopupForm(QObject*, QWidget*& userForm)
{
    auto* window = new TNuvSelfPopupMsgForm();
    window->MemoMsg->setPlainText(GbkToQString(msg_));
    userForm = window;
}
