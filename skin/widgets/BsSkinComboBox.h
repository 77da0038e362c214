#pragma once
// The skinned combo box (fixed list style): the frame, button and selected
// item drawn from a "combobox" control skin, with a drop-down list that is a
// skinned list box in a pop-up window.

#include "BsSkinBoxes.h"
#include "BsSkinCtrls.h"

enum TbsComboBoxStyle { bscbFixedStyle };

class TbsSkinComboBox;

// The drop-down list: a skinned list box shown as a borderless pop-up.
class TbsPopupListBox : public TbsSkinListBox {
    Q_OBJECT
public:
    explicit TbsPopupListBox(TbsSkinComboBox* combo);

protected:
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TbsSkinComboBox* combo_;
};

class TbsSkinComboBox : public TbsSkinCustomControl {
    Q_OBJECT
public:
    explicit TbsSkinComboBox(QWidget* parent = nullptr);
    ~TbsSkinComboBox() override;

    // --- items, as GBK bytes
    const std::vector<std::string>& Items() const { return items_; }
    void SetItems(const std::vector<std::string>& items);
    void AddItem(const std::string& text);
    void ClearItems();
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    // The selected item's text (empty without one).
    std::string Text() const;
    TbsComboBoxStyle Style() const { return bscbFixedStyle; }

    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value) { dropDownCount_ = std::max(value, 1); }
    bool UseSkinSize() const { return useSkinSize_; }
    void SetUseSkinSize(bool value);
    // 0: the combo's width.
    int ListBoxWidth() const { return listBoxWidth_; }
    void SetListBoxWidth(int value) { listBoxWidth_ = value; }
    bool ListBoxUseSkinItemHeight() const { return listBoxUseSkinItemHeight_; }
    void SetListBoxUseSkinItemHeight(bool value) { listBoxUseSkinItemHeight_ = value; }
    int ListBoxDefaultItemHeight() const { return listBoxDefaultItemHeight_; }
    void SetListBoxDefaultItemHeight(int value) { listBoxDefaultItemHeight_ = value; }

    // Opens the list (nothing without items).
    void DropDown();
    // Closes it; accepted takes the list's selection.
    void CloseUp(bool accept);
    bool DroppedDown() const { return droppedDown_; }
    TbsPopupListBox* PopupList() const { return popup_; }

    // The button and item area at the current size.
    QRect ButtonRect() const;
    QRect ItemArea() const;

    void ChangeSkinData() override;
    QSize CalcSize(QSize size) const override;

    TNotifyEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void CreateControlDefaultImage(QImage& image) override;
    void CreateControlSkinImage(QImage& image, const TbsSkinLook& look) override;

private:
    friend class TbsPopupListBox;
    void CalcRects(TRect& button, TRect& item) const;
    // Moves the selection by delta (keys), raising OnChange and OnClick.
    void Step(int delta);
    void DrawItemText(QPainter& painter, const QRect& r, const QColor& color, const QFont& font);
    bool ActiveLook() const;

    std::vector<std::string> items_;
    int itemIndex_ = -1;
    int dropDownCount_ = 8;
    bool useSkinSize_ = true;
    int listBoxWidth_ = 0;
    bool listBoxUseSkinItemHeight_ = true;
    int listBoxDefaultItemHeight_ = 20;
    TbsPopupListBox* popup_ = nullptr;
    bool droppedDown_ = false;
    int savedIndex_ = -1;
    bool buttonPressed_ = false;
    bool mouseOverButton_ = false;
    TbsWheelSteps wheel_;
};
