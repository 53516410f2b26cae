#include "framework/app/LoadingThread.h"

#include "framework/foundation/DebugPrintf.h"
#include "platform/Clock.h"
#include "platform/CrashSignals.h"

namespace Quib
{

LoadingThread::LoadingThread(LoadingState& state, std::function<void()> work, uint32_t constructionTick)
    : mState(state), mWork(std::move(work)), mConstructionTick(constructionTick)
{
}

LoadingThread::~LoadingThread()
{
    WaitForBackgroundLoad();
}

void LoadingThread::StartLoadingThread()
{
    if (mState.mStarted)
        return;
    mState.mYieldToLoading = true;
    mState.mStarted = true;
    mThread = std::thread(
        [this]
        {
            // A crash on this thread can still be reported when its stack runs out.
            platform::prepareThreadForCrashes();
            if (mWork)
                mWork();
            DebugPrintf("Resource Loading Time: %d\r\n",
                        static_cast<int>(platform::tickCount() - mConstructionTick));
            mState.mFinished = true;
        });
}

void LoadingThread::WaitForBackgroundLoad()
{
    while (mState.mStarted && !mState.mFinished)
        platform::sleep(20);
    if (mThread.joinable())
        mThread.join();
}

} // namespace Quib
