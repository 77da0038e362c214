#pragma once
// TNuvWebSerachPanel: a small search box. An engine icon on the left drops
// down a menu of search services (谷歌搜索, 淘宝搜索), a borderless edit box
// takes the term, and a magnifying-glass button on the right, or Enter in the
// edit box, turns the term into the chosen service's search address and hands
// it to OnSerachButtonClick. The panel opens nothing itself.
//
// The panel is always 24 pixels high; at width W the button sits at W − 20
// and the edit box spans 24 … W − 24.

#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class QLineEdit;
class TMenuItem;
class TNuvWebSerach;
class TPopupMenu;

// sender: what started the search (the button or the edit box); str: the
// complete search address.
using TSerachButtonClickEvent = std::function<void(QObject* sender, const std::string& str)>;

// A picture control: draws its 16 × 16 picture with the colour of the
// lower-left pixel left out, and reports left clicks.
class TNuvImage : public QWidget {
    Q_OBJECT
public:
    explicit TNuvImage(QWidget* parent = nullptr);
    const QImage& Picture() const { return picture_; }
    void SetPicture(const QImage& picture);
    std::function<void(QObject* sender)> OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    QImage shown_; // the picture with its transparent colour cut out
};

class TNuvWebSerachPanel : public QWidget {
    Q_OBJECT
public:
    explicit TNuvWebSerachPanel(QWidget* owner = nullptr);
    ~TNuvWebSerachPanel() override;

    static const int FDefaultTop; // 4: top of both pictures; the edit box one lower
    static const int FDefaultHeight; // 16: height of the pictures and the edit box

    // The background colour as 0x00BBGGRR; the edit box takes it too.
    unsigned Color() const { return color_; }
    void SetColor(unsigned bgr);

    // The term (GBK text).
    std::string GetText() const;
    void SetText(const std::string& text);

    const TSerachButtonClickEvent& OnSerachButtonClick() const { return onSerachButtonClick_; }
    void SetOnSerachButtonClick(TSerachButtonClickEvent handler)
    {
        onSerachButtonClick_ = std::move(handler);
    }

    // The parts, for the window that places the panel (the menu's presenter)
    // and for tests.
    QLineEdit* SubEdit() const { return FSubEdit; }
    TPopupMenu* SubMenu() const { return FSubMenu; }
    TNuvImage* SubLeftImage() const { return FSubLeftImage; }
    TNuvImage* SubRightImage() const { return FSubRightImage; }
    int EngineIndex() const { return FEngineIndex; }

    // Handlers.
    void SubLeftImageClick(QObject* sender);
    void SubMenuItemClick(QObject* sender);
    void SubRightImageClick(QObject* sender);
    // Enter (key 13, or Qt's Return and Enter keys) runs the button's click
    // with the edit box as sender; other keys are ignored.
    void SubEditKeyDown(QObject* sender, int key);

    TMenuItem* AddMenuItem();
    TMenuItem* AddGoogleMenuItem();
    TMenuItem* AddBaiDuMenuItem();
    TMenuItem* AddTaoBaoMenuItem();
    TMenuItem* AddSogouMenuItem();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void InitSubControl();
    void InitFSubLeftImage();
    void InitFSubRightImage();
    void InitFSubEdit();
    void InitFSubMenu();
    void SetSubControlSize();
    void SetFSubLeftImageSize() { }
    void SetFSubRightImageSize();
    void SetFSubEditSize();
    TMenuItem* AddEngineItem(const char* utf8Caption, const char* picture);

    std::unique_ptr<TNuvWebSerach> FWebSerach;
    QLineEdit* FSubEdit = nullptr;
    TPopupMenu* FSubMenu = nullptr;
    TNuvImage* FSubLeftImage = nullptr;
    TNuvImage* FSubRightImage = nullptr;
    int FEngineIndex = 0;
    unsigned color_ = 0xFFFFFF;
    TSerachButtonClickEvent onSerachButtonClick_;
};
