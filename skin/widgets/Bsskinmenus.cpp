#include "Bsskinmenus.h"

#include "BsMenuGeometry.h"
#include "BsSkinAnnouncer.h"
#include "BsSkinDataGeometry.h"
#include "Bseffects.h"
#include "Bsskindata.h"
#include "Bsutils.h"
#include "GbkText.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {

constexpr int MouseTimerInterval = 50;
constexpr int MorphTimerInterval = 20;
constexpr int WaitInterval = 500;
constexpr int ScrollInterval = 100;
constexpr int FadeInterval = 5;
constexpr int ScrollAreaHeight = 10;

// A small triangle pointing up or down, centred in area.
void DrawScrollMarker(QPainter& painter, const QRect& area, bool up, const QColor& color)
{
    painter.setPen(color);
    const int cx = area.center().x();
    const int cy = area.top() + area.height() / 2;
    for (int i = 0; i < 4; ++i) {
        const int y = up ? cy - 2 + i : cy + 1 - i;
        painter.drawLine(cx - i, y, cx + i, y);
    }
}

} // namespace

// Copies of everything a window draws with, so nothing points into the skin
// data while it changes.
struct TbsSkinPopupWindow::SkinValues {
    std::optional<TbsPopupWindowSkinGeom> window;
    QImage windowPicture;
    QImage maskPicture;
    TbsNinePieceLayout windowLayout;
    TColor scrollMarkerColor = 0;
    TColor scrollMarkerActiveColor = 0;

    std::optional<TbsMenuItemSkinGeom> item;
    QImage itemPicture;
    QFont itemFont;
    bool morphing = false;
    TbsMorphKind morphKind = mkDefault;
    TRect animateRect;
    int frameCount = 0;
    int animateInterval = 25;
    bool inactiveAnimation = false;

    // The look of the scroll areas: the item skin named "menuitem" (or "MENUITEM").
    std::optional<TbsMenuItemSkinGeom> scrollItem;
    QImage scrollItemPicture;

    std::optional<TbsMenuHeaderSkin> header;

    bool Animates() const { return item && frameCount > 0 && !animateRect.IsEmpty(); }
};

// ---------------------------------------------------------------- window

TbsSkinPopupWindow::TbsSkinPopupWindow(TbsSkinMenu* menu, TbsSkinData* skinData)
    : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint)
    , menu_(menu)
    , skinData_(skinData)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setObjectName(QStringLiteral("TbsSkinPopupWindow"));
    mouseTimer_.setInterval(MouseTimerInterval);
    morphTimer_.setInterval(MorphTimerInterval);
    scrollTimer_.setInterval(ScrollInterval);
    connect(&mouseTimer_, &QTimer::timeout, this, &TbsSkinPopupWindow::TrackMouse);
    connect(&morphTimer_, &QTimer::timeout, this, &TbsSkinPopupWindow::MorphTick);
    connect(&scrollTimer_, &QTimer::timeout, this, &TbsSkinPopupWindow::ScrollTick);
    if (skinData_)
        TbsSkinAnnouncer::Of(skinData_)->Register(this);
    ReadSkin();
}

TbsSkinPopupWindow::~TbsSkinPopupWindow()
{
    if (skinData_)
        TbsSkinAnnouncer::Of(skinData_)->Unregister(this);
    for (const auto& item : items_)
        menu_->StopWait(item.get());
}

bool TbsSkinPopupWindow::HasWindowSkin() const
{
    return skin_->window.has_value();
}

bool TbsSkinPopupWindow::HasItemSkin() const
{
    return skin_->item.has_value();
}

void TbsSkinPopupWindow::ReadSkin()
{
    auto values = std::make_unique<SkinValues>();
    const TbsSkinData* d = skinData_;
    if (auto geom = PopupWindowSkinGeomOf(d)) {
        const TbsDataSkinPopupWindow& w = d->PopupWindow;
        values->window = geom;
        values->windowPicture = *d->GetActivePicture(w.WindowPictureIndex);
        if (const QImage* mask = d->GetActivePicture(w.MaskPictureIndex))
            values->maskPicture = *mask;
        // The points and items rect as clipped to the window picture.
        TbsNinePieceLayout& l = values->windowLayout;
        l.LTPoint = geom->LTPoint;
        l.RTPoint = geom->RTPoint;
        l.LBPoint = geom->LBPoint;
        l.RBPoint = geom->RBPoint;
        l.ClientRect = geom->ItemsRect;
        l.LeftStretch = w.LeftStretch;
        l.RightStretch = w.RightStretch;
        l.TopStretch = w.TopStretch;
        l.BottomStretch = w.BottomStretch;
        l.StretchEffect = w.StretchEffect;
        l.StretchType = w.StretchType;
        values->scrollMarkerColor = w.ScrollMarkerColor;
        values->scrollMarkerActiveColor = w.ScrollMarkerActiveColor;

        // Items use their skin only inside a skinned window; a skin object
        // without a picture leaves the default item look.
        const TbsDataSkinMenuItem* item = FindMenuItemSkin(d);
        if (item) {
            if (const QImage* picture = d->GetActivePicture(item->PictureIndex)) {
                values->item = MenuItemSkinGeomOf(*item, picture);
                values->itemPicture = *picture;
                values->itemFont = SkinFont(item->FontName, item->FontHeight, item->FontStyle);
                values->morphing = item->Morphing && d->EnableSkinEffects();
                values->morphKind = item->MorphKind;
                values->animateRect = item->AnimateSkinRect;
                values->frameCount = item->FrameCount;
                values->animateInterval = item->AnimateInterval > 0 ? item->AnimateInterval : 25;
                values->inactiveAnimation = item->InActiveAnimation;
            }
        }
        const TbsDataSkinMenuItem* scrollItem = d->FindObject<TbsDataSkinMenuItem>("menuitem");
        if (!scrollItem)
            scrollItem = d->FindObject<TbsDataSkinMenuItem>("MENUITEM");
        if (scrollItem) {
            if (const QImage* picture = d->GetActivePicture(scrollItem->PictureIndex)) {
                values->scrollItem = MenuItemSkinGeomOf(*scrollItem, picture);
                values->scrollItemPicture = *picture;
            }
        }
        values->header = MenuHeaderSkinOf(d);
    }
    skin_ = std::move(values);
    font_ = skin_->window && skin_->item && menu_->UseSkinFont ? skin_->itemFont : menu_->DefaultMenuItemFont;
    morphTimer_.setInterval(skin_->Animates() ? skin_->animateInterval : MorphTimerInterval);
}

