#include "MainFormFM.h"

#include "AboutFormFM.h"
#include "AsyncRefresh.h"
#include "BsSkinLabels.h"
#include "BsSkinListView.h"
#include "BsSkinPanel.h"
#include "Bsskinform.h"
#include "Bsskinmenus.h"
#include "ChartFormFM.h"
#include "ChineseFonts.h"
#include "ErrorReport.h"
#include "GbkText.h"
#include "MenuModel.h"
#include "NuvAdPanel.h"
#include "NuvCheckUpdate.h"
#include "NuvFormStyle.h"
#include "NuvGui.h"
#include "NuvInternet.h"
#include "NuvPopupForm.h"
#include "NuvWebSerachPanel.h"
#include "OffThread.h"
#include "OptionFormFM.h"
#include "SkinCtrlDM.h"
#include "TrayHostWatch.h"
#include "WebStop.h"
#include "WindowLook.h"
#include "WindowSystem.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <functional>
#include <utility>

TMainForm* MainForm = nullptr;

namespace {

TMenuItem* AddItem(TMenuItem* parent, const char* name, const char* caption)
{
    auto* item = new TMenuItem(parent);
    item->SetName(name);
    item->SetCaption(Gbk(caption));
    parent->Add(item);
    return item;
}

constexpr int ClientWidth = 306;
constexpr int ClientHeight = 300;

} // namespace

TMainForm::TMainForm(QWidget* parent, TMainFormFiles files)
    : QWidget(parent)
    , codeList_(files.codeFile)
    , StockDataSet(files.quoteFile)
    , maker_(std::move(files.maker))
    , probe_(std::make_unique<OffThreadCalls>())
{
    nuv::SetMainForm(this);
    BuildLayout();
    BuildMenu();
    // The icon itself comes after the first paint, like the first live quotes.
    inTray_ = QSystemTrayIcon::isSystemTrayAvailable();
    NuvFormStyle1->SetKeepTaskbarEntry(!inTray_);
    WatchTrayHost();

    tmr1 = new QTimer(this);
    tmr1->setObjectName(QStringLiteral("tmr1"));
    tmr1->setInterval(20000);
    connect(tmr1, &QTimer::timeout, this, [this] { tmr1Timer(tmr1); });
    tmr1->start();

    AdTimer = new QTimer(this);
    AdTimer->setObjectName(QStringLiteral("AdTimer"));
    AdTimer->setInterval(10000);
    connect(AdTimer, &QTimer::timeout, this, [this] { AdTimerTimer(AdTimer); });
    if (maker_.Configured())
        AdTimer->start(); // a build without a maker's site has no web start-up step

    StockDataSet.Client = &StockDataClient;
    refresh_ = std::make_unique<TAsyncRefreshCycle>(StockDataSet, codeList_);
    refresh_->OnRefilled = [this] { FillList(); };

    // Without a notification area the taskbar entry is the only way back to
    // a window that was put away, so it stays.
    if (InTray())
        nuv::HideAppBar();

    FirstRefresh();

    // What the first paint does not need waits until the window has painted:
    // the tray icon, the option dialog and the chart window, the first live
    // quotes (AfterFirstPaint).
    installEventFilter(this);
}

TMainForm::~TMainForm()
{
    probe_.reset();
    refresh_.reset();
    if (MainForm == this)
        MainForm = nullptr;
    if (nuv::MainForm() == this)
        nuv::SetMainForm(nullptr);
}

