#pragma once

#include "framework/widgets/Widget.h"

#include <cstdint>
#include <memory>

class Action;
class InventoryOwner;

// The strip of combined items: each usable object's silhouette, drawn faint
// at its place under a glow that runs through its strip every 2.7 seconds,
// fills up with its pieces as they arrive, and is no longer drawn once
// complete (its usable object has taken its place).
class InventoryWidget : public Quib::Widget
{
public:
    static constexpr int32_t kGlowMs = 2700;

    explicit InventoryWidget(InventoryOwner* owner);
    ~InventoryWidget() override;

    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;

    InventoryOwner* mOwner;
    int32_t mGlowCell = 0;

private:
    std::unique_ptr<Action> mGlowLoop;
};
