#include "BsSkinEdit.h"

#include "BsSkinDataGeometry.h"
#include "Bsskindata.h"
#include "Bsskinmenus.h"
#include "GbkText.h"
#include "MenuModel.h"

#include <QContextMenuEvent>

#include <QMouseEvent>
#include <QPainter>
#include <functional>

TbsSkinEdit::TbsSkinEdit(QWidget* parent)
    : QLineEdit(parent)
    , TbsSkinnable(this, "edit")
    , defaultFont_(DefaultControlFont())
{
    setFrame(false);
    setAttribute(Qt::WA_Hover);
    resize(121, 20);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (OnChange)
            OnChange(this);
    });
    ApplyLook();
}

std::string TbsSkinEdit::Text() const
{
    return QStringToGbk(text());
}

void TbsSkinEdit::SetText(const std::string& value)
{
    setText(GbkToQString(value));
}

void TbsSkinEdit::SetDefaultColor(TColor value)
{
    defaultColor_ = value;
    update();
}

void TbsSkinEdit::SetDefaultFont(const QFont& value)
{
    defaultFont_ = value;
    ApplyLook();
}

void TbsSkinEdit::SetDefaultFontColor(TColor value)
{
    defaultFontColor_ = value;
    ApplyLook();
}

void TbsSkinEdit::SetUseSkinFont(bool value)
{
    useSkinFont_ = value;
    ApplyLook();
}

void TbsSkinEdit::SetDefaultWidth(int value)
{
    defaultWidth_ = value;
    ApplyLook();
}

void TbsSkinEdit::SetDefaultHeight(int value)
{
    defaultHeight_ = value;
    ApplyLook();
}

void TbsSkinEdit::BeforeChangeSkinData()
{
    TbsSkinnable::BeforeChangeSkinData();
    ApplyLook();
}

void TbsSkinEdit::ChangeSkinData()
{
    TbsSkinnable::ChangeSkinData();
    ApplyLook();
}

void TbsSkinEdit::SetButtonMode(bool value)
{
    buttonMode_ = value;
    setMouseTracking(value);
    ApplyLook();
}

QRect TbsSkinEdit::ButtonRect() const
{
    if (!buttonMode_)
        return {};
    if (auto* entry = SkinEntry<TbsDataSkinEditControl>()) {
        TRect r = entry->ButtonRect;
        if (r.Left >= entry->RTPoint.x())
            r = r.Offset(width() - entry->SkinRect.Width(), 0);
        return r.ToQRect();
    }
    const int side = std::max(height() - 4, 1);
    return QRect(width() - 2 - side, 2, side, side);
}

QRect TbsSkinEdit::TextArea() const
{
    if (auto* entry = SkinEntry<TbsDataSkinEditControl>()) {
        const TRect& s = entry->SkinRect;
        const TRect& c = entry->ClRect;
        return QRect(QPoint(c.Left, c.Top),
            QPoint(width() - (s.Width() - c.Right) - 1, height() - (s.Height() - c.Bottom) - 1));
    }
    // Without a skin the button takes the height plus 2 more at the right.
    return rect().adjusted(2, 2, buttonMode_ ? -2 - height() - 2 : -2, -2);
}

