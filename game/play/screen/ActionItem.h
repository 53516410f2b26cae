#pragma once

#include "framework/widgets/Widget.h"

#include <cstdint>
#include <memory>

namespace Quib
{
class Image;
}

class Action;
class ActionItemOwner;
class AnimatedWidget;
class ItemLabel;

// The usable object made from the completed combined item. It stands in the
// inventory strip; a left click picks it up (the playfield then draws it under
// the pointer) or puts it down, a right click puts it down. It sparkles along
// its edges while it lies there, shows a tooltip on the first level and, in
// the first scene, pulses to draw the eye.
class ActionItem : public Quib::Widget
{
public:
    // Quiet: made from pieces of an earlier visit, without the creation burst.
    ActionItem(ActionItemOwner* owner, Quib::Image* image, bool quiet);
    ~ActionItem() override;

    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    // Sends the sparkle round the item's edges, starting at its top-left corner.
    void BuildEdgeSparkle();
    bool IsSelected() const;

    std::unique_ptr<AnimatedWidget> mCreatedEffect;
    std::unique_ptr<AnimatedWidget> mOverEffect;
    ActionItemOwner* mOwner;
    Quib::Image* mImage;
    std::unique_ptr<Action> mEdgeSparkle;
    std::unique_ptr<ItemLabel> mLabel;
    std::unique_ptr<Action> mGlowLoop;
    int32_t mGlowAlpha = 255;
    int32_t mOverX = 0, mOverY = 0;
};
