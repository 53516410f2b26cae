#pragma once

#include "framework/foundation/Rect.h"
#include "framework/widgets/Widget.h"
#include "game/shell/MenuItem.h"

#include <memory>

class RotatingBlockOwner;

// One tile of the rotating picture with its two turn arrows. The board model
// says where it stands and how it is turned; the tile shows turns and
// exchanges as they happen.
class RotatingBlock : public Quib::Widget
{
public:
    enum State
    {
        kIdle = 0,
        kTurnRequested = 1,
        kTurning = 2,
        kSelectRequested = 3,
        kSelected = 4
    };

    RotatingBlock(int originalIndex, const Quib::Rect& source, RotatingBlockOwner* owner);
    ~RotatingBlock() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void Move(int x, int y) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    void RotatePlus90();
    void RotateMinus90();
    // Shows or hides the arrows as the tile is locked or not.
    void RefreshLock();
    bool IsLocked() const;
    bool IsTurning() const { return mTileState == kTurnRequested || mTileState == kTurning; }
    // One of the two tiles of an exchange: unselected and held in a turn of
    // nothing while it moves, so that it takes no clicks and no arrows.
    void StartExchange();
    // Back to rest: no turn, no selection (a Reset or an exchange that was cut short).
    void Settle();

    float mTurnAmount = 0;
    float mTurnOffset = 0;
    int mTileState = kIdle;
    int mStateBeforeTurn = kIdle;
    int mTurnCounter = 0;
    Quib::Rect mSource;
    RotatingBlockOwner* mOwner;
    bool mSelected = false;
    std::unique_ptr<MenuItem> mArrowCW;
    std::unique_ptr<MenuItem> mArrowCCW;
    int mPulseAlpha = 255;
    int mPulseStep = -1;
    int mOriginalIndex;

private:
    void StartTurn(float amount);
    Quib::WidgetManager* mManager = nullptr;
};
