#pragma once
// The chart window: one chart picture of one stock from the chart-image
// service, in a browser view, with a chooser for the 25 chart kinds. One
// instance lives from start-up to the end; closing it only hides it.

#include <QWidget>
#include <memory>
#include <string>

class TbsSkinForm;
class TbsSkinComboBox;
class TbsSkinEdit;
class TbsSkinButton;
class TbsSkinStdLabel;
class TCppWebBrowser;
class TStockChart;
class QLabel;

class TChartForm : public QWidget {
    Q_OBJECT
public:
    explicit TChartForm(QWidget* owner = nullptr);
    ~TChartForm() override;

    // Takes a code (GBK bytes) from the main window's list or the code box:
    // puts it into the code box and makes it the charted stock. Loads
    // nothing; the picture changes when a kind is chosen or "查看" pressed.
    void SetStockCode(const std::string& code);

    // The charted stock's service code ("sh"/"sz" and six digits), or empty.
    std::string StockCode() const;

    // The layout.
    TbsSkinForm* bsSkinForm1 = nullptr;
    TCppWebBrowser* CppWebBrowser1 = nullptr;
    TbsSkinComboBox* cbbChartSet = nullptr;
    TbsSkinEdit* edtStockNum = nullptr;
    TbsSkinButton* btnView = nullptr;
    TbsSkinStdLabel* lbl1 = nullptr;

    // Event handlers.
    void cbbChartSetCloseUp(QObject* sender);
    void btnViewClick(QObject* sender);

    // Whether the window shows its notice for a code that names no market.
    bool NoticeShown() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ShowSelectedChart();
    QWidget* client_ = nullptr;
    QLabel* notice_ = nullptr;
    std::unique_ptr<TStockChart> chart_;
    bool centred_ = false;
};

// Created by the entry routine right after the option dialog; alive until the end.
extern TChartForm* ChartForm;
