#pragma once

#include "framework/foundation/Transform2D.h"

#include <cstdint>

// The states of a scene item, written by its animation and read by the hint.
enum ItemState : int32_t
{
    ItemIdle = 0,
    ItemPulsing = 1,
    ItemFlying = 2,
    PieceToCentre = 3,
    ItemGrowing = 4,
    ItemVanishing = 5,
    ItemDone = 6,
    PieceAim = 7,
    PieceToSlot = 8
};

// How one item of the picture moves, one tick per update of the playfield:
// a found item's flight to the centre (or the diary page's
// to the diary button) with its growing and vanishing, and a piece's flight
// to the centre and on onto its combined item in the inventory.
class ItemAnimation
{
public:
    static constexpr int32_t kItemFlightSteps = 10;
    static constexpr int32_t kDiaryPageFlightSteps = 20;

    // The item's resting place and size.
    void Place(int32_t x, int32_t y, int32_t width, int32_t height, bool piece);

    // A plain item or the diary page flies so that its centre reaches the target.
    void StartCollect(int32_t targetX, int32_t targetY, bool diaryPage);
    // A piece flies to the screen's centre, then onto its combined item's place.
    void StartPieceCollect(int32_t slotX, int32_t slotY);

    // One tick. True on the tick the item reports its collection over: the
    // state has just gone from done back to idle.
    bool Update();
    // Ends a running collection at once, in its end place.
    void Finish();

    bool IsCollecting() const { return mCollecting; }
    bool IsDrawnPlain() const { return mState == ItemIdle; }

    int32_t mState = ItemIdle;
    int32_t mX = 0, mY = 0, mWidth = 0, mHeight = 0;
    int32_t mStepX = 0, mStepY = 0, mStepCount = 0, mFlightSteps = kItemFlightSteps;
    float mScaleX = 1, mScaleY = 1, mSpin = 0;
    int32_t mAlpha = 255;
    int32_t mFadeStep = 2;
    Quib::Transform2D mTransform;

private:
    void MoveBy(int32_t dx, int32_t dy);

    bool mPiece = false;
    bool mDiaryPage = false;
    bool mCollecting = false;
    int32_t mSlotX = 0, mSlotY = 0;
};
