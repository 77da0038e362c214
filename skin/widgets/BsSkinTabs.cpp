#include "BsSkinTabs.h"

#include "BsSkinDataGeometry.h"
#include "Bsskindata.h"
#include "GbkText.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int TabsLeft = 2;
constexpr int TabPadding = 8;

} // namespace

// --- TbsSkinTabSheet

TbsSkinTabSheet::TbsSkinTabSheet(TbsSkinPageControl* pageControl)
    : QWidget(pageControl)
    , pageControl_(pageControl)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TbsSkinTabSheet::SetCaption(const std::string& value)
{
    caption_ = value;
    pageControl_->update();
}

void TbsSkinTabSheet::SetWallPaper(const QImage& value)
{
    wallPaper_ = value;
    update();
}

void TbsSkinTabSheet::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    pageControl_->DrawPageBackground(painter, rect(), pos());
    if (!wallPaper_.isNull() && !pageControl_->SkinEntry<TbsDataSkinTabControl>())
        painter.drawImage(rect(), wallPaper_);
}

// --- TbsSkinPageControl

TbsSkinPageControl::TbsSkinPageControl(QWidget* parent)
    : QWidget(parent)
    , TbsSkinnable(this, "tab")
    , defaultFont_(DefaultControlFont())
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(289, 193);
}

TbsSkinTabSheet* TbsSkinPageControl::AddPage(const std::string& caption)
{
    auto* page = new TbsSkinTabSheet(this);
    page->SetCaption(caption);
    pages_.push_back(page);
    if (active_ < 0)
        active_ = 0;
    LayoutPages();
    update();
    return page;
}

TbsSkinTabSheet* TbsSkinPageControl::Page(int index) const
{
    return index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

void TbsSkinPageControl::SetActivePageIndex(int index)
{
    if (index < 0 || index >= PageCount() || index == active_)
        return;
    active_ = index;
    LayoutPages();
    update();
    if (OnChange)
        OnChange(this);
}

void TbsSkinPageControl::SetDefaultFont(const QFont& value)
{
    defaultFont_ = value;
    LayoutPages();
    update();
}

void TbsSkinPageControl::SetUseSkinFont(bool value)
{
    useSkinFont_ = value;
    LayoutPages();
    update();
}

void TbsSkinPageControl::SetDefaultItemHeight(int value)
{
    defaultItemHeight_ = std::max(value, 1);
    LayoutPages();
    update();
}

QFont TbsSkinPageControl::TabFont() const
{
    auto* entry = SkinEntry<TbsDataSkinTabControl>();
    if (entry && useSkinFont_)
        return SkinFont(*entry);
    return defaultFont_;
}

int TbsSkinPageControl::TabsHeight() const
{
    if (auto* entry = SkinEntry<TbsDataSkinTabControl>())
        return BoundedSkinSize({ 0,
                                   std::max({ entry->TabRect.Height(), entry->ActiveTabRect.Height(),
                                       entry->FocusTabRect.Height(), 1 }) })
            .height();
    return defaultItemHeight_;
}

QRect TbsSkinPageControl::TabRect(int index) const
{
    if (index < 0 || index >= PageCount())
        return {};
    auto* entry = SkinEntry<TbsDataSkinTabControl>();
    const QFontMetrics metrics(TabFont());
    const int strip = TabsHeight();
    int x = TabsLeft;
    for (int i = 0; i <= index; ++i) {
        const int text = metrics.horizontalAdvance(GbkToQString(pages_[static_cast<size_t>(i)]->Caption()));
        int w = text + 2 * TabPadding;
        if (entry)
            w = std::max(w, BoundedSkinSize({ entry->TabRect.Width(), 0 }).width());
        if (i == index) {
            // The active tab stands taller than the others when its look is.
            int h = strip;
            if (entry) {
                const TRect& look = i == active_
                    ? (hasFocus() && !entry->FocusTabRect.IsNull() ? entry->FocusTabRect
                                                                   : entry->ActiveTabRect)
                    : entry->TabRect;
                h = std::clamp(look.Height(), 1, strip);
            } else if (i != active_) {
                h = strip - 2;
            }
            return QRect(x, strip - h, w, h);
        }
        x += w;
    }
    return {};
}

QRect TbsSkinPageControl::FrameRect() const
{
    const int top = TabsHeight();
    return QRect(0, top, width(), std::max(height() - top, 0));
}

QRect TbsSkinPageControl::PageRect() const
{
    const QRect frame = FrameRect();
    if (auto* entry = SkinEntry<TbsDataSkinTabControl>()) {
        const TRect& s = entry->SkinRect;
        const TRect& c = entry->ClRect;
        return frame.adjusted(c.Left, c.Top, -(s.Width() - c.Right), -(s.Height() - c.Bottom));
    }
    return frame.adjusted(1, 1, -1, -1);
}

void TbsSkinPageControl::LayoutPages()
{
    const QRect page = PageRect();
    for (int i = 0; i < PageCount(); ++i) {
        TbsSkinTabSheet* sheet = pages_[static_cast<size_t>(i)];
        sheet->setGeometry(page);
        sheet->setVisible(i == active_);
        sheet->update();
    }
}

void TbsSkinPageControl::ChangeSkinData()
{
    TbsSkinnable::ChangeSkinData();
    LayoutPages();
    update();
}

void TbsSkinPageControl::BeforeChangeSkinData()
{
    TbsSkinnable::BeforeChangeSkinData();
    LayoutPages();
}

bool TbsSkinPageControl::event(QEvent* event)
{
    if (HandleSkinEvent(event))
        return true;
    if (event->type() == QEvent::Leave && hover_ >= 0) {
        hover_ = -1;
        update();
    }
    return QWidget::event(event);
}

void TbsSkinPageControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutPages();
}

