// The skinned controls on the program's own skin, at the sizes its windows use.
#include "OwnSkinFixture.h"

#include "BsSkinBoxes.h"
#include "BsSkinButtons.h"
#include "BsSkinEdit.h"
#include "BsSkinListView.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

class SkinControlsOwnSkin : public OwnSkinFixture {
protected:
    void SetUp() override { window.resize(400, 400); }
    TbsSkinData* Data() { return Module().bsSkinData1; }

    QWidget window;
};

std::vector<std::string> Codes(int count)
{
    std::vector<std::string> codes;
    for (int i = 0; i < count; ++i)
        codes.push_back("sh60000" + std::to_string(i));
    return codes;
}

TEST_F(SkinControlsOwnSkin, OptionDialogListShowsItsBarBeyondElevenCodes)
{
    const auto& entry = Control<TbsDataSkinListBox>("listbox");
    const int itemHeight = entry.ItemRect.Height();
    TbsSkinListBox box(&window);
    box.setGeometry(8, 8, 160, 214);
    box.SetSkinData(Data());
    window.show();
    const int visible = (214 - (entry.SkinRect.Height() - entry.ClRect.Height())) / itemHeight;
    box.SetItems(Codes(visible));
    EXPECT_EQ(box.VScrollBar(), nullptr);
    box.AddItem("sz000001");
    ASSERT_NE(box.VScrollBar(), nullptr);
    EXPECT_EQ(box.HScrollBar(), nullptr);
    EXPECT_EQ(box.VScrollBar()->width(), Control<TbsDataSkinScrollBarControl>("vscrollbar").SkinRect.Width());
    box.DeleteItem(0);
    EXPECT_EQ(box.VScrollBar(), nullptr);

    box.SetRowCount(5);
    EXPECT_EQ(box.height(), entry.SkinRect.Height() - entry.ClRect.Height() + 5 * itemHeight);
}

TEST_F(SkinControlsOwnSkin, EditAndButtonTakeTheSizesOfTheirLooks)
{
    const auto& edit = Control<TbsDataSkinEditControl>("edit");
    TbsSkinEdit code(&window);
    code.setGeometry(8, 80, 113, 18);
    code.SetSkinData(Data());
    window.show();
    EXPECT_EQ(code.height(), edit.SkinRect.Height());
    EXPECT_EQ(code.TextArea().left(), edit.ClRect.Left);

    TbsSkinButton close(&window);
    close.setGeometry(96, 184, 75, 25);
    close.SetSkinData(Data());
    EXPECT_EQ(close.size(), QSize(75, 25));
    const auto& button = Control<TbsDataSkinButtonControl>("button");
    EXPECT_EQ(close.RenderImage().pixel(0, 0),
        Library(button.PictureIndex).pixel(button.SkinRect.Left, button.SkinRect.Top));
}

TEST_F(SkinControlsOwnSkin, MainListHeadersComeFromTheToolButtonSkin)
{
    TbsSkinListView list(&window);
    list.setGeometry(0, 25, 306, 215);
    list.SetHeaderSkinDataName("resizetoolbutton");
    list.SetColumns(
        { { "a", 80, taLeftJustify }, { "b", 60, taCenter }, { "c", 80, taCenter }, { "d", 80, taCenter } });
    list.SetSkinData(Data());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto& header = Control<TbsDataSkinButtonControl>("resizetoolbutton");
    const QImage image = list.Header()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage& picture = Library(header.PictureIndex);
    EXPECT_EQ(image.pixel(0, 0), picture.pixel(header.SkinRect.Left, header.SkinRect.Top));
    EXPECT_EQ(image.pixel(image.width() - 1, image.height() - 1),
        picture.pixel(header.SkinRect.Right - 1, header.SkinRect.Bottom - 1))
        << "the space right of the last column";
    const auto& entry = Control<TbsDataSkinListView>("listview");
    EXPECT_EQ(list.palette().color(QPalette::Base), ToQColor(entry.BGColor));
}

} // namespace
