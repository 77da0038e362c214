#pragma once
// The common scheme of every skinned control: the binding to a skin data
// component and one of its control skins (SkinData, SkinDataName), the
// reaction to the skin data's announcements, and, for custom controls, the
// look built from the control skin's resizable image (or the built-in look
// while there is no skin).
//
// A control never keeps a pointer into the skin: it looks its entry up by name
// whenever it draws or is told of a change, and between the "before change"
// and "change" announcements it draws its built-in look. What it draws with
// is a copy of its entry with every figure clipped to the entry's picture,
// and a size a skin asks of a control is never larger than the screens.

#include "BsControlGeometry.h"
#include "BsSkinColors.h"
#include "BsSkinControls.h"
#include "BsTypes.h"
#include "Bsskindata.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TbsSkinData;
class QPainter;

// Event handlers are single replaceable handlers with the sender as argument.
using TNotifyEvent = std::function<void(QObject* sender)>;

// The binding every skinned control has, whatever Qt class it derives from.
class TbsSkinnable {
public:
    TbsSkinnable(const TbsSkinnable&) = delete;
    TbsSkinnable& operator=(const TbsSkinnable&) = delete;
    virtual ~TbsSkinnable();

    TbsSkinData* SkinData() const { return skinData_; }
    // Registers the control for the skin data's announcements and takes the
    // skin over at once.
    void SetSkinData(TbsSkinData* value);
    const std::string& SkinDataName() const { return skinDataName_; }
    void SetSkinDataName(const std::string& value);

    // 1225: forget the looked-up entry; the control draws its built-in look.
    virtual void BeforeChangeSkinData();
    // 1226: look the entry up again, take its values and repaint.
    virtual void ChangeSkinData();

    // The skin data when it holds a loaded skin and no change is under way.
    const TbsSkinData* LoadedSkin() const;
    // The control's entry when it exists and is of class T: a copy clipped to
    // its picture, valid until the next announcement of the skin data.
    template <typename T> const T* SkinEntry() const { return SkinEntryNamed<T>(skinDataName_); }
    template <typename T> const T* SkinEntryNamed(const std::string& name) const
    {
        const TbsDataSkinControl* entry = FindEntry(name);
        return entry ? dynamic_cast<const T*>(entry) : nullptr;
    }
    const TbsDataSkinControl* FindEntry(const std::string& name) const;
    // A library picture of the loaded skin, or null.
    const QImage* SkinPicture(int index) const;
    // A colour of the skin's colour set, or fallback without a skin.
    QColor SkinColor(TColor TbsSkinColors::*member, TColor fallback) const;

protected:
    TbsSkinnable(QWidget* host, std::string skinDataName);
    // Call from event(): answers the skin data's announcements.
    bool HandleSkinEvent(QEvent* event);
    QWidget* Host() const { return host_; }

private:
    // A clipped copy of an entry, kept while the entry and its picture stay.
    struct ClippedEntry {
        std::string Name;
        const TbsDataSkinControl* Original = nullptr;
        QSize PictureSize;
        std::unique_ptr<TbsDataSkinControl> Copy;
    };

    QWidget* host_;
    QPointer<TbsSkinData> skinData_;
    std::string skinDataName_;
    bool changing_ = false;
    mutable std::vector<ClippedEntry> clipped_;
};

// The largest size a skin may give a control: the screens' bounding box
// (4096 x 4096 without a screen). A look larger than that could never be seen
// whole, and the control's picture is as large as the control.
QSize MaxSkinControlSize();
QSize BoundedSkinSize(QSize size);

// A skinned control that is a plain widget: mouse-over tracking and the
// mouse enter and leave events.
class TbsSkinControl : public QWidget, public TbsSkinnable {
    Q_OBJECT
public:
    explicit TbsSkinControl(QWidget* parent = nullptr, const std::string& skinDataName = std::string());

    bool MouseIn() const { return mouseIn_; }
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    bool event(QEvent* event) override;
    virtual void MouseEnter();
    virtual void MouseLeave();

private:
    bool mouseIn_ = false;
};

// What a custom control takes from its control skin at each lookup; the
// pictures belong to the skin and are valid only while the control draws.
struct TbsSkinLook {
    TbsControlSkinGeom Geom;
    const QImage* Picture = nullptr;
    const QImage* Mask = nullptr;
    TbsResizeMode Mode = rmNone;
};

// A control drawn from a resizable control skin.
class TbsSkinCustomControl : public TbsSkinControl {
    Q_OBJECT
public:
    explicit TbsSkinCustomControl(QWidget* parent = nullptr, const std::string& skinDataName = std::string());

    const QFont& DefaultFont() const { return defaultFont_; }
    void SetDefaultFont(const QFont& font);
    TColor DefaultFontColor() const { return defaultFontColor_; }
    void SetDefaultFontColor(TColor color);
    int DefaultWidth() const { return defaultWidth_; }
    void SetDefaultWidth(int value);
    int DefaultHeight() const { return defaultHeight_; }
    void SetDefaultHeight(int value);
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool value);

    void ChangeSkinData() override;

    // The look of the control skin: false without a loaded skin or entry. An
    // entry of a kind without resizable image gives mode 0 and no picture.
    bool GetSkinData(TbsSkinLook& look) const;
    // Where children and content go, in the control's coordinates.
    virtual QRect RealClientRect() const;
    // The size the skin asks for at the given size.
    virtual QSize CalcSize(QSize size) const;

    // The control's picture at its current size, as paint draws it.
    QImage RenderImage();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Built-in look into image (its size is the control's).
    virtual void CreateControlDefaultImage(QImage& image);
    // Skin look into image; the base draws the common skin image.
    virtual void CreateControlSkinImage(QImage& image, const TbsSkinLook& look);
    // The common skin image of look rect r at the control's size, placed at 0,0.
    void DrawCommonSkinImage(QImage& image, const TbsSkinLook& look, const TRect& r);
    // The font text is drawn with: the entry's font with a skin and
    // UseSkinFont, else DefaultFont.
    QFont ControlFont(const std::string& name, int height, TFontStyles style, bool skinned) const;
    // Sets the shape from the skin's mask (none without one).
    void UpdateRegion();
    // Places children per the client rect (the content margins).
    void UpdateClientMargins();

private:
    QFont defaultFont_;
    TColor defaultFontColor_ = 0;
    int defaultWidth_ = 0;
    int defaultHeight_ = 0;
    bool useSkinFont_ = true;
};

// Text drawing helpers shared by the controls.
namespace bswidgets {
// Qt alignment flags of a skin alignment.
Qt::Alignment AlignmentFlags(TAlignment alignment);
// The navy frame and fills of the built-in pressed and hot looks.
constexpr TColor NavyFrame = 8388608;
constexpr TColor PressedFill = 11899781;
constexpr TColor HotFill = 13811126;
// A 1-pixel frame around r filled with fill.
void FrameAndFill(QPainter& painter, const QRect& r, const QColor& frame, const QColor& fill);
// An arrow triangle in r pointing left, right, up or down.
enum TbsArrow { arLeft, arRight, arUp, arDown };
void DrawArrow(QPainter& painter, const QRect& r, TbsArrow arrow, const QColor& color);
// A dotted focus rectangle.
void DrawFocusRect(QPainter& painter, const QRect& r, const QColor& background);
// The margins that leave inner in a widget of the given size, inner cut to
// the widget first (a look larger than its control may put it outside).
QMargins MarginsInside(const QRect& inner, QSize size);
} // namespace bswidgets