void TMainForm::BuildLayout()
{
    TbsSkinData* skin = SkinCtrlModule ? SkinCtrlModule->bsSkinData1 : nullptr;
    setWindowTitle(QStringLiteral("Qelvo桌面股票"));
    setFont(ChineseFont(14));
    setAttribute(Qt::WA_AlwaysShowToolTips);

    bsSkinForm1 = new TbsSkinForm(this);
    bsSkinForm1->setObjectName(QStringLiteral("bsSkinForm1"));
    bsSkinForm1->SetBorderStyle(bsSizeable);
    bsSkinForm1->SetHideCaptionButtons(true);
    bsSkinForm1->SetShowIcon(false);
    bsSkinForm1->SetDisableSystemMenu(false);
    bsSkinForm1->SetDefMenuItemHeight(20);
    bsSkinForm1->SetAlphaBlend(false);
    bsSkinForm1->SetMagnetic(false);
    bsSkinForm1->MainWindow = true;
    bsSkinForm1->SetSkinData(skin);
    bsSkinForm1->SetClientWidth(ClientWidth);
    bsSkinForm1->SetClientHeight(ClientHeight);
    // The client area follows the frame's margins; the controls sit on it and
    // follow its size (PlaceControls).
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    layout->addWidget(client);
    client_ = client;
    // The layout's size is the smallest: larger, the strips widen and the list
    // grows. The frame holds the window to its layout's minimum.
    client->setMinimumSize(ClientWidth, ClientHeight);
    const QSize smallest = bsSkinForm1->Margins().WindowSize(QSize(ClientWidth, ClientHeight));
    bsSkinForm1->SetMinWidth(smallest.width());
    bsSkinForm1->SetMinHeight(smallest.height());

    bsSkinPanel1 = new TbsSkinPanel(client);
    bsSkinPanel1->setObjectName(QStringLiteral("bsSkinPanel1"));
    bsSkinPanel1->setGeometry(0, 0, ClientWidth, 25);
    bsSkinPanel1->SetBorderStyle(bvNone);
    bsSkinPanel1->SetSkinDataName("panel");
    bsSkinPanel1->SetSkinData(skin);

    bsSkinPanel2 = new TbsSkinPanel(bsSkinPanel1);
    bsSkinPanel2->setObjectName(QStringLiteral("bsSkinPanel2"));
    bsSkinPanel2->setGeometry(0, 0, 129, 24);
    bsSkinPanel2->SetBorderStyle(bvNone);
    bsSkinPanel2->SetSkinDataName("panel");
    bsSkinPanel2->SetSkinData(skin);

    btnShowMenu = new TbsSkinButtonLabel(bsSkinPanel1);
    btnShowMenu->setObjectName(QStringLiteral("btnShowMenu"));
    btnShowMenu->setGeometry(152, 3, 41, 17);
    btnShowMenu->SetSkinDataName("stdlabel");
    btnShowMenu->SetSkinData(skin);
    btnShowMenu->SetCaption(Gbk("菜单"));
    btnShowMenu->SetDefaultActiveFontColor(0xFF0000); // blue (BGR)
    btnShowMenu->OnClick = [this](QObject* sender) { btnShowMenuClick(sender); };

    bsSkinListView1 = new TbsSkinListView(client);
    bsSkinListView1->setObjectName(QStringLiteral("bsSkinListView1"));
    bsSkinListView1->setGeometry(0, 25, ClientWidth, 215);
    bsSkinListView1->SetSkinDataName("listview");
    bsSkinListView1->SetHeaderSkinDataName("resizetoolbutton");
    bsSkinListView1->SetHotTrackStyle(htHandPoint);
    // The skin data first: with a skin its font is the list's, and the
    // settings after it change nothing that would be measured again.
    bsSkinListView1->SetSkinData(skin);
    bsSkinListView1->SetDefaultColor(0xFFFFFF);
    bsSkinListView1->SetDefaultFont(ChineseFont(14));
    bsSkinListView1->SetColumns({ { Gbk("名称"), 80, taLeftJustify }, { Gbk("代码"), 60, taCenter },
        { Gbk("价格"), 80, taCenter }, { Gbk("涨幅%"), 80, taCenter } });
    bsSkinListView1->OnClick = [this](QObject* sender) { bsSkinListView1Click(sender); };

    // A new user's list is empty: one quiet line tells how to fill it.
    lblEmptyHint = new QLabel(QStringLiteral("从“菜单”→“选项”添加股票"), bsSkinListView1->viewport());
    lblEmptyHint->setObjectName(QStringLiteral("lblEmptyHint"));
    lblEmptyHint->setAlignment(Qt::AlignCenter);
    lblEmptyHint->setFont(ChineseFont(12));
    QPalette quiet = lblEmptyHint->palette();
    // On the rows' background the label draws in the text colour.
    quiet.setColor(QPalette::WindowText, QColor(0x8c, 0x8c, 0x8c));
    quiet.setColor(QPalette::Text, QColor(0x8c, 0x8c, 0x8c));
    lblEmptyHint->setPalette(quiet);
    lblEmptyHint->setAttribute(Qt::WA_TransparentForMouseEvents);
    bsSkinListView1->viewport()->installEventFilter(this);

    bsSkinPanel3 = new TbsSkinPanel(client);
    bsSkinPanel3->setObjectName(QStringLiteral("bsSkinPanel3"));
    bsSkinPanel3->setGeometry(0, ClientHeight - 60, ClientWidth, 60);
    bsSkinPanel3->SetBorderStyle(bvNone);
    bsSkinPanel3->SetSkinDataName("panel");
    bsSkinPanel3->SetSkinData(skin);

    BuildWebSide(skin);
    client->installEventFilter(this); // now that every control is there to place
}

