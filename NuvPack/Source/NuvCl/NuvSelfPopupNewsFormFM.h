#pragma once
// The news window of the popup components: a small tool window captioned
// "网站新闻" with only a close button, its client area filled by a browser view.

#include <QWidget>

class TCppWebBrowser;

class TNuvSelfPopupNewsForm : public QWidget {
    Q_OBJECT
public:
    explicit TNuvSelfPopupNewsForm(QWidget* parent = nullptr);

    TCppWebBrowser* WebNews = nullptr;
};

// The look both popup windows share: tool-window frame with a close button
// only, the font 宋体 at 14 pixels, a 242 × 166 client area to start with.
void SetUpPopupWindow(QWidget* window, const char* utf8Caption);