void TbsSkinPopupWindow::CreateMenu(TMenuItem* item, int startIndex)
{
    items_.clear();
    const std::vector<TMenuItem*> shown = ShownMenuItems(*item, menu_->ReduceLines());
    for (size_t i = static_cast<size_t>(std::max(startIndex, 0)); i < shown.size(); ++i)
        items_.push_back(std::make_unique<TbsSkinMenuItem>(this, shown[i]));
    const auto& images = menu_->Images();
    hasImages_ = !images.empty();
    glyphWidth_ = MenuGlyphWidth(hasImages_, hasImages_ ? images.front().width() : 0);
}

void TbsSkinPopupWindow::CalcSize()
{
    const QFontMetrics metrics(font_);
    TbsMenuSizeInput in;
    for (const auto& item : items_) {
        in.ItemHeights.push_back(MenuItemHeight(
            item->IsLine(), skin_->item ? &*skin_->item : nullptr, menu_->DefaultMenuItemHeight));
        if (item->IsLine() || !item->MenuItem)
            continue;
        QString text = GbkToQString(item->MenuItem->StrippedCaption());
        if (!item->MenuItem->ShortCutText().empty())
            text += QStringLiteral("  ") + GbkToQString(item->MenuItem->ShortCutText());
        in.MaxTextWidth = std::max(in.MaxTextWidth, metrics.horizontalAdvance(text));
    }
    in.HasImages = hasImages_;
    in.ImageWidth = hasImages_ ? menu_->Images().front().width() : 0;
    in.MaxMenuItemsInWindow = menu_->MaxMenuItemsInWindow;
    in.DefaultItemHeight = menu_->DefaultMenuItemHeight;
    in.WorkAreaHeight = menu_->WorkArea().height();
    in.WindowSkin = skin_->window ? &*skin_->window : nullptr;
    in.ItemSkin = skin_->item ? &*skin_->item : nullptr;
    const TbsMenuWindowSize size = CalcMenuWindowSize(in);
    scroll_ = size.Scroll;
    scroll2_ = size.Scroll2;
    // Never wider than the work area, as it is never taller: a longer text is cut.
    const int width = std::min(size.Width, std::max(menu_->WorkArea().width(), 1));
    resize(width, size.Height);
    itemsRect_ = CalcMenuItemsRect(in.WindowSkin, width, size.Height).ToQRect();
}

void TbsSkinPopupWindow::CalcItemRects()
{
    std::vector<int> heights;
    for (const auto& item : items_)
        heights.push_back(MenuItemHeight(
            item->IsLine(), skin_->item ? &*skin_->item : nullptr, menu_->DefaultMenuItemHeight));
    const TbsMenuItemLayout layout
        = ::CalcItemRects(TRect::FromQRect(itemsRect_), heights, scroll_, visibleStart_);
    for (size_t i = 0; i < items_.size(); ++i) {
        items_[i]->Visible = layout.Visible[i];
        items_[i]->Rect = layout.Rects[i].ToQRect();
    }
    visibleCount_ = layout.VisibleCount;
}

void TbsSkinPopupWindow::RebuildBackground()
{
    const int w = width();
    const int h = height();
    region_ = QRegion();
    if (skin_->window) {
        const TRect look(0, 0, skin_->windowPicture.width(), skin_->windowPicture.height());
        background_ = CreateSkinImage(skin_->windowLayout, skin_->windowPicture, look, w, h, scroll_);
        paintBuffer_ = QImage();
        if (skin_->item && skin_->item->InActiveTransparent)
            paintBuffer_ = CreateSkinImage(skin_->windowLayout, skin_->windowPicture, look, w, h, true);
        if (!skin_->maskPicture.isNull()) {
            const TRect maskLook(0, 0, skin_->maskPicture.width(), skin_->maskPicture.height());
            region_ = CreateSkinRegion(skin_->windowLayout, skin_->maskPicture, maskLook, w, h);
        }
    } else {
        const TbsDefaultMenuColors colors;
        background_ = QImage(w, h, QImage::Format_RGB32);
        QPainter painter(&background_);
        const int column = hasImages_ ? glyphWidth_ + 2 : 21;
        painter.fillRect(QRect(0, 0, column, h), QColor(colors.BtnFace));
        painter.fillRect(QRect(column, 0, std::max(w - column, 0), h), QColor(colors.Window));
        painter.setPen(QColor(colors.BtnShadow));
        painter.drawRect(0, 0, w - 1, h - 1);
        painter.setPen(QColor(colors.Window));
        painter.drawRect(1, 1, w - 3, h - 3);
        paintBuffer_ = QImage();
    }
    if (region_.isEmpty())
        clearMask();
    else
        setMask(region_);
}