void TMainForm::BuildWebSide(TbsSkinData* skin)
{
    NuvWebSerachPanel1 = new TNuvWebSerachPanel(bsSkinPanel2);
    NuvWebSerachPanel1->setObjectName(QStringLiteral("NuvWebSerachPanel1"));
    NuvWebSerachPanel1->setGeometry(0, 0, 129, 24);
    NuvWebSerachPanel1->setToolTip(GbkToQString(Gbk("搜索")));
    NuvWebSerachPanel1->SetColor(15853016);
    NuvWebSerachPanel1->SetOnSerachButtonClick([this](QObject* sender, const std::string& str) {
        NuvWebSerachPanel1SerachButtonClick(sender, str);
    });
    // Its menu of services is drawn as a skinned popup menu.
    searchMenuPresenter_ = new TbsSkinMenuPresenter(skin, this);
    NuvWebSerachPanel1->SubMenu()->SetPresenter(searchMenuPresenter_);

    NuvAdPanel1 = new TNuvAdPanel(bsSkinPanel3);
    NuvAdPanel1->setObjectName(QStringLiteral("NuvAdPanel1"));
    NuvAdPanel1->setGeometry(0, 0, ClientWidth, 60);
    NuvAdPanel1->SetUrl(QString::fromStdString(maker_.Ad).toStdU16String());
    NuvAdPanel1->setVisible(maker_.Configured());

    // Without a maker's site the strip tells how fresh the prices are.
    lblUpdated = new TbsSkinStdLabel(bsSkinPanel3);
    lblUpdated->setObjectName(QStringLiteral("lblUpdated"));
    lblUpdated->setGeometry(8, 21, ClientWidth - 16, 18);
    lblUpdated->SetSkinDataName("stdlabel");
    lblUpdated->SetDefaultFont(ChineseFont(12));
    lblUpdated->SetSkinData(skin);
    lblUpdated->setVisible(!maker_.Configured());

    NuvCheckUpdate1 = new TNuvCheckUpdate(this);
    NuvCheckUpdate1->setObjectName(QStringLiteral("NuvCheckUpdate1"));
    NuvPopupNewsForm1 = new TNuvPopupNewsForm(this);
    NuvPopupNewsForm1->setObjectName(QStringLiteral("NuvPopupNewsForm1"));
}

