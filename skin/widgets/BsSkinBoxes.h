#pragma once
// The skinned scroll bar and the skinned list box: an inner list drawn item
// by item from the "listbox" control skin, with skinned scroll bars that
// replace the platform's own and are created only while needed.

#include "BsScrollGeometry.h"
#include "BsSkinCtrls.h"

#include <QListWidget>
#include <QStyle>
#include <QTimer>

enum TScrollBarKind { sbHorizontal, sbVertical };

class TbsSkinScrollBar : public TbsSkinCustomControl {
    Q_OBJECT
public:
    explicit TbsSkinScrollBar(QWidget* parent = nullptr);

    TScrollBarKind Kind() const { return kind_; }
    // Switches the skin name to "hscrollbar"/"vscrollbar" and swaps width and height.
    void SetKind(TScrollBarKind value);
    int Min() const { return range_.Min; }
    int Max() const { return range_.Max; }
    int Position() const { return range_.Position; }
    int PageSize() const { return range_.PageSize; }
    void SetMin(int value);
    void SetMax(int value);
    // Clamps to [Min, Max - PageSize + 1] (with a page) or [Min, Max];
    // raises OnChange only when the stored value changes.
    void SetPosition(int value);
    // Accepted only when Max - Min + 1 >= value + Position.
    void SetPageSize(int value);
    void SetRange(int min, int max, int pageSize, int position);
    // Moves Position by delta (clamped like SetPosition, never overflowing).
    void ScrollBy(long long delta);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int value) { smallChange_ = value; }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int value) { largeChange_ = value; }
    bool CanFocused() const { return canFocused_; }
    void SetCanFocused(bool value);
    // A horizontal bar drawn with the corner piece for a neighbouring
    // vertical bar (skin name BothSkinDataName while set).
    bool Both() const { return both_; }
    void SetBoth(bool value);
    int BothMarkerWidth() const { return bothMarkerWidth_; }
    void SetBothMarkerWidth(int value);
    const std::string& BothSkinDataName() const { return bothSkinDataName_; }
    void SetBothSkinDataName(const std::string& value);

    // Track, buttons and thumb at the current size and range.
    TbsScrollBarRects CurrentRects() const;

    TNotifyEvent OnChange;
    TNotifyEvent OnLastChange; // the left button released after a thumb drag
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;
    TNotifyEvent OnPageUp;
    TNotifyEvent OnPageDown;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void MouseLeave() override;
    void CreateControlDefaultImage(QImage& image) override;
    void CreateControlSkinImage(QImage& image, const TbsSkinLook& look) override;

private:
    enum Part { ptNone = -1, ptThumb = 0, ptUp = 1, ptDown = 2, ptPageUp = 3, ptPageDown = 4 };
    Part PartAt(QPoint p) const;
    void Step(Part part);
    void TimerTick();
    int Along(QPoint p) const { return kind_ == sbVertical ? p.y() : p.x(); }

    TScrollBarKind kind_ = sbHorizontal;
    TbsScrollRange range_;
    int smallChange_ = 1;
    int largeChange_ = 1;
    bool canFocused_ = false;
    bool both_ = false;
    int bothMarkerWidth_ = 19;
    std::string bothSkinDataName_ = "bothhscrollbar";
    std::string plainSkinDataName_;

    Part pressed_ = ptNone;
    Part hover_ = ptNone;
    QPoint mousePos_;
    int dragStart_ = 0; // mouse position along the bar at the press
    int dragThumbOffset_ = 0; // thumb start - track start at the press
    QTimer timer_;
    TbsWheelSteps wheel_;
};

class TbsSkinListBox;

// The list inside a skinned list box: drawn by its owner, no frame and no
// scroll bars of its own (it keeps their range and position).
class TbsListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TbsListBox(TbsSkinListBox* owner);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString& search) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    TbsSkinListBox* owner_;
    bool pressedOnItem_ = false;
    TbsWheelSteps wheel_;
};

// Draws an item's content instead of the list box (canvas, index, text rect, state).
using TbsDrawItemEvent
    = std::function<void(QPainter& painter, int index, const QRect& textRect, QStyle::State state)>;

class TbsSkinListBox : public TbsSkinCustomControl {
    Q_OBJECT
public:
    explicit TbsSkinListBox(QWidget* parent = nullptr, const std::string& skinDataName = "listbox");
    // The inner list dies with the children, after this object is gone: its
    // model must no longer call back into it.
    ~TbsSkinListBox() override;

    // --- items, as GBK bytes
    int ItemCount() const;
    std::string Item(int index) const;
    std::vector<std::string> Items() const;
    void SetItems(const std::vector<std::string>& items);
    void AddItem(const std::string& text);
    void InsertItem(int index, const std::string& text);
    void SetItem(int index, const std::string& text);
    void DeleteItem(int index);
    void MoveItem(int from, int to);
    void ClearItems();
    // -1 when nothing is selected.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The first visible row.
    int TopIndex() const;
    void SetTopIndex(int index);

    bool UseSkinItemHeight() const { return useSkinItemHeight_; }
    void SetUseSkinItemHeight(bool value);
    int DefaultItemHeight() const { return defaultItemHeight_; }
    void SetDefaultItemHeight(int value);
    // Rows the control's height fits (0: free height).
    int RowCount() const { return rowCount_; }
    void SetRowCount(int value);
    bool HorizontalExtent() const { return horizontalExtent_; }
    void SetHorizontalExtent(bool value);
    int ItemHeight() const;

    TbsListBox* ListBox() const { return list_; }
    TbsSkinScrollBar* VScrollBar() const { return vScrollBar_; }
    TbsSkinScrollBar* HScrollBar() const { return hScrollBar_; }
    int HorizontalOffset() const { return hOffset_; }

    void ChangeSkinData() override;
    // Creates, removes and sets the scroll bars to the list's state.
    void UpDateScrollBar();

    TNotifyEvent OnListBoxClick;
    TNotifyEvent OnListBoxDblClick;
    TbsDrawItemEvent OnDrawItem;

    // Draws item index into painter at r (the inner list calls it).
    void DrawItem(QPainter& painter, const QRect& r, int index, QStyle::State state);
    // The inner list's background.
    void DrawListBackground(QPainter& painter, const QRect& r);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void CreateControlDefaultImage(QImage& image) override;

private:
    friend class TbsListBox;
    void CalcRects();
    void ApplyRowCount();
    void ApplyItemHeight();
    int VisibleRows() const;
    void CreateVScrollBar();
    void CreateHScrollBar();
    std::string ScrollBarName(bool vertical) const;

    TbsListBox* list_;
    TbsSkinScrollBar* vScrollBar_ = nullptr;
    TbsSkinScrollBar* hScrollBar_ = nullptr;
    bool useSkinItemHeight_ = true;
    int defaultItemHeight_ = 20;
    int rowCount_ = 0;
    bool horizontalExtent_ = false;
    int hOffset_ = 0;
    bool updatingBars_ = false;
};
