// The skinned window frame on live windows, headless: what presses on the
// frame ask of the window system, which caption buttons each window kind
// shows, the caption double click, the system menu, morphing, window states
// and skin changes, all with the program's own skin.
#include "BsBitmapFile.h"
#include "BsSkinAnnouncer.h"
#include "Bsskinform.h"
#include "Bsskinmenus.h"
#include "FakeWindowSystem.h"
#include "SkinCtrlDM.h"
#include "TempDir.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

using testsupport::FakeWindowSystem;

enum class Kind { Main, Options, Chart, About };

// A window that notes the presses that reach its own handling.
class Window : public QWidget {
public:
    int ClientPresses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++ClientPresses; }
};

class SkinForm : public ::testing::Test {
protected:
    static void SetUpTestSuite() { module_ = std::make_unique<TSkinCtrlModule>(); }
    static void TearDownTestSuite() { module_.reset(); }

    TbsSkinData* Skin() const { return module_->bsSkinData1; }

    // A window of the program's kind at client size 306 x 300, shown at (100, 100).
    Window* Make(Kind kind, TbsSkinData* skin = nullptr)
    {
        windows_.push_back(std::make_unique<Window>());
        Window* w = windows_.back().get();
        w->setWindowTitle(QStringLiteral("Qelvo"));
        auto* form = new TbsSkinForm(w);
        switch (kind) {
        case Kind::Main:
            form->SetBorderStyle(bsSizeable);
            form->SetHideCaptionButtons(true);
            break;
        case Kind::Options:
            form->SetBorderStyle(bsSingle);
            form->SetHideCaptionButtons(true);
            form->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp | biMinimizeToTray);
            break;
        case Kind::Chart:
            form->SetBorderStyle(bsSingle);
            form->SetDisableSystemMenu(true);
            form->SetBorderIcons(biSystemMenu);
            break;
        case Kind::About:
            form->SetBorderStyle(bsSizeable);
            form->SetDisableSystemMenu(true);
            form->SetBorderIcons(biSystemMenu);
            break;
        }
        form->SetSkinData(skin ? skin : Skin());
        form->SetClientWidth(306);
        form->SetClientHeight(300);
        w->move(100, 100);
        w->show();
        return w;
    }

    static TbsSkinForm& Form(QWidget* w) { return *TbsSkinForm::Of(w); }

    static void Send(
        QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(w, &event);
    }
    static void Press(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        Send(w, QEvent::MouseButtonPress, p, b, b);
    }
    static void Release(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        Send(w, QEvent::MouseButtonRelease, p, b, Qt::NoButton);
    }
    static void Drag(QWidget* w, QPoint p) { Send(w, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton); }
    static void Hover(QWidget* w, QPoint p) { Send(w, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton); }
    static void DoubleClick(QWidget* w, QPoint p)
    {
        Press(w, p);
        Release(w, p);
        Send(w, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
        Release(w, p);
    }
    static void Activate(QWidget* w)
    {
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }

    static std::vector<std::string> VisibleButtons(QWidget* w)
    {
        std::vector<std::string> names;
        for (const auto& o : Form(w).Objects())
            if (o->IsButton() && o->Visible)
                names.push_back(o->IDName);
        return names;
    }

    static QPoint Centre(const TRect& r) { return { (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2 }; }

    static inline std::unique_ptr<TSkinCtrlModule> module_;
    FakeWindowSystem fake_;
    std::vector<std::unique_ptr<Window>> windows_;
};

TEST_F(SkinForm, TheMainWindowAtItsClientSizeHasTheSkinsFrameShapeAndClientMargins)
{
    Window* w = Make(Kind::Main);
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* child = new QWidget(w);
    layout->addWidget(child);
    layout->activate();
    QApplication::processEvents();

    EXPECT_EQ(w->size(), QSize(314, 333));
    EXPECT_EQ(w->contentsMargins(), QMargins(4, 29, 4, 4));
    EXPECT_EQ(child->geometry(), QRect(4, 29, 306, 300)) << "children live in the client area";
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    // Rounded top corners: the outer corner pixels are cut away, the bottom ones are kept.
    const QRegion shape = w->mask();
    EXPECT_FALSE(shape.contains(QPoint(0, 0)));
    EXPECT_FALSE(shape.contains(QPoint(313, 0)));
    EXPECT_TRUE(shape.contains(QPoint(157, 0)));
    EXPECT_TRUE(shape.contains(QPoint(0, 332)));
    EXPECT_TRUE(shape.contains(QPoint(157, 160)));
    EXPECT_EQ(Form(w).GetMinWidth(), 200);
    EXPECT_EQ(Form(w).GetMinHeight(), 33);
}

TEST_F(SkinForm, PressesOnTheFrameBecomeWindowSystemActions)
{
    struct Row {
        const char* where;
        QPoint press;
        QPoint dragTo;
        const char* call;
        Qt::Edges edges;
    };
    const Row rows[] = {
        { "caption, once the mouse moves", { 60, 15 }, { 70, 20 }, "move", {} },
        { "left border", { 1, 160 }, { 1, 160 }, "resize", Qt::LeftEdge },
        { "right border", { 312, 160 }, { 312, 160 }, "resize", Qt::RightEdge },
        { "top border", { 157, 1 }, { 157, 1 }, "resize", Qt::TopEdge },
        { "bottom border", { 157, 331 }, { 157, 331 }, "resize", Qt::BottomEdge },
        { "bottom-right corner", { 312, 331 }, { 312, 331 }, "resize", Qt::BottomEdge | Qt::RightEdge },
        { "top-left corner", { 2, 6 }, { 2, 6 }, "resize", Qt::TopEdge | Qt::LeftEdge },
    };
    for (const Row& row : rows) {
        Window* w = Make(Kind::Main);
        fake_.Calls.clear();
        Press(w, row.press);
        Drag(w, row.dragTo);
        Release(w, row.dragTo);
        const auto moves = fake_.CallsOf("move");
        const auto resizes = fake_.CallsOf("resize");
        ASSERT_EQ(moves.size() + resizes.size(), 1u) << row.where;
        const auto& call = moves.empty() ? resizes.front() : moves.front();
        EXPECT_EQ(call.What, row.call) << row.where;
        EXPECT_EQ(call.Window, w) << row.where;
        EXPECT_EQ(call.Edges, row.edges) << row.where;
        EXPECT_EQ(w->ClientPresses, 0) << row.where;
    }

    // A click on the caption without moving is no move (it may be half a double click).
    Window* w = Make(Kind::Main);
    fake_.Calls.clear();
    Press(w, { 60, 15 });
    Release(w, { 60, 15 });
    EXPECT_TRUE(fake_.CallsOf("move").empty());
    // The client area is the window's own.
    Press(w, { 150, 150 });
    Release(w, { 150, 150 });
    EXPECT_EQ(w->ClientPresses, 1);
    EXPECT_TRUE(fake_.Calls.empty());
    // A single-border window has no sizing border.
    Window* dialog = Make(Kind::Options);
    fake_.Calls.clear();
    Press(dialog, { 1, 160 });
    Release(dialog, { 1, 160 });
    EXPECT_TRUE(fake_.CallsOf("resize").empty());
}

TEST_F(SkinForm, WithoutTheWindowSystemTheFrameMovesAndSnapsItself)
{
    fake_.AcceptMoves = false;
    Window* w = Make(Kind::Main);
    Press(w, { 60, 15 });
    Drag(w, { 90, 35 });
    EXPECT_EQ(w->pos(), QPoint(130, 120));
    Release(w, { 90, 35 });

    // Magnetic edges: dragged to 3 pixels from the work area's left edge, it sits on it.
    Form(w).SetMagnetic(true);
    Press(w, { 60, 15 });
    Drag(w, { 60 - 127, 15 });
    EXPECT_EQ(w->x(), fake_.Work.left());
    Release(w, { 60 - 127, 15 });

    // A border drag resizes it, never below the minimum size.
    const QRect before = w->geometry();
    Press(w, { 312, 331 });
    Drag(w, { 312 - 200, 331 + 20 });
    Release(w, { 312 - 200, 331 + 20 });
    EXPECT_EQ(w->geometry(), QRect(before.topLeft(), QSize(200, 353)));
}

TEST_F(SkinForm, EachWindowKindShowsItsCaptionButtons)
{
    struct Row {
        Kind kind;
        std::vector<std::string> visible;
        bool menuOnRightClick;
    };
    const Row rows[] = {
        { Kind::Main, {}, true },
        { Kind::Options, {}, true },
        { Kind::Chart, { "closebutton" }, false },
        { Kind::About, { "closebutton" }, false },
    };
    for (const Row& row : rows) {
        Window* w = Make(row.kind);
        const int kind = static_cast<int>(row.kind);
        EXPECT_EQ(VisibleButtons(w), row.visible) << kind;
        int menus = 0;
        Form(w).OnSkinMenuOpen = [&] { ++menus; };
        Press(w, { 60, 15 }, Qt::RightButton);
        Release(w, { 60, 15 }, Qt::RightButton);
        EXPECT_EQ(menus, row.menuOnRightClick ? 1 : 0) << kind;
        TbsSkinMenu* engine = Form(w).MenuEngine();
        ASSERT_EQ(engine->Visible(), row.menuOnRightClick) << kind;
        if (engine->Visible()) {
            // The skinned pop-up menu shows the default system menu's items.
            std::vector<std::string> shown;
            for (int i = 0; i < engine->Window(0)->ItemCount(); ++i)
                shown.push_back(engine->Window(0)->Item(i).MenuItem->Name());
            std::vector<std::string> expected;
            for (const auto& item : Form(w).SystemMenuItems())
                expected.push_back(item.Name);
            EXPECT_EQ(shown, expected) << kind;
            // Another window becoming active closes it.
            QEvent deactivate(QEvent::WindowDeactivate);
            QApplication::sendEvent(w, &deactivate);
            EXPECT_FALSE(engine->Visible()) << kind;
        }
    }

    // The close button sits at the caption's right end and closes the window.
    Window* chart = Make(Kind::Chart);
    const TRect close = Form(chart).FindObject("closebutton")->ObjectRect;
    EXPECT_EQ(close, TRect(282, 5, 308, 25));
    TbsActiveSkinObject* caption = Form(chart).FindObject("caption");
    EXPECT_EQ(caption->ObjectRect.Right, close.Left) << "the caption ends where the buttons begin";
    Press(chart, Centre(close));
    EXPECT_TRUE(Form(chart).FindObject<TbsSkinButtonObject>("closebutton")->Down);
    Release(chart, Centre(close));
    EXPECT_FALSE(chart->isVisible());

    // Released away from the button, nothing happens.
    Window* about = Make(Kind::About);
    Press(about, Centre(close));
    Drag(about, { 60, 15 });
    Release(about, { 60, 15 });
    EXPECT_TRUE(about->isVisible());
}

TEST_F(SkinForm, CaptionDoubleClickMaximizesOrRollsUp)
{
    // The sizeable main window covers the work area and comes back.
    Window* main = Make(Kind::Main);
    const QRect normal = main->geometry();
    DoubleClick(main, { 60, 15 });
    EXPECT_EQ(Form(main).WindowState(), wsMaximized);
    EXPECT_EQ(main->geometry(), fake_.Work);
    EXPECT_EQ(Form(main).HitTest({ 1, 160 }), htFrameObject) << "a maximized window has no sizing border";
    DoubleClick(main, { 60, 15 });
    EXPECT_EQ(Form(main).WindowState(), wsNormal);
    EXPECT_EQ(main->geometry(), normal);

    // A work area as large as the primary monitor leaves a pixel free on each side.
    fake_.Work = fake_.Primary;
    DoubleClick(main, { 60, 15 });
    EXPECT_EQ(main->geometry(), fake_.Primary.adjusted(1, 1, -1, -1));
    DoubleClick(main, { 60, 15 });

    // The single-border option dialog rolls up to its frame height and back.
    Window* options = Make(Kind::Options);
    DoubleClick(options, { 60, 15 });
    EXPECT_TRUE(Form(options).RolledUp());
    EXPECT_EQ(options->size(), QSize(314, 33));
    EXPECT_EQ(Form(options).HitTest({ 157, 30 }), htFrameObject) << "no client area while rolled up";
    DoubleClick(options, { 60, 15 });
    EXPECT_FALSE(Form(options).RolledUp());
    EXPECT_EQ(options->size(), QSize(314, 333));

    // The chart window has no roll-up command: nothing changes.
    Window* chart = Make(Kind::Chart);
    DoubleClick(chart, { 60, 15 });
    EXPECT_EQ(chart->size(), QSize(314, 333));
    EXPECT_EQ(Form(chart).WindowState(), wsNormal);
}

std::vector<std::string> Names(const std::vector<TbsSystemMenuItem>& items)
{
    std::vector<std::string> names;
    for (const auto& item : items)
        names.push_back(item.Command == TbsSysMenuCommand::Separator ? "-" : item.Name);
    return names;
}

TEST_F(SkinForm, TheSystemMenuOffersWhatTheStateAllows)
{
    Window* main = Make(Kind::Main);
    TbsSkinForm& form = Form(main);
    const auto items = form.SystemMenuItems();
    EXPECT_EQ(Names(items),
        (std::vector<std::string> { "BSF_MINITEM", "BSF_MAXITEM", "BSF_ROLLUP", "-", "BSF_CLOSE" }));
    EXPECT_EQ(items[0].Caption, "Mi&nimize");
    EXPECT_EQ(items[1].Caption, "Ma&ximize");
    EXPECT_EQ(items[2].Caption, "Ro&llUp");
    EXPECT_EQ(items[4].Caption, "&Close");
    EXPECT_EQ(items[4].ShortCut, "Alt+F4");

    form.RunSystemMenuCommand(TbsSysMenuCommand::Maximize);
    EXPECT_EQ(Names(form.SystemMenuItems()),
        (std::vector<std::string> { "BSF_MINITEM", "BSF_RESTORE", "BSF_ROLLUP", "-", "BSF_CLOSE" }));
    form.RunSystemMenuCommand(TbsSysMenuCommand::Restore);
    form.RunSystemMenuCommand(TbsSysMenuCommand::RollUp);
    EXPECT_TRUE(form.RolledUp());
    EXPECT_EQ(Names(form.SystemMenuItems()),
        (std::vector<std::string> { "BSF_MINITEM", "BSF_MAXITEM", "BSF_RESTORE", "-", "BSF_CLOSE" }));
    form.RunSystemMenuCommand(TbsSysMenuCommand::Restore);
    EXPECT_FALSE(form.RolledUp());
    EXPECT_EQ(main->height(), 333);

    Window* options = Make(Kind::Options);
    Form(options).SetWindowState(wsMinimized);
    EXPECT_EQ(Names(Form(options).SystemMenuItems()),
        (std::vector<std::string> { "BSF_MAXITEM", "BSF_RESTORE", "BSF_MINTOTRAY", "-", "BSF_CLOSE" }));
    EXPECT_EQ(Names(Form(Make(Kind::Chart)).SystemMenuItems()), (std::vector<std::string> { "BSF_CLOSE" }));

    // The captions are the skin's words: a replaced table is read, a missing line gives no text.
    TbsResourceStrData words;
    words.ResStrings = { "MI_CLOSECAPTION=Schl&ießen" };
    TbsResourceStrData* own = Skin()->ResourceStrData();
    Skin()->SetResourceStrData(&words);
    const auto replaced = form.SystemMenuItems();
    const std::string closeHint = form.FindObject("closebutton")->Hint;
    Skin()->SetResourceStrData(own);
    EXPECT_EQ(replaced.back().Caption, "Schl&ießen");
    EXPECT_EQ(replaced.front().Caption, "");
    EXPECT_EQ(closeHint, "") << "button hints follow the words too";
    EXPECT_EQ(form.FindObject("closebutton")->Hint, "Close");
}

TEST_F(SkinForm, ACaptionButtonMorphsInFiveStepsAndNoTimerRunsWhenTheMouseIsAway)
{
    Window* w = Make(Kind::Chart);
    Activate(w);
    TbsSkinForm& form = Form(w);
    TbsActiveSkinObject* close = form.FindObject("closebutton");
    const QPoint on = Centre(close->ObjectRect);
    std::vector<double> steps;
    QObject::connect(&form.MorphTimer(), &QTimer::timeout, [&] { steps.push_back(close->MorphKf); });

    fake_.Cursor = w->mapToGlobal(on);
    Hover(w, on);
    EXPECT_TRUE(close->Active);
    EXPECT_EQ(form.MorphTimer().interval(), 25);
    EXPECT_TRUE(form.MouseTimer().isActive()) << "tracking runs while the mouse is on an object";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.MorphTimer().isActive(); }, 2000));
    ASSERT_EQ(steps.size(), 5u);
    for (size_t i = 0; i < steps.size(); ++i)
        EXPECT_NEAR(steps[i], 0.2 * static_cast<double>(i + 1), 1e-9) << i;
    EXPECT_EQ(close->MorphKf, 1.0);

    // The cursor leaves into the client area (a child, say): the tracking timer sees it and fades back.
    steps.clear();
    fake_.Cursor = w->mapToGlobal(QPoint(150, 150));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !close->Active; }, 2000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.MorphTimer().isActive(); }, 2000));
    EXPECT_EQ(steps.size(), 5u);
    EXPECT_EQ(close->MorphKf, 0.0);
    EXPECT_FALSE(form.MouseTimer().isActive());
    EXPECT_FALSE(form.FadeTimer().isActive());
}