void TMainForm::BuildMenu()
{
    pmMainMenu = new TbsSkinPopupMenu(this);
    pmMainMenu->setObjectName(QStringLiteral("pmMainMenu"));
    pmMainMenu->SetName("pmMainMenu");
    pmMainMenu->SetAutoHotkeys(false);
    pmMainMenu->SetAutoLineReduction(false);
    if (SkinCtrlModule)
        pmMainMenu->SetSkinData(SkinCtrlModule->bsSkinData1);
    TMenuItem* root = pmMainMenu->Items();

    mmN1 = AddItem(root, "mmN1", "窗口风格");
    mmFormStyleNormal = AddItem(mmN1, "mmFormStyleNormal", "正常");
    mmFormStyleNormal->SetChecked(true);
    mmFormStyleStayOnTop = AddItem(mmN1, "mmFormStyleStayOnTop", "保持最上");
    mmFormStyleOnDesttop = AddItem(mmN1, "mmFormStyleOnDesttop", "钉在桌面");
    mmHide = AddItem(root, "mmHide", "隐藏");
    mmHide->SetOnClick([this](QObject* sender) { mmHideClick(sender); });
    mmShow = AddItem(root, "mmShow", "显示");
    mmShow->SetVisible(false);
    mmShow->SetOnClick([this](QObject* sender) { mmShowClick(sender); });
    mmOption = AddItem(root, "mmOption", "选项");
    mmOption->SetOnClick([this](QObject* sender) { mmOptionClick(sender); });
    mmAbout = AddItem(root, "mmAbout", "关于");
    mmAbout->SetOnClick([this](QObject* sender) { mmAboutClick(sender); });
    mmExit = AddItem(root, "mmExit", "退出");
    mmExit->SetOnClick([this](QObject* sender) { mmExitClick(sender); });

    // After each style change the window's taskbar entry follows the tray
    // again (the notification area may have come or gone while it was
    // pinned). The style component calls these after its own handling.
    for (TMenuItem* item : { mmFormStyleNormal, mmFormStyleStayOnTop, mmFormStyleOnDesttop })
        item->SetOnClick([this](QObject*) { ApplyTaskbarEntry(); });

    NuvFormStyle1 = new TNuvFormStyle(this);
    NuvFormStyle1->setObjectName(QStringLiteral("NuvFormStyle1"));
    NuvFormStyle1->SetAutoChecked(true);
    NuvFormStyle1->SetFSNormalMenuItem(mmFormStyleNormal);
    NuvFormStyle1->SetFSStayOnTopMenuItem(mmFormStyleStayOnTop);
    NuvFormStyle1->SetFSOnDesktopMenuItem(mmFormStyleOnDesttop);
}

QImage TMainForm::TrayImage()
{
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient back(0, 0, 0, 32);
    back.setColorAt(0, QColor(0x2f, 0x6f, 0xd6));
    back.setColorAt(1, QColor(0x17, 0x40, 0x8a));
    painter.setPen(Qt::NoPen);
    painter.setBrush(back);
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    // A rising line of quotes and a red dot at its end.
    painter.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    const QPointF line[] = { { 6, 23 }, { 12, 16 }, { 17, 19 }, { 24, 10 } };
    painter.drawPolyline(line, 4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xff, 0x5a, 0x4e));
    painter.drawEllipse(QPointF(24, 10), 3.5, 3.5);
    return image;
}

void TMainForm::BuildTrayIcon()
{
    TrayIcon1 = new QSystemTrayIcon(QIcon(QPixmap::fromImage(TrayImage())), this);
    TrayIcon1->setObjectName(QStringLiteral("TrayIcon1"));
    connect(TrayIcon1, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason != QSystemTrayIcon::Context)
            return; // left clicks and double clicks do nothing
        QWidget* active = QApplication::activeWindow();
        if (!active)
            active = this;
        if (active->isVisible()) {
            active->raise();
            active->activateWindow();
        }
        pmMainMenu->Popup(QCursor::pos().x(), QCursor::pos().y());
    });
    TrayIcon1->show();
}

void TMainForm::WatchTrayHost()
{
    auto* watch = new TTrayHostWatch(this);
    watch->OnChange = [this] { TrayHostChanged(); };
}

void TMainForm::TrayHostChanged()
{
    const bool available = QSystemTrayIcon::isSystemTrayAvailable();
    if (available == inTray_)
        return;
    inTray_ = available;
    NuvFormStyle1->SetKeepTaskbarEntry(!inTray_);
    if (inTray_) {
        // The program moves into the notification area: the icon appears
        // there (an icon made earlier is put back by Qt itself), the taskbar
        // entry goes, and "隐藏" hides from now on.
        if (!TrayIcon1)
            BuildTrayIcon();
        nuv::HideAppBar();
        return;
    }
    // The notification area is gone: the taskbar entry is the way back, and a
    // window hidden into the tray comes back at once.
    nuv::ShowAppBar();
    ApplyTaskbarEntry();
    if (!isVisible())
        mmShowClick(nullptr);
}

