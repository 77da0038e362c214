#pragma once
// Skinned labels ("stdlabel" control skins): one-line and multi-line text,
// links that open their address, and clickable labels with a glyph.

#include "BsSkinButtons.h"
#include "BsSkinCtrls.h"

enum TbsEllipsType { bsetNone, bsetEndEllips, bsetPathEllips };

// What all labels share: the font and colours from the entry or the
// label's own, disabled text drawn embossed.
class TbsSkinLabelBase : public TbsSkinControl {
    Q_OBJECT
public:
    explicit TbsSkinLabelBase(QWidget* parent = nullptr);

    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool value);
    bool UseSkinColor() const { return useSkinColor_; }
    void SetUseSkinColor(bool value);
    const QFont& DefaultFont() const { return defaultFont_; }
    void SetDefaultFont(const QFont& value);
    TColor DefaultFontColor() const { return defaultFontColor_; }
    void SetDefaultFontColor(TColor value);
    // The label's own colour, used with its own font (UseSkinFont off).
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

    void ChangeSkinData() override;
    // The font and colour the text is drawn in now.
    QFont TextFont() const;
    virtual QColor TextColor() const;
    // Resizes to the text when AutoSize is on.
    virtual void AdjustBounds() { }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    virtual void DrawText(QPainter& painter) = 0;
    // Text in r with flags; disabled: once 1 pixel down-right in the
    // highlight colour, then in place in the shadow colour.
    void DrawLabelText(QPainter& painter, const QRect& r, int flags, const QString& text);

private:
    bool useSkinFont_ = true;
    bool useSkinColor_ = true;
    QFont defaultFont_;
    TColor defaultFontColor_ = 0;
    TColor fontColor_ = 0;
    bool autoSize_ = false;
};

// A one-line label.
class TbsSkinStdLabel : public TbsSkinLabelBase {
    Q_OBJECT
public:
    explicit TbsSkinStdLabel(QWidget* parent = nullptr);

    // The caption, as GBK bytes.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TbsEllipsType EllipsType() const { return ellipsType_; }
    void SetEllipsType(TbsEllipsType value);

    void AdjustBounds() override;

protected:
    void DrawText(QPainter& painter) override;

private:
    std::string caption_;
    TAlignment alignment_ = taLeftJustify;
    TbsEllipsType ellipsType_ = bsetNone;
};

// Several lines of text.
class TbsSkinTextLabel : public TbsSkinLabelBase {
    Q_OBJECT
public:
    explicit TbsSkinTextLabel(QWidget* parent = nullptr);

    // The lines, as GBK bytes.
    const std::vector<std::string>& Lines() const { return lines_; }
    void SetLines(const std::vector<std::string>& value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

    void AdjustBounds() override;

protected:
    void DrawText(QPainter& painter) override;

private:
    QString JoinedText() const;
    int Flags() const;

    std::vector<std::string> lines_;
    TAlignment alignment_ = taLeftJustify;
    bool wordWrap_ = false;
};

// A label that opens its address when clicked.
class TbsSkinLinkLabel : public TbsSkinStdLabel {
    Q_OBJECT
public:
    // Opens an address; the default hands it to the desktop.
    using TOpener = std::function<void(const std::string& url)>;

    explicit TbsSkinLinkLabel(QWidget* parent = nullptr);

    const std::string& URL() const { return url_; }
    void SetURL(const std::string& value) { url_ = value; }
    bool UseUnderLine() const { return useUnderLine_; }
    void SetUseUnderLine(bool value);
    TColor DefaultActiveFontColor() const { return defaultActiveFontColor_; }
    void SetDefaultActiveFontColor(TColor value);
    // This label's opener; an empty one uses the default opener.
    void SetOpener(TOpener opener);
    // The opener of every label without its own (initially the desktop's
    // URL handler); the program sets its shell helper here.
    static void SetDefaultOpener(TOpener opener);
    static const TOpener& DefaultOpener();

    QColor TextColor() const override;
    TNotifyEvent OnClick;

protected:
    void DrawText(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    std::string url_;
    bool useUnderLine_ = true;
    TColor defaultActiveFontColor_ = 16711680; // blue
    TOpener opener_;
    bool pressed_ = false;
};

// A clickable label with an optional glyph.
class TbsSkinButtonLabel : public TbsSkinLabelBase {
    Q_OBJECT
public:
    explicit TbsSkinButtonLabel(QWidget* parent = nullptr);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    const QImage& Glyph() const { return glyph_; }
    void SetGlyph(const QImage& value);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    // Underlines the caption while the mouse is over it.
    bool WebStyle() const { return webStyle_; }
    void SetWebStyle(bool value);
    TColor DefaultActiveFontColor() const { return defaultActiveFontColor_; }
    void SetDefaultActiveFontColor(TColor value);

    QColor TextColor() const override;
    TNotifyEvent OnClick;

protected:
    void DrawText(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    std::string caption_;
    QImage glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int spacing_ = 1;
    int margin_ = -1;
    bool webStyle_ = false;
    TColor defaultActiveFontColor_ = 16711680; // blue
    bool pressed_ = false;
};
