#include "HostileSkins.h"

#include "BsCompressedStoredSkin.h"
#include "BsIniFile.h"
#include "BsSkinDataGeometry.h"
#include "BsStreams.h"
#include "Bseffects.h"
#include "Bsskindata.h"
#include "Exception.h"

#include "BsSkinBoxes.h"
#include "BsSkinButtons.h"
#include "BsSkinComboBox.h"
#include "BsSkinEdit.h"
#include "BsSkinLabels.h"
#include "BsSkinListView.h"
#include "BsSkinPanel.h"
#include "BsSkinTabs.h"
#include "Bsskinform.h"
#include "Bsskinmenus.h"

#include <QApplication>
#include <QImage>

#include <algorithm>

namespace {

// The control entries of the base skin: every kind the program's windows use.
const char* const ControlEntries[]
    = { "panel:panel", "button:button", "menuheader:label", "edit:edit", "combobox:combobox",
          "listbox:listbox", "vscrollbar:scrollbar", "hscrollbar:scrollbar", "bothhscrollbar:scrollbar",
          "tab:tab", "resizetoolbutton:button", "stdlabel:stdlabel", "listview:listview" };
const char* const ControlNames[] = { "panel", "button", "menuheader", "edit", "combobox", "listbox",
    "vscrollbar", "hscrollbar", "bothhscrollbar", "tab", "resizetoolbutton", "stdlabel", "listview" };
// Every rect key the base skin's controls have (each control reads those of its kind).
const char* const ControlRectKeys[] = { "skinrect", "clientrect", "activeskinrect", "buttonrect",
    "activebuttonrect", "itemrect", "activeitemrect", "focusitemrect", "itemtextrect", "trackarea",
    "upbuttonrect", "downbuttonrect", "thumbrect", "activeupbuttonrect", "glyphrect", "tabrect",
    "activetabrect", "tabsbgrect", "downskinrect", "captionrect" };

QImage Colour(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 5 % 256, y * 7 % 256, (x ^ y) % 256));
    return image;
}

// 1-bit, black (inside a shape) except a checkered border two pixels wide.
QImage Mono(int w, int h)
{
    QImage image(w, h, QImage::Format_Mono);
    image.setColorTable({ qRgb(0, 0, 0), qRgb(255, 255, 255) });
    image.fill(0);
    for (int y = 0; y < std::min(h, 2); ++y)
        for (int x = 0; x < w; x += 2)
            image.setPixel(x, y, 1);
    return image;
}

// A w x h nine-piece look at the picture's top-left with corners and client
// rect inset on every side.
void WriteNinePiece(TbsIniFile& ini, const char* control, int w, int h, int inset)
{
    ini.WriteRect(control, "skinrect", { 0, 0, w, h });
    ini.WritePoint(control, "lefttoppoint", { inset, inset });
    ini.WritePoint(control, "righttoppoint", { w - inset, inset });
    ini.WritePoint(control, "leftbottompoint", { inset, h - inset });
    ini.WritePoint(control, "rightbottompoint", { w - inset, h - inset });
    ini.WriteRect(control, "clientrect", { inset, inset, w - inset, h - inset });
}

