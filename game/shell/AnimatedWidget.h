#pragma once

#include "framework/foundation/Color.h"
#include "framework/widgets/Widget.h"

#include <cstdint>
#include <vector>

namespace Quib
{
class Graphics;
class Image;
} // namespace Quib

// Plays a strip of frames from one picture: the rows of its grid are the
// frames, each shown for its own number of updates, once, in a loop or
// backwards in a loop. The frame can spin, be scaled and tinted, with an
// optional offset copy behind it and an additive copy on top. Owners poll
// mState and set the other fields directly.
class AnimatedWidget : public Quib::Widget
{
public:
    enum PlayMode : int32_t
    {
        PLAY_LOOP = 0,
        PLAY_ONCE = 1,
        PLAY_BACKWARDS = 2,
    };
    enum State : int32_t
    {
        STATE_PLAYING = 0,
        STATE_SET_UP = 1,
        STATE_ENDED = 2,
    };

    AnimatedWidget() = default;

    void Update() override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;

    // Plays the picture once from its first row (in a loop when its timing
    // says so), with the picture's frame delay or 6 per row, and sizes the
    // widget to one frame at (0, 0); the owner places it afterwards.
    void SetAnimation(Quib::Image* picture);
    // Back to the first frame (-1 without frames); the last frame's index.
    int32_t Restart();
    // The smaller of the picture's rows and the number of durations; 0 without a picture.
    int32_t GetFrameCount() const;
    void SetFrameDurations(const std::vector<int32_t>& durations);
    void AppendFrameDurations(const std::vector<int32_t>& durations);
    void AppendFrameDuration(int32_t duration);
    void SetPictureIfAny(Quib::Image* picture);
    // About -318 degrees a second at 100 updates a second.
    void EnableSpin();

    int32_t mState = STATE_PLAYING;
    bool mCounting = true;
    int32_t mPlayMode = PLAY_LOOP;
    int32_t mTicks = 0;
    int32_t mFrame = 0;
    // A frame with duration d shows for d + 1 updates.
    std::vector<int32_t> mFrameDurations;
    Quib::Image* mPicture = nullptr;
    bool mRotating = false;
    bool mSpinPaused = false;
    double mAngle = 0.0;
    float mAngleStep = 1.0f;
    float mScaleX = 1.0f;
    float mScaleY = 1.0f;
    // When not -1, a looping animation wraps here instead of at the frame count.
    int32_t mFrameLimit = -1;
    // -1 draws in the normal pass, any other value in the overlay pass at that priority.
    int32_t mOverlayPriority = -1;
    bool mAdditivePass = false;
    Quib::Color mShadowColor{0, 0, 0, 255};
    Quib::Color mColor{255, 255, 255, 255};
    float mShadowOffsetX = 0.0f;
    float mShadowOffsetY = 0.0f;
    bool mShadowEnabled = false;

private:
    bool FrameHasEnded() const;
    void NextFrame();
};
