// The edit field, the combo box and the page control: text through the GBK
// boundary, frame looks, the drop-down list and its close-up, tabs.
#include "ControlSkin.h"

#include "BsSkinButtons.h"
#include "BsSkinComboBox.h"
#include "BsSkinEdit.h"
#include "BsSkinTabs.h"
#include "GbkText.h"

#include <QInputMethodEvent>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace controltest;

std::string G(const char* utf8)
{
    return QStringToGbk(QString::fromUtf8(utf8));
}

void Enter(QWidget* widget)
{
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(widget, &enter);
}

void Leave(QWidget* widget)
{
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &leave);
}

class SkinFields : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.Load();
        window.resize(400, 300);
        sink = new QWidget(&window);
        sink->setFocusPolicy(Qt::StrongFocus);
        sink->setGeometry(390, 290, 5, 5);
    }

    void ShowActive()
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        sink->setFocus();
    }

    ControlSkin skin;
    QWidget window;
    QWidget* sink = nullptr;
};

// --- edit

TEST_F(SkinFields, EditTextCrossesTheGbkBoundaryBothWays)
{
    TbsSkinEdit edit(&window);
    const std::string gbk = G("上证股票sh600000");
    ASSERT_EQ(gbk.size(), 8u + 8u) << "two bytes a Chinese character";
    edit.SetText(gbk);
    EXPECT_EQ(edit.text(), QStringLiteral("上证股票sh600000"));
    EXPECT_EQ(edit.Text(), gbk);

    ShowActive();
    edit.setFocus();
    edit.clear();
    // Chinese text arrives through the input method, the rest as keys.
    QInputMethodEvent preedit(QStringLiteral("shenzheng"), {});
    QCoreApplication::sendEvent(&edit, &preedit);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("深证"));
    QCoreApplication::sendEvent(&edit, &commit);
    QTest::keyClicks(&edit, QStringLiteral("sz"));
    EXPECT_EQ(edit.Text(), G("深证sz"));
    // A character GBK lacks does not corrupt the rest.
    edit.setText(QStringLiteral("a\U0001F600b"));
    const std::string lossy = edit.Text();
    EXPECT_EQ(lossy.front(), 'a');
    EXPECT_EQ(lossy.back(), 'b');
}

TEST_F(SkinFields, EditTakesTheSkinHeightAndTextArea)
{
    TbsSkinEdit edit(&window);
    edit.setGeometry(8, 80, 113, 18);
    edit.SetSkinData(skin.Data());
    ShowActive();
    EXPECT_EQ(edit.height(), 19) << "the height of its skin rect";
    EXPECT_EQ(edit.TextArea(), QRect(QPoint(2, 2), QPoint(113 - 2 - 1, 19 - 2 - 1)));
    const QMargins margins = edit.textMargins();
    EXPECT_EQ(margins.left(), 2);
    EXPECT_EQ(margins.right(), 2);

    // Without a skin: 2 pixels each side, height from the font.
    skin.Data()->ClearSkin();
    EXPECT_EQ(edit.TextArea(), edit.rect().adjusted(2, 2, -2, -2));
    EXPECT_EQ(edit.height(), QFontMetrics(edit.DefaultFont()).height() + 6);
}

TEST_F(SkinFields, EditFrameAndTextTurnActiveUnderTheMouseAndWithFocus)
{
    TbsSkinEdit edit(&window);
    edit.setGeometry(8, 80, 113, 19);
    edit.SetSkinData(skin.Data());
    ShowActive();
    Leave(&edit);
    EXPECT_EQ(SourceOf(edit.RenderFrame().pixel(0, 0)), QPoint(0, 120));
    EXPECT_EQ(edit.CurrentFontColor(), ToQColor(0));
    Enter(&edit);
    EXPECT_EQ(SourceOf(edit.RenderFrame().pixel(0, 0)), QPoint(0, 140));
    EXPECT_EQ(SourceOf(edit.RenderFrame().pixel(112, 18)), QPoint(56, 158)) << "right end piece";
    EXPECT_EQ(edit.CurrentFontColor(), ToQColor(255));
    EXPECT_EQ(edit.palette().color(QPalette::Text), ToQColor(255));
    Leave(&edit);
    EXPECT_EQ(SourceOf(edit.RenderFrame().pixel(0, 0)), QPoint(0, 120));
    edit.setFocus();
    EXPECT_EQ(SourceOf(edit.RenderFrame().pixel(0, 0)), QPoint(0, 140));
    edit.setEnabled(false);
    EXPECT_EQ(edit.CurrentFontColor(), ToQColor(8421504));
}