void WriteBaseIni(TbsIniFile& ini)
{
    ini.WriteInteger("VERSION", "ver", 1);
    ini.WriteString("VERSION", "skinname", "hostile base");
    ini.WriteString("PICTURES", "picture", "main.bmp");
    ini.WriteString("PICTURES", "inactivepicture", "inactive.bmp");
    ini.WriteString("PICTURES", "mask", "mask.bmp");
    ini.WriteNameList("PICTURES", "activepictures", { "a.bmp", "b.bmp" });

    ini.WritePoint("FORMINFO", "lefttoppoint", { 10, 20 });
    ini.WritePoint("FORMINFO", "righttoppoint", { 50, 20 });
    ini.WritePoint("FORMINFO", "leftbottompoint", { 10, 36 });
    ini.WritePoint("FORMINFO", "rightbottompoint", { 50, 36 });
    ini.WriteRect("FORMINFO", "clientrect", { 4, 20, 56, 36 });
    ini.WriteRect("FORMINFO", "captionrect", { 4, 2, 56, 18 });
    ini.WriteRect("FORMINFO", "maskrectarea", { 3, 3, 57, 37 });
    ini.WriteInteger("FORMINFO", "buttonsoffset", 2);
    ini.WriteInteger("FORMINFO", "borderwidth", 3);
    ini.WriteBool("FORMINFO", "stretcheffect", true);
    ini.WriteStretchType("FORMINFO", "stretchtype", bsstHorz);
    ini.WriteBool("FORMINFO", "autorenderinginactiveimage", true);
    ini.WriteInActiveEffect("FORMINFO", "inactiveeffect", ieSplitBlur);

    ini.WriteNameList("SKINOBJECTS", "", { "caption:caption", "closebutton:stdbutton", "menuitem:menuitem" });
    ini.WriteRect("caption", "skinrect", { 4, 2, 56, 18 });
    ini.WriteRect("caption", "textrect", { 2, 0, 40, 14 });
    ini.WriteStdCommand("closebutton", "command", cmClose);
    ini.WriteInteger("closebutton", "activepictureindex", 0);
    ini.WriteBool("closebutton", "skinrectinapicture", true);
    ini.WriteRect("closebutton", "skinrect", { 0, 0, 12, 12 });
    ini.WriteRect("closebutton", "activeskinrect", { 12, 0, 24, 12 });
    ini.WriteInteger("menuitem", "activepictureindex", 0);
    ini.WriteRect("menuitem", "skinrect", { 0, 12, 40, 32 });
    ini.WriteRect("menuitem", "activeskinrect", { 0, 20, 40, 40 });
    ini.WriteRect("menuitem", "dividerrect", { 0, 0, 40, 4 });
    ini.WriteRect("menuitem", "textrect", { 4, 2, 36, 18 });
    ini.WriteInteger("menuitem", "itemleftoffset", 4);
    ini.WriteInteger("menuitem", "itemrightoffset", 4);
    ini.WriteRect("menuitem", "checkimagerect", { 0, 0, 8, 8 });
    ini.WriteRect("menuitem", "arrowimagerect", { 8, 0, 16, 8 });

    ini.WriteInteger("POPUPWINDOW", "windowpictureindex", 0);
    ini.WriteInteger("POPUPWINDOW", "maskpictureindex", 1);
    ini.WritePoint("POPUPWINDOW", "lefttoppoint", { 4, 4 });
    ini.WritePoint("POPUPWINDOW", "righttoppoint", { 36, 4 });
    ini.WritePoint("POPUPWINDOW", "leftbottompoint", { 4, 36 });
    ini.WritePoint("POPUPWINDOW", "rightbottompoint", { 36, 36 });
    ini.WriteRect("POPUPWINDOW", "itemsrect", { 4, 4, 36, 36 });

    std::vector<std::string> controls;
    for (const char* entry : ControlEntries)
        controls.push_back(entry);
    ini.WriteNameList("SKINCONTROLS", "", controls);
    for (const char* control : ControlNames)
        ini.WriteInteger(control, "pictureindex", 0);
    ini.WriteInteger("panel", "maskpictureindex", 1);
    WriteNinePiece(ini, "panel", 40, 40, 4);
    ini.WriteRect("button", "skinrect", { 0, 0, 30, 20 });
    ini.WritePoint("button", "lefttoppoint", { 5, 0 });
    ini.WritePoint("button", "righttoppoint", { 25, 0 });
    ini.WriteInteger("button", "maskpictureindex", 1);
    ini.WriteRect("menuheader", "skinrect", { 0, 0, 40, 10 });
    ini.WritePoint("menuheader", "righttoppoint", { 30, 0 });

    // The other controls of the program's windows, each with the looks it draws.
    ini.WriteRect("edit", "skinrect", { 0, 0, 30, 20 });
    ini.WritePoint("edit", "lefttoppoint", { 4, 10 });
    ini.WritePoint("edit", "righttoppoint", { 26, 11 });
    ini.WriteRect("edit", "clientrect", { 2, 2, 28, 18 });
    ini.WriteRect("edit", "activeskinrect", { 0, 20, 30, 40 });
    ini.WriteRect("edit", "buttonrect", { 20, 2, 28, 18 });
    ini.WriteRect("combobox", "skinrect", { 0, 0, 40, 20 });
    ini.WritePoint("combobox", "lefttoppoint", { 4, 0 });
    ini.WritePoint("combobox", "righttoppoint", { 20, 0 });
    ini.WriteRect("combobox", "clientrect", { 2, 2, 20, 18 });
    ini.WriteRect("combobox", "activeskinrect", { 0, 20, 40, 40 });
    ini.WriteRect("combobox", "buttonrect", { 22, 2, 38, 18 });
    ini.WriteRect("combobox", "activebuttonrect", { 22, 22, 38, 38 });
    ini.WriteRect("combobox", "itemrect", { 0, 20, 20, 30 });
    ini.WriteRect("combobox", "focusitemrect", { 0, 30, 20, 40 });
    ini.WriteRect("combobox", "itemtextrect", { 2, 0, 18, 10 });
    ini.WriteString("combobox", "listboxname", "listbox");
    WriteNinePiece(ini, "listbox", 40, 40, 4);
    ini.WriteRect("listbox", "itemrect", { 0, 0, 30, 10 });
    ini.WriteRect("listbox", "activeitemrect", { 0, 10, 30, 20 });
    ini.WriteRect("listbox", "focusitemrect", { 0, 20, 30, 30 });
    ini.WriteRect("listbox", "itemtextrect", { 2, 0, 28, 10 });
    ini.WriteRect("vscrollbar", "skinrect", { 0, 0, 15, 40 });
    ini.WritePoint("vscrollbar", "leftbottompoint", { 0, 30 });
    ini.WriteRect("vscrollbar", "trackarea", { 0, 10, 15, 30 });
    ini.WriteRect("vscrollbar", "upbuttonrect", { 0, 30, 15, 40 });
    ini.WriteRect("vscrollbar", "downbuttonrect", { 0, 0, 15, 10 });
    ini.WriteRect("vscrollbar", "thumbrect", { 20, 0, 35, 12 });
    ini.WriteRect("vscrollbar", "activeupbuttonrect", { 20, 12, 35, 22 });
    for (const char* bar : { "hscrollbar", "bothhscrollbar" }) {
        ini.WriteRect(bar, "skinrect", { 0, 0, 40, 15 });
        ini.WritePoint(bar, "righttoppoint", { 30, 0 });
        ini.WriteRect(bar, "trackarea", { 10, 0, 30, 15 });
        ini.WriteRect(bar, "upbuttonrect", { 30, 0, 40, 15 });
        ini.WriteRect(bar, "downbuttonrect", { 0, 0, 10, 15 });
        ini.WriteRect(bar, "thumbrect", { 0, 20, 12, 35 });
        ini.WriteRect(bar, "glyphrect", { 12, 20, 16, 24 });
    }
    WriteNinePiece(ini, "tab", 40, 40, 4);
    ini.WriteRect("tab", "tabrect", { 0, 0, 20, 10 });
    ini.WriteRect("tab", "activetabrect", { 0, 10, 20, 21 });
    ini.WriteRect("tab", "tabsbgrect", { 20, 0, 40, 10 });
    ini.WriteInteger("tab", "tableftoffset", 3);
    ini.WriteInteger("tab", "tabrightoffset", 3);
    WriteNinePiece(ini, "resizetoolbutton", 30, 20, 4);
    ini.WriteRect("resizetoolbutton", "downskinrect", { 0, 20, 30, 40 });
    ini.WriteInteger("stdlabel", "fontcolor", 255);
    ini.WriteInteger("listview", "bgcolor", 16777215);
}

