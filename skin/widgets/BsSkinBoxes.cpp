#include "BsSkinBoxes.h"

#include "BsSkinDataGeometry.h"
#include "Bsskindata.h"
#include "GbkText.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QWheelEvent>

namespace {

constexpr int RepeatDelay = 500;
constexpr int RepeatInterval = 50;
constexpr int GbkRole = Qt::UserRole + 1;

// Copies piece s of picture to (x, y), leaving out pixels of the transparent colour.
void DrawPiece(QImage& dest, QPoint at, const QImage& piece, bool transparent, TColor color)
{
    if (!transparent) {
        bsutils::CopyPiece(dest, at.x(), at.y(), piece, TRect(0, 0, piece.width(), piece.height()));
        return;
    }
    const QImage src = bsutils::As32Bit(piece);
    const QRgb key = ToQColor(color).rgb() & 0xFFFFFF;
    for (int y = 0; y < src.height(); ++y) {
        const int dy = at.y() + y;
        if (dy < 0 || dy >= dest.height())
            continue;
        auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(dest.scanLine(dy));
        for (int x = 0; x < src.width(); ++x) {
            const int dx = at.x() + x;
            if (dx >= 0 && dx < dest.width() && (in[x] & 0xFFFFFF) != key)
                out[dx] = in[x];
        }
    }
}

TRect Or(const TRect& r, const TRect& fallback)
{
    return r.IsNull() ? fallback : r;
}

} // namespace

// --- TbsSkinScrollBar

TbsSkinScrollBar::TbsSkinScrollBar(QWidget* parent)
    : TbsSkinCustomControl(parent, "hscrollbar")
{
    resize(200, 19);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    timer_.setSingleShot(false);
    connect(&timer_, &QTimer::timeout, this, &TbsSkinScrollBar::TimerTick);
}

void TbsSkinScrollBar::SetKind(TScrollBarKind value)
{
    if (kind_ == value)
        return;
    kind_ = value;
    resize(height(), width());
    SetSkinDataName(value == sbVertical ? "vscrollbar" : "hscrollbar");
}

void TbsSkinScrollBar::SetMin(int value)
{
    SetRange(value, range_.Max, range_.PageSize, range_.Position);
}
void TbsSkinScrollBar::SetMax(int value)
{
    SetRange(range_.Min, value, range_.PageSize, range_.Position);
}

void TbsSkinScrollBar::SetPosition(int value)
{
    const int position = ClampScrollPosition(range_, value);
    if (position == range_.Position)
        return;
    range_.Position = position;
    update();
    if (OnChange)
        OnChange(this);
}

void TbsSkinScrollBar::ScrollBy(long long delta)
{
    SetPosition(TRect::Saturate(range_.Position + delta));
}

void TbsSkinScrollBar::SetPageSize(int value)
{
    if (value < 0 || !AcceptsPageSize(range_, value))
        return;
    range_.PageSize = value;
    update();
}

void TbsSkinScrollBar::SetRange(int min, int max, int pageSize, int position)
{
    const int old = range_.Position;
    range_.Min = min;
    range_.Max = std::max(min, max);
    const long long span = static_cast<long long>(range_.Max) - range_.Min + 1;
    range_.PageSize
        = static_cast<int>(std::clamp<long long>(pageSize, 0, std::min<long long>(span, INT_MAX)));
    range_.Position = ClampScrollPosition(range_, position);
    update();
    if (old != range_.Position && OnChange)
        OnChange(this);
}

void TbsSkinScrollBar::SetCanFocused(bool value)
{
    canFocused_ = value;
    setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
}

void TbsSkinScrollBar::SetBoth(bool value)
{
    if (both_ == value)
        return;
    both_ = value;
    if (value) {
        plainSkinDataName_ = SkinDataName();
        SetSkinDataName(bothSkinDataName_);
    } else {
        SetSkinDataName(plainSkinDataName_.empty() ? std::string("hscrollbar") : plainSkinDataName_);
    }
    update();
}

void TbsSkinScrollBar::SetBothMarkerWidth(int value)
{
    bothMarkerWidth_ = value;
    update();
}

void TbsSkinScrollBar::SetBothSkinDataName(const std::string& value)
{
    bothSkinDataName_ = value;
    if (both_)
        SetSkinDataName(value);
}

