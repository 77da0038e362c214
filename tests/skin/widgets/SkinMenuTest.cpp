// The skinned popup menus on the program's own skin and without a skin:
// choosing by keys and mouse, sub-menu levels, closing, scrolling, disabled
// items, accelerators, and the notices a closing menu sends.
#include "Bsskinmenus.h"

#include "BsSkinAnnouncer.h"
#include "Bsskinform.h"
#include "GbkText.h"
#include "OwnSkinFixture.h"
#include "SkinCtrlDM.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

std::string Gbk(const char* utf8)
{
    return QStringToGbk(QString::fromUtf8(utf8));
}

TMenuItem* AddItem(TMenuItem* parent, const std::string& caption, int* clicks = nullptr)
{
    auto* item = new TMenuItem();
    item->SetCaption(caption);
    if (clicks)
        item->SetOnClick([clicks](QObject*) { ++*clicks; });
    parent->Add(item);
    return item;
}

// Records the notices a closing menu sends.
class NoticeSink : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == TbsSkinMenuEvent::TypeOf(SKIN_MSG_CLOSE_MENU))
            ++closes;
        else if (e->type() == TbsSkinMenuEvent::TypeOf(SKIN_MSG_AFTER_DISPATCH))
            ++dispatches;
        else
            return QObject::event(e);
        return true;
    }
    int closes = 0;
    int dispatches = 0;
};

// The program's main menu: a style sub-menu of three, one hidden item among five.
struct MainMenu {
    explicit MainMenu(TMenuItem* root)
    {
        style = AddItem(root, Gbk("窗口风格"));
        normal = AddItem(style, Gbk("正常"), &styleClicks);
        normal->SetChecked(true);
        AddItem(style, Gbk("保持最上"), &styleClicks);
        AddItem(style, Gbk("钉在桌面"), &styleClicks);
        hide = AddItem(root, Gbk("隐藏"), &hideClicks);
        AddItem(root, Gbk("显示"))->SetVisible(false);
        option = AddItem(root, Gbk("选项(&O)"), &optionClicks);
        AddItem(root, Gbk("关于"));
        exit = AddItem(root, Gbk("退出"), &exitClicks);
    }
    TMenuItem *style, *normal, *hide, *option, *exit;
    int styleClicks = 0, hideClicks = 0, optionClicks = 0, exitClicks = 0;
};

class SkinMenuTest : public OwnSkinFixture {
protected:
    void SetUp() override
    {
        engine = std::make_unique<TbsSkinMenu>();
        engine->FixedWorkArea = QRect(0, 0, 1024, 768);
    }
    void TearDown() override { engine.reset(); }

    TbsSkinData* SkinData() { return Module().bsSkinData1; }
    void Open(TMenuItem* items, QPoint at = QPoint(100, 100), TbsSkinData* skin = nullptr,
        QObject* control = nullptr)
    {
        engine->Popup(control, skin, 0, QRect(at, QSize(0, 0)), items, false);
    }
    TbsSkinPopupWindow* Top() { return engine->Count() ? engine->Window(engine->Count() - 1) : nullptr; }
    // Centre of a shown item of a window, in the window.
    static QPoint Centre(TbsSkinPopupWindow* w, int index) { return w->Item(index).Rect.center(); }

    std::unique_ptr<TbsSkinMenu> engine;
    TMenuItem root;
};

