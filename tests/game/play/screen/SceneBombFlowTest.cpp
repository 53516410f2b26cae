// The bomb the last scene opens covers the whole screen: a click anywhere on
// it is the bomb's, never the scene's side buttons' below it.
#include "framework/widgets/WidgetManager.h"
#include "game/minigames/base/MiniGameWidget.h"
#include "game/play/screen/SceneScreenLinks.h"
#include "game/shell/GameStateStack.h"
#include "tests/game/support/GameHarness.h"
#include "tests/game/support/PlayStart.h"

#include <gtest/gtest.h>

namespace
{

using gameharness::GameHarness;

TEST(SceneBombFlowTest, TheBombTakesEveryClickOnTheScreen)
{
    GameHarness game;
    ASSERT_TRUE(gameharness::StartOverPlainScreen(game));
    ASSERT_TRUE(SceneScreens().mBomb);
    MiniGameWidget* bomb = SceneScreens().mBomb();
    ASSERT_NE(bomb, nullptr);
    PushGameState(bomb, game.App().mGameStates.get());
    game.Update(2);
    // Where the scene keeps its Menu, Map and Diary buttons, and the tool tray's empty corner.
    for (auto [x, y] : {std::pair{60, 25}, std::pair{60, 80}, std::pair{60, 160}, std::pair{740, 540}})
    {
        int localX = 0, localY = 0;
        EXPECT_EQ(game.App().mWidgetManager->FindWidgetAt(x, y, &localX, &localY), bomb) << x << "," << y;
    }
    game.Click(60, 80);
    game.Update(2);
    EXPECT_EQ(game.Top<MiniGameWidget>(), bomb);
}

} // namespace
