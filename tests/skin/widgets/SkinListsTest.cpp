// The list view, the scroll bar and the list box: fill order and column
// texts, clicks, thumb position and page clicks, selection, typing to
// select, and the bars coming and going with the items.
#include "ControlSkin.h"

#include "BsSkinBoxes.h"
#include "BsSkinComboBox.h"
#include "BsSkinListView.h"
#include "GbkText.h"

#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace controltest;

std::string G(const char* utf8)
{
    return QStringToGbk(QString::fromUtf8(utf8));
}

class SkinLists : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.Load();
        window.resize(400, 400);
    }

    void ShowActive()
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    ControlSkin skin;
    QWidget window;
};

// --- list view

QString Cell(TbsSkinListView& list, int row, int column)
{
    return list.model()->data(list.model()->index(row, column), Qt::DisplayRole).toString();
}

TEST_F(SkinLists, ListViewRowsFollowTheFillOrderWithTheirSubItems)
{
    TbsSkinListView list(&window);
    list.SetColumns({ { G("名称"), 80, taLeftJustify }, { G("代码"), 60, taCenter },
        { G("价格"), 80, taCenter }, { G("涨幅%"), 80, taCenter } });
    list.BeginUpdate();
    list.AddItem(G("浦发银行"), { "600000", "10.25", "1.05" });
    list.AddItem(G("万 科Ａ"), { "000002", "8.01", "-0.50" });
    list.AddItem("short", { "000003" });
    EXPECT_EQ(list.model()->rowCount(), 0) << "nothing shows inside the update block";
    list.EndUpdate();

    ASSERT_EQ(list.model()->rowCount(), 3);
    EXPECT_EQ(Cell(list, 0, 0), QStringLiteral("浦发银行"));
    EXPECT_EQ(Cell(list, 1, 0), QStringLiteral("万 科Ａ"));
    EXPECT_EQ(Cell(list, 1, 3), QStringLiteral("-0.50"));
    EXPECT_EQ(Cell(list, 2, 1), QStringLiteral("000003"));
    EXPECT_EQ(Cell(list, 2, 3), QString()) << "a row without that sub-item";
    EXPECT_EQ(list.Caption(1), G("万 科Ａ"));
    EXPECT_EQ(list.SubItem(0, 1), "10.25");

    // Column captions, widths and alignments.
    EXPECT_EQ(
        list.model()->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("涨幅%"));
    EXPECT_EQ(list.Column(1).Width, 60);
    EXPECT_EQ(list.Header()->sectionSize(2), 80);
    const auto alignment = [&](int column) {
        return list.model()->data(list.model()->index(0, column), Qt::TextAlignmentRole).toInt()
            & Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(alignment(0), int(Qt::AlignLeft));
    EXPECT_EQ(alignment(1), int(Qt::AlignHCenter));

    // A column narrower than the font's widest letter keeps its width.
    list.SetColumns({ { "a", 4, taLeftJustify }, { "b", 0, taLeftJustify } });
    EXPECT_EQ(list.Column(0).Width, 4);
    EXPECT_EQ(list.Column(1).Width, 0);

    // A refill inside a block replaces every row.
    list.BeginUpdate();
    list.Clear();
    list.AddItem("only", { "1" });
    list.EndUpdate();
    EXPECT_EQ(list.model()->rowCount(), 1);
    EXPECT_EQ(Cell(list, 0, 0), QStringLiteral("only"));

    // Nested blocks end with the outer one.
    list.BeginUpdate();
    list.BeginUpdate();
    list.AddItem("two", {});
    list.EndUpdate();
    EXPECT_EQ(list.model()->rowCount(), 0);
    list.EndUpdate();
    EXPECT_EQ(list.model()->rowCount(), 2);
}

TEST_F(SkinLists, ListViewClickSelectsTheWholeRowAndRaisesTheEvent)
{
    TbsSkinListView list(&window);
    list.setGeometry(0, 0, 306, 215);
    list.SetColumns({ { "a", 80, taLeftJustify }, { "b", 60, taCenter } });
    for (int i = 0; i < 5; ++i)
        list.AddItem("row" + std::to_string(i), { std::to_string(i) });
    list.SetHotTrackStyle(htHandPoint);
    int clicks = 0;
    int indexAtClick = -2;
    list.OnClick = [&](QObject* sender) {
        EXPECT_EQ(sender, &list);
        ++clicks;
        indexAtClick = list.ItemIndex();
    };
    ShowActive();
    const QRect row2 = list.visualRect(list.model()->index(2, 1));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, row2.center());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(indexAtClick, 2) << "the row is selected when the click is reported";
    EXPECT_EQ(list.selectionModel()->selectedIndexes().size(), 2) << "every column of the row";

    QTest::mouseMove(list.viewport(), row2.center());
    EXPECT_EQ(list.viewport()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(list.editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(SkinLists, ListViewTakesItsColoursFromTheEntryAndHeadersFromTheButtonSkin)
{
    TbsSkinListView list(&window);
    list.setGeometry(0, 0, 306, 215);
    list.SetColumns({ { "a", 80, taLeftJustify } });
    list.SetDefaultColor(RGBColor(1, 2, 3));
    EXPECT_EQ(list.palette().color(QPalette::Base), QColor(1, 2, 3));
    list.SetSkinData(skin.Data());
    EXPECT_EQ(list.palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(list.palette().color(QPalette::Text), QColor(0, 255, 0));
    EXPECT_EQ(list.font().pixelSize(), 13);

    list.SetHeaderSkinDataName("header");
    ShowActive();
    const QImage header = Grab(list.Header());
    EXPECT_EQ(SourceOf(header.pixel(0, 0)), QPoint(40, 0)) << "a section";
    EXPECT_EQ(SourceOf(header.pixel(header.width() - 1, header.height() - 1)), QPoint(79, 19)) << "the rest";
    EXPECT_EQ(list.Header()->height(), list.Header()->QHeaderView::sizeHint().height() + 4);

    // An absent header skin: button face inside a button-shadow frame.
    list.SetHeaderSkinDataName("nosuchheader");
    const QImage plain = Grab(list.Header());
    EXPECT_EQ(QColor(plain.pixel(plain.width() - 5, plain.height() / 2)), ToQColor(clBtnFace));
    EXPECT_EQ(QColor(plain.pixel(plain.width() - 1, plain.height() / 2)), ToQColor(clBtnShadow));

    skin.Data()->ClearSkin();
    EXPECT_EQ(list.palette().color(QPalette::Base), QColor(1, 2, 3));
}

TEST_F(SkinLists, ListViewSkinnedScrollBarsDriveTheView)
{
    TbsSkinListView list(&window);
    list.setGeometry(0, 0, 306, 215);
    list.SetColumns({ { "a", 200, taLeftJustify }, { "b", 200, taLeftJustify } });
    for (int i = 0; i < 60; ++i)
        list.AddItem("row" + std::to_string(i), { "x" });
    list.SetSkinData(skin.Data());
    list.SetUseSkinScrollBars(true);
    ShowActive();
    QCoreApplication::processEvents();
    TbsSkinScrollBar* v = list.VScrollBar();
    TbsSkinScrollBar* h = list.HScrollBar();
    ASSERT_TRUE(v && v->isVisible());
    ASSERT_TRUE(h && h->isVisible()) << "400 pixels of columns in 306";
    EXPECT_EQ(list.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_TRUE(h->Both());
    EXPECT_EQ(v->PageSize(), list.verticalScrollBar()->pageStep());
    EXPECT_EQ(v->geometry().right(), list.contentsRect().right());
    EXPECT_LE(list.viewport()->geometry().right(), v->geometry().left());
    EXPECT_EQ(list.Header()->geometry().bottom() + 1, list.viewport()->geometry().top())
        << "the header stays";
    EXPECT_EQ(list.Header()->width(), list.viewport()->width());

    const TbsScrollBarRects r = v->CurrentRects();
    QTest::mouseClick(v, Qt::LeftButton, {}, QPoint(7, r.Thumb.Bottom + 3));
    EXPECT_EQ(list.verticalScrollBar()->value(), v->LargeChange());
    list.scrollToBottom();
    EXPECT_EQ(v->Position(), list.verticalScrollBar()->maximum());

    list.Clear();
    QCoreApplication::processEvents();
    EXPECT_FALSE(v->isVisible());
}

// --- scroll bar

TEST_F(SkinLists, ScrollBarPositionIsClampedAndAnnouncedOnlyWhenItChanges)
{
    TbsSkinScrollBar bar;
    int changes = 0;
    bar.OnChange = [&](QObject*) { ++changes; };
    bar.SetRange(0, 100, 10, 0);
    struct Case {
        int set, stored, changes;
    };
    const Case cases[] = { { 50, 50, 1 }, { 50, 50, 1 }, { 200, 91, 2 }, { -5, 0, 3 }, { -7, 0, 3 } };
    for (const Case& c : cases) {
        bar.SetPosition(c.set);
        EXPECT_EQ(bar.Position(), c.stored) << c.set;
        EXPECT_EQ(changes, c.changes) << c.set;
    }
    bar.SetPosition(50);
    bar.SetPageSize(95);
    EXPECT_EQ(bar.PageSize(), 10) << "a page that does not fit with the position is refused";
    bar.SetPageSize(51);
    EXPECT_EQ(bar.PageSize(), 51);
}

TEST_F(SkinLists, ScrollBarThumbFollowsThePositionAndTheDrag)
{
    TbsSkinScrollBar bar(&window);
    bar.SetSkinData(skin.Data());
    bar.setGeometry(10, 10, 200, 15);
    bar.SetRange(0, 99, 10, 0);
    ShowActive();
    TbsScrollBarRects r = bar.CurrentRects();
    EXPECT_EQ(r.Track, TRect(15, 0, 185, 15));
    EXPECT_EQ(r.Thumb.Left, r.Track.Left);
    EXPECT_EQ(r.Thumb.Width(), 30) << "the thumb look's length is the least";
    bar.SetPosition(90);
    r = bar.CurrentRects();
    EXPECT_EQ(r.Thumb.Right, r.Track.Right);

    // A drag beyond the track's end leaves the position at its maximum.
    bar.SetPosition(0);
    r = bar.CurrentRects();
    int lastChanges = 0;
    bar.OnLastChange = [&](QObject*) { ++lastChanges; };
    const QPoint grip(r.Thumb.Left + 5, 7);
    QTest::mousePress(&bar, Qt::LeftButton, {}, grip);
    QTest::mouseMove(&bar, QPoint(400, 7));
    EXPECT_EQ(bar.Position(), 90);
    QTest::mouseMove(&bar, QPoint(grip.x() + (r.Track.Width() - 30) / 2, 7));
    EXPECT_EQ(bar.Position(), 45);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(100, 7));
    EXPECT_EQ(lastChanges, 1);

    // The thumb is drawn from its look at its place.
    const QImage image = bar.RenderImage();
    r = bar.CurrentRects();
    EXPECT_EQ(SourceOf(image.pixel(r.Thumb.Left, r.Thumb.Top)), QPoint(64, 100));
}

TEST_F(SkinLists, ScrollBarPageAndArrowClicks)
{
    TbsSkinScrollBar bar(&window);
    bar.setGeometry(10, 10, 200, 19);
    bar.SetRange(0, 100, 10, 40);
    bar.SetLargeChange(10);
    bar.SetSmallChange(3);
    int pageUps = 0, pageDowns = 0;
    bar.OnPageUp = [&](QObject*) { ++pageUps; };
    bar.OnPageDown = [&](QObject*) { ++pageDowns; };
    ShowActive();
    const TbsScrollBarRects r = bar.CurrentRects();
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(r.Thumb.Right + 2, 9));
    EXPECT_EQ(bar.Position(), 50);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(r.Track.Left + 1, 9));
    EXPECT_EQ(bar.Position(), 40);
    EXPECT_EQ(pageUps, 1);
    EXPECT_EQ(pageDowns, 1);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, r.UpButton.ToQRect().center());
    EXPECT_EQ(bar.Position(), 43) << "the up button increases";
    QTest::mouseClick(&bar, Qt::LeftButton, {}, r.DownButton.ToQRect().center());
    EXPECT_EQ(bar.Position(), 40);

    // A handler replaces the arrow's own step.
    int ups = 0;
    bar.OnUpButtonClick = [&](QObject*) { ++ups; };
    QTest::mouseClick(&bar, Qt::LeftButton, {}, r.UpButton.ToQRect().center());
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(bar.Position(), 40);
}

TEST_F(SkinLists, HeldArrowStepsAtOnceThenRepeatsAfterTheDelay)
{
    TbsSkinScrollBar bar(&window);
    bar.setGeometry(10, 10, 200, 19);
    bar.SetRange(0, 1000, 0, 0);
    ShowActive();
    const QPoint up = bar.CurrentRects().UpButton.ToQRect().center();
    QTest::mouseMove(&bar, up);
    QTest::mousePress(&bar, Qt::LeftButton, {}, up);
    EXPECT_EQ(bar.Position(), 1);
    QTest::qWait(300);
    EXPECT_EQ(bar.Position(), 1) << "nothing before the delay";
    QTest::qWait(500);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, up);
    EXPECT_GE(bar.Position(), 3);
    const int held = bar.Position();
    QTest::qWait(120);
    EXPECT_EQ(bar.Position(), held);
}

