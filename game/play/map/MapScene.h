#pragma once

#include <cstdint>
#include <string>

struct PlayerProfile;
struct SceneProgress;

// What the map keeps of one scene of the level while the level lasts: the
// names, how the scene is searched on this level, and the state its button shows.
struct MapScene
{
    std::string mSceneName;
    std::string mLevelName;
    std::string mCaption;
    int32_t mListMode = 0;
    bool mSecondVisit = false;
    bool mMiniGameDone = false;

    // The scene's record in the profile's level progress, or null.
    SceneProgress* FindRecord(PlayerProfile* profile) const;
    // Names on the visit's list not taken yet; 0 without a record.
    int32_t ItemsLeft(PlayerProfile* profile) const;
};