void TbsSkinEdit::mousePressEvent(QMouseEvent* event)
{
    if (buttonMode_ && event->button() == Qt::LeftButton
        && ButtonRect().contains(event->position().toPoint())) {
        buttonPressed_ = true;
        update();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void TbsSkinEdit::mouseMoveEvent(QMouseEvent* event)
{
    const bool over = buttonMode_ && ButtonRect().contains(event->position().toPoint());
    if (over != overButton_) {
        overButton_ = over;
        if (over)
            setCursor(Qt::ArrowCursor);
        else
            setCursor(Qt::IBeamCursor);
        update();
    }
    if (!buttonPressed_)
        QLineEdit::mouseMoveEvent(event);
}

void TbsSkinEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (buttonPressed_ && event->button() == Qt::LeftButton) {
        buttonPressed_ = false;
        update();
        if (ButtonRect().contains(event->position().toPoint()) && OnButtonClick)
            OnButtonClick(this);
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

QColor TbsSkinEdit::CurrentFontColor() const
{
    if (auto* entry = SkinEntry<TbsDataSkinEditControl>()) {
        if (!isEnabled())
            return ToQColor(entry->DisabledFontColor);
        return ToQColor(ActiveLook() ? entry->ActiveFontColor : entry->FontColor);
    }
    return ToQColor(isEnabled() ? defaultFontColor_ : clGrayText);
}

void TbsSkinEdit::ApplyTextArea()
{
    setTextMargins(bswidgets::MarginsInside(TextArea(), size()));
}

int TbsSkinEdit::SkinHeight(const TbsDataSkinEditControl& entry)
{
    return BoundedSkinSize(QSize(0, entry.SkinRect.Height())).height();
}

void TbsSkinEdit::ApplyLook()
{
    auto* entry = SkinEntry<TbsDataSkinEditControl>();
    QFont font = defaultFont_;
    if (entry && useSkinFont_)
        font = SkinFont(*entry);
    if (font != this->font())
        setFont(font);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Text, CurrentFontColor());
    setPalette(palette);
    // Height: the skin's with its font, otherwise what the font needs.
    int h = height();
    int w = width();
    if (entry && useSkinFont_ && !entry->SkinRect.IsNull()) {
        h = SkinHeight(*entry);
    } else if (!entry) {
        h = defaultHeight_ > 0 ? defaultHeight_ : QFontMetrics(font).height() + 6;
        if (defaultWidth_ > 0)
            w = defaultWidth_;
    } else {
        h = QFontMetrics(font).height() + 6;
    }
    if (QSize(w, h) != size())
        resize(w, h);
    ApplyTextArea();
    update();
}

QImage TbsSkinEdit::RenderFrame() const
{
    QImage image(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
    auto* entry = SkinEntry<TbsDataSkinEditControl>();
    const QImage* picture = entry ? SkinPicture(entry->PictureIndex) : nullptr;
    if (entry && picture) {
        image.fill(Qt::black);
        const TRect look
            = ActiveLook() && !entry->ActiveSkinRect.IsNull() ? entry->ActiveSkinRect : entry->SkinRect;
        const int right = std::max(entry->SkinRect.Width() - entry->RTPoint.x(), 0);
        const QImage frame = CreateHSkinImage(
            entry->LTPoint.x(), right, *picture, look, width(), height(), entry->StretchEffect);
        QPainter painter(&image);
        painter.drawImage(0, 0, frame);
        if (buttonMode_) {
            TRect buttonLook;
            if (!isEnabled())
                buttonLook = entry->UnEnabledButtonRect;
            else if (buttonPressed_ && overButton_)
                buttonLook = entry->DownButtonRect;
            else if (overButton_)
                buttonLook = entry->ActiveButtonRect;
            if (!buttonLook.IsNull())
                bsutils::StretchPiece(image, TRect::FromQRect(ButtonRect()), *picture, buttonLook);
        }
        return image;
    }
    image.fill(ToQColor(entry ? clWindow : defaultColor_));
    if (!entry) {
        QPainter painter(&image);
        painter.setPen(ToQColor(clBtnShadow));
        painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
        painter.setPen(ToQColor(clBtnFace));
        painter.drawRect(image.rect().adjusted(1, 1, -2, -2));
        if (buttonMode_) {
            using namespace bswidgets;
            const QRect button = ButtonRect();
            if (buttonPressed_ && overButton_)
                FrameAndFill(painter, button, ToQColor(NavyFrame), ToQColor(PressedFill));
            else if (overButton_)
                FrameAndFill(painter, button, ToQColor(NavyFrame), ToQColor(HotFill));
            else
                FrameAndFill(painter, button, ToQColor(clBtnShadow), ToQColor(clBtnFace));
            const QColor dots = ToQColor(isEnabled() ? clBtnText : clGrayText);
            const QPoint c = button.center();
            for (int dx : { -3, 0, 3 })
                painter.fillRect(QRect(c.x() + dx - 1, c.y() + 1, 2, 2), dots);
        }
    }
    return image;
}

void TbsSkinEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    auto* entry = SkinEntry<TbsDataSkinEditControl>();
    if (entry && useSkinFont_ && !entry->SkinRect.IsNull() && height() != SkinHeight(*entry)) {
        resize(width(), SkinHeight(*entry));
        return;
    }
    ApplyTextArea();
}

void TbsSkinEdit::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.drawImage(0, 0, RenderFrame());
    }
    QLineEdit::paintEvent(event);
}

bool TbsSkinEdit::event(QEvent* event)
{
    if (HandleSkinEvent(event))
        return true;
    if (event->type() == TbsSkinMenuEvent::TypeOf(SKIN_MSG_AFTER_DISPATCH)) {
        ApplyLook(); // a command of the edit menu changed the text or the selection
        return true;
    }
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        mouseIn_ = event->type() == QEvent::Enter;
        ApplyLook();
        const TNotifyEvent& handler = mouseIn_ ? OnMouseEnter : OnMouseLeave;
        if (handler)
            handler(this);
    }
    return QLineEdit::event(event);
}

void TbsSkinEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    ApplyLook();
}

void TbsSkinEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    ApplyLook();
}

void TbsSkinEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        ApplyLook();
}

std::string TbsSkinEdit::Word(const char* name) const
{
    const TbsSkinData* skin = SkinData();
    if (skin && skin->ResourceStrData())
        return skin->ResourceStrData()->GetResStr(name);
    return TbsResourceStrData::DefaultResStr(name);
}

void TbsSkinEdit::contextMenuEvent(QContextMenuEvent* event)
{
    const QPoint at
        = event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(rect().center()) : event->globalPos();
    if (PopupMenu)
        PopupMenu->Popup(at.x(), at.y());
    else
        PopupEditMenu(at);
}

void TbsSkinEdit::PopupEditMenu(const QPoint& at)
{
    if (!editMenu_) {
        editMenu_ = new TbsSkinPopupMenu(this);
        editMenu_->SetName("EditMenu");
    }
    // Made anew for each showing: the skin's words and what can be done now.
    TMenuItem* root = editMenu_->Items();
    while (root->Count() > 0)
        delete root->Items(0);
    const bool editable = !isReadOnly();
    const bool selected = hasSelectedText();
    auto add = [&](const char* name, bool enabled, std::function<void()> command) {
        auto* item = new TMenuItem(root);
        item->SetName(name);
        item->SetCaption(command ? Word(name) : std::string("-"));
        item->SetEnabled(enabled);
        if (command)
            item->SetOnClick([command = std::move(command)](QObject*) { command(); });
        root->Add(item);
    };
    add("EDIT_UNDO", editable && isUndoAvailable(), [this] { undo(); });
    add("", true, {});
    add("EDIT_CUT", editable && selected, [this] { cut(); });
    add("EDIT_COPY", selected, [this] { copy(); });
    add("EDIT_PASTE", editable, [this] { paste(); });
    add("EDIT_DELETE", editable && selected, [this] { del(); });
    add("", true, {});
    add("EDIT_SELECTALL", !text().isEmpty(), [this] { selectAll(); });
    // With the edit as the opener, so it hears when a command has run (1229).
    editMenu_->SetSkinData(SkinData());
    if (SkinData())
        editMenu_->Popup2(this, at.x(), at.y());
    else
        editMenu_->Popup(at.x(), at.y());
}
