#include "game/records/PlayerProfile.h"

#include "game/records/LevelMapTable.h"
#include "game/records/SaveEncoding.h"

#include <algorithm>

PlayerProfile::PlayerProfile()
{
    ResetLevelProgress();
}

void PlayerProfile::Load(Quib::Buffer& buffer)
{
    *this = PlayerProfile();
    mTimedPlay = save::ReadFlag(buffer);
    mGameInProgress = save::ReadFlag(buffer);
    mFileName = save::ReadText(buffer);
    mName = save::ReadText(buffer);
    mLevel = std::clamp(save::ReadShort(buffer), 1, LevelMapTable::kLevelCount);
    mHints = save::ReadLong(buffer);
    mDiaryPages = save::ReadShort(buffer);
    mDiaryOpened = save::ReadFlag(buffer);
    mLevelProgress.Read(buffer);
    mUsedItems.Read(buffer);
    mWallpaperUnlocks.Read(buffer);
    mTutorialFlags.Read(buffer);
    mStoryFlags.Read(buffer);
    mPlayTime.Read(buffer);
}

Quib::Buffer PlayerProfile::Save() const
{
    Quib::Buffer buffer;
    save::WriteFlag(buffer, mTimedPlay);
    save::WriteFlag(buffer, mGameInProgress);
    save::WriteText(buffer, mFileName);
    save::WriteText(buffer, mName);
    save::WriteShort(buffer, mLevel);
    save::WriteLong(buffer, mHints);
    save::WriteShort(buffer, mDiaryPages);
    save::WriteFlag(buffer, mDiaryOpened);
    mLevelProgress.Write(buffer);
    mUsedItems.Write(buffer);
    mWallpaperUnlocks.Write(buffer);
    mTutorialFlags.Write(buffer);
    mStoryFlags.Write(buffer);
    // Each part is kept within the Short's range: hours beyond it would wrap to
    // a negative time that ranks first among the high scores.
    save::WriteShort(buffer, mPlayTime.mHours);
    save::WriteShort(buffer, mPlayTime.mMinutes);
    save::WriteShort(buffer, mPlayTime.mSeconds);
    save::WriteShort(buffer, mPlayTime.mMilliseconds);
    return buffer;
}

void PlayerProfile::ResetLevelProgress()
{
    mLevelProgress = LevelProgress(mLevel - 1);
    mLevelProgress.BuildScenes();
}

void PlayerProfile::RecreateStoryFlags()
{
    mStoryFlags = StoryFlags();
}

void PlayerProfile::Reset(const LevelPreparationSource& source)
{
    mLevel = 1;
    mHints = kNewGameHints;
    mDiaryPages = 0;
    ResetLevelProgress();
    PrepareCurrentLevel(source);
    RecreateStoryFlags();
    mTutorialFlags.ClearAll();
    mWallpaperUnlocks.ClearAll();
    mDiaryOpened = false;
    mGameInProgress = false;
}

void PlayerProfile::ResetAll(const LevelPreparationSource& source)
{
    Reset(source);
    mWallpaperUnlocks.ClearAll();
}
