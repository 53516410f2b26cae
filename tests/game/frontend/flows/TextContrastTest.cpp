// Every text the player reads stands out from what lies under it by at least
// 4.5:1 (the WCAG ratio for body text), measured on the real screens of the
// game on the generated pack. Set ORVELLAN_CONTRAST_FRAMES=FOLDER to keep a
// picture of every measured frame.

#include "tests/game/frontend/flows/TextContrast.h"

#include "framework/graphics/Image.h"
#include "game/frontend/BonusScreen.h"
#include "game/frontend/CreditsScreen.h"
#include "game/frontend/IntroScreen.h"
#include "game/frontend/MainMenu.h"
#include "game/frontend/OptionsScreen.h"
#include "game/frontend/PauseMenu.h"
#include "game/frontend/PlayerNameEntry.h"
#include "game/frontend/ScoresScreen.h"
#include "game/frontend/SelectProfile.h"
#include "game/play/SceneFile.h"
#include "game/play/screen/GameFrame.h"
#include "game/play/screen/ScenePlayfield.h"
#include "game/play/story/StoryEnvelope.h"
#include "game/play/tutorial/Tutorial.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/StringTable.h"
#include "platform/Environment.h"
#include "tests/game/support/GameHarness.h"
#include "tests/game/support/MenuSteps.h"