QImage TbsSkinPopupWindow::ItemPicture(const TbsSkinMenuItem& item, bool active) const
{
    const int w = item.Rect.width();
    const int h = item.Rect.height();
    TMenuItem* model = item.MenuItem;
    TbsMenuItemState state;
    state.Separator = item.IsLine();
    state.Active = active;
    if (model) {
        state.Caption = GbkToQString(model->Caption());
        state.ShortCut = GbkToQString(model->ShortCutText());
        state.Enabled = model->Enabled();
        state.Checked = model->Checked();
        state.Radio = model->RadioItem();
        state.HasSubItems = model->HasVisibleItems();
        state.Glyph = model->Bitmap();
        const auto& images = menu_->Images();
        if (state.Glyph.isNull() && model->ImageIndex() >= 0
            && model->ImageIndex() < static_cast<int>(images.size()))
            state.Glyph = images[static_cast<size_t>(model->ImageIndex())];
        state.Name = QString::fromStdString(model->Name());
    } else {
        state.Enabled = false;
    }

    if (model && model->OnDrawItem()) {
        QImage image = background_.copy(item.Rect);
        QPainter painter(&image);
        TMenuDrawItemEvent draw = model->OnDrawItem();
        draw(model, painter, QRect(0, 0, w, h), active);
        return image;
    }
    if (!skin_->item)
        return CreateDefaultMenuItemImage(state, w, h, font_, glyphWidth_);

    QImage bufferPiece;
    if (!paintBuffer_.isNull())
        bufferPiece = paintBuffer_.copy(item.Rect);
    const TbsMenuHeaderSkin* header = skin_->header ? &*skin_->header : nullptr;
    const int glyph = hasImages_ ? glyphWidth_ : 16;
    if (item.AnimationFrame > 0 && skin_->Animates() && !state.Separator) {
        // The current frame as the look.
        TbsMenuItemSkinGeom frameSkin = *skin_->item;
        const TRect& a = skin_->animateRect;
        const int count = skin_->frameCount;
        const int k = item.AnimationFrame - 1;
        TRect frame;
        if (a.Height() > skin_->item->SkinRect.Height()) {
            const int fh = a.Height() / count;
            frame = TRect(a.Left, a.Top + k * fh, a.Right, a.Top + (k + 1) * fh);
        } else {
            const int fw = a.Width() / count;
            frame = TRect(a.Left + k * fw, a.Top, a.Left + (k + 1) * fw, a.Bottom);
        }
        frameSkin.ActiveSkinRect = frame;
        if (!frameSkin.InActiveStretchEffect)
            frameSkin.StretchEffect = true;
        state.Active = true;
        return CreateSkinMenuItemImage(
            frameSkin, skin_->itemPicture, state, w, h, font_, glyph, nullptr, header);
    }
    return CreateSkinMenuItemImage(*skin_->item, skin_->itemPicture, state, w, h, font_, glyph,
        bufferPiece.isNull() ? nullptr : &bufferPiece, header);
}

QImage TbsSkinPopupWindow::ScrollAreaPicture(const QRect& area, bool up) const
{
    QImage image;
    if (skin_->scrollItem && !skin_->scrollItem->SkinRect.IsEmpty()) {
        const TbsMenuItemSkinGeom& s = *skin_->scrollItem;
        image = CreateHSkinImage(s.ItemLeftOffset, s.ItemRightOffset, skin_->scrollItemPicture, s.SkinRect,
            area.width(), area.height(), s.InActiveStretchEffect);
    } else {
        image = background_.copy(area);
        if (!skin_->window) {
            // The default look's scroll areas are plain window colour.
            image.fill(QColor(TbsDefaultMenuColors().Window));
        }
    }
    QPainter painter(&image);
    const bool active = scrollCode_ == (up ? 1 : 2);
    QColor color;
    if (skin_->window)
        color = ToQColor(active ? skin_->scrollMarkerActiveColor : skin_->scrollMarkerColor);
    else
        color = active ? QColor(0, 0, 0x80) : QColor(TbsDefaultMenuColors().WindowText);
    DrawScrollMarker(painter, image.rect(), up, color);
    return image;
}

