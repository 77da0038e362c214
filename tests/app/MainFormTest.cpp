// The main window offscreen: its first list, the menu and its items, the
// window styles, and the refresh through the whole window against the
// loopback fake services.
#include "BsSkinEdit.h"
#include "BsSkinLabels.h"
#include "BsSkinListView.h"
#include "Bsskinmenus.h"
#include "ChartFormFM.h"
#include "GbkText.h"
#include "LoopbackWeb.h"
#include "MainFormFM.h"
#include "MenuModel.h"
#include "NuvFormStyle.h"
#include "SkinCtrlDM.h"
#include "SkinModuleSuite.h"
#include "TempDir.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>

using fakes::FakeServices;
using fakes::Fault;
using fakes::LoopbackWeb;
using namespace std::chrono_literals;

namespace {

// Two records as the service writes them: 浦发银行 and 贵州茅台.
const std::string OldAnswer
    = "var hq_str_sh600000=\"\xC6\xD6\xB7\xA2\xD2\xF8\xD0\xD0,7.850,7.840,7.870,7.900,"
      "7.820,7.860,7.870,25384617,199713446.000,2026-12-08,15:00:00,00,\";\n"
      "var hq_str_sh600519=\"\xB9\xF3\xD6\xDD\xC3\xA9\xCC\xA8,1500.00,1480.00,1520.00,1530.00,"
      "1490.00,1519.00,1520.00,100,150000.000,2026-12-08,15:00:00,00,\";\n";

void RunEventLoopFor(std::chrono::milliseconds time)
{
    QDeadlineTimer deadline(time);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

template <typename Done> bool RunUntil(Done done, std::chrono::milliseconds limit = 10000ms)
{
    QDeadlineTimer deadline(limit);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

void Click(QWidget* widget, QPoint p)
{
    const QPointF global = widget->mapToGlobal(QPointF(p));
    QMouseEvent press(
        QEvent::MouseButtonPress, QPointF(p), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(
        QEvent::MouseButtonRelease, QPointF(p), global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

class MainFormTest : public SkinModuleSuite {
protected:
    ~MainFormTest() override
    {
        if (TbsSkinMenu* engine = form ? form->pmMainMenu->Engine() : nullptr)
            engine->CloseMenu(0);
        form.reset();
    }

    void Make() { form = std::make_unique<TMainForm>(nullptr, TMainFormFiles { quoteFile, codeFile }); }

    std::vector<std::string> Row(int row) const
    {
        const TbsSkinListView& list = *form->bsSkinListView1;
        return { list.Caption(row), list.SubItem(row, 0), list.SubItem(row, 1), list.SubItem(row, 2) };
    }

    bool MenuOpen() const { return form->pmMainMenu->Engine()->Visible(); }

    testsupport::TempDir dir;
    std::string quoteFile = dir.File("Stocks.dat");
    std::string codeFile = dir.File("Stocks.cfg");
    std::unique_ptr<TMainForm> form;
};

TEST_F(MainFormTest, TheFirstListShowsTheLastRunsQuotesWhateverTheCodeListHolds)
{
    testsupport::WriteFile(codeFile, "sz000001\r\n");
    testsupport::WriteFile(quoteFile, OldAnswer);
    Make(); // nothing shown, no event loop yet
    ASSERT_EQ(form->bsSkinListView1->ItemCount(), 2);
    EXPECT_EQ(
        Row(0), (std::vector<std::string> { "\xC6\xD6\xB7\xA2\xD2\xF8\xD0\xD0", "600000", "7.870", "0.38" }));
    EXPECT_EQ(Row(1),
        (std::vector<std::string> { "\xB9\xF3\xD6\xDD\xC3\xA9\xCC\xA8", "600519", "1520.00", "2.70" }));
    // The names show decoded from GBK.
    const QAbstractItemModel* model = form->bsSkinListView1->model();
    EXPECT_EQ(model->data(model->index(0, 0)).toString(), QStringLiteral("浦发银行"));
    EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), QStringLiteral("涨幅%"));
}

TEST_F(MainFormTest, ADamagedQuoteFileAtStartIsReportedOnceAndTheListStartsEmpty)
{
    std::vector<std::string> reports;
    const auto old = SetErrorReportHandler([&](const std::string& m) { reports.push_back(m); });
    testsupport::WriteFile(quoteFile, OldAnswer + "var hq_str_sh600001=\"n,1,2,3\";\n");
    Make();
    RunEventLoopFor(50ms);
    SetErrorReportHandler(old);
    EXPECT_EQ(form->bsSkinListView1->ItemCount(), 0);
    EXPECT_EQ(reports, std::vector<std::string> { "List index out of bounds (5)" });
}

TEST_F(MainFormTest, TheMenuOffersExactlyTheOneOfHideAndShowThatChangesTheState)
{
    Make();
    form->show();
    EXPECT_TRUE(form->mmHide->Visible());
    EXPECT_FALSE(form->mmShow->Visible());

    form->mmHide->Click();
    EXPECT_FALSE(form->mmHide->Visible());
    EXPECT_TRUE(form->mmShow->Visible());
    // Offscreen there is no notification area: the window is minimized, not hidden.
    EXPECT_FALSE(form->InTray());
    EXPECT_TRUE(form->isMinimized());

    form->mmShow->Click();
    EXPECT_TRUE(form->mmHide->Visible());
    EXPECT_FALSE(form->mmShow->Visible());
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isMinimized());
}

TEST_F(MainFormTest, TheMenuLabelOpensTheMenuAtItsBottomLeftCorner)
{
    Make();
    form->show();
    RunEventLoopFor(20ms);
    ASSERT_FALSE(MenuOpen());
    Click(form->btnShowMenu, QPoint(5, 5));
    ASSERT_TRUE(RunUntil([&] { return MenuOpen(); }, 2000ms));
    TbsSkinMenu* engine = form->pmMainMenu->Engine();
    EXPECT_EQ(engine->Window(0)->geometry().topLeft(),
        form->btnShowMenu->mapToGlobal(QPoint(0, form->btnShowMenu->height())));
}

TEST_F(MainFormTest, StyleItemsSwitchTheStyleAndMoveTheCheckMark)
{
    Make();
    form->show();
    struct Step {
        TMenuItem* item;
        nuv::TFormStyle style;
        bool onTop;
    };
    const Step steps[] = { { form->mmFormStyleStayOnTop, nuv::fsStayOnTop, true },
        { form->mmFormStyleOnDesttop, nuv::fsOnDesktop, false },
        { form->mmFormStyleNormal, nuv::fsNormal, false } };
    EXPECT_TRUE(form->mmFormStyleNormal->Checked());
    for (const Step& step : steps) {
        step.item->Click();
        EXPECT_EQ(form->NuvFormStyle1->FormStyle(), step.style);
        EXPECT_EQ(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint), step.onTop);
        for (TMenuItem* item :
            { form->mmFormStyleNormal, form->mmFormStyleStayOnTop, form->mmFormStyleOnDesttop })
            EXPECT_EQ(item->Checked(), item == step.item) << item->Name();
    }
}

TEST_F(MainFormTest, TheQuoteTimerKeepsRefreshingWhileAModalBoxIsOpen)
{
    Make();
    form->show();
    form->tmr1->setInterval(30);
    ASSERT_EQ(form->bsSkinListView1->ItemCount(), 0);
    int rowsSeenInsideBox = -1;
    QTimer::singleShot(10, [&] {
        testsupport::WriteFile(quoteFile, OldAnswer); // the next cycle re-reads it
        QTimer::singleShot(300, [&] {
            rowsSeenInsideBox = form->bsSkinListView1->ItemCount();
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->done(0);
        });
    });
    QMessageBox box(
        QMessageBox::Information, QStringLiteral("t"), QStringLiteral("open"), QMessageBox::Ok, form.get());
    box.exec();
    EXPECT_EQ(rowsSeenInsideBox, 2);
}

// Each row charts its own market: the Shanghai index sh000001 and the
// Shenzhen bank sz000001 share their six digits.
TEST_F(MainFormTest, AClickOnARowChartsItsOwnMarketAndOneOnEmptySpaceDoesNothing)
{
    testsupport::WriteFile(quoteFile,
        "var hq_str_sh000001=\"\xC9\xCF\xD6\xA4\xD6\xB8\xCA\xFD,3000.10,2990.20,3001.30,3010.40,2980.50,0,0,"
        "100,200,2026-12-08,15:00:00,00,\";\n"
            + OldAnswer
            + "var "
              "hq_str_sz000001=\"\xC6\xBD\xB0\xB2\xD2\xF8\xD0\xD0,10.10,10.00,10.20,10.30,10.00,10.19,10.20,"
              "100,200,2026-12-08,15:00:00,00,\";\n");
    Make();
    TChartForm chart;
    ChartForm = &chart;
    form->show();
    RunEventLoopFor(20ms);
    TbsSkinListView& list = *form->bsSkinListView1;
    ASSERT_EQ(list.ItemCount(), 4);

    const QRect last = list.visualRect(list.model()->index(3, 0));
    Click(list.viewport(), QPoint(10, last.bottom() + 40)); // below the rows, nothing selected
    EXPECT_FALSE(chart.isVisible());
    EXPECT_EQ(chart.StockCode(), "");

    const std::pair<int, std::string> rows[]
        = { { 0, "sh000001" }, { 3, "sz000001" }, { 2, "sh600519" }, { 1, "sh600000" } };
    for (const auto& [row, code] : rows) {
        Click(list.viewport(), list.visualRect(list.model()->index(row, 0)).center());
        EXPECT_EQ(list.SubItem(row, 0), code.substr(2)) << "the list shows six digits";
        EXPECT_EQ(chart.StockCode(), code);
        EXPECT_EQ(chart.edtStockNum->Text(), code);
        EXPECT_TRUE(chart.isVisible());
    }
    ChartForm = nullptr;
}

// A new user's empty list says how to add stocks; the line goes with the first row.
TEST_F(MainFormTest, AnEmptyListSaysHowToAddStocksUntilItHasARow)
{
    Make();
    form->show();
    RunEventLoopFor(20ms);
    ASSERT_EQ(form->bsSkinListView1->ItemCount(), 0);
    EXPECT_TRUE(form->lblEmptyHint->isVisible());
    EXPECT_TRUE(form->lblEmptyHint->text().contains(QStringLiteral("选项")));
    EXPECT_EQ(form->lblEmptyHint->geometry(), form->bsSkinListView1->viewport()->rect());

    testsupport::WriteFile(quoteFile, OldAnswer);
    form->tmr1Timer(form->tmr1); // offscreen no window counts as showing: the file is read
    ASSERT_TRUE(RunUntil([&] { return !form->Refreshing(); }));
    ASSERT_EQ(form->bsSkinListView1->ItemCount(), 2);
    EXPECT_FALSE(form->lblEmptyHint->isVisible());
}

// --- through the loopback fake services

class MainFormWebTest : public MainFormTest {
protected:
    FakeServices services;
    LoopbackWeb web { services };
};

// Shown, the window asks for its first live quotes at once, not at the
// timer's first tick 20 seconds later.
TEST_F(MainFormWebTest, TheFirstShowingFillsTheListWithTheServicesQuotesInCodeListOrder)
{
    testsupport::WriteFile(codeFile, "sh600519\r\nsz000001\r\n");
    Make();
    RunEventLoopFor(50ms);
    EXPECT_EQ(services.RequestCount(), 0u) << "nothing before the window shows";
    form->show();
    ASSERT_TRUE(RunUntil([&] { return form->bsSkinListView1->ItemCount() == 2; }, 3000ms));
    EXPECT_TRUE(form->tmr1->isActive());
    ASSERT_EQ(form->bsSkinListView1->ItemCount(), 2);
    const QAbstractItemModel* model = form->bsSkinListView1->model();
    EXPECT_EQ(model->data(model->index(0, 0)).toString(), QStringLiteral("贵州茅台"));
    EXPECT_EQ(model->data(model->index(1, 0)).toString(), QStringLiteral("平安银行"));
    EXPECT_EQ(Row(1)[1], "000001");
    EXPECT_TRUE(web.reports.empty());
}

TEST_F(MainFormWebTest, AFailedDownloadIsReportedOnceAndTheRowsStay)
{
    testsupport::WriteFile(codeFile, "sh600000\r\nsh600519\r\n");
    testsupport::WriteFile(quoteFile, OldAnswer);
    services.SetFault("/list=*", Fault::ServerError500);
    Make();
    form->show();
    ASSERT_TRUE(RunUntil([&] { return services.RequestCount() > 0 && !form->Refreshing(); }));
    EXPECT_EQ(web.reports.size(), 1u);
    EXPECT_EQ(form->bsSkinListView1->ItemCount(), 2);
    EXPECT_EQ(Row(0)[1], "600000");
}

TEST_F(MainFormWebTest, AHungServiceLeavesTheWindowPaintingAndItsMenuOpening)
{
    testsupport::WriteFile(codeFile, "sh600000\r\n");
    services.SetDelay(20000ms);
    services.SetFault("/list=*", Fault::Delay);
    Make();
    form->show(); // the first refresh starts and waits
    ASSERT_TRUE(RunUntil([&] { return services.RequestCount() > 0; }, 3000ms));

    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    form->bsSkinListView1->viewport()->installEventFilter(&counter);
    form->bsSkinListView1->viewport()->update();
    Click(form->btnShowMenu, QPoint(5, 5));
    RunEventLoopFor(200ms);
    EXPECT_TRUE(form->Refreshing()); // still waiting for the answer
    EXPECT_GT(counter.paints, 0);
    EXPECT_TRUE(MenuOpen());
    // Closing the window while the request waits does not wait for it.
    const QDeadlineTimer closing(2000);
    form->pmMainMenu->Engine()->CloseMenu(0);
    form.reset();
    EXPECT_FALSE(closing.hasExpired());
}

} // namespace
