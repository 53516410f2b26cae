#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

namespace Quib
{

class MainLoop;

// What the cursor thread needs of the application and the display. Called on
// the cursor thread: every operation must be safe there (the display takes
// its lock; positions are published, never drawn with the desktop's video
// calls).
class CursorThreadHost
{
public:
    virtual ~CursorThreadHost() = default;
    virtual bool IsShuttingDown() = 0;
    virtual void BeforeCursorThreadStep() {}
    virtual void AfterCursorThreadStep() {}
    // The mouse in the main window's client coordinates: the recorded one
    // while a demo plays, else the live one.
    virtual void CursorPosition(int& x, int& y) = 0;
    // The display's current software-cursor position.
    virtual void DisplayCursorPosition(int& x, int& y) = 0;
    virtual int MillisecondsPerFrame() = 0;
    // Moves the software cursor at once, or only stores where the next
    // present is to draw it.
    virtual void MoveCursorNow(int x, int y) = 0;
    virtual void SetWantedCursorPosition(int x, int y) = 0;
};

// Follows the mouse every 10 ms so that the pointer stays smooth when frames
// are slow; while presents come soon, it leaves the moving to them.
class CursorThread
{
public:
    CursorThread(CursorThreadHost& host, const MainLoop& loop) : mHost(host), mLoop(loop) {}
    // Waits for the thread, which ends once it sees the shutdown.
    ~CursorThread();
    CursorThread(const CursorThread&) = delete;
    CursorThread& operator=(const CursorThread&) = delete;

    // Once; a second call while it runs does nothing.
    void StartCursorThread();
    // One pass of the thread's loop, without the sleep.
    void CursorThreadStep();
    // Waits until the thread has ended (it must have seen the shutdown).
    void Join();
    bool IsRunning() const { return mRunning; }

    static constexpr uint32_t kStepMilliseconds = 10;

private:
    void RunCursorThread();

    CursorThreadHost& mHost;
    const MainLoop& mLoop;
    std::atomic<bool> mRunning{false};
    int mLastX = 0;
    int mLastY = 0;
    std::thread mThread;
};

} // namespace Quib
