#include "BsSkinListView.h"

#include "BsSkinDataGeometry.h"
#include "Bsskindata.h"
#include "GbkText.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

// --- TbsListViewModel

int TbsListViewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || InBlock ? 0 : static_cast<int>(Rows.size());
}

int TbsListViewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(static_cast<int>(Columns.size()), 1);
}

QVariant TbsListViewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(Rows.size()))
        return {};
    const auto column = static_cast<size_t>(index.column());
    switch (role) {
    case Qt::DisplayRole: {
        const std::vector<std::string>& row = Rows[static_cast<size_t>(index.row())];
        return column < row.size() ? GbkToQString(row[column]) : QString();
    }
    case Qt::TextAlignmentRole: {
        const TAlignment alignment = column < Columns.size() ? Columns[column].Alignment : taLeftJustify;
        return QVariant::fromValue(bswidgets::AlignmentFlags(alignment) | Qt::AlignVCenter);
    }
    default:
        return {};
    }
}

QVariant TbsListViewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(Columns.size()))
        return {};
    if (role == Qt::DisplayRole)
        return GbkToQString(Columns[static_cast<size_t>(section)].Caption);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(
            bswidgets::AlignmentFlags(Columns[static_cast<size_t>(section)].Alignment) | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags TbsListViewModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}

// --- TbsSkinListHeader

TbsSkinListHeader::TbsSkinListHeader(TbsSkinListView* owner)
    : QHeaderView(Qt::Horizontal, owner)
    , owner_(owner)
{
    setSectionsClickable(true);
    setHighlightSections(false);
    setStretchLastSection(false);
    setSectionsMovable(false);
    viewport()->setAutoFillBackground(false);
}

QSize TbsSkinListHeader::sizeHint() const
{
    const QSize size = QHeaderView::sizeHint();
    return { size.width(), size.height() + 4 };
}

namespace {

// The header look of button skin entry at w x h: normal or pressed.
QImage HeaderImage(
    const TbsDataSkinButtonControl& entry, const QImage& picture, int w, int h, bool pressed, bool filler)
{
    const TbsControlSkinGeom geom = ControlSkinGeomOf(entry, &picture);
    const TRect r = pressed && !entry.DownSkinRect.IsNull() ? entry.DownSkinRect : entry.SkinRect;
    const TbsNinePieceLayout& l = geom.Layout;
    if (l.RBPoint.x() != 0 && l.RBPoint.y() != 0)
        return CreateSkinImage(l, picture, r, w, h);
    if (filler || CalcResizeMode(geom) == rmWidth)
        return CreateHSkinImage(
            l.LTPoint.x(), std::max(r.Width() - l.RTPoint.x(), 0), picture, r, w, h, l.StretchEffect);
    QImage image(w, h, QImage::Format_RGB32);
    bsutils::StretchPiece(image, TRect(0, 0, w, h), picture, r);
    return image;
}

} // namespace

void TbsSkinListHeader::paintEvent(QPaintEvent* event)
{
    QHeaderView::paintEvent(event);
    // The space right of the last section, over the platform's empty area.
    QPainter painter(viewport());
    const int used = length() - offset();
    const QRect rest(std::max(used, 0), 0, std::max(viewport()->width() - used, 0), viewport()->height());
    if (rest.width() <= 0)
        return;
    auto* entry = owner_->SkinEntryNamed<TbsDataSkinButtonControl>(owner_->HeaderSkinDataName());
    const QImage* picture = entry ? owner_->SkinPicture(entry->PictureIndex) : nullptr;
    if (entry && picture)
        painter.drawImage(
            rest.topLeft(), HeaderImage(*entry, *picture, rest.width(), rest.height(), false, true));
    else
        bswidgets::FrameAndFill(painter, rest, ToQColor(clBtnShadow), ToQColor(clBtnFace));
}

void TbsSkinListHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    auto* entry = owner_->SkinEntryNamed<TbsDataSkinButtonControl>(owner_->HeaderSkinDataName());
    const QImage* picture = entry ? owner_->SkinPicture(entry->PictureIndex) : nullptr;
    const bool pressed = pressed_ == logicalIndex;
    QColor color;
    QRect textRect = rect.adjusted(4, 0, -4, 0);
    if (entry && picture) {
        painter->drawImage(
            rect.topLeft(), HeaderImage(*entry, *picture, rect.width(), rect.height(), pressed, false));
        painter->setFont(owner_->UseSkinFont() ? SkinFont(*entry) : owner_->DefaultFont());
        color = ToQColor(pressed ? entry->DownFontColor : entry->FontColor);
    } else {
        bswidgets::FrameAndFill(*painter, rect, ToQColor(pressed ? bswidgets::NavyFrame : clBtnShadow),
            ToQColor(pressed ? bswidgets::PressedFill : clBtnFace));
        painter->setFont(owner_->DefaultFont());
        color = ToQColor(clBtnText);
    }
    if (pressed)
        textRect.translate(1, 1);
    const QVariant alignment
        = model() ? model()->headerData(logicalIndex, Qt::Horizontal, Qt::TextAlignmentRole) : QVariant();
    const QString text
        = model() ? model()->headerData(logicalIndex, Qt::Horizontal, Qt::DisplayRole).toString() : QString();
    painter->setPen(color);
    painter->drawText(
        textRect, alignment.isValid() ? alignment.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter), text);
}

void TbsSkinListHeader::mousePressEvent(QMouseEvent* event)
{
    QHeaderView::mousePressEvent(event);
    const int section = logicalIndexAt(event->position().toPoint());
    // A press near a section's edge resizes it and presses nothing.
    if (event->button() == Qt::LeftButton && cursor().shape() != Qt::SplitHCursor) {
        pressed_ = section;
        viewport()->update();
    }
}

void TbsSkinListHeader::mouseReleaseEvent(QMouseEvent* event)
{
    QHeaderView::mouseReleaseEvent(event);
    pressed_ = -1;
    viewport()->update();
}

// --- TbsSkinListView

