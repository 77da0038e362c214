// The window-style component on a live form, headless: what it asks of the
// window system for each change of style, the check marks of its items, the
// items' own click handlers it chains to, and items or forms that go away.
#include "NuvFormStyle.h"
#include "FakeWindowSystem.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

using nuv::fsNormal;
using nuv::fsOnDesktop;
using nuv::fsStayOnTop;
using nuv::TFormStyle;
using testsupport::FakeWindowSystem;

class FormStyle : public ::testing::Test {
protected:
    FormStyle()
    {
        for (auto& item : items)
            item = new TMenuItem(&menu);
        items[0]->SetChecked(true); // as the main window's layout stores it
        style = new TNuvFormStyle(&form);
        style->SetAutoChecked(true);
        style->SetFSNormalMenuItem(items[0]);
        style->SetFSStayOnTopMenuItem(items[1]);
        style->SetFSOnDesktopMenuItem(items[2]);
    }

    std::vector<bool> Marks() const
    {
        return { items[0]->Checked(), items[1]->Checked(), items[2]->Checked() };
    }

    // The last wish of each kind the form's window was asked for.
    std::map<std::string, bool> WindowState() const
    {
        std::map<std::string, bool> state;
        for (const auto& call : windows.Calls)
            if (call.Window == &form)
                state[call.What] = call.On;
        return state;
    }

    FakeWindowSystem windows;
    QWidget form;
    QObject menu;
    TMenuItem* items[3] {};
    TNuvFormStyle* style = nullptr;
};

TEST_F(FormStyle, ChoosingAStyleMovesTheMarksOnlyWhenAutoChecked)
{
    style->SetFormStyle(fsNormal); // already the style: nothing moves
    EXPECT_TRUE(windows.Calls.empty());

    items[1]->Click();
    EXPECT_EQ(style->FormStyle(), fsStayOnTop);
    EXPECT_EQ(Marks(), (std::vector<bool> { false, true, false }));
    items[2]->Click();
    EXPECT_EQ(Marks(), (std::vector<bool> { false, false, true }));

    style->SetAutoChecked(false);
    items[0]->Click();
    EXPECT_EQ(style->FormStyle(), fsNormal);
    EXPECT_FALSE(WindowState()["belowall"]) << "the style still changes";
    EXPECT_EQ(Marks(), (std::vector<bool> { false, false, true }));
}

TEST_F(FormStyle, TheCurrentStyleChosenAgainAsksNothingAndLeavesTheMarks)
{
    style->SetFormStyle(fsStayOnTop);
    windows.Calls.clear();
    items[0]->SetChecked(true); // someone else's mark: a repeat must not touch it
    items[1]->Click();
    style->SetFormStyle(fsStayOnTop);
    EXPECT_TRUE(windows.Calls.empty());
    EXPECT_EQ(Marks(), (std::vector<bool> { true, true, false }));
}

// Each row starts at "from", chooses "to", and names the window the form must
// be then. Pinned to the desktop: below all, on every workspace, no taskbar
// entry; leaving it gives back the taskbar entry the form had before.
struct Change {
    TFormStyle from;
    TFormStyle to;
    bool skippedTaskbarAtFirst;
    bool topMost, belowAll, allDesktops, skipTaskbar;
};

void PrintTo(const Change& c, std::ostream* os)
{
    *os << "style " << c.from << " -> " << c.to
        << (c.skippedTaskbarAtFirst ? ", no taskbar entry at first" : "");
}

class FormStyleChange : public FormStyle, public ::testing::WithParamInterface<Change> { };

TEST_P(FormStyleChange, AsksTheWindowSystemForTheWholeStyle)
{
    const Change& c = GetParam();
    windows.SkipsTaskbarAtFirst = c.skippedTaskbarAtFirst;
    windows.Calls.push_back({ "skiptaskbar", &form, {}, c.skippedTaskbarAtFirst });
    style->SetFormStyle(c.from);
    style->SetFormStyle(c.to);
    auto state = WindowState();
    EXPECT_EQ(state["topmost"], c.topMost);
    EXPECT_EQ(state["belowall"], c.belowAll);
    EXPECT_EQ(state["alldesktops"], c.allDesktops);
    EXPECT_EQ(state["skiptaskbar"], c.skipTaskbar);
}

