#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/WidgetManager.h"
#include "game/frontend/MainMenu.h"
#include "tests/game/support/GameHarness.h"
#include "tests/game/support/MenuSteps.h"
#include "tests/support/GoldenImage.h"

#include <gtest/gtest.h>

namespace
{

// The whole menu once its buttons and title have slid in: sky, clouds, smoke,
// the house, the logos and the five buttons, drawn headless on the fake clock.
TEST(MainMenuPictureTest, TheMenuAtRestMatchesItsPicture)
{
    gameharness::GameHarness game;
    MainMenu* menu = gameharness::ReachMainMenu(game);
    ASSERT_NE(menu, nullptr);
    game.Update(2);
    auto* screen = dynamic_cast<Quib::MemoryImage*>(game.App().mWidgetManager->mDrawImage);
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(testsupport::MatchesGolden(*screen, "game/main-menu.png"));
}

} // namespace
