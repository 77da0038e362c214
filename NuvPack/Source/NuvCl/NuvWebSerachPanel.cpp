#include "NuvWebSerachPanel.h"

#include "GbkText.h"
#include "MenuModel.h"
#include "NuvMenus.h"
#include "NuvWebSerach.h"
#include "SearchPictures.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace {

QColor FromBgr(unsigned bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
        static_cast<int>((bgr >> 16) & 0xFF));
}

// The picture with every pixel of its lower-left pixel's colour made transparent.
QImage CutOutLowerLeft(const QImage& picture)
{
    if (picture.isNull())
        return {};
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    if (qAlpha(image.pixel(0, image.height() - 1)) == 0)
        return image; // cut out already
    const QRgb key = image.pixel(0, image.height() - 1) | 0xFF000000u;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] | 0xFF000000u) == key)
                line[x] = 0;
    }
    return image;
}

} // namespace

TNuvImage::TNuvImage(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void TNuvImage::SetPicture(const QImage& picture)
{
    picture_ = picture;
    shown_ = CutOutLowerLeft(picture);
    update();
}

void TNuvImage::paintEvent(QPaintEvent*)
{
    if (shown_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, shown_);
}

void TNuvImage::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
        OnClick(this);
}

const int TNuvWebSerachPanel::FDefaultTop = 4;
const int TNuvWebSerachPanel::FDefaultHeight = 16;

TNuvWebSerachPanel::TNuvWebSerachPanel(QWidget* owner)
    : QWidget(owner)
    , FWebSerach(std::make_unique<TNuvWebSerach>())
{
    FSubEdit = new QLineEdit(this);
    FSubMenu = new TPopupMenu(this);
    FSubLeftImage = new TNuvImage(this);
    FSubRightImage = new TNuvImage(this);
    setAutoFillBackground(true);
    SetColor(color_);
    setFixedHeight(24);
    InitSubControl();
}

TNuvWebSerachPanel::~TNuvWebSerachPanel() = default;

void TNuvWebSerachPanel::InitSubControl()
{
    InitFSubLeftImage();
    InitFSubRightImage();
    InitFSubEdit();
    InitFSubMenu();
}

void TNuvWebSerachPanel::InitFSubLeftImage()
{
    FSubLeftImage->setObjectName(QStringLiteral("FSubLeftImage"));
    FSubLeftImage->setGeometry(4, FDefaultTop, 16, FDefaultHeight);
    FSubLeftImage->OnClick = [this](QObject* sender) { SubLeftImageClick(sender); };
    FSubLeftImage->SetPicture(LoadSearchPicture("NuvPackGoogleIcon"));
}

void TNuvWebSerachPanel::InitFSubRightImage()
{
    FSubRightImage->setObjectName(QStringLiteral("FSubRightImage"));
    FSubRightImage->setCursor(Qt::PointingHandCursor);
    FSubRightImage->resize(16, FDefaultHeight);
    FSubRightImage->OnClick = [this](QObject* sender) { SubRightImageClick(sender); };
    FSubRightImage->SetPicture(LoadSearchPicture("NuvPackSearch"));
    SetFSubRightImageSize();
}

void TNuvWebSerachPanel::InitFSubEdit()
{
    FSubEdit->setObjectName(QStringLiteral("FSubEdit"));
    FSubEdit->setFrame(false);
    FSubEdit->setTextMargins(0, 0, 0, 0);
    FSubEdit->setFixedHeight(FDefaultHeight);
    FSubEdit->move(FSubEdit->x(), FDefaultTop + 1);
    FSubEdit->installEventFilter(this);
    FSubEdit->raise();
    SetFSubEditSize();
}

void TNuvWebSerachPanel::InitFSubMenu()
{
    FSubMenu->setObjectName(QStringLiteral("FSubMenu"));
    FSubMenu->SetAutoHotkeys(false);
    AddGoogleMenuItem();
    AddTaoBaoMenuItem();
    FEngineIndex = 0;
}

void TNuvWebSerachPanel::SetColor(unsigned bgr)
{
    color_ = bgr;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, FromBgr(bgr));
    palette.setColor(QPalette::Base, FromBgr(bgr)); // the edit box's background
    setPalette(palette);
}