TbsScrollBarRects TbsSkinScrollBar::CurrentRects() const
{
    const bool vertical = kind_ == sbVertical;
    if (auto* entry = SkinEntry<TbsDataSkinScrollBarControl>())
        return CalcSkinScrollBarRects(ScrollBarSkinGeomOf(*entry, SkinPicture(entry->PictureIndex)), vertical,
            width(), height(), range_);
    return CalcDefaultScrollBarRects(vertical, width(), height(), range_, both_, bothMarkerWidth_);
}

TbsSkinScrollBar::Part TbsSkinScrollBar::PartAt(QPoint p) const
{
    const TbsScrollBarRects r = CurrentRects();
    if (r.UpButton.Contains(p))
        return ptUp;
    if (r.DownButton.Contains(p))
        return ptDown;
    if (!isEnabled())
        return ptNone;
    if (r.Thumb.Contains(p))
        return ptThumb;
    if (r.Track.Contains(p)) {
        const int thumbStart = kind_ == sbVertical ? r.Thumb.Top : r.Thumb.Left;
        return Along(p) < thumbStart ? ptPageUp : ptPageDown;
    }
    return ptNone;
}

void TbsSkinScrollBar::Step(Part part)
{
    switch (part) {
    case ptUp:
        if (OnUpButtonClick)
            OnUpButtonClick(this);
        else
            ScrollBy(smallChange_);
        break;
    case ptDown:
        if (OnDownButtonClick)
            OnDownButtonClick(this);
        else
            ScrollBy(-static_cast<long long>(smallChange_));
        break;
    case ptPageUp:
        ScrollBy(-static_cast<long long>(largeChange_));
        if (OnPageUp)
            OnPageUp(this);
        break;
    case ptPageDown:
        ScrollBy(largeChange_);
        if (OnPageDown)
            OnPageDown(this);
        break;
    default:
        break;
    }
}

void TbsSkinScrollBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    if (canFocused_)
        setFocus(Qt::MouseFocusReason);
    mousePos_ = event->position().toPoint();
    const Part part = PartAt(mousePos_);
    pressed_ = part;
    if (part == ptThumb) {
        const TbsScrollBarRects r = CurrentRects();
        dragStart_ = Along(mousePos_);
        dragThumbOffset_ = kind_ == sbVertical ? r.Thumb.Top - r.Track.Top : r.Thumb.Left - r.Track.Left;
    } else if (part != ptNone) {
        Step(part);
        timer_.start(RepeatDelay);
    }
    update();
}

void TbsSkinScrollBar::mouseMoveEvent(QMouseEvent* event)
{
    mousePos_ = event->position().toPoint();
    if (pressed_ == ptThumb) {
        const TbsScrollBarRects r = CurrentRects();
        const bool vertical = kind_ == sbVertical;
        const int track = vertical ? r.Track.Height() : r.Track.Width();
        const int thumb = vertical ? r.Thumb.Height() : r.Thumb.Width();
        SetPosition(
            ScrollPositionFromDrag(range_, track, thumb, dragThumbOffset_, Along(mousePos_) - dragStart_));
        return;
    }
    const Part over = rect().contains(mousePos_) ? PartAt(mousePos_) : ptNone;
    if (over != hover_) {
        hover_ = over;
        update();
    }
    // Leaving a held arrow button pauses the repeat; coming back resumes it.
    if ((pressed_ == ptUp || pressed_ == ptDown) && over == pressed_ && !timer_.isActive())
        timer_.start(RepeatInterval);
}

void TbsSkinScrollBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const Part was = pressed_;
    pressed_ = ptNone;
    timer_.stop();
    update();
    if (was == ptThumb && OnLastChange)
        OnLastChange(this);
}

void TbsSkinScrollBar::TimerTick()
{
    if (pressed_ == ptNone || pressed_ == ptThumb) {
        timer_.stop();
        return;
    }
    timer_.setInterval(RepeatInterval);
    if (!rect().contains(mousePos_) && (pressed_ == ptPageUp || pressed_ == ptPageDown)) {
        timer_.stop();
        return;
    }
    const Part now = PartAt(mousePos_);
    if (pressed_ == ptUp || pressed_ == ptDown) {
        if (now != pressed_) {
            timer_.stop(); // paused until the mouse comes back
            return;
        }
    } else if (now != pressed_) {
        // The thumb has reached the mouse: the page step ends there.
        timer_.stop();
        return;
    }
    Step(pressed_);
}

