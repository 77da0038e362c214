// The option dialog: moving, adding and changing entries, the code check,
// cancelling, showing without a code list file and a save that fails.
#include "BsSkinBoxes.h"
#include "BsSkinButtons.h"
#include "BsSkinEdit.h"
#include "ErrorReport.h"
#include "ModalAnswers.h"
#include "NuvMessageBox.h"
#include "OptionFormFM.h"
#include "PresetAnswers.h"
#include "TempDir.h"
#include "WindowLook.h"

#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using Entries = std::vector<std::string>;

namespace {

// A dialog on a code list file in a fresh folder, with error reports recorded.
struct OptionFixture : ::testing::Test {
    testsupport::TempDir dir;
    std::string file = dir.File("Stocks.cfg");
    std::vector<std::string> reports;
    TOptionForm form { nullptr, file };

    OptionFixture()
    {
        SetErrorReportHandler([this](const std::string& message) { reports.push_back(message); });
    }
    ~OptionFixture() override { SetErrorReportHandler({}); }

    void Open()
    {
        form.show();
        QCoreApplication::processEvents();
    }
    void Fill(const Entries& entries, int selected)
    {
        form.lstStoceCode->SetItems(entries);
        form.lstStoceCode->SetItemIndex(selected);
    }
    Entries Items() const { return form.lstStoceCode->Items(); }
};

} // namespace

TEST_F(OptionFixture, MovesOneEntryAndLeavesNoSelection)
{
    struct Row {
        const char* what;
        int selected;
        bool up;
        Entries expected;
    };
    const Row rows[] = {
        { "up from the middle", 1, true, { "Y", "X", "Z" } },
        { "up from the first", 0, true, { "X", "Y", "Z" } },
        { "down from the middle", 1, false, { "X", "Z", "Y" } },
        { "down from the last", 2, false, { "X", "Y", "Z" } },
        { "up without selection", -1, true, { "X", "Y", "Z" } },
        { "down without selection", -1, false, { "X", "Y", "Z" } },
    };
    Open();
    for (const Row& row : rows) {
        Fill({ "X", "Y", "Z" }, row.selected);
        if (row.up)
            form.btnMoveUpClick(form.btnMoveUp);
        else
            form.btnMoveDownClick(form.btnMoveDown);
        EXPECT_EQ(Items(), row.expected) << row.what;
        if (row.expected != Entries { "X", "Y", "Z" })
            EXPECT_EQ(form.lstStoceCode->ItemIndex(), -1) << row.what;
    }
}

TEST_F(OptionFixture, AddAndChangeTakeOnlyMarketCodes)
{
    struct Row {
        const char* typed;
        const char* stored; // null: refused with a message box
    };
    const Row rows[] = {
        { "sh600000", "sh600000" }, { "  SZ000001\t", "sz000001" }, // blanks trimmed, prefix lower-cased
        { "sH300001", "sh300001" }, { "", nullptr }, { "600000", nullptr }, // no market
        { "sx600000", nullptr }, // unknown market
        { "sh60000", nullptr }, // five digits
        { "sh6000001", nullptr }, // seven digits
        { "sh60000a", nullptr }, { "sh 600000", nullptr }, // blank inside
    };
    Open();
    for (const Row& row : rows) {
        Fill({ "sh600036" }, 0);
        form.edtStoceCode->SetText(row.typed);
        {
            testsupport::PresetAnswers answers
                = row.stored ? testsupport::PresetAnswers {} : testsupport::PresetAnswers { nuv::IdOk };
            form.btnAddStoceCodeClick(form.btnAddStoceCode);
        }
        if (row.stored) {
            EXPECT_EQ(Items(), (Entries { "sh600036", row.stored })) << "add " << row.typed;
            EXPECT_EQ(form.lstStoceCode->ItemIndex(), 0) << "add keeps the selection";
        } else {
            EXPECT_EQ(Items(), Entries { "sh600036" }) << "add " << row.typed;
        }

        Fill({ "sh600036", "sz000002" }, 1);
        {
            testsupport::PresetAnswers answers
                = row.stored ? testsupport::PresetAnswers {} : testsupport::PresetAnswers { nuv::IdOk };
            form.btnEditClick(form.btnEdit);
        }
        const Entries changed
            = row.stored ? Entries { "sh600036", row.stored } : Entries { "sh600036", "sz000002" };
        EXPECT_EQ(Items(), changed) << "change " << row.typed;
        EXPECT_EQ(form.edtStoceCode->Text(), row.typed) << "the edit box keeps what was typed";
    }
}

