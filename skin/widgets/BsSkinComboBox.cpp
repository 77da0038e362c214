#include "BsSkinComboBox.h"

#include "BsSkinDataGeometry.h"
#include "Bsskindata.h"
#include "GbkText.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

// --- TbsPopupListBox

TbsPopupListBox::TbsPopupListBox(TbsSkinComboBox* combo)
    : TbsSkinListBox(combo)
    , combo_(combo)
{
    setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    ListBox()->setMouseTracking(true);
    ListBox()->installEventFilter(this);
    ListBox()->viewport()->installEventFilter(this);
}

void TbsPopupListBox::hideEvent(QHideEvent* event)
{
    TbsSkinListBox::hideEvent(event);
    // A click elsewhere closes the pop-up: that is a close-up without accepting.
    if (combo_->droppedDown_)
        combo_->CloseUp(false);
}

bool TbsPopupListBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListBox()->viewport()) {
        if (event->type() == QEvent::MouseMove) {
            // The row under the mouse is the one selected.
            auto* move = static_cast<QMouseEvent*>(event);
            const QModelIndex index = ListBox()->indexAt(move->position().toPoint());
            if (index.isValid() && index.row() != ItemIndex())
                SetItemIndex(index.row());
        } else if (event->type() == QEvent::MouseButtonRelease) {
            auto* release = static_cast<QMouseEvent*>(event);
            if (release->button() == Qt::LeftButton) {
                const QModelIndex index = ListBox()->indexAt(release->position().toPoint());
                if (index.isValid()) {
                    SetItemIndex(index.row());
                    combo_->CloseUp(true);
                    return true;
                }
                combo_->CloseUp(ListBox()->viewport()->rect().contains(release->position().toPoint()));
                return true;
            }
        }
    } else if (watched == ListBox() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            combo_->CloseUp(true);
            return true;
        case Qt::Key_Escape:
            combo_->CloseUp(false);
            return true;
        case Qt::Key_Up:
            if (key->modifiers() & Qt::AltModifier) {
                combo_->CloseUp(false);
                return true;
            }
            break;
        default:
            break;
        }
    }
    return TbsSkinListBox::eventFilter(watched, event);
}

// --- TbsSkinComboBox

