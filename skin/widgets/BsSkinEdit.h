#pragma once
// The skinned edit field: a real line editor (selection, clipboard, input
// methods) inside the frame of an "edit" control skin. Its context menu is a
// skinned popup menu with the skin's words for undo, cut, copy, paste, delete
// and select all (or the edit's own PopupMenu when it has one).

#include "BsSkinCtrls.h"

#include <QLineEdit>
#include <QPointer>

class TbsSkinPopupMenu;
class TPopupMenu;

class TbsSkinEdit : public QLineEdit, public TbsSkinnable {
    Q_OBJECT
public:
    explicit TbsSkinEdit(QWidget* parent = nullptr);

    // The text, as GBK bytes.
    std::string Text() const;
    void SetText(const std::string& value);

    TColor DefaultColor() const { return defaultColor_; }
    void SetDefaultColor(TColor value);
    const QFont& DefaultFont() const { return defaultFont_; }
    void SetDefaultFont(const QFont& value);
    TColor DefaultFontColor() const { return defaultFontColor_; }
    void SetDefaultFontColor(TColor value);
    bool UseSkinFont() const { return useSkinFont_; }
    void SetUseSkinFont(bool value);
    int DefaultWidth() const { return defaultWidth_; }
    void SetDefaultWidth(int value);
    int DefaultHeight() const { return defaultHeight_; }
    void SetDefaultHeight(int value);

    // A button at the right end of the field, raising OnButtonClick.
    bool ButtonMode() const { return buttonMode_; }
    void SetButtonMode(bool value);
    TNotifyEvent OnButtonClick;
    // Where the button is (empty without ButtonMode).
    QRect ButtonRect() const;

    // The area the text goes in, inside the frame.
    QRect TextArea() const;
    // The colour the text is drawn in now.
    QColor CurrentFontColor() const;
    bool MouseIn() const { return mouseIn_; }
    // Whether the frame shows its active look (focus or mouse over).
    bool ActiveLook() const { return hasFocus() || mouseIn_; }

    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnChange;

    // A menu of the program's own, shown instead of the edit menu (not owned).
    QPointer<TPopupMenu> PopupMenu;
    // The edit menu, once it has been shown; null before.
    TbsSkinPopupMenu* EditMenu() const { return editMenu_; }

    // The frame and background as painted, at the current size.
    QImage RenderFrame() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ApplyLook();
    // Sets the text margins from TextArea().
    void ApplyTextArea();
    // The height the skin gives the edit: its look's, never taller than the screens.
    static int SkinHeight(const TbsDataSkinEditControl& entry);
    std::string Word(const char* name) const;
    void PopupEditMenu(const QPoint& at);

    TColor defaultColor_ = clWindow;
    QFont defaultFont_;
    TColor defaultFontColor_ = 0;
    bool useSkinFont_ = true;
    int defaultWidth_ = 0;
    int defaultHeight_ = 0;
    bool mouseIn_ = false;
    bool buttonMode_ = false;
    bool buttonPressed_ = false;
    bool overButton_ = false;
    TbsSkinPopupMenu* editMenu_ = nullptr;
};
