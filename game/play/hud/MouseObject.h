#pragma once

#include "framework/widgets/Widget.h"
#include "game/shell/ActionListener.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class Action;
class MouseRunOwner;

// The penalty for clicking wildly: a copy of the pointer spirals away from
// the last misclick towards the middle of the screen for 1.5 seconds while
// the real pointer is hidden. One belongs to each playfield and is reused
// for every run; it is in the widget tree only while it runs.
class MouseObject : public Quib::Widget, public ActionListener
{
public:
    static constexpr int32_t kPathLength = 720;
    static constexpr int32_t kRunMs = 1500;
    static constexpr int32_t kOverlayPriority = 10;

    explicit MouseObject(MouseRunOwner* owner);
    ~MouseObject() override;

    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnActionFinished(int id) override;

    // Runs from (x, y), opening towards the screen's centre.
    void Start(int32_t x, int32_t y);
    bool IsRunning() const;

    Quib::Image* mImage;
    // The spiral, relative to the start point: just under two turns, the
    // radius growing by half a pixel a point.
    std::vector<std::pair<int32_t, int32_t>> mPath;
    int32_t mStep = 0;
    MouseRunOwner* mOwner;
    std::unique_ptr<Action> mRun;
    int32_t mSignX = 1;
    int32_t mSignY = 1;
    int32_t mStartX = 0;
    int32_t mStartY = 0;
};
