#include "framework/services/DeveloperOverlay.h"

#include <cstdio>

namespace Quib
{
namespace
{

// Kilobytes with thousands separators.
std::string kilobytes(int64_t bytes)
{
    const std::string digits = std::to_string(bytes < 0 ? 0 : bytes / 1024);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i)
    {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

} // namespace

bool FpsCounter::CountFrame(double elapsedMs)
{
    ++mFrames;
    if (elapsedMs < 1000 && !mRestart)
        return false;
    mRate = mRestart || elapsedMs <= 0 ? 0 : int(mFrames * 1000 / elapsedMs + 0.5);
    mRestart = false;
    mFrames = 0;
    return true;
}

std::string MousePositionText(int x, int y)
{
    return std::to_string(x) + "," + std::to_string(y);
}

std::string DemoClockText(int demoLength, int updateCount, int frameTimeMs)
{
    const int64_t left = int64_t(demoLength - updateCount) * frameTimeMs;
    const int64_t seconds = left > 0 ? left / 1000 : 0;
    char text[32];
    std::snprintf(text, sizeof(text), "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return text;
}

std::string VideoStatsText(const VideoStats& stats)
{
    std::string text = std::string("3D-Mode is ") + (stats.m3DOn ? "On" : "Off") + " (3D is " +
                       (stats.m3DRecommended ? "Recommended"
                        : stats.m3DSupported ? "Supported"
                                             : "Unsupported") +
                       " on this system)\r\n\r\n";
    text += "Num Images: " + std::to_string(stats.mImages) + "\r\n";
    text += "Num Sounds: " + std::to_string(stats.mSounds) + "\r\n";
    text += "Video Memory: " + kilobytes(stats.mVideoMemoryUsed) + "/" + kilobytes(stats.mVideoMemoryTotal) +
            " KB\r\n";
    text += "Texture Memory: " + kilobytes(stats.mTextureMemory) + " KB\r\n";
    const char* formats[4] = {"A8R8G8B8", "A4R4G4B4", "R5G6B5", "Palette8"};
    for (int i = 0; i < 4; ++i)
        text += std::string(formats[i]) + ": " + std::to_string(stats.mFormatImages[i]) + " - " +
                kilobytes(stats.mFormatBytes[i]) + " KB\r\n";
    return text;
}

} // namespace Quib
