// Panels, buttons and labels: the look each state picks from the skin, the
// built-in look without an entry, skin changes while shown, clicks, focus
// and links.
#include "ControlSkin.h"

#include "BsSkinButtons.h"
#include "BsSkinDataGeometry.h"
#include "BsSkinLabels.h"
#include "BsSkinPanel.h"
#include "ChineseFonts.h"
#include "GbkText.h"

#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

using namespace controltest;

class SkinButtons : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.Load();
        ASSERT_FALSE(skin.Data()->Empty());
        window.resize(300, 200);
        sink = new QWidget(&window);
        sink->setFocusPolicy(Qt::StrongFocus);
        sink->setGeometry(250, 150, 10, 10);
    }

    // Shows the window, active, with the keyboard focus on a widget of its own.
    void ShowActive()
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        sink->setFocus();
        QCursor::setPos(window.mapToGlobal(QPoint(295, 195)));
    }

    ControlSkin skin;
    QWidget window;
    QWidget* sink = nullptr;
};

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

struct LookCase {
    const char* name;
    std::function<void(TbsSkinButton&)> setup;
    QPoint lookTopLeft; // the state's rect in the picture
    QRgb fontColor; // 0x00BBGGRR written as the skin writes it
};

TEST_F(SkinButtons, EachStateTakesItsLookAndTextColourFromItsOwnRect)
{
    const LookCase cases[] = {
        { "normal", [](TbsSkinButton&) {}, { 0, 0 }, 1 },
        { "mouse over", [](TbsSkinButton& b) { Enter(&b); }, { 0, 20 }, 2 },
        { "pressed over it",
            [](TbsSkinButton& b) {
                Enter(&b);
                QTest::mousePress(&b, Qt::LeftButton, {}, { 5, 5 });
            },
            { 0, 40 }, 3 },
        { "pressed, then dragged off",
            [](TbsSkinButton& b) {
                Enter(&b);
                QTest::mousePress(&b, Qt::LeftButton, {}, { 5, 5 });
                QMouseEvent move(QEvent::MouseMove, QPointF(200, 5), b.mapToGlobal(QPointF(200, 5)),
                    Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
                QCoreApplication::sendEvent(&b, &move);
            },
            { 0, 60 }, 2 }, // not down any more; the press gave it the focus
        { "held down", [](TbsSkinButton& b) { b.SetDown(true); }, { 0, 40 }, 3 },
        { "focused", [](TbsSkinButton& b) { b.setFocus(); }, { 0, 60 }, 2 },
        { "disabled, even under the mouse",
            [](TbsSkinButton& b) {
                Enter(&b);
                b.setEnabled(false);
            },
            { 0, 80 }, 4 },
    };
    for (const LookCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto* button = new TbsSkinButton(&window);
        button->SetSkinData(skin.Data());
        button->setGeometry(100, 100, 40, 20);
        button->show();
        ShowActive();
        Leave(button);
        c.setup(*button);
        const QImage image = button->RenderImage();
        // Corners are copied unchanged from the state's look.
        EXPECT_EQ(SourceOf(image.pixel(1, 1)), c.lookTopLeft + QPoint(1, 1));
        EXPECT_EQ(SourceOf(image.pixel(38, 18)), c.lookTopLeft + QPoint(38, 18));
        EXPECT_EQ(button->CurrentFontColor(), ToQColor(c.fontColor));
        delete button;
    }
}

TEST_F(SkinButtons, NineePieceButtonKeepsItsSizeAndStretchesTheLook)
{
    TbsSkinButton button(&window);
    button.resize(75, 25);
    button.SetSkinData(skin.Data());
    EXPECT_EQ(button.size(), QSize(75, 25));
    const QImage image = button.RenderImage();
    // The right-bottom corner comes from the look's right-bottom corner.
    EXPECT_EQ(SourceOf(image.pixel(74, 24)), QPoint(39, 19));
    EXPECT_EQ(SourceOf(image.pixel(0, 0)), QPoint(0, 0));
}

TEST_F(SkinButtons, FixedSizeLookTakesItsSizeUnlessToldNotTo)
{
    TbsSkinButton button(&window);
    button.SetSkinDataName("fixedbutton");
    button.SetSkinData(skin.Data());
    window.show();
    button.resize(75, 25);
    EXPECT_EQ(button.size(), QSize(40, 20));
    button.SetUseSkinSize(false);
    button.resize(75, 25);
    EXPECT_EQ(button.size(), QSize(75, 25));
    const QImage image = button.RenderImage();
    EXPECT_EQ(SourceOf(image.pixel(74, 24)), QPoint(39, 19)) << "the look stretched to the button";
}

TEST_F(SkinButtons, WithoutEntryOrSkinTheBuiltInLookIsDrawn)
{
    TbsSkinButton missing(&window);
    missing.SetSkinDataName("nosuchbutton");
    missing.SetSkinData(skin.Data());
    TbsSkinButton unbound(&window);
    for (TbsSkinButton* button : { &missing, &unbound }) {
        button->resize(60, 24);
        const QImage image = button->RenderImage();
        EXPECT_EQ(QColor(image.pixel(0, 0)), ToQColor(clBtnShadow));
        EXPECT_EQ(QColor(image.pixel(30, 4)), ToQColor(clBtnFace));
        EXPECT_EQ(button->size(), QSize(60, 24)) << "no skin size imposed";
    }
    // An entry of another kind (a label skin) gives a blank picture, not a crash.
    TbsSkinButton wrongKind(&window);
    wrongKind.SetSkinDataName("stdlabel");
    wrongKind.SetSkinData(skin.Data());
    wrongKind.resize(30, 20);
    EXPECT_EQ(wrongKind.RenderImage().pixel(5, 5), qRgb(0, 0, 0));
}

TEST_F(SkinButtons, ASkinChangeOrClearWhileShownRebuildsThePicture)
{
    TbsSkinButton button(&window);
    button.setGeometry(100, 100, 40, 20);
    button.SetSkinData(skin.Data());
    ShowActive();
    Leave(&button);
    EXPECT_EQ(TagOf(Grab(&button).pixel(1, 1)), FirstTag);

    skin.Data()->ClearSkin();
    EXPECT_EQ(QColor(Grab(&button).pixel(0, 0)), ToQColor(clBtnShadow));

    skin.Load(SecondTag);
    EXPECT_EQ(TagOf(Grab(&button).pixel(1, 1)), SecondTag) << "the new skin, not the old one";
    EXPECT_EQ(SourceOf(Grab(&button).pixel(1, 1)), QPoint(1, 1));
}

TEST_F(SkinButtons, BetweenBeforeChangeAndChangeTheControlHoldsNoSkin)
{
    TbsSkinButton button(&window);
    button.SetSkinData(skin.Data());
    bool sawSkin = true;
    QObject::connect(skin.Data(), &TbsSkinData::SkinDataMessage, &window, [&](int message) {
        if (message == SKIN_MSG_BEFORE_CHANGE)
            sawSkin = button.LoadedSkin() != nullptr;
    });
    skin.Load(SecondTag);
    EXPECT_FALSE(sawSkin);
    EXPECT_NE(button.LoadedSkin(), nullptr);
}

TEST_F(SkinButtons, AClickCountsOnlyWhenReleasedOverTheButton)
{
    TbsSkinButton button(&window);
    button.resize(40, 20);
    int clicks = 0;
    button.OnClick = [&](QObject* sender) {
        EXPECT_EQ(sender, &button);
        ++clicks;
    };
    window.show();
    QTest::mouseClick(&button, Qt::LeftButton, {}, { 10, 10 });
    EXPECT_EQ(clicks, 1);

    QTest::mousePress(&button, Qt::LeftButton, {}, { 10, 10 });
    QTest::mouseRelease(&button, Qt::LeftButton, {}, { 120, 10 });
    EXPECT_EQ(clicks, 1) << "released elsewhere";

    QTest::mouseRelease(&button, Qt::LeftButton, {}, { 10, 10 });
    EXPECT_EQ(clicks, 1) << "a release without a press";

    button.setEnabled(false);
    QTest::mouseClick(&button, Qt::LeftButton, {}, { 10, 10 });
    EXPECT_EQ(clicks, 1) << "disabled";
}

TEST_F(SkinButtons, RepeatModeClicksWhileHeld)
{
    TbsSkinButton button(&window);
    button.resize(40, 20);
    button.SetRepeatMode(true);
    button.SetRepeatInterval(20);
    int clicks = 0;
    button.OnClick = [&](QObject*) { ++clicks; };
    window.show();
    QTest::mousePress(&button, Qt::LeftButton, {}, { 10, 10 });
    EXPECT_EQ(clicks, 1) << "at once";
    QTest::qWait(150);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, { 10, 10 });
    EXPECT_GE(clicks, 3);
    const int held = clicks;
    QTest::qWait(60);
    EXPECT_EQ(clicks, held) << "the release stops the repeat";
}