TEST_F(SkinForm, AnObjectWithoutItsLibraryPictureNeverMorphs)
{
    TbsSkinData skin;
    skin.LoadCompressedStoredSkin(module_->bsCompressedStoredSkin1);
    for (auto& object : skin.ObjectList)
        if (object->IDName == "closebutton")
            object->PictureIndex = 99;
    Window* w = Make(Kind::Chart, &skin);
    Activate(w);
    TbsActiveSkinObject* close = Form(w).FindObject("closebutton");
    const QImage before = Form(w).FrameImage();
    fake_.Cursor = w->mapToGlobal(Centre(close->ObjectRect));
    Hover(w, Centre(close->ObjectRect));
    EXPECT_FALSE(Form(w).MorphTimer().isActive());
    EXPECT_EQ(Form(w).FrameImage(), before) << "only the normal look";
}

TEST_F(SkinForm, AShownFrameRebuildsWhenItsPictureLibraryChanges)
{
    TbsSkinData skin;
    skin.LoadCompressedStoredSkin(module_->bsCompressedStoredSkin1);
    Window* w = Make(Kind::Chart, &skin);
    Activate(w);
    TbsSkinForm& form = Form(w);
    int rebuilds = 0;
    form.OnChangeSkinData = [&] { ++rebuilds; };
    testsupport::TempDir dir;
    const std::string extra = dir.File("extra.bmp");
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::magenta);
    SaveBitmapFile(picture, extra);

    // Enough new pictures that the library's storage moves, then the close
    // button's active look is drawn from where its picture is now.
    for (int i = 0; i < 40; ++i)
        skin.AddBitMap(extra);
    EXPECT_EQ(rebuilds, 40);
    auto* close = form.FindObject<TbsSkinButtonObject>("closebutton");
    ASSERT_NE(close, nullptr);
    const QPoint on = Centre(close->ObjectRect);
    fake_.Cursor = w->mapToGlobal(on);
    Hover(w, on);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.MorphTimer().isActive(); }, 2000));
    const QImage& library = *skin.GetActivePicture(close->ActivePictureIndex);
    const QPoint inLook = on - QPoint(close->ObjectRect.Left, close->ObjectRect.Top)
        + QPoint(close->ActiveSkinRect.Left, close->ActiveSkinRect.Top);
    EXPECT_EQ(form.FrameImage().pixel(on), library.pixel(inLook)) << "the active look";

    // Its own picture goes: the frame is rebuilt on what the index names now.
    skin.DeleteBitMap(close->ActivePictureIndex);
    EXPECT_EQ(rebuilds, 41);
    close = form.FindObject<TbsSkinButtonObject>("closebutton");
    Hover(w, { 60, 15 });
    Hover(w, Centre(close->ObjectRect));
    w->resize(w->width() + 40, w->height() + 30);
    w->repaint();
    EXPECT_EQ(form.FrameImage().size(), w->size());
}

