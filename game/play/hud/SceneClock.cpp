#include "game/play/hud/SceneClock.h"

#include "framework/foundation/Matrix3.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/play/hud/SceneHudOwner.h"
#include "game/shell/ActionTimer.h"
#include "game/shell/ParalelAction.h"
#include "game/shell/RelIncrementator.h"
#include "game/shell/Resources.h"
#include "game/shell/Setter.h"
#include "game/shell/SharkInterface.h"

namespace
{

constexpr int32_t kSlideMs = 400;
constexpr int32_t kSlideFromX = 810;
constexpr int32_t kSlideY = -10;

int32_t WidthOf(Quib::Image* image)
{
    return image != nullptr ? image->GetWidth() : 0;
}

int32_t HeightOf(Quib::Image* image)
{
    return image != nullptr ? image->GetHeight() : 0;
}

// Puts the clock at (x, -10), then moves it by delta across the screen's edge.
std::unique_ptr<Action> Slide(int32_t* slideX, int32_t* slideY, int32_t x, int32_t delta)
{
    return Then(Parallel(std::make_unique<Setter<int32_t>>(slideX, x),
                         std::make_unique<Setter<int32_t>>(slideY, kSlideY)),
                std::make_unique<RelIncrementator<int32_t>>(ActionTimer(kSlideMs), slideX, delta));
}

} // namespace

SceneClock::SceneClock(SceneHudOwner* owner)
    : mCountdown(std::make_unique<Stopwatch>()), mHandWidth(WidthOf(IMAGE_GUI_MINUTE_HAND)),
      mHandHeight(HeightOf(IMAGE_GUI_MINUTE_HAND)),
      mSlideInSeq(Slide(&mSlideX, &mSlideY, kSlideFromX, -WidthOf(IMAGE_GUI_CLOCK))),
      mSlideOutSeq(
          Slide(&mSlideX, &mSlideY, kSlideFromX - WidthOf(IMAGE_GUI_CLOCK), WidthOf(IMAGE_GUI_CLOCK))),
      mOwner(owner)
{
}

SceneClock::~SceneClock() = default;

void SceneClock::SlideIn()
{
    mSlideInSeq->Start(this, kSlidInCode);
}

void SceneClock::SlideOut()
{
    mSlideOutSeq->Start(this, kSlidOutCode);
}

void SceneClock::SetTime(int32_t hours, int32_t minutes, int32_t seconds, int32_t milliseconds)
{
    if (mCountdown)
        mCountdown->SetLimit(hours, minutes, seconds, milliseconds);
}

void SceneClock::OnActionFinished(int id)
{
    if (id == kSlidInCode && !mCountdown->IsRunning())
        mCountdown->Start();
}

void SceneClock::UpdateFraction(float)
{
    for (Action* slide : {mSlideInSeq.get(), mSlideOutSeq.get()})
        if (slide->IsRunning())
        {
            slide->Update();
            Move(mSlideX, mSlideY);
        }
    if (mCountdown->IsExpired() && mTimeUpArmed)
    {
        mTimeUpArmed = false;
        if (mOwner != nullptr)
            mOwner->OnTimeExceeded();
        if (gSharkInterface != nullptr)
            gSharkInterface->StopLoopSound(SFX_CLOCK_LAST_30SECS);
    }
    const TimeValue left = mCountdown->GetRemaining();
    if (left.mMinutes == 0 && left.mSeconds <= 30 && mLastSecondsArmed)
    {
        mLastSecondsArmed = false;
        if (gSharkInterface != nullptr && gSharkInterface->mOptions)
            gSharkInterface->PlayLoopSound(gSharkInterface->mOptions->GetSoundVolume(),
                                           SFX_CLOCK_LAST_30SECS);
    }
}

void SceneClock::OnDetached(Quib::WidgetManager* manager)
{
    Quib::Widget::OnDetached(manager);
    if (gSharkInterface != nullptr)
        gSharkInterface->StopLoopSound(SFX_CLOCK_LAST_30SECS);
}

// The face is drawn in the normal pass and again in the overlay, so that it
// stays above whatever the normal pass draws after it.
void SceneClock::Draw(Quib::Graphics* g)
{
    RequestOverlayDraw(kOverlayPriority);
    DrawOverlay(g);
}

void SceneClock::DrawHand(Quib::Graphics* g, Quib::Image* hand, float degrees)
{
    if (hand == nullptr)
        return;
    Quib::Matrix3 matrix;
    matrix.RotateDeg(degrees);
    matrix.Translate(float(mWidth - mHandWidth) * 0.5f, float(mHeight - mHandHeight) * 0.5f);
    g->DrawImageWithMatrix(hand, matrix, Quib::Rect(0, 0, mHandWidth, mHandHeight), float(mHandWidth) * 0.5f,
                           float(mHandHeight) * 0.5f);
}

void SceneClock::DrawOverlay(Quib::Graphics* g)
{
    if (IMAGE_GUI_CLOCK != nullptr)
        g->DrawImage(IMAGE_GUI_CLOCK, 0, 0);
    const TimeValue left = mCountdown->GetRemaining();
    DrawHand(g, IMAGE_GUI_SECONDS_HAND,
             float(left.mMilliseconds) * 0.006f - float(60 - left.mSeconds) * 6.0f);
    DrawHand(g, IMAGE_GUI_MINUTE_HAND, float(9 - left.mMinutes) * -6.0f);
}