TEST_F(SkinButtons, FormButtonsTakeNoFocusWhileOthersDo)
{
    TbsSkinXFormButton form(&window);
    TbsSkinButton plain(&window);
    plain.move(0, 40);
    form.SetCanFocused(true);
    ShowActive();
    QTest::mouseClick(&form, Qt::LeftButton, {}, { 5, 5 });
    EXPECT_FALSE(form.hasFocus());
    EXPECT_EQ(form.focusPolicy(), Qt::NoFocus);
    QTest::mouseClick(&plain, Qt::LeftButton, {}, { 5, 5 });
    EXPECT_TRUE(plain.hasFocus());

    int clicks = 0;
    plain.OnClick = [&](QObject*) { ++clicks; };
    QTest::keyClick(&plain, Qt::Key_Space);
    EXPECT_EQ(clicks, 1);
}

TEST_F(SkinButtons, GlyphSitsPerLayoutAndMarginAndShowsItsStateImage)
{
    // Two 10 x 10 glyphs side by side, red (normal) and blue (disabled),
    // each with a white bottom row: the bottom-left colour is transparent.
    QImage glyph(20, 10, QImage::Format_RGB32);
    glyph.fill(Qt::white);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 20; ++x)
            glyph.setPixel(x, y, x < 10 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    TbsSkinButton button(&window);
    button.resize(100, 30);
    button.SetGlyph(glyph);
    button.SetNumGlyphs(2);
    button.SetMargin(5);
    // Built-in look: the content area is the button inset by 2.
    auto colourAt = [&](int x, int y) { return QColor(button.RenderImage().pixel(x, y)); };
    const int glyphTop = 2 + (26 - 10) / 2;
    EXPECT_EQ(colourAt(2 + 5, 15), QColor(255, 0, 0)) << "left, margin from the left edge";
    EXPECT_NE(colourAt(2 + 4, 15), QColor(255, 0, 0));
    EXPECT_EQ(colourAt(2 + 5, glyphTop + 9), ToQColor(clBtnFace)) << "the transparent row";
    button.SetLayout(blGlyphRight);
    EXPECT_EQ(colourAt(100 - 2 - 5 - 1, 15), QColor(255, 0, 0)) << "right, margin from the right edge";
    EXPECT_NE(colourAt(100 - 2 - 5, 15), QColor(255, 0, 0));
    button.SetLayout(blGlyphTop);
    EXPECT_EQ(colourAt(50, 2 + 5), QColor(255, 0, 0)) << "top, margin from the top edge";
    button.setEnabled(false);
    EXPECT_EQ(colourAt(50, 2 + 5), QColor(0, 0, 255)) << "the disabled glyph";
    // Without a margin, a glyph alone is centred.
    button.setEnabled(true);
    button.SetLayout(blGlyphLeft);
    button.SetMargin(-1);
    EXPECT_EQ(colourAt(2 + (96 - 10) / 2, 15), QColor(255, 0, 0));
    EXPECT_NE(colourAt(2 + (96 - 10) / 2 - 1, 15), QColor(255, 0, 0));
}

