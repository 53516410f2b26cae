#include "framework/resources/DecodeAhead.h"

#include <algorithm>

namespace ImageLib
{
namespace
{

thread_local DecodeAhead* tRun = nullptr;

} // namespace

DecodeAhead::DecodeAhead(unsigned workers, size_t window)
    : mWorkers(std::max(workers, 1u)), mWindow(std::max<size_t>(window, 1))
{
}

DecodeAhead::~DecodeAhead()
{
    End();
}

unsigned DecodeAhead::DefaultWorkers()
{
    const unsigned processors = std::thread::hardware_concurrency();
    return std::clamp(processors > 1 ? processors - 1 : 1u, 1u, 3u);
}

DecodeAhead* DecodeAhead::OfThisThread()
{
    return tRun;
}

void DecodeAhead::Begin(std::vector<DecodeRequest> requests)
{
    End();
    {
        std::lock_guard lock(mLock);
        mEntries.clear();
        mEntries.reserve(requests.size());
        for (DecodeRequest& request : requests)
            mEntries.push_back({std::move(request)});
        mNext = 0;
        mWaiting = 0;
        mMostWaiting = 0;
        mStopping = false;
    }
    tRun = this;
    const unsigned workers = unsigned(std::min<size_t>(mWorkers, mEntries.size()));
    for (unsigned i = 0; i < workers; ++i)
        mThreads.emplace_back([this] { Work(); });
}

void DecodeAhead::End()
{
    {
        std::lock_guard lock(mLock);
        mStopping = true;
    }
    mChanged.notify_all();
    for (std::thread& thread : mThreads)
        thread.join();
    mThreads.clear();
    {
        std::lock_guard lock(mLock);
        mEntries.clear();
        mWaiting = 0;
    }
    if (tRun == this)
        tRun = nullptr;
}

size_t DecodeAhead::MostWaiting() const
{
    std::lock_guard lock(mLock);
    return mMostWaiting;
}

void DecodeAhead::Drop(Entry& entry)
{
    switch (entry.mState)
    {
    case State::Queued:
        entry.mState = State::Gone;
        break;
    case State::Decoding:
        entry.mDropped = true;
        break;
    case State::Decoded:
        entry.mImage.reset();
        entry.mState = State::Gone;
        --mWaiting;
        break;
    case State::Gone:
        break;
    }
}

std::optional<std::unique_ptr<Image>> DecodeAhead::Take(const std::string& name, uint32_t alphaColor)
{
    std::unique_lock lock(mLock);
    const auto found = std::find_if(mEntries.begin(), mEntries.end(),
                                    [&](const Entry& entry)
                                    {
                                        return entry.mState != State::Gone && !entry.mDropped &&
                                               entry.mRequest.mAlphaColor == alphaColor &&
                                               entry.mRequest.mName == name;
                                    });
    if (found == mEntries.end())
        return std::nullopt;
    for (auto passed = mEntries.begin(); passed != found; ++passed)
        Drop(*passed);
    // The passed requests no longer hold the window: a worker reaches this one next.
    mChanged.notify_all();
    Entry& entry = *found;
    mChanged.wait(lock, [&] { return entry.mState == State::Decoded; });
    std::optional<std::unique_ptr<Image>> taken = std::move(entry.mImage);
    entry.mState = State::Gone;
    --mWaiting;
    lock.unlock();
    mChanged.notify_all();
    return taken;
}

void DecodeAhead::Work()
{
    std::unique_lock lock(mLock);
    for (;;)
    {
        while (mNext < mEntries.size() && mEntries[mNext].mState == State::Gone)
            ++mNext;
        if (mStopping || mNext == mEntries.size())
            return;
        if (mWaiting >= mWindow)
        {
            mChanged.wait(lock);
            continue;
        }
        Entry& entry = mEntries[mNext++];
        entry.mState = State::Decoding;
        mMostWaiting = std::max(mMostWaiting, ++mWaiting);
        const DecodeRequest request = entry.mRequest;
        lock.unlock();
        std::unique_ptr<Image> image = DecodeImageFile(request.mName, true, request.mAlphaColor);
        lock.lock();
        if (entry.mDropped)
        {
            entry.mState = State::Gone;
            --mWaiting;
        }
        else
        {
            entry.mImage = std::move(image);
            entry.mState = State::Decoded;
        }
        mChanged.notify_all();
    }
}

} // namespace ImageLib
