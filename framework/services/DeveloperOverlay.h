#pragma once

#include <cstdint>
#include <string>

namespace Quib
{

// The frames-per-second overlay's count: every drawn frame counts one; once a
// second (by the caller's high-resolution timer) the rate is taken anew.
class FpsCounter
{
public:
    // Switching the overlay on shows 0 until a whole second has been counted.
    void RequestRestart() { mRestart = true; }
    // True when the rate was taken: the caller restarts its timer and redraws.
    bool CountFrame(double elapsedMs);
    int Rate() const { return mRate; }
    std::string Text() const { return "FPS: " + std::to_string(mRate); }

private:
    int mFrames = 0;
    int mRate = 0;
    bool mRestart = true;
};

std::string MousePositionText(int x, int y);
// The time left in a demo being played, as "hh:mm:ss".
std::string DemoClockText(int demoLength, int updateCount, int frameTimeMs);

// The figures of the video statistics box.
struct VideoStats
{
    bool m3DOn = false;
    bool m3DRecommended = false;
    bool m3DSupported = false;
    int mImages = 0;
    int mSounds = 0;
    int64_t mVideoMemoryUsed = 0;
    int64_t mVideoMemoryTotal = 0;
    int64_t mTextureMemory = 0;
    // By texture format: A8R8G8B8, A4R4G4B4, R5G6B5, Palette8.
    int mFormatImages[4] = {};
    int64_t mFormatBytes[4] = {};
};
std::string VideoStatsText(const VideoStats& stats);

} // namespace Quib
