#pragma once
// TNuvAdPanel: shows one web page, the advertisement, in a strip of a window.
// Its browser view sits at (-16, -16) and is at least 1000 × 1000 pixels
// (40 more than the panel when the panel is larger), so the strip shows the
// inner part of the page without its margins and scroll bars. Nothing loads
// until Execute; each Execute loads the page again.

#include <QWidget>

#include <string>

class TCppWebBrowser;

class TNuvAdPanel : public QWidget {
    Q_OBJECT
public:
    explicit TNuvAdPanel(QWidget* owner = nullptr);
    ~TNuvAdPanel() override;

    // The page's address; setting it only stores it.
    const std::u16string& Url() const { return FUrl; }
    void SetUrl(const std::u16string& url) { FUrl = url; }

    // Asks the browser view for the page at Url and returns at once.
    void Execute();

    TCppWebBrowser* WebBrowser() const { return FWebBrowser; }

    // The browser view's size for a panel of that size.
    static QSize BrowserSize(const QSize& panel);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::u16string FUrl;
    TCppWebBrowser* FWebBrowser = nullptr;
};
