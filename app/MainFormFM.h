#pragma once
// The main window: a small skinned window listing the user's stocks (name,
// code, price, change), a notification-area icon with the program's menu, and
// the 20-second quote timer that refreshes the quotes and refills the list.

#include "StockDataClient.h"
#include "Stockcodeconfig.h"
#include "Stockdate.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <string>

class QSystemTrayIcon;
class QTimer;
class TAsyncRefreshCycle;
class TMenuItem;
class TNuvFormStyle;
class TbsSkinButtonLabel;
class TbsSkinForm;
class TbsSkinListView;
class TbsSkinPanel;
class TbsSkinPopupMenu;

// The files the window works on; the program's own by default.
struct TMainFormFiles {
    std::string quoteFile = QuoteFileName;
    std::string codeFile = StockCodeFileName;
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
    QSystemTrayIcon* TrayIcon1 = nullptr; // null without a notification area
    QTimer* tmr1 = nullptr;
    TNuvFormStyle* NuvFormStyle1 = nullptr;

    // --- handlers
    void tmr1Timer(QObject* sender);
    void btnShowMenuClick(QObject* sender);
    void mmHideClick(QObject* sender);
    void mmShowClick(QObject* sender);
    void mmExitClick(QObject* sender);
    void mmOptionClick(QObject* sender);
    void mmAboutClick(QObject* sender);
    void bsSkinListView1Click(QObject* sender);

    // Whether the program lives in the notification area (else "隐藏" minimizes).
    bool InTray() const { return TrayIcon1 != nullptr; }
    // The quote set the list shows.
    const TStockDataSet& Quotes() const { return StockDataSet; }
    // Whether a refresh waits for the network now.
    bool Refreshing() const;

    // The picture of the tray icon (image 0 of the 32 x 32 image list).
    static QImage TrayImage();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout();
    void BuildMenu();
    void BuildTrayIcon();
    void FillList();
    void FirstRefresh();
    void SetShownItems(bool shown);

    // Destroyed in the reverse order: the cycle, the client, then the set;
    // the window's components go after them, with the widget.
    TStockCodeConfig codeList_;
    TStockDataSet StockDataSet;
    TStockDataClient StockDataClient;
    std::unique_ptr<TAsyncRefreshCycle> refresh_;
    bool placed_ = false;
};

// The program's main window, alive from start-up to the end.
extern TMainForm* MainForm;