TEST_F(SkinButtons, GroupButtonsReleaseEachOther)
{
    TbsSkinButton a(&window), b(&window);
    a.SetGroupIndex(1);
    b.SetGroupIndex(1);
    a.ButtonClick();
    EXPECT_TRUE(a.Down());
    b.ButtonClick();
    EXPECT_TRUE(b.Down());
    EXPECT_FALSE(a.Down());
}

TEST_F(SkinButtons, FormButtonWithoutSkinTakesItsDefaultImage)
{
    TbsSkinXFormButton button(&window);
    QImage normal(30, 16, QImage::Format_RGB32), active(30, 16, QImage::Format_RGB32);
    normal.fill(Qt::red);
    active.fill(Qt::green);
    button.SetDefImage(normal);
    button.SetDefActiveImage(active);
    button.SetDefActiveFontColor(RGBColor(0, 0, 255));
    EXPECT_EQ(button.size(), QSize(30, 16));
    EXPECT_EQ(QColor(button.RenderImage().pixel(1, 1)), QColor(Qt::red));
    Enter(&button);
    EXPECT_EQ(QColor(button.RenderImage().pixel(1, 1)), QColor(Qt::green));
    EXPECT_EQ(button.CurrentFontColor(), QColor(0, 0, 255));
}

TEST_F(SkinButtons, MorphingFadesBetweenNormalAndActiveLooks)
{
    TbsSkinButton button(&window);
    button.setGeometry(100, 100, 40, 20);
    button.SetSkinDataName("morphbutton");
    button.SetSkinData(skin.Data());
    ShowActive();
    Leave(&button);
    auto green = [&] { return SourceOf(button.RenderImage().pixel(1, 1)).y(); };
    ASSERT_EQ(green(), 1);
    Enter(&button);
    // The first step shows a blend of both looks, the last the active look.
    ASSERT_TRUE(QTest::qWaitFor([&] { return green() != 1; }, 1000));
    EXPECT_GT(green(), 1);
    EXPECT_LT(green(), 21);
    EXPECT_TRUE(QTest::qWaitFor([&] { return green() == 21; }, 1000));
    Leave(&button);
    EXPECT_TRUE(QTest::qWaitFor([&] { return green() == 1; }, 1000));

    // Without skin effects the look switches at once.
    skin.Data()->SetEnableSkinEffects(false);
    Enter(&button);
    EXPECT_EQ(green(), 21);
}

