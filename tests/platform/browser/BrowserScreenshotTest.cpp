// Draws the browser view as the program's windows use it, into
// build/test-artifacts/browser.png: a chart window's view showing a chart, a
// view whose page failed, and an advertisement strip whose view sits at
// (-16, -16) in its panel. Checks the pixels a person would look at.
#include "CppWebBrowser.h"
#include "GifPictures.h"
#include "LoopbackWeb.h"

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

using fakes::FakeServices;
using fakes::LoopbackWeb;
using Shows = TCppWebBrowser::Shows;

namespace {

QImage ChartImage()
{
    const std::string& gif = fakes::ChartGif();
    return QImage::fromData(QByteArray(gif.data(), static_cast<qsizetype>(gif.size())), "gif")
        .convertToFormat(QImage::Format_RGB32);
}

int DarkPixels(const QImage& image, const QRect& area)
{
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ++dark;
    return dark;
}

} // namespace

TEST(BrowserScreenshotTest, ChartPlaceholderAndAdvertisementStrip)
{
    FakeServices services;
    LoopbackWeb web { services };

    QWidget window;
    window.setFixedSize(611, 345 + 8 + 120 + 8 + 60);
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(0x30, 0x50, 0x80));
    window.setPalette(palette);

    TCppWebBrowser chart(&window);
    chart.setGeometry(0, 0, 611, 345);
    TCppWebBrowser failed(&window);
    failed.setGeometry(0, 353, 611, 120);
    QWidget strip(&window);
    strip.setGeometry(0, 481, 306, 60);
    TCppWebBrowser ad(&strip);
    ad.SetSilent(true);
    ad.SetTheaterMode(true);
    ad.setGeometry(-16, -16, 1000, 1000);
    window.show();

    chart.Navigate(u"http://image.sinajs.cn/newchart/min/n/sh600000.gif");
    failed.Navigate(u"http://maker.example/missing.php");
    ad.Navigate(u"http://image.sinajs.cn/newchart/daily/n/sh600000.gif");
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return chart.CurrentView().shows == Shows::Image && failed.CurrentView().shows == Shows::Placeholder
            && ad.CurrentView().shows == Shows::Image;
    }));
    QTest::qWait(50);
    const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);

    const char* folder = std::getenv("QELVO_TEST_ARTIFACTS");
    const QString dir = folder ? QString::fromLocal8Bit(folder) : QStringLiteral("test-artifacts");
    ASSERT_TRUE(QDir().mkpath(dir));
    EXPECT_TRUE(shot.save(dir + QStringLiteral("/browser.png")));

    const QImage picture = ChartImage();
    ASSERT_EQ(picture.size(), QSize(fakes::ChartWidth, fakes::ChartHeight));
    // The chart sits at the top left of the view's inside, pixel for pixel.
    const QPoint origin = chart.contentsRect().topLeft();
    for (const QPoint p : { QPoint(0, 0), QPoint(100, 150), QPoint(300, 75), QPoint(544, 299) })
        EXPECT_EQ(shot.pixel(origin + p), picture.pixel(p)) << p.x() << "," << p.y();
    // Right of and below the chart: the view's plain ground.
    EXPECT_EQ(shot.pixel(origin + QPoint(580, 320)), qRgb(255, 255, 255));

    // The placeholder: text in the middle of a plain ground.
    const QRect middle(failed.x() + 205, failed.y() + 40, 200, 40);
    EXPECT_GT(DarkPixels(shot, middle), 20);
    EXPECT_EQ(shot.pixel(failed.x() + 20, failed.y() + 20), qRgb(255, 255, 255));

    // The strip shows the page from 16 pixels right of and below its corner.
    for (const QPoint p : { QPoint(0, 0), QPoint(200, 40), QPoint(305, 59) })
        EXPECT_EQ(shot.pixel(strip.pos() + p), picture.pixel(p + QPoint(16, 16))) << p.x() << "," << p.y();
    EXPECT_TRUE(web.reports.empty());
}
