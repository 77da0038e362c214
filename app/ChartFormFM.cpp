#include "ChartFormFM.h"

#include "BsSkinButtons.h"
#include "BsSkinComboBox.h"
#include "BsSkinEdit.h"
#include "BsSkinLabels.h"
#include "Bsskinform.h"
#include "ChineseFonts.h"
#include "CppWebBrowser.h"
#include "Exception.h"
#include "GbkText.h"
#include "SkinCtrlDM.h"
#include "StockChart.h"
#include "WindowLook.h"

#include <QLabel>
#include <QShowEvent>

TChartForm* ChartForm = nullptr;

namespace {

TbsSkinData* ProgramSkin()
{
    return SkinCtrlModule ? SkinCtrlModule->bsSkinData1 : nullptr;
}

} // namespace

TChartForm::TChartForm(QWidget* owner)
    : QWidget(owner, Qt::Window)
    , chart_(std::make_unique<TStockChart>())
{
    setObjectName(QStringLiteral("ChartForm"));
    setWindowTitle(QStringLiteral("图表"));
    setFont(ChineseFont(11));

    bsSkinForm1 = new TbsSkinForm(this);
    bsSkinForm1->SetBorderStyle(bsSingle);
    bsSkinForm1->SetDisableSystemMenu(true);
    bsSkinForm1->SetBorderIcons(biSystemMenu);
    bsSkinForm1->SetSkinData(ProgramSkin());
    bsSkinForm1->SetClientWidth(611);
    bsSkinForm1->SetClientHeight(396);

    // The frame keeps the client area inside the window's contents margins;
    // the controls sit at their places within it.
    auto* client = new QWidget(this);
    client_ = client;

    CppWebBrowser1 = new TCppWebBrowser(client);
    CppWebBrowser1->setGeometry(0, 0, 611, 345);

    notice_ = new QLabel(client);
    notice_->setObjectName(QStringLiteral("notice"));
    notice_->setGeometry(0, 0, 611, 345);
    notice_->setAlignment(Qt::AlignCenter);
    notice_->setWordWrap(true);
    notice_->setTextFormat(Qt::PlainText); // it repeats what was typed
    notice_->setFont(ChineseFont(14));
    notice_->setStyleSheet(QStringLiteral("QLabel { background: white; color: #404040; }"));
    notice_->hide();

    cbbChartSet = new TbsSkinComboBox(client);
    cbbChartSet->SetSkinData(ProgramSkin());
    cbbChartSet->SetSkinDataName("combobox");
    cbbChartSet->SetDefaultFont(font());
    cbbChartSet->setGeometry(16, 360, 137, 20);
    std::vector<std::string> kinds;
    for (const TChartKind& kind : ChartKinds)
        kinds.push_back(kind.caption);
    cbbChartSet->SetItems(kinds);
    cbbChartSet->SetItemIndex(0);
    cbbChartSet->SetDropDownCount(8);

    edtStockNum = new TbsSkinEdit(client);
    edtStockNum->SetSkinData(ProgramSkin());
    edtStockNum->SetSkinDataName("edit");
    edtStockNum->SetDefaultFont(font());
    edtStockNum->setGeometry(184, 360, 121, 18);

    btnView = new TbsSkinButton(client);
    btnView->SetSkinData(ProgramSkin());
    btnView->SetSkinDataName("button");
    btnView->SetDefaultFont(font());
    btnView->SetCaption(Gbk("查看"));
    btnView->setGeometry(312, 361, 75, 25);

    lbl1 = new TbsSkinStdLabel(client);
    lbl1->SetSkinData(ProgramSkin());
    lbl1->SetSkinDataName("stdlabel");
    lbl1->SetDefaultFont(font());
    lbl1->SetCaption(Gbk("上海加sh,深圳加sz"));
    lbl1->move(400, 360);

    chart_->Web = [this](const std::string& address) {
        notice_->hide();
        CppWebBrowser1->Navigate(QString::fromStdString(address).toStdU16String());
    };
    cbbChartSet->OnCloseUp = [this](QObject* sender) { RunHandler([&] { cbbChartSetCloseUp(sender); }); };
    btnView->OnClick = [this](QObject* sender) { RunHandler([&] { btnViewClick(sender); }); };
}

TChartForm::~TChartForm() = default;

void TChartForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    client_->setGeometry(contentsRect());
}

void TChartForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    client_->setGeometry(contentsRect());
    if (!centred_) {
        centred_ = true;
        CentreWindow(this, parentWidget() ? parentWidget()->window() : nullptr);
    }
}

void TChartForm::SetStockCode(const std::string& code)
{
    edtStockNum->SetText(code);
    chart_->SetStockCode(code);
}

std::string TChartForm::StockCode() const
{
    return chart_->StockCode();
}

bool TChartForm::NoticeShown() const
{
    return !notice_->isHidden();
}

void TChartForm::ShowSelectedChart()
{
    const int kind = cbbChartSet->ItemIndex();
    if (kind < 0)
        return;
    if (!chart_->ShowChart(kind)) {
        // No market follows from the code: no picture rather than the
        // previous stock's.
        CppWebBrowser1->Navigate(std::u16string());
        notice_->setText(
            QStringLiteral("“%1”不是可以查看的股票代码。\n上海的代码加sh，深圳的代码加sz，例如sh600000。")
                .arg(GbkToQString(edtStockNum->Text())));
        notice_->show();
        notice_->raise();
    }
}

void TChartForm::cbbChartSetCloseUp(QObject*)
{
    ShowSelectedChart();
}

void TChartForm::btnViewClick(QObject*)
{
    const std::string code = edtStockNum->Text();
    if (code.empty())
        throw Exception("Range check error");
    SetStockCode(code);
    ShowSelectedChart();
}