TEST_F(SkinMenuTest, MainMenuOnOwnSkinSizesAndOpensItsSubMenuAfterTheDelay)
{
    MainMenu menu(&root);
    Open(&root, QPoint(100, 100), SkinData());
    ASSERT_EQ(engine->Count(), 1);
    TbsSkinPopupWindow* w = engine->Window(0);
    ASSERT_TRUE(w->HasWindowSkin());
    ASSERT_TRUE(w->HasItemSkin());
    EXPECT_EQ(w->ItemCount(), 5) << "the hidden item is skipped";
    EXPECT_EQ(w->height(), 106);
    EXPECT_EQ(w->pos(), QPoint(100, 100));
    EXPECT_EQ(w->ActiveItem(), 0) << "the first item is highlighted at once";
    EXPECT_TRUE(w->Item(0).Active);

    // Moving onto it starts the sub-menu delay; nothing opens before it ends.
    QTest::mouseMove(w, Centre(w, 0));
    EXPECT_EQ(engine->Count(), 1);
    ASSERT_EQ(engine->WaitingItem(), &w->Item(0));
    QTRY_COMPARE_WITH_TIMEOUT(engine->Count(), 2, 2000);
    TbsSkinPopupWindow* sub = engine->Window(1);
    EXPECT_EQ(sub->ParentItem(), menu.style);
    EXPECT_EQ(sub->height(), 66);
    EXPECT_TRUE(w->Item(0).Down);
    const QRect parentItem(w->mapToGlobal(w->Item(0).Rect.topLeft()), w->Item(0).Rect.size());
    EXPECT_EQ(sub->x(), parentItem.right() + 1 + 1) << "to the right of its parent item";
    EXPECT_EQ(sub->y() + sub->ItemsRect().top(), parentItem.top()) << "first item level with the parent item";
    EXPECT_EQ(menu.styleClicks, 0);
}

TEST_F(SkinMenuTest, KeyboardChoiceRunsTheHandlerOnceAfterTheMenuIsGone)
{
    MainMenu menu(&root);
    NoticeSink control;
    Open(&root, QPoint(100, 100), SkinData(), &control);
    bool openDuringClick = true;
    menu.hide->SetOnClick([&](QObject*) {
        ++menu.hideClicks;
        openDuringClick = engine->Count() > 0 || engine->Visible();
    });
    TbsSkinPopupWindow* w = Top();
    QTest::keyClick(w, Qt::Key_Down);
    EXPECT_EQ(w->ActiveItem(), 1);
    QTest::keyClick(w, Qt::Key_Return);
    EXPECT_EQ(engine->Count(), 0);
    EXPECT_EQ(menu.hideClicks, 0) << "the command waits until the windows are gone";
    QTRY_COMPARE(menu.hideClicks, 1);
    EXPECT_FALSE(openDuringClick);
    QTRY_COMPARE(control.dispatches, 1);
    EXPECT_EQ(control.closes, 1);
    QTest::qWait(50);
    EXPECT_EQ(menu.hideClicks, 1) << "run once";
}

TEST_F(SkinMenuTest, RightKeyOpensSubMenuAndEscapeClosesOneLevelAtATime)
{
    MainMenu menu(&root);
    NoticeSink control;
    auto form = std::make_unique<QWidget>();
    auto frameEngine = new TbsSkinMenu(form.get());
    frameEngine->FixedWorkArea = QRect(0, 0, 1024, 768);
    struct FormNotices : QObject {
        int closes = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == TbsSkinMenuEvent::TypeOf(SKIN_MSG_CLOSE_MENU))
                ++closes;
            return false;
        }
    } formNotices;
    form->installEventFilter(&formNotices);

    frameEngine->Popup(&control, SkinData(), 0, QRect(100, 100, 0, 0), &root, false);
    TbsSkinPopupWindow* w = frameEngine->Window(0);
    QTest::keyClick(w, Qt::Key_Right);
    ASSERT_EQ(frameEngine->Count(), 2);
    EXPECT_EQ(frameEngine->Window(1)->ActiveItem(), 0);

    QTest::keyClick(frameEngine->Window(1), Qt::Key_Escape);
    EXPECT_EQ(frameEngine->Count(), 1) << "Escape closes only the sub-menu";
    EXPECT_FALSE(w->Item(0).Down);
    EXPECT_TRUE(w->Item(0).Active);
    EXPECT_EQ(control.closes, 0);
    EXPECT_EQ(formNotices.closes, 0);

    QTest::keyClick(w, Qt::Key_Escape);
    EXPECT_EQ(frameEngine->Count(), 0);
    EXPECT_FALSE(frameEngine->Visible());
    EXPECT_EQ(control.closes, 1);
    EXPECT_EQ(formNotices.closes, 1) << "the frame's form hears the menu closed";
    EXPECT_EQ(menu.styleClicks + menu.hideClicks, 0);
}

