#pragma once

#include <cstdint>
#include <string>

// One place of the high-score table: a player's name and play time.
struct HighScoreEntry
{
    std::string mName;
    int32_t mHours = 0;
    int32_t mMinutes = 0;
    int32_t mSeconds = 0;
    int32_t mMilliseconds = 0;

    // Whole milliseconds, in 64 bits so that no hour count can wrap it.
    int64_t Total() const
    {
        return int64_t(mHours) * 3600000 + int64_t(mMinutes) * 60000 + int64_t(mSeconds) * 1000 +
               mMilliseconds;
    }
    // A total of 0 is an empty place.
    bool IsEmpty() const { return Total() == 0; }

    bool operator==(const HighScoreEntry&) const = default;
};