void TbsSkinPageControl::childEvent(QChildEvent* event)
{
    QWidget::childEvent(event);
    if (event->type() == QEvent::ChildRemoved)
        pages_.erase(std::remove(pages_.begin(), pages_.end(), event->child()), pages_.end());
}

void TbsSkinPageControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    for (int i = 0; i < PageCount(); ++i)
        if (TabRect(i).contains(event->position().toPoint())) {
            setFocus(Qt::MouseFocusReason);
            SetActivePageIndex(i);
            return;
        }
}

void TbsSkinPageControl::mouseMoveEvent(QMouseEvent* event)
{
    int over = -1;
    for (int i = 0; i < PageCount(); ++i)
        if (TabRect(i).contains(event->position().toPoint()))
            over = i;
    if (over != hover_) {
        hover_ = over;
        update();
    }
}

void TbsSkinPageControl::keyPressEvent(QKeyEvent* event)
{
    const bool ctrlTab = event->key() == Qt::Key_Tab && (event->modifiers() & Qt::ControlModifier);
    if (event->key() == Qt::Key_Left)
        SetActivePageIndex(active_ - 1);
    else if (event->key() == Qt::Key_Right || ctrlTab)
        SetActivePageIndex(ctrlTab && active_ == PageCount() - 1 ? 0 : active_ + 1);
    else
        QWidget::keyPressEvent(event);
}

void TbsSkinPageControl::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TbsSkinPageControl::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

// --- drawing

void TbsSkinPageControl::DrawPageBackground(QPainter& painter, const QRect& r, const QPoint& origin) const
{
    auto* entry = SkinEntry<TbsDataSkinTabControl>();
    if (!entry) {
        painter.fillRect(r, ToQColor(clBtnFace));
        return;
    }
    const QRect page = PageRect();
    QImage image(std::max(page.width(), 1), std::max(page.height(), 1), QImage::Format_RGB32);
    image.fill(ToQColor(clBtnFace));
    const TRect bounds(0, 0, image.width(), image.height());
    if (const QImage* background = SkinPicture(entry->BGPictureIndex)) {
        bsutils::FillFromPiece(image, bounds, *background,
            TRect(0, 0, background->width(), background->height()), entry->StretchEffect, entry->StretchType);
    } else if (const QImage* picture = SkinPicture(entry->PictureIndex)) {
        const TRect client = entry->ClRect.Offset(entry->SkinRect.Left, entry->SkinRect.Top);
        bsutils::FillFromPiece(image, bounds, *picture, client, entry->StretchEffect, entry->StretchType);
    }
    // r + origin - the page's top-left is the part of the page look drawn into r.
    painter.drawImage(r, image, r.translated(origin - page.topLeft()));
}