TbsSkinListView::TbsSkinListView(QWidget* parent)
    : QTreeView(parent)
    , TbsSkinnable(this, "listview")
    , model_(new TbsListViewModel(this))
    , header_(new TbsSkinListHeader(this))
    , defaultFont_(DefaultControlFont())
{
    // Columns take exactly the widths they are given, however narrow.
    header_->setMinimumSectionSize(0);
    setHeader(header_);
    setModel(model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setMouseTracking(true);
    setFrameShape(QFrame::StyledPanel);
    ApplyLook();
}

void TbsSkinListView::SetColumns(const std::vector<TbsListColumn>& columns)
{
    model_->beginResetModel();
    model_->Columns = columns;
    model_->endResetModel();
    for (size_t i = 0; i < columns.size(); ++i)
        header_->resizeSection(static_cast<int>(i), columns[i].Width);
}

TbsListColumn TbsSkinListView::Column(int index) const
{
    if (index < 0 || index >= ColumnCount())
        return {};
    TbsListColumn column = model_->Columns[static_cast<size_t>(index)];
    column.Width = header_->sectionSize(index);
    return column;
}

void TbsSkinListView::BeginUpdate()
{
    if (updateCount_++ > 0)
        return;
    setUpdatesEnabled(false);
    model_->beginResetModel();
    model_->InBlock = true;
}

void TbsSkinListView::EndUpdate()
{
    if (updateCount_ == 0 || --updateCount_ > 0)
        return;
    model_->InBlock = false;
    model_->endResetModel();
    setUpdatesEnabled(true);
}

int TbsSkinListView::AddItem(const std::string& caption, const std::vector<std::string>& subItems)
{
    std::vector<std::string> row;
    row.reserve(subItems.size() + 1);
    row.push_back(caption);
    row.insert(row.end(), subItems.begin(), subItems.end());
    const int index = ItemCount();
    if (model_->InBlock) {
        model_->Rows.push_back(std::move(row));
    } else {
        model_->beginInsertRows(QModelIndex(), index, index);
        model_->Rows.push_back(std::move(row));
        model_->endInsertRows();
    }
    return index;
}

void TbsSkinListView::DeleteItem(int index)
{
    if (index < 0 || index >= ItemCount())
        return;
    if (model_->InBlock) {
        model_->Rows.erase(model_->Rows.begin() + index);
        return;
    }
    model_->beginRemoveRows(QModelIndex(), index, index);
    model_->Rows.erase(model_->Rows.begin() + index);
    model_->endRemoveRows();
}

void TbsSkinListView::Clear()
{
    if (model_->InBlock) {
        model_->Rows.clear();
        return;
    }
    model_->beginResetModel();
    model_->Rows.clear();
    model_->endResetModel();
}

std::string TbsSkinListView::Caption(int row) const
{
    return SubItem(row, -1);
}

std::string TbsSkinListView::SubItem(int row, int index) const
{
    if (row < 0 || row >= ItemCount())
        return {};
    const auto& cells = model_->Rows[static_cast<size_t>(row)];
    const auto cell = static_cast<size_t>(index + 1);
    return cell < cells.size() ? cells[cell] : std::string();
}

int TbsSkinListView::ItemIndex() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TbsSkinListView::SetItemIndex(int row)
{
    if (row < 0 || row >= ItemCount()) {
        clearSelection();
        return;
    }
    setCurrentIndex(model_->index(row, 0));
}

void TbsSkinListView::SetDefaultFont(const QFont& value)
{
    defaultFont_ = value;
    ApplyLook();
}

void TbsSkinListView::SetDefaultFontColor(TColor value)
{
    defaultFontColor_ = value;
    ApplyLook();
}

void TbsSkinListView::SetDefaultColor(TColor value)
{
    defaultColor_ = value;
    ApplyLook();
}

void TbsSkinListView::SetUseSkinFont(bool value)
{
    useSkinFont_ = value;
    ApplyLook();
}

void TbsSkinListView::SetHeaderSkinDataName(const std::string& value)
{
    headerSkinDataName_ = value;
    header_->viewport()->update();
}

void TbsSkinListView::SetHotTrackStyle(TbsHotTrackStyle value)
{
    hotTrack_ = value;
    if (value == htNone)
        viewport()->unsetCursor();
}

void TbsSkinListView::SetUseSkinScrollBars(bool value)
{
    if (useSkinScrollBars_ == value)
        return;
    useSkinScrollBars_ = value;
    if (value) {
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        vBar_ = new TbsSkinScrollBar(this);
        vBar_->SetKind(sbVertical);
        hBar_ = new TbsSkinScrollBar(this);
        for (TbsSkinScrollBar* bar : { vBar_, hBar_ }) {
            bar->SetSkinData(SkinData());
            QScrollBar* platform = bar == vBar_ ? verticalScrollBar() : horizontalScrollBar();
            bar->OnChange = [this, platform, bar](QObject*) {
                if (!syncing_)
                    platform->setValue(bar->Position());
            };
            connect(platform, &QScrollBar::rangeChanged, this, &TbsSkinListView::UpdateSkinScrollBars);
            connect(platform, &QScrollBar::valueChanged, this, &TbsSkinListView::UpdateSkinScrollBars);
        }
    } else {
        delete vBar_;
        delete hBar_;
        vBar_ = hBar_ = nullptr;
        setViewportMargins(0, 0, 0, 0);
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    UpdateSkinScrollBars();
}

void TbsSkinListView::UpdateSkinScrollBars()
{
    if (!useSkinScrollBars_ || syncing_)
        return;
    syncing_ = true;
    const QScrollBar* v = verticalScrollBar();
    const QScrollBar* h = horizontalScrollBar();
    const bool showV = v->maximum() > v->minimum();
    const bool showH = h->maximum() > h->minimum();
    const int barV = vBar_->CalcSize(QSize(19, 100)).width();
    const int barH = hBar_->CalcSize(QSize(100, 19)).height();
    // The header stands in the top margin (the tree view's own layout).
    const int headerHeight = header_->isHidden() ? 0 : header_->height();
    setViewportMargins(0, headerHeight, showV ? barV : 0, showH ? barH : 0);
    const QRect port = viewport()->geometry();
    header_->setGeometry(port.left(), port.top() - headerHeight, port.width(), headerHeight);
    const QRect inner = contentsRect();
    const int bottom = inner.bottom() + 1 - (showH ? barH : 0);
    vBar_->setVisible(showV);
    hBar_->setVisible(showH);
    if (showV) {
        vBar_->setGeometry(inner.right() + 1 - barV, inner.top(), barV, bottom - inner.top());
        vBar_->SetRange(v->minimum(), v->maximum() + v->pageStep() - 1, v->pageStep(), v->value());
        vBar_->SetSmallChange(v->singleStep());
        vBar_->SetLargeChange(v->pageStep());
    }
    if (showH) {
        hBar_->SetBoth(showV);
        hBar_->setGeometry(inner.left(), bottom, inner.width(), barH);
        hBar_->SetRange(h->minimum(), h->maximum() + h->pageStep() - 1, h->pageStep(), h->value());
        hBar_->SetSmallChange(h->singleStep());
        hBar_->SetLargeChange(h->pageStep());
    }
    syncing_ = false;
}

void TbsSkinListView::updateGeometries()
{
    QTreeView::updateGeometries();
    UpdateSkinScrollBars();
}

void TbsSkinListView::resizeEvent(QResizeEvent* event)
{
    QTreeView::resizeEvent(event);
    UpdateSkinScrollBars();
}

void TbsSkinListView::BeforeChangeSkinData()
{
    TbsSkinnable::BeforeChangeSkinData();
    ApplyLook();
}

void TbsSkinListView::ChangeSkinData()
{
    TbsSkinnable::ChangeSkinData();
    for (TbsSkinScrollBar* bar : { vBar_, hBar_ })
        if (bar)
            bar->SetSkinData(SkinData());
    ApplyLook();
    UpdateSkinScrollBars();
}

void TbsSkinListView::ApplyLook()
{
    QPalette palette = this->palette();
    QFont font = defaultFont_;
    QColor text = ToQColor(defaultFontColor_);
    QColor base = ToQColor(defaultColor_);
    if (auto* entry = SkinEntry<TbsDataSkinListView>()) {
        if (useSkinFont_)
            font = SkinFont(*entry);
        text = ToQColor(entry->FontColor);
        base = ToQColor(entry->BGColor);
        palette.setColor(QPalette::Highlight, SkinColor(&TbsSkinColors::cHighLight, clHighlight));
        palette.setColor(
            QPalette::HighlightedText, SkinColor(&TbsSkinColors::cHighLightText, clHighlightText));
    } else {
        palette.setColor(QPalette::Highlight, ToQColor(clHighlight));
        palette.setColor(QPalette::HighlightedText, ToQColor(clHighlightText));
    }
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Window, base);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::WindowText, text);
    setPalette(palette);
    setFont(font);
    header_->setFont(font);
    // The header's height follows the font; keep the 4 extra pixels.
    header_->setFixedHeight(header_->sizeHint().height());
    viewport()->update();
    header_->viewport()->update();
}

bool TbsSkinListView::event(QEvent* event)
{
    if (HandleSkinEvent(event))
        return true;
    return QTreeView::event(event);
}

void TbsSkinListView::mouseMoveEvent(QMouseEvent* event)
{
    QTreeView::mouseMoveEvent(event);
    if (hotTrack_ == htHandPoint) {
        if (indexAt(event->position().toPoint()).isValid())
            viewport()->setCursor(Qt::PointingHandCursor);
        else
            viewport()->unsetCursor();
    }
}

void TbsSkinListView::leaveEvent(QEvent* event)
{
    QTreeView::leaveEvent(event);
    viewport()->unsetCursor();
}

void TbsSkinListView::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && viewport()->rect().contains(event->position().toPoint())
        && OnClick)
        OnClick(this);
}