std::string Compress(const TbsSkinPackage& package)
{
    TbsCompressedStoredSkin skin;
    skin.LoadFromPackage(package);
    TMemoryStream file;
    skin.SaveToCompressStream(file);
    return file.Bytes();
}

} // namespace

TbsSkinPackage MakeBaseSkinPackage()
{
    TbsSkinPackage package;
    package.Picture = Colour(60, 40);
    package.InActivePicture = Colour(60, 40);
    package.Mask = Mono(60, 40);
    package.ActivePictures = { Colour(40, 40), Mono(40, 40) };
    TbsIniFile ini;
    WriteBaseIni(ini);
    package.IniText = ini.Text();
    return package;
}

std::string CompressSkin(const std::function<void(TbsSkinPackage&, TbsIniFile&)>& tweak)
{
    TbsSkinPackage package = MakeBaseSkinPackage();
    TbsIniFile ini;
    WriteBaseIni(ini);
    if (tweak)
        tweak(package, ini);
    // A tweak may have put its own text in place; otherwise the INI goes in.
    if (package.IniText == MakeBaseSkinPackage().IniText)
        package.IniText = ini.Text();
    return Compress(package);
}

namespace {

using SkinTweak = std::function<void(TbsSkinPackage&, TbsIniFile&)>;

// Each hostile skin as the change it makes to the base skin.
std::vector<std::pair<std::string, SkinTweak>> HostileTweaks()
{
    std::vector<std::pair<std::string, SkinTweak>> skins;
    auto add = [&skins](std::string name, SkinTweak tweak) {
        skins.emplace_back(std::move(name), std::move(tweak));
    };
    // Just under the 64 MiB inflate cap: 33 million two-byte lines, then
    // 16 million "k=v" lines.
    auto lines = [](std::string_view line, std::size_t bytes) {
        return [line, bytes](TbsSkinPackage& package, TbsIniFile& ini) {
            std::string text = ini.Text() + "[LINES]\n";
            text.reserve(bytes + line.size());
            while (text.size() + line.size() <= bytes)
                text += line;
            package.IniText = std::move(text);
        };
    };
    add("ini-33m-short-lines", lines("a\n", 66'000'000));
    add("ini-16m-kv-lines", lines("k=v\n", 66'000'000));
    // Distinct keys past the key limit: refused.
    add("ini-distinct-keys", [](TbsSkinPackage& package, TbsIniFile& ini) {
        std::string text = ini.Text() + "[KEYS]\n";
        for (std::size_t i = 0; i <= MaxIniLines; ++i)
            text += std::to_string(i) + "=1\n";
        package.IniText = std::move(text);
    });
    // 1-bit masks of 8 MiB and near the cap, with a mask area that leaves
    // almost all of them to the strips.
    auto mask = [](int side) {
        return [side](TbsSkinPackage& package, TbsIniFile& ini) {
            package.Mask = Mono(side, side);
            ini.WriteRect("FORMINFO", "maskrectarea", { 4, 20, 56, 36 });
        };
    };
    add("mask-8mib", mask(8192));
    add("mask-60mib", mask(22000));
    // Control looks of 20000 x 20000: on the small library picture, and on a
    // 20000 x 20000 1-bit picture that holds them.
    add("control-skinrect-20000", [](TbsSkinPackage&, TbsIniFile& ini) {
        for (const char* control : ControlNames)
            for (const char* key : ControlRectKeys)
                ini.WriteRect(control, key, { 0, 0, 20000, 20000 });
        ini.WriteRect("menuitem", "skinrect", { 0, 0, 20000, 20000 });
        ini.WriteRect("menuitem", "checkimagerect", { 0, 0, 20000, 20000 });
    });
    add("control-picture-20000", [](TbsSkinPackage& package, TbsIniFile& ini) {
        package.ActivePictures[1] = Mono(20000, 20000);
        for (const char* control : ControlNames) {
            ini.WriteInteger(control, "pictureindex", 1);
            for (const char* key : ControlRectKeys)
                ini.WriteRect(control, key, { 0, 0, 20000, 20000 });
        }
        ini.WritePoint("panel", "rightbottompoint", { 0, 0 }); // fixed size: the look's own
        ini.WriteInteger("menuitem", "activepictureindex", 1);
        ini.WriteRect("menuitem", "skinrect", { 0, 0, 20000, 20000 });
        ini.WriteInteger("POPUPWINDOW", "windowpictureindex", 1);
    });
    // A client rect whose top band would be 4096 x 2e9 pixels, and every
    // frame point near the integer limit.
    add("clientrect-huge-top", [](TbsSkinPackage&, TbsIniFile& ini) {
        ini.WriteRect("FORMINFO", "clientrect", { 4, 2000000000, 56, 2147483647 });
    });
    add("points-near-int-max", [](TbsSkinPackage&, TbsIniFile& ini) {
        for (const char* key : { "lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint",
                 "hittestlefttoppoint", "hittestrightbottompoint" })
            ini.WritePoint("FORMINFO", key, { 2147483647, 2147483646 });
        ini.WriteRect("FORMINFO", "captionrect", { 2147483600, 0, 2147483647, 2147483647 });
        ini.WriteRect("FORMINFO", "buttonsrect", { 2147483600, 0, 2147483647, 2147483647 });
        ini.WriteInteger("FORMINFO", "buttonsoffset", 2147483647);
        ini.WriteInteger("FORMINFO", "borderwidth", 2147483647);
        ini.WriteRect("closebutton", "skinrect", { 0, 0, 2147483647, 2147483647 });
        ini.WritePoint("POPUPWINDOW", "rightbottompoint", { 2147483647, 2147483647 });
        ini.WriteRect("POPUPWINDOW", "itemsrect", { 0, 0, 2147483647, 2147483647 });
        for (const char* control : ControlNames) {
            for (const char* key : { "lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint" })
                ini.WritePoint(control, key, { 2147483647, 2147483646 });
            for (const char* key : ControlRectKeys)
                ini.WriteRect(control, key, { 2147483000, 2147483000, 2147483647, 2147483647 });
            for (const char* key : { "itemleftoffset", "itemrightoffset", "tableftoffset", "tabrightoffset",
                     "thumboffset1", "thumboffset2", "focusoffsetx", "thumbminsize", "fontheight" })
                ini.WriteInteger(control, key, 2147483647);
        }
    });
    // A skin without a main picture, one whose client rect reaches far past
    // its picture, and control looks of the largest size a skin may name.
    add("no-main-picture", [](TbsSkinPackage& package, TbsIniFile& ini) {
        package.Picture = QImage();
        package.InActivePicture = QImage();
        ini.WriteString("PICTURES", "picture", "");
        ini.WriteString("PICTURES", "inactivepicture", "");
    });
    add("clientrect-beyond-picture", [](TbsSkinPackage&, TbsIniFile& ini) {
        ini.WriteRect("FORMINFO", "clientrect", { 4, 20, 5000, 4000 });
        ini.WriteRect("FORMINFO", "maskrectarea", { 3, 3, 6000, 6000 });
    });
    add("control-skinrect-32768", [](TbsSkinPackage&, TbsIniFile& ini) {
        for (const char* control : ControlNames)
            ini.WriteRect(control, "skinrect", { 0, 0, 32768, 32768 });
        // The panel takes its look's size (mode 0), the edit its height.
        for (const char* key : { "lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint" })
            ini.WritePoint("panel", key, { 0, 0 });
        // Without a picture a look is bounded only by the largest picture a skin may hold.
        for (const char* control : { "button", "edit", "tab" })
            ini.WriteInteger(control, "pictureindex", -1);
    });
    return skins;
}

} // namespace