INSTANTIATE_TEST_SUITE_P(Rows, FormStyleChange,
    ::testing::Values(
        // from, to, skipped at first: top-most, below all, all desktops, skip taskbar
        Change { fsNormal, fsStayOnTop, false, true, false, false, false },
        Change { fsStayOnTop, fsOnDesktop, false, false, true, true, true },
        Change { fsOnDesktop, fsNormal, false, false, false, false, false },
        Change { fsOnDesktop, fsStayOnTop, false, true, false, false, false },
        // a form without taskbar entry (the main window) stays without one
        Change { fsOnDesktop, fsNormal, true, false, false, false, true }));

TEST_F(FormStyle, PinnedTwiceStillRemembersTheTaskbarEntryOfBefore)
{
    style->SetFormStyle(fsOnDesktop);
    style->SetFormStyle(fsNormal);
    style->SetFormStyle(fsOnDesktop);
    style->SetFormStyle(fsStayOnTop);
    EXPECT_FALSE(WindowState()["skiptaskbar"]);
    EXPECT_FALSE(WindowState()["alldesktops"]);
}

TEST_F(FormStyle, ItemsKeepCallingTheirOwnHandlersOnceAfterTheStyleIsApplied)
{
    auto* fresh = new TMenuItem(&menu);
    std::vector<std::pair<QObject*, TFormStyle>> seen;
    fresh->SetOnClick([&](QObject* sender) { seen.emplace_back(sender, style->FormStyle()); });
    style->SetFSOnDesktopMenuItem(fresh);

    fresh->Click();
    fresh->Click(); // the current style: the handler still runs
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], std::make_pair(static_cast<QObject*>(fresh), fsOnDesktop));
    EXPECT_TRUE(WindowState()["belowall"]);

    style->StayOnTopMenuClick(fresh); // the component's handler for another role
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(FormStyle, AnItemAttachedAgainChainsToItsFirstHandlerNotToTheComponent)
{
    int firstCalls = 0, otherCalls = 0;
    auto* first = new TMenuItem(&menu);
    auto* other = new TMenuItem(&menu);
    first->SetOnClick([&](QObject*) { ++firstCalls; });
    other->SetOnClick([&](QObject*) { ++otherCalls; });
    style->SetFSStayOnTopMenuItem(first);
    style->SetFSStayOnTopMenuItem(other);
    style->SetFSStayOnTopMenuItem(first);
    style->SetFSNormalMenuItem(other); // an item moved to another role

    first->Click(); // would recurse without end if the component kept its own handler
    EXPECT_EQ(style->FormStyle(), fsStayOnTop);
    other->Click();
    EXPECT_EQ(style->FormStyle(), fsNormal);
    EXPECT_EQ(firstCalls, 1);
    EXPECT_EQ(otherCalls, 1);

    delete style; // the items get their own handlers back
    firstCalls = 0;
    first->Click();
    EXPECT_EQ(firstCalls, 1);
}

TEST_F(FormStyle, ADestroyedItemIsDroppedAndTheOthersWorkOn)
{
    delete items[1];
    EXPECT_EQ(style->FSStayOnTopMenuItem(), nullptr);
    style->SetFormStyle(fsStayOnTop);
    EXPECT_TRUE(WindowState()["topmost"]);
    EXPECT_FALSE(items[0]->Checked());
    items[2]->Click();
    EXPECT_TRUE(items[2]->Checked());
    EXPECT_EQ(style->FSOnDesktopMenuItem(), items[2]);
}

TEST_F(FormStyle, WithoutAFormOnlyTheMarksMove)
{
    QObject plainOwner;
    QWidget inner(&form); // a widget inside a form is no form either
    for (QObject* owner : { static_cast<QObject*>(&plainOwner), static_cast<QObject*>(&inner) }) {
        windows.Calls.clear();
        auto* formless = new TNuvFormStyle(owner);
        formless->SetAutoChecked(true);
        formless->SetFSOnDesktopMenuItem(items[2]);
        EXPECT_EQ(formless->Form(), nullptr);
        formless->SetFormStyle(fsOnDesktop);
        formless->SetFormStyle(fsNormal);
        EXPECT_TRUE(windows.Calls.empty());
        EXPECT_FALSE(items[2]->Checked());
        delete formless;
    }
}

} // namespace
