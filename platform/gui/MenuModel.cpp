#include "MenuModel.h"

#include "GbkText.h"

#include <algorithm>
#include <utility>

namespace {

bool IsGbkLeadByte(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}

char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameCaptionText(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i]))
            return false;
    }
    return true;
}

// The caption without accelerator marks: "&x" gives "x", "&&" gives "&".
std::string StripHotkey(const std::string& caption)
{
    std::string out;
    out.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        const auto c = static_cast<unsigned char>(caption[i]);
        if (IsGbkLeadByte(c) && i + 1 < caption.size()) {
            out += caption[i];
            out += caption[++i];
        } else if (c == '&' && i + 1 < caption.size()) {
            out += caption[++i];
        } else if (c != '&') {
            out += caption[i];
        }
    }
    return out;
}

TMenuPresenter* gDefaultPresenter = nullptr;

} // namespace

TMenuItem::TMenuItem(QObject* owner)
    : QObject(owner)
{
}

TMenuItem::~TMenuItem()
{
    if (parent_)
        parent_->Remove(this);
    while (!items_.empty())
        delete items_.back(); // each takes itself out of items_
}

char TMenuItem::Accelerator() const
{
    for (size_t i = 0; i < caption_.size(); ++i) {
        const auto c = static_cast<unsigned char>(caption_[i]);
        if (IsGbkLeadByte(c)) {
            ++i;
            continue;
        }
        if (c != '&' || i + 1 >= caption_.size())
            continue;
        const auto next = static_cast<unsigned char>(caption_[i + 1]);
        if (next == '&') {
            ++i;
            continue;
        }
        return next < 0x80 ? AsciiUpper(static_cast<char>(next)) : 0;
    }
    return 0;
}

std::string TMenuItem::StrippedCaption() const
{
    return StripHotkey(caption_);
}

void TMenuItem::SetChecked(bool checked)
{
    checked_ = checked;
    if (!checked_ || !radioItem_ || !parent_)
        return;
    for (TMenuItem* sibling : parent_->items_) {
        if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_)
            sibling->checked_ = false;
    }
}

void TMenuItem::SetRadioItem(bool radio)
{
    radioItem_ = radio;
    if (radio && checked_)
        SetChecked(true);
}

void TMenuItem::SetShortCut(const QKeySequence& key)
{
    shortCut_ = key;
    shortCutText_ = QStringToGbk(key.toString(QKeySequence::NativeText));
}

void TMenuItem::Click()
{
    if (!enabled_)
        return;
    if (autoCheck_ && !(radioItem_ && checked_))
        SetChecked(!checked_);
    // A copy: the handler may replace itself or destroy this item.
    TMenuNotifyEvent handler = onClick_;
    if (handler)
        handler(this);
}

TMenuItem* TMenuItem::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EMenuError("Menu index out of range");
    return items_[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item)
{
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item)
        throw EAssertionFailed("item != NULL");
    if (item->parent_ || item->menu_)
        throw EMenuError("Menu inserted twice");
    for (const TMenuItem* up = this; up; up = up->parent_) {
        if (up == item)
            throw EMenuError("Menu inserted twice");
    }
    if (index < 0 || index > Count())
        throw EMenuError("Menu index out of range");
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    if (!item->QObject::parent())
        item->setParent(this);
    if (item->radioItem_ && item->checked_)
        item->SetChecked(true);
}

void TMenuItem::Detach(int index)
{
    TMenuItem* item = items_[static_cast<size_t>(index)];
    items_.erase(items_.begin() + index);
    item->parent_ = nullptr;
}

void TMenuItem::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw EMenuError("Menu index out of range");
    Detach(index);
}

void TMenuItem::Remove(TMenuItem* item)
{
    const int index = IndexOf(item);
    if (index >= 0)
        Detach(index);
}

void TMenuItem::Clear()
{
    while (!items_.empty())
        delete items_.back();
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenuItem* TMenuItem::Find(const std::string& caption) const
{
    const std::string wanted = StripHotkey(caption);
    for (TMenuItem* item : items_) {
        if (SameCaptionText(item->StrippedCaption(), wanted))
            return item;
    }
    return nullptr;
}

bool TMenuItem::HasVisibleItems() const
{
    return std::any_of(items_.begin(), items_.end(), [](const TMenuItem* i) { return i->visible_; });
}

int TMenuItem::MenuIndex() const
{
    return parent_ ? parent_->IndexOf(this) : -1;
}

void TMenuItem::SetMenuIndex(int index)
{
    if (!parent_)
        return;
    const int from = MenuIndex();
    const int to = std::clamp(index, 0, parent_->Count() - 1);
    auto& list = parent_->items_;
    TMenuItem* self = list[static_cast<size_t>(from)];
    list.erase(list.begin() + from);
    list.insert(list.begin() + to, self);
}

TPopupMenu::TPopupMenu(QObject* owner)
    : QObject(owner)
    , root_(new TMenuItem(this))
{
    root_->menu_ = this;
}

TPopupMenu::~TPopupMenu()
{
    delete root_;
}

void TPopupMenu::Popup(int x, int y)
{
    popupPoint_ = QPoint(x, y);
    TMenuNotifyEvent handler = onPopup_;
    if (handler)
        handler(this);
    if (TMenuPresenter* presenter = presenter_ ? presenter_ : gDefaultPresenter)
        presenter->Present(*this, popupPoint_);
}

TMenuPresenter* TPopupMenu::DefaultPresenter()
{
    return gDefaultPresenter;
}

TMenuPresenter* TPopupMenu::SetDefaultPresenter(TMenuPresenter* presenter)
{
    return std::exchange(gDefaultPresenter, presenter);
}

std::vector<TMenuItem*> ShownMenuItems(const TMenuItem& item, bool reduce)
{
    std::vector<TMenuItem*> shown;
    for (int i = 0; i < item.Count(); ++i) {
        TMenuItem* sub = item.Items(i);
        if (!sub->Visible())
            continue;
        if (reduce && sub->IsLine() && (shown.empty() || shown.back()->IsLine()))
            continue;
        shown.push_back(sub);
    }
    if (reduce && !shown.empty() && shown.back()->IsLine())
        shown.pop_back();
    return shown;
}
