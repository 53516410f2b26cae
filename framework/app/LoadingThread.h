#pragma once

#include "framework/app/LoadingState.h"

#include <cstdint>
#include <functional>
#include <thread>

namespace Quib
{

// Runs the application's background loading (the game loads its main resource
// group there) while the main loop keeps the screen alive.
class LoadingThread
{
public:
    // `work` runs on the thread; `constructionTick` is the base of the loading
    // time written when it ends.
    LoadingThread(LoadingState& state, std::function<void()> work, uint32_t constructionTick);
    // Waits for the work to end: every thread is joined before shutdown ends.
    ~LoadingThread();
    LoadingThread(const LoadingThread&) = delete;
    LoadingThread& operator=(const LoadingThread&) = delete;

    // Once; a second call does nothing.
    void StartLoadingThread();
    // Returns when the work has ended (at once when it never started).
    void WaitForBackgroundLoad();

private:
    LoadingState& mState;
    std::function<void()> mWork;
    uint32_t mConstructionTick;
    std::thread mThread;
};

} // namespace Quib
