#pragma once

#include "framework/widgets/Widget.h"
#include "game/shell/ActionListener.h"
#include "game/shell/Stopwatch.h"

#include <cstdint>
#include <memory>

class Action;
class SceneHudOwner;

// The countdown of timed play: a clock face in the top right corner whose
// minute and second hands show the time left, sliding in and out with the
// rest of the display. It tells its owner once when the time is up, and a
// ticking sound loops through the last 30 seconds.
class SceneClock : public Quib::Widget, public ActionListener
{
public:
    static constexpr int32_t kSlidInCode = 0;
    static constexpr int32_t kSlidOutCode = 1;
    static constexpr int32_t kOverlayPriority = 4;

    explicit SceneClock(SceneHudOwner* owner);
    ~SceneClock() override;

    void OnAttached(Quib::WidgetManager*) override {}
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnActionFinished(int id) override;

    void SlideIn();
    void SlideOut();
    // The countdown's limit, the time left when the visit started.
    void SetTime(int32_t hours, int32_t minutes, int32_t seconds, int32_t milliseconds);

    std::unique_ptr<Stopwatch> mCountdown;
    int32_t mHandWidth = 0;
    int32_t mHandHeight = 0;
    int32_t mSlideX = 0;
    int32_t mSlideY = 0;
    std::unique_ptr<Action> mSlideInSeq;
    std::unique_ptr<Action> mSlideOutSeq;
    SceneHudOwner* mOwner;
    bool mTimeUpArmed = true;
    bool mLastSecondsArmed = true;

private:
    void DrawHand(Quib::Graphics* g, Quib::Image* hand, float degrees);
};
