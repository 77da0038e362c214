#include "NuvFormStyle.h"

#include "WindowSystem.h"

// The handler installed on an item: the component, the item's role and the
// handler the item had before. A handler of this type is recognised when an
// item is attached again, so the component never keeps (and then chains to)
// one of its own handlers, and an item attached twice still calls its own
// first handler.
struct TNuvFormStyle::OwnClick {
    QPointer<TNuvFormStyle> component;
    nuv::TFormStyle role;
    TMenuNotifyEvent original;

    void operator()(QObject* sender) const
    {
        // Copies: the style change or the handler may replace this one.
        const TMenuNotifyEvent before = original;
        if (QPointer<TNuvFormStyle> target = component)
            target->SetFormStyle(role);
        if (before)
            before(sender);
    }
};

TNuvFormStyle::TNuvFormStyle(QObject* owner)
    : QObject(owner)
{
    auto* widget = qobject_cast<QWidget*>(owner);
    if (widget && widget->isWindow())
        form_ = widget;
    SetFormStyle(nuv::fsNormal); // already the value: nothing is applied
}

TNuvFormStyle::~TNuvFormStyle()
{
    for (const QPointer<TMenuItem>& item : items_)
        if (item) {
            if (const OwnClick* own = OwnHandler(item->OnClick()))
                item->SetOnClick(own->original);
        }
}

void TNuvFormStyle::SetFormStyle(nuv::TFormStyle value)
{
    if (value == formStyle_)
        return;
    formStyle_ = value;
    switch (value) {
    case nuv::fsNormal:
        NormalFormStyle();
        break;
    case nuv::fsStayOnTop:
        StayOnTopFormStyle();
        break;
    case nuv::fsOnDesktop:
        OnDesktopFormStyle();
        break;
    }
}

void TNuvFormStyle::NormalFormStyle()
{
    ApplyToWindow(nuv::fsNormal);
    SetMarks(nuv::fsNormal);
}

void TNuvFormStyle::StayOnTopFormStyle()
{
    ApplyToWindow(nuv::fsStayOnTop);
    SetMarks(nuv::fsStayOnTop);
}

void TNuvFormStyle::OnDesktopFormStyle()
{
    ApplyToWindow(nuv::fsOnDesktop);
    SetMarks(nuv::fsOnDesktop);
}

void TNuvFormStyle::ApplyToWindow(nuv::TFormStyle style)
{
    QWidget* form = form_;
    if (!form)
        return;
    IWindowSystem& system = WindowSystem();
    if (style == nuv::fsOnDesktop) {
        system.SetTopMost(form, false);
        if (!pinned_) {
            skippedTaskbarBefore_ = system.SkipsTaskbar(form);
            pinned_ = true;
        }
        if (!keepTaskbarEntry_)
            system.SetSkipTaskbar(form, true);
        system.SetBelowAll(form, true);
        system.SetOnAllDesktops(form, true);
        return;
    }
    if (pinned_) {
        pinned_ = false;
        system.SetOnAllDesktops(form, false);
        system.SetBelowAll(form, false);
        if (!keepTaskbarEntry_)
            system.SetSkipTaskbar(form, skippedTaskbarBefore_);
    } else {
        system.SetBelowAll(form, false);
    }
    system.SetTopMost(form, style == nuv::fsStayOnTop);
}

void TNuvFormStyle::SetMarks(nuv::TFormStyle style)
{
    SetMenuCheck(items_[nuv::fsNormal], style == nuv::fsNormal);
    SetMenuCheck(items_[nuv::fsStayOnTop], style == nuv::fsStayOnTop);
    SetMenuCheck(items_[nuv::fsOnDesktop], style == nuv::fsOnDesktop);
}

void TNuvFormStyle::SetMenuCheck(TMenuItem* item, bool checked)
{
    if (autoChecked_ && item)
        item->SetChecked(checked);
}

void TNuvFormStyle::MenuClick(nuv::TFormStyle role, QObject* sender)
{
    SetFormStyle(role);
    // A copy: the kept handler may attach other items while it runs.
    const TMenuNotifyEvent kept = kept_[role];
    if (kept)
        kept(sender);
}

const TNuvFormStyle::OwnClick* TNuvFormStyle::OwnHandler(const TMenuNotifyEvent& handler) const
{
    const OwnClick* own = handler.target<OwnClick>();
    return own && own->component == this ? own : nullptr;
}

void TNuvFormStyle::SetItem(nuv::TFormStyle role, TMenuItem* item)
{
    if (item == items_[role])
        return;
    items_[role] = item;
    if (!item)
        return;
    // An item attached before keeps the handler it had then, never ours.
    const OwnClick* own = OwnHandler(item->OnClick());
    kept_[role] = own ? own->original : item->OnClick();
    if (!own || own->role != role)
        item->SetOnClick(OwnClick { this, role, kept_[role] });
}