TEST_F(SkinButtons, ADestroyedSkinDataLeavesTheBuiltInLook)
{
    auto* data = new TbsSkinData;
    TbsSkinButton button(&window);
    button.SetSkinData(data);
    button.resize(40, 20);
    {
        ControlSkin other;
        other.Load();
        button.SetSkinData(other.Data());
        EXPECT_EQ(TagOf(button.RenderImage().pixel(1, 1)), FirstTag);
    }
    EXPECT_EQ(button.SkinData(), nullptr);
    EXPECT_EQ(QColor(button.RenderImage().pixel(0, 0)), ToQColor(clBtnShadow));
    delete data;
    // A control that is gone is no longer told of changes.
    auto* gone = new TbsSkinButton(&window);
    gone->SetSkinData(skin.Data());
    delete gone;
    skin.Data()->ClearSkin();
    skin.Load(SecondTag);
    EXPECT_EQ(button.SkinData(), nullptr);
}

TEST_F(SkinButtons, DisabledLabelTextIsEmbossed)
{
    TbsSkinStdLabel label(&window);
    label.SetSkinData(skin.Data());
    QFont font = label.DefaultFont();
    label.SetCaption("MMMM");
    window.show();
    auto colours = [&] {
        std::set<QRgb> seen;
        const QImage image = Grab(&label);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                seen.insert(image.pixel(x, y) & 0xFFFFFF);
        return seen;
    };
    EXPECT_TRUE(colours().count(0xFF0000)) << "the entry's font colour (255 = red)";
    label.setEnabled(false);
    const std::set<QRgb> disabled = colours();
    EXPECT_FALSE(disabled.count(0xFF0000));
    EXPECT_TRUE(disabled.count(0xFFFFFF)) << "button highlight";
    const QColor shadow = ToQColor(skin.Data()->SkinColors.cBtnShadow);
    EXPECT_TRUE(disabled.count(shadow.rgb() & 0xFFFFFF)) << "button shadow";
}