TEST_F(SkinForm, AnAnimatedObjectPlaysOnlyWhileItIsShownAndMoving)
{
    // A strip of three 20-pixel frames on the caption, first in the list so
    // the mouse finds it before the caption.
    struct Row {
        bool cycle;
        bool playsAtOnce;
    };
    for (Row row : { Row { true, true }, Row { false, false } }) {
        TbsSkinData skin;
        skin.LoadCompressedStoredSkin(module_->bsCompressedStoredSkin1);
        auto strip = std::make_unique<TbsDataSkinAnimate>("logo");
        strip->SkinRect = { 30, 5, 90, 25 };
        strip->CountFrames = 3;
        strip->Cycle = row.cycle;
        strip->TimerInterval = 50;
        skin.ObjectList.insert(skin.ObjectList.begin(), std::move(strip));
        Window* w = Make(Kind::Main, &skin);
        Activate(w);
        TbsSkinForm& form = Form(w);
        auto* logo = form.FindObject<TbsSkinAnimateObject>("logo");
        ASSERT_NE(logo, nullptr);
        EXPECT_EQ(logo->SkinRect.Width(), 20) << "one frame wide";
        EXPECT_EQ(form.AnimationTimer().interval(), 25);
        EXPECT_EQ(form.AnimationTimer().isActive(), row.playsAtOnce) << row.cycle;
        if (row.cycle) {
            // Round and round while shown.
            std::vector<int> frames;
            QObject::connect(&form.AnimationTimer(), &QTimer::timeout, [&] {
                if (frames.empty() || frames.back() != logo->Frame)
                    frames.push_back(logo->Frame);
            });
            ASSERT_TRUE(QTest::qWaitFor([&] { return frames.size() >= 4; }, 3000));
            EXPECT_EQ(
                std::vector<int>(frames.begin(), frames.begin() + 4), (std::vector<int> { 0, 1, 2, 0 }));
        } else {
            // Forward under the mouse to its last frame, back after it; then still.
            const QPoint on = Centre(logo->ObjectRect);
            fake_.Cursor = w->mapToGlobal(on);
            Hover(w, on);
            EXPECT_TRUE(form.AnimationTimer().isActive());
            ASSERT_TRUE(QTest::qWaitFor([&] { return !form.AnimationTimer().isActive(); }, 3000));
            EXPECT_EQ(logo->Frame, 2);
            fake_.Cursor = w->mapToGlobal(QPoint(150, 150));
            Hover(w, { 150, 150 });
            ASSERT_TRUE(QTest::qWaitFor([&] { return !form.AnimationTimer().isActive(); }, 3000));
            EXPECT_EQ(logo->Frame, 0);
        }
        w->hide();
        EXPECT_FALSE(form.AnimationTimer().isActive()) << "hidden, nothing plays";
        w->show();
        EXPECT_EQ(form.AnimationTimer().isActive(), row.playsAtOnce);
    }
    // The program's own skin has nothing to animate: no timer runs.
    EXPECT_FALSE(Form(Make(Kind::Main)).AnimationTimer().isActive());
}

