#include "NuvSystem.h"

#include "PrivateXServer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <set>
#include <utility>
#include <vector>

extern char** environ;

namespace {

using KeyEvent = std::pair<std::uint16_t, bool>; // key, released
constexpr bool Down = false;
constexpr bool Up = true;

class RecordingInput : public nuv::IKeyInput {
public:
    RecordingInput() { nuv::SetKeyInput(this); }
    ~RecordingInput() override { nuv::SetKeyInput(nullptr); }

    int SendKey(std::uint16_t vk, bool up) override
    {
        events.emplace_back(vk, up);
        return refused.count(vk) ? 0 : 1;
    }
    bool IsKeyDown(std::uint16_t) override { return false; }

    std::vector<KeyEvent> events;
    std::set<std::uint16_t> refused;
};

// Records the key events a widget receives.
class KeyRecorder : public QObject {
public:
    struct Seen {
        QEvent::Type type;
        int key;
        quint32 virtualKey;
        quint32 scanCode;
        quint32 nativeModifiers;
        bool operator==(const Seen&) const = default;
    };

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            const auto* key = static_cast<QKeyEvent*>(event);
            seen.push_back({ event->type(), key->key(), key->nativeVirtualKey(), key->nativeScanCode(),
                key->nativeModifiers() });
        }
        return false;
    }
    std::vector<Seen> seen;
};

} // namespace

TEST(SystemKeys, ComboHoldsTheFirstKeyAroundAPressOfTheSecond)
{
    RecordingInput input;
    EXPECT_EQ(nuv::VKeyCombo(nuv::VK_CONTROL, 'V'), 4);
    EXPECT_EQ(input.events,
        (std::vector<KeyEvent> {
            { nuv::VK_CONTROL, Down }, { 'V', Down }, { 'V', Up }, { nuv::VK_CONTROL, Up } }));

    input.events.clear();
    EXPECT_EQ(nuv::VKeyPress('A'), 2);
    EXPECT_EQ(input.events, (std::vector<KeyEvent> { { 'A', Down }, { 'A', Up } }));

    // Refused events count for nothing; the others are still sent.
    input.refused = { 'V' };
    input.events.clear();
    EXPECT_EQ(nuv::VKeyCombo(nuv::VK_SHIFT, 'V'), 2);
    EXPECT_EQ(input.events.size(), 4u);
}

TEST(WindowKeys, PostsKeyEventsWithTheCodeAndNothingElse)
{
    QWidget window;
    KeyRecorder recorder;
    window.installEventFilter(&recorder);
    using Seen = KeyRecorder::Seen;

    EXPECT_TRUE(nuv::VKeyPress(&window, 'A'));
    EXPECT_TRUE(recorder.seen.empty()) << "posted, not sent";
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder.seen,
        (std::vector<Seen> {
            { QEvent::KeyPress, Qt::Key_A, 0x41, 0, 0 }, { QEvent::KeyRelease, Qt::Key_A, 0x41, 0, 0 } }));

    recorder.seen.clear();
    EXPECT_TRUE(nuv::VKeyCombo(&window, nuv::VK_CONTROL, 'V'));
    QCoreApplication::processEvents();
    ASSERT_EQ(recorder.seen.size(), 4u);
    EXPECT_EQ(recorder.seen[0], (Seen { QEvent::KeyPress, Qt::Key_Control, nuv::VK_CONTROL, 0, 0 }));
    EXPECT_EQ(recorder.seen[1], (Seen { QEvent::KeyPress, Qt::Key_V, 'V', 0, 0 }));
    EXPECT_EQ(recorder.seen[2], (Seen { QEvent::KeyRelease, Qt::Key_V, 'V', 0, 0 }));
    EXPECT_EQ(recorder.seen[3], (Seen { QEvent::KeyRelease, Qt::Key_Control, nuv::VK_CONTROL, 0, 0 }));

    EXPECT_FALSE(nuv::VKeyDown(nullptr, 'A'));
    EXPECT_FALSE(nuv::VKeyUp(nullptr, 'A'));
    EXPECT_FALSE(nuv::VKeyPress(nullptr, 'A'));
    EXPECT_FALSE(nuv::VKeyCombo(nullptr, nuv::VK_CONTROL, 'A'));
}