void TbsSkinScrollBar::wheelEvent(QWheelEvent* event)
{
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    const int steps = wheel_.Add(event->angleDelta().y());
    ScrollBy(-static_cast<long long>(steps) * smallChange_);
}

void TbsSkinScrollBar::keyPressEvent(QKeyEvent* event)
{
    if (!canFocused_) {
        event->ignore();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        ScrollBy(-static_cast<long long>(smallChange_));
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        ScrollBy(smallChange_);
        break;
    default:
        TbsSkinCustomControl::keyPressEvent(event);
    }
}

void TbsSkinScrollBar::MouseLeave()
{
    hover_ = ptNone;
    update();
}

void TbsSkinScrollBar::CreateControlDefaultImage(QImage& image)
{
    using namespace bswidgets;
    QPainter painter(&image);
    painter.fillRect(image.rect(), ToQColor(clBtnFace));
    const TbsScrollBarRects r = CurrentRects();
    const bool vertical = kind_ == sbVertical;
    auto part = [&](const TRect& rect, Part which, bool dragLook) {
        const bool down = dragLook || (pressed_ == which && hover_ == which);
        if (down)
            FrameAndFill(painter, rect.ToQRect(), ToQColor(NavyFrame), ToQColor(PressedFill));
        else if (hover_ == which)
            FrameAndFill(painter, rect.ToQRect(), ToQColor(NavyFrame), ToQColor(HotFill));
        else
            FrameAndFill(painter, rect.ToQRect(), ToQColor(clBtnShadow), ToQColor(clBtnFace));
    };
    const QColor arrow = ToQColor(isEnabled() ? clBtnText : clGrayText);
    part(r.UpButton, ptUp, false);
    DrawArrow(painter, r.UpButton.ToQRect(), vertical ? arDown : arRight, arrow);
    part(r.DownButton, ptDown, false);
    DrawArrow(painter, r.DownButton.ToQRect(), vertical ? arUp : arLeft, arrow);
    if (isEnabled())
        part(r.Thumb, ptThumb, pressed_ == ptThumb || hasFocus());
    if (both_ && !vertical)
        painter.fillRect(
            QRect(width() - bothMarkerWidth_, 0, bothMarkerWidth_, height()), ToQColor(clBtnFace));
}

void TbsSkinScrollBar::CreateControlSkinImage(QImage& image, const TbsSkinLook& look)
{
    DrawCommonSkinImage(image, look, look.Geom.SkinRect);
    auto* entry = SkinEntry<TbsDataSkinScrollBarControl>();
    if (!entry || !look.Picture)
        return;
    const QImage& picture = *look.Picture;
    const TbsScrollBarRects r = CurrentRects();
    const bool vertical = kind_ == sbVertical;
    if (isEnabled()) {
        const TRect active = Or(entry->ActiveThumbRect, entry->ThumbRect);
        const TRect down = Or(entry->DownThumbRect, active);
        const TRect lookRect = pressed_ == ptThumb || hasFocus() ? down
            : hover_ == ptThumb                                  ? active
                                                                 : entry->ThumbRect;
        QImage thumb;
        if (range_.PageSize > 0 || entry->ThumbMinPageSize != 0) {
            thumb = vertical ? CreateVSkinImage(entry->ThumbOffset1, entry->ThumbOffset2, picture, lookRect,
                        r.Thumb.Width(), r.Thumb.Height(), entry->ThumbStretchEffect)
                             : CreateHSkinImage(entry->ThumbOffset1, entry->ThumbOffset2, picture, lookRect,
                                 r.Thumb.Width(), r.Thumb.Height(), entry->ThumbStretchEffect);
        } else {
            thumb = bsutils::As32Bit(picture).copy(lookRect.ToQRect());
        }
        DrawPiece(image, QPoint(r.Thumb.Left, r.Thumb.Top), thumb, entry->ThumbTransparent,
            entry->ThumbTransparentColor);
        const TRect glyphActive = Or(entry->ActiveGlyphRect, entry->GlyphRect);
        const TRect glyphRect = pressed_ == ptThumb || hasFocus() ? Or(entry->DownGlyphRect, glyphActive)
            : hover_ == ptThumb                                   ? glyphActive
                                                                  : entry->GlyphRect;
        const int glyphLength = vertical ? glyphRect.Height() : glyphRect.Width();
        const int thumbLength = vertical ? r.Thumb.Height() : r.Thumb.Width();
        if (!glyphRect.IsNull() && thumbLength > glyphLength) {
            const QImage glyph = bsutils::As32Bit(picture).copy(glyphRect.ToQRect());
            const QPoint at(r.Thumb.Left + (r.Thumb.Width() - glyph.width()) / 2,
                r.Thumb.Top + (r.Thumb.Height() - glyph.height()) / 2);
            DrawPiece(image, at, glyph, entry->GlyphTransparent, entry->GlyphTransparentColor);
        }
    }
    auto button = [&](const TRect& place, Part which, const TRect& activeRect, const TRect& downRect) {
        if (hover_ != which)
            return;
        const TRect lookRect = pressed_ == which ? Or(downRect, activeRect) : activeRect;
        if (!lookRect.IsNull())
            bsutils::StretchPiece(image, place, picture, lookRect);
    };
    button(r.UpButton, ptUp, entry->ActiveUpButtonRect, entry->DownUpButtonRect);
    button(r.DownButton, ptDown, entry->ActiveDownButtonRect, entry->DownDownButtonRect);
}

