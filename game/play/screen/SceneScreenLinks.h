#pragma once

#include <functional>
#include <string>

class GameFrame;
class MiniGameWidget;
class ScreenBase;

// The screens the scene screen opens that other parts of the game build:
// stories and letters, the diary, tutorials, the pause menu, the final scores
// and the bomb. The program registers its makers at start; a maker that is
// not registered (or makes nothing) counts as a screen opened and closed at
// once, so the scene goes on without it.
struct SceneScreenMakers
{
    // A story script by name, with or without its envelope.
    std::function<ScreenBase*(const std::string& story, bool withEnvelope)> mStory;
    // A letter by its text key.
    std::function<ScreenBase*(const std::string& textKey)> mLetter;
    std::function<ScreenBase*(GameFrame& frame, bool firstOpening)> mDiary;
    // A tutorial by its key, moved right by the offset.
    std::function<ScreenBase*(int xOffset, const std::string& key)> mTutorial;
    std::function<ScreenBase*()> mPauseMenu;
    // The high-score screen at the end of the game.
    std::function<ScreenBase*()> mFinalScores;
    std::function<MiniGameWidget*()> mBomb;
};

SceneScreenMakers& SceneScreens();

// What the scene screen tells the level map that opened it.
class SceneMapLink
{
public:
    virtual ~SceneMapLink() = default;
    // The first scene is done: the level's other scenes open.
    virtual void UnlockOtherScenes() = 0;
    // The ten-items visit is done: the same scene opens again with its full list.
    virtual void SetReopenWithFullList(bool reopen) = 0;
    // The clock ran out: the scene starts afresh on its next visit.
    virtual void SetResetAfterTimeOut(bool reset) = 0;
};