#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace
{

using namespace gameharness;

constexpr double kLeastContrast = 4.5;

// Every measured screen's texts, and the worst of them, for the report at the end.
class ContrastReport
{
public:
    explicit ContrastReport(GameHarness& game) : mProbe(game)
    {
        if (std::optional<std::string> folder = platform::getEnv("ORVELLAN_CONTRAST_FRAMES"))
            mProbe.SaveFramesTo(*folder);
    }

    void Measure(const std::string& screen)
    {
        mProbe.SetFrameName(screen);
        std::vector<TextContrast> texts = mProbe.Measure();
        EXPECT_FALSE(texts.empty()) << screen << " shows no text";
        for (const TextContrast& text : texts)
            EXPECT_GE(text.ratio, kLeastContrast) << screen << ": " << Describe(text);
        if (texts.empty())
            return;
        auto [place, fresh] = mWorst.emplace(screen, texts.front());
        if (!fresh && texts.front().ratio < place->second.ratio)
            place->second = texts.front();
    }

    ~ContrastReport()
    {
        for (const auto& [screen, worst] : mWorst)
            std::printf("%-22s worst %s\n", screen.c_str(), Describe(worst).c_str());
    }

private:
    TextContrastProbe mProbe;
    std::map<std::string, TextContrast> mWorst;
};

TEST(TextContrastTest, EveryTextOfTheFrontEndReadsAgainstWhatLiesUnderIt)
{
    GameHarness game;
    game.Boot();
    ContrastReport report(game);
    game.Update(120);
    report.Measure("title");

    game.FinishLoading();
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 1500));
    IntroScreen* intro = game.Top<IntroScreen>();
    ASSERT_TRUE(game.RunUntil([&] { return intro->mPhase == IntroScreen::PHASE_TEXTS; }, 400));
    game.Update(300);
    report.Measure("intro");
    game.PressKey(SDLK_SPACE);

    // The first player is named over the profile selection.
    PlayerNameEntry* entry = WaitForNameEntry(game);
    ASSERT_NE(entry, nullptr);
    report.Measure("name entry");
    game.PressKey(SDLK_RETURN);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<MainMenu>() != nullptr; }, 300));
    MainMenu* menu = game.Top<MainMenu>();
    ASSERT_TRUE(WaitForMenuAtRest(game, *menu));
    report.Measure("main menu");

    // The profile selection, the name entry over it and its question, as the player opens them.
    AddPlayer(game, "Bartholomew");
    AddPlayer(game, "Cleo");
    ClickOn(game, *menu->mProfileButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<SelectProfile>() != nullptr; }, 200));
    SelectProfile* profiles = game.Top<SelectProfile>();
    game.Update(40);
    report.Measure("profile selection");
    ClickOn(game, *profiles->mButtons[SelectProfile::BUTTON_RENAME]);
    ASSERT_NE(WaitForNameEntry(game), nullptr);
    report.Measure("name entry (rename)");
    game.PressKey(SDLK_RETURN);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<SelectProfile>() != nullptr; }, 200));
    game.Update(10);
    ClickOn(game, *profiles->mButtons[SelectProfile::BUTTON_CREATE]);
    ASSERT_NE(WaitForNameEntry(game), nullptr);
    TypeName(game, "Cleo");
    game.PressKey(SDLK_RETURN);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<CustomDialog>() != nullptr; }, 100));
    CustomDialog* sameName = game.Top<CustomDialog>();
    game.Update(40);
    report.Measure("dialog");
    ASSERT_TRUE(AnswerDialog(game, *sameName, true));
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<PlayerNameEntry>() != nullptr; }, 100));
    TypeName(game, "Dora");
    game.PressKey(SDLK_RETURN);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<SelectProfile>() != nullptr; }, 200));
    game.Update(10);
    ClickOn(game, *profiles->mButtons[SelectProfile::BUTTON_DONE]);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<MainMenu>() != nullptr; }, 200));
    ASSERT_TRUE(WaitForMenuAtRest(game, *menu));

    ClickOn(game, *menu->mExitButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<CustomDialog>() != nullptr; }, 200));
    CustomDialog* exitQuestion = game.Top<CustomDialog>();
    game.Update(40);
    report.Measure("dialog");
    ASSERT_TRUE(AnswerDialog(game, *exitQuestion, false));
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<MainMenu>() != nullptr; }, 200));
    ASSERT_TRUE(WaitForMenuAtRest(game, *menu));

    // The options open the high scores and the credits as the player does.
    ClickOn(game, *menu->mOptionsButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<OptionsScreen>() != nullptr; }, 200));
    auto* options = game.Top<OptionsScreen>();
    game.Update(40);
    report.Measure("options");
    ClickOn(game, *options->mScoresButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<ScoresScreen>() != nullptr; }, 100));
    game.Update(40);
    report.Measure("high scores");
    PopGameState(Stack(game));
    game.Update(40);
    ClickOn(game, *options->mCreditsButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<CreditsScreen>() != nullptr; }, 100));
    auto* credits = game.Top<CreditsScreen>();
    game.Update(40);
    // The column passes the whole screen: every line is measured somewhere on it.
    for (float top = 610; top > -float(credits->mLines.size()) * 24; top -= 300)
    {
        credits->mScrollY = top;
        report.Measure("credits");
    }
    PopGameState(Stack(game));
    game.Update(40);
    ClickOn(game, *options->mOkButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<MainMenu>() != nullptr; }, 200));
    ASSERT_TRUE(WaitForMenuAtRest(game, *menu));

    ClickOn(game, *menu->mBonusButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<BonusScreen>() != nullptr; }, 200));
    auto* gallery = game.Top<BonusScreen>();
    game.Update(80);
    report.Measure("wallpaper gallery");
    gallery->mPage = 1;
    gallery->ShowPage(1);
    ASSERT_FALSE(gallery->mUnlocked[1]);
    report.Measure("wallpaper gallery (locked)");
    PopGameState(Stack(game));
}

TEST(TextContrastTest, EveryTextOfTheSceneScreenAndItsMenusReads)
{
    GameHarness game;
    game.Boot();
    ContrastReport report(game);
    game.FinishLoading();
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 1500));
    ClearGameStates(Stack(game));

    PushGameState(MakeSceneFrame("Scene5", kFullListMode), Stack(game));
    game.Update(100);
    report.Measure("scene list");
    Push(game, new PauseMenu(), 40);
    report.Measure("pause menu");
    ClearGameStates(Stack(game));

    PushGameState(MakeSceneFrame("Scene1", kTenItemsListMode), Stack(game));
    game.Update(100);
    report.Measure("scene list (ten items)");
    auto* tutorial = Push(game, new Tutorial(0, "TUT_SCENE_FIRST10"), 1);
    ASSERT_TRUE(game.RunUntil([&] { return !tutorial->mOpenSeq->IsRunning(); }, 200));
    game.Update(10);
    report.Measure("tutorial");
    PopGameState(Stack(game));
    game.Update(40);

    // A letter's text on its paper, and the OK under it once the paper has settled.
    Push(game, new StoryEnvelope("EnvelopeText1"), 400);
    report.Measure("letter");
    ClearGameStates(Stack(game));
}

} // namespace