TEST_F(SkinFields, EditButtonModeClicksOnlyOnItsButton)
{
    TbsSkinEdit edit(&window);
    edit.setGeometry(8, 8, 120, 22);
    edit.SetUseSkinFont(false);
    edit.SetButtonMode(true);
    int clicks = 0;
    edit.OnButtonClick = [&](QObject*) { ++clicks; };
    ShowActive();
    EXPECT_EQ(edit.TextArea().right(), 120 - 2 - edit.height() - 2 - 1);
    QTest::mouseClick(&edit, Qt::LeftButton, {}, edit.ButtonRect().center());
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(&edit, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks, 1) << "a click in the text";
    EXPECT_TRUE(edit.hasFocus());

    // With a skin the button sits where the skin puts it, moved with the width.
    edit.SetUseSkinFont(true);
    edit.SetSkinData(skin.Data());
    EXPECT_EQ(edit.ButtonRect(), QRect(51 + 120 - 57, 2, 5, 15));
    QTest::mouseMove(&edit, edit.ButtonRect().center());
    EXPECT_EQ(SourceOf(edit.RenderFrame().pixel(edit.ButtonRect().topLeft())), QPoint(60, 120));
}

// --- combo box

class SkinCombo : public SkinFields {
protected:
    void SetUp() override
    {
        SkinFields::SetUp();
        combo = new TbsSkinComboBox(&window);
        combo->setGeometry(10, 10, 137, 20);
        std::vector<std::string> items;
        for (int i = 0; i < 25; ++i)
            items.push_back("kind" + std::to_string(i));
        combo->SetItems(items);
        combo->SetItemIndex(2);
        combo->SetDropDownCount(8);
        combo->OnClick = [this](QObject*) { events.push_back("click"); };
        combo->OnChange = [this](QObject*) { events.push_back("change"); };
        combo->OnCloseUp
            = [this](QObject*) { events.push_back("closeup " + std::to_string(combo->ItemIndex())); };
        combo->OnDropDown = [this](QObject*) { events.push_back("dropdown"); };
    }

    TbsSkinComboBox* combo = nullptr;
    std::vector<std::string> events;
};

TEST_F(SkinCombo, ChoosingARowClosesUpWithThatIndex)
{
    combo->SetSkinData(skin.Data());
    ShowActive();
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(130, 10));
    ASSERT_TRUE(combo->DroppedDown());
    TbsPopupListBox* list = combo->PopupList();
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->RowCount(), 8);
    EXPECT_EQ(list->height(), 60 - 56 + 8 * 16);
    EXPECT_EQ(list->width(), 137);
    EXPECT_EQ(list->ItemIndex(), 2) << "the current index";
    ASSERT_NE(list->VScrollBar(), nullptr) << "25 rows in 8";
    EXPECT_EQ(list->pos(), combo->mapToGlobal(QPoint(0, combo->height())));

    const QRect row = list->ListBox()->visualItemRect(list->ListBox()->item(list->TopIndex() + 4));
    QTest::mouseClick(list->ListBox()->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_FALSE(list->isVisible());
    const int chosen = combo->ItemIndex();
    EXPECT_EQ(chosen, list->TopIndex() + 4);
    EXPECT_EQ(events,
        (std::vector<std::string> { "dropdown", "click", "change", "closeup " + std::to_string(chosen) }));
    EXPECT_EQ(combo->Text(), "kind" + std::to_string(chosen));
}

TEST_F(SkinCombo, EscapeOrAClickElsewhereRestoresThePreviousIndex)
{
    ShowActive();
    combo->DropDown();
    TbsPopupListBox* list = combo->PopupList();
    list->SetItemIndex(7);
    QTest::keyClick(list->ListBox(), Qt::Key_Escape);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 2);

    combo->DropDown();
    list->SetItemIndex(9);
    list->hide(); // what a click outside the pop-up does
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 2);

    combo->DropDown();
    QTest::keyClick(list->ListBox(), Qt::Key_Down);
    QTest::keyClick(list->ListBox(), Qt::Key_Return);
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(events,
        (std::vector<std::string> { "dropdown", "dropdown", "dropdown", "click", "change", "closeup 3" }));
}