void TbsSkinPageControl::DrawTab(QPainter& painter, int index) const
{
    const QRect r = TabRect(index);
    if (r.isEmpty())
        return;
    const bool isActive = index == active_;
    const bool focused = isActive && hasFocus();
    const bool hovered = !isActive && index == hover_;
    auto* entry = SkinEntry<TbsDataSkinTabControl>();
    const QImage* picture = entry ? SkinPicture(entry->PictureIndex) : nullptr;
    QColor color;
    if (entry) {
        TRect look = entry->TabRect;
        color = ToQColor(entry->FontColor);
        if (hovered && !entry->MouseInTabRect.IsNull()) {
            look = entry->MouseInTabRect;
            color = ToQColor(entry->MouseInFontColor);
        } else if (focused && !entry->FocusTabRect.IsNull()) {
            look = entry->FocusTabRect;
            color = ToQColor(entry->FocusFontColor);
        } else if (isActive) {
            look = entry->ActiveTabRect.IsNull() ? entry->TabRect : entry->ActiveTabRect;
            color = ToQColor(entry->ActiveFontColor);
        }
        if (picture)
            painter.drawImage(r.topLeft(),
                CreateHSkinImage(entry->TabLeftOffset, entry->TabRightOffset, *picture, look, r.width(),
                    r.height(), entry->TabStretchEffect));
    } else {
        if (isActive)
            bswidgets::FrameAndFill(painter, r, ToQColor(bswidgets::NavyFrame),
                ToQColor(focused ? bswidgets::PressedFill : bswidgets::HotFill));
        else
            painter.fillRect(r, ToQColor(hovered ? bswidgets::HotFill : clBtnFace));
        color = ToQColor(clBtnText);
    }
    painter.setFont(TabFont());
    painter.setPen(color);
    painter.drawText(r, int(Qt::AlignCenter | Qt::TextSingleLine), GbkToQString(Page(index)->Caption()));
    if (entry && entry->ShowFocus && focused)
        bswidgets::DrawFocusRect(painter,
            r.adjusted(entry->FocusOffsetX, entry->FocusOffsetY, -entry->FocusOffsetX, -entry->FocusOffsetY),
            SkinColor(&TbsSkinColors::cBtnFace, clBtnFace));
}

QImage TbsSkinPageControl::RenderImage() const
{
    QImage image(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
    auto* entry = SkinEntry<TbsDataSkinTabControl>();
    const QImage* picture = entry ? SkinPicture(entry->PictureIndex) : nullptr;
    // The strip behind the tabs (pixels first, then the painter).
    const QRect strip(0, 0, width(), TabsHeight());
    image.fill(parentWidget() ? parentWidget()->palette().color(QPalette::Window) : ToQColor(clBtnFace));
    if (picture && !entry->TabsBGRect.IsNull())
        bsutils::StretchPiece(image, TRect::FromQRect(strip), *picture, entry->TabsBGRect);
    QPainter painter(&image);
    // The page frame.
    const QRect frame = FrameRect();
    QRect join;
    if (active_ >= 0) {
        const QRect tab = TabRect(active_);
        join = QRect(tab.left(), frame.top(), tab.width(), PageRect().top() - frame.top());
    }
    if (entry && picture && frame.width() > 0 && frame.height() > 0) {
        TbsNinePieceLayout layout;
        layout.LTPoint = entry->LTPoint;
        layout.RTPoint = entry->RTPoint;
        layout.LBPoint = entry->LBPoint;
        layout.RBPoint = entry->RBPoint;
        layout.ClientRect = entry->ClRect;
        layout.LeftStretch = entry->LeftStretch;
        layout.TopStretch = entry->TopStretch;
        layout.RightStretch = entry->RightStretch;
        layout.BottomStretch = entry->BottomStretch;
        layout.StretchEffect = entry->StretchEffect;
        layout.StretchType = entry->StretchType;
        painter.drawImage(frame.topLeft(),
            CreateSkinImage(layout, *picture, entry->SkinRect, frame.width(), frame.height(), false));
    } else {
        painter.fillRect(frame, ToQColor(clBtnFace));
        painter.setPen(ToQColor(clBtnShadow));
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
    }
    // The active tab joins its page: no border line under it.
    if (!join.isEmpty()) {
        const QRect cut = join.adjusted(1, 0, -1, 0);
        DrawPageBackground(painter, cut, QPoint(0, PageRect().top() - cut.top()));
    }
    for (int i = 0; i < PageCount(); ++i)
        if (i != active_)
            DrawTab(painter, i);
    if (active_ >= 0)
        DrawTab(painter, active_);
    return image;
}

void TbsSkinPageControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, RenderImage());
}