void TbsSkinPopupWindow::RenderBuffer()
{
    buffer_ = background_.copy();
    QPainter painter(&buffer_);
    int lastBottom = itemsRect_.top() + (scroll_ ? ScrollAreaHeight : 0);
    for (const auto& item : items_) {
        if (!item->Visible || item->Rect.isEmpty())
            continue;
        const bool active = item->Active || item->Down;
        QImage picture;
        if (skin_->morphing && !skin_->Animates() && !item->IsLine() && item->MorphKf > 0
            && item->MorphKf < 1)
            picture = MorphImages(
                ItemPicture(*item, false), ItemPicture(*item, true), item->MorphKf, skin_->morphKind);
        else if (skin_->morphing && !skin_->Animates() && !item->IsLine())
            picture = ItemPicture(*item, item->MorphKf >= 1);
        else
            picture = ItemPicture(*item, active);
        painter.drawImage(item->Rect.topLeft(), picture);
        lastBottom = item->Rect.bottom() + 1;
    }
    if (scroll_) {
        const QRect top(itemsRect_.left(), itemsRect_.top(), itemsRect_.width(), ScrollAreaHeight);
        const QRect bottom(itemsRect_.left(), itemsRect_.bottom() + 1 - ScrollAreaHeight, itemsRect_.width(),
            ScrollAreaHeight);
        painter.drawImage(top.topLeft(), ScrollAreaPicture(top, true));
        painter.drawImage(bottom.topLeft(), ScrollAreaPicture(bottom, false));
        const QRect strip(itemsRect_.left(), lastBottom, itemsRect_.width(), bottom.top() - lastBottom);
        if (strip.height() > 0) {
            QImage empty = ScrollAreaPicture(strip, false);
            // Drawn like the scroll areas, without a marker.
            if (skin_->scrollItem && !skin_->scrollItem->SkinRect.IsEmpty()) {
                const TbsMenuItemSkinGeom& s = *skin_->scrollItem;
                empty = CreateHSkinImage(s.ItemLeftOffset, s.ItemRightOffset, skin_->scrollItemPicture,
                    s.SkinRect, strip.width(), strip.height(), s.InActiveStretchEffect);
            } else {
                empty = background_.copy(strip);
                if (!skin_->window)
                    empty.fill(QColor(TbsDefaultMenuColors().Window));
            }
            painter.drawImage(strip.topLeft(), empty);
        }
    }
}

void TbsSkinPopupWindow::paintEvent(QPaintEvent*)
{
    if (background_.isNull())
        return;
    RenderBuffer();
    QPainter painter(this);
    painter.drawImage(0, 0, buffer_);
}

void TbsSkinPopupWindow::Redraw()
{
    update();
}

void TbsSkinPopupWindow::Show(const QRect& r, TMenuItem* item, int startIndex, bool subMenu, bool up)
{
    parentGuard_ = item;
    request_ = r;
    subMenu_ = subMenu;
    up_ = up;
    startIndex_ = startIndex;
    visibleStart_ = 0;
    activeItem_ = -1;
    CreateMenu(item, startIndex);
    CalcSize();
    CalcItemRects();

    TbsMenuPlacement placement;
    placement.Request = TRect::FromQRect(r);
    placement.Size = size();
    placement.WorkArea = TRect::FromQRect(menu_->WorkArea());
    placement.SubMenu = subMenu;
    placement.Up = up;
    placement.Scroll = scroll_;
    placement.Scroll2 = scroll2_;
    placement.ItemsRectTop = itemsRect_.top();
    move(CalcMenuPosition(placement));
    RebuildBackground();

    const bool fading = menu_->AlphaBlend && menu_->AlphaBlendAnimation && menu_->First();
    const double opacity = std::clamp(menu_->AlphaBlendValue, 0, 255) / 255.0;
    if (menu_->AlphaBlend)
        setWindowOpacity(fading ? 0.0 : opacity);
    show();
    if (fading) {
        auto* fade = new QTimer(this);
        fade->setInterval(FadeInterval);
        connect(fade, &QTimer::timeout, this, [this, fade, opacity] {
            const double next = std::min(windowOpacity() + 10 / 255.0, opacity);
            setWindowOpacity(next);
            if (next >= opacity)
                fade->deleteLater();
        });
        fade->start();
    }
    lastCursor_ = QCursor::pos();
    mouseTimer_.start();

    for (int i = 0; i < ItemCount(); ++i) {
        if (items_[static_cast<size_t>(i)]->Selectable() && items_[static_cast<size_t>(i)]->Visible) {
            SetActive(i, true);
            items_[static_cast<size_t>(i)]->WaitCommand = true;
            break;
        }
    }
}

void TbsSkinPopupWindow::Hide()
{
    mouseTimer_.stop();
    morphTimer_.stop();
    scrollTimer_.stop();
    hide();
}

int TbsSkinPopupWindow::IndexOf(const TMenuItem* item) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->MenuItem == item)
            return static_cast<int>(i);
    return -1;
}

int TbsSkinPopupWindow::ItemAt(const QPoint& pos) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->Visible && items_[i]->Rect.contains(pos))
            return static_cast<int>(i);
    return -1;
}

bool TbsSkinPopupWindow::ItemMorphs() const
{
    return skin_->morphing || skin_->Animates();
}

void TbsSkinPopupWindow::StartMorph()
{
    if (ItemMorphs() && !morphTimer_.isActive())
        morphTimer_.start();
}

void TbsSkinPopupWindow::MorphTick()
{
    bool changing = false;
    for (const auto& item : items_) {
        const bool active = item->Active || item->Down;
        if (skin_->Animates()) {
            if (item->AnimationFrame == 0)
                continue;
            item->AnimationFrame += active ? 1 : -1;
            if (item->AnimationFrame > skin_->frameCount || item->AnimationFrame < 0)
                item->AnimationFrame = 0;
            changing = changing || item->AnimationFrame != 0;
            continue;
        }
        const double next = NextMorphKf(item->MorphKf, active);
        if (next != item->MorphKf) {
            item->MorphKf = next;
            changing = true;
        }
    }
    if (!changing)
        morphTimer_.stop();
    Redraw();
}

