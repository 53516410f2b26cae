#include "game/records/WallpaperUnlocks.h"

#include "game/records/SaveEncoding.h"

WallpaperUnlocks::WallpaperUnlocks()
{
    for (int scene = 1; scene <= kCount; ++scene)
        mEntries.push_back({"Scene" + std::to_string(scene), false});
}

WallpaperUnlocks::Entry* WallpaperUnlocks::At(int index)
{
    if (index < 0 || size_t(index) >= mEntries.size())
        return nullptr;
    return &mEntries[size_t(index)];
}

void WallpaperUnlocks::SetIfClear(const std::string& name, bool value)
{
    for (Entry& entry : mEntries)
    {
        if (entry.mName == name && !entry.mUnlocked)
            entry.mUnlocked = value;
    }
}

void WallpaperUnlocks::ClearAll()
{
    for (Entry& entry : mEntries)
        entry.mUnlocked = false;
}

void WallpaperUnlocks::Read(Quib::Buffer& buffer)
{
    for (Entry& entry : mEntries)
    {
        // The flag is always read, so that one damaged name does not shift
        // every field after it.
        const std::string name = save::ReadText(buffer);
        const bool unlocked = save::ReadFlag(buffer);
        if (name == entry.mName)
            entry.mUnlocked = unlocked;
    }
}

void WallpaperUnlocks::Write(Quib::Buffer& buffer) const
{
    for (const Entry& entry : mEntries)
    {
        save::WriteText(buffer, entry.mName);
        save::WriteFlag(buffer, entry.mUnlocked);
    }
}
