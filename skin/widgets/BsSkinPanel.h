#pragma once
// The skinned panel: the strips and holders of the program's windows.

#include "BsSkinCtrls.h"

enum TbsSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };

class TbsSkinPanel : public TbsSkinCustomControl {
    Q_OBJECT
public:
    explicit TbsSkinPanel(QWidget* parent = nullptr);

    TbsSkinBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TbsSkinBorderStyle value);
    bool CaptionMode() const { return captionMode_; }
    void SetCaptionMode(bool value);
    int DefaultCaptionHeight() const { return defaultCaptionHeight_; }
    void SetDefaultCaptionHeight(int value);
    TAlignment DefaultAlignment() const { return defaultAlignment_; }
    void SetDefaultAlignment(TAlignment value);
    // The caption, as GBK bytes.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);

    QRect RealClientRect() const override;

protected:
    void CreateControlDefaultImage(QImage& image) override;
    void CreateControlSkinImage(QImage& image, const TbsSkinLook& look) override;

private:
    TbsSkinBorderStyle borderStyle_ = bvFrame;
    bool captionMode_ = false;
    int defaultCaptionHeight_ = 22;
    TAlignment defaultAlignment_ = taLeftJustify;
    std::string caption_;
};
