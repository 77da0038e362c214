// The chart window's codes and picture addresses, and the About dialog made
// fresh for each use.
#include "AboutFormFM.h"
#include "BsSkinButtons.h"
#include "BsSkinComboBox.h"
#include "BsSkinEdit.h"
#include "BsSkinLabels.h"
#include "ChartFormFM.h"
#include "CppWebBrowser.h"
#include "Durora.h"
#include "LoopbackWeb.h"
#include "NuvGui.h"
#include "PresetAnswers.h"
#include "WindowLook.h"

#include <QLabel>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

using fakes::FakeServices;
using fakes::LoopbackWeb;

namespace {

std::string Shown(const TChartForm& form)
{
    return QString::fromStdU16String(form.CppWebBrowser1->CurrentView().address).toStdString();
}

struct ChartFixture : ::testing::Test {
    FakeServices services;
    LoopbackWeb web { services };
    TChartForm form;

    void View(const std::string& typed, int kind)
    {
        form.edtStockNum->SetText(typed);
        form.cbbChartSet->SetItemIndex(kind);
        form.btnView->OnClick(form.btnView);
    }
};

} // namespace

TEST_F(ChartFixture, ListCodesAndTypedCodesGiveTheirPictures)
{
    struct Row {
        const char* code;
        int kind;
        const char* ending; // of the address shown
    };
    const Row rows[] = {
        { "600000", 0, "/newchart/min/n/sh600000.gif" },
        { "000001", 1, "/newchart/daily/n/sz000001.gif" },
        { "300001", 2, "/newchart/weekly/n/sz300001.gif" },
        { "sh600000", 1, "/newchart/daily/n/sh600000.gif" },
        { "SZ000002", 3, "/newchart/monthly/n/sz000002.gif" },
        { "600036", 15, "/newchart/wvad/n/sh600036.gif" }, // listed as "WVA"
        { "600036", 24, "/newchart/cci/n/sh600036.gif" },
    };
    form.show();
    for (const Row& row : rows) {
        form.SetStockCode(row.code); // as the main window's list hands it over
        EXPECT_EQ(form.edtStockNum->Text(), row.code);
        form.cbbChartSet->SetItemIndex(row.kind);
        form.cbbChartSet->OnCloseUp(form.cbbChartSet);
        const std::string shown = Shown(form);
        EXPECT_TRUE(shown.ends_with(row.ending)) << row.code << ": " << shown;
        EXPECT_FALSE(form.NoticeShown());
    }
    EXPECT_EQ(form.cbbChartSet->Items()[15], "WVA");
    EXPECT_TRUE(web.reports.empty());
}

TEST_F(ChartFixture, ListClickChangesNoPictureUntilAKindIsChosen)
{
    form.show();
    View("sh600000", 1);
    const std::string before = Shown(form);
    form.SetStockCode("000001");
    EXPECT_EQ(Shown(form), before);
    EXPECT_EQ(form.StockCode(), "sz000001");
}

TEST_F(ChartFixture, CodeWithoutMarketClearsThePictureAndShowsANotice)
{
    form.show();
    View("sh600000", 1);
    ASSERT_FALSE(Shown(form).empty());
    View("900901", 1);
    EXPECT_TRUE(Shown(form).empty()) << Shown(form);
    EXPECT_TRUE(form.NoticeShown());
    EXPECT_EQ(form.edtStockNum->Text(), "900901");

    View("<b>600000</b>", 1); // shown as typed, not as markup
    const auto* notice = form.findChild<QLabel*>(QStringLiteral("notice"));
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(form.NoticeShown());
    EXPECT_EQ(notice->textFormat(), Qt::PlainText);
    EXPECT_TRUE(notice->text().contains(QStringLiteral("<b>600000</b>")));

    View("sz000001", 1); // a good code takes the notice away
    EXPECT_FALSE(form.NoticeShown());
    EXPECT_TRUE(Shown(form).ends_with("/daily/n/sz000001.gif"));
}

TEST_F(ChartFixture, EmptyCodeBoxIsAnErrorReportAndLoadsNothing)
{
    form.show();
    View("sh600000", 0);
    const std::string before = Shown(form);
    View("", 1);
    ASSERT_EQ(web.reports.size(), 1u);
    EXPECT_EQ(web.reports[0], "Range check error");
    EXPECT_EQ(Shown(form), before);
    EXPECT_TRUE(form.edtStockNum->Text().empty());
}

TEST_F(ChartFixture, ChartArrivesFromTheService)
{
    form.show();
    View("sh600000", 1);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return form.CppWebBrowser1->CurrentView().shows == TCppWebBrowser::Shows::Image; }, 5000));
    EXPECT_EQ(form.CppWebBrowser1->CurrentView().imageSize, QSize(fakes::ChartWidth, fakes::ChartHeight));
}

TEST(AboutFormTest, EachUseGetsAFreshDialogThatIsDestroyed)
{
    QWidget owner;
    QPointer<TAboutForm> first = new TAboutForm(&owner);
    QPointer<TAboutForm> second;
    {
        testsupport::PresetAnswers answers { 1, 1 };
        nuv::FormShowModal(first);
        second = new TAboutForm(&owner);
        EXPECT_NE(second.data(), nullptr);
        nuv::FormShowModal(second);
    }
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(second.isNull());
    EXPECT_TRUE(owner.findChildren<TAboutForm*>().isEmpty());
}

TEST(AboutFormTest, LinksOnlyForTheMakersAddresses)
{
    TAboutForm about;
    about.show();
    const auto& lines = about.bsSkinTextLabel1->Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], Gbk("Qelvo桌面股票 V1.1.1"));
    EXPECT_EQ(about.lbl1->isVisible(), !HomePageUrl.empty());
    EXPECT_EQ(about.lbl1->URL(), HomePageUrl);
    EXPECT_EQ(about.lbl2->isVisible(), !MakerMailAddress().empty());
    if (!MakerMailAddress().empty())
        EXPECT_EQ(about.lbl2->URL(), "mailto:" + MakerMailAddress());
    // No line names an address that is not there.
    for (const std::string& line : lines)
        EXPECT_FALSE(line.ends_with(Gbk("：")));
    about.btnClose->OnClick(about.btnClose);
    EXPECT_FALSE(about.isVisible());
}
