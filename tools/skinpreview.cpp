// Draws a preview of a compressed skin with the skin engine's own picture
// functions: the main window's frame at its real size with its strips and
// list header, an open pop-up menu, and the common controls in their states.
// For looking at a skin while designing it; the program never runs this.
//
// Usage: skinpreview <skin.ure> <preview.png>

#include "BsSkinDataGeometry.h"
#include "Bsutils.h"
#include "Exception.h"
#include "GbkCodec.h"
#include "GbkText.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

class Preview {
public:
    explicit Preview(const TbsSkinData& skin)
        : skin_(skin)
    {
    }

    template <typename T> const T& Control(const char* name) const
    {
        auto* c = skin_.FindControl<T>(name);
        if (!c)
            throw Exception(std::string("no control skin ") + name);
        return *c;
    }
    template <typename T> const T& Object(const char* name) const
    {
        auto* o = skin_.FindObject<T>(name);
        if (!o)
            throw Exception(std::string("no skin object ") + name);
        return *o;
    }
    const QImage& Library(int index) const { return *skin_.GetActivePicture(index); }

    // A custom control's look r drawn at w x h.
    QImage ControlImage(const TbsDataSkinCustomControl& c, const TRect& r, int w, int h) const
    {
        return CreateControlSkinImage(
            ControlSkinGeomOf(c, &Library(c.PictureIndex)), Library(c.PictureIndex), r, w, h);
    }

