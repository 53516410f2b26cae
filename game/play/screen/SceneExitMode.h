#pragma once

#include <cstdint>

// Why the scene screen's heads-up display slides out, or what the screen is
// waiting for.
enum SceneExitMode : int32_t
{
    ExitNone = -1,        // playing
    ExitPause = 0,        // the pause menu is open or opening
    ExitToMap = 1,        // leaving to the level map
    ExitDiary = 2,        // the diary is open
    ExitMiniGame = 3,     // the mini-game is open or opening
    ExitAfterDialog = 4,  // a dialog has just closed, or the first scene's list is finished
    ExitChapterStory = 5, // the story scenes after the first completed scenes are running
    ExitFinale = 6        // the ending of the last scene is running
};