TEST(WindowKeys, PostedKeysTypeIntoAnEditBox)
{
    QLineEdit edit;
    for (const std::uint16_t vk :
        { std::uint16_t('Q'), std::uint16_t('7'), nuv::VK_SPACE, std::uint16_t(0x6B) })
        nuv::VKeyPress(&edit, vk);
    QCoreApplication::processEvents();
    EXPECT_EQ(edit.text(), QStringLiteral("q7 +"));
}

TEST(ScreenColor, ReadsThePixelAsBlueGreenRed)
{
    QWidget window;
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(0x12, 0x34, 0x56));
    window.setPalette(palette);
    window.setGeometry(140, 120, 60, 40);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    EXPECT_EQ(nuv::GetPosColor(&window, 10, 10), 0x563412u);
    const QPoint global = window.mapToGlobal(QPoint(5, 5));
    EXPECT_EQ(nuv::GetPosColor(global.x(), global.y()), 0x563412u);
    EXPECT_EQ(nuv::GetPosColor(-20000, -20000), nuv::CLR_INVALID);
}

namespace {

class RecordingSession : public nuv::ISession {
public:
    RecordingSession() { nuv::SetSession(this); }
    ~RecordingSession() override { nuv::SetSession(nullptr); }
    bool MayEnd(nuv::TSessionEnd) override { return allowed; }
    void End(nuv::TSessionEnd how, bool force) override { ended = std::make_pair(how, force); }

    bool allowed = true;
    std::optional<std::pair<nuv::TSessionEnd, bool>> ended;
};

} // namespace

TEST(PowerOff, EndsTheSessionTheWayTheFlagsSay)
{
    using nuv::TSessionEnd;
    const struct {
        unsigned flags;
        TSessionEnd how;
        bool force;
    } cases[] = {
        { nuv::EWX_LOGOFF, TSessionEnd::LogOff, false },
        { nuv::EWX_FORCE, TSessionEnd::LogOff, true },
        { nuv::EWX_SHUTDOWN, TSessionEnd::ShutDown, false },
        { nuv::EWX_SHUTDOWN | nuv::EWX_POWEROFF, TSessionEnd::PowerOff, false },
        { nuv::EWX_REBOOT | nuv::EWX_POWEROFF | nuv::EWX_FORCE, TSessionEnd::Reboot, true },
    };
    for (const auto& c : cases) {
        RecordingSession session;
        nuv::PowerOff(c.flags);
        ASSERT_TRUE(session.ended.has_value()) << "flags " << c.flags;
        EXPECT_EQ(session.ended->first, c.how) << "flags " << c.flags;
        EXPECT_EQ(session.ended->second, c.force) << "flags " << c.flags;
    }

    RecordingSession refused;
    refused.allowed = false;
    nuv::PowerOff(nuv::EWX_POWEROFF);
    EXPECT_FALSE(refused.ended.has_value());
}

namespace {

class DisplayVariable {
public:
    explicit DisplayVariable(const std::string& value)
    {
        if (const char* old = std::getenv("DISPLAY"))
            saved_ = old;
        if (value.empty())
            ::unsetenv("DISPLAY");
        else
            ::setenv("DISPLAY", value.c_str(), 1);
    }
    ~DisplayVariable()
    {
        if (saved_)
            ::setenv("DISPLAY", saved_->c_str(), 1);
        else
            ::unsetenv("DISPLAY");
    }

private:
    std::optional<std::string> saved_;
};

} // namespace

TEST(XTestKeys, PressAndReleaseReachTheServersKeyboard)
{
    {
        DisplayVariable none("");
        EXPECT_EQ(nuv::VKeyDown(nuv::VK_SHIFT), 0) << "no display refuses the event";
        EXPECT_FALSE(nuv::IsKeyDown(nuv::VK_SHIFT));
    }

    PrivateXServer server;
    if (server.Display().empty())
        GTEST_SKIP() << "Xvfb is not available";
    DisplayVariable display(server.Display());

    for (const std::uint16_t vk :
        { nuv::VK_SHIFT, std::uint16_t('K'), std::uint16_t(0x61 /* number pad 1 */) }) {
        EXPECT_FALSE(nuv::IsKeyDown(vk)) << vk;
        EXPECT_EQ(nuv::VKeyDown(vk), 1) << vk;
        EXPECT_TRUE(nuv::IsKeyDown(vk)) << vk;
        EXPECT_EQ(nuv::VKeyUp(vk), 1) << vk;
        EXPECT_FALSE(nuv::IsKeyDown(vk)) << vk;
    }
    EXPECT_EQ(nuv::VKeyDown(0xFF), 0) << "a code without a key";
}
