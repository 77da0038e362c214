#pragma once
// The skinned page control: tabs drawn from the tab looks of a "tab" control
// skin and the active page framed by the entry's border, the active tab
// joining its page.

#include "BsSkinCtrls.h"

#include <vector>

class TbsSkinPageControl;

// One page; its children are the page's controls.
class TbsSkinTabSheet : public QWidget {
    Q_OBJECT
public:
    explicit TbsSkinTabSheet(TbsSkinPageControl* pageControl);

    // The tab's caption, as GBK bytes.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    const QImage& WallPaper() const { return wallPaper_; }
    void SetWallPaper(const QImage& value);
    TbsSkinPageControl* PageControl() const { return pageControl_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TbsSkinPageControl* pageControl_;
    std::string caption_;
    QImage wallPaper_;
};

class TbsSkinPageControl : public QWidget, public TbsSkinnable {
    Q_OBJECT
public:
    explicit TbsSkinPageControl(QWidget* parent = nullptr);

    // Appends a page with the caption (GBK bytes).
    TbsSkinTabSheet* AddPage(const std::string& caption);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    TbsSkinTabSheet* Page(int index) const;
    int ActivePageIndex() const { return active_; }
    void SetActivePageIndex(int index);
    TbsSkinTabSheet* ActivePage() const { return Page(active_); }

    const QFont& DefaultFont() const { return defaultFont_; }
    void SetDefaultFont(const QFont& value);
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool value);
    // Tab height without a skin.
    int DefaultItemHeight() const { return defaultItemHeight_; }
    void SetDefaultItemHeight(int value);

    // Where tab index is drawn, and the framed area below the tabs.
    QRect TabRect(int index) const;
    QRect FrameRect() const;
    // The area the pages fill.
    QRect PageRect() const;
    int TabsHeight() const;

    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;

    TNotifyEvent OnChange;

    // The page look of the skin in r (used by the pages).
    void DrawPageBackground(QPainter& painter, const QRect& r, const QPoint& origin) const;
    QImage RenderImage() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    friend class TbsSkinTabSheet;
    void LayoutPages();
    QFont TabFont() const;
    void DrawTab(QPainter& painter, int index) const;

    std::vector<TbsSkinTabSheet*> pages_;
    int active_ = -1;
    int hover_ = -1;
    QFont defaultFont_;
    bool useSkinFont_ = true;
    int defaultItemHeight_ = 20;
};
