#pragma once
// TNuvFormStyle: switches its form between a normal window, a window above
// every other one and a window pinned to the desktop, and keeps three menu
// items in step with the style. It takes over the clicks of those items and
// still calls the handlers they had before, after its own work.
//
// On the window system the styles are: normal, an ordinary top-level window;
// stay on top, above every ordinary window; on desktop, below every ordinary
// window, on every workspace and without taskbar or pager entry. Leaving the
// pinned style always gives an ordinary top-level window again (above all for
// stay on top), with the taskbar entry it had before it was pinned.

#include "MenuModel.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace nuv {

enum TFormStyle { fsNormal = 0, fsStayOnTop = 1, fsOnDesktop = 2 };

} // namespace nuv

class TNuvFormStyle : public QObject {
    Q_OBJECT
public:
    // The owner is the form when it is a top-level widget; any other owner
    // leaves the component without form, and styles then only move the marks.
    explicit TNuvFormStyle(QObject* owner = nullptr);
    // Gives the bound items back the click handlers they had.
    ~TNuvFormStyle() override;

    // Whether the component sets the check marks of its items; false at first.
    bool AutoChecked() const { return autoChecked_; }
    void SetAutoChecked(bool on) { autoChecked_ = on; }

    // The form acted on, or null.
    QWidget* Form() const { return form_; }

    // Whether pinning leaves the form's taskbar entry alone; false at first.
    // A program without a notification area sets it: its taskbar entry is
    // then the only way back to a pinned window that was minimized.
    bool KeepTaskbarEntry() const { return keepTaskbarEntry_; }
    void SetKeepTaskbarEntry(bool on) { keepTaskbarEntry_ = on; }

    // The current style; writing another one applies it, writing the same
    // one does nothing.
    nuv::TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(nuv::TFormStyle value);

    // The item of each style (not owned; null once the item is destroyed).
    // Attaching an item keeps its click handler and installs the component's.
    TMenuItem* FSNormalMenuItem() const { return items_[nuv::fsNormal]; }
    void SetFSNormalMenuItem(TMenuItem* item) { SetItem(nuv::fsNormal, item); }
    TMenuItem* FSStayOnTopMenuItem() const { return items_[nuv::fsStayOnTop]; }
    void SetFSStayOnTopMenuItem(TMenuItem* item) { SetItem(nuv::fsStayOnTop, item); }
    TMenuItem* FSOnDesktopMenuItem() const { return items_[nuv::fsOnDesktop]; }
    void SetFSOnDesktopMenuItem(TMenuItem* item) { SetItem(nuv::fsOnDesktop, item); }

    // The click handlers installed on the items: the style of the item, then
    // the handler the item had, with the same sender.
    void NormalMenuClick(QObject* sender) { MenuClick(nuv::fsNormal, sender); }
    void StayOnTopMenuClick(QObject* sender) { MenuClick(nuv::fsStayOnTop, sender); }
    void OnDesktopMenuClick(QObject* sender) { MenuClick(nuv::fsOnDesktop, sender); }

protected:
    // Apply one style to the form, then set the marks (normal, stay on top,
    // on desktop item, in that order).
    void NormalFormStyle();
    void StayOnTopFormStyle();
    void OnDesktopFormStyle();
    // Sets item's check mark when AutoChecked is on and item is not null.
    void SetMenuCheck(TMenuItem* item, bool checked);

private:
    struct OwnClick;

    void SetItem(nuv::TFormStyle role, TMenuItem* item);
    void MenuClick(nuv::TFormStyle role, QObject* sender);
    // Stacking, workspaces and taskbar entry of the form for style.
    void ApplyToWindow(nuv::TFormStyle style);
    void SetMarks(nuv::TFormStyle style);
    // handler as one this component installed, or null.
    const OwnClick* OwnHandler(const TMenuNotifyEvent& handler) const;

    bool keepTaskbarEntry_ = false;
    bool autoChecked_ = false;
    QPointer<QWidget> form_;
    nuv::TFormStyle formStyle_ = nuv::fsNormal;
    QPointer<TMenuItem> items_[3];
    TMenuNotifyEvent kept_[3];
    // Whether the form is pinned now, and whether it skipped the taskbar before.
    bool pinned_ = false;
    bool skippedTaskbarBefore_ = false;
};