// --- list box

std::vector<std::string> Codes(int count)
{
    std::vector<std::string> codes;
    for (int i = 0; i < count; ++i)
        codes.push_back((i % 2 ? "sz" : "sh") + std::to_string(600000 + i));
    return codes;
}

TEST_F(SkinLists, ListBoxShowsItsBarOnlyWhileTheItemsDoNotFit)
{
    TbsSkinListBox box(&window);
    box.SetSkinData(skin.Data());
    box.setGeometry(0, 0, 160, 214);
    ShowActive();
    EXPECT_EQ(box.ItemHeight(), 16) << "the item look's height";
    box.SetItems(Codes(10));
    EXPECT_EQ(box.VScrollBar(), nullptr);
    box.SetItems(Codes(30));
    ASSERT_NE(box.VScrollBar(), nullptr);
    EXPECT_EQ(box.HScrollBar(), nullptr);
    EXPECT_EQ(box.VScrollBar()->SkinDataName(), "vscrollbar");
    // The bar stands along the client rect's right edge; the list fills the rest.
    EXPECT_EQ(box.VScrollBar()->geometry(), QRect(160 - 2 - 15, 2, 15, 210));
    EXPECT_EQ(box.ListBox()->geometry(), QRect(2, 2, 160 - 4 - 15, 210));
    const int visible = 210 / 16;
    EXPECT_EQ(box.VScrollBar()->PageSize(), visible);
    EXPECT_EQ(box.VScrollBar()->Max(), 29);

    // A page click on the bar scrolls the list.
    const TbsScrollBarRects r = box.VScrollBar()->CurrentRects();
    QTest::mouseClick(box.VScrollBar(), Qt::LeftButton, {}, QPoint(7, r.Thumb.Bottom + 3));
    EXPECT_EQ(box.TopIndex(), visible);
    // Scrolling the list moves the bar.
    box.SetTopIndex(2);
    EXPECT_EQ(box.VScrollBar()->Position(), 2);

    for (int i = 29; i >= visible; --i)
        box.DeleteItem(i);
    EXPECT_EQ(box.VScrollBar(), nullptr);
    EXPECT_EQ(box.ListBox()->geometry(), QRect(2, 2, 156, 210));
}

