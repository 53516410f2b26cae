#pragma once

#include "platform/DesktopIdle.h"
#include "platform/Messages.h"

#include <cstdint>
#include <functional>
#include <string>

namespace Quib
{

// Idle time after which a windowed program pauses so that the desktop's
// screen saver can start: two seconds short of its time-out, at least one.
int IdleThresholdMs(int screenSaverTimeoutSeconds);

// The desktop's screen-saver settings as the idle check reads them.
using ScreenSaverSettings = platform::DesktopScreenSaver;

// Pauses updates and drawing of an idle windowed program.
class IdlePause
{
public:
    using Query = std::function<ScreenSaverSettings()>;
    explicit IdlePause(Query query) : mQuery(std::move(query)) {}

    // `lastInputTime` is the application's; true when the pause just ended
    // (everything is to be redrawn).
    bool Check(uint32_t now, uint32_t& lastInputTime, bool windowed, bool screenSaverMode);
    bool IsPaused() const { return mPaused; }
    int ThresholdMs() const { return mThresholdMs; }

private:
    Query mQuery;
    bool mPaused = false;
    bool mRead = false;
    uint32_t mLastRead = 0;
    int mThresholdMs = 0;
    bool mEnabled = false;
};

// In screen-saver mode every window message passes here first: input ends
// the saver, small mouse jitter does not.
class ScreenSaverFilter
{
public:
    // `endSaver` posts the close that ends the program.
    explicit ScreenSaverFilter(std::function<void()> endSaver) : mEndSaver(std::move(endSaver)) {}

    // Where the cursor stood when the window was created.
    void Start(int x, int y);
    // A monitor-power command: for a second, closes, activation changes and
    // mouse moves do not end the saver.
    void OnMonitorPower(uint32_t now) { mMonitorPowerTime = now, mMonitorPowerSeen = true; }
    // True when the message is answered (with 0) here.
    bool Filter(const platform::Message& message, uint32_t mainWindow, uint32_t now);
    bool IsEnding() const { return mBusy; }

private:
    void End(const platform::Message& message, uint32_t mainWindow, uint32_t now, bool graced);

    std::function<void()> mEndSaver;
    bool mBusy = false;
    int mMoveCount = 0;
    int mLastX = 0;
    int mLastY = 0;
    bool mMonitorPowerSeen = false;
    uint32_t mMonitorPowerTime = 0;
};

// Appends "text hh:mm:ss tick" as a line to the screen saver's error log; the
// first line of a run replaces what an earlier run left.
void WriteScreenSaverErrorLine(const std::string& fileName, const std::string& text,
                               const std::string& timeOfDay, uint32_t tick);

} // namespace Quib