// --- the inner list

namespace {

class ItemDelegate : public QStyledItemDelegate {
public:
    explicit ItemDelegate(TbsSkinListBox* owner)
        : QStyledItemDelegate(owner)
        , owner_(owner)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        owner_->DrawItem(*painter, option.rect, index.row(), option.state);
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return { std::max(owner_->ListBox()->viewport()->width(), 1), owner_->ItemHeight() };
    }

private:
    TbsSkinListBox* owner_;
};

} // namespace

TbsListBox::TbsListBox(TbsSkinListBox* owner)
    : QListWidget(owner)
    , owner_(owner)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    setItemDelegate(new ItemDelegate(owner));
}

void TbsListBox::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(viewport());
        owner_->DrawListBackground(painter, viewport()->rect());
    }
    QListWidget::paintEvent(event);
}

void TbsListBox::wheelEvent(QWheelEvent* event)
{
    event->accept();
    // A touchpad's pixels count against the item height: one item a step.
    const int steps = wheel_.Add(event->angleDelta().y(), event->pixelDelta().y(), owner_->ItemHeight());
    if (steps == 0)
        return;
    if (owner_->vScrollBar_) {
        owner_->SetTopIndex(TRect::Saturate(static_cast<long long>(owner_->TopIndex()) - steps));
        owner_->UpDateScrollBar();
    } else if (owner_->hScrollBar_) {
        owner_->hScrollBar_->ScrollBy(-static_cast<long long>(steps) * owner_->hScrollBar_->SmallChange());
    }
}

void TbsListBox::mousePressEvent(QMouseEvent* event)
{
    QListWidget::mousePressEvent(event);
    pressedOnItem_ = event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid();
}

void TbsListBox::mouseReleaseEvent(QMouseEvent* event)
{
    QListWidget::mouseReleaseEvent(event);
    const bool click = pressedOnItem_ && event->button() == Qt::LeftButton
        && indexAt(event->position().toPoint()).isValid();
    pressedOnItem_ = false;
    if (click && owner_->OnListBoxClick)
        owner_->OnListBoxClick(owner_);
}

void TbsListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListWidget::mouseDoubleClickEvent(event);
    if (owner_->OnListBoxDblClick)
        owner_->OnListBoxDblClick(owner_);
}

void TbsListBox::keyPressEvent(QKeyEvent* event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before) {
        owner_->UpDateScrollBar();
        if (owner_->OnListBoxClick)
            owner_->OnListBoxClick(owner_);
    }
}

void TbsListBox::keyboardSearch(const QString& search)
{
    // Typing selects the next entry that starts with the typed text.
    QListWidget::keyboardSearch(search);
    if (currentItem() && !currentItem()->isSelected())
        currentItem()->setSelected(true);
}

void TbsListBox::resizeEvent(QResizeEvent* event)
{
    QListWidget::resizeEvent(event);
    owner_->UpDateScrollBar();
}