TEST_F(SkinMenuTest, AWindowClosedByTheWindowSystemClosesTheWholeMenu)
{
    MainMenu menu(&root);
    NoticeSink control;
    Open(&root, QPoint(100, 100), SkinData(), &control);
    QTest::keyClick(Top(), Qt::Key_Right);
    ASSERT_EQ(engine->Count(), 2);
    engine->Window(0)->close(); // as when the application loses activation
    QTRY_VERIFY(!engine->Visible());
    EXPECT_EQ(engine->Count(), 0);
    EXPECT_EQ(control.closes, 1);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(SkinMenuTest, MouseChoiceAndWhatIsNotChosen)
{
    MainMenu menu(&root);
    menu.option->SetEnabled(false);
    AddItem(&root, "-");
    Open(&root, QPoint(100, 100), SkinData());
    TbsSkinPopupWindow* w = Top();
    const int option = w->IndexOf(menu.option);
    const int line = w->ItemCount() - 1;

    // A disabled item is neither highlighted nor chosen; nor is a separator.
    QTest::mouseMove(w, Centre(w, option));
    EXPECT_FALSE(w->Item(option).Active);
    QTest::mouseClick(w, Qt::LeftButton, {}, Centre(w, option));
    QTest::mouseClick(w, Qt::LeftButton, {}, Centre(w, line));
    EXPECT_EQ(engine->Count(), 1);

    // A right button release does not choose.
    const int exitIndex = w->IndexOf(menu.exit);
    QTest::mouseMove(w, Centre(w, exitIndex));
    EXPECT_TRUE(w->Item(exitIndex).Active);
    QTest::mouseClick(w, Qt::RightButton, {}, Centre(w, exitIndex));
    EXPECT_EQ(engine->Count(), 1);

    QTest::mouseClick(w, Qt::LeftButton, {}, Centre(w, exitIndex));
    EXPECT_EQ(engine->Count(), 0);
    QTRY_COMPARE(menu.exitClicks, 1);
    EXPECT_EQ(menu.optionClicks, 0);
}

TEST_F(SkinMenuTest, UpDownSkipDisabledItemsAndSeparatorsAndWrap)
{
    TMenuItem* a = AddItem(&root, "a");
    AddItem(&root, "-");
    AddItem(&root, "disabled")->SetEnabled(false);
    TMenuItem* b = AddItem(&root, "b");
    AddItem(&root, "-");
    Open(&root, QPoint(100, 100), SkinData());
    TbsSkinPopupWindow* w = Top();
    ASSERT_EQ(w->ActiveItem(), w->IndexOf(a));
    QTest::keyClick(w, Qt::Key_Down);
    EXPECT_EQ(w->ActiveItem(), w->IndexOf(b));
    QTest::keyClick(w, Qt::Key_Down);
    EXPECT_EQ(w->ActiveItem(), w->IndexOf(a)) << "wraps past the end";
    QTest::keyClick(w, Qt::Key_Up);
    EXPECT_EQ(w->ActiveItem(), w->IndexOf(b)) << "wraps past the start";
}

TEST_F(SkinMenuTest, AcceleratorsChooseOrOpenTheirItem)
{
    MainMenu menu(&root);
    menu.style->SetCaption(Gbk("窗口风格(&S)"));
    TMenuItem* disabled = AddItem(&root, "&Disabled", &menu.exitClicks);
    disabled->SetEnabled(false);
    Open(&root, QPoint(100, 100), SkinData());
    TbsSkinPopupWindow* w = Top();

    QTest::keyClick(w, Qt::Key_D);
    EXPECT_EQ(w->ActiveItem(), w->IndexOf(disabled)) << "a disabled one is only highlighted";
    EXPECT_EQ(engine->Count(), 1);

    QTest::keyClick(w, Qt::Key_S);
    ASSERT_EQ(engine->Count(), 2) << "an item with sub-items opens them";
    EXPECT_EQ(engine->Window(1)->ParentItem(), menu.style);

    QTest::keyClick(engine->Window(1), Qt::Key_Left);
    ASSERT_EQ(engine->Count(), 1);
    QTest::keyClick(w, Qt::Key_O);
    EXPECT_EQ(engine->Count(), 0);
    QTRY_COMPARE(menu.optionClicks, 1);
    EXPECT_EQ(menu.exitClicks, 0);
}

TEST_F(SkinMenuTest, LongMenuStartsAtTheTopAndScrollsWhileHoveringTheBottomArea)
{
    for (int i = 0; i < 40; ++i)
        AddItem(&root, "item " + std::to_string(i));
    engine->FixedWorkArea = QRect(0, 0, 1024, 300);
    Open(&root, QPoint(100, 250), SkinData());
    TbsSkinPopupWindow* w = Top();
    ASSERT_TRUE(w->Scroll());
    EXPECT_EQ(w->height(), 300);
    EXPECT_EQ(w->y(), 0) << "a window limited by the work area starts at its top";
    const int shown = w->VisibleCount();
    ASSERT_GT(shown, 5);
    ASSERT_LT(shown, 40);

    const QRect items = w->ItemsRect();
    QTest::mouseMove(w, QPoint(items.center().x(), items.bottom() - 4));
    EXPECT_EQ(w->ScrollCode(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(w->VisibleStartIndex() >= 2, 1000);
    QTRY_VERIFY_WITH_TIMEOUT(w->Item(39).Visible, 10000);
    QTRY_COMPARE(w->ScrollCode(), 0);
    EXPECT_EQ(w->VisibleStartIndex(), 40 - shown);

    // Keys follow the visible range, jumping to the other end when they wrap.
    QTest::mouseMove(w, Centre(w, 39));
    QTest::keyClick(w, Qt::Key_Down);
    EXPECT_EQ(w->ActiveItem(), 0);
    EXPECT_EQ(w->VisibleStartIndex(), 0);
    QTest::keyClick(w, Qt::Key_Up);
    EXPECT_EQ(w->ActiveItem(), 39);
    EXPECT_EQ(w->VisibleStartIndex(), 40 - shown);
    for (int i = 0; i < shown; ++i)
        QTest::keyClick(w, Qt::Key_Up);
    EXPECT_EQ(w->ActiveItem(), 39 - shown);
    EXPECT_EQ(w->VisibleStartIndex(), 39 - shown) << "one step at a time upward";
}

TEST_F(SkinMenuTest, ItemsMorphBetweenTheirLooksOnlyWithSkinEffects)
{
    TSkinCtrlModule module; // its own, to switch the effects off
    AddItem(&root, "a");
    AddItem(&root, "b");
    Open(&root, QPoint(100, 100), module.bsSkinData1);
    TbsSkinPopupWindow* w = Top();
    QTRY_COMPARE(w->Item(0).MorphKf, 1.0);
    QTest::keyClick(w, Qt::Key_Down);
    EXPECT_LT(w->Item(1).MorphKf, 1.0) << "the new item fades in";
    w->grab();
    QTRY_COMPARE(w->Item(1).MorphKf, 1.0);
    QTRY_COMPARE(w->Item(0).MorphKf, 0.0);
    const QImage settled = w->grab().toImage();

    engine->Hide();
    module.bsSkinData1->SetEnableSkinEffects(false);
    Open(&root, QPoint(100, 100), module.bsSkinData1);
    w = Top();
    QTest::keyClick(w, Qt::Key_Down);
    EXPECT_EQ(w->grab().toImage(), settled) << "without effects the active look shows at once";
}

TEST_F(SkinMenuTest, WithoutSkinTheBuiltInLookIsUsable)
{
    MainMenu menu(&root);
    Open(&root, QPoint(100, 100), nullptr);
    TbsSkinPopupWindow* w = Top();
    ASSERT_FALSE(w->HasWindowSkin());
    EXPECT_EQ(w->height(), 5 * 20 + 4);
    EXPECT_EQ(w->ItemsRect(), QRect(2, 2, w->width() - 4, w->height() - 4));
    const QImage picture = w->grab().toImage();
    EXPECT_EQ(QColor(picture.pixel(0, 0)), QColor(160, 160, 160)) << "button-shadow frame";
    const QRect first = w->Item(0).Rect;
    EXPECT_EQ(QColor(picture.pixel(first.center().x(), first.top() + 2)), QColor(0xB6, 0xBD, 0xD2))
        << "the highlighted first item";
    EXPECT_EQ(QColor(picture.pixel(first.left(), first.top())), QColor(0, 0, 0x80)) << "its navy frame";

    QTest::keyClick(w, Qt::Key_Right);
    ASSERT_EQ(engine->Count(), 2);
    QTest::keyClick(engine->Window(1), Qt::Key_Return);
    EXPECT_EQ(engine->Count(), 0);
    QTRY_COMPARE(menu.styleClicks, 1);
}

TEST_F(SkinMenuTest, SkinChangeWhileOpenRereadsTheSkin)
{
    // A skin data of its own, so clearing it leaves the suite's alone.
    TSkinCtrlModule module;
    MainMenu menu(&root);
    Open(&root, QPoint(100, 100), module.bsSkinData1);
    TbsSkinPopupWindow* w = Top();
    ASSERT_TRUE(w->HasWindowSkin());
    module.bsSkinData1->ClearSkin();
    EXPECT_FALSE(w->HasWindowSkin());
    EXPECT_FALSE(w->HasItemSkin());
    EXPECT_EQ(w->height(), 5 * 20 + 4);
    w->grab(); // paints from the copies it holds now
    QTest::keyClick(w, Qt::Key_Down);
    QTest::keyClick(w, Qt::Key_Return);
    QTRY_COMPARE(menu.hideClicks, 1);
}

TEST_F(SkinMenuTest, MenusTakeTheirSkinFromTheFrameOrTheInstalledPresenter)
{
    // A skinned popup menu without skin data takes the frame's for good.
    QWidget form;
    auto* frameEngine = new TbsSkinMenu(&form);
    frameEngine->FixedWorkArea = QRect(0, 0, 1024, 768);
    frameEngine->MenusSkinData = SkinData();
    TbsSkinPopupMenu skinned(&form);
    AddItem(skinned.Items(), "item");
    skinned.Popup(10, 10);
    ASSERT_EQ(frameEngine->Count(), 1);
    EXPECT_TRUE(frameEngine->Window(0)->HasWindowSkin());
    EXPECT_EQ(skinned.SkinData(), SkinData());
    frameEngine->Hide();

    // A plain popup menu shows skinned through the installed presenter.
    TbsSkinMenuPresenter presenter(SkinData());
    presenter.OwnEngine()->FixedWorkArea = QRect(0, 0, 1024, 768);
    TPopupMenu::SetDefaultPresenter(&presenter);
    TPopupMenu plain;
    int clicks = 0;
    AddItem(plain.Items(), "plain", &clicks);
    plain.Popup(20, 20);
    TPopupMenu::SetDefaultPresenter(nullptr);
    TbsSkinMenu* shown = presenter.OwnEngine();
    ASSERT_EQ(shown->Count(), 1);
    EXPECT_TRUE(shown->Window(0)->HasWindowSkin());
    QTest::keyClick(shown->Window(0), Qt::Key_Return);
    QTRY_COMPARE(clicks, 1);
}

TEST_F(SkinMenuTest, AFrameHandsItsMenuSettingsToEveryMenuOfItsWindow)
{
    QWidget window;
    auto* form = new TbsSkinForm(&window);
    form->SetSkinData(SkinData());
    TbsSkinMenu* frameEngine = form->MenuEngine();
    frameEngine->FixedWorkArea = QRect(0, 0, 1024, 768);
    int opens = 0, closes = 0;
    form->OnSkinMenuOpen = [&] { ++opens; };
    form->OnSkinMenuClose = [&] { ++closes; };
    auto popup = [&](TbsSkinPopupMenu& menu) -> TbsSkinPopupWindow& {
        menu.Popup(100, 100);
        return *frameEngine->Window(0);
    };

    // Before the system menu was ever shown, a menu without skin data takes the frame's.
    TbsSkinPopupMenu skinned(&window);
    MainMenu first(skinned.Items());
    TbsSkinPopupWindow& shown = popup(skinned);
    EXPECT_TRUE(shown.HasWindowSkin());
    EXPECT_EQ(skinned.SkinData(), SkinData());
    EXPECT_TRUE(form->SkinMenuOpened());
    QTest::keyClick(&shown, Qt::Key_Escape);
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(closes, 1) << "1228 closes the frame's menu state";
    EXPECT_FALSE(form->SkinMenuOpened());

    // The menus' own skin data comes first: an empty one gives the default
    // look, with the frame's item height, limit, translucency and font.
    auto empty = std::make_unique<TbsSkinData>();
    form->SetMenusSkinData(empty.get());
    form->SetDefMenuItemHeight(26);
    form->SetDefMenuItemHeight(0); // ignored
    form->SetMaxMenuItemsInWindow(3);
    form->SetMaxMenuItemsInWindow(-1); // ignored
    form->SetMenusAlphaBlend(true);
    form->SetMenusAlphaBlendValue(120);
    TbsSkinPopupMenu plain(&window);
    MainMenu second(plain.Items());
    TbsSkinPopupWindow& defaultLook = popup(plain);
    EXPECT_FALSE(defaultLook.HasWindowSkin());
    EXPECT_EQ(defaultLook.Item(0).Rect.height(), 26);
    EXPECT_TRUE(defaultLook.Scroll()) << "more than three items scroll";
    EXPECT_NEAR(defaultLook.windowOpacity(), 120 / 255.0, 0.01);
    const int narrow = defaultLook.width();
    frameEngine->Hide();
    QFont large = form->DefMenuItemFont();
    large.setPixelSize(30);
    form->SetDefMenuItemFont(large);
    EXPECT_GT(popup(plain).width(), narrow) << "the frame's item font";
    frameEngine->Hide();
    EXPECT_EQ(closes, 3);

    // Popup2 with the control that opens it: that control hears the close and the command.
    NoticeSink opener;
    TbsSkinPopupMenu withOpener(&window);
    int clicks = 0;
    AddItem(withOpener.Items(), "item", &clicks);
    withOpener.Popup2(&opener, 50, 50);
    ASSERT_TRUE(frameEngine->Visible());
    QTest::keyClick(frameEngine->Window(0), Qt::Key_Return);
    QTRY_COMPARE(clicks, 1);
    EXPECT_EQ(opener.closes, 1);
    EXPECT_EQ(opener.dispatches, 1);

    // The menus' skin data gone, menus take the frame's skin again.
    empty.reset();
    TbsSkinPopupMenu again(&window);
    AddItem(again.Items(), "item");
    EXPECT_TRUE(popup(again).HasWindowSkin());
    frameEngine->Hide();

    // Without any skin data Popup2 shows nothing.
    form->SetMenusSkinData(nullptr);
    form->SetSkinData(nullptr);
    TbsSkinPopupMenu unskinned(&window);
    AddItem(unskinned.Items(), "item");
    unskinned.Popup2(&opener, 50, 50);
    EXPECT_FALSE(frameEngine->Visible());
}

TEST(SkinPopupMenu, PopsUpThroughTheFramesEngineAndRaisesItsEvents)
{
    QWidget form;
    auto* frameEngine = new TbsSkinMenu(&form);
    frameEngine->FixedWorkArea = QRect(0, 0, 1024, 768);
    auto* popup = new TbsSkinPopupMenu(&form);
    TMenuItem* item = new TMenuItem();
    item->SetCaption("item");
    popup->Items()->Add(item);
    int popups = 0, closes = 0;
    popup->SetOnPopup([&](QObject* sender) {
        EXPECT_EQ(sender, popup);
        EXPECT_FALSE(frameEngine->Visible());
        ++popups;
    });
    popup->SetOnMenuClose([&](QObject* sender) {
        EXPECT_EQ(sender, popup);
        ++closes;
    });

    static_cast<TPopupMenu*>(popup)->Popup(30, 40);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(popup->PopupPoint(), QPoint(30, 40));
    ASSERT_TRUE(frameEngine->Visible()) << "the owner form's frame engine shows it";
    EXPECT_EQ(frameEngine->Window(0)->pos(), QPoint(30, 40));
    frameEngine->Hide();
    EXPECT_EQ(closes, 1);
    frameEngine->Popup(nullptr, nullptr, 0, QRect(1, 1, 0, 0), popup->Items(), false);
    frameEngine->Hide();
    EXPECT_EQ(closes, 1) << "the close event is one-shot";

    // Without a frame a menu uses an engine of its own, here with no window at all.
    TbsSkinPopupMenu alone;
    alone.Items()->Add(new TMenuItem());
    alone.Popup(5, 5);
    EXPECT_TRUE(alone.Engine()->Visible());
    EXPECT_NE(QApplication::activePopupWidget(), nullptr);
    alone.Engine()->Hide();
}

} // namespace
