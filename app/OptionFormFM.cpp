#include "OptionFormFM.h"

#include "BsSkinBoxes.h"
#include "BsSkinButtons.h"
#include "BsSkinEdit.h"
#include "BsSkinLabels.h"
#include "BsSkinPanel.h"
#include "BsSkinTabs.h"
#include "Bsskinform.h"
#include "ChineseFonts.h"
#include "NuvGui.h"
#include "SkinCtrlDM.h"
#include "Stockcodeconfig.h"
#include "WindowLook.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QShowEvent>
#include <QVBoxLayout>

#include <cctype>

TOptionForm* OptionForm = nullptr;

bool NormalizeStockCode(const std::string& text, std::string* code)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t first = 0, last = text.size();
    while (first < last && blank(text[first]))
        ++first;
    while (last > first && blank(text[last - 1]))
        --last;
    if (last - first != 8)
        return false;
    std::string result = text.substr(first, 8);
    result[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(result[0])));
    result[1] = static_cast<char>(std::tolower(static_cast<unsigned char>(result[1])));
    if (result.compare(0, 2, "sh") != 0 && result.compare(0, 2, "sz") != 0)
        return false;
    for (std::size_t i = 2; i < 8; ++i)
        if (result[i] < '0' || result[i] > '9')
            return false;
    if (code)
        *code = result;
    return true;
}

namespace {

TbsSkinData* ProgramSkin()
{
    return SkinCtrlModule ? SkinCtrlModule->bsSkinData1 : nullptr;
}

TbsSkinButton* MakeButton(QWidget* parent, const char* caption, QRect place, QWidget* form)
{
    auto* button = new TbsSkinButton(parent);
    button->SetSkinData(ProgramSkin());
    button->SetSkinDataName("button");
    button->SetDefaultFont(form->font());
    button->SetCaption(Gbk(caption));
    button->SetCanFocused(false);
    button->setGeometry(place);
    return button;
}

// Tells the user what the list accepts.
void ExplainCode(QWidget* owner)
{
    nuv::HintBox(Gbk("股票代码是sh（上证）或sz（深证）加六位数字，例如sh600000、sz000001。"),
        nuv::kHintCaption, owner);
}

} // namespace

TOptionForm::TOptionForm(QWidget* owner, const std::string& codeFile)
    : QWidget(owner, Qt::Window)
    , config_(std::make_unique<TStockCodeConfig>(codeFile))
{
    setObjectName(QStringLiteral("OptionForm"));
    setWindowTitle(QStringLiteral("选项"));
    setFont(ChineseFont(14));

    bsSkinForm1 = new TbsSkinForm(this);
    bsSkinForm1->SetBorderStyle(bsSingle);
    bsSkinForm1->SetHideCaptionButtons(true);
    bsSkinForm1->SetSkinData(ProgramSkin());
    bsSkinForm1->SetClientWidth(311);
    bsSkinForm1->SetClientHeight(281);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    bsSkinPageControl1 = new TbsSkinPageControl(this);
    bsSkinPageControl1->SetSkinData(ProgramSkin());
    bsSkinPageControl1->SetSkinDataName("tab");
    bsSkinPageControl1->SetDefaultFont(font());
    bsSkinPageControl1->setFixedHeight(236);
    layout->addWidget(bsSkinPageControl1);
    bsSkinTabSheet1 = bsSkinPageControl1->AddPage(Gbk("股票设定"));

    auto* pageLayout = new QHBoxLayout(bsSkinTabSheet1);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(0);
    lstStoceCode = new TbsSkinListBox(bsSkinTabSheet1, "listbox");
    lstStoceCode->SetSkinData(ProgramSkin());
    lstStoceCode->SetDefaultFont(font());
    lstStoceCode->setFixedWidth(160);
    pageLayout->addWidget(lstStoceCode);
    bsSkinPanel1 = new TbsSkinPanel(bsSkinTabSheet1);
    bsSkinPanel1->SetSkinData(ProgramSkin());
    bsSkinPanel1->SetSkinDataName("panel");
    bsSkinPanel1->setMinimumWidth(140);
    pageLayout->addWidget(bsSkinPanel1);

    bsSkinTextLabel1 = new TbsSkinTextLabel(bsSkinPanel1);
    bsSkinTextLabel1->SetSkinData(ProgramSkin());
    bsSkinTextLabel1->SetSkinDataName("stdlabel");
    bsSkinTextLabel1->SetDefaultFont(font());
    bsSkinTextLabel1->SetLines({ Gbk("上证股票代码前加sh"), Gbk("深证股票代码前加sz") });
    // Two lines of the desktop's font need more room than the 28 pixels of a
    // bitmap font; the label takes the panel's width and the room above lbl1.
    bsSkinTextLabel1->setGeometry(8, 8, 138, 44);

    lbl1 = new TbsSkinStdLabel(bsSkinPanel1);
    lbl1->SetSkinData(ProgramSkin());
    lbl1->SetSkinDataName("stdlabel");
    lbl1->SetDefaultFont(font());
    lbl1->SetCaption(Gbk("股票代码"));
    lbl1->move(8, 64);

    edtStoceCode = new TbsSkinEdit(bsSkinPanel1);
    edtStoceCode->SetSkinData(ProgramSkin());
    edtStoceCode->SetSkinDataName("edit");
    edtStoceCode->SetDefaultFont(font());
    edtStoceCode->setGeometry(8, 80, 113, 18);

    btnAddStoceCode = MakeButton(bsSkinPanel1, "添加", QRect(8, 104, 57, 25), this);
    btnDelStockCode = MakeButton(bsSkinPanel1, "删除", QRect(72, 104, 57, 25), this);
    btnEdit = MakeButton(bsSkinPanel1, "修改", QRect(8, 136, 57, 25), this);
    btnMoveUp = MakeButton(bsSkinPanel1, "上移", QRect(8, 168, 57, 25), this);
    btnMoveDown = MakeButton(bsSkinPanel1, "下移", QRect(72, 168, 57, 25), this);

    bsSkinPanel2 = new TbsSkinPanel(this);
    bsSkinPanel2->SetSkinData(ProgramSkin());
    bsSkinPanel2->SetSkinDataName("panel");
    bsSkinPanel2->setFixedHeight(45);
    layout->addWidget(bsSkinPanel2);
    btnSave = MakeButton(bsSkinPanel2, "保存", QRect(72, 8, 75, 25), this);
    btnCancel = MakeButton(bsSkinPanel2, "取消", QRect(176, 8, 75, 25), this);

    const auto wire = [this](auto handler) {
        return [this, handler](QObject* sender) { RunHandler([&] { (this->*handler)(sender); }); };
    };
    lstStoceCode->OnListBoxClick = wire(&TOptionForm::lstStoceCodeClick);
    btnAddStoceCode->OnClick = wire(&TOptionForm::btnAddStoceCodeClick);
    btnDelStockCode->OnClick = wire(&TOptionForm::btnDelStockCodeClick);
    btnEdit->OnClick = wire(&TOptionForm::btnEditClick);
    btnMoveUp->OnClick = wire(&TOptionForm::btnMoveUpClick);
    btnMoveDown->OnClick = wire(&TOptionForm::btnMoveDownClick);
    btnSave->OnClick = wire(&TOptionForm::btnSaveClick);
    btnCancel->OnClick = wire(&TOptionForm::btnCancelClick);
}

