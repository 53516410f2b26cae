#include "framework/services/DemoStream.h"

#include "framework/services/DemoEvents.h"

namespace Quib
{

void DemoStream::WriteEventTime(int updateCount)
{
    // The update count never runs backwards; a negative delta would wrap to 15.
    int delta = updateCount > mLastEventUpdate ? updateCount - mLastEventUpdate : 0;
    while (delta > kDemoMaxDelta)
    {
        mData.PutBits(kDemoMaxDelta, kDemoDeltaBits);
        mData.PutBits(0, 1);
        mData.PutBits(DemoCode::kFiller, kDemoCodeBits);
        delta -= kDemoMaxDelta;
    }
    mData.PutBits(uint32_t(delta), kDemoDeltaBits);
    mLastEventUpdate = updateCount;
}

void DemoStream::BeginEvent(int updateCount, int code)
{
    WriteEventTime(updateCount);
    mData.PutBits(0, 1);
    mData.PutBits(uint32_t(code), kDemoCodeBits);
}

void DemoStream::BeginMouseEvent(int updateCount, int kind)
{
    WriteEventTime(updateCount);
    mData.PutBits(1, 1);
    mData.PutBits(uint32_t(kind), 1);
}

bool DemoStream::ReadEventHeader(int updateCount)
{
    if (mHeaderPending)
    {
        // The zero bits that pad the last byte would read as "move to (0, 0)";
        // a header that does not fit in what is left is no event.
        mHeaderComplete = HasBits(kDemoDeltaBits + 2);
        mLastEventUpdate += mData.GetBits(kDemoDeltaBits, false);
        mPendingMouse = mData.GetBits(1, false) != 0;
        const int codeBits = mPendingMouse ? 1 : kDemoCodeBits;
        mHeaderComplete = mHeaderComplete && HasBits(codeBits);
        mPendingCode = mData.GetBits(codeBits, false);
        mHeaderPending = false;
    }
    return mHeaderComplete && updateCount == mLastEventUpdate;
}

void DemoStream::RestartTiming()
{
    mData.RewindRead();
    mLastEventUpdate = 0;
    mHeaderPending = true;
    mHeaderComplete = false;
}

} // namespace Quib
