#include "game/frontend/AnimatedPicture.h"

#include "framework/graphics/Graphics.h"
#include "game/shell/ActionSteps.h"

using namespace steps;

AnimatedPicture::AnimatedPicture(Quib::Image* picture, Quib::Image* overlay)
    : mPicture(picture), mOverlay(overlay)
{
    mSequence =
        InOrder(Together(Set(&mAlpha, 0), Set(&mOverlayAlpha, 0), Set(&mAngle, 0.0f), Set(&mX, -160.0f)),
                Together(Tween(&mAlpha, 255, 1000), Tween(&mAngle, 358.0f, 1000), Tween(&mX, 660.0f, 1000)));
    if (mOverlay != nullptr)
        mSequence->Append(Tween(&mOverlayAlpha, 255, 500));
    mSequence->Append(Wait(3500));
    auto rollOut = Together(Tween(&mAlpha, 0, 500), Tween(&mAngle, -360.0f, 500), Tween(&mX, 460.0f, 500));
    if (mOverlay != nullptr)
        rollOut->Append(Tween(&mOverlayAlpha, 0, 500));
    mSequence->Append(std::move(rollOut));
}

void AnimatedPicture::Start()
{
    mSequence->Start(nullptr, 0);
}

void AnimatedPicture::Update()
{
    mSequence->Update();
    if (mAngle != mAppliedAngle)
    {
        mMatrix.RotateDeg(mAngle - mAppliedAngle);
        mAppliedAngle = mAngle;
    }
}

void AnimatedPicture::Draw(Quib::Graphics* g)
{
    if (!mSequence->IsRunning())
        return;
    g->SetTintImages(true);
    g->SetLinearFiltering(true);
    g->SetColor(Quib::Color(255, 255, 255, mAlpha));
    g->DrawImageWithMatrix(mPicture, mMatrix, mX, mY);
    if (mOverlay != nullptr)
    {
        g->SetColor(Quib::Color(255, 255, 255, mOverlayAlpha));
        g->DrawImageWithMatrix(mOverlay, mMatrix, mX, mY);
    }
    g->SetTintImages(false);
}
