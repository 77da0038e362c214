#pragma once
// Skinned push buttons: the five state looks of a "button" control skin, the
// fade between normal and active look, focus, repeat while held, and a
// caption with an optional glyph.

#include "BsSkinCtrls.h"

#include <QTimer>

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The state a button shows.
enum TbsButtonLook { bsNormal, bsActive, bsDown, bsFocused, bsDisabled };

class TbsSkinButton : public TbsSkinCustomControl {
    Q_OBJECT
public:
    explicit TbsSkinButton(QWidget* parent = nullptr);

    // The caption, as GBK bytes.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);

    bool UseSkinSize() const { return useSkinSize_; }
    void SetUseSkinSize(bool value);
    bool UseSkinFontColor() const { return useSkinFontColor_; }
    void SetUseSkinFontColor(bool value);
    bool RepeatMode() const { return repeatMode_; }
    void SetRepeatMode(bool value) { repeatMode_ = value; }
    int RepeatInterval() const { return repeatInterval_; }
    void SetRepeatInterval(int value) { repeatInterval_ = std::max(1, value); }
    bool CanFocused() const { return canFocused_; }
    virtual void SetCanFocused(bool value);
    // Held down (a group button, or set by the program).
    bool Down() const { return down_; }
    void SetDown(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value) { groupIndex_ = value; }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value) { allowAllUp_ = value; }

    // The glyph: NumGlyphs pictures side by side (normal, disabled, down).
    const QImage& Glyph() const { return glyph_; }
    void SetGlyph(const QImage& value);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    // -1: the glyph and text are centred together; else the distance of the
    // glyph from the edge named by Layout.
    int Margin() const { return margin_; }
    void SetMargin(int value);

    // The look the button shows now.
    TbsButtonLook CurrentLook() const;
    // The text colour it uses now.
    QColor CurrentFontColor() const;

    // Raises OnClick (and, in a group, goes down).
    virtual void ButtonClick();
    TNotifyEvent OnClick;

    void ChangeSkinData() override;
    // With UseSkinSize off the button keeps any size it is given.
    QSize CalcSize(QSize size) const override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void CreateControlDefaultImage(QImage& image) override;
    void CreateControlSkinImage(QImage& image, const TbsSkinLook& look) override;

    // Caption and glyph in r.
    void DrawContent(QPainter& painter, const QRect& r, const QFont& font, const QColor& color);
    // Pressed by the mouse with the mouse over it, or by the space key.
    bool Pressed() const { return (mousePressed_ && pressOver_) || keyPressed_; }
    // The colours without a skin (XForm buttons override them).
    virtual QColor DefaultTextColor(TbsButtonLook look) const;

private:
    void StartMorph();
    void MorphTick();
    void RepeatTick();
    void ReleaseGroup();
    bool IsFocused() const { return canFocused_ && hasFocus(); }

    std::string caption_;
    bool useSkinSize_ = true;
    bool useSkinFontColor_ = true;
    bool repeatMode_ = false;
    int repeatInterval_ = 100;
    bool canFocused_ = true;
    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    QImage glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int spacing_ = 1;
    int margin_ = -1;

    bool mousePressed_ = false;
    bool pressOver_ = false;
    bool keyPressed_ = false;
    double morphKf_ = 0.0;
    QTimer morphTimer_;
    QTimer repeatTimer_;
};

// A button that never takes the keyboard focus and may carry its own
// pictures for the built-in look.
class TbsSkinXFormButton : public TbsSkinButton {
    Q_OBJECT
public:
    explicit TbsSkinXFormButton(QWidget* parent = nullptr);

    void SetCanFocused(bool value) override;

    const QImage& DefImage() const { return defImage_; }
    void SetDefImage(const QImage& value);
    void SetDefActiveImage(const QImage& value);
    void SetDefDownImage(const QImage& value);
    void SetDefMask(const QImage& value);
    TColor DefActiveFontColor() const { return defActiveFontColor_; }
    void SetDefActiveFontColor(TColor value);
    TColor DefDownFontColor() const { return defDownFontColor_; }
    void SetDefDownFontColor(TColor value);

    void ChangeSkinData() override;

protected:
    void CreateControlDefaultImage(QImage& image) override;
    QColor DefaultTextColor(TbsButtonLook look) const override;

private:
    void ApplyDefImageSize();

    QImage defImage_, defActiveImage_, defDownImage_, defMask_;
    TColor defActiveFontColor_ = 0;
    TColor defDownFontColor_ = 0;
};
