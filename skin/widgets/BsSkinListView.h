#pragma once
// The skinned list view in report view: rows of a caption and sub-items under
// column headers drawn from a button control skin, whole-row selection,
// a hand pointer over rows, and refills inside update blocks.

#include "BsSkinBoxes.h"
#include "BsSkinCtrls.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QTreeView>

#include <map>
#include <vector>

struct TbsListColumn {
    std::string Caption; // GBK bytes
    int Width = 50;
    TAlignment Alignment = taLeftJustify;
};

// How rows react to the mouse: htHandPoint shows a hand pointer over rows.
enum TbsHotTrackStyle { htNone, htHandPoint };

class TbsSkinListView;

// The rows and columns behind the list view; texts are kept as GBK bytes
// and turned into text only when a cell is drawn.
class TbsListViewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TbsListViewModel(QObject* parent)
        : QAbstractTableModel(parent)
    {
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    std::vector<TbsListColumn> Columns;
    // Each row: the caption, then the sub-items.
    std::vector<std::vector<std::string>> Rows;
    bool InBlock = false;

private:
    friend class TbsSkinListView;
};

// Column headers drawn with the button skin named by the list view's
// HeaderSkinDataName.
class TbsSkinListHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit TbsSkinListHeader(TbsSkinListView* owner);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TbsSkinListView* owner_;
    int pressed_ = -1;
};

class TbsSkinListView : public QTreeView, public TbsSkinnable {
    Q_OBJECT
public:
    explicit TbsSkinListView(QWidget* parent = nullptr);

    // --- columns and rows (texts as GBK bytes)
    void SetColumns(const std::vector<TbsListColumn>& columns);
    int ColumnCount() const { return static_cast<int>(model_->Columns.size()); }
    TbsListColumn Column(int index) const;
    // Holds repaints and collects row changes until the matching EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    // Appends a row; answers its index.
    int AddItem(const std::string& caption, const std::vector<std::string>& subItems = {});
    void DeleteItem(int index);
    void Clear();
    int ItemCount() const { return static_cast<int>(model_->Rows.size()); }
    std::string Caption(int row) const;
    std::string SubItem(int row, int index) const;
    // The selected row, -1 when none.
    int ItemIndex() const;
    void SetItemIndex(int row);

    // --- look
    const QFont& DefaultFont() const { return defaultFont_; }
    void SetDefaultFont(const QFont& value);
    TColor DefaultFontColor() const { return defaultFontColor_; }
    void SetDefaultFontColor(TColor value);
    TColor DefaultColor() const { return defaultColor_; }
    void SetDefaultColor(TColor value);
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool value);
    const std::string& HeaderSkinDataName() const { return headerSkinDataName_; }
    void SetHeaderSkinDataName(const std::string& value);
    TbsHotTrackStyle HotTrackStyle() const { return hotTrack_; }
    void SetHotTrackStyle(TbsHotTrackStyle value);
    bool ReadOnly() const { return true; }
    // Skinned scroll bars ("vscrollbar", "hscrollbar", "bothhscrollbar") in
    // place of the platform's; off by default.
    bool UseSkinScrollBars() const { return useSkinScrollBars_; }
    void SetUseSkinScrollBars(bool value);
    TbsSkinScrollBar* VScrollBar() const { return vBar_; }
    TbsSkinScrollBar* HScrollBar() const { return hBar_; }

    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;

    // A click in the list (the left button released over its rows area).
    TNotifyEvent OnClick;

    TbsSkinListHeader* Header() const { return header_; }

protected:
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;

private:
    void ApplyLook();
    // Shows, sizes and sets the skinned bars to the platform bars' state.
    void UpdateSkinScrollBars();

    TbsListViewModel* model_;
    TbsSkinListHeader* header_;
    QFont defaultFont_;
    TColor defaultFontColor_ = 0;
    TColor defaultColor_ = clWindow;
    bool useSkinFont_ = true;
    std::string headerSkinDataName_ = "resizebutton";
    TbsHotTrackStyle hotTrack_ = htNone;
    int updateCount_ = 0;
    bool useSkinScrollBars_ = false;
    TbsSkinScrollBar* vBar_ = nullptr;
    TbsSkinScrollBar* hBar_ = nullptr;
    bool syncing_ = false;
};
