// Loads arbitrary bytes as a profile file, checks that every fixed-shape record
// kept its shape, and that what the profile saves reads back to the same bytes.
#include "fuzz/records/RecordsFuzzCheck.h"
#include "game/records/PlayerProfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Quib::Buffer input = bufferOf(data, size);
    PlayerProfile profile;
    profile.Load(input);
    check(profile.mLevel >= 1 && profile.mLevel <= 19);
    check(profile.mLevelProgress.mScenes.size() == 4);
    check(profile.mUsedItems.mLevels.size() == 19);
    check(profile.mWallpaperUnlocks.mEntries.size() == 31);
    check(profile.mStoryFlags.mSceneStories.size() == 31);
    check(profile.mStoryFlags.mCutscenes.size() == 15);

    const Quib::Buffer saved = profile.Save();
    Quib::Buffer again = saved;
    PlayerProfile reloaded;
    reloaded.Load(again);
    check(bytesOf(reloaded.Save()) == bytesOf(saved));
    return 0;
}