void TbsSkinPopupWindow::SetActive(int index, bool byKey)
{
    if (index == activeItem_)
        return;
    const int old = activeItem_;
    oldActiveItem_ = old;
    activeItem_ = index;
    if (old >= 0 && old < ItemCount() && items_[static_cast<size_t>(old)]->Selectable())
        MouseLeave(old);
    if (index >= 0 && index < ItemCount() && items_[static_cast<size_t>(index)]->Selectable())
        MouseEnter(index, byKey);
    Redraw();
}

void TbsSkinPopupWindow::MouseEnter(int index, bool byKey)
{
    TbsSkinMenuItem& item = *items_[static_cast<size_t>(index)];
    const bool wasActive = item.Active;
    item.Active = true;
    if (!wasActive && !item.Down) {
        if (skin_->Animates())
            item.AnimationFrame = 1;
        StartMorph();
    }
    for (const auto& other : items_) {
        if (other.get() != &item && other->Down) {
            other->Down = false;
            other->Active = false;
            StartMorph();
        }
    }
    if (item.MenuItem)
        setToolTip(GbkToQString(item.MenuItem->Hint()));
    const int level = menu_->LevelOf(this);
    if (item.Down) {
        menu_->CloseMenu(level + 2);
    } else {
        menu_->CloseMenu(level + 1);
        if (!byKey && item.HasSubItems())
            menu_->StartWait(&item);
    }
    Redraw();
}

void TbsSkinPopupWindow::MouseLeave(int index)
{
    TbsSkinMenuItem& item = *items_[static_cast<size_t>(index)];
    if (!item.Down) {
        item.Active = false;
        // An animated item plays back from where it is (or from its last
        // frame) when the skin says so, else it shows the normal look at once.
        if (skin_->Animates())
            item.AnimationFrame = skin_->inactiveAnimation
                ? (item.AnimationFrame > 0 ? item.AnimationFrame : skin_->frameCount)
                : 0;
        StartMorph();
    }
    item.WaitCommand = false;
    menu_->StopWait(&item);
    Redraw();
}

void TbsSkinPopupWindow::MouseMoveAt(const QPoint& pos)
{
    if (scroll_) {
        const QRect top(itemsRect_.left(), itemsRect_.top(), itemsRect_.width(), ScrollAreaHeight);
        const QRect bottom(itemsRect_.left(), itemsRect_.bottom() + 1 - ScrollAreaHeight, itemsRect_.width(),
            ScrollAreaHeight);
        if (top.contains(pos) && visibleStart_ > 0)
            StartScroll(1);
        else if (bottom.contains(pos) && !items_.empty() && !items_.back()->Visible)
            StartScroll(2);
        else if (!top.contains(pos) && !bottom.contains(pos))
            StopScroll();
    }
    const int index = ItemAt(pos);
    if (index < 0)
        return;
    if (index != activeItem_) {
        SetActive(index, false);
        return;
    }
    TbsSkinMenuItem& item = *items_[static_cast<size_t>(index)];
    if (item.WaitCommand) {
        item.WaitCommand = false;
        if (item.HasSubItems() && item.Selectable())
            MouseEnter(index, false);
    }
}

void TbsSkinPopupWindow::MouseReleaseAt(const QPoint& pos, Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    const int index = ItemAt(pos);
    if (index < 0 || items_[static_cast<size_t>(index)]->IsLine())
        return;
    SetActive(index, false);
    menu_->CheckItem(this, items_[static_cast<size_t>(index)].get(), false, true);
}

void TbsSkinPopupWindow::MouseLeftWindow()
{
    if (scrollCode_ != 0)
        StopScroll();
}

void TbsSkinPopupWindow::TrackMouse()
{
    const QPoint cursor = QCursor::pos();
    if (cursor == lastCursor_)
        return;
    lastCursor_ = cursor;
    if (geometry().contains(cursor) && (region_.isEmpty() || region_.contains(mapFromGlobal(cursor))))
        MouseMoveAt(mapFromGlobal(cursor));
    else
        MouseLeftWindow();
}

void TbsSkinPopupWindow::StartScroll(int code)
{
    if (scrollCode_ == code)
        return;
    scrollCode_ = code;
    menu_->CloseMenu(menu_->LevelOf(this) + 1);
    scrollTimer_.start();
    Redraw();
}

void TbsSkinPopupWindow::StopScroll()
{
    if (scrollCode_ == 0)
        return;
    scrollCode_ = 0;
    scrollTimer_.stop();
    Redraw();
}

void TbsSkinPopupWindow::ScrollTick()
{
    if (scrollCode_ == 1 && visibleStart_ > 0)
        --visibleStart_;
    else if (scrollCode_ == 2 && !items_.empty() && !items_.back()->Visible)
        ++visibleStart_;
    else {
        StopScroll();
        return;
    }
    CalcItemRects();
    Redraw();
}

void TbsSkinPopupWindow::EnsureVisible(int index, bool wrapped)
{
    if (!scroll_ || index < 0 || items_[static_cast<size_t>(index)]->Visible)
        return;
    std::vector<int> heights;
    for (const auto& item : items_)
        heights.push_back(MenuItemHeight(
            item->IsLine(), skin_->item ? &*skin_->item : nullptr, menu_->DefaultMenuItemHeight));
    if (index < visibleStart_) {
        visibleStart_ = wrapped ? 0 : index;
    } else if (wrapped) {
        visibleStart_ = LastPageStartIndex(TRect::FromQRect(itemsRect_), heights);
    } else {
        while (!items_[static_cast<size_t>(index)]->Visible && visibleStart_ < index) {
            ++visibleStart_;
            CalcItemRects();
        }
    }
    CalcItemRects();
    Redraw();
}

