#pragma once

#include "framework/foundation/Buffer.h"

#include <cstdint>

namespace Quib
{

// The bit-packed event stream of a demo with its timing state: each event is
// stamped with the number of updates since the previous one, so writing and
// reading both advance the same "last event update".
class DemoStream
{
public:
    Buffer& Data() { return mData; }
    const Buffer& Data() const { return mData; }

    // Recording: the delta to the event's update (as a chain of fillers when
    // it exceeds 4 bits), then the mouse flag with the kind or the code.
    void WriteEventTime(int updateCount);
    void BeginEvent(int updateCount, int code);
    void BeginMouseEvent(int updateCount, int kind);

    // Playback: reads the next header unless one is pending; true when the
    // pending event is due at this update. A header cut off by the end of the
    // data is never pending (IsHeaderComplete tells).
    bool ReadEventHeader(int updateCount);
    void TakeEvent() { mHeaderPending = true; }
    bool IsHeaderPending() const { return mHeaderPending; }
    bool IsHeaderComplete() const { return mHeaderComplete; }
    bool PendingIsMouse() const { return mPendingMouse; }
    int PendingCode() const { return mPendingCode; }

    int LastEventUpdate() const { return mLastEventUpdate; }
    // Whether at least that many unread bits are left.
    bool HasBits(int64_t bits) const { return mData.BitSize() - mData.ReadPosition() >= bits; }
    int64_t BytesLeft() const { return (mData.BitSize() - mData.ReadPosition()) / 8; }

    // Back to the start of the stream, as at the beginning of a run.
    void RestartTiming();

private:
    Buffer mData;
    int mLastEventUpdate = 0;
    bool mHeaderPending = true;
    bool mHeaderComplete = false;
    bool mPendingMouse = false;
    int mPendingCode = 0;
};

} // namespace Quib