TEST_F(SkinLists, ListBoxSelectionAndTypingToSelect)
{
    TbsSkinListBox box(&window);
    box.setGeometry(0, 0, 160, 120);
    box.SetItems({ "sh600000", "sz000002", "sh601318", "sz000651" });
    int clicks = 0;
    box.OnListBoxClick = [&](QObject* sender) {
        EXPECT_EQ(sender, &box);
        ++clicks;
    };
    ShowActive();
    box.setFocus();
    EXPECT_EQ(box.ItemIndex(), -1);
    QTest::keyClicks(box.ListBox(), QStringLiteral("sz0006"));
    EXPECT_EQ(box.ItemIndex(), 3);
    EXPECT_EQ(box.Item(box.ItemIndex()), "sz000651");

    const QRect second = box.ListBox()->visualItemRect(box.ListBox()->item(1));
    QTest::mouseClick(box.ListBox()->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(box.ItemIndex(), 1);
    EXPECT_GE(clicks, 1);
    const int before = clicks;
    QTest::mouseClick(box.ListBox()->viewport(), Qt::LeftButton, {}, QPoint(5, 110));
    EXPECT_EQ(clicks, before) << "a click below the items";
    EXPECT_EQ(box.ListBox()->selectionMode(), QAbstractItemView::SingleSelection);

    // Moving keeps the texts; deleting the selection leaves none.
    box.MoveItem(1, 0);
    EXPECT_EQ(box.Items(), (std::vector<std::string> { "sz000002", "sh600000", "sh601318", "sz000651" }));
    box.SetItemIndex(2);
    box.DeleteItem(2);
    EXPECT_EQ(box.ItemIndex(), -1);
}

TEST_F(SkinLists, ListBoxItemsKeepTheirBytesAndDrawFromTheItemLooks)
{
    TbsSkinListBox box(&window);
    box.SetSkinData(skin.Data());
    box.setGeometry(0, 0, 100, 100);
    const std::string chinese = G("股票代码");
    box.SetItems({ chinese, "x" });
    box.SetItemIndex(1);
    EXPECT_EQ(box.Item(0), chinese);
    EXPECT_EQ(box.ListBox()->item(0)->text(), QStringLiteral("股票代码"));
    ShowActive();
    QImage item(96, 16, QImage::Format_RGB32);
    QPainter painter(&item);
    box.DrawItem(painter, item.rect(), 0, QStyle::State_Enabled);
    painter.end();
    EXPECT_EQ(SourceOf(item.pixel(0, 0)), QPoint(140, 60));
    QImage selected(96, 16, QImage::Format_RGB32);
    QPainter selectedPainter(&selected);
    box.DrawItem(selectedPainter, selected.rect(), 1, QStyle::State_Enabled | QStyle::State_Selected);
    selectedPainter.end();
    EXPECT_EQ(SourceOf(selected.pixel(0, 0)), QPoint(140, 76));
    EXPECT_EQ(SourceOf(selected.pixel(95, 15)), QPoint(199, 91)) << "right end piece";
}

TEST_F(SkinLists, WheelAndKeysScrollOnlyWhereTheyShould)
{
    TbsSkinListBox box(&window);
    box.setGeometry(0, 0, 120, 100);
    box.SetItems(Codes(40));
    ShowActive();
    ASSERT_NE(box.VScrollBar(), nullptr);
    QWheelEvent towards(QPointF(10, 10), box.ListBox()->mapToGlobal(QPointF(10, 10)), QPoint(),
        QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(box.ListBox()->viewport(), &towards);
    EXPECT_EQ(box.TopIndex(), 1) << "one line a notch";
    EXPECT_EQ(box.VScrollBar()->Position(), 1);

    // A bar takes keys and the wheel only when it can have the focus.
    TbsSkinScrollBar bar(&window);
    bar.SetRange(0, 10, 0, 5);
    bar.show();
    QTest::keyClick(&bar, Qt::Key_Right);
    EXPECT_EQ(bar.Position(), 5);
    bar.SetCanFocused(true);
    bar.setFocus();
    QTest::keyClick(&bar, Qt::Key_Right);
    QTest::keyClick(&bar, Qt::Key_Down);
    EXPECT_EQ(bar.Position(), 7);
    QTest::keyClick(&bar, Qt::Key_Up);
    EXPECT_EQ(bar.Position(), 6);
}

// A wheel event of the given angle and pixel deltas (negative: towards the user).
void Wheel(QWidget* target, int angle, int pixels = 0)
{
    QWheelEvent event(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(0, pixels), QPoint(0, angle),
        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(target, &event);
}

TEST_F(SkinLists, FineWheelStepsAddUpToWholeLines)
{
    TbsSkinListBox box(&window);
    box.setGeometry(0, 0, 120, 100);
    box.SetItems(Codes(40));
    TbsSkinScrollBar bar(&window);
    bar.setGeometry(0, 120, 120, 19);
    bar.SetRange(0, 10, 0, 5);
    bar.SetCanFocused(true);
    TbsSkinComboBox combo(&window);
    combo.setGeometry(0, 150, 120, 20);
    combo.SetItems(Codes(10));
    combo.SetItemIndex(5);
    ShowActive();
    const int itemHeight = box.ItemHeight();

    struct Row {
        const char* what;
        QWidget* target;
        std::function<int()> read;
        std::vector<std::pair<int, int>> deltas; // angle, pixels
        int moved;
    };
    QWidget* list = box.ListBox()->viewport();
    auto top = [&] { return box.TopIndex(); };
    auto position = [&] { return bar.Position(); };
    auto index = [&] { return combo.ItemIndex(); };
    const std::vector<std::pair<int, int>> eight(8, { -15, 0 });
    const std::vector<std::pair<int, int>> seven(7, { -15, 0 });
    const Row rows[] = {
        { "list box: a notch", list, top, { { -120, 0 } }, 1 },
        { "list box: eight 15-unit steps", list, top, eight, 1 },
        { "list box: seven 15-unit steps", list, top, seven, 0 },
        { "list box: a touchpad's item height in pixels", list, top,
            { { -8, -itemHeight / 2 }, { -8, -(itemHeight - itemHeight / 2) } }, 1 },
        { "list box: back and forth", list, top, { { -60, 0 }, { 60, 0 }, { -60, 0 } }, 0 },
        { "list box: away from the user", list, top, { { 120, 0 } }, -1 },
        { "scroll bar: eight 15-unit steps", &bar, position, eight, 1 },
        { "combo box: eight 15-unit steps", &combo, index, eight, 1 },
        { "combo box: three notches at once", &combo, index, { { -360, 0 } }, 3 },
    };
    for (const Row& row : rows) {
        box.SetTopIndex(5);
        bar.SetPosition(5);
        combo.SetItemIndex(5);
        row.target->setFocus();
        const int before = row.read();
        for (auto [angle, pixels] : row.deltas)
            Wheel(row.target, angle, pixels);
        EXPECT_EQ(row.read() - before, row.moved) << row.what;
        // What is left over does not carry into the next row.
        Wheel(row.target, row.deltas.front().first > 0 ? -1 : 1);
    }
}

TEST_F(SkinLists, ListBoxHorizontalBarForWideItems)
{
    TbsSkinListBox box(&window);
    box.SetSkinData(skin.Data());
    box.setGeometry(0, 0, 100, 100);
    box.SetHorizontalExtent(true);
    box.SetItems({ "short", "a much wider entry than the list box can show" });
    ShowActive();
    ASSERT_NE(box.HScrollBar(), nullptr);
    EXPECT_EQ(box.HScrollBar()->SkinDataName(), "hscrollbar");
    EXPECT_EQ(box.HScrollBar()->geometry().bottom(), 100 - 2 - 1) << "along the client rect's bottom";
    box.HScrollBar()->SetPosition(12);
    EXPECT_EQ(box.HorizontalOffset(), 12);
    // With a vertical bar as well the horizontal one takes the corner form.
    std::vector<std::string> many = Codes(20);
    many.push_back("a much wider entry than the list box can show");
    box.SetItems(many);
    ASSERT_NE(box.VScrollBar(), nullptr);
    ASSERT_NE(box.HScrollBar(), nullptr);
    EXPECT_TRUE(box.HScrollBar()->Both());
    EXPECT_EQ(box.HScrollBar()->SkinDataName(), "bothhscrollbar");
    EXPECT_LE(box.VScrollBar()->geometry().bottom(), box.HScrollBar()->geometry().top());

    box.SetItems({ "short" });
    EXPECT_EQ(box.HScrollBar(), nullptr);
    EXPECT_EQ(box.VScrollBar(), nullptr);
}

TEST_F(SkinLists, ListBoxHeightForARowCount)
{
    TbsSkinListBox box(&window);
    box.SetItems(Codes(20));
    box.SetRowCount(5);
    EXPECT_EQ(box.height(), 5 * 20 + 4) << "without a skin";
    box.SetSkinData(skin.Data());
    EXPECT_EQ(box.height(), 60 - 56 + 5 * 16);
}

} // namespace
