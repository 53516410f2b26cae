// The window's close box asks whether to quit over whatever is on screen. On
// the first level the scene screen also shows tutorials once the player has
// been idle for a while; the question must keep the top of the screen and the
// player's answer however long it stands.
#include "tests/game/play/screen/SceneFlowSupport.h"
#include "tests/game/support/MenuSteps.h"

#include <gtest/gtest.h>

namespace
{

using gameharness::GameHarness;
using namespace scenetest;

// The first scene in play with only the tutorial that comes after 33 seconds
// without a piece found still to be shown, and the exit question standing over
// it for longer than that.
CustomDialog* AskToQuitWhileTheIdleTutorialIsDue(GameHarness& game, SceneVisit& visit)
{
    CloseStandIn(game, "story:Scene1");
    if (!SettleFrame(game, *visit.mFrame) || !visit.mPlayfield->mTutorial7Watch.IsRunning())
        return nullptr;
    game.RequestClose();
    CustomDialog* question = AwaitTop<CustomDialog>(game);
    if (question == nullptr || question != game.App().mExitDialog)
        return nullptr;
    // Drawing the frames of a whole minute would take most of the test; nothing here looks at them.
    game.StopDrawing();
    game.Update(2 * SandboxWidget::kTutorial7Ms / 10);
    return question;
}

class SceneExitQuestionFlowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        BootGame(game);
        for (int seen = 1; seen < TutorialFlags::kCount; ++seen)
            if (seen != 7)
                Profile(game).mTutorialFlags.Set(seen);
    }

    GameHarness game;
    StandIns standIns;
};

TEST_F(SceneExitQuestionFlowTest, AnIdleTutorialWaitsUnderTheExitQuestionAndComesOnceItIsAnsweredNo)
{
    SceneVisit visit(game, "Scene1", kFullListMode);
    CustomDialog* question = AskToQuitWhileTheIdleTutorialIsDue(game, visit);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(game.Top<CustomDialog>(), question);
    EXPECT_EQ(standIns.mOpened, std::vector<std::string>{"story:Scene1"});

    ASSERT_TRUE(gameharness::AnswerDialog(game, *question, false));
    EXPECT_FALSE(game.IsShutDown());
    CloseStandIn(game, "tutorial:TUT_SCENE_NORMAL_2");
    EXPECT_EQ(game.Top<GameFrame>(), visit.mFrame);
    EXPECT_TRUE(Profile(game).mTutorialFlags.IsSet(7));
}

TEST_F(SceneExitQuestionFlowTest, TheExitQuestionKeepsItsYesWhileAnIdleTutorialIsDue)
{
    SceneVisit visit(game, "Scene1", kFullListMode);
    CustomDialog* question = AskToQuitWhileTheIdleTutorialIsDue(game, visit);
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(gameharness::AnswerDialog(game, *question, true));
    game.RunUntil([] { return false; }, 300);
    EXPECT_TRUE(game.IsShutDown());
}

} // namespace
