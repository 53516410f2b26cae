#include "game/play/screen/ItemAnimation.h"

namespace
{

constexpr int32_t kCentreX = 400, kCentreY = 300;
constexpr int32_t kGrowTicks = 10;
constexpr int32_t kVanishTicks = 80;

} // namespace

void ItemAnimation::Place(int32_t x, int32_t y, int32_t width, int32_t height, bool piece)
{
    mX = x;
    mY = y;
    mWidth = width;
    mHeight = height;
    mPiece = piece;
}

void ItemAnimation::StartCollect(int32_t targetX, int32_t targetY, bool diaryPage)
{
    mDiaryPage = diaryPage;
    mFlightSteps = diaryPage ? kDiaryPageFlightSteps : kItemFlightSteps;
    mStepX = (targetX - (mWidth / 2 + mX)) / mFlightSteps;
    mStepY = (targetY - (mHeight / 2 + mY)) / mFlightSteps;
    mStepCount = 0;
    mTransform.Reset();
    mAlpha = 255;
    mFadeStep = 2;
    mState = ItemFlying;
    mCollecting = true;
}

void ItemAnimation::StartPieceCollect(int32_t slotX, int32_t slotY)
{
    mSlotX = slotX;
    mSlotY = slotY;
    mStepX = (kCentreX - mWidth / 2 - mX) / kItemFlightSteps;
    mStepY = (kCentreY - mHeight / 2 - mY) / kItemFlightSteps;
    mStepCount = 0;
    mTransform.Reset();
    mAlpha = 255;
    mFadeStep = 2;
    mState = PieceToCentre;
    mCollecting = true;
}

void ItemAnimation::MoveBy(int32_t dx, int32_t dy)
{
    mX += dx;
    mY += dy;
}

bool ItemAnimation::Update()
{
    switch (mState)
    {
    case ItemFlying:
        if (mStepCount < mFlightSteps)
        {
            MoveBy(mStepX, mStepY);
            ++mStepCount;
            break;
        }
        mScaleX = mScaleY = 1;
        mStepCount = 0;
        mState = mDiaryPage ? ItemDone : ItemGrowing;
        break;
    case ItemGrowing:
        if (mStepCount < kGrowTicks)
        {
            mScaleX += 0.008f;
            mScaleY += 0.008f;
            mTransform.Scale(mScaleX, mScaleY);
            ++mStepCount;
            break;
        }
        mState = ItemVanishing;
        mSpin = 0;
        mStepCount = 0;
        break;
    case ItemVanishing:
        mAlpha -= mFadeStep;
        if (mStepCount > kVanishTicks - 1)
        {
            mAlpha = 0;
            mState = ItemDone;
            break;
        }
        mSpin += 0.33f;
        mScaleX -= 0.005f;
        mScaleY -= 0.005f;
        mTransform.Scale(mScaleX, mScaleY);
        mTransform.RotateDeg(mSpin);
        mScaleX = mScaleX < 0.1f ? 0.1f : mScaleX;
        mScaleY = mScaleY < 0.1f ? 0.1f : mScaleY;
        ++mStepCount;
        break;
    case PieceToCentre:
        if (mStepCount < kItemFlightSteps)
        {
            MoveBy(mStepX, mStepY);
            ++mStepCount;
            break;
        }
        mState = PieceAim;
        mScaleX = mScaleY = 1;
        mStepCount = 0;
        break;
    case PieceAim:
        mStepX = (mSlotX - mX) / kItemFlightSteps;
        mStepY = (mSlotY - mY) / kItemFlightSteps;
        mStepCount = 0;
        mState = PieceToSlot;
        break;
    case PieceToSlot:
        if (mStepCount < kItemFlightSteps)
        {
            MoveBy(mStepX, mStepY);
            ++mStepCount;
            break;
        }
        mX = mSlotX;
        mY = mSlotY;
        mState = ItemDone;
        mStepCount = 0;
        break;
    case ItemDone:
        mState = ItemIdle;
        mCollecting = false;
        return true;
    default:
        break;
    }
    return false;
}

void ItemAnimation::Finish()
{
    if (!mCollecting)
        return;
    if (mPiece)
    {
        mX = mSlotX;
        mY = mSlotY;
    }
    mAlpha = mPiece ? 255 : 0;
    mState = ItemIdle;
    mCollecting = false;
}