TEST_F(SkinForm, MinimizedWindowsParkAlongTheWorkAreasBottom)
{
    Window* first = Make(Kind::Options);
    Window* second = Make(Kind::Options);
    Form(first).SetWindowState(wsMinimized);
    Form(second).SetWindowState(wsMinimized);
    const int bottom = fake_.Work.bottom() + 1;
    EXPECT_EQ(first->geometry(), QRect(0, bottom - 33, 200, 33));
    EXPECT_EQ(second->geometry(), QRect(200, bottom - 33, 200, 33));
    Form(first).SetWindowState(wsNormal);
    EXPECT_EQ(first->geometry(), QRect(100, 100, 314, 333));

    // The program's main window takes the whole program down instead.
    Window* main = Make(Kind::Main);
    Form(main).MainWindow = true;
    fake_.Calls.clear();
    Form(main).SetWindowState(wsMinimized);
    EXPECT_EQ(fake_.CallsOf("minimizeapp").size(), 1u);
    EXPECT_EQ(main->size(), QSize(314, 333));
}

TEST_F(SkinForm, MinimizingToTheTrayNeedsATrayIcon)
{
    Window* options = Make(Kind::Options);
    TbsSkinForm& form = Form(options);
    int events = 0;
    form.OnMinimizeToTray = [&] { ++events; };
    fake_.Calls.clear();
    form.RunSystemMenuCommand(TbsSysMenuCommand::MinimizeToTray);
    EXPECT_TRUE(fake_.Calls.empty()) << "no tray icon, no tray";
    EXPECT_EQ(events, 0);

    TbsTrayIcon tray;
    form.TrayIcon = &tray;
    form.AlwaysMinimizeToTray = true;
    form.RunSystemMenuCommand(TbsSysMenuCommand::Minimize);
    EXPECT_EQ(fake_.CallsOf("minimizeapp").size(), 1u);
    EXPECT_TRUE(tray.MinimizedToTray());
    EXPECT_TRUE(tray.IconShown());
    EXPECT_EQ(events, 1);
    EXPECT_EQ(form.WindowState(), wsNormal) << "the program is in the tray, the window keeps its state";

    form.RestoreFromTray();
    EXPECT_EQ(fake_.CallsOf("restoreapp").size(), 1u);
    EXPECT_FALSE(tray.MinimizedToTray());
    EXPECT_FALSE(tray.IconShown());
    form.AlwaysShowInTray = true;
    form.MinimizeToTray();
    form.RestoreFromTray();
    EXPECT_TRUE(tray.IconShown()) << "kept with AlwaysShowInTray";
}