    // The main window: client 306 x 300 with its strips, list header and rows.
    QImage MainWindow(const QString& caption, bool showClose) const
    {
        const TbsFrameSkin frame = FrameSkinOf(skin_);
        const TbsFrameMargins m = SkinFrameMargins(frame);
        const QSize size = m.WindowSize(QSize(306, 300));
        const TbsFrameGeometry g = CalcRects(frame, size.width(), size.height());
        QImage img(size, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        QPainter p(&img);
        const TbsBorderImages bands
            = CreateSkinBorderImages(frame, skin_.Picture, size.width(), size.height());
        p.drawImage(0, 0, bands.Top);
        p.drawImage(0, bands.Top.height(), bands.Left);
        p.drawImage(size.width() - bands.Right.width(), bands.Top.height(), bands.Right);
        p.drawImage(0, size.height() - bands.Bottom.height(), bands.Bottom);
        const TRect client = g.NewClientRect;
        p.drawImage(client.Left, client.Top,
            CreateClientBackground(skin_.Picture, skin_.ClRect, skin_.StretchEffect, skin_.StretchType,
                client.Width(), client.Height(), qRgb(0xF0, 0xF0, 0xF0)));
        // caption text
        const auto& cap = Object<TbsDataSkinCaption>("caption");
        const TRect capRect = CalcRealObjectRect(frame, g, cap.SkinRect);
        p.setFont(SkinFont(cap));
        p.setPen(ToQColor(cap.ActiveFontColor));
        const TRect text = cap.TextRect.Offset(capRect.Left, capRect.Top);
        p.drawText(
            QRect(text.Left, text.Top, text.Width() + capRect.Width() - cap.SkinRect.Width(), text.Height()),
            Qt::AlignLeft | Qt::AlignVCenter, caption);
        if (showClose) {
            const auto& close = Object<TbsDataSkinStdButton>("closebutton");
            const TbsCaptionButtonRow row = CalcCaptionButtonRow(
                frame, g, { { cmClose, true, QSize(close.SkinRect.Width(), close.SkinRect.Height()) } });
            const TRect r = row.Rects.at(0);
            p.drawImage(QPoint(r.Left, r.Top), Library(close.PictureIndex), close.ActiveSkinRect.ToQRect());
        }
        // top strip, list, bottom strip
        const auto& panel = Control<TbsDataSkinPanelControl>("panel");
        p.drawImage(client.Left, client.Top, ControlImage(panel, panel.SkinRect, 306, 25));
        const auto& label = Control<TbsDataSkinStdLabelControl>("stdlabel");
        p.setFont(SkinFont(label));
        p.setPen(ToQColor(label.FontColor));
        p.drawText(QRect(client.Left + 152, client.Top + 3, 41, 17), Qt::AlignCenter, QStringLiteral("菜单"));
        const auto& header = Control<TbsDataSkinButtonControl>("resizetoolbutton");
        const auto& lv = Control<TbsDataSkinListView>("listview");
        const int listTop = client.Top + 25;
        p.fillRect(client.Left, listTop, 306, 215, ToQColor(lv.BGColor));
        const int widths[] = { 80, 60, 80, 80 };
        const QString titles[] = { QStringLiteral("名称"), QStringLiteral("代码"), QStringLiteral("价格"),
            QStringLiteral("涨幅%") };
        const char* rows[][4] = { { "浦发银行", "600000", "10.52", "1.35" },
            { "深发展A", "000001", "24.10", "-0.62" }, { "中国石油", "601857", "13.87", "0.29" } };
        int x = client.Left;
        p.setFont(SkinFont(lv));
        for (int c = 0; c < 4; ++c) {
            p.drawImage(x, listTop,
                ControlImage(header, c == 1 ? header.DownSkinRect : header.SkinRect, widths[c], 22));
            p.setPen(ToQColor(header.FontColor));
            p.drawText(QRect(x + 4, listTop, widths[c] - 8, 22),
                c ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter, titles[c]);
            x += widths[c];
        }
        p.drawImage(x, listTop, ControlImage(header, header.SkinRect, client.Left + 306 - x, 22));
        p.setPen(ToQColor(lv.FontColor));
        for (int r = 0; r < 3; ++r) {
            int cx = client.Left;
            for (int c = 0; c < 4; ++c) {
                p.drawText(QRect(cx + 4, listTop + 24 + r * 18, widths[c] - 8, 18),
                    c ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(rows[r][c]));
                cx += widths[c];
            }
        }
        p.drawImage(client.Left, client.Top + 240, ControlImage(panel, panel.SkinRect, 306, 60));
        p.end();
        // the window shape
        const TbsFrameShape shape(frame, g, skin_.Mask);
        for (int y = 0; y < size.height(); ++y)
            for (int xx = 0; xx < size.width(); ++xx)
                if (!shape.IsEmpty() && !shape.Contains(QPoint(xx, y)))
                    img.setPixel(xx, y, qRgba(0, 0, 0, 0));
        return img;
    }

    // An open pop-up menu like the main window's.
    QImage PopupMenu() const
    {
        const TbsDataSkinPopupWindow& pw = skin_.PopupWindow;
        const auto& item = Object<TbsDataSkinMenuItem>("menuitem");
        const QImage& picture = Library(pw.WindowPictureIndex);
        const QImage& items = Library(item.PictureIndex);
        struct Row {
            const char* text;
            int kind;
        }; // 0 plain, 1 active, 2 checked, 3 submenu, 4 divider, 5 disabled
        const Row rows[] = { { "窗口风格", 3 }, { "隐藏", 1 }, { "选项", 0 }, { "", 4 }, { "钉在桌面", 2 },
            { "关于", 5 }, { "退出", 0 } };
        int h = picture.height() - pw.ItemsRect.Height();
        for (const Row& r : rows)
            h += r.kind == 4 ? item.DividerRect.Height() : item.SkinRect.Height();
        const int w = 60 + 70;
        TbsNinePieceLayout layout;
        layout.LTPoint = pw.LTPoint;
        layout.RTPoint = pw.RTPoint;
        layout.LBPoint = pw.LBPoint;
        layout.RBPoint = pw.RBPoint;
        layout.ClientRect = pw.ItemsRect;
        layout.LeftStretch = layout.TopStretch = layout.RightStretch = layout.BottomStretch = true;
        layout.StretchEffect = pw.StretchEffect;
        QImage img = CreateSkinImage(layout, picture, TRect(0, 0, picture.width(), picture.height()), w, h);
        img = img.convertToFormat(QImage::Format_ARGB32);
        QPainter p(&img);
        p.setFont(SkinFont(item));
        const int itemsW = w - (picture.width() - pw.ItemsRect.Width());
        int y = pw.ItemsRect.Top;
        for (const Row& r : rows) {
            if (r.kind == 4) {
                p.drawImage(pw.ItemsRect.Left, y,
                    CreateHSkinImage(item.DividerLeftOffset, item.DividerRightOffset, items, item.DividerRect,
                        itemsW, item.DividerRect.Height(), false));
                y += item.DividerRect.Height();
                continue;
            }
            const TRect look = r.kind == 1 ? item.ActiveSkinRect : item.SkinRect;
            p.drawImage(pw.ItemsRect.Left, y,
                CreateHSkinImage(item.ItemLeftOffset, item.ItemRightOffset, items, look, itemsW,
                    item.SkinRect.Height(), false));
            const TRect ta = TRect(item.TextRect.Left, item.TextRect.Top,
                item.TextRect.Right + itemsW - item.SkinRect.Width(), item.TextRect.Bottom)
                                 .Offset(pw.ItemsRect.Left, y);
            p.setPen(ToQColor(r.kind == 5 ? item.UnEnabledFontColor
                                          : (r.kind == 1 ? item.ActiveFontColor : item.FontColor)));
            p.drawText(QRect(ta.Left, ta.Top, ta.Width(), ta.Height()), Qt::AlignLeft | Qt::AlignVCenter,
                QString::fromUtf8(r.text));
            if (r.kind == 2) {
                const TRect ir = item.ImageRect.Offset(pw.ItemsRect.Left, y);
                p.drawImage(
                    ir.Left, ir.Top, items, item.CheckImageRect.Left, item.CheckImageRect.Top, 16, 16);
            }
            if (r.kind == 3)
                p.drawImage(ta.Right - 16 - 2, ta.Top + 2, items, item.ArrowImageRect.Left,
                    item.ArrowImageRect.Top, 16, 16);
            y += item.SkinRect.Height();
        }
        p.end();
        const QImage& mask = Library(pw.MaskPictureIndex);
        const QRegion shape = CreateSkinRegion(layout, mask, TRect(0, 0, mask.width(), mask.height()), w, h);
        for (int yy = 0; yy < h; ++yy)
            for (int xx = 0; xx < w; ++xx)
                if (!shape.contains(QPoint(xx, yy)))
                    img.setPixel(xx, yy, qRgba(0, 0, 0, 0));
        return img;
    }

    // Buttons in their states, edits, a combo box, a list box with its bar and tabs.
    QImage Controls() const
    {
        QImage img(420, 200, QImage::Format_ARGB32);
        img.fill(ToQColor(skin_.SkinColors.cBtnFace));
        QPainter p(&img);
        const auto& button = Control<TbsDataSkinButtonControl>("button");
        const TRect looks[] = { button.SkinRect, button.ActiveSkinRect, button.DownSkinRect,
            button.FocusedSkinRect, button.DisabledSkinRect };
        const char* captions[] = { "保存", "取消", "查看", "添加", "删除" };
        p.setFont(SkinFont(button));
        for (int i = 0; i < 5; ++i) {
            const int x = 8 + i * 81;
            p.drawImage(x, 8, ControlImage(button, looks[i], 75, 25));
            p.setPen(ToQColor(i == 4 ? button.DisabledFontColor : button.FontColor));
            p.drawText(QRect(x, 8, 75, 25), Qt::AlignCenter, QString::fromUtf8(captions[i]));
        }
        const auto& edit = Control<TbsDataSkinEditControl>("edit");
        p.drawImage(8, 44, ControlImage(edit, edit.SkinRect, 121, 19));
        p.drawImage(138, 44,
            CreateHSkinImage(edit.LTPoint.x(), edit.SkinRect.Width() - edit.RTPoint.x(),
                Library(edit.PictureIndex), edit.ActiveSkinRect, 121, 19, true));
        p.setFont(SkinFont(edit));
        p.setPen(ToQColor(edit.FontColor));
        p.drawText(QRect(8 + edit.ClRect.Left + 1, 44, 100, 19), Qt::AlignLeft | Qt::AlignVCenter,
            QStringLiteral("sh600000"));
        const auto& combo = Control<TbsDataSkinComboBox>("combobox");
        p.drawImage(268, 44, ControlImage(combo, combo.SkinRect, 137, 20));
        p.setPen(ToQColor(combo.FontColor));
        p.drawText(QRect(268 + 5, 44, 100, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("日均线"));
        // list box with a vertical scroll bar
        const auto& list = Control<TbsDataSkinListBox>("listbox");
        const int lh = 99;
        p.drawImage(8, 76, ControlImage(list, list.SkinRect, 160, lh));
        const auto& vbar = Control<TbsDataSkinScrollBarControl>("vscrollbar");
        const TRect cr(list.ClRect.Left, list.ClRect.Top, list.ClRect.Right + 160 - list.SkinRect.Width(),
            list.ClRect.Bottom + lh - list.SkinRect.Height());
        const int barW = vbar.SkinRect.Width();
        p.drawImage(8 + cr.Right - barW, 76 + cr.Top, ControlImage(vbar, vbar.SkinRect, barW, cr.Height()));
        p.drawImage(8 + cr.Right - barW, 76 + cr.Top + 18, Library(vbar.PictureIndex), vbar.ThumbRect.Left,
            vbar.ThumbRect.Top, vbar.ThumbRect.Width(), vbar.ThumbRect.Height());
        const char* codes[] = { "sh600000", "sz000001", "sh601857", "sz000002", "sh600036" };
        p.setFont(SkinFont(list));
        for (int i = 0; i < 5; ++i) {
            const TRect look = i == 1 ? list.FocusItemRect : list.ItemRect;
            const int iw = cr.Width() - barW;
            p.drawImage(8 + cr.Left, 76 + cr.Top + i * 19,
                CreateHSkinImage(list.ItemLeftOffset, list.ItemRightOffset, Library(list.PictureIndex), look,
                    iw, 19, false));
            p.setPen(ToQColor(i == 1 ? list.FocusFontColor : list.FontColor));
            p.drawText(QRect(8 + cr.Left + list.ItemTextRect.Left, 76 + cr.Top + i * 19, iw, 19),
                Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(codes[i]));
        }
        // horizontal bar and tabs with a page
        const auto& hbar = Control<TbsDataSkinScrollBarControl>("hscrollbar");
        p.drawImage(8, 182, ControlImage(hbar, hbar.SkinRect, 160, hbar.SkinRect.Height()));
        p.drawImage(8 + 40, 182, Library(hbar.PictureIndex), hbar.ActiveThumbRect.Left,
            hbar.ActiveThumbRect.Top, hbar.ActiveThumbRect.Width(), hbar.ActiveThumbRect.Height());
        const auto& tab = Control<TbsDataSkinTabControl>("tab");
        const QImage& tabs = Library(tab.PictureIndex);
        const int pageTop = 76 + tab.ActiveTabRect.Height();
        TbsNinePieceLayout page;
        page.LTPoint = tab.LTPoint;
        page.RTPoint = tab.RTPoint;
        page.LBPoint = tab.LBPoint;
        page.RBPoint = tab.RBPoint;
        page.ClientRect = tab.ClRect;
        page.LeftStretch = page.TopStretch = page.RightStretch = page.BottomStretch = true;
        page.StretchEffect = true;
        p.drawImage(190, pageTop, CreateSkinImage(page, tabs, tab.SkinRect, 220, 110));
        p.drawImage(190, 76,
            CreateHSkinImage(tab.TabLeftOffset, tab.TabRightOffset, tabs, tab.ActiveTabRect, 70,
                tab.ActiveTabRect.Height() + 1, false));
        p.drawImage(260, 77,
            CreateHSkinImage(
                tab.TabLeftOffset, tab.TabRightOffset, tabs, tab.TabRect, 70, tab.TabRect.Height(), false));
        p.setFont(SkinFont(tab));
        p.setPen(ToQColor(tab.ActiveFontColor));
        p.drawText(QRect(190, 76, 70, 19), Qt::AlignCenter, QStringLiteral("股票设定"));
        p.setPen(ToQColor(tab.FontColor));
        p.drawText(QRect(260, 79, 70, 18), Qt::AlignCenter, QStringLiteral("其他"));
        return img;
    }

private:
    const TbsSkinData& skin_;
};

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv); // text drawing needs the font database
    if (argc != 3) {
        std::fprintf(stderr, "usage: skinpreview <skin.ure> <preview.png>\n");
        return 2;
    }
    try {
        TbsSkinData skin;
        skin.LoadFromCompressedFile(argv[1]);
        if (skin.Empty())
            throw Exception("the file holds no skin");
        Preview preview(skin);
        const QImage window = preview.MainWindow(QStringLiteral("Qelvo桌面股票"), true);
        const QImage menu = preview.PopupMenu();
        const QImage controls = preview.Controls();
        QImage sheet(24 + window.width() + 24 + std::max(controls.width(), menu.width()) + 24,
            24 + std::max(window.height(), menu.height() + 16 + controls.height()) + 24,
            QImage::Format_ARGB32);
        sheet.fill(QColor(0x7D, 0x8C, 0x9C)); // a desktop behind the windows
        QPainter p(&sheet);
        p.drawImage(24, 24, window);
        p.drawImage(24 + window.width() + 24, 24, menu);
        p.drawImage(24 + window.width() + 24, 24 + menu.height() + 16, controls);
        p.end();
        if (!sheet.save(QString::fromLocal8Bit(argv[2]), "PNG"))
            throw Exception("cannot write " + PathToGbk(argv[2]));
    } catch (const Exception& e) {
        std::fprintf(stderr, "skinpreview: %s\n", GbkToQString(e.Message()).toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