TbsSkinComboBox::TbsSkinComboBox(QWidget* parent)
    : TbsSkinCustomControl(parent, "combobox")
{
    resize(145, 20);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

TbsSkinComboBox::~TbsSkinComboBox()
{
    droppedDown_ = false;
    delete popup_;
    popup_ = nullptr;
}

void TbsSkinComboBox::SetItems(const std::vector<std::string>& items)
{
    items_ = items;
    if (itemIndex_ >= static_cast<int>(items_.size()))
        itemIndex_ = -1;
    update();
}

void TbsSkinComboBox::AddItem(const std::string& text)
{
    items_.push_back(text);
    update();
}

void TbsSkinComboBox::ClearItems()
{
    items_.clear();
    itemIndex_ = -1;
    update();
}

void TbsSkinComboBox::SetItemIndex(int value)
{
    itemIndex_ = value >= 0 && value < static_cast<int>(items_.size()) ? value : -1;
    update();
}

std::string TbsSkinComboBox::Text() const
{
    return itemIndex_ >= 0 ? items_[static_cast<size_t>(itemIndex_)] : std::string();
}

void TbsSkinComboBox::SetUseSkinSize(bool value)
{
    useSkinSize_ = value;
    ChangeSkinData();
}

QSize TbsSkinComboBox::CalcSize(QSize size) const
{
    return useSkinSize_ ? TbsSkinCustomControl::CalcSize(size) : size;
}

void TbsSkinComboBox::ChangeSkinData()
{
    TbsSkinCustomControl::ChangeSkinData();
    if (popup_)
        popup_->SetSkinData(SkinData());
}

void TbsSkinComboBox::CalcRects(TRect& button, TRect& item) const
{
    const int w = width();
    const int h = height();
    auto* entry = SkinEntry<TbsDataSkinComboBox>();
    if (!entry) {
        button = TRect(w - 19, 2, w - 2, h - 2);
        item = TRect(2, 2, button.Left - 1, h - 2);
        return;
    }
    const int dx = w - entry->SkinRect.Width();
    const int dy = h - entry->SkinRect.Height();
    button = entry->ButtonRect;
    if (button.Left >= entry->RTPoint.x())
        button = button.Offset(dx, 0);
    item = entry->ClRect;
    item.Right += dx;
    if (!useSkinSize_) {
        button.Bottom += dy;
        item.Bottom += dy;
    }
}

QRect TbsSkinComboBox::ButtonRect() const
{
    TRect button, item;
    CalcRects(button, item);
    return button.ToQRect();
}

QRect TbsSkinComboBox::ItemArea() const
{
    TRect button, item;
    CalcRects(button, item);
    return item.ToQRect();
}

bool TbsSkinComboBox::ActiveLook() const
{
    return MouseIn() || hasFocus() || droppedDown_;
}

// --- drop-down and close-up

void TbsSkinComboBox::DropDown()
{
    if (items_.empty() || droppedDown_)
        return;
    if (OnDropDown)
        OnDropDown(this);
    if (!popup_)
        popup_ = new TbsPopupListBox(this);
    auto* entry = SkinEntry<TbsDataSkinComboBox>();
    popup_->SetSkinData(SkinData());
    popup_->SetSkinDataName(
        entry && !entry->ListBoxName.empty() ? entry->ListBoxName : std::string("listbox"));
    popup_->SetUseSkinItemHeight(listBoxUseSkinItemHeight_);
    popup_->SetDefaultItemHeight(listBoxDefaultItemHeight_);
    popup_->SetDefaultFont(DefaultFont());
    popup_->SetItems(items_);
    popup_->resize(listBoxWidth_ > 0 ? listBoxWidth_ : width(), popup_->height());
    popup_->SetRowCount(std::min(static_cast<int>(items_.size()), dropDownCount_));
    savedIndex_ = itemIndex_;
    popup_->SetItemIndex(itemIndex_);
    if (itemIndex_ >= 0)
        popup_->SetTopIndex(itemIndex_);
    popup_->UpDateScrollBar();
    // Below the combo, or above it when the list would pass the work area's bottom.
    QPoint at = mapToGlobal(QPoint(0, height()));
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen && at.y() + popup_->height() > screen->availableGeometry().bottom() + 1)
        at = mapToGlobal(QPoint(0, -popup_->height()));
    popup_->move(at);
    droppedDown_ = true;
    popup_->show();
    popup_->ListBox()->setFocus();
    update();
}

void TbsSkinComboBox::CloseUp(bool accept)
{
    if (!droppedDown_)
        return;
    droppedDown_ = false;
    buttonPressed_ = false;
    if (popup_)
        popup_->hide();
    const int chosen = popup_ ? popup_->ItemIndex() : -1;
    if (accept && chosen >= 0) {
        itemIndex_ = chosen;
        if (OnClick)
            OnClick(this);
        if (OnChange)
            OnChange(this);
    } else {
        itemIndex_ = savedIndex_;
    }
    update();
    if (accept && OnCloseUp)
        OnCloseUp(this);
}

// --- input

void TbsSkinComboBox::Step(int delta)
{
    if (items_.empty())
        return;
    const int last = static_cast<int>(items_.size()) - 1;
    const int next = std::clamp(itemIndex_ < 0 ? (delta > 0 ? 0 : last) : itemIndex_ + delta, 0, last);
    if (next == itemIndex_)
        return;
    itemIndex_ = next;
    update();
    if (OnClick)
        OnClick(this);
    if (OnChange)
        OnChange(this);
}

void TbsSkinComboBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    buttonPressed_ = ButtonRect().contains(event->position().toPoint());
    if (droppedDown_)
        CloseUp(false);
    else
        DropDown();
    update();
}

void TbsSkinComboBox::mouseMoveEvent(QMouseEvent* event)
{
    const bool over = ButtonRect().contains(event->position().toPoint());
    if (over != mouseOverButton_) {
        mouseOverButton_ = over;
        update();
    }
}