void TbsListBox::focusInEvent(QFocusEvent* event)
{
    QListWidget::focusInEvent(event);
    viewport()->update();
}

void TbsListBox::focusOutEvent(QFocusEvent* event)
{
    QListWidget::focusOutEvent(event);
    viewport()->update();
}

// --- TbsSkinListBox

TbsSkinListBox::TbsSkinListBox(QWidget* parent, const std::string& skinDataName)
    : TbsSkinCustomControl(parent, skinDataName)
    , list_(new TbsListBox(this))
{
    resize(120, 120);
    setFocusProxy(list_);
    auto* model = list_->model();
    auto refresh = [this] { UpDateScrollBar(); };
    connect(model, &QAbstractItemModel::rowsInserted, this, refresh);
    connect(model, &QAbstractItemModel::rowsRemoved, this, refresh);
    connect(model, &QAbstractItemModel::modelReset, this, refresh);
    connect(model, &QAbstractItemModel::dataChanged, this, refresh);
    connect(list_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (vScrollBar_ && !updatingBars_)
            vScrollBar_->SetPosition(value);
    });
    CalcRects();
}

TbsSkinListBox::~TbsSkinListBox()
{
    list_->model()->disconnect(this);
    list_->verticalScrollBar()->disconnect(this);
}

int TbsSkinListBox::ItemCount() const
{
    return list_->count();
}

std::string TbsSkinListBox::Item(int index) const
{
    const QListWidgetItem* item = list_->item(index);
    return item ? item->data(GbkRole).toByteArray().toStdString() : std::string();
}

std::vector<std::string> TbsSkinListBox::Items() const
{
    std::vector<std::string> items;
    for (int i = 0; i < list_->count(); ++i)
        items.push_back(Item(i));
    return items;
}

