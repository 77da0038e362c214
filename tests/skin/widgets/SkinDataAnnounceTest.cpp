// Announcements of skin changes: who receives them, in what order, and what
// the skin data looks like at each one.
#include "TestSkin.h"

#include "BsCompressedStoredSkin.h"
#include "BsResourceStrData.h"
#include "BsSkinAnnouncer.h"
#include "Bsskindata.h"
#include "Exception.h"
#include "TempDir.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>

namespace {

using namespace skindatatest;

struct Seen {
    QObject* receiver;
    int message;
    bool empty;
    bool changing;
    std::string skinName;
    std::size_t objects;
};

// A window that notes every announcement together with the state of the skin data.
class RecordingWindow : public QWidget {
public:
    RecordingWindow(std::vector<Seen>& log, QWidget* parent = nullptr)
        : QWidget(parent)
        , log_(log)
    {
    }
    std::function<void(int)> onMessage;

protected:
    bool event(QEvent* event) override
    {
        if (int message = TbsSkinDataEvent::MessageOf(event)) {
            auto* skinEvent = static_cast<TbsSkinDataEvent*>(event);
            const TbsSkinData* sender = skinEvent->SkinData();
            EXPECT_EQ(skinEvent->Param(), 1000);
            log_.push_back({ this, message, sender->Empty(), sender->SkinChanging(), sender->SkinName,
                sender->ObjectList.size() });
            if (onMessage)
                onMessage(message);
            return true;
        }
        return QWidget::event(event);
    }

private:
    std::vector<Seen>& log_;
};

std::vector<int> Messages(const std::vector<Seen>& log)
{
    std::vector<int> messages;
    for (const Seen& seen : log)
        messages.push_back(seen.message);
    return messages;
}

class SkinDataAnnounce : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner = std::make_unique<RecordingWindow>(log);
        first = std::make_unique<RecordingWindow>(log);
        second = std::make_unique<RecordingWindow>(log);
        data = new TbsSkinData(owner.get());
        TbsSkinAnnouncer::Of(data)->Register(first.get());
        TbsSkinAnnouncer::Of(data)->Register(second.get());
        firstSkin.LoadFromIniFile(WriteTestSkin(firstDir.Folder(), "First"));
        secondSkin.LoadFromIniFile(WriteTestSkin(secondDir.Folder(), "Second"));
    }

    std::vector<Seen> log;
    std::unique_ptr<RecordingWindow> owner, first, second;
    TbsSkinData* data = nullptr; // owned by the owner window
    testsupport::TempDir firstDir, secondDir;
    TbsCompressedStoredSkin firstSkin, secondSkin;
};

TEST_F(SkinDataAnnounce, ALoadIsAnnouncedBeforeAndAfterOwnerFirst)
{
    data->LoadCompressedStoredSkin(&firstSkin);
    log.clear();
    data->LoadCompressedStoredSkin(&secondSkin);

    ASSERT_EQ(log.size(), 9u);
    const int expected[] = { SKIN_MSG_BEFORE_CHANGE, SKIN_MSG_CHANGE, SKIN_MSG_AFTER_CHANGE };
    for (int round = 0; round < 3; ++round) {
        const Seen* group = &log[static_cast<std::size_t>(round) * 3];
        EXPECT_EQ(group[0].receiver, owner.get()) << round;
        std::set<QObject*> receivers;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(group[i].message, expected[round]);
            receivers.insert(group[i].receiver);
        }
        EXPECT_EQ(receivers.size(), 3u) << "each window once";
    }
    // 1225: nothing cleared yet, but the data already counts as empty and changing.
    EXPECT_TRUE(log[0].empty);
    EXPECT_TRUE(log[0].changing);
    EXPECT_EQ(log[0].skinName, "First");
    EXPECT_EQ(log[0].objects, 3u);
    // 1226: the new skin is in place while the change is still under way.
    EXPECT_FALSE(log[3].empty);
    EXPECT_TRUE(log[3].changing);
    EXPECT_EQ(log[3].skinName, "Second");
    // 1227: the change is over.
    EXPECT_FALSE(log[6].empty);
    EXPECT_FALSE(log[6].changing);
}

