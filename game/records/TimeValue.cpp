#include "game/records/TimeValue.h"

#include "framework/foundation/Buffer.h"
#include "framework/foundation/FormatString.h"

TimeValue TimeValue::FromMilliseconds(int32_t t)
{
    const int32_t hours = t / 3600000;
    return TimeValue(hours, t / 60000 - hours * 60, t / 1000 - (t / 60000) * 60, t % 1000);
}

void TimeValue::Clear()
{
    *this = TimeValue();
}

double TimeValue::ToMilliseconds() const
{
    // Wide enough that no stored field can overflow the sum.
    const int64_t minutes = int64_t(mHours) * 60 + mMinutes;
    return double(((minutes * 60) + mSeconds) * 1000 + mMilliseconds);
}

void TimeValue::Add(int32_t hours, int32_t minutes, int32_t seconds, int32_t milliseconds)
{
    const int32_t m = milliseconds + mMilliseconds;
    const int32_t s = seconds + mSeconds + m / 1000;
    mMilliseconds = m % 1000;
    const int32_t n = minutes + mMinutes + s / 60;
    mSeconds = s % 60;
    mHours += hours + n / 60;
    mMinutes = n % 60;
}

void TimeValue::Read(Quib::Buffer& buffer)
{
    mHours = int16_t(buffer.GetU16());
    mMinutes = int16_t(buffer.GetU16());
    mSeconds = int16_t(buffer.GetU16());
    mMilliseconds = int16_t(buffer.GetU16());
}

void TimeValue::Write(Quib::Buffer& buffer) const
{
    buffer.PutU16(uint16_t(mHours));
    buffer.PutU16(uint16_t(mMinutes));
    buffer.PutU16(uint16_t(mSeconds));
    buffer.PutU16(uint16_t(mMilliseconds));
}

std::string TimeValue::Format() const
{
    return Quib::FormatString("%02d:%02d:%02d", int(mHours), int(mMinutes), int(mSeconds));
}
