#include "game/play/screen/SceneScreenLinks.h"

#include "game/minigames/bomb/BombMiniGame.h"
#include "game/minigames/gallery/MiniGameFactory.h"
#include "game/play/story/StoryDialog.h"
#include "game/play/story/StoryEnvelope.h"

SceneScreenMakers& SceneScreens()
{
    // Stories, letters and the bomb are this part of the game's own; the rest
    // is registered by the parts that build it.
    static SceneScreenMakers makers = []
    {
        SceneScreenMakers own;
        own.mStory = [](const std::string& story, bool withEnvelope) -> ScreenBase*
        { return new StoryDialog(story, withEnvelope); };
        own.mLetter = [](const std::string& textKey) -> ScreenBase* { return new StoryEnvelope(textKey); };
        // Sized to the screen, so that no click on the bomb reaches the scene below it.
        own.mBomb = []() -> MiniGameWidget* { return CreateBombMiniGame(nullptr, nullptr); };
        return own;
    }();
    return makers;
}