TOptionForm::~TOptionForm() = default;

int TOptionForm::ShowModal()
{
    CentreWindow(this, parentWidget() ? parentWidget()->window() : nullptr);
    return nuv::RunFormModal(this);
}

void TOptionForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        RunHandler([this] { FormActivate(this); });
}

void TOptionForm::closeEvent(QCloseEvent* event)
{
    // Closing in any way is cancelling: nothing is saved.
    event->accept();
}

void TOptionForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TOptionForm::FormActivate(QObject*)
{
    std::vector<std::string> entries = lstStoceCode->Items();
    config_->Load(entries);
    lstStoceCode->SetItems(entries);
}

void TOptionForm::lstStoceCodeClick(QObject*)
{
    const int index = lstStoceCode->ItemIndex();
    if (index >= 0)
        edtStoceCode->SetText(lstStoceCode->Item(index));
}

void TOptionForm::btnAddStoceCodeClick(QObject*)
{
    std::string code;
    if (!NormalizeStockCode(edtStoceCode->Text(), &code)) {
        ExplainCode(this);
        return;
    }
    const int selection = lstStoceCode->ItemIndex();
    lstStoceCode->AddItem(code);
    lstStoceCode->SetItemIndex(selection);
}

void TOptionForm::btnDelStockCodeClick(QObject*)
{
    const int index = lstStoceCode->ItemIndex();
    if (index >= 0)
        lstStoceCode->DeleteItem(index);
}

void TOptionForm::btnEditClick(QObject*)
{
    const int index = lstStoceCode->ItemIndex();
    if (index < 0)
        return;
    std::string code;
    if (!NormalizeStockCode(edtStoceCode->Text(), &code)) {
        ExplainCode(this);
        return;
    }
    lstStoceCode->SetItem(index, code);
    lstStoceCode->SetItemIndex(index);
}

void TOptionForm::btnMoveUpClick(QObject*)
{
    const int index = lstStoceCode->ItemIndex();
    if (index <= 0)
        return;
    lstStoceCode->MoveItem(index, index - 1);
    lstStoceCode->SetItemIndex(-1);
    lstStoceCode->ListBox()->setFocus();
}

void TOptionForm::btnMoveDownClick(QObject*)
{
    const int index = lstStoceCode->ItemIndex();
    if (index < 0 || index >= lstStoceCode->ItemCount() - 1)
        return;
    lstStoceCode->MoveItem(index, index + 1);
    lstStoceCode->SetItemIndex(-1);
}

void TOptionForm::btnSaveClick(QObject*)
{
    // A save that fails raises before the dialog closes, so it stays open
    // with its entries.
    config_->Save(lstStoceCode->Items());
    close();
}

void TOptionForm::btnCancelClick(QObject*)
{
    close();
}
