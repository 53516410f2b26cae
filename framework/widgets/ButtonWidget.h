#pragma once

#include "framework/graphics/Font.h"
#include "framework/widgets/Widget.h"

#include <memory>
#include <string>

namespace Quib
{

class ButtonListener;
class Image;

// A push button: a label over four state images (or four source rectangles of
// the normal image) or a drawn bevelled box, with an optional fade of the hover
// image. Reports to its listener by id.
class ButtonWidget : public Widget
{
public:
    enum ColorIndex
    {
        COLOR_LABEL = 0,
        COLOR_LABEL_HILITE = 1,
        COLOR_DARK_OUTLINE = 2,
        COLOR_LIGHT_OUTLINE = 3,
        COLOR_MEDIUM_OUTLINE = 4,
        COLOR_BKG = 5,
    };

    ButtonWidget(int id, ButtonListener* listener);

    void Update() override;
    void Draw(Graphics* g) override;
    void SetDisabled(bool disabled) override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    void OnMouseMove(int x, int y) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;
    void OnMouseButtonUp(int x, int y, int button, int clickCount) override;

    virtual void DrawStateImage(Graphics* g, Image* image, const Rect& srcRect, int x, int y);
    virtual void SetFont(Font* font);
    virtual bool IsPressedAndHovered() const;

    bool HaveNormalState() const { return mNormalImage != nullptr || mNormalRect.mWidth != 0; }
    bool HaveOverState() const { return mOverImage != nullptr || mOverRect.mWidth != 0; }
    bool HaveDownState() const { return mDownImage != nullptr || mDownRect.mWidth != 0; }
    bool HaveDisabledState() const { return mDisabledImage != nullptr || mDisabledRect.mWidth != 0; }

    int mId;
    std::string mLabel;
    int mLabelJustify = 0;
    std::unique_ptr<Font> mFont;
    Image* mNormalImage = nullptr;
    Image* mOverImage = nullptr;
    Image* mDownImage = nullptr;
    Image* mDisabledImage = nullptr;
    Rect mNormalRect;
    Rect mOverRect;
    Rect mDownRect;
    Rect mDisabledRect;
    bool mInverted = false;
    bool mBtnNoDraw = false;
    bool mFrameNoDraw = false;
    ButtonListener* mButtonListener;
    double mOverAlpha = 0.0;
    double mOverAlphaSpeed = 0.0;
    double mOverAlphaFadeInSpeed = 0.0;

protected:
    // Marks the button dirty when the hover change shows.
    void MarkDirtyForHover();
};

} // namespace Quib