TEST_F(OptionFixture, ChangeAndDeleteWithoutSelectionDoNothing)
{
    Open();
    Fill({ "sh600000", "sz000001" }, -1);
    form.edtStoceCode->SetText("bad"); // no message either: nothing to change
    form.btnEditClick(form.btnEdit);
    form.btnDelStockCodeClick(form.btnDelStockCode);
    EXPECT_EQ(Items(), (Entries { "sh600000", "sz000001" }));
    form.lstStoceCode->SetItemIndex(1);
    form.lstStoceCodeClick(form.lstStoceCode);
    EXPECT_EQ(form.edtStoceCode->Text(), "sz000001");
    form.btnDelStockCodeClick(form.btnDelStockCode);
    EXPECT_EQ(Items(), Entries { "sh600000" });
}

TEST_F(OptionFixture, CancelKeepsTheFileAndTheNextShowingReloadsIt)
{
    testsupport::WriteFile(file, "sh600000\r\nsz000001\r\n");
    Open();
    EXPECT_EQ(Items(), (Entries { "sh600000", "sz000001" }));
    Fill(Items(), 0);
    form.btnDelStockCodeClick(form.btnDelStockCode);
    form.btnCancel->OnClick(form.btnCancel);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(testsupport::ReadFile(file), "sh600000\r\nsz000001\r\n");

    Open(); // the same dialog again
    EXPECT_EQ(Items(), (Entries { "sh600000", "sz000001" }));
    EXPECT_TRUE(reports.empty());
}

TEST_F(OptionFixture, WithoutFileTheFirstShowingIsEmptyAndLaterOnesKeepTheEntries)
{
    Open();
    EXPECT_TRUE(Items().empty());
    EXPECT_TRUE(reports.empty());
    form.edtStoceCode->SetText("sh600000");
    form.btnAddStoceCodeClick(form.btnAddStoceCode);
    form.close();
    Open();
    EXPECT_EQ(Items(), Entries { "sh600000" });
}

TEST_F(OptionFixture, FailedSaveReportsAndKeepsTheDialogOpen)
{
    TOptionForm unwritable { nullptr, dir.File("missing-folder/Stocks.cfg") };
    unwritable.show();
    unwritable.lstStoceCode->SetItems({ "sh600000" });
    unwritable.btnSave->OnClick(unwritable.btnSave);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("Cannot create file"), std::string::npos) << reports[0];
    EXPECT_TRUE(unwritable.isVisible());
    EXPECT_EQ(unwritable.lstStoceCode->Items(), Entries { "sh600000" });

    // A save that works writes every entry and closes.
    Open();
    Fill({ "sh600000", "sz000001" }, -1);
    form.btnSave->OnClick(form.btnSave);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(testsupport::ReadFile(file), "sh600000\r\nsz000001\r\n");
}

TEST_F(OptionFixture, UnreadableFileIsReportedAndTheEntriesStay)
{
    std::filesystem::create_directory(file); // exists, cannot be read as a file
    form.lstStoceCode->SetItems({ "sh600000" });
    Open();
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(Items(), Entries { "sh600000" });
}

TEST_F(OptionFixture, ModalShowTakesAPresetAnswerUnderItsCaption)
{
    testsupport::PresetAnswers answers { 7 };
    EXPECT_EQ(form.ShowModal(), 7);
    EXPECT_EQ(modal::LastAnsweredCaption(), Gbk("选项"));
    EXPECT_FALSE(form.isVisible());
}

TEST_F(OptionFixture, ModalShowEndsWhenTheDialogCloses)
{
    testsupport::WriteFile(file, "sh600000\r\n");
    for (int run = 0; run < 2; ++run) { // the same dialog, twice
        Entries seen;
        QTimer::singleShot(0, &form, [&] {
            seen = Items();
            form.btnCancel->OnClick(form.btnCancel);
        });
        EXPECT_EQ(form.ShowModal(), 0);
        EXPECT_EQ(seen, Entries { "sh600000" }) << "run " << run;
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.windowModality(), Qt::NonModal);
    }
}
