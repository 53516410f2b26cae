#include "framework/services/ScreenSaver.h"

#include "platform/Files.h"

#include <algorithm>
#include <atomic>

namespace Quib
{
namespace
{

constexpr uint32_t kSettingsReadInterval = 10000;
constexpr uint32_t kMonitorPowerGrace = 1000;
constexpr int kJitterMoves = 3;

std::atomic<bool> gFirstErrorLine{true};

} // namespace

int IdleThresholdMs(int screenSaverTimeoutSeconds)
{
    return std::max(screenSaverTimeoutSeconds - 2, 1) * 1000;
}

bool IdlePause::Check(uint32_t now, uint32_t& lastInputTime, bool windowed, bool screenSaverMode)
{
    if (screenSaverMode || !windowed)
        return false;
    bool ended = false;
    ScreenSaverSettings settings = mQuery();
    if (!mRead || now - mLastRead > kSettingsReadInterval)
    {
        mRead = true;
        mLastRead = now;
        mThresholdMs = IdleThresholdMs(settings.timeoutSeconds);
        mEnabled = settings.enabled;
        if (!mEnabled && mPaused)
        {
            mPaused = false;
            ended = true;
        }
    }
    if (settings.hasLastInput)
        lastInputTime = std::min(settings.lastInputTick, now);
    if (!mEnabled)
        return ended;
    const uint32_t idle = now - lastInputTime;
    if (mPaused)
    {
        if (!settings.running && idle < uint32_t(mThresholdMs))
        {
            mPaused = false;
            return true;
        }
    }
    else if (idle > uint32_t(mThresholdMs))
    {
        mPaused = true;
    }
    return ended;
}

void ScreenSaverFilter::Start(int x, int y)
{
    mLastX = x;
    mLastY = y;
    mMoveCount = 0;
}

void ScreenSaverFilter::End(const platform::Message& message, uint32_t mainWindow, uint32_t now, bool graced)
{
    if (message.window != mainWindow)
        return;
    if (graced && mMonitorPowerSeen && now - mMonitorPowerTime < kMonitorPowerGrace)
        return;
    mBusy = true;
    mEndSaver();
}

bool ScreenSaverFilter::Filter(const platform::Message& message, uint32_t mainWindow, uint32_t now)
{
    using namespace platform;
    if (mBusy)
        return false;
    switch (message.message)
    {
    case WM_ACTIVATEAPP:
        if (message.wParam == 0)
            End(message, mainWindow, now, true);
        return false;
    case WM_CLOSE:
        End(message, mainWindow, now, true);
        return false;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        End(message, mainWindow, now, false);
        return false;
    case WM_MOUSEMOVE:
    {
        const int x = loWordSigned(message.lParam);
        const int y = hiWordSigned(message.lParam);
        if (x == mLastX && y == mLastY)
            return true;
        mLastX = x;
        mLastY = y;
        if (++mMoveCount <= kJitterMoves)
            return true;
        End(message, mainWindow, now, true);
        return false;
    }
    default:
        return false;
    }
}

void WriteScreenSaverErrorLine(const std::string& fileName, const std::string& text,
                               const std::string& timeOfDay, uint32_t tick)
{
    const std::string path = platform::nativePath(fileName);
    std::vector<uint8_t> log;
    if (!gFirstErrorLine.exchange(false))
        log = platform::readFile(path, 1 << 20).value_or(std::vector<uint8_t>{});
    const std::string line = text + " " + timeOfDay + " " + std::to_string(tick) + "\n";
    log.insert(log.end(), line.begin(), line.end());
    platform::writeFileAtomic(path, log.data(), log.size());
}

} // namespace Quib