void TbsSkinPopupWindow::NextItem(int step)
{
    const int n = ItemCount();
    if (n == 0)
        return;
    int i = activeItem_;
    for (int tries = 0; tries < n; ++tries) {
        i = ((i < 0 && step < 0 ? 0 : i) + step + n) % n;
        if (items_[static_cast<size_t>(i)]->Selectable())
            break;
    }
    if (!items_[static_cast<size_t>(i)]->Selectable())
        return;
    const bool wrapped = activeItem_ >= 0 && (step > 0 ? i <= activeItem_ : i >= activeItem_);
    SetActive(i, true);
    EnsureVisible(i, wrapped);
}

void TbsSkinPopupWindow::PopupKeyDown(int key)
{
    if (!isVisible())
        return;
    const int level = menu_->LevelOf(this);
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        const char wanted = static_cast<char>(key);
        for (int i = 0; i < ItemCount(); ++i) {
            TbsSkinMenuItem& item = *items_[static_cast<size_t>(i)];
            if (!item.MenuItem || item.IsLine() || item.MenuItem->Accelerator() != wanted)
                continue;
            SetActive(i, true);
            EnsureVisible(i, false);
            if (item.Enabled()) {
                menu_->CheckItem(this, &item, true, true);
            } else {
                item.Active = true; // a disabled one is only highlighted
                Redraw();
            }
            return;
        }
        return;
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (activeItem_ >= 0)
            menu_->CheckItem(this, items_[static_cast<size_t>(activeItem_)].get(), true, true);
        break;
    case Qt::Key_Escape:
        if (menu_->Count() > 1)
            menu_->CloseMenu(level);
        else
            menu_->Hide();
        break;
    case Qt::Key_Left:
        if (menu_->Count() > 1)
            menu_->CloseMenu(level);
        break;
    case Qt::Key_Right:
        if (activeItem_ >= 0 && items_[static_cast<size_t>(activeItem_)]->HasSubItems())
            menu_->CheckItem(this, items_[static_cast<size_t>(activeItem_)].get(), true, true);
        break;
    case Qt::Key_Down:
        NextItem(1);
        break;
    case Qt::Key_Up:
        NextItem(-1);
        break;
    default:
        break;
    }
}

void TbsSkinPopupWindow::mouseMoveEvent(QMouseEvent* event)
{
    // The innermost window holds the grab; the engine finds the window under the cursor.
    const QPoint global = event->globalPosition().toPoint();
    TbsSkinPopupWindow* under = menu_->WindowAt(global);
    for (int level = 0; level < menu_->Count(); ++level)
        if (menu_->Window(level) != under)
            menu_->Window(level)->MouseLeftWindow();
    if (under)
        under->MouseMoveAt(under->mapFromGlobal(global));
}

void TbsSkinPopupWindow::mousePressEvent(QMouseEvent* event)
{
    if (!menu_->WindowAt(event->globalPosition().toPoint()))
        menu_->Hide(); // a click elsewhere closes the menu
}

void TbsSkinPopupWindow::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint global = event->globalPosition().toPoint();
    if (TbsSkinPopupWindow* under = menu_->WindowAt(global))
        under->MouseReleaseAt(under->mapFromGlobal(global), event->button());
}

void TbsSkinPopupWindow::keyPressEvent(QKeyEvent* event)
{
    // Keys go to the innermost open window.
    if (menu_->Count() > 0)
        menu_->Window(menu_->Count() - 1)->PopupKeyDown(event->key());
    event->accept();
}

void TbsSkinPopupWindow::wheelEvent(QWheelEvent* event)
{
    event->accept();
}

void TbsSkinPopupWindow::closeEvent(QCloseEvent* event)
{
    if (!closingByEngine_ && menu_->LevelOf(this) >= 0) {
        // Closed by the window system (the application lost activation, say):
        // close the whole menu once this event is over.
        QPointer<TbsSkinMenu> menu(menu_);
        QTimer::singleShot(0, menu_, [menu] {
            if (menu)
                menu->Hide();
        });
    }
    event->accept();
}

bool TbsSkinPopupWindow::event(QEvent* event)
{
    const int message = TbsSkinDataEvent::MessageOf(event);
    if (message == SKIN_MSG_CHANGE || message == SKIN_MSG_AFTER_CHANGE) {
        ReadSkin();
        if (!items_.empty()) {
            const QPoint at = pos();
            CalcSize();
            visibleStart_ = std::min(visibleStart_, std::max(ItemCount() - 1, 0));
            CalcItemRects();
            move(at);
            RebuildBackground();
            Redraw();
        }
        return true;
    }
    return QWidget::event(event);
}

// ---------------------------------------------------------------- engine

TbsSkinMenu::TbsSkinMenu(QWidget* form)
    : QObject(form)
    , form_(form)
{
    DefaultMenuItemFont = QFont(QStringLiteral("Arial"));
    DefaultMenuItemFont.setPixelSize(14);
    waitTimer_.setSingleShot(true);
    waitTimer_.setInterval(WaitInterval);
    connect(&waitTimer_, &QTimer::timeout, this, &TbsSkinMenu::WaitTimeout);
}

