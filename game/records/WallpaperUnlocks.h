#pragma once

#include "framework/foundation/Buffer.h"

#include <string>
#include <vector>

// Which scenes' wallpapers this profile has unlocked: "Scene1" to "Scene31".
struct WallpaperUnlocks
{
    static constexpr int kCount = 31;

    struct Entry
    {
        std::string mName;
        bool mUnlocked = false;
        bool operator==(const Entry&) const = default;
    };

    std::vector<Entry> mEntries;

    WallpaperUnlocks();

    // Null when the index is outside 0 to 30.
    Entry* At(int index);
    // An unlocked wallpaper does not lock again this way.
    void SetIfClear(const std::string& name, bool value);
    void ClearAll();

    // No count: one name and flag per entry. A flag is stored only when the
    // name read matches the entry's.
    void Read(Quib::Buffer& buffer);
    void Write(Quib::Buffer& buffer) const;

    bool operator==(const WallpaperUnlocks&) const = default;
};
