#include "tests/game/play/story/StoryTestSupport.h"

#include "game/frontend/IntroScreen.h"
#include "game/play/story/StoryDialog.h"
#include "game/play/story/StoryEnvelope.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/MenuItem.h"

#include <gtest/gtest.h>

namespace storytest
{

StoryGame::StoryGame(const std::vector<std::pair<std::string, std::string>>& scripts)
{
    for (const auto& [name, text] : scripts)
        mPack.Write("content/stories/" + name + ".xml", text);
    mGame = std::make_unique<gameharness::GameHarness>(
        gameharness::HarnessOptions{.packFolder = mPack.Folder(), .dataFolder = {}});
    mGame->Boot();
    mGame->FinishLoading();
    // Without the focus the game's updates stand still.
    mGame->RegainFocus();
    EXPECT_TRUE(mGame->RunUntil([&] { return mGame->Top<IntroScreen>() != nullptr; }, 1000));
}

StoryDialog* StoryGame::OpenStory(const std::string& name, bool withEnvelope)
{
    auto* story = new StoryDialog(name, withEnvelope);
    story->Resize(0, 0, 800, 600);
    PushGameState(story, mGame->App().mGameStates.get());
    mGame->Update();
    return story;
}

StoryEnvelope* StoryGame::OpenLetter(const std::string& textKey)
{
    auto* letter = new StoryEnvelope(textKey);
    letter->Resize(0, 0, 800, 600);
    PushGameState(letter, mGame->App().mGameStates.get());
    mGame->Update();
    return letter;
}

void StoryGame::ClickMiddle(int x, int y, int width, int height)
{
    mGame->Click(x + width / 2, y + height / 2);
    mGame->Update();
}

void AnswerExitQuestionYes(StoryGame& story)
{
    gameharness::GameHarness& game = story.Game();
    SharkInterface& app = game.App();
    ASSERT_TRUE(
        game.RunUntil([&] { return app.mExitDialog != nullptr && !app.mExitDialog->IsAnimating(); }, 100));
    const MenuItem& yes = *app.mExitDialog->mFirstButton;
    story.ClickMiddle(yes.mX, yes.mY, yes.mWidth, yes.mHeight);
    EXPECT_TRUE(game.RunUntil([&] { return game.IsShutDown(); }, 100));
}

std::string Script(const std::string& blocks)
{
    return "<?xml version=\"1.0\"?>\n<Story>\n" + blocks + "\n</Story>\n";
}

RecordedSounds::RecordedSounds() : mPrevious(gSoundEffectHost)
{
    gSoundEffectHost = this;
}

RecordedSounds::~RecordedSounds()
{
    gSoundEffectHost = mPrevious;
}

} // namespace storytest