TEST_F(SkinDataAnnounce, ClearingAndANewerFormatLeaveTheDataEmpty)
{
    data->LoadCompressedStoredSkin(&firstSkin);
    data->PopupWindow.WindowPictureIndex = 1;
    log.clear();
    data->ClearSkin();
    EXPECT_EQ(Messages(log), std::vector<int>({ 1225, 1225, 1225, 1226, 1226, 1226, 1227, 1227, 1227 }));
    EXPECT_EQ(log[3].objects, 0u);
    EXPECT_TRUE(log[3].empty);
    EXPECT_TRUE(data->Empty());
    EXPECT_FALSE(data->SkinChanging());
    EXPECT_TRUE(data->ActivePictures.empty());
    EXPECT_TRUE(data->Picture.isNull());
    EXPECT_TRUE(data->MaskName.empty());
    EXPECT_EQ(data->PopupWindow.WindowPictureIndex, -1);
    EXPECT_EQ(data->SkinColors.cBtnFace, TColor(clBtnFace));

    data->LoadCompressedStoredSkin(&firstSkin);
    TbsSkinPackage newer;
    newer.Version = 4;
    newer.IniText = "[VERSION]\r\n";
    TbsCompressedStoredSkin newerSkin;
    newerSkin.LoadFromPackage(newer);
    log.clear();
    data->LoadCompressedStoredSkin(&newerSkin);
    EXPECT_EQ(Messages(log), std::vector<int>({ 1225, 1225, 1225, 1226, 1226, 1226, 1227, 1227, 1227 }));
    EXPECT_TRUE(data->Empty());
    EXPECT_FALSE(data->SkinChanging());
    EXPECT_TRUE(data->ObjectList.empty());
    EXPECT_EQ(data->GetControlIndex("button"), -1);
}

TEST_F(SkinDataAnnounce, OnlyRegisteredReceiversAndAWidgetOwnerHearIt)
{
    RecordingWindow unregistered(log);
    QObject plainOwner;
    auto* unowned = new TbsSkinData(&plainOwner);
    TbsSkinAnnouncer* announcer = TbsSkinAnnouncer::Of(unowned);
    EXPECT_EQ(TbsSkinAnnouncer::Of(unowned), announcer);
    for (QWidget* window : { owner.get(), first.get(), second.get(), first.get() })
        announcer->Register(window);
    const std::vector<QObject*> receivers = announcer->Receivers();
    EXPECT_EQ(receivers, std::vector<QObject*>({ owner.get(), second.get(), first.get() }));
    EXPECT_EQ(TbsSkinAnnouncer::Of(data)->Receivers().front(), owner.get());

    unowned->ClearSkin();
    for (const Seen& seen : log)
        EXPECT_NE(seen.receiver, &unregistered);
    EXPECT_EQ(log.size(), 9u);
}

TEST_F(SkinDataAnnounce, AWindowClosedDuringAnAnnouncementIsSkipped)
{
    RecordingWindow* doomed = second.get();
    owner->onMessage = [&](int message) {
        if (message == SKIN_MSG_BEFORE_CHANGE && second)
            second.reset();
    };
    data->LoadCompressedStoredSkin(&firstSkin);
    for (const Seen& seen : log)
        EXPECT_NE(seen.receiver, doomed);
    EXPECT_EQ(log.size(), 6u);
    EXPECT_FALSE(data->Empty());
}

TEST_F(SkinDataAnnounce, SwitchesAndWordsAreAnnounced)
{
    data->SetSkinnableForm(false);
    data->SetSkinnableForm(false);
    EXPECT_EQ(Messages(log), std::vector<int>({ 1294, 1294, 1294 }));
    EXPECT_FALSE(data->SkinnableForm());

    log.clear();
    data->SetRestoring(true);
    data->SetSkinnableForm(true);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(data->SkinnableForm());

    TbsResourceStrData words;
    data->SetResourceStrData(&words);
    EXPECT_EQ(Messages(log), std::vector<int>({ 1274, 1274, 1274 }));
    EXPECT_EQ(data->ResourceStrData(), &words);
}

TEST_F(SkinDataAnnounce, AFailedLoadAnnouncesNothing)
{
    data->LoadCompressedStoredSkin(&firstSkin);
    log.clear();
    TbsCompressedStoredSkin garbage;
    garbage.SetCompressedData("definitely not deflated");
    EXPECT_THROW(data->LoadCompressedStoredSkin(&garbage), Exception);
    TbsCompressedStoredSkin empty;
    data->LoadCompressedStoredSkin(&empty);
    data->LoadCompressedStoredSkin(nullptr);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(data->SkinName, "First");
}

} // namespace