namespace {

QListWidgetItem* MakeItem(const std::string& text)
{
    auto* item = new QListWidgetItem(GbkToQString(text));
    item->setData(GbkRole, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    return item;
}

} // namespace

void TbsSkinListBox::SetItems(const std::vector<std::string>& items)
{
    list_->clear();
    for (const std::string& text : items)
        list_->addItem(MakeItem(text));
    UpDateScrollBar();
}

void TbsSkinListBox::AddItem(const std::string& text)
{
    list_->addItem(MakeItem(text));
}

void TbsSkinListBox::InsertItem(int index, const std::string& text)
{
    list_->insertItem(std::clamp(index, 0, list_->count()), MakeItem(text));
}

void TbsSkinListBox::SetItem(int index, const std::string& text)
{
    if (QListWidgetItem* item = list_->item(index)) {
        item->setText(GbkToQString(text));
        item->setData(GbkRole, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    }
}

void TbsSkinListBox::DeleteItem(int index)
{
    if (index < 0 || index >= list_->count())
        return;
    const bool wasSelected = list_->item(index)->isSelected();
    delete list_->takeItem(index);
    // Deleting the selected entry leaves none selected.
    if (wasSelected)
        SetItemIndex(-1);
}

void TbsSkinListBox::MoveItem(int from, int to)
{
    if (from < 0 || from >= list_->count() || to < 0 || to >= list_->count() || from == to)
        return;
    QListWidgetItem* item = list_->takeItem(from);
    list_->insertItem(to, item);
}

void TbsSkinListBox::ClearItems()
{
    list_->clear();
}

int TbsSkinListBox::ItemIndex() const
{
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->row(selected.first());
}

void TbsSkinListBox::SetItemIndex(int index)
{
    if (index < 0 || index >= list_->count()) {
        list_->clearSelection();
        list_->setCurrentRow(-1);
        return;
    }
    list_->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    list_->scrollToItem(list_->item(index));
    UpDateScrollBar();
}

int TbsSkinListBox::TopIndex() const
{
    return list_->verticalScrollBar()->value();
}

void TbsSkinListBox::SetTopIndex(int index)
{
    const int top = std::clamp(index, 0, std::max(list_->count() - VisibleRows(), 0));
    list_->verticalScrollBar()->setMaximum(std::max(list_->verticalScrollBar()->maximum(), top));
    list_->verticalScrollBar()->setValue(top);
}

void TbsSkinListBox::SetUseSkinItemHeight(bool value)
{
    useSkinItemHeight_ = value;
    ApplyItemHeight();
}

void TbsSkinListBox::SetDefaultItemHeight(int value)
{
    defaultItemHeight_ = std::max(value, 1);
    ApplyItemHeight();
}

void TbsSkinListBox::SetRowCount(int value)
{
    rowCount_ = std::max(value, 0);
    ApplyRowCount();
}

void TbsSkinListBox::SetHorizontalExtent(bool value)
{
    horizontalExtent_ = value;
    UpDateScrollBar();
}

int TbsSkinListBox::ItemHeight() const
{
    auto* entry = SkinEntry<TbsDataSkinListBox>();
    return std::max(1,
        ListBoxItemHeight(
            entry != nullptr, useSkinItemHeight_, entry ? entry->ItemRect.Height() : 0, defaultItemHeight_));
}

int TbsSkinListBox::VisibleRows() const
{
    return std::max(list_->height() / ItemHeight(), 0);
}

void TbsSkinListBox::ApplyItemHeight()
{
    list_->doItemsLayout();
    ApplyRowCount();
    UpDateScrollBar();
    list_->viewport()->update();
}

void TbsSkinListBox::ApplyRowCount()
{
    if (rowCount_ <= 0)
        return;
    TbsListBoxRowsInput in;
    if (auto* entry = SkinEntry<TbsDataSkinListBox>()) {
        in.Skinned = true;
        in.SkinRectHeight = entry->SkinRect.Height();
        in.ClientRectHeight = entry->ClRect.Height();
    }
    in.ItemHeight = ItemHeight();
    in.HorizontalBarHeight = hScrollBar_ ? hScrollBar_->height() : 0;
    resize(BoundedSkinSize(QSize(width(), ListBoxHeightForRows(in, rowCount_))));
}

void TbsSkinListBox::ChangeSkinData()
{
    TbsSkinCustomControl::ChangeSkinData();
    for (TbsSkinScrollBar* bar : { vScrollBar_, hScrollBar_ })
        if (bar) {
            bar->SetSkinData(SkinData());
            bar->SetSkinDataName(ScrollBarName(bar == vScrollBar_));
            bar->ChangeSkinData();
        }
    ApplyItemHeight();
    CalcRects();
    UpDateScrollBar();
    list_->viewport()->update();
}

std::string TbsSkinListBox::ScrollBarName(bool vertical) const
{
    auto* entry = SkinEntry<TbsDataSkinListBox>();
    if (vertical)
        return entry ? entry->VScrollBarName : std::string("vscrollbar");
    if (vScrollBar_)
        return entry ? entry->BothScrollBarName : std::string("bothhscrollbar");
    return entry ? entry->HScrollBarName : std::string("hscrollbar");
}

void TbsSkinListBox::CalcRects()
{
    const int w = width();
    const int h = height();
    auto* entry = SkinEntry<TbsDataSkinListBox>();
    QRect hBar, vBar, inner;
    if (entry) {
        const TRect cr
            = CalcCurrentLayout(ControlSkinGeomOf(*entry, SkinPicture(entry->PictureIndex)), w, h).ClientRect;
        int bottom = cr.Bottom;
        if (hScrollBar_) {
            const int bh = hScrollBar_->CalcSize(QSize(cr.Width(), hScrollBar_->height())).height();
            hBar = QRect(cr.Left, cr.Bottom - bh, cr.Width(), bh);
            bottom = hBar.top();
        }
        int right = cr.Right;
        if (vScrollBar_) {
            const int bw = vScrollBar_->CalcSize(QSize(vScrollBar_->width(), bottom - cr.Top)).width();
            vBar = QRect(cr.Right - bw, cr.Top, bw, bottom - cr.Top);
            right = vBar.left();
        }
        inner = QRect(cr.Left, cr.Top, right - cr.Left, bottom - cr.Top);
    } else {
        const int c = 1;
        int bottom = h - 2;
        if (hScrollBar_) {
            hBar = QRect(1, h - 20, w - 2, 19);
            bottom = hBar.top() - 2;
        }
        int right = w - 2;
        if (vScrollBar_) {
            const int barBottom = hScrollBar_ ? hBar.top() : h - 1;
            vBar = QRect(w - 20, c, 19, barBottom - c);
            right = vBar.left();
        }
        inner = QRect(2, c + 1, right - 2, bottom - c - 1);
    }
    if (hScrollBar_)
        hScrollBar_->setGeometry(hBar);
    if (vScrollBar_)
        vScrollBar_->setGeometry(vBar);
    list_->setGeometry(inner.normalized().isValid() ? inner : QRect(0, 0, 0, 0));
}

void TbsSkinListBox::resizeEvent(QResizeEvent* event)
{
    TbsSkinCustomControl::resizeEvent(event);
    CalcRects();
    UpDateScrollBar();
}

void TbsSkinListBox::CreateVScrollBar()
{
    vScrollBar_ = new TbsSkinScrollBar(this);
    vScrollBar_->SetKind(sbVertical);
    vScrollBar_->SetSkinData(SkinData());
    vScrollBar_->SetSkinDataName(ScrollBarName(true));
    vScrollBar_->resize(19, std::max(height(), 40));
    vScrollBar_->ChangeSkinData();
    vScrollBar_->OnChange = [this](QObject*) {
        if (!updatingBars_)
            SetTopIndex(vScrollBar_->Position());
    };
    vScrollBar_->show();
    if (hScrollBar_) {
        hScrollBar_->SetSkinDataName(ScrollBarName(false));
        hScrollBar_->SetBoth(true);
    }
}

void TbsSkinListBox::CreateHScrollBar()
{
    hScrollBar_ = new TbsSkinScrollBar(this);
    hScrollBar_->SetSkinData(SkinData());
    hScrollBar_->SetSkinDataName(ScrollBarName(false));
    if (vScrollBar_)
        hScrollBar_->SetBoth(true);
    hScrollBar_->ChangeSkinData();
    hScrollBar_->OnChange = [this](QObject*) {
        hOffset_ = hScrollBar_->Position();
        list_->viewport()->update();
    };
    hScrollBar_->show();
}

void TbsSkinListBox::UpDateScrollBar()
{
    if (updatingBars_)
        return;
    updatingBars_ = true;
    // Creating or removing one bar changes the room of the other: settle in
    // at most a few rounds.
    for (int round = 0; round < 3; ++round) {
        bool changed = false;
        // Horizontal: the widest item against the usable width.
        if (horizontalExtent_) {
            const QFontMetrics metrics(list_->font());
            int widest = 0;
            for (int i = 0; i < list_->count(); ++i)
                widest = std::max(widest, metrics.horizontalAdvance(list_->item(i)->text()));
            int usable = list_->width() - 4;
            if (auto* entry = SkinEntry<TbsDataSkinListBox>())
                usable = list_->width() + entry->ItemTextRect.Width() - entry->ItemRect.Width();
            if (widest > usable) {
                if (!hScrollBar_) {
                    CreateHScrollBar();
                    changed = true;
                }
                const int step = std::max(metrics.horizontalAdvance(QLatin1Char('0')), 1);
                hScrollBar_->SetRange(0, widest, std::max(usable, 1), hScrollBar_->Position());
                hScrollBar_->SetSmallChange(step);
                hScrollBar_->SetLargeChange(step);
            } else if (hScrollBar_) {
                delete hScrollBar_;
                hScrollBar_ = nullptr;
                hOffset_ = 0;
                changed = true;
            }
        } else if (hScrollBar_) {
            delete hScrollBar_;
            hScrollBar_ = nullptr;
            hOffset_ = 0;
            changed = true;
        }
        // Vertical: more items than visible rows.
        const int count = list_->count();
        const int visible = VisibleRows();
        if ((rowCount_ == 0 || rowCount_ != count) && count > visible && visible > 0) {
            if (!vScrollBar_) {
                CreateVScrollBar();
                changed = true;
            }
            const int top = std::clamp(TopIndex(), 0, count - visible);
            vScrollBar_->SetRange(0, count - 1, visible, top);
            vScrollBar_->SetLargeChange(visible);
        } else if (vScrollBar_) {
            delete vScrollBar_;
            vScrollBar_ = nullptr;
            if (hScrollBar_) {
                hScrollBar_->SetBoth(false);
                hScrollBar_->SetSkinDataName(ScrollBarName(false));
            }
            changed = true;
        }
        if (!changed)
            break;
        ApplyRowCount();
        CalcRects();
    }
    updatingBars_ = false;
}

void TbsSkinListBox::DrawListBackground(QPainter& painter, const QRect& r)
{
    TbsSkinLook look;
    if (GetSkinData(look) && look.Picture && SkinEntry<TbsDataSkinListBox>()) {
        const TRect& s = look.Geom.SkinRect;
        const TRect client = look.Geom.Layout.ClientRect.Offset(s.Left, s.Top);
        QImage image(std::max(r.width(), 1), std::max(r.height(), 1), QImage::Format_RGB32);
        bsutils::TilePiece(image, TRect(0, 0, image.width(), image.height()), *look.Picture, client);
        painter.drawImage(r.topLeft(), image);
        return;
    }
    painter.fillRect(r, ToQColor(clWindow));
}

void TbsSkinListBox::DrawItem(QPainter& painter, const QRect& r, int index, QStyle::State state)
{
    const bool selected = state & QStyle::State_Selected;
    const bool focused = (state & QStyle::State_HasFocus) && list_->hasFocus();
    const QString text = list_->item(index) ? list_->item(index)->text() : QString();
    auto* entry = SkinEntry<TbsDataSkinListBox>();
    const QImage* picture = entry ? SkinPicture(entry->PictureIndex) : nullptr;
    QRect textRect;
    QColor color;
    if (entry) {
        const TRect itemRect = entry->ItemRect;
        const TRect active = Or(entry->ActiveItemRect, itemRect);
        const TRect focus = Or(entry->FocusItemRect, itemRect);
        TRect lookRect = itemRect;
        bool stretch = false;
        if (useSkinItemHeight_) {
            if (selected && focused) {
                lookRect = focus;
                color = ToQColor(entry->FocusFontColor);
            } else if (selected) {
                lookRect = active;
                color = ToQColor(entry->ActiveFontColor);
            } else {
                color = ToQColor(entry->FontColor);
            }
            stretch = (selected || focused) && entry->StretchEffect;
            if (picture) {
                const QImage image = CreateHSkinImage(entry->ItemLeftOffset, entry->ItemRightOffset, *picture,
                    lookRect, r.width(), r.height(), stretch);
                painter.drawImage(r.topLeft(), image);
            }
            if (focused && !selected)
                bswidgets::DrawFocusRect(painter, r, ToQColor(entry->FontColor));
        } else {
            if (focused) {
                lookRect = focus;
                color = ToQColor(entry->FocusFontColor);
            } else if (selected) {
                lookRect = active;
                color = ToQColor(entry->ActiveFontColor);
            } else {
                color = ToQColor(entry->FontColor);
            }
            if (picture) {
                QImage image(r.size(), QImage::Format_RGB32);
                bsutils::StretchPiece(image, TRect(0, 0, r.width(), r.height()), *picture, lookRect);
                painter.drawImage(r.topLeft(), image);
            }
        }
        TRect t = entry->ItemTextRect;
        t.Right += r.width() - itemRect.Width();
        if (!useSkinItemHeight_)
            t.Bottom += r.height() - itemRect.Height();
        textRect = t.ToQRect().translated(r.topLeft());
        painter.setFont(ControlFont(entry->FontName, entry->FontHeight, entry->FontStyle, true));
        if (entry->ShowFocus && focused)
            bswidgets::DrawFocusRect(painter, r, SkinColor(&TbsSkinColors::cBtnFace, clBtnFace));
    } else {
        painter.fillRect(r, ToQColor(selected ? clHighlight : clWindow));
        color = ToQColor(selected ? clHighlightText : DefaultFontColor());
        textRect = r.adjusted(2, 0, -2, 0);
        painter.setFont(DefaultFont());
        if (focused)
            bswidgets::DrawFocusRect(painter, r, ToQColor(selected ? clHighlight : clWindow));
    }
    textRect.translate(-hOffset_, 0);
    if (OnDrawItem) {
        OnDrawItem(painter, index, textRect, state);
        return;
    }
    painter.setPen(color);
    painter.save();
    painter.setClipRect(r);
    painter.drawText(textRect, int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine), text);
    painter.restore();
}

void TbsSkinListBox::CreateControlDefaultImage(QImage& image)
{
    QPainter painter(&image);
    painter.fillRect(image.rect(), ToQColor(clWindow));
    painter.setPen(ToQColor(clBtnShadow));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
}