TEST_F(SkinCombo, KeysMoveTheSelectionAndAnEmptyComboDoesNotOpen)
{
    ShowActive();
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Right);
    EXPECT_EQ(combo->ItemIndex(), 4);
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(combo->ItemIndex(), 3);
    QTest::keyClick(combo, Qt::Key_PageDown);
    EXPECT_EQ(combo->ItemIndex(), 10);
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(combo->DroppedDown());
    combo->CloseUp(false);

    TbsSkinComboBox empty(&window);
    empty.DropDown();
    EXPECT_FALSE(empty.DroppedDown());
}

TEST_F(SkinCombo, NearTheBottomOfTheScreenTheListOpensAbove)
{
    const QRect work = window.screen()->availableGeometry();
    window.move(work.left(), work.bottom() - 60);
    ShowActive();
    combo->DropDown();
    TbsPopupListBox* list = combo->PopupList();
    EXPECT_EQ(list->geometry().bottom() + 1, combo->mapToGlobal(QPoint(0, 0)).y());
    combo->CloseUp(false);
}

TEST_F(SkinCombo, LooksFromTheSkinAndWithout)
{
    combo->SetSkinData(skin.Data());
    ShowActive();
    Leave(combo);
    EXPECT_EQ(combo->height(), 20);
    EXPECT_EQ(combo->ButtonRect(), QRect(62 + 57, 2, 16, 16)) << "moved with the width";
    EXPECT_EQ(combo->ItemArea(), QRect(2, 2, 58 + 57, 16));
    QImage image = combo->RenderImage();
    EXPECT_EQ(SourceOf(image.pixel(0, 0)), QPoint(0, 160));
    EXPECT_EQ(SourceOf(image.pixel(2, 2)), QPoint(80, 160)) << "the item look";
    Enter(combo);
    image = combo->RenderImage();
    EXPECT_EQ(SourceOf(image.pixel(0, 0)), QPoint(0, 180));
    EXPECT_EQ(SourceOf(image.pixel(2, 2)), QPoint(80, 176));
    combo->setFocus();
    EXPECT_EQ(SourceOf(combo->RenderImage().pixel(2, 2)), QPoint(80, 192));
    combo->setEnabled(false);
    EXPECT_EQ(SourceOf(combo->RenderImage().pixel(62 + 57, 2)), QPoint(132, 192));

    TbsSkinComboBox plain(&window);
    plain.resize(100, 22);
    EXPECT_EQ(plain.ButtonRect(), QRect(81, 2, 17, 18));
    EXPECT_EQ(plain.ItemArea(), QRect(2, 2, 78, 18));
}

// --- page control

TEST_F(SkinFields, ActiveTabStandsTallerAndJoinsItsPage)
{
    TbsSkinPageControl pages(&window);
    pages.setGeometry(0, 0, 311, 236);
    TbsSkinTabSheet* first = pages.AddPage(G("股票设定"));
    TbsSkinTabSheet* second = pages.AddPage("other");
    pages.SetSkinData(skin.Data());
    ShowActive();
    EXPECT_EQ(pages.TabsHeight(), 19);
    EXPECT_EQ(pages.TabRect(0), QRect(2, 0, pages.TabRect(0).width(), 19));
    EXPECT_EQ(pages.TabRect(1).height(), 18);
    EXPECT_EQ(pages.TabRect(1).bottom(), 18) << "tabs stand on the page";
    EXPECT_EQ(pages.PageRect(), QRect(2, 19 + 2, 311 - 4, 236 - 19 - 4));
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(second->isVisible());

    const QImage image = pages.RenderImage();
    const QRect tab = pages.TabRect(0);
    EXPECT_EQ(SourceOf(image.pixel(tab.left(), tab.top())), QPoint(160, 220)) << "the active look";
    EXPECT_EQ(SourceOf(image.pixel(pages.TabRect(1).left(), pages.TabRect(1).top())), QPoint(160, 200));
    // Under the active tab the frame's top edge gives way to the page.
    const QPoint joint(tab.center().x(), 19);
    EXPECT_EQ(SourceOf(image.pixel(joint)).y(), 122) << "page look, not the frame edge";
    const QPoint edge(pages.TabRect(1).right() + 20, 19);
    EXPECT_EQ(SourceOf(image.pixel(edge)).y(), 120) << "the frame edge elsewhere";

    int changes = 0;
    pages.OnChange = [&](QObject*) { ++changes; };
    QTest::mouseClick(&pages, Qt::LeftButton, {}, pages.TabRect(1).center());
    EXPECT_EQ(pages.ActivePageIndex(), 1);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(second->isVisible());
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(second->geometry(), pages.PageRect());
}