void TMainForm::ApplyTaskbarEntry()
{
    WindowSystem().SetSkipTaskbar(this, inTray_);
}

bool TMainForm::Refreshing() const
{
    return refresh_ && refresh_->Running();
}

void TMainForm::FirstRefresh()
{
    // No window is showing yet, so this cycle has nothing to ask the network:
    // it shows the quotes the previous run left in the quote file.
    try {
        StockDataSet.Clear();
        StockDataSet.StockCodes.clear();
        codeList_.Load(StockDataSet.StockCodes);
        StockDataSet.LoadQuoteFile();
        FillList();
    } catch (...) {
        // A damaged quote file must not end the program: the list starts empty
        // and the report shows once the message loop runs.
        StockDataSet.Clear();
        FillList();
        QTimer::singleShot(0, this, [error = std::current_exception()] { ReportException(error); });
    }
}

void TMainForm::AfterFirstPaint()
{
    if (inTray_ && !TrayIcon1)
        BuildTrayIcon();
    MakeLaterWindowsNow();
    FirstLiveRefresh();
}

void TMainForm::MakeLaterWindowsNow()
{
    if (const std::function<void()> make = std::exchange(MakeLaterWindows, {}))
        make();
}

void TMainForm::FirstLiveRefresh()
{
    // The timer's next tick comes 20 seconds after this refresh.
    tmr1->start();
    tmr1Timer(nullptr);
}

void TMainForm::tmr1Timer(QObject*)
{
    if (refresh_)
        refresh_->Start(); // OnRefilled refills the list once the cycle is done
}

void TMainForm::FillList()
{
    bsSkinListView1->BeginUpdate();
    bsSkinListView1->Clear();
    for (int i = 0; i < StockDataSet.Count(); ++i) {
        const TStockData* record = StockDataSet.Items(i);
        bsSkinListView1->AddItem(
            record->Name, { record->Code, record->Price, record->ChangePercent, record->FullCode });
    }
    bsSkinListView1->EndUpdate();
    lblEmptyHint->setVisible(bsSkinListView1->ItemCount() == 0);
    ShowUpdated();
}

void TMainForm::ShowUpdated()
{
    // The latest date and time among the quotes ("2010-03-23 15:00:05" sorts
    // as text); nothing when no quote carries one.
    std::string latest;
    for (int i = 0; i < StockDataSet.Count(); ++i) {
        const TStockData* record = StockDataSet.Items(i);
        if (!record->Date.empty())
            latest = std::max(latest, record->Date + " " + record->Time);
    }
    lblUpdated->SetCaption(latest.empty() ? std::string() : Gbk("更新于 ") + latest);
}

void TMainForm::AdTimerTimer(QObject*)
{
    if (!maker_.Configured() || probing_ || !AdTimer->isActive())
        return;
    probing_ = true;
    std::function<bool(std::stop_token)> work = [url = maker_.HomePage](std::stop_token stop) {
        const WebStopScope scope(std::move(stop));
        return nuv::CheckInternetConnection(url);
    };
    probe_->Start<bool>(
        std::move(work),
        [this](bool reachable) {
            probing_ = false;
            if (!reachable || !AdTimer->isActive())
                return; // tried again at the next tick
            NuvAdPanel1->Execute();
            AdTimer->stop(); // done for this run, even if the connection goes later
            RunUpdateCheck();
        },
        [this](std::exception_ptr) { probing_ = false; });
}

void TMainForm::RunUpdateCheck()
{
    NuvCheckUpdate1->SetID(ProductId);
    NuvCheckUpdate1->SetVersion(ProductVersion);
    NuvCheckUpdate1->SetUrl(maker_.Update);
    NuvCheckUpdate1->SetGoto(maker_.HomePage);
    // The news follow a check that got its answer; a failed request ends in
    // the standard error report and the run shows no news.
    NuvCheckUpdate1->Execute([this] {
        NuvPopupNewsForm1->SetUrl(maker_.News);
        NuvPopupNewsForm1->Execute();
    });
}

