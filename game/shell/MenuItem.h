#pragma once

#include "framework/foundation/Color.h"
#include "framework/widgets/Widget.h"
#include "game/shell/FadeState.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Quib
{
class Font;
class Graphics;
class Image;
} // namespace Quib

// The button of every screen: a picture that changes while the mouse is over
// it (optionally animated) and while it is held down, a label with a shadow,
// a hover and a press sound, and a callback run on the press. It fades in and
// out as a whole; a finished fade-out disables and hides it.
class MenuItem : public Quib::Widget
{
public:
    MenuItem();

    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    // Acts on the press of the left or middle button, never while fading.
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    void SetLabelPosition(int32_t x, int32_t y);
    void SetNormalPicture(Quib::Image* picture) { mNormalPicture = picture; }
    void SetHoverPicture(Quib::Image* picture) { mHoverPicture = picture; }
    void SetPressedPicture(Quib::Image* picture) { mPressedPicture = picture; }

    // -1 draws in the normal widget pass, any other value in the overlay pass.
    int32_t mOverlayPriority = -1;
    int32_t mId = -1;
    float mHoverOffsetX = 0.0f;
    float mHoverOffsetY = 0.0f;
    int32_t mLabelX = 0;
    int32_t mLabelY = 0;
    // 0 centres the label in the button's width, 1 aligns it right.
    int32_t mLabelJustification = -1;
    std::string mLabel;
    Quib::Image* mHoverPicture = nullptr;
    // The cell of the hover picture shown, and the tick counts (from the
    // mouse's entry) at which each cell ends.
    int32_t mHoverFrame = 0;
    std::vector<int32_t> mHoverFrameEnds;
    int32_t mHoverTicks = 0;
    bool mHoverLoops = false;
    Quib::Image* mNormalPicture = nullptr;
    Quib::Image* mPressedPicture = nullptr;
    bool mHovered = false;
    Quib::Font* mFont = nullptr;
    // Without a bound callback a press only plays the sound.
    std::function<void()> mOnClick;
    float mAlpha = 255.0f;
    int32_t mFadeState = FADE_IDLE;
    // Sound ids; -1 for none.
    int32_t mPressSound;
    int32_t mHoverSound;
    bool mHoverSoundArmed = true;
    Quib::Color mTextColor{255, 255, 255, 255};

private:
    void StepHoverAnimation();
};

// Where a button stands and what its label and other pictures are.
struct MenuItemLook
{
    int32_t x = 0;
    int32_t y = 0;
    std::string label;
    int32_t labelX = 0;
    int32_t labelY = 0;
    Quib::Image* hoverPicture = nullptr;
    Quib::Image* pressedPicture = nullptr;
    Quib::Color textColor{255, 255, 255, 255};
};

// A button sized to its normal picture (else its hover picture), with the
// button-label font and a centred label. The caller binds its callback and
// adds it to a container.
std::unique_ptr<MenuItem> CreateMenuItem(MenuItemLook layout, Quib::Image* normalPicture);
