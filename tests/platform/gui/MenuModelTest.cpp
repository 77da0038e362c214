#include "MenuModel.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

TMenuItem* AddItem(TMenuItem* parent, const std::string& caption)
{
    auto* item = new TMenuItem();
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

struct CaptionRow {
    const char* caption;
    char accelerator;
    const char* stripped;
};

TEST(MenuModel, AcceleratorAndStrippedCaption)
{
    const CaptionRow rows[] = {
        { "&Open", 'O', "Open" }, { "e&xit", 'X', "exit" }, // ASCII letters compare upper-cased
        { "a&&b", 0, "a&b" }, // a doubled mark is a literal ampersand
        { "&&&k", 'K', "&k" }, // literal first, then the mark
        { "end&", 0, "end" }, // a trailing mark marks nothing
        { "\xd2\xfe\xb2\xd8(&H)", 'H', "\xd2\xfe\xb2\xd8(H)" }, // after GBK text
        { "\xb8\xb6&\xbf\xee", 0, "\xb8\xb6\xbf\xee" }, // a Chinese accelerator gives no key
    };
    for (const auto& row : rows) {
        TMenuItem item;
        item.SetCaption(row.caption);
        EXPECT_EQ(item.Accelerator(), row.accelerator) << row.caption;
        EXPECT_EQ(item.StrippedCaption(), row.stripped) << row.caption;
    }
}

TEST(MenuModel, ListRulesAndIndexErrors)
{
    TMenuItem root;
    TMenuItem* a = AddItem(&root, "a");
    TMenuItem* c = AddItem(&root, "c");
    auto* b = new TMenuItem();
    b->SetCaption("b");
    root.Insert(1, b);
    EXPECT_EQ(b->MenuIndex(), 1);
    EXPECT_EQ(c->MenuIndex(), 2);
    EXPECT_EQ(b->Parent(), &root);
    EXPECT_EQ(b->QObject::parent(), &root) << "an item without owner is owned by the menu it joins";

    EXPECT_THROW(root.Items(3), EMenuError);
    EXPECT_THROW(root.Items(-1), EMenuError);
    EXPECT_THROW(root.Insert(5, new TMenuItem(&root)), EMenuError);
    EXPECT_THROW(root.Delete(3), EMenuError);
    EXPECT_THROW(root.Add(a), EMenuError) << "an item is in one menu at a time";
    EXPECT_THROW(a->Add(&root), EMenuError) << "a menu cannot hold its own ancestor";
    EXPECT_EQ(root.Count(), 3);

    // Delete takes the item out without destroying it; it can join again.
    QPointer<TMenuItem> watch(a);
    root.Delete(0);
    ASSERT_TRUE(watch);
    EXPECT_EQ(a->Parent(), nullptr);
    EXPECT_EQ(a->MenuIndex(), -1);
    EXPECT_EQ(root.Items(0), b);
    root.Add(a);
    EXPECT_EQ(a->MenuIndex(), 2);

    a->SetMenuIndex(0);
    EXPECT_EQ(root.Items(0), a);
    EXPECT_EQ(root.Items(1), b);
    c->SetMenuIndex(99);
    EXPECT_EQ(c->MenuIndex(), 2);
}

TEST(MenuModel, DestroyingItemsKeepsListsSound)
{
    QObject owner;
    auto root = std::make_unique<TMenuItem>();
    auto* ownedElsewhere = new TMenuItem(&owner);
    root->Add(ownedElsewhere);
    EXPECT_EQ(ownedElsewhere->QObject::parent(), &owner) << "joining a menu keeps the owner";
    TMenuItem* sub = AddItem(root.get(), "sub");
    TMenuItem* leaf = AddItem(sub, "leaf");

    delete leaf; // destroying an item takes it out of its parent
    EXPECT_EQ(sub->Count(), 0);

    QPointer<TMenuItem> watchSub(sub);
    QPointer<TMenuItem> watchOther(ownedElsewhere);
    root.reset(); // destroys every listed item, whoever owns it
    EXPECT_FALSE(watchSub);
    EXPECT_FALSE(watchOther);
    EXPECT_TRUE(owner.children().isEmpty());

    TMenuItem list;
    AddItem(&list, "x");
    AddItem(&list, "y");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(MenuModel, FindIgnoresAcceleratorsAndCase)
{
    TMenuItem root;
    AddItem(&root, "&Open");
    TMenuItem* save = AddItem(&root, "Save &As");
    EXPECT_EQ(root.Find("save as"), save);
    EXPECT_EQ(root.Find("&Save As"), save);
    EXPECT_EQ(root.Find("Save"), nullptr);
}

TEST(MenuModel, RadioGroupsAndAutoCheck)
{
    TMenuItem root;
    TMenuItem* r1 = AddItem(&root, "r1");
    TMenuItem* r2 = AddItem(&root, "r2");
    TMenuItem* other = AddItem(&root, "other group");
    TMenuItem* plain = AddItem(&root, "plain");
    for (TMenuItem* r : { r1, r2, other }) {
        r->SetRadioItem(true);
        r->SetAutoCheck(true);
    }
    other->SetGroupIndex(1);
    plain->SetChecked(true);
    other->SetChecked(true);

    r1->SetChecked(true);
    r2->Click();
    EXPECT_FALSE(r1->Checked()) << "checking a radio item clears its group";
    EXPECT_TRUE(r2->Checked());
    EXPECT_TRUE(other->Checked()) << "other groups keep their marks";
    EXPECT_TRUE(plain->Checked()) << "non-radio items keep their marks";
    r2->Click();
    EXPECT_TRUE(r2->Checked()) << "a checked radio item stays checked when clicked";

    plain->SetAutoCheck(true);
    plain->Click();
    EXPECT_FALSE(plain->Checked());
    plain->SetAutoCheck(false);
    plain->Click();
    EXPECT_FALSE(plain->Checked());
}

TEST(MenuModel, ClickRunsTheKeptHandler)
{
    TMenuItem root;
    TMenuItem* item = AddItem(&root, "item");
    int runs = 0;
    QObject* sender = nullptr;
    item->SetOnClick([&](QObject* s) {
        ++runs;
        sender = s;
    });
    item->Click();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(sender, item);

    item->SetEnabled(false);
    item->Click();
    EXPECT_EQ(runs, 1) << "a disabled item runs nothing";
    item->SetEnabled(true);

    // The handler is one function that can be read, kept and chained.
    TMenuNotifyEvent kept = item->OnClick();
    int chained = 0;
    item->SetOnClick([&, kept](QObject* s) {
        ++chained;
        kept(s);
    });
    item->Click();
    EXPECT_EQ(chained, 1);
    EXPECT_EQ(runs, 2);

    // A handler may destroy its own item.
    TMenuItem* doomed = AddItem(&root, "doomed");
    doomed->SetOnClick([doomed](QObject*) { delete doomed; });
    doomed->Click();
    EXPECT_EQ(root.Count(), 1);
}

TEST(MenuModel, LineReductionLeavesOneSeparatorBetweenItems)
{
    TMenuItem root;
    AddItem(&root, "-");
    TMenuItem* a = AddItem(&root, "a");
    TMenuItem* line = AddItem(&root, "-");
    AddItem(&root, "-");
    AddItem(&root, "hidden")->SetVisible(false);
    AddItem(&root, "-");
    TMenuItem* b = AddItem(&root, "b");
    AddItem(&root, "-");
    EXPECT_EQ(ShownMenuItems(root, true), (std::vector<TMenuItem*> { a, line, b }));
    EXPECT_EQ(ShownMenuItems(root, false).size(), 7u);
}

class RecordingPresenter : public TMenuPresenter {
public:
    void Present(TPopupMenu& menu, const QPoint& point) override
    {
        menus.push_back(&menu);
        points.push_back(point);
    }
    std::vector<TPopupMenu*> menus;
    std::vector<QPoint> points;
};

TEST(PopupMenu, PopupRaisesOnPopupThenPresents)
{
    TPopupMenu menu;
    EXPECT_EQ(menu.PopupPoint(), QPoint(-1, -1));
    RecordingPresenter own, fallback;
    TMenuPresenter* const installed = TPopupMenu::SetDefaultPresenter(&fallback);
    bool presentedBeforeOnPopup = false;
    menu.SetOnPopup([&](QObject* sender) {
        EXPECT_EQ(sender, &menu);
        presentedBeforeOnPopup = !own.menus.empty() || !fallback.menus.empty();
    });

    menu.Popup(10, 20);
    EXPECT_FALSE(presentedBeforeOnPopup);
    EXPECT_EQ(menu.PopupPoint(), QPoint(10, 20));
    ASSERT_EQ(fallback.menus.size(), 1u);
    EXPECT_EQ(fallback.points[0], QPoint(10, 20));

    menu.SetPresenter(&own);
    menu.Popup(5, 6);
    EXPECT_EQ(own.menus.size(), 1u) << "a menu's own presenter comes before the default";
    EXPECT_EQ(fallback.menus.size(), 1u);
    TPopupMenu::SetDefaultPresenter(installed);
}

TEST(PopupMenu, PlainMenuRunsTheChosenItemOnceAfterClosing)
{
    TPopupMenu menu;
    TMenuItem* sub = AddItem(menu.Items(), "&Style");
    TMenuItem* normal = AddItem(sub, "Normal");
    normal->SetChecked(true);
    TMenuItem* hide = AddItem(menu.Items(), "Hide");
    AddItem(menu.Items(), "Hidden")->SetVisible(false);
    int runs = 0;
    bool menuOpenDuringClick = true;
    hide->SetOnClick([&](QObject*) {
        ++runs;
        menuOpenDuringClick = QApplication::activePopupWidget() != nullptr;
    });

    menu.Popup(40, 40);
    auto* qmenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(qmenu, nullptr);
    const auto actions = qmenu->actions();
    ASSERT_EQ(actions.size(), 2) << "hidden items are left out";
    EXPECT_EQ(actions[0]->text(), QStringLiteral("&Style"));
    ASSERT_NE(actions[0]->menu(), nullptr);
    EXPECT_TRUE(actions[0]->menu()->actions().at(0)->isChecked());

    QPointer<QMenu> watch(qmenu);
    qmenu->setActiveAction(actions[1]);
    QTest::keyClick(qmenu, Qt::Key_Return);
    EXPECT_EQ(runs, 0) << "the handler waits until the menu is gone";
    QTRY_COMPARE(runs, 1);
    EXPECT_FALSE(menuOpenDuringClick);
    QTRY_VERIFY(!watch);
}

} // namespace
