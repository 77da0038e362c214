#pragma once
// The popup components: each Execute obtains a small notice window, puts it in
// the bottom-right corner of the primary screen's work area (just above a
// bottom panel, and clear of a panel on any other side), shows it without
// making it modal and keeps it in a list while it is open. Closing a window
// takes it off the list and destroys it once its close processing is over;
// destroying the component destroys the windows still open.
//
//   TNuvPopupForm      the owner's OnPopupForm handler makes the window
//   TNuvPopupNewsForm  a TNuvSelfPopupNewsForm showing the page at Url
//   TNuvPopupMsgForm   a TNuvSelfPopupMsgForm showing the text Msg
//
// Every window of a component gets the same place, so a second one covers
// the first exactly. A window is placed when it shows, and put back there
// while the window manager frames it; a move by the user is left alone.
// A window destroyed elsewhere (say, with a Qt parent the handler gave it)
// leaves the list at once.

#include "NuvGuardedItems.h"

#include <QObject>
#include <QRect>
#include <QWidget>

#include <functional>
#include <string>

class TNuvCustomPopupForm;

// Supplies the window to show: the handler creates it and stores it in
// userForm (null on entry). The component owns it from then on.
using TPopupFormEvent = std::function<void(QObject* sender, QWidget*& userForm)>;

class TNuvCustomPopupForm : public QObject {
    Q_OBJECT
public:
    explicit TNuvCustomPopupForm(QObject* owner = nullptr);
    // Destroys every window still open, without running its close handler.
    ~TNuvCustomPopupForm() override;

    // Outer size given to every window.
    int FormWidth() const { return formWidth_; }
    void SetFormWidth(int width) { formWidth_ = width; }
    int FormHeight() const { return formHeight_; }
    void SetFormHeight(int height) { formHeight_ = height; }

    // Obtains, places and shows one window; nothing without a handler or when
    // the handler gives no window.
    void Execute();

    // The close handler Execute installs on every window: takes sender off
    // the list and destroys it once the close is processed.
    void FormClose(QObject* sender);

    // The windows open now, in the order of the list.
    int FormCount() const { return FForms.Count(); }
    QWidget* Form(int index) const { return FForms.Items(index); }

    // Where a window of width × height goes: the bottom-right corner of the
    // work area, given the primary screen's work area.
    static QRect PopupPlace(const QRect& workArea, int width, int height);

protected:
    const TPopupFormEvent& OnPopupForm() const { return onPopupForm_; }
    void SetOnPopupForm(TPopupFormEvent handler) { onPopupForm_ = std::move(handler); }

private:
    class CloseWatch;

    nuv::TGuardedItems<QWidget> FForms;
    TPopupFormEvent onPopupForm_;
    int formWidth_ = 250;
    int formHeight_ = 200;
};

// The window comes from the owner's handler.
class TNuvPopupForm : public TNuvCustomPopupForm {
    Q_OBJECT
public:
    explicit TNuvPopupForm(QObject* owner = nullptr);
    using TNuvCustomPopupForm::OnPopupForm;
    using TNuvCustomPopupForm::SetOnPopupForm;
};

// A news window showing the page at Url (GBK text).
class TNuvPopupNewsForm : public TNuvCustomPopupForm {
    Q_OBJECT
public:
    explicit TNuvPopupNewsForm(QObject* owner = nullptr);
    const std::string& Url() const { return url_; }
    void SetUrl(const std::string& url) { url_ = url; }
    // Makes the window and starts loading the page.
    void PopupForm(QObject* sender, QWidget*& userForm);

private:
    std::string url_;
};

// A message window showing the text Msg (GBK; line breaks make lines).
class TNuvPopupMsgForm : public TNuvCustomPopupForm {
    Q_OBJECT
public:
    explicit TNuvPopupMsgForm(QObject* owner = nullptr);
    const std::string& Msg() const { return msg_; }
    void SetMsg(const std::string& msg) { msg_ = msg; }
    void PopupForm(QObject* sender, QWidget*& userForm);

private:
    std::string msg_;
};