std::vector<std::string> HostileSkinNames()
{
    std::vector<std::string> names;
    for (const auto& [name, tweak] : HostileTweaks())
        names.push_back(name);
    return names;
}

HostileSkin MakeHostileSkin(const std::string& name)
{
    for (const auto& [skinName, tweak] : HostileTweaks())
        if (skinName == name)
            return { name, CompressSkin(tweak) };
    return { name, {} };
}

std::vector<HostileSkin> MakeHostileSkins()
{
    std::vector<HostileSkin> skins;
    for (const auto& [name, tweak] : HostileTweaks())
        skins.push_back({ name, CompressSkin(tweak) });
    return skins;
}

namespace {

void BuildFrame(const TbsSkinData& data, int w, int h)
{
    const TbsFrameSkin skin = FrameSkinOf(data);
    const TbsFrameGeometry g = CalcRects(skin, w, h);
    for (const QImage* picture : { &data.Picture, &data.InActivePicture }) {
        TbsBorderImages bands = CreateSkinBorderImages(skin, *picture, w, h);
        for (QImage* band : { &bands.Top, &bands.Bottom, &bands.Left, &bands.Right })
            if (!band->isNull())
                ApplyInActiveEffect(*band, skin.InActiveEffect);
    }
    const TbsFrameShape shape(skin, g, data.Mask);
    (void)shape.Region();

    std::vector<TRect> captions;
    std::vector<TbsCaptionButtonSlot> buttons;
    for (const auto& object : data.ObjectList) {
        if (dynamic_cast<const TbsDataSkinCaption*>(object.get()))
            captions.push_back(CalcRealObjectRect(skin, g, ClipSkinRect(object->SkinRect, skin.PictureSize)));
        if (auto* button = dynamic_cast<const TbsDataSkinStdButton*>(object.get())) {
            const TRect look = ClipSkinRect(
                button->SkinRect, SkinPictureBounds(data.GetActivePicture(button->PictureIndex)));
            buttons.push_back({ button->Command, true, { look.Width(), look.Height() } });
        }
    }
    (void)CalcCaptionButtonRow(skin, g, buttons);
    TbsHitTestState state;
    state.Sizeable = true;
    for (QPoint p : { QPoint(0, 0), QPoint(w / 2, 1), QPoint(w - 1, h - 1), QPoint(w / 2, h / 2) })
        (void)NewNCHitTest(p, skin, g, shape, captions, state);
    const TRect client = g.NewClientRect;
    (void)CreateClientBackground(data.Picture, skin.ClientRect, skin.StretchEffect, skin.StretchType,
        std::clamp(client.Width(), 0, w), std::clamp(client.Height(), 0, h), 0);
}

void BuildMenu(const TbsSkinData& data, int w, int h)
{
    const std::optional<TbsPopupWindowSkinGeom> window = PopupWindowSkinGeomOf(&data);
    const TbsDataSkinMenuItem* itemData = FindMenuItemSkin(&data);
    const QImage* itemPicture = itemData ? data.GetActivePicture(itemData->PictureIndex) : nullptr;
    std::optional<TbsMenuItemSkinGeom> item;
    if (itemData)
        item = MenuItemSkinGeomOf(*itemData, itemPicture);
    TbsMenuSizeInput in;
    in.MaxTextWidth = 80;
    in.ItemHeights = { MenuItemHeight(false, item ? &*item : nullptr, 20),
        MenuItemHeight(true, item ? &*item : nullptr, 20) };
    in.WorkAreaHeight = h;
    in.WindowSkin = window ? &*window : nullptr;
    in.ItemSkin = item ? &*item : nullptr;
    const TbsMenuWindowSize size = CalcMenuWindowSize(in);
    const int mw = std::clamp(size.Width, 1, w);
    const int mh = std::clamp(size.Height, 1, h);
    if (window) {
        TbsNinePieceLayout layout;
        layout.LTPoint = window->LTPoint;
        layout.RTPoint = window->RTPoint;
        layout.LBPoint = window->LBPoint;
        layout.RBPoint = window->RBPoint;
        layout.ClientRect = window->ItemsRect;
        const QImage* picture = data.GetActivePicture(data.PopupWindow.WindowPictureIndex);
        const QImage background
            = CreateSkinImage(layout, *picture, TRect(0, 0, picture->width(), picture->height()), mw, mh);
        (void)background;
    }
    const TRect items = CalcMenuItemsRect(window ? &*window : nullptr, mw, mh);
    (void)CalcItemRects(items, in.ItemHeights, size.Scroll, 0);
    if (!item || !itemPicture)
        return;
    const std::optional<TbsMenuHeaderSkin> header = MenuHeaderSkinOf(&data);
    const int iw = std::clamp(items.Width(), 1, w);
    const int ih = std::clamp(in.ItemHeights[0], 1, h);
    TbsMenuItemState state;
    state.Caption = QStringLiteral("&Item");
    state.ShortCut = QStringLiteral("Ctrl+I");
    for (int variant = 0; variant < 4; ++variant) {
        state.Active = variant == 1;
        state.Checked = variant >= 1;
        state.HasSubItems = variant == 2;
        state.Separator = variant == 3;
        (void)CreateSkinMenuItemImage(
            *item, *itemPicture, state, iw, ih, QFont(), 19, nullptr, header ? &*header : nullptr);
    }
    TbsMenuItemState headerItem;
    headerItem.Caption = QStringLiteral("-Header-");
    headerItem.Enabled = false;
    (void)CreateSkinMenuItemImage(
        *item, *itemPicture, headerItem, iw, ih, QFont(), 19, nullptr, header ? &*header : nullptr);
}

void BuildControls(const TbsSkinData& data, int w, int h)
{
    for (const auto& entry : data.CtrlList) {
        auto* control = dynamic_cast<const TbsDataSkinCustomControl*>(entry.get());
        if (!control)
            continue;
        const QImage* picture = data.GetActivePicture(control->PictureIndex);
        const TbsControlSkinGeom geom = ControlSkinGeomOf(*control, picture);
        // A control is never larger than the window it sits in.
        const QSize size = CalcControlSize(geom, QSize(w, h)).boundedTo(QSize(w, h));
        if (picture)
            (void)CreateControlSkinImage(geom, *picture, geom.SkinRect, size.width(), size.height());
        if (const QImage* mask = data.GetActivePicture(control->MaskPictureIndex))
            (void)CreateControlSkinRegion(geom, *mask, size.width(), size.height());
    }
}

// Loads a compressed stored skin; false when it does not load.
bool LoadSkin(std::string_view compressed, TbsSkinData& data)
{
    try {
        TMemoryStream file { std::string(compressed) };
        TbsCompressedStoredSkin stored;
        stored.LoadFromCompressStream(file);
        data.LoadCompressedStoredSkin(&stored);
    } catch (const Exception&) {
        return false; // a damaged or hostile skin ends in its error
    }
    return IsSkinLoaded(&data);
}

// A program window at client size: the skinned frame, every skinned control,
// a dropped-down combo box and a skinned popup menu, painted once.
SkinnedWindowReport BuildWindow(TbsSkinData& skin, QSize client)
{
    SkinnedWindowReport report;
    report.Loaded = true;
    QWidget window;
    window.setWindowTitle(QStringLiteral("Qelvo"));
    auto* form = new TbsSkinForm(&window);
    form->SetBorderStyle(bsSizeable);
    form->SetSkinData(&skin);
    form->SetClientWidth(client.width());
    form->SetClientHeight(client.height());
    const QPoint origin = window.contentsRect().topLeft();

    std::vector<QWidget*> controls;
    auto place = [&](QWidget* control, TbsSkinnable& skinnable, QRect r) {
        control->setGeometry(r.translated(origin));
        skinnable.SetSkinData(&skin);
        controls.push_back(control);
    };
    auto* panel = new TbsSkinPanel(&window);
    panel->SetCaption("panel");
    place(panel, *panel, { 0, 0, client.width(), 41 });
    auto* button = new TbsSkinButton(&window);
    button->SetCaption("OK");
    place(button, *button, { 10, 50, 75, 25 });
    auto* formButton = new TbsSkinXFormButton(&window);
    formButton->SetCaption("Save");
    place(formButton, *formButton, { 90, 50, 75, 25 });
    auto* label = new TbsSkinStdLabel(&window);
    label->SetCaption("label");
    place(label, *label, { 170, 50, 60, 16 });
    auto* text = new TbsSkinTextLabel(&window);
    text->SetLines({ "two", "lines" });
    place(text, *text, { 170, 66, 60, 32 });
    auto* link = new TbsSkinLinkLabel(&window);
    link->SetCaption("link");
    place(link, *link, { 240, 50, 50, 16 });
    auto* buttonLabel = new TbsSkinButtonLabel(&window);
    buttonLabel->SetCaption("menu");
    place(buttonLabel, *buttonLabel, { 240, 66, 50, 20 });
    auto* edit = new TbsSkinEdit(&window);
    edit->SetText("sh600000");
    place(edit, *edit, { 10, 80, 121, 20 });
    auto* combo = new TbsSkinComboBox(&window);
    std::vector<std::string> items;
    for (int i = 0; i < 25; ++i)
        items.push_back("item " + std::to_string(i));
    combo->SetItems(items);
    combo->SetItemIndex(3);
    place(combo, *combo, { 140, 80, 137, 20 });
    auto* list = new TbsSkinListBox(&window);
    list->SetHorizontalExtent(true);
    list->SetItems(items);
    place(list, *list, { 10, 110, 160, 120 });
    auto* hBar = new TbsSkinScrollBar(&window);
    hBar->SetRange(0, 100, 10, 50);
    place(hBar, *hBar, { 10, 240, 200, 19 });
    auto* vBar = new TbsSkinScrollBar(&window);
    vBar->SetKind(sbVertical);
    vBar->SetRange(0, 100, 10, 50);
    place(vBar, *vBar, { 180, 110, 19, 120 });
    auto* view = new TbsSkinListView(&window);
    view->SetHeaderSkinDataName("resizetoolbutton");
    view->SetColumns({ { "name", 80 }, { "code", 70 }, { "price", 70 }, { "change", 70 } });
    for (int i = 0; i < 20; ++i)
        view->AddItem("stock", { "sh600000", "10.00", "1.00" });
    place(view, *view, { 0, 120, client.width(), std::max(client.height() - 120, 1) });
    auto* pages = new TbsSkinPageControl(&window);
    pages->AddPage("codes");
    pages->AddPage("more");
    place(pages, *pages, { 210, 110, 90, 120 });

    QImage picture(window.size().boundedTo(QSize(8192, 8192)), QImage::Format_ARGB32);
    window.render(&picture);
    report.LargestPicture = picture.size();
    report.Window = window.size();
    report.Frame = window.contentsMargins();
    for (QWidget* control : controls)
        report.LargestControl = report.LargestControl.expandedTo(control->size());

    // The combo box's list, dropped down and painted.
    combo->DropDown();
    for (QWidget* popup : QApplication::topLevelWidgets())
        if (popup != &window && popup->isVisible()) {
            report.LargestControl = report.LargestControl.expandedTo(popup->size());
            (void)popup->grab();
        }
    combo->CloseUp(false);

    // A skinned popup menu of the window, through the frame's menu engine.
    auto* menu = new TbsSkinPopupMenu(&window);
    for (const char* caption : { "Style", "-", "Hide", "-Header-", "Exit" }) {
        auto* item = new TMenuItem();
        item->SetCaption(caption);
        menu->Items()->Add(item);
    }
    menu->Popup(10, 10);
    TbsSkinMenu* engine = form->MenuEngine();
    for (int level = 0; level < engine->Count(); ++level) {
        report.LargestPicture = report.LargestPicture.expandedTo(engine->Window(level)->size());
        (void)engine->Window(level)->grab();
    }
    engine->Hide();
    return report;
}

} // namespace

const std::vector<QSize>& ProgramClientSizes()
{
    static const std::vector<QSize> sizes = { { 306, 300 }, { 311, 281 }, { 611, 396 }, { 256, 224 } };
    return sizes;
}

std::vector<SkinnedWindowReport> LoadAndBuildSkinnedWindows(
    std::string_view compressed, const std::vector<QSize>& clients)
{
    TbsSkinData data;
    if (!LoadSkin(compressed, data))
        return {};
    std::vector<SkinnedWindowReport> reports;
    for (QSize client : clients)
        reports.push_back(BuildWindow(data, client));
    return reports;
}

bool LoadAndBuildSkinPictures(std::string_view compressed, int w, int h)
{
    TbsSkinData data;
    if (!LoadSkin(compressed, data))
        return false;
    BuildFrame(data, w, h);
    BuildMenu(data, w, h);
    BuildControls(data, w, h);
    return true;
}