void TbsSkinComboBox::mouseReleaseEvent(QMouseEvent*)
{
    buttonPressed_ = false;
    update();
}

void TbsSkinComboBox::keyPressEvent(QKeyEvent* event)
{
    const int page = std::max(dropDownCount_ - 1, 1);
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        Step(-1);
        break;
    case Qt::Key_Down:
        if (event->modifiers() & Qt::AltModifier)
            DropDown();
        else
            Step(1);
        break;
    case Qt::Key_Right:
        Step(1);
        break;
    case Qt::Key_PageUp:
        Step(-page);
        break;
    case Qt::Key_PageDown:
        Step(page);
        break;
    case Qt::Key_F4:
        DropDown();
        break;
    default:
        TbsSkinCustomControl::keyPressEvent(event);
    }
}

void TbsSkinComboBox::wheelEvent(QWheelEvent* event)
{
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    // One item a notch; the finer steps of touchpads add up to one.
    if (const int steps = wheel_.Add(event->angleDelta().y()))
        Step(-steps);
}

void TbsSkinComboBox::focusInEvent(QFocusEvent* event)
{
    TbsSkinCustomControl::focusInEvent(event);
    update();
}

void TbsSkinComboBox::focusOutEvent(QFocusEvent* event)
{
    TbsSkinCustomControl::focusOutEvent(event);
    update();
}

void TbsSkinComboBox::MouseEnter()
{
    update();
}

void TbsSkinComboBox::MouseLeave()
{
    mouseOverButton_ = false;
    update();
}

// --- drawing

void TbsSkinComboBox::DrawItemText(QPainter& painter, const QRect& r, const QColor& color, const QFont& font)
{
    // While the list is open the combo shows the item selected when it opened.
    const int shown = droppedDown_ ? savedIndex_ : itemIndex_;
    if (shown < 0 || shown >= static_cast<int>(items_.size()))
        return;
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(r, int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine),
        GbkToQString(items_[static_cast<size_t>(shown)]));
}

void TbsSkinComboBox::CreateControlDefaultImage(QImage& image)
{
    using namespace bswidgets;
    QPainter painter(&image);
    painter.fillRect(image.rect(), ToQColor(clWindow));
    painter.setPen(ToQColor(clBtnShadow));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    const QRect button = ButtonRect();
    const bool pressed = (buttonPressed_ && mouseOverButton_) || droppedDown_;
    if (pressed)
        FrameAndFill(painter, button, ToQColor(NavyFrame), ToQColor(PressedFill));
    else if (mouseOverButton_ && isEnabled())
        FrameAndFill(painter, button, ToQColor(NavyFrame), ToQColor(HotFill));
    else
        FrameAndFill(painter, button, ToQColor(clBtnShadow), ToQColor(clBtnFace));
    DrawArrow(painter, button, arDown, ToQColor(isEnabled() ? clBtnText : clGrayText));
    const QRect item = ItemArea();
    const bool focused = hasFocus() && !droppedDown_;
    if (focused)
        painter.fillRect(item, ToQColor(clHighlight));
    DrawItemText(painter, item.adjusted(2, 0, -2, 0),
        ToQColor(!isEnabled() ? clGrayText
                : focused     ? clHighlightText
                              : DefaultFontColor()),
        DefaultFont());
    if (focused)
        DrawFocusRect(painter, item, ToQColor(clHighlight));
}

