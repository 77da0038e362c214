#pragma once
// The main window: a small skinned window listing the user's stocks (name,
// code, price, change), a notification-area icon with the program's menu, and
// the 20-second quote timer that refreshes the quotes and refills the list.
//
// It is the application's main window: closing it, however that is done (the
// window manager, the frame's system menu, "退出"), ends the program. It lays
// out at any size from its layout size (client 306 x 300) up. Its first live
// quotes are asked for right after it first shows. It follows the desktop's
// notification area as it comes and goes: with one, the program lives in the
// tray with no taskbar entry and "隐藏" hides the window; without one the
// window keeps its taskbar entry in every style and "隐藏" minimizes it.

#include "Durora.h"
#include "StockDataClient.h"
#include "Stockcodeconfig.h"
#include "Stockdate.h"

#include <QPointer>
#include <QWidget>

#include <functional>

#include <memory>
#include <string>

class OffThreadCalls;
class QLabel;
class QSystemTrayIcon;
class QTimer;
class TAsyncRefreshCycle;
class TMenuItem;
class TNuvAdPanel;
class TNuvCheckUpdate;
class TNuvFormStyle;
class TNuvPopupNewsForm;
class TNuvWebSerachPanel;
class TbsSkinButtonLabel;
class TbsSkinData;
class TbsSkinMenuPresenter;
class TbsSkinStdLabel;
class TbsSkinForm;
class TbsSkinListView;
class TbsSkinPanel;
class TbsSkinPopupMenu;

// The files and the maker's addresses the window works with; the program's
// own by default.
struct TMainFormFiles {
    std::string quoteFile = QuoteFileName;
    std::string codeFile = StockCodeFileName;
    TMakerAddresses maker = TMakerAddresses::OfBuild();
};

class TMainForm : public QWidget {
    Q_OBJECT
public:
    // Builds the window and its components, hides the program's taskbar entry
    // (when there is a notification area to live in) and fills the list from
    // the quote file of the previous run. Shows nothing.
    explicit TMainForm(QWidget* parent = nullptr, TMainFormFiles files = {});
    ~TMainForm() override;

    // --- layout
    TbsSkinForm* bsSkinForm1 = nullptr;
    TbsSkinPanel* bsSkinPanel1 = nullptr;
    TbsSkinPanel* bsSkinPanel2 = nullptr;
    TbsSkinButtonLabel* btnShowMenu = nullptr;
    TbsSkinListView* bsSkinListView1 = nullptr;
    TbsSkinPanel* bsSkinPanel3 = nullptr;
    TNuvWebSerachPanel* NuvWebSerachPanel1 = nullptr; // in bsSkinPanel2
    TNuvAdPanel* NuvAdPanel1 = nullptr; // fills bsSkinPanel3 when there is a maker's site
    TbsSkinStdLabel* lblUpdated = nullptr; // "更新于 …" in bsSkinPanel3 when there is none
    QLabel* lblEmptyHint = nullptr; // over the list while it has no rows: how to add stocks

    // --- components
    TbsSkinPopupMenu* pmMainMenu = nullptr;
    TMenuItem* mmN1 = nullptr;
    TMenuItem* mmFormStyleNormal = nullptr;
    TMenuItem* mmFormStyleStayOnTop = nullptr;
    TMenuItem* mmFormStyleOnDesttop = nullptr;
    TMenuItem* mmHide = nullptr;
    TMenuItem* mmShow = nullptr;
    TMenuItem* mmOption = nullptr;
    TMenuItem* mmAbout = nullptr;
    TMenuItem* mmExit = nullptr;
    QSystemTrayIcon* TrayIcon1 = nullptr; // made when a notification area is first there
    QTimer* tmr1 = nullptr;
    TNuvFormStyle* NuvFormStyle1 = nullptr;
    // The web start-up step: every 10 s until the maker's home page answers,
    // then the advertisement, the update check and the news popup, once.
    // Never started without a maker's site.
    QTimer* AdTimer = nullptr;
    TNuvCheckUpdate* NuvCheckUpdate1 = nullptr;
    TNuvPopupNewsForm* NuvPopupNewsForm1 = nullptr;

    // --- handlers
    void tmr1Timer(QObject* sender);
    void btnShowMenuClick(QObject* sender);
    void mmHideClick(QObject* sender);
    void mmShowClick(QObject* sender);
    void mmExitClick(QObject* sender);
    void mmOptionClick(QObject* sender);
    void mmAboutClick(QObject* sender);
    void bsSkinListView1Click(QObject* sender);
    // One try of the web start-up step. The connectivity test runs on a
    // worker thread; a tick while one is still under way does nothing.
    void AdTimerTimer(QObject* sender);
    // Opens the search address in the user's browser.
    void NuvWebSerachPanel1SerachButtonClick(QObject* sender, const std::string& str);

    // Makes the windows the first paint does not need (the option dialog and
    // the chart window); run once, right after the first paint, or before
    // when one of them is asked for. The program's objects set it.
    std::function<void()> MakeLaterWindows;

    // Whether the program lives in the notification area now (else "隐藏" minimizes).
    bool InTray() const { return inTray_; }
    // Looks again whether the desktop has a notification area and follows it
    // when that changed. On X11 the window system tells; nothing polls.
    void TrayHostChanged();
    // The quote set the list shows.
    const TStockDataSet& Quotes() const { return StockDataSet; }
    // Whether a refresh waits for the network now.
    bool Refreshing() const;

    // The picture of the tray icon (image 0 of the 32 x 32 image list).
    static QImage TrayImage();

    // The list column (beyond the shown ones) that holds each row's code
    // with its market prefix.
    static constexpr int FullCodeColumn = 3;

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void BuildWebSide(TbsSkinData* skin);
    void RunUpdateCheck();
    void ShowUpdated();
    void BuildMenu();
    void BuildTrayIcon();
    void FillList();
    void FirstRefresh();
    void AfterFirstPaint();
    void MakeLaterWindowsNow();
    void FirstLiveRefresh();
    void SetShownItems(bool shown);
    void PlaceControls();
    void WatchTrayHost();
    void ApplyTaskbarEntry();
    void EndProgram();

    // Destroyed in the reverse order: the cycle, the client, then the set;
    // the window's components go after them, with the widget.
    TStockCodeConfig codeList_;
    TStockDataSet StockDataSet;
    TStockDataClient StockDataClient;
    std::unique_ptr<TAsyncRefreshCycle> refresh_;
    bool placed_ = false;
    bool inTray_ = false;
    QWidget* client_ = nullptr;
    TMakerAddresses maker_;
    TbsSkinMenuPresenter* searchMenuPresenter_ = nullptr;
    std::unique_ptr<OffThreadCalls> probe_;
    bool probing_ = false;
};

// The program's main window, alive from start-up to the end.
extern TMainForm* MainForm;
