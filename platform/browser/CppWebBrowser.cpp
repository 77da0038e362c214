#include "CppWebBrowser.h"

#include "OffThread.h"
#include "PageContent.h"
#include "WebAccess.h"
#include "WebStop.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMovie>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QStackedLayout>
#include <QTextBrowser>
#include <QUrl>

#include <atomic>
#include <stop_token>
#include <utility>

namespace {

std::atomic<int> runningFetches { 0 };

// A browser's own error page: short text centred on a plain ground.
const char16_t* const PlaceholderText = u"无法显示此页";

// Markup is shown as it is: nothing is loaded from anywhere (no pictures, no
// style sheets), and links only tell the view.
class DocumentView final : public QTextBrowser {
public:
    explicit DocumentView(QWidget* parent)
        : QTextBrowser(parent)
    {
        setOpenLinks(false);
        setOpenExternalLinks(false);
        setFrameShape(QFrame::NoFrame);
    }

    // Every resource gets an empty stand-in: answering nothing would let the
    // document read file: addresses (and the picture handler plain paths) from
    // the local disk itself. A picture keeps its place in the layout, unseen.
    QVariant loadResource(int type, const QUrl&) override
    {
        if (type == QTextDocument::ImageResource) {
            static const QImage nothing = [] {
                QImage image(1, 1, QImage::Format_ARGB32);
                image.fill(Qt::transparent);
                return image;
            }();
            return nothing;
        }
        if (type == QTextDocument::StyleSheetResource)
            return QString();
        return QByteArray();
    }
};

void PaintPlain(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::WindowText, QColor(0x40, 0x40, 0x40));
    palette.setColor(QPalette::Text, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

TCppWebBrowser::TCppWebBrowser(QWidget* parent)
    : QFrame(parent)
{
    PaintPlain(this);

    pages_ = new QStackedLayout(this);
    pages_->setContentsMargins(0, 0, 0, 0);

    blank_ = new QWidget(this);
    PaintPlain(blank_);
    pages_->addWidget(blank_);

    SetTheaterMode(false);
    pages_->setCurrentWidget(blank_);
}

// The picture, document and placeholder pages are made when first shown: most
// views show only one kind of page, and a window holding a view opens sooner.
QScrollArea* TCppWebBrowser::PicturePage()
{
    if (!pictureArea_) {
        pictureArea_ = new QScrollArea(this);
        pictureArea_->setFrameShape(QFrame::NoFrame);
        pictureArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        PaintPlain(pictureArea_);
        PaintPlain(pictureArea_->viewport());
        picture_ = new QLabel;
        picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        PaintPlain(picture_);
        pictureArea_->setWidget(picture_);
        pages_->addWidget(pictureArea_);
        ApplyScrollBars(pictureArea_);
    }
    return pictureArea_;
}

QTextBrowser* TCppWebBrowser::DocumentPage()
{
    if (!document_) {
        document_ = new DocumentView(this);
        PaintPlain(document_);
        PaintPlain(document_->viewport());
        // Queued: navigating clears the document, which must not happen inside its own click.
        connect(
            document_, &QTextBrowser::anchorClicked, this, &TCppWebBrowser::FollowLink, Qt::QueuedConnection);
        pages_->addWidget(document_);
        ApplyScrollBars(document_);
    }
    return document_;
}

QLabel* TCppWebBrowser::PlaceholderPage()
{
    if (!placeholder_) {
        placeholder_ = new QLabel(QString::fromUtf16(PlaceholderText), this);
        placeholder_->setAlignment(Qt::AlignCenter);
        PaintPlain(placeholder_);
        pages_->addWidget(placeholder_);
    }
    return placeholder_;
}

void TCppWebBrowser::ApplyScrollBars(QAbstractScrollArea* area) const
{
    const Qt::ScrollBarPolicy policy = theaterMode_ ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    area->setHorizontalScrollBarPolicy(policy);
    area->setVerticalScrollBarPolicy(policy);
}

TCppWebBrowser::~TCppWebBrowser() = default; // fetches_ abandons what still runs

int TCppWebBrowser::FetchesRunning()
{
    return runningFetches.load();
}

void TCppWebBrowser::SetTheaterMode(bool theaterMode)
{
    theaterMode_ = theaterMode;
    if (theaterMode) {
        setFrameStyle(QFrame::NoFrame);
    } else {
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        setLineWidth(1);
    }
    for (QAbstractScrollArea* area :
        { static_cast<QAbstractScrollArea*>(pictureArea_), static_cast<QAbstractScrollArea*>(document_) })
        if (area)
            ApplyScrollBars(area);
}

void TCppWebBrowser::Navigate(const std::u16string& url)
{
    if (fetches_)
        fetches_->AbandonAll(); // the page it would show has been left
    address_ = url;
    if (url.empty() || url == u"about:blank") {
        ShowBlank(Shows::Nothing);
        return;
    }
    ShowBlank(Shows::Loading);

    PageRequest request;
    request.url = QString::fromStdU16String(url).toStdString(); // UTF-8; the transport escapes what it must
    request.referer = referer_;
    PageBounds bounds;
    bounds.picture = size();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        bounds.picture = bounds.picture.expandedTo(screen->size());
    std::function<PageContent(std::stop_token)> fetch
        = [service = PageFetch(), request = std::move(request), bounds](std::stop_token stop) {
              PageContent content;
              try {
                  const WebStopScope scope(std::move(stop));
                  content = InterpretPage(service->Fetch(request), bounds);
              } catch (...) {
                  content = PageContent {}; // unshowable
              }
              --runningFetches;
              return content;
          };
    ++runningFetches; // counted from here, so a fetch never looks done before its worker started
    try {
        if (!fetches_)
            fetches_ = std::make_unique<OffThreadCalls>();
        fetches_->Start<PageContent>(
            std::move(fetch), [this](PageContent content) { Arrive(content); },
            [this](std::exception_ptr) { ShowPlaceholder(); });
    } catch (...) {
        --runningFetches;
        ShowPlaceholder(); // no thread to fetch with: as if the page failed
    }
}

void TCppWebBrowser::Arrive(const PageContent& content)
{
    switch (content.kind) {
    case PageKind::Blank:
        ShowBlank(Shows::Html);
        break;
    case PageKind::Picture:
    case PageKind::Animation:
        ShowPicture(content);
        break;
    case PageKind::Html:
    case PageKind::Text:
        ShowDocument(content);
        break;
    case PageKind::Unshowable:
        ShowPlaceholder();
        break;
    }
}

void TCppWebBrowser::DropAnimation()
{
    if (picture_)
        picture_->clear();
    animation_.reset();
    animationBytes_.reset();
}

void TCppWebBrowser::ShowBlank(Shows shows)
{
    DropAnimation();
    if (document_)
        document_->clear();
    shows_ = shows;
    imageSize_ = {};
    frameCount_ = 0;
    pages_->setCurrentWidget(blank_);
}

void TCppWebBrowser::ShowPlaceholder()
{
    ShowBlank(Shows::Placeholder);
    pages_->setCurrentWidget(PlaceholderPage());
}

void TCppWebBrowser::ShowDocument(const PageContent& content)
{
    ShowBlank(Shows::Html);
    DocumentPage();
    if (content.kind == PageKind::Html)
        document_->setHtml(content.text);
    else
        document_->setPlainText(content.text);
    pages_->setCurrentWidget(document_);
}

void TCppWebBrowser::ShowPicture(const PageContent& content)
{
    ShowBlank(Shows::Image);
    PicturePage();
    if (content.kind == PageKind::Animation) {
        animationBytes_ = std::make_unique<QBuffer>();
        animationBytes_->setData(content.animation);
        animationBytes_->open(QIODevice::ReadOnly);
        animation_ = std::make_unique<QMovie>(animationBytes_.get(), QByteArray("gif"));
        animation_->setCacheMode(QMovie::CacheNone);
        picture_->setMovie(animation_.get());
        animation_->start();
    } else {
        picture_->setPixmap(QPixmap::fromImage(content.picture));
    }
    picture_->resize(content.size);
    imageSize_ = content.size;
    frameCount_ = content.frames;
    pages_->setCurrentWidget(pictureArea_);
}

void TCppWebBrowser::FollowLink(const QUrl& link)
{
    const QUrl target = QUrl(QString::fromStdU16String(address_)).resolved(link);
    const QString scheme = target.scheme().toLower();
    if (scheme == u"http" || scheme == u"https")
        Navigate(target.toString().toStdU16String());
}

TCppWebBrowser::View TCppWebBrowser::CurrentView() const
{
    View view;
    view.shows = shows_;
    view.imageSize = imageSize_;
    view.frameCount = frameCount_;
    if (shows_ == Shows::Html && document_)
        view.text = document_->toPlainText();
    view.address = address_;
    return view;
}