void TbsSkinComboBox::CreateControlSkinImage(QImage& image, const TbsSkinLook& look)
{
    auto* entry = SkinEntry<TbsDataSkinComboBox>();
    if (!entry || !look.Picture) {
        TbsSkinCustomControl::CreateControlSkinImage(image, look);
        return;
    }
    const QImage& picture = *look.Picture;
    const bool active = ActiveLook();
    const TRect lookRect
        = active && !entry->ActiveSkinRect.IsNull() ? entry->ActiveSkinRect : entry->SkinRect;
    if (useSkinSize_ && lookRect == entry->SkinRect)
        DrawCommonSkinImage(image, look, lookRect);
    QPainter painter(&image);
    if (useSkinSize_) {
        if (lookRect != entry->SkinRect)
            painter.drawImage(0, 0,
                CreateHSkinImage(look.Geom.Layout.LTPoint.x(),
                    std::max(entry->SkinRect.Width() - look.Geom.Layout.RTPoint.x(), 0), picture, lookRect,
                    width(), height(), entry->StretchEffect));
    } else {
        painter.drawImage(
            0, 0, CreateStretchImage(picture, lookRect, width(), height(), true, entry->ClRect));
    }
    // The button.
    const QRect button = ButtonRect();
    const bool pressed = (buttonPressed_ && mouseOverButton_) || droppedDown_;
    if (useSkinSize_) {
        TRect buttonLook;
        if (!isEnabled() && !entry->UnEnabledButtonRect.IsNull())
            buttonLook = entry->UnEnabledButtonRect;
        else if (pressed && !entry->DownButtonRect.IsNull())
            buttonLook = entry->DownButtonRect;
        else if (mouseOverButton_ && !entry->ActiveButtonRect.IsNull())
            buttonLook = entry->ActiveButtonRect;
        if (!buttonLook.IsNull())
            bsutils::StretchPiece(image, TRect::FromQRect(button), picture, buttonLook);
    } else {
        const TbsDataSkinButtonControl* buttonSkin = nullptr;
        for (const char* name : { "combobutton", "editbutton", "resizebutton" })
            if ((buttonSkin = SkinEntryNamed<TbsDataSkinButtonControl>(name)))
                break;
        const QImage* buttonPicture = buttonSkin ? SkinPicture(buttonSkin->PictureIndex) : nullptr;
        if (buttonSkin && buttonPicture) {
            const TRect r = pressed && !buttonSkin->DownSkinRect.IsNull()  ? buttonSkin->DownSkinRect
                : mouseOverButton_ && !buttonSkin->ActiveSkinRect.IsNull() ? buttonSkin->ActiveSkinRect
                                                                           : buttonSkin->SkinRect;
            TbsNinePieceLayout layout = ControlSkinGeomOf(*buttonSkin, buttonPicture).Layout;
            painter.drawImage(button.topLeft(),
                CreateSkinImage(layout, *buttonPicture, r, button.width(), button.height()));
        }
        bswidgets::DrawArrow(
            painter, button, bswidgets::arDown, ToQColor(isEnabled() ? entry->FontColor : clGrayText));
    }
    // The selected item.
    const QRect item = ItemArea();
    const bool focused = hasFocus() && !droppedDown_;
    QColor color = ToQColor(entry->FontColor);
    TRect itemLook = entry->ItemRect;
    bool stretch = entry->ItemStretchEffect;
    if (focused && !entry->FocusItemRect.IsNull()) {
        itemLook = entry->FocusItemRect;
        stretch = entry->FocusItemStretchEffect;
        color = ToQColor(entry->FocusFontColor);
    } else if (active && !entry->ActiveItemRect.IsNull()) {
        itemLook = entry->ActiveItemRect;
        color = ToQColor(entry->ActiveFontColor);
    }
    if (!isEnabled())
        color = ToQColor(clGrayText);
    if (!itemLook.IsNull() && item.width() > 0)
        painter.drawImage(item.topLeft(),
            CreateHSkinImage(entry->ItemLeftOffset, entry->ItemRightOffset, picture, itemLook, item.width(),
                item.height(), stretch));
    TRect text = entry->ItemTextRect;
    text.Right += item.width() - entry->ItemRect.Width();
    const QRect textRect
        = text.IsNull() ? item.adjusted(2, 0, -2, 0) : text.ToQRect().translated(item.topLeft());
    DrawItemText(
        painter, textRect, color, ControlFont(entry->FontName, entry->FontHeight, entry->FontStyle, true));
    if (entry->ShowFocus && focused)
        bswidgets::DrawFocusRect(painter, item, SkinColor(&TbsSkinColors::cBtnFace, clBtnFace));
}
