#pragma once

#include <cstdint>
#include <string>

namespace Quib
{
class Buffer;
}

// A duration split into hours, minutes, seconds and milliseconds: play times,
// a scene's remaining clock time and the high-score times are held, added,
// shown and saved in this form. Normalised values keep minutes and seconds in
// 0..59 and milliseconds in 0..999; hours are unbounded.
struct TimeValue
{
    TimeValue() = default;
    TimeValue(int32_t hours, int32_t minutes, int32_t seconds, int32_t milliseconds)
        : mHours(hours), mMinutes(minutes), mSeconds(seconds), mMilliseconds(milliseconds)
    {
    }

    // Divisions truncate toward zero, so a negative count (a countdown past
    // its limit) gives fields that are zero or negative.
    static TimeValue FromMilliseconds(int32_t milliseconds);

    void Clear();
    double ToMilliseconds() const;
    // Adds with carries into seconds, minutes and hours; hours never wrap into anything.
    void Add(int32_t hours, int32_t minutes, int32_t seconds, int32_t milliseconds);
    // The save form: four 16-bit values, hours first; reading sign-extends them.
    void Read(Quib::Buffer& buffer);
    void Write(Quib::Buffer& buffer) const;
    // "hh:mm:ss"; milliseconds are not shown.
    std::string Format() const;

    bool operator==(const TimeValue&) const = default;

    int32_t mHours = 0;
    int32_t mMinutes = 0;
    int32_t mSeconds = 0;
    int32_t mMilliseconds = 0;
};
