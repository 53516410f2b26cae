#include "game/play/hud/MouseObject.h"

#include "framework/graphics/Graphics.h"
#include "game/play/hud/MouseRunOwner.h"
#include "game/shell/ActionTimer.h"
#include "game/shell/RelIncrementator.h"
#include "game/shell/Resources.h"
#include "game/shell/Setter.h"

#include <algorithm>
#include <cmath>

namespace
{

// One degree as the single-precision value of 3.14 / 180.
constexpr float kStepRadians = 0.017444445f;

} // namespace

MouseObject::MouseObject(MouseRunOwner* owner)
    : mImage(IMAGE_CUSTOM_POINTER), mOwner(owner),
      mRun(Then(std::make_unique<Setter<int32_t>>(&mStep, 0),
                std::make_unique<RelIncrementator<int32_t>>(ActionTimer(kRunMs), &mStep, kPathLength - 1)))
{
    mPath.reserve(kPathLength);
    for (int32_t k = 0; k < kPathLength; ++k)
    {
        const float theta = float(k) * kStepRadians;
        const float radius = 0.5f * float(k);
        mPath.emplace_back(int32_t(radius * std::cos(theta)), int32_t(radius * std::sin(theta)));
    }
}

MouseObject::~MouseObject() = default;

void MouseObject::Start(int32_t x, int32_t y)
{
    mStartX = x;
    mStartY = y;
    mStep = 0;
    mSignX = x < 400 ? 1 : -1;
    mSignY = y < 300 ? 1 : -1;
    mRun->Start(this, 0);
}

bool MouseObject::IsRunning() const
{
    return mRun->IsRunning();
}

void MouseObject::OnActionFinished(int)
{
    if (mOwner != nullptr)
        mOwner->EndMouseRun();
}

void MouseObject::UpdateFraction(float)
{
    mRun->Update();
}

void MouseObject::Draw(Quib::Graphics*)
{
    RequestOverlayDraw(kOverlayPriority);
}

// The first point is the start itself, where the real pointer was: nothing
// is drawn there.
void MouseObject::DrawOverlay(Quib::Graphics* g)
{
    if (!mRun->IsRunning() || mStep < 1 || mImage == nullptr)
        return;
    const auto& [dx, dy] = mPath[size_t(std::min(mStep, kPathLength - 1))];
    g->DrawImageSubpixel(mImage, float(mStartX + mSignX * dx), float(mStartY + mSignY * dy));
}
