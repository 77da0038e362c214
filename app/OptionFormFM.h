#pragma once
// The option dialog: edits the list of stock codes the main window shows and
// saves it to the code list file. One instance lives from start-up to the end
// of the program; the main window shows it modally.

#include <QWidget>
#include <memory>
#include <string>

#include "Stockcodeconfig.h"

class QShowEvent;
class QCloseEvent;
class QKeyEvent;
class TbsSkinForm;
class TbsSkinPageControl;
class TbsSkinTabSheet;
class TbsSkinListBox;
class TbsSkinPanel;
class TbsSkinTextLabel;
class TbsSkinStdLabel;
class TbsSkinEdit;
class TbsSkinButton;

// Whether text is a code the list accepts: "sh" or "sz" in any letter case
// and six digits, after trimming blanks at both ends. On success *code gets
// the code with a lower-case prefix.
bool NormalizeStockCode(const std::string& text, std::string* code);

class TOptionForm : public QWidget {
    Q_OBJECT
public:
    // codeFile: the code list file the dialog loads and saves.
    explicit TOptionForm(QWidget* owner = nullptr, const std::string& codeFile = StockCodeFileName);
    ~TOptionForm() override;

    // Shows the dialog modally and returns when it closes.
    int ShowModal();

    // The layout.
    TbsSkinForm* bsSkinForm1 = nullptr;
    TbsSkinPageControl* bsSkinPageControl1 = nullptr;
    TbsSkinTabSheet* bsSkinTabSheet1 = nullptr;
    TbsSkinListBox* lstStoceCode = nullptr;
    TbsSkinPanel* bsSkinPanel1 = nullptr;
    TbsSkinTextLabel* bsSkinTextLabel1 = nullptr;
    TbsSkinStdLabel* lbl1 = nullptr;
    TbsSkinEdit* edtStoceCode = nullptr;
    TbsSkinButton* btnAddStoceCode = nullptr;
    TbsSkinButton* btnDelStockCode = nullptr;
    TbsSkinButton* btnEdit = nullptr;
    TbsSkinButton* btnMoveUp = nullptr;
    TbsSkinButton* btnMoveDown = nullptr;
    TbsSkinPanel* bsSkinPanel2 = nullptr;
    TbsSkinButton* btnSave = nullptr;
    TbsSkinButton* btnCancel = nullptr;

    // Event handlers.
    void FormActivate(QObject* sender);
    void lstStoceCodeClick(QObject* sender);
    void btnAddStoceCodeClick(QObject* sender);
    void btnDelStockCodeClick(QObject* sender);
    void btnEditClick(QObject* sender);
    void btnMoveUpClick(QObject* sender);
    void btnMoveDownClick(QObject* sender);
    void btnSaveClick(QObject* sender);
    void btnCancelClick(QObject* sender);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<TStockCodeConfig> config_;
};

// Created by the entry routine right after the main window; alive until the end.
extern TOptionForm* OptionForm;
