// The option dialog, the chart window (with a chart from the fake chart
// service) and the About dialog on a real X server with the program's skin,
// saved into the artifact folder for a person to look at.
#include "AboutFormFM.h"
#include "BsSkinBoxes.h"
#include "BsSkinButtons.h"
#include "BsSkinComboBox.h"
#include "BsSkinEdit.h"
#include "ChartFormFM.h"
#include "CppWebBrowser.h"
#include "LoopbackWeb.h"
#include "OptionFormFM.h"
#include "SkinCtrlDM.h"
#include "TempDir.h"
#include "X11Windows.h"

#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

using fakes::FakeServices;
using fakes::LoopbackWeb;

namespace {

// The window as the screen shows it, frame included.
QImage Grab(QWidget& window)
{
    QTest::qWait(300);
    const QRect r = window.frameGeometry();
    return window.screen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).toImage();
}

int DarkPixels(const QImage& image, const QRect& area)
{
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                ++dark;
    return dark;
}

} // namespace

TEST(DialogScreenshotTest, OptionChartAndAbout)
{
    TSkinCtrlModule module;
    SkinCtrlModule = &module;
    FakeServices services;
    LoopbackWeb web { services };
    testsupport::TempDir dir;
    testsupport::WriteFile(dir.File("Stocks.cfg"), "sh600000\r\nsz000001\r\nsh600036\r\nsz300001\r\n");

    {
        TOptionForm option { nullptr, dir.File("Stocks.cfg") };
        option.move(40, 40);
        option.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&option));
        option.lstStoceCode->SetItemIndex(1);
        option.lstStoceCodeClick(option.lstStoceCode);
        EXPECT_EQ(option.contentsRect().size(), QSize(311, 281));
        const QImage shot = Grab(option);
        testsupport::SaveArtifact(shot, QStringLiteral("option.png"));
    }
    {
        TChartForm chart;
        chart.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
        chart.edtStockNum->SetText("sh600000");
        chart.cbbChartSet->SetItemIndex(1);
        chart.btnViewClick(chart.btnView);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return chart.CppWebBrowser1->CurrentView().shows == TCppWebBrowser::Shows::Image; }, 5000));
        EXPECT_EQ(chart.contentsRect().size(), QSize(611, 396));
        const QImage shot = Grab(chart);
        testsupport::SaveArtifact(shot, QStringLiteral("chart.png"));
        // The chart's lines show inside the browser's part of the window.
        const QPoint browser = chart.CppWebBrowser1->mapTo(&chart, QPoint(0, 0))
            + (chart.geometry().topLeft() - chart.frameGeometry().topLeft());
        EXPECT_GT(DarkPixels(shot, QRect(browser, QSize(611, 345)).intersected(shot.rect())), 200);
    }
    {
        TAboutForm about;
        about.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
        EXPECT_EQ(about.contentsRect().size(), QSize(256, 224));
        testsupport::SaveArtifact(Grab(about), QStringLiteral("about.png"));
    }
    SkinCtrlModule = nullptr;
    EXPECT_TRUE(web.reports.empty());
}