TEST_F(SkinForm, ASkinChangeRebuildsTheFrameOfTheSameWindow)
{
    TbsSkinData skin;
    skin.LoadCompressedStoredSkin(module_->bsCompressedStoredSkin1);
    Window* w = Make(Kind::Chart, &skin);
    const WId id = w->winId();
    skin.ClearSkin();
    EXPECT_FALSE(Form(w).Skinned());
    EXPECT_EQ(w->contentsMargins(), QMargins(3, 22, 3, 3)) << "the built-in frame";
    EXPECT_TRUE(w->mask().isEmpty());
    EXPECT_EQ(VisibleButtons(w), std::vector<std::string> { "closebutton" });
    EXPECT_EQ(Form(w).HitTest({ 1, 1 }), htFrameObject) << "a single border does not size";

    skin.LoadCompressedStoredSkin(module_->bsCompressedStoredSkin1);
    EXPECT_TRUE(Form(w).Skinned());
    EXPECT_EQ(w->winId(), id);
    EXPECT_EQ(w->size(), QSize(314, 333)) << "the client size is applied again";
    EXPECT_FALSE(w->mask().isEmpty());

    // A skin data component that goes away leaves the built-in frame behind.
    {
        auto gone = std::make_unique<TbsSkinData>();
        gone->LoadCompressedStoredSkin(module_->bsCompressedStoredSkin1);
        Window* orphan = Make(Kind::Chart, gone.get());
        gone.reset();
        EXPECT_FALSE(Form(orphan).Skinned());
        EXPECT_EQ(orphan->contentsMargins(), QMargins(3, 22, 3, 3));
        orphan->repaint();
    }

    // With the skin's frame drawing switched off the window system draws the frame.
    skin.SetSkinnableForm(false);
    EXPECT_FALSE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(w->contentsMargins(), QMargins());
    skin.SetSkinnableForm(true);
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(w->contentsMargins(), QMargins(4, 29, 4, 4));
}

TEST_F(SkinForm, AnimatedTranslucencyFadesInToItsValue)
{
    windows_.push_back(std::make_unique<Window>());
    Window* w = windows_.back().get();
    auto* form = new TbsSkinForm(w);
    form->SetSkinData(Skin());
    form->SetAlphaBlend(true);
    form->SetAlphaBlendValue(200);
    EXPECT_DOUBLE_EQ(w->windowOpacity(), 200 / 255.0);
    form->AlphaBlendAnimation = true;
    w->show();
    EXPECT_TRUE(form->FadeTimer().isActive());
    EXPECT_LT(w->windowOpacity(), 0.05);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->FadeTimer().isActive(); }, 2000));
    EXPECT_DOUBLE_EQ(w->windowOpacity(), 200 / 255.0);
}

} // namespace
