#include "NuvSelfPopupNewsFormFM.h"

#include "ChineseFonts.h"
#include "CppWebBrowser.h"

#include <QVBoxLayout>

void SetUpPopupWindow(QWidget* window, const char* utf8Caption)
{
    window->setWindowFlags(
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window->setWindowTitle(QString::fromUtf8(utf8Caption));
    // Closing the last notice while the main window lives in the tray must
    // not end the program.
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->setFont(ChineseFont(14));
    window->resize(242, 166);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

TNuvSelfPopupNewsForm::TNuvSelfPopupNewsForm(QWidget* parent)
    : QWidget(parent)
{
    SetUpPopupWindow(this, "网站新闻");
    WebNews = new TCppWebBrowser(this);
    WebNews->setObjectName(QStringLiteral("WebNews"));
    layout()->addWidget(WebNews);
}
