#pragma once

#include "framework/widgets/Widget.h"
#include "game/minigames/common/AlphaMask.h"

#include <array>

class MatchesMiniGame;

// One cell of the match-stick board with its six slots; each slot's picture
// covers the whole cell and takes clicks on its own visible pixels.
class MatchesBlock : public Quib::Widget
{
public:
    MatchesBlock(int index, MatchesMiniGame* game);
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnMouseEnter() override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    // The slot under the point whose stick is (present) or is not there,
    // examined from the last slot down; -1 when none.
    int StickAt(int x, int y, bool present) const;

    int mIndex;
    int mHoverSlot = -1;
    MatchesMiniGame* mGame;
    std::array<AlphaMask, 6> mMasks;
};
