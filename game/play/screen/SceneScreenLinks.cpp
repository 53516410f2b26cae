#include "game/play/screen/SceneScreenLinks.h"

#include "game/minigames/games/BombMiniGame.h"
#include "game/play/story/StoryDialog.h"
#include "game/play/story/StoryEnvelope.h"

SceneScreenMakers& SceneScreens()
{
    // Stories, letters and the bomb are this part of the game's own; the rest
    // is registered by the parts that build it.
    static SceneScreenMakers makers{
        .mStory = [](const std::string& story, bool withEnvelope) -> ScreenBase*
        { return new StoryDialog(story, withEnvelope); },
        .mLetter = [](const std::string& textKey) -> ScreenBase* { return new StoryEnvelope(textKey); },
        .mBomb = []() -> MiniGameWidget* { return new BombMiniGame(); },
    };
    return makers;
}