TEST_F(SkinFields, PageControlKeysSwitchPages)
{
    TbsSkinPageControl pages(&window);
    pages.setGeometry(0, 0, 200, 100);
    pages.AddPage("one");
    pages.AddPage("two");
    pages.AddPage("three");
    ShowActive();
    pages.setFocus();
    QTest::keyClick(&pages, Qt::Key_Right);
    QTest::keyClick(&pages, Qt::Key_Right);
    QTest::keyClick(&pages, Qt::Key_Right);
    EXPECT_EQ(pages.ActivePageIndex(), 2);
    QTest::keyClick(&pages, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages.ActivePageIndex(), 0);
    QTest::keyClick(&pages, Qt::Key_Left);
    EXPECT_EQ(pages.ActivePageIndex(), 0);
    EXPECT_TRUE(pages.Page(0)->isVisible());
}

TEST_F(SkinFields, PageControlWithoutSkin)
{
    TbsSkinPageControl pages(&window);
    pages.setGeometry(0, 0, 200, 100);
    pages.AddPage("one");
    pages.AddPage("two");
    ShowActive();
    EXPECT_EQ(pages.TabsHeight(), 20);
    EXPECT_EQ(pages.PageRect(), QRect(1, 21, 198, 78));
    const QImage image = pages.RenderImage();
    EXPECT_EQ(QColor(image.pixel(pages.TabRect(0).topLeft())), ToQColor(bswidgets::NavyFrame));
    EXPECT_EQ(QColor(image.pixel(pages.TabRect(1).topLeft() + QPoint(2, 2))), ToQColor(clBtnFace));
    EXPECT_EQ(QColor(image.pixel(150, 20)), ToQColor(clBtnShadow)) << "the page frame";
}

} // namespace

namespace {

// Every control drawn at sizes smaller than its skin's pieces, with and
// without the skin: nothing may read or write outside a picture.
TEST_F(SkinFields, TinySizesDrawSafely)
{
    std::vector<QWidget*> controls;
    auto* button = new TbsSkinButton(&window);
    button->SetUseSkinSize(false);
    auto* combo = new TbsSkinComboBox(&window);
    combo->SetUseSkinSize(false);
    combo->SetItems({ "a" });
    combo->SetItemIndex(0);
    auto* pages = new TbsSkinPageControl(&window);
    pages->AddPage("page");
    auto* box = new TbsSkinListBox(&window);
    box->SetItems({ "a", "b", "c" });
    auto* bar = new TbsSkinScrollBar(&window);
    bar->SetRange(0, 10, 3, 5);
    auto* edit = new TbsSkinEdit(&window);
    edit->SetUseSkinFont(false);
    for (QWidget* w : std::initializer_list<QWidget*> { button, combo, pages, box, bar, edit })
        controls.push_back(w);
    window.show();
    for (TbsSkinData* data : { static_cast<TbsSkinData*>(nullptr), skin.Data() }) {
        for (QSize size : { QSize(0, 0), QSize(1, 1), QSize(5, 3), QSize(3, 40) }) {
            for (QWidget* w : controls) {
                if (auto* skinnable = dynamic_cast<TbsSkinnable*>(w))
                    skinnable->SetSkinData(data);
                w->resize(size);
                const QImage image = w->grab().toImage();
                EXPECT_FALSE(image.size().isEmpty() && !size.isEmpty()) << w->metaObject()->className();
            }
        }
    }
}

} // namespace
