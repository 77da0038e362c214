// Live skinned windows built from hostile skins: every program window with its
// skinned frame, each skinned control, a dropped-down combo box and a popup
// menu, painted once. Nothing may grow past the screens or end in a negative
// frame; the sanitizer build catches what reads or wraps where it must not.
// (Peak memory per case: build/bench/hostile_skin_memory.)
#include "BsCompressedStoredSkin.h"
#include "BsSkinEdit.h"
#include "BsSkinPanel.h"
#include "BsStreams.h"
#include "HostileSkins.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

std::string CaseName(const testing::TestParamInfo<std::string>& info)
{
    std::string name;
    for (char c : info.param)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

// One case a test, each made in the test that uses it (some take seconds to compress).
class SkinHostileWindows : public testing::TestWithParam<std::string> { };

TEST_P(SkinHostileWindows, StayWithinTheScreensAndKeepTheirFrame)
{
    const HostileSkin skin = MakeHostileSkin(GetParam());
    ASSERT_FALSE(skin.Compressed.empty());
    const std::vector<SkinnedWindowReport> reports = LoadAndBuildSkinnedWindows(skin.Compressed);
    if (skin.Name == "ini-distinct-keys") {
        EXPECT_TRUE(reports.empty()) << "refused as a damaged skin";
        return;
    }
    ASSERT_EQ(reports.size(), ProgramClientSizes().size());
    const QSize screens = QGuiApplication::primaryScreen()->virtualGeometry().size();
    for (const SkinnedWindowReport& r : reports) {
        EXPECT_TRUE(r.Loaded);
        EXPECT_GE(r.Frame.left(), 0);
        EXPECT_GE(r.Frame.top(), 0);
        EXPECT_GE(r.Frame.right(), 0);
        EXPECT_GE(r.Frame.bottom(), 0);
        for (QSize size : { r.Window, r.LargestControl, r.LargestPicture }) {
            EXPECT_LE(size.width(), screens.width()) << size.width() << " x " << size.height();
            EXPECT_LE(size.height(), screens.height()) << size.width() << " x " << size.height();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    EachHostileSkin, SkinHostileWindows, testing::ValuesIn(HostileSkinNames()), CaseName);

TEST(SkinHostileControls, LooksAreClippedToTheirPictureBeforeTheySizeAControl)
{
    // Every control look of this skin is 32768 x 32768: on the 40 x 40
    // library picture it shrinks to the picture, without a picture it is
    // bounded by the screens.
    TbsSkinData skin;
    TMemoryStream file { MakeHostileSkin("control-skinrect-32768").Compressed };
    TbsCompressedStoredSkin stored;
    stored.LoadFromCompressStream(file);
    skin.LoadCompressedStoredSkin(&stored);
    ASSERT_FALSE(skin.Empty());
    const QSize screens = QGuiApplication::primaryScreen()->virtualGeometry().size();

    TbsSkinPanel panel; // fixed size: it takes its look's
    panel.SetSkinData(&skin);
    EXPECT_EQ(panel.size(), QSize(40, 40));
    EXPECT_EQ(panel.contentsRect(), QRect(4, 4, 32, 32));

    TbsSkinEdit edit; // no picture: its look's height, bounded
    edit.SetSkinData(&skin);
    EXPECT_EQ(edit.height(), screens.height());
    const QMargins text = edit.textMargins();
    EXPECT_GE(std::min({ text.left(), text.top(), text.right(), text.bottom() }), 0);
    EXPECT_LE(text.left() + text.right(), edit.width());
    EXPECT_FALSE(edit.grab().isNull());
}

} // namespace