// --- panels

TEST_F(SkinButtons, PanelLooks)
{
    // A borderless nine-piece panel without stretching is its client piece repeated.
    TbsSkinPanel plain(&window);
    plain.SetBorderStyle(bvNone);
    plain.SetSkinData(skin.Data());
    plain.resize(90, 50);
    QImage image = plain.RenderImage();
    EXPECT_EQ(SourceOf(image.pixel(0, 0)), QPoint(102, 2));
    EXPECT_EQ(SourceOf(image.pixel(36, 36)), QPoint(102, 2));
    EXPECT_EQ(plain.RealClientRect(), QRect(0, 0, 90, 50));

    // With a border it is the nine-piece image, children inside its client rect.
    plain.SetBorderStyle(bvFrame);
    image = plain.RenderImage();
    EXPECT_EQ(SourceOf(image.pixel(0, 0)), QPoint(100, 0));
    EXPECT_EQ(SourceOf(image.pixel(89, 49)), QPoint(139, 39));
    EXPECT_EQ(plain.RealClientRect(), QRect(2, 2, 86, 46));

    // A width-only skin keeps the skin's height whatever height it is given.
    TbsSkinPanel strip(&window);
    strip.SetSkinDataName("strip");
    strip.SetSkinData(skin.Data());
    window.show();
    strip.resize(120, 45);
    EXPECT_EQ(strip.size(), QSize(120, 20));

    // Without a skin: button face, 1-pixel inset unless borderless.
    TbsSkinPanel none(&window);
    none.resize(50, 30);
    EXPECT_EQ(none.RealClientRect(), QRect(1, 1, 48, 28));
    none.SetBorderStyle(bvNone);
    EXPECT_EQ(none.RealClientRect(), QRect(0, 0, 50, 30));
    EXPECT_EQ(QColor(none.RenderImage().pixel(0, 0)), ToQColor(clBtnFace));
}

// --- labels

TEST_F(SkinButtons, LinkLabelOpensItsAddressAfterItsClick)
{
    TbsSkinLinkLabel link(&window);
    link.SetCaption(QStringToGbk(QStringLiteral("访问官方网站")));
    link.SetURL("mailto:someone@example.com");
    std::vector<std::string> events;
    link.OnClick = [&](QObject*) { events.push_back("click"); };
    link.SetOpener([&](const std::string& url) { events.push_back("open " + url); });
    window.show();
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);

    QTest::mousePress(&link, Qt::LeftButton, {}, { 3, 3 });
    QTest::mouseRelease(&link, Qt::LeftButton, {}, { 3, 300 });
    EXPECT_TRUE(events.empty()) << "released outside";

    QTest::mouseClick(&link, Qt::LeftButton, {}, { 3, 3 });
    EXPECT_EQ(events, (std::vector<std::string> { "click", "open mailto:someone@example.com" }));

    // A label without its own opener uses the program-wide one.
    const TbsSkinLinkLabel::TOpener saved = TbsSkinLinkLabel::DefaultOpener();
    std::string opened;
    TbsSkinLinkLabel::SetDefaultOpener([&](const std::string& url) { opened = url; });
    TbsSkinLinkLabel other(&window);
    other.SetCaption("site");
    other.SetURL("http://www.example.com/");
    other.show();
    QTest::mouseClick(&other, Qt::LeftButton, {}, { 2, 2 });
    TbsSkinLinkLabel::SetDefaultOpener(saved);
    EXPECT_EQ(opened, "http://www.example.com/");
}

