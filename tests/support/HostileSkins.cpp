#include "HostileSkins.h"

#include "BsCompressedStoredSkin.h"
#include "BsIniFile.h"
#include "BsSkinDataGeometry.h"
#include "BsStreams.h"
#include "Bseffects.h"
#include "Bsskindata.h"
#include "Exception.h"

#include <QImage>

#include <algorithm>

namespace {

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

    ini.WriteNameList("SKINCONTROLS", "", { "panel:panel", "button:button", "menuheader:label" });
    for (const char* control : { "panel", "button", "menuheader" })
        ini.WriteInteger(control, "pictureindex", 0);
    ini.WriteInteger("panel", "maskpictureindex", 1);
    ini.WriteRect("panel", "skinrect", { 0, 0, 40, 40 });
    ini.WritePoint("panel", "lefttoppoint", { 4, 4 });
    ini.WritePoint("panel", "righttoppoint", { 36, 4 });
    ini.WritePoint("panel", "leftbottompoint", { 4, 36 });
    ini.WritePoint("panel", "rightbottompoint", { 36, 36 });
    ini.WriteRect("panel", "clientrect", { 4, 4, 36, 36 });
    ini.WriteRect("button", "skinrect", { 0, 0, 30, 20 });
    ini.WritePoint("button", "lefttoppoint", { 5, 0 });
    ini.WritePoint("button", "righttoppoint", { 25, 0 });
    ini.WriteInteger("button", "maskpictureindex", 1);
    ini.WriteRect("menuheader", "skinrect", { 0, 0, 40, 10 });
    ini.WritePoint("menuheader", "righttoppoint", { 30, 0 });
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

std::vector<HostileSkin> MakeHostileSkins()
{
    std::vector<HostileSkin> skins;
    auto add = [&skins](std::string name, const std::function<void(TbsSkinPackage&, TbsIniFile&)>& tweak) {
        skins.push_back({ std::move(name), CompressSkin(tweak) });
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
        for (const char* control : { "panel", "button", "menuheader" })
            ini.WriteRect(control, "skinrect", { 0, 0, 20000, 20000 });
        ini.WriteRect("menuitem", "skinrect", { 0, 0, 20000, 20000 });
        ini.WriteRect("menuitem", "checkimagerect", { 0, 0, 20000, 20000 });
    });
    add("control-picture-20000", [](TbsSkinPackage& package, TbsIniFile& ini) {
        package.ActivePictures[1] = Mono(20000, 20000);
        for (const char* control : { "panel", "button", "menuheader" }) {
            ini.WriteInteger(control, "pictureindex", 1);
            ini.WriteRect(control, "skinrect", { 0, 0, 20000, 20000 });
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
    });
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

} // namespace

bool LoadAndBuildSkinPictures(std::string_view compressed, int w, int h)
{
    TbsSkinData data;
    try {
        TMemoryStream file { std::string(compressed) };
        TbsCompressedStoredSkin stored;
        stored.LoadFromCompressStream(file);
        data.LoadCompressedStoredSkin(&stored);
    } catch (const Exception&) {
        return false; // a damaged or hostile skin ends in its error
    }
    if (!IsSkinLoaded(&data))
        return false;
    BuildFrame(data, w, h);
    BuildMenu(data, w, h);
    BuildControls(data, w, h);
    return true;
}