TbsSkinMenu::~TbsSkinMenu()
{
    waitingItem_ = nullptr;
    std::vector<TbsSkinPopupWindow*> windows;
    windows.swap(windows_);
    for (TbsSkinPopupWindow* window : windows)
        delete window;
    for (const auto& window : closing_)
        delete window.data();
}

TbsSkinMenu* TbsSkinMenu::FindIn(QObject* form)
{
    return form ? form->findChild<TbsSkinMenu*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

int TbsSkinMenu::LevelOf(const TbsSkinPopupWindow* window) const
{
    const auto it = std::find(windows_.begin(), windows_.end(), window);
    return it == windows_.end() ? -1 : static_cast<int>(it - windows_.begin());
}

TbsSkinPopupWindow* TbsSkinMenu::WindowAt(const QPoint& globalPos) const
{
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        TbsSkinPopupWindow* window = *it;
        if (!window->isVisible() || !window->geometry().contains(globalPos))
            continue;
        if (!window->region_.isEmpty() && !window->region_.contains(window->mapFromGlobal(globalPos)))
            continue;
        return window;
    }
    return nullptr;
}

QRect TbsSkinMenu::TakeWorkArea(const QRect& rect) const
{
    if (FixedWorkArea)
        return *FixedWorkArea;
    QScreen* screen = QGuiApplication::screenAt(rect.topLeft());
    if (!screen && form_)
        screen = form_->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void TbsSkinMenu::Popup(QObject* control, TbsSkinData* skinData, int startIndex, const QRect& rect,
    TMenuItem* item, bool up, const std::vector<QImage>& images, bool reduce)
{
    first_ = !visible_;
    if (visible_ || !windows_.empty())
        CloseMenu(0);
    popupControl_ = control;
    workArea_ = TakeWorkArea(rect);
    skinData_ = skinData;
    images_ = images;
    reduceLines_ = reduce;
    if (item && startIndex >= 0 && startIndex < static_cast<int>(ShownMenuItems(*item, reduce).size())) {
        visible_ = true;
        if (first_ && OnMenuOpen) {
            auto open = OnMenuOpen;
            open();
        }
        PopupSub(rect, item, startIndex, false, up);
    }
    first_ = false;
}

void TbsSkinMenu::PopupSub(const QRect& rect, TMenuItem* item, int startIndex, bool subMenu, bool up)
{
    auto* window = new TbsSkinPopupWindow(this, skinData_);
    windows_.push_back(window);
    window->Show(rect, item, startIndex, subMenu, up);
}

void TbsSkinMenu::CloseMenu(int level)
{
    level = std::max(level, 0);
    while (static_cast<int>(windows_.size()) > level) {
        TbsSkinPopupWindow* window = windows_.back();
        windows_.pop_back();
        if (waitingItem_ && waitingItem_->Window == window)
            StopWait();
        window->closingByEngine_ = true;
        window->Hide();
        closing_.emplace_back(window);
        window->deleteLater();
        // The item that opened it is no longer down.
        if (!windows_.empty() && static_cast<int>(windows_.size()) == level) {
            TbsSkinPopupWindow* parent = windows_.back();
            const int index = parent->IndexOf(window->parentGuard_);
            if (index >= 0) {
                TbsSkinMenuItem& item = parent->Item(index);
                item.Down = false;
                item.Active = index == parent->activeItem_ && item.Selectable();
                parent->StartMorph();
                parent->Redraw();
            }
        }
    }
    closing_.erase(
        std::remove_if(closing_.begin(), closing_.end(), [](const auto& w) { return !w; }), closing_.end());
    if (level > 0 || !visible_)
        return;
    visible_ = false;
    StopWait();
    dispatchControl_ = popupControl_;
    SendNotice(popupControl_, SKIN_MSG_CLOSE_MENU);
    auto close = std::move(OnMenuClose);
    OnMenuClose = nullptr;
    if (close)
        close(nullptr);
}

void TbsSkinMenu::Hide()
{
    if (!visible_ && windows_.empty())
        return;
    CloseMenu(0);
    StopWait();
    if (form_ && form_ != popupControl_)
        SendNotice(form_, SKIN_MSG_CLOSE_MENU);
}

void TbsSkinMenu::CheckItem(TbsSkinPopupWindow* window, TbsSkinMenuItem* item, bool byKey, bool choose)
{
    if (!window || !item)
        return;
    if (!choose) {
        window->SetActive(window->IndexOf(item->MenuItem), byKey);
        return;
    }
    if (!item->Selectable() || item->Down)
        return;
    if (!item->HasSubItems()) {
        QPointer<TMenuItem> target = item->MenuItem;
        Hide();
        QPointer<QObject> dispatch = dispatchControl_;
        dispatchControl_ = nullptr;
        // The command runs once every menu window is gone, then the notice.
        QTimer::singleShot(0, target.data(), [target, dispatch] {
            if (target)
                target->Click();
            if (dispatch) {
                TbsSkinMenuEvent notice(SKIN_MSG_AFTER_DISPATCH);
                QCoreApplication::sendEvent(dispatch, &notice);
            }
        });
        return;
    }
    const int level = LevelOf(window);
    QPointer<TbsSkinPopupWindow> guard(window);
    QPointer<TMenuItem> model = item->MenuItem;
    StopWait();
    model->Click(); // may fill the sub-menu
    if (!guard || !model || LevelOf(window) < 0 || window->IndexOf(model) < 0)
        return;
    TbsSkinMenuItem& current = window->Item(window->IndexOf(model));
    CloseMenu(level + 1);
    current.Down = true;
    current.Active = true;
    window->Redraw();
    if (!model->HasVisibleItems())
        return;
    const QRect screenRect(window->mapToGlobal(current.Rect.topLeft()), current.Rect.size());
    PopupSub(screenRect, model, 0, true, false);
}

void TbsSkinMenu::StartWait(TbsSkinMenuItem* item)
{
    waitingItem_ = item;
    waitTimer_.start();
}

void TbsSkinMenu::StopWait(const TbsSkinMenuItem* item)
{
    if (item && item != waitingItem_)
        return;
    waitTimer_.stop();
    waitingItem_ = nullptr;
}

void TbsSkinMenu::WaitTimeout()
{
    TbsSkinMenuItem* item = waitingItem_;
    waitingItem_ = nullptr;
    if (item && LevelOf(item->Window) >= 0)
        CheckItem(item->Window, item, false, true);
}

void TbsSkinMenu::SendNotice(QObject* to, int message)
{
    if (!to)
        return;
    TbsSkinMenuEvent notice(message);
    QCoreApplication::sendEvent(to, &notice);
}

// ---------------------------------------------------------------- popup menu

TbsSkinPopupMenu::TbsSkinPopupMenu(QObject* owner)
    : TPopupMenu(owner)
{
    SetPresenter(this);
}

TbsSkinPopupMenu::~TbsSkinPopupMenu()
{
    delete ownEngine_;
    ownEngine_ = nullptr;
}

TbsSkinMenu* FindFrameMenuEngine(QObject* form, QObject* owner)
{
    if (TbsSkinMenu* engine = TbsSkinMenu::FindIn(form))
        return engine;
    if (auto* ownerWidget = qobject_cast<QWidget*>(owner); ownerWidget && ownerWidget->isWindow())
        if (TbsSkinMenu* engine = TbsSkinMenu::FindIn(ownerWidget))
            return engine;
    if (owner) {
        if (auto* ownersOwner = qobject_cast<QWidget*>(owner->parent());
            ownersOwner && ownersOwner->isWindow())
            if (TbsSkinMenu* engine = TbsSkinMenu::FindIn(ownersOwner))
                return engine;
    }
    return nullptr;
}

TbsSkinMenu* TbsSkinPopupMenu::Engine()
{
    if (TbsSkinMenu* engine = FindFrameMenuEngine(form_, parent()))
        return engine;
    if (!ownEngine_)
        ownEngine_ = new TbsSkinMenu(nullptr);
    return ownEngine_;
}

void TbsSkinPopupMenu::Present(TPopupMenu&, const QPoint& screenPoint)
{
    Show(nullptr, QRect(screenPoint, QSize(0, 0)), false);
}

void TbsSkinPopupMenu::PopupFromRect(const QRect& rect, bool up)
{
    SetPopupPoint(rect.topLeft());
    if (const TMenuNotifyEvent handler = OnPopup())
        handler(this);
    Show(nullptr, rect, up);
}

void TbsSkinPopupMenu::Popup2(QObject* control, int x, int y)
{
    PopupFromRect2(control, QRect(QPoint(x, y), QSize(0, 0)), false);
}

void TbsSkinPopupMenu::PopupFromRect2(QObject* control, const QRect& rect, bool up)
{
    if (!skinData_ && Engine()->MenusSkinData)
        skinData_ = Engine()->MenusSkinData;
    if (!skinData_)
        return;
    SetPopupPoint(rect.topLeft());
    if (const TMenuNotifyEvent handler = OnPopup())
        handler(this);
    Show(control, rect, up);
}

void TbsSkinPopupMenu::Show(QObject* control, const QRect& rect, bool up)
{
    TbsSkinMenu* engine = Engine();
    if (!skinData_ && engine->MenusSkinData)
        skinData_ = engine->MenusSkinData;
    if (engine->Visible())
        engine->Hide();
    engine->Popup(control, skinData_, 0, rect, Items(), up, Images(), AutoLineReduction());
    if (onMenuClose_ && engine->Visible()) {
        QPointer<TbsSkinPopupMenu> self(this);
        TMenuNotifyEvent handler = onMenuClose_;
        engine->OnMenuClose = [self, handler](QObject*) {
            if (self)
                handler(self.data());
        };
    }
}

// ---------------------------------------------------------------- presenter

TbsSkinMenuPresenter::TbsSkinMenuPresenter(TbsSkinData* skinData, QObject* owner)
    : QObject(owner)
    , skinData_(skinData)
    , ownEngine_(new TbsSkinMenu(nullptr))
{
    ownEngine_->setParent(this);
}

void TbsSkinMenuPresenter::Present(TPopupMenu& menu, const QPoint& screenPoint)
{
    TbsSkinMenu* engine = FindFrameMenuEngine(nullptr, menu.parent());
    if (!engine)
        engine = ownEngine_;
    TbsSkinData* skinData = engine->MenusSkinData ? engine->MenusSkinData.data() : skinData_.data();
    if (engine->Visible())
        engine->Hide();
    engine->Popup(nullptr, skinData, 0, QRect(screenPoint, QSize(0, 0)), menu.Items(), false, menu.Images(),
        menu.AutoLineReduction());
}