TEST_F(SkinButtons, LabelColoursFollowTheEntryAndTheMouse)
{
    TbsSkinLinkLabel link(&window);
    TbsSkinButtonLabel menu(&window);
    TbsSkinStdLabel plain(&window);
    // Without a skin: the default colours, active blue under the mouse.
    EXPECT_EQ(link.TextColor(), ToQColor(0));
    Enter(&link);
    Enter(&menu);
    EXPECT_EQ(link.TextColor(), ToQColor(16711680));
    EXPECT_EQ(menu.TextColor(), ToQColor(16711680));
    // With the entry: "fontcolor" and, under the mouse, "activefontcolor".
    for (TbsSkinLabelBase* label : std::initializer_list<TbsSkinLabelBase*> { &link, &menu, &plain })
        label->SetSkinData(skin.Data());
    EXPECT_EQ(link.TextColor(), ToQColor(65280));
    EXPECT_EQ(menu.TextColor(), ToQColor(65280));
    EXPECT_EQ(plain.TextColor(), ToQColor(255));
    Leave(&link);
    Leave(&menu);
    EXPECT_EQ(link.TextColor(), ToQColor(255));
    EXPECT_EQ(menu.TextColor(), ToQColor(255));
    plain.SetUseSkinColor(false);
    EXPECT_EQ(plain.TextColor(), ToQColor(0));
}

TEST_F(SkinButtons, ButtonLabelClicksOnlyOverItself)
{
    TbsSkinButtonLabel menu(&window);
    menu.resize(41, 17);
    int clicks = 0;
    menu.OnClick = [&](QObject*) { ++clicks; };
    window.show();
    QTest::mouseClick(&menu, Qt::LeftButton, {}, { 5, 5 });
    QTest::mousePress(&menu, Qt::LeftButton, {}, { 5, 5 });
    QTest::mouseRelease(&menu, Qt::LeftButton, {}, { 80, 5 });
    EXPECT_EQ(clicks, 1);
}

TEST_F(SkinButtons, TextLabelSizesItselfToItsLines)
{
    TbsSkinTextLabel label(&window);
    label.SetAutoSize(true);
    label.SetLines({ "one", "two", "three" });
    const int threeLines = label.height();
    label.SetLines({ "one" });
    EXPECT_LT(label.height(), threeLines);
    // Word wrap keeps the width and grows in height.
    label.SetAutoSize(false);
    label.resize(40, 20);
    label.SetWordWrap(true);
    label.SetAutoSize(true);
    label.SetLines({ "many words that cannot fit on one line" });
    EXPECT_EQ(label.width(), 40);
    EXPECT_GT(label.height(), threeLines);
}

} // namespace

TEST_F(SkinButtons, SkinFontsTakeChineseTextFromTheDesktopsChineseFont)
{
    const QFont font = SkinFont("Arial", 12, fsBold);
    ASSERT_FALSE(font.families().isEmpty());
    EXPECT_EQ(font.families().first(), QStringLiteral("Arial")) << "the skin's own family first";
    for (const QString& chinese : ChineseFontFamilies())
        EXPECT_TRUE(font.families().contains(chinese)) << chinese.toStdString();
    EXPECT_EQ(font.pixelSize(), 12);
    EXPECT_TRUE(font.bold());
}
