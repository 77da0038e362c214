#pragma once
// The About dialog: the program's name and version, its terms and the
// maker's addresses. Created per use with the main window as owner and handed
// to nuv::FormShowModal, which shows it modally and destroys it.

#include <QWidget>
#include <string>

class TbsSkinForm;
class TbsSkinTextLabel;
class TbsSkinLinkLabel;
class TbsSkinButton;

// The maker's mail address (a build setting), or empty.
const std::string& MakerMailAddress();

class TAboutForm : public QWidget {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* owner = nullptr);
    ~TAboutForm() override;

    TbsSkinForm* bsSkinForm1 = nullptr;
    TbsSkinTextLabel* bsSkinTextLabel1 = nullptr;
    TbsSkinLinkLabel* lbl1 = nullptr; // the maker's home page; hidden without one
    TbsSkinLinkLabel* lbl2 = nullptr; // the maker's mail; hidden without one
    TbsSkinButton* btnClose = nullptr;

    void btnCloseClick(QObject* sender);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* client_ = nullptr;
};
