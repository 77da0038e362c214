// A gallery of the skinned controls: one window that holds every control in
// each of its states, drawn with the program's skin on the left and with the
// built-in look (no skin) on the right. For looking at the skin while
// designing it, and for screenshots.
//
// Usage: controlgallery [--screenshot <file.png>]
//   --screenshot: shows the window, saves a picture of the screen (or, on a
//   platform without one, of the window) and quits.

#include "BsSkinBoxes.h"
#include "BsSkinButtons.h"
#include "BsSkinComboBox.h"
#include "BsSkinEdit.h"
#include "BsSkinLabels.h"
#include "BsSkinListView.h"
#include "BsSkinPanel.h"
#include "BsSkinTabs.h"
#include "Bsskindata.h"
#include "GbkText.h"
#include "SkinCtrlDM.h"

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace {

// GBK bytes of a text written here.
std::string G(const char* utf8)
{
    return QStringToGbk(QString::fromUtf8(utf8));
}

// Puts a control into the look of the mouse being over it.
void Hover(QWidget* widget)
{
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)));
    QCoreApplication::sendEvent(widget, &enter);
}

// Holds the left mouse button down on a control at p.
void Press(QWidget* widget, QPoint p)
{
    Hover(widget);
    QMouseEvent press(
        QEvent::MouseButtonPress, p, widget->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

QImage MakeGlyph()
{
    QImage glyph(32, 16, QImage::Format_RGB32);
    glyph.fill(QColor(255, 0, 255)); // the transparent colour
    QPainter painter(&glyph);
    painter.setBrush(QColor(40, 150, 60));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRect(2, 2, 12, 12));
    painter.setBrush(QColor(150, 150, 150));
    painter.drawEllipse(QRect(18, 2, 12, 12));
    return glyph;
}

template <typename T> T* Place(QWidget* parent, TbsSkinData* skin, int x, int y, int w = 0, int h = 0)
{
    auto* control = new T(parent);
    if (w > 0 && h > 0)
        control->setGeometry(x, y, w, h);
    else
        control->move(x, y);
    control->SetSkinData(skin);
    return control;
}

TbsSkinStdLabel* Title(QWidget* parent, TbsSkinData* skin, int x, int y, const char* text)
{
    auto* label = Place<TbsSkinStdLabel>(parent, skin, x, y);
    QFont font = label->DefaultFont();
    font.setBold(true);
    label->SetUseSkinFont(false);
    label->setFont(font);
    label->SetCaption(G(text));
    return label;
}

struct Half {
    QWidget* focusButton = nullptr;
    TbsSkinComboBox* openCombo = nullptr;
};

// Every control in its states, bound to skin (null: the built-in look).
Half BuildHalf(QWidget* host, TbsSkinData* skin, const char* heading)
{
    Half half;
    auto* back = Place<TbsSkinPanel>(host, skin, 0, 0, host->width(), host->height());
    back->SetBorderStyle(bvNone);
    Title(back, skin, 8, 4, heading);

    // Panels.
    Title(back, skin, 8, 26, "面板 TbsSkinPanel");
    auto* strip = Place<TbsSkinPanel>(back, skin, 8, 44, 200, 25);
    strip->SetBorderStyle(bvNone);
    strip->SetCaption(G("无边框"));
    auto* framed = Place<TbsSkinPanel>(back, skin, 216, 44, 140, 25);
    framed->SetBorderStyle(bvRaised);
    framed->SetCaption(G("凸起"));
    auto* lowered = Place<TbsSkinPanel>(back, skin, 364, 44, 120, 25);
    lowered->SetBorderStyle(bvLowered);
    lowered->SetCaption(G("凹陷"));
    auto* captioned = Place<TbsSkinPanel>(back, skin, 492, 26, 130, 60);
    captioned->SetCaptionMode(true);
    captioned->SetCaption(G("标题面板"));

    // Buttons: normal, active, pressed, down, focused, disabled.
    Title(back, skin, 8, 92, "按钮 TbsSkinButton：正常 / 鼠标 / 按下 / 落下 / 焦点 / 禁用");
    const char* captions[] = { "正常", "鼠标", "按下", "落下", "焦点", "禁用" };
    for (int i = 0; i < 6; ++i) {
        auto* button = Place<TbsSkinButton>(back, skin, 8 + i * 82, 112, 75, 25);
        button->SetCaption(G(captions[i]));
        switch (i) {
        case 1:
            Hover(button);
            break;
        case 2:
            Press(button, QPoint(10, 10));
            break;
        case 3:
            button->SetDown(true);
            break;
        case 4:
            half.focusButton = button;
            break;
        case 5:
            button->setEnabled(false);
            break;
        default:
            break;
        }
    }
    auto* xform = Place<TbsSkinXFormButton>(back, skin, 8, 144, 57, 25);
    xform->SetCaption(G("添加"));
    auto* glyphButton = Place<TbsSkinButton>(back, skin, 72, 144, 90, 25);
    glyphButton->SetCaption(G("图标"));
    glyphButton->SetGlyph(MakeGlyph());
    glyphButton->SetNumGlyphs(2);
    glyphButton->SetSpacing(4);
    auto* glyphTop = Place<TbsSkinButton>(back, skin, 170, 144, 75, 40);
    glyphTop->SetCaption(G("上图"));
    glyphTop->SetUseSkinSize(false);
    glyphTop->SetGlyph(MakeGlyph());
    glyphTop->SetNumGlyphs(2);
    glyphTop->SetLayout(blGlyphTop);
    auto* glyphDisabled = Place<TbsSkinButton>(back, skin, 252, 144, 90, 25);
    glyphDisabled->SetCaption(G("禁用图标"));
    glyphDisabled->SetGlyph(MakeGlyph());
    glyphDisabled->SetNumGlyphs(2);
    glyphDisabled->setEnabled(false);

    // Labels.
    Title(back, skin, 8, 192, "标签：普通 / 禁用 / 多行 / 链接 / 按钮标签");
    auto* std = Place<TbsSkinStdLabel>(back, skin, 8, 212);
    std->SetCaption(G("股票代码"));
    auto* disabled = Place<TbsSkinStdLabel>(back, skin, 80, 212);
    disabled->SetCaption(G("禁用标签"));
    disabled->setEnabled(false);
    auto* text = Place<TbsSkinTextLabel>(back, skin, 8, 229, 140, 38);
    text->SetLines({ G("上证股票代码前加sh"), G("深证股票代码前加sz") });
    auto* link = Place<TbsSkinLinkLabel>(back, skin, 150, 212);
    link->SetCaption(G("访问官方网站"));
    auto* linkHot = Place<TbsSkinLinkLabel>(back, skin, 150, 232);
    linkHot->SetCaption(G("发送电子邮件"));
    Hover(linkHot);
    auto* menu = Place<TbsSkinButtonLabel>(back, skin, 250, 212, 41, 17);
    menu->SetCaption(G("菜单"));
    auto* menuHot = Place<TbsSkinButtonLabel>(back, skin, 300, 212, 41, 17);
    menuHot->SetCaption(G("菜单"));
    Hover(menuHot);
    auto* wrapped = Place<TbsSkinTextLabel>(back, skin, 360, 210, 140, 48);
    wrapped->SetWordWrap(true);
    wrapped->SetAlignment(taCenter);
    wrapped->SetLines({ G("居中并自动换行的多行文字标签示例") });

    // List view, as on the main window.
    Title(back, skin, 8, 266, "列表 TbsSkinListView");
    auto* list = Place<TbsSkinListView>(back, skin, 8, 284, 306, 215);
    list->SetHeaderSkinDataName("resizetoolbutton");
    list->SetHotTrackStyle(htHandPoint);
    list->SetUseSkinScrollBars(true);
    list->SetColumns({ { G("名称"), 80, taLeftJustify }, { G("代码"), 60, taCenter },
        { G("价格"), 80, taCenter }, { G("涨幅%"), 80, taCenter } });
    const char* names[] = { "浦发银行", "邯郸钢铁", "白云机场", "武钢股份", "东风汽车", "中国国贸",
        "首创股份", "上海机场", "包钢股份", "华能国际", "皖通高速", "华夏银行" };
    list->BeginUpdate();
    for (int i = 0; i < 12; ++i)
        list->AddItem(G(names[i]),
            { std::to_string(600000 + i * 4), std::to_string(10 + i) + ".25",
                (i % 3 ? "-" : "") + std::to_string(i % 5) + ".1" + std::to_string(i % 10) });
    list->EndUpdate();
    list->SetItemIndex(2);

    // List boxes: with more codes than fit (scroll bar) and with a few.
    Title(back, skin, 324, 266, "列表框 TbsSkinListBox");
    auto* box = Place<TbsSkinListBox>(back, skin, 324, 284, 160, 214);
    std::vector<std::string> codes;
    for (int i = 0; i < 20; ++i)
        codes.push_back((i % 2 ? "sz" : "sh") + std::to_string(600000 + i * 7));
    box->SetItems(codes);
    box->SetItemIndex(3);
    auto* small = Place<TbsSkinListBox>(back, skin, 490, 284, 130, 80);
    small->SetItems({ "sh600000", "sz000002" });
    small->SetItemIndex(0);
    auto* rows = Place<TbsSkinListBox>(back, skin, 490, 372, 130, 60);
    rows->SetItems(codes);
    rows->SetRowCount(5);
    rows->SetTopIndex(6);

    // Scroll bars.
    Title(back, skin, 8, 506, "滚动条 TbsSkinScrollBar");
    auto* hbar = Place<TbsSkinScrollBar>(back, skin, 8, 526, 200, 19);
    hbar->SetRange(0, 100, 20, 30);
    auto* hbarHot = Place<TbsSkinScrollBar>(back, skin, 8, 550, 200, 19);
    hbarHot->SetRange(0, 100, 0, 70);
    Press(hbarHot, hbarHot->CurrentRects().UpButton.ToQRect().center());
    auto* hbarOff = Place<TbsSkinScrollBar>(back, skin, 8, 574, 200, 19);
    hbarOff->setEnabled(false);
    auto* both = Place<TbsSkinScrollBar>(back, skin, 8, 598, 200, 19);
    both->SetBoth(true);
    both->SetRange(0, 10, 3, 0);
    auto* vbar = Place<TbsSkinScrollBar>(back, skin, 216, 526, 19, 92);
    vbar->SetKind(sbVertical);
    vbar->setGeometry(216, 526, 19, 92);
    vbar->SetRange(0, 50, 10, 41);

    // Edits.
    Title(back, skin, 250, 506, "编辑框 TbsSkinEdit：正常 / 鼠标 / 禁用");
    auto* edit = Place<TbsSkinEdit>(back, skin, 250, 526, 113, 18);
    edit->SetText(G("sh600000"));
    auto* editHot = Place<TbsSkinEdit>(back, skin, 370, 526, 113, 18);
    editHot->SetText(G("中文输入"));
    Hover(editHot);
    auto* editOff = Place<TbsSkinEdit>(back, skin, 490, 526, 113, 18);
    editOff->SetText(G("禁用"));
    editOff->setEnabled(false);

    // Combo boxes.
    Title(back, skin, 250, 552, "组合框 TbsSkinComboBox：正常 / 禁用 / 展开");
    std::vector<std::string> kinds;
    const char* kindNames[] = { "分时线", "日K线", "周K线", "月K线", "MACD", "KDJ", "RSI", "BOLL", "WR",
        "DMI", "BIAS", "CCI", "VR", "OBV" };
    for (const char* kind : kindNames)
        kinds.push_back(G(kind));
    auto* combo = Place<TbsSkinComboBox>(back, skin, 250, 572, 137, 20);
    combo->SetItems(kinds);
    combo->SetItemIndex(1);
    auto* comboOff = Place<TbsSkinComboBox>(back, skin, 394, 572, 110, 20);
    comboOff->SetItems(kinds);
    comboOff->SetItemIndex(0);
    comboOff->setEnabled(false);
    auto* comboFree = Place<TbsSkinComboBox>(back, skin, 250, 598, 137, 24);
    comboFree->SetUseSkinSize(false);
    comboFree->setGeometry(250, 598, 137, 24);
    comboFree->SetItems(kinds);
    comboFree->SetItemIndex(4);
    auto* comboOpen = Place<TbsSkinComboBox>(back, skin, 510, 572, 110, 20);
    comboOpen->SetItems(kinds);
    comboOpen->SetItemIndex(3);
    comboOpen->SetDropDownCount(8);
    half.openCombo = comboOpen;

    // Page control, as on the option dialog.
    Title(back, skin, 8, 630, "分页 TbsSkinPageControl");
    auto* pages = Place<TbsSkinPageControl>(back, skin, 8, 650, 311, 120);
    auto* first = pages->AddPage(G("股票设定"));
    pages->AddPage(G("其它"));
    auto* inner = new TbsSkinPanel(first);
    inner->setGeometry(4, 4, 140, 60);
    inner->SetSkinData(skin);
    inner->SetCaption(G("页上的面板"));
    auto* onPage = new TbsSkinButton(first);
    onPage->move(160, 20);
    onPage->SetSkinData(skin);
    onPage->SetCaption(G("保存"));
    return half;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QString screenshot;
    for (int i = 1; i + 1 < argc; ++i)
        if (QString::fromLocal8Bit(argv[i]) == QStringLiteral("--screenshot"))
            screenshot = QString::fromLocal8Bit(argv[i + 1]);

    TSkinCtrlModule module;
    TbsSkinData noSkin; // stays empty: the built-in look

    QWidget window;
    window.setWindowTitle(QStringLiteral("Qelvo skinned controls"));
    window.resize(1280, 780);
    auto* left = new QWidget(&window);
    left->setGeometry(0, 0, 636, 780);
    auto* right = new QWidget(&window);
    right->setGeometry(644, 0, 636, 780);
    const Half skinned = BuildHalf(left, module.bsSkinData1, "程序皮肤 (Vadar2)");
    const Half plain = BuildHalf(right, &noSkin, "无皮肤：内置外观");
    window.move(0, 0);
    window.show();
    window.activateWindow();
    skinned.focusButton->setFocus();

    if (screenshot.isEmpty())
        return application.exec();

    // The window first (with the focused button), then the open drop-down
    // list drawn in at its place: an open list takes the focus away.
    int result = 0;
    QPixmap picture;
    QTimer::singleShot(300, [&] {
        if (QScreen* screen = QGuiApplication::primaryScreen())
            picture = screen->grabWindow(0, 0, 0, window.width(), window.height());
        if (picture.isNull() || QGuiApplication::platformName() == QStringLiteral("offscreen"))
            picture = window.grab();
        skinned.openCombo->DropDown();
        plain.openCombo->DropDown();
        QTimer::singleShot(300, [&] {
            QPainter painter(&picture);
            for (TbsSkinComboBox* combo : { skinned.openCombo, plain.openCombo }) {
                QWidget* list = combo->PopupList();
                if (list && list->isVisible())
                    painter.drawPixmap(window.mapFromGlobal(list->mapToGlobal(QPoint(0, 0))), list->grab());
            }
            painter.end();
            QDir().mkpath(QFileInfo(screenshot).absolutePath());
            if (!picture.save(screenshot)) {
                std::fprintf(
                    stderr, "controlgallery: cannot write %s\n", screenshot.toLocal8Bit().constData());
                result = 1;
            }
            skinned.openCombo->CloseUp(false);
            plain.openCombo->CloseUp(false);
            application.quit();
        });
    });
    application.exec();
    return result;
}
