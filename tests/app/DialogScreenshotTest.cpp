// The option dialog, the chart window (with a chart from the fake chart
// service) and the About dialog on a real X server with the program's skin,
// saved into the artifact folder for a person to look at; the skinned edit
// menu of their code boxes opened by a real right click.
#include "AboutFormFM.h"
#include "BsResourceStrData.h"
#include "BsSkinBoxes.h"
#include "BsSkinButtons.h"
#include "BsSkinComboBox.h"
#include "BsSkinEdit.h"
#include "Bsskinmenus.h"
#include "ChartFormFM.h"
#include "CppWebBrowser.h"
#include "LoopbackWeb.h"
#include "OptionFormFM.h"
#include "SkinCtrlDM.h"
#include "TempDir.h"
#include "WaitUntil.h"
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

// A right click into the option dialog's or the chart window's code box opens
// the skinned edit menu with the skin's words; choosing "select all" there
// selects the code, and the box hears that a command ran. A box with a menu of
// its own shows that one instead.
TEST(DialogEditMenu, CodeBoxesOpenTheSkinnedEditMenu)
{
    TSkinCtrlModule module;
    SkinCtrlModule = &module;
    testsupport::TempDir dir;
    TOptionForm option { nullptr, dir.File("Stocks.cfg") };
    TChartForm chart;
    TbsSkinPopupMenu own(&chart);
    auto* ownItem = new TMenuItem(own.Items());
    ownItem->SetCaption("own");
    own.Items()->Add(ownItem);
    struct Row {
        const char* what;
        QWidget* window;
        TbsSkinEdit* edit;
        TPopupMenu* ownMenu;
    };
    const Row rows[] = {
        { "option dialog", &option, option.edtStoceCode, nullptr },
        { "chart window", &chart, chart.edtStockNum, nullptr },
        { "a box with its own menu", &chart, chart.edtStockNum, &own },
    };
    const TbsResourceStrData& words = *module.bsSkinData1->ResourceStrData();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        row.window->move(40, 40);
        row.window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(row.window));
        row.edit->PopupMenu = row.ownMenu;
        row.edit->SetText("sh600000");
        row.edit->deselect();
        int commandsHeard = 0;
        struct Heard : QObject {
            int& count;
            explicit Heard(int& c)
                : count(c)
            {
            }
            bool eventFilter(QObject*, QEvent* event) override
            {
                count += event->type() == TbsSkinMenuEvent::TypeOf(SKIN_MSG_AFTER_DISPATCH);
                return false;
            }
        } heard(commandsHeard);
        row.edit->installEventFilter(&heard);

        const QPoint at = row.edit->mapToGlobal(row.edit->rect().center());
        testsupport::Xdotool({ QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
            QStringLiteral("click"), QStringLiteral("3") });
        TbsSkinPopupMenu* shown = row.ownMenu ? &own : row.edit->EditMenu();
        ASSERT_NE(shown, nullptr);
        TbsSkinMenu* engine = shown->Engine();
        ASSERT_TRUE(
            testsupport::WaitUntil([&] { return engine->Visible() && engine->Window(0)->isVisible(); }));
        TbsSkinPopupWindow* menu = engine->Window(0);
        if (row.ownMenu) {
            EXPECT_EQ(menu->ItemCount(), 1);
            engine->CloseMenu(0);
            continue;
        }
        std::vector<std::string> captions;
        for (int i = 0; i < menu->ItemCount(); ++i)
            captions.push_back(menu->Item(i).MenuItem->Caption());
        EXPECT_EQ(captions,
            (std::vector<std::string> { words.GetResStr("EDIT_UNDO"), "-", words.GetResStr("EDIT_CUT"),
                words.GetResStr("EDIT_COPY"), words.GetResStr("EDIT_PASTE"), words.GetResStr("EDIT_DELETE"),
                "-", words.GetResStr("EDIT_SELECTALL") }));
        QTest::qWait(200);
        testsupport::SaveScreen(QStringLiteral("edit-menu.png"),
            menu->geometry()
                .united(row.edit->geometry().translated(row.window->geometry().topLeft()))
                .adjusted(-20, -20, 20, 20));

        const QPoint selectAll = menu->mapToGlobal(menu->Item(7).Rect.center());
        testsupport::Xdotool({ QStringLiteral("mousemove"), QString::number(selectAll.x()),
            QString::number(selectAll.y()), QStringLiteral("sleep"), QStringLiteral("0.2"),
            QStringLiteral("click"), QStringLiteral("1") });
        EXPECT_TRUE(testsupport::WaitUntil([&] { return !engine->Visible(); }));
        EXPECT_EQ(row.edit->selectedText(), QStringLiteral("sh600000"));
        EXPECT_EQ(commandsHeard, 1);
        row.edit->removeEventFilter(&heard);
        row.window->hide();
    }
    chart.edtStockNum->PopupMenu = nullptr;
    SkinCtrlModule = nullptr;
}
