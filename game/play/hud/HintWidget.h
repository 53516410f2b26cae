#pragma once

#include "framework/widgets/Widget.h"

#include <cstdint>

class SceneHudOwner;

// The hint button: shows how many hints the player holds and, on a click,
// asks the playfield for one. The playfield takes the request, shows the
// hint and lowers the count.
class HintWidget : public Quib::Widget
{
public:
    static constexpr int32_t kMaxHints = 6;

    HintWidget() = default;

    void UpdateFraction(float) override {}
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnMouseEnter() override;
    void OnMouseDown(int x, int y, int clickCode) override;

    // One more hint, kept in the current profile too; the caller keeps the count at most 6.
    void AddHint();
    void UseHint();
    // The count a profile holds; a count outside what the counter can show
    // (a damaged save) is brought into 0 .. 6.
    void SetCount(int32_t count);

    int32_t mCount = 0;
    bool mHintRequested = false;
    SceneHudOwner* mOwner = nullptr;
};
