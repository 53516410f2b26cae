#include "game/shell/AnimatedWidget.h"

#include "framework/foundation/Matrix3.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/ImageAnimation.h"

#include <algorithm>

namespace
{

constexpr int32_t kDefaultFrameDuration = 6;

} // namespace

void AnimatedWidget::SetAnimation(Quib::Image* picture)
{
    const int32_t rows = picture->mRows;
    mPlayMode = PLAY_ONCE;
    if (const Quib::ImageAnimation* timing = picture->mAnimation.get())
    {
        mFrameDurations.assign(size_t(std::max(rows, 0)), timing->mFrameDelay);
        if (timing->mType == Quib::ANIMATION_LOOP)
            mPlayMode = PLAY_LOOP;
    }
    else
    {
        mFrameDurations.insert(mFrameDurations.end(), size_t(std::max(rows, 0)), kDefaultFrameDuration);
    }
    mPicture = picture;
    Restart();
    mState = STATE_SET_UP;
    Resize(0, 0, picture->GetWidth(), rows > 0 ? picture->GetHeight() / rows : 0);
    Move(0, 0);
}

int32_t AnimatedWidget::Restart()
{
    const int32_t count = GetFrameCount();
    mFrame = count == 0 ? -1 : 0;
    return count - 1;
}

int32_t AnimatedWidget::GetFrameCount() const
{
    if (!mPicture)
        return 0;
    return std::min(mPicture->mRows, int32_t(mFrameDurations.size()));
}

void AnimatedWidget::SetFrameDurations(const std::vector<int32_t>& durations)
{
    mFrameDurations = durations;
}

void AnimatedWidget::AppendFrameDurations(const std::vector<int32_t>& durations)
{
    mFrameDurations.insert(mFrameDurations.end(), durations.begin(), durations.end());
}

void AnimatedWidget::AppendFrameDuration(int32_t duration)
{
    mFrameDurations.push_back(duration);
}

void AnimatedWidget::SetPictureIfAny(Quib::Image* picture)
{
    if (picture)
        mPicture = picture;
}

void AnimatedWidget::EnableSpin()
{
    mRotating = true;
    mAngleStep = -1.0f / 18.0f;
    mSpinPaused = false;
}

// A frame outside the duration list (an owner's limit beyond the frames, or
// a restart before any frames) counts as over, so the frame moves on instead
// of reading past the list.
bool AnimatedWidget::FrameHasEnded() const
{
    if (mFrame < 0 || size_t(mFrame) >= mFrameDurations.size())
        return true;
    return mTicks > mFrameDurations[size_t(mFrame)];
}

void AnimatedWidget::NextFrame()
{
    const int32_t count = GetFrameCount();
    switch (mPlayMode)
    {
    case PLAY_LOOP:
    {
        const int32_t wrap = mFrameLimit != -1 ? mFrameLimit : count;
        if (++mFrame >= wrap)
            mFrame = 0;
        mState = STATE_PLAYING;
        break;
    }
    case PLAY_ONCE:
        if (mFrame < count - 1)
            ++mFrame;
        else
            mState = STATE_ENDED;
        break;
    case PLAY_BACKWARDS:
        if (--mFrame < 0)
            mFrame = count - 1;
        mState = STATE_PLAYING;
        break;
    default:
        break;
    }
}

void AnimatedWidget::Update()
{
    if (mCounting)
        ++mTicks;
    if (mRotating && !mSpinPaused)
        mAngle += mAngleStep;
    if (mFrameDurations.empty() || !FrameHasEnded())
        return;
    mTicks = 0;
    NextFrame();
}

void AnimatedWidget::Draw(Quib::Graphics* g)
{
    if (mOverlayPriority == -1)
        DrawOverlay(g);
    else
        RequestOverlayDraw(mOverlayPriority);
}

void AnimatedWidget::DrawOverlay(Quib::Graphics* g)
{
    g->SetLinearFiltering(true);
    if (!mPicture || mPicture->mRows <= 0 || mPicture->mColumns <= 0)
        return;
    const int32_t rows = mPicture->mRows;
    // A frame outside the picture's rows has no pixels to show.
    if (mFrame >= 0 && mFrame < rows)
    {
        const int32_t cellHeight = mPicture->GetHeight() / rows;
        const Quib::Rect source(0, mFrame * cellHeight, mPicture->GetWidth() / mPicture->mColumns,
                                cellHeight);
        Quib::Matrix3 matrix;
        if (mRotating)
            matrix.RotateRad(float(mAngle));
        matrix.Scale(mScaleX, mScaleY);
        const int32_t halfWidth = mWidth / 2;
        const int32_t halfHeight = mHeight / 2;
        if (mShadowEnabled)
        {
            g->SetTintImages(true);
            g->SetColor(mShadowColor);
            g->DrawImageWithMatrix(mPicture, matrix, source, float(int32_t(mShadowOffsetX) + halfWidth),
                                   float(int32_t(mShadowOffsetY) + halfHeight));
        }
        g->SetColor(mColor);
        g->DrawImageWithMatrix(mPicture, matrix, source, float(halfWidth), float(halfHeight));
        if (mAdditivePass)
        {
            g->SetDrawMode(Quib::DRAW_MODE_ADDITIVE);
            g->DrawImageWithMatrix(mPicture, matrix, source, float(halfWidth), float(halfHeight));
            g->SetDrawMode(Quib::DRAW_MODE_NORMAL);
        }
    }
    g->SetLinearFiltering(false);
}