std::string TNuvWebSerachPanel::GetText() const
{
    return QStringToGbk(FSubEdit->text());
}

void TNuvWebSerachPanel::SetText(const std::string& text)
{
    FSubEdit->setText(GbkToQString(text));
}

void TNuvWebSerachPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    SetSubControlSize();
}

void TNuvWebSerachPanel::SetSubControlSize()
{
    SetFSubRightImageSize();
    SetFSubEditSize();
}

void TNuvWebSerachPanel::SetFSubRightImageSize()
{
    FSubRightImage->setGeometry(width() - FSubRightImage->width() - 4, FDefaultTop, FSubRightImage->width(),
        FSubRightImage->height());
}

void TNuvWebSerachPanel::SetFSubEditSize()
{
    FSubEdit->setGeometry(FSubLeftImage->width() + 8, FSubEdit->y(),
        std::max(0, width() - FSubLeftImage->width() - FSubRightImage->width() - 16), FSubEdit->height());
}

TMenuItem* TNuvWebSerachPanel::AddMenuItem()
{
    auto* item = new TMenuItem(FSubMenu);
    FSubMenu->Items()->Add(item);
    item->SetOnClick([this](QObject* sender) { SubMenuItemClick(sender); });
    return item;
}

TMenuItem* TNuvWebSerachPanel::AddEngineItem(const char* utf8Caption, const char* picture)
{
    TMenuItem* item = AddMenuItem();
    item->SetCaption(QStringToGbk(QString::fromUtf8(utf8Caption)));
    // The menus draw item pictures as they are: this one comes cut out.
    item->SetBitmap(CutOutLowerLeft(LoadSearchPicture(picture)));
    return item;
}

TMenuItem* TNuvWebSerachPanel::AddGoogleMenuItem()
{
    return AddEngineItem("谷歌搜索", "NuvPackGoogleIcon");
}

TMenuItem* TNuvWebSerachPanel::AddBaiDuMenuItem()
{
    return AddEngineItem("百度搜索", "NuvPackBaiDuIcon");
}

TMenuItem* TNuvWebSerachPanel::AddTaoBaoMenuItem()
{
    return AddEngineItem("淘宝搜索", "NuvPackTaoBaoIcon");
}

TMenuItem* TNuvWebSerachPanel::AddSogouMenuItem()
{
    return AddEngineItem("搜狗搜索", "NuvPackSogouIcon");
}

void TNuvWebSerachPanel::SubLeftImageClick(QObject*)
{
    nuv::PopMenu(FSubMenu, FSubLeftImage, 1, 0);
}

void TNuvWebSerachPanel::SubMenuItemClick(QObject* sender)
{
    auto* item = qobject_cast<TMenuItem*>(sender);
    if (!item)
        return;
    FSubLeftImage->SetPicture(item->Bitmap().copy());
    FEngineIndex = item->MenuIndex();
}

void TNuvWebSerachPanel::SubRightImageClick(QObject* sender)
{
    if (!onSerachButtonClick_)
        return;
    // The services read UTF-8 terms: their bytes go into the address.
    const QByteArray utf8 = FSubEdit->text().toUtf8();
    const std::string term(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    const std::string address = FEngineIndex == 1 ? FWebSerach->TaoBao(term) : FWebSerach->Google(term);
    const TSerachButtonClickEvent handler = onSerachButtonClick_; // it may replace itself
    handler(sender, address);
}

bool TNuvWebSerachPanel::eventFilter(QObject* watched, QEvent* event)
{
    // The key goes on to the edit box after SubEditKeyDown.
    if (watched == FSubEdit && event->type() == QEvent::KeyPress)
        SubEditKeyDown(FSubEdit, static_cast<QKeyEvent*>(event)->key());
    return QWidget::eventFilter(watched, event);
}

void TNuvWebSerachPanel::SubEditKeyDown(QObject*, int key)
{
    if (key == 13 || key == Qt::Key_Return || key == Qt::Key_Enter)
        SubRightImageClick(FSubEdit);
}
