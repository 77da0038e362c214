#include "NuvMessageBox.h"

#include "ErrorReport.h"
#include "ModalDriver.h"
#include "NuvForms.h"
#include "PresetAnswers.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

enum class Box { Hint, Ask, Warn, Error };

// Runs a box with its standard caption; the two-button boxes answer 1 for true.
int RunBox(Box box, const std::string& text = "x")
{
    switch (box) {
    case Box::Hint:
        return nuv::HintBox(text);
    case Box::Ask:
        return nuv::AskBox(text) ? nuv::IdOk : 0;
    case Box::Warn:
        return nuv::WarnBox(text) ? nuv::IdOk : 0;
    case Box::Error:
        return nuv::ErrorBox(text);
    }
    return -1;
}

TEST(NuvMessageBox, PresetAnswersTakeTheStandardCaptionsAndOnlyOkIsYes)
{
    struct Row {
        Box box;
        int answer;
        const char* caption; // GBK
        int result;
    };
    const Row rows[] = {
        { Box::Hint, nuv::IdOk, "\xCC\xE1\xCA\xBE", nuv::IdOk }, // 提示
        { Box::Ask, nuv::IdOk, "\xD1\xAF\xCE\xCA", nuv::IdOk }, // 询问
        { Box::Ask, nuv::IdCancel, "\xD1\xAF\xCE\xCA", 0 },
        { Box::Warn, nuv::IdCancel, "\xBE\xAF\xB8\xE6", 0 }, // 警告
        { Box::Warn, 0, "\xBE\xAF\xB8\xE6", 0 }, // a box that could not be shown
        { Box::Error, nuv::IdOk, "\xB4\xED\xCE\xF3", nuv::IdOk }, // 错误
    };
    for (const Row& row : rows) {
        testsupport::PresetAnswers answers { row.answer };
        EXPECT_EQ(RunBox(row.box), row.result) << static_cast<int>(row.box) << " " << row.answer;
        EXPECT_EQ(modal::LastAnsweredCaption(), row.caption);
    }
    testsupport::PresetAnswers answers { nuv::IdOk };
    EXPECT_TRUE(nuv::AskBox("x", "\xB8\xFC\xD0\xC2")); // a caller's own caption: 更新
    EXPECT_EQ(modal::LastAnsweredCaption(), "\xB8\xFC\xD0\xC2");
}

// The real box: its look, and what Escape and Return choose.
TEST(NuvMessageBox, ShownBoxesDefaultToTheSafeButton)
{
    struct Row {
        Box box;
        Qt::Key key;
        int result;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        const char16_t* title;
    };
    const QMessageBox::StandardButtons okCancel = QMessageBox::Ok | QMessageBox::Cancel;
    const Row rows[] = {
        { Box::Ask, Qt::Key_Escape, 0, QMessageBox::Question, okCancel, u"询问" },
        { Box::Ask, Qt::Key_Return, 0, QMessageBox::Question, okCancel, u"询问" },
        { Box::Warn, Qt::Key_Escape, 0, QMessageBox::Warning, okCancel, u"警告" },
        { Box::Hint, Qt::Key_Escape, nuv::IdOk, QMessageBox::Information, QMessageBox::Ok, u"提示" },
        { Box::Error, Qt::Key_Return, nuv::IdOk, QMessageBox::Critical, QMessageBox::Ok, u"错误" },
    };
    QWidget mainForm;
    nuv::SetMainForm(&mainForm);
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(row.box) << " key " << row.key);
        ModalDriver driver([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), QString::fromUtf16(row.title));
            EXPECT_EQ(box->text(), QStringLiteral("中文"));
            EXPECT_EQ(box->icon(), row.icon);
            EXPECT_EQ(box->standardButtons(), row.buttons);
            EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            EXPECT_EQ(box->parentWidget(), &mainForm) << "without an owner the main window owns it";
            QTest::keyClick(box, row.key);
        });
        EXPECT_EQ(RunBox(row.box, "\xD6\xD0\xCE\xC4"), row.result);
        EXPECT_TRUE(driver.Fired());
    }
    nuv::SetMainForm(nullptr);
}

TEST(NuvMessageBox, OwnerGivenAndCloseButtonOfAskBox)
{
    QWidget owner;
    ModalDriver driver([&](QWidget* modal) {
        EXPECT_EQ(modal->parentWidget(), &owner);
        modal->close(); // the close button
    });
    EXPECT_FALSE(nuv::AskBox("x", nuv::kAskCaption, &owner));
    EXPECT_TRUE(driver.Fired());
}

TEST(NuvMessageBox, StandardErrorReportShowsTheTitleAndAFullStop)
{
    const QString oldTitle = nuv::ApplicationTitle();
    nuv::SetApplicationTitle(QStringLiteral("Qelvo桌面股票"));
    const ErrorReportHandler previous = nuv::InstallStandardErrorReport();

    ModalDriver driver([](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Qelvo桌面股票"));
        EXPECT_EQ(box->text(), QStringLiteral("Cannot open file /x/Stocks.cfg."));
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        QTest::keyClick(box, Qt::Key_Return);
    });
    ShowErrorReport("Cannot open file /x/Stocks.cfg");
    EXPECT_TRUE(driver.Fired());

    {
        testsupport::PresetAnswers answers { nuv::IdOk };
        ShowErrorReport("x");
        EXPECT_EQ(modal::LastAnsweredCaption(), "Qelvo\xD7\xC0\xC3\xE6\xB9\xC9\xC6\xB1");
    }
    SetErrorReportHandler(previous);
    nuv::SetApplicationTitle(oldTitle);
}

} // namespace
