#include "NuvAdPanel.h"

#include "CppWebBrowser.h"

#include <QResizeEvent>

TNuvAdPanel::TNuvAdPanel(QWidget* owner)
    : QWidget(owner)
{
    FWebBrowser = new TCppWebBrowser(this);
    FWebBrowser->setObjectName(QStringLiteral("FWebBrowser"));
    FWebBrowser->SetSilent(true);
    FWebBrowser->SetTheaterMode(true);
    FWebBrowser->move(-16, -16);
    FWebBrowser->resize(BrowserSize(size()));
}

TNuvAdPanel::~TNuvAdPanel()
{
    delete FWebBrowser;
}

QSize TNuvAdPanel::BrowserSize(const QSize& panel)
{
    return QSize(
        panel.width() < 1000 ? 1000 : panel.width() + 40, panel.height() < 1000 ? 1000 : panel.height() + 40);
}

void TNuvAdPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FWebBrowser->resize(BrowserSize(event->size()));
}

void TNuvAdPanel::Execute()
{
    FWebBrowser->Navigate(FUrl);
}