void TMainForm::NuvWebSerachPanel1SerachButtonClick(QObject*, const std::string& str)
{
    nuv::ShellOpen(str); // a failure is not noticed
}

void TMainForm::btnShowMenuClick(QObject*)
{
    nuv::PopMenu(pmMainMenu, btnShowMenu, 0, 0);
}

void TMainForm::SetShownItems(bool shown)
{
    mmShow->SetVisible(!shown);
    mmHide->SetVisible(shown);
}

void TMainForm::mmHideClick(QObject*)
{
    if (InTray())
        hide();
    else
        showMinimized(); // the taskbar entry brings it back
    SetShownItems(false);
}

void TMainForm::mmShowClick(QObject*)
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
    SetShownItems(true);
}

void TMainForm::mmExitClick(QObject*)
{
    EndProgram();
}

void TMainForm::EndProgram()
{
    // The quote and web timers stop and the icon leaves the tray at once; the
    // message loop ends (a modal loop open now ends with it), and a request
    // still under way is abandoned when the window is destroyed after it.
    tmr1->stop();
    AdTimer->stop();
    if (TrayIcon1)
        TrayIcon1->hide();
    QCoreApplication::exit(0);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // The application's main window: however it is closed (the window
    // manager, the frame's system menu, a taskbar), the program ends.
    event->accept();
    EndProgram();
}

void TMainForm::mmOptionClick(QObject*)
{
    MakeLaterWindowsNow();
    if (OptionForm)
        OptionForm->ShowModal(); // its result is not used
}

void TMainForm::mmAboutClick(QObject*)
{
    nuv::FormShowModal(new TAboutForm(this));
}

void TMainForm::bsSkinListView1Click(QObject*)
{
    const int row = bsSkinListView1->ItemIndex();
    MakeLaterWindowsNow();
    if (row < 0 || !ChartForm)
        return;
    // The row's own market: the index sh000001 and the bank sz000001 share
    // their six digits. A row without a market prefix charts by its digits.
    std::string code = bsSkinListView1->SubItem(row, FullCodeColumn);
    if (!code.starts_with("sh") && !code.starts_with("sz"))
        code = bsSkinListView1->SubItem(row, 0);
    ChartForm->SetStockCode(code);
    ChartForm->show();
    ChartForm->raise();
    ChartForm->activateWindow();
}

void TMainForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Minimized or restored through the window system (the taskbar entry
    // when there is no notification area): the menu follows.
    if (event->type() == QEvent::WindowStateChange && isVisible())
        SetShownItems(!isMinimized());
}

void TMainForm::PlaceControls()
{
    // Full-width strips at the top and bottom, the list in between; the search
    // panel and "菜单" keep their places in the top strip.
    const int w = client_->width();
    const int h = client_->height();
    bsSkinPanel1->setGeometry(0, 0, w, 25);
    bsSkinListView1->setGeometry(0, 25, w, std::max(0, h - 25 - 60));
    bsSkinPanel3->setGeometry(0, h - 60, w, 60);
    NuvAdPanel1->setGeometry(0, 0, w, 60);
    lblUpdated->setGeometry(8, 21, w - 16, 18);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client_ && event->type() == QEvent::Resize) {
        PlaceControls();
    } else if (watched == bsSkinListView1->viewport()
        && (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
        // Also on showing: a size the list gives its rows while it is being
        // shown comes without a resize event.
        lblEmptyHint->setGeometry(bsSkinListView1->viewport()->rect());
    } else if (watched == this && event->type() == QEvent::Paint) {
        removeEventFilter(this); // once
        QTimer::singleShot(0, this, [this] { AfterFirstPaint(); });
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm::showEvent(QShowEvent* event)
{
    if (!placed_) {
        placed_ = true;
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect r = frameGeometry();
            r.moveCenter(screen->availableGeometry().center());
            move(r.topLeft());
        }
    }
    QWidget::showEvent(event);
}
