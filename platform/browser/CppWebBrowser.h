#pragma once
// The embedded browser view. Navigate returns at once: the page is fetched on
// a worker thread (OffThreadCalls) through the installed page fetch (the web
// layer's limits, proxy choice and Referer rule apply), decoded there and
// shown when it arrives, back on the user-interface thread. It shows a picture
// (GIF, animated too; PNG; JPEG) or a simple document (HTML without scripts,
// external loads or pictures; plain text). It never reports an error: a page
// that cannot be fetched or shown gives a quiet placeholder, like a browser's
// own error page.
//
// What the user-interface thread does with a page is bounded whatever the
// page holds: documents arrive cut to BoundedMarkup's bounds, and a picture
// larger than the view and the screen arrives scaled down (PageBounds).
//
// A later Navigate replaces the page and abandons the earlier fetch (its
// transfer stops, its answer is dropped). Destroying the view while a fetch
// runs neither waits for it nor crashes: the fetch is abandoned the same way,
// and the program's end waits for its worker, briefly.

#include <QFrame>
#include <QSize>
#include <QString>

#include <memory>
#include <string>

class QLabel;
class QMovie;
class QBuffer;
class QScrollArea;
class QStackedLayout;
class QTextBrowser;
class OffThreadCalls;
struct PageContent;

class TCppWebBrowser : public QFrame {
    Q_OBJECT

public:
    enum class Shows {
        Nothing, // never navigated, or navigated to an empty address or about:blank
        Loading, // a fetch is under way; the view is blank
        Image, // a picture or an animation
        Html, // a document (markup or plain text)
        Placeholder, // the page could not be fetched or shown
    };

    // What is on screen now, for tests.
    struct View {
        Shows shows = Shows::Nothing;
        QSize imageSize; // Image: the picture's size
        int frameCount = 0; // Image: its frames, more than one when animated
        QString text; // Html: the document as plain text
        std::u16string address; // the last address navigated to
    };

    explicit TCppWebBrowser(QWidget* parent = nullptr);
    ~TCppWebBrowser() override;

    void Navigate(const std::u16string& url);

    // The view shows no dialog boxes of its own in any case; the switch is kept
    // for callers that set it.
    bool Silent() const { return silent_; }
    void SetSilent(bool silent) { silent_ = silent; }

    // On: no border and no scroll bars, the page fills the view. Off (the
    // default): a sunken border and scroll bars when the page is larger.
    bool TheaterMode() const { return theaterMode_; }
    void SetTheaterMode(bool theaterMode);

    // Sent as the Referer header with every fetch when not empty (empty by
    // default, as for an address typed by the user).
    const std::string& Referer() const { return referer_; }
    void SetReferer(std::string referer) { referer_ = std::move(referer); }

    View CurrentView() const;

    // Fetches of all views whose workers have not ended yet.
    static int FetchesRunning();

private:
    void Arrive(const PageContent& content);
    void ShowBlank(Shows shows);
    void ShowPlaceholder();
    void ShowDocument(const PageContent& content);
    void ShowPicture(const PageContent& content);
    void DropAnimation();
    void FollowLink(const QUrl& link);

    std::unique_ptr<OffThreadCalls> fetches_; // made at the first fetch
    Shows shows_ = Shows::Nothing;
    QSize imageSize_;
    int frameCount_ = 0;
    std::u16string address_;
    std::string referer_;
    bool silent_ = false;
    bool theaterMode_ = false;

    QScrollArea* PicturePage();
    QTextBrowser* DocumentPage();
    QLabel* PlaceholderPage();
    void ApplyScrollBars(class QAbstractScrollArea* area) const;

    QStackedLayout* pages_ = nullptr;
    QWidget* blank_ = nullptr;
    QScrollArea* pictureArea_ = nullptr;
    QLabel* picture_ = nullptr;
    QTextBrowser* document_ = nullptr;
    QLabel* placeholder_ = nullptr;
    // The animation reads its bytes from the buffer, so the buffer goes last.
    std::unique_ptr<QBuffer> animationBytes_;
    std::unique_ptr<QMovie> animation_;
};
