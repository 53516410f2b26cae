#pragma once

#include <atomic>

namespace Quib
{

// The loading thread's progress as the main thread sees it. The loading thread
// only ever sets mFinished and the two counts; everything else is the main
// thread's.
struct LoadingState
{
    std::atomic<bool> mStarted{false};
    std::atomic<bool> mFinished{false};
    bool mHandled = false;
    std::atomic<bool> mYieldToLoading{false};
    std::atomic<int> mTotal{0};
    std::atomic<int> mDone{0};

    // Started and not yet finished.
    bool IsRunning() const { return mStarted && !mFinished; }
    // 1.0 once handled; 0 before the start or while the total is 0; else done / total, at most 1.
    double GetLoadingProgress() const;
};

} // namespace Quib
