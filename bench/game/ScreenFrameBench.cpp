// The frame time of every screen of the game, on the game harness and the
// generated pack: each screen is opened the way play reaches it, left to
// settle, and then the same picture is drawn whole and shown, frame after
// frame, once in software and once through the window's renderer (Mesa's
// software GL behind SDL's offscreen driver), so that both paths draw the
// same thing. A frame ends when its pixels are done: through the renderer a
// one-pixel read-back waits for the GL work the present only queued; the
// software column queues no GL work at all (its frames go to the window's own
// pixels, only what changed, which the run checks), so it has nothing to wait for.
// Prints the median and the worst frame of each screen and path, then a table.

#include "game/frontend/BonusScreen.h"
#include "game/frontend/CreditsScreen.h"
#include "game/frontend/CustomLoadingScreen.h"
#include "game/frontend/IntroScreen.h"
#include "game/frontend/MainMenu.h"
#include "game/frontend/MainMenuReturn.h"
#include "game/frontend/OptionsScreen.h"
#include "game/frontend/PauseMenu.h"
#include "game/frontend/ScoresScreen.h"
#include "game/frontend/SelectProfile.h"
#include "game/minigames/base/MiniGameHelpScreen.h"
#include "game/minigames/base/MiniGameOwner.h"
#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/gallery/MiniGameFactory.h"
#include "game/minigames/gallery/PuzzleScreen.h"
#include "game/play/SceneFile.h"
#include "game/play/diary/DiaryOwner.h"
#include "game/play/diary/DiaryWidget.h"
#include "game/play/map/MapScreen.h"
#include "game/play/screen/GameFrame.h"
#include "game/play/screen/ScenePlayfield.h"
#include "game/play/story/StoryDialog.h"
#include "game/play/story/StoryEnvelope.h"
#include "platform/Environment.h"
#include "platform/RenderDevice.h"
#include "platform/Window.h"
#include "tests/game/support/MenuSteps.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{

using gameharness::GameHarness;

constexpr int kFrames = 40;
// Long enough for every panel to slide in and every fade to end.
constexpr int kSettleUpdates = 150;

class NoSceneOwner : public MiniGameOwner
{
public:
    void SetMiniGameDone(bool) override {}
    void DiscardHeldActionItem() override {}
    int GetItemsLeft() const override { return 0; }
    void StartSceneEndDelay() override {}
    void AddSkipPenalty() override {}
};

class NoDiaryOwner : public DiaryOwner
{
public:
    bool ShowTutorial(int, int32_t) override { return false; }
    void ShowDiaryButton() override {}
};

const char* KindName(MiniGameKind kind)
{
    switch (kind)
    {
    case MiniGameKind::Jigsaw:
        return "jigsaw";
    case MiniGameKind::RotatingTiles:
        return "rotating tiles";
    case MiniGameKind::FindDifferences:
        return "differences";
    case MiniGameKind::MorseTypewriter:
        return "typewriter";
    case MiniGameKind::MatchSticks:
        return "matches";
    case MiniGameKind::BoxPushing:
        return "box pushing";
    case MiniGameKind::Reversi:
        return "reversi";
    case MiniGameKind::WinePitchers:
        return "wine pitchers";
    case MiniGameKind::Queens:
        return "queens";
    case MiniGameKind::MemoryCards:
        return "memory";
    case MiniGameKind::LetterScramble:
        return "letters";
    case MiniGameKind::ClockHands:
        return "clock";
    case MiniGameKind::WaveMatching:
        return "wave";
    case MiniGameKind::TableSeating:
        return "seating";
    case MiniGameKind::TanksAndValves:
        return "tanks";
    }
    return "?";
}

struct Figures
{
    double median = 0;
    double worst = 0;
};

// The game walked from screen to screen. Screens open in their order; asking
// for a later one opens those before it on the way, so a filtered run still
// reaches its screen the way play does.
class Tour
{
public:
    struct Stop
    {
        std::string name;
        std::function<bool()> open;
    };

    Tour()
    {
        Add("title", [this] { return OpenTitle(); });
        Add("intro", [this] { return OpenIntro(); });
        Add("name entry", [this] { return OpenNameEntry(); });
        Add("main menu", [this] { return OpenMainMenu(); });
        Add("profile selection",
            [this] { return OpenFromMenu(&MainMenu::mProfileButton, IsTop<SelectProfile>); });
        Add("options", [this] { return OpenFromMenu(&MainMenu::mOptionsButton, IsTop<OptionsScreen>); });
        Add("wallpapers", [this] { return OpenFromMenu(&MainMenu::mBonusButton, IsTop<BonusScreen>); });
        Add("puzzle gallery",
            [this] { return OpenFromMenu(&MainMenu::mPuzzlesButton, IsTop<PuzzleScreen>); });
        Add("scores", [this] { return OverMenu(new ScoresScreen(false)); });
        Add("credits", [this] { return OverMenu(new CreditsScreen(false)); });
        Add("loading overlay", [this] { return OpenLoadingOverlay(); });
        Add("level map", [this] { return OpenMap(); });
        Add("diary", [this] { return Alone(new DiaryWidget(std::make_unique<NoDiaryOwner>(), false)); });
        // A story opens on black and brings its speakers in over three seconds.
        Add("story",
            [this] { return Alone(new StoryDialog(MapScreen::kFirstStory, false)) && mGame.Update(200); });
        Add("letter", [this] { return Alone(new StoryEnvelope("EnvelopeText1")); });
        Add("scene", [this] { return Alone(MakeSceneFrame("Scene1", kFullListMode)); });
        Add("pause", [this] { return Over(new PauseMenu()); });
        std::set<MiniGameKind> kinds;
        for (int index = 0; index < kGalleryMiniGameCount; ++index)
            if (kinds.insert(GalleryMiniGame(index)->mKind).second)
                Add(KindName(GalleryMiniGame(index)->mKind), [this, index] { return OpenMiniGame(index); });
        Add("bomb", [this] { return OpenBomb(); });
    }

    const std::vector<Stop>& Stops() const { return mStops; }

    // False when the screen, or one on the way to it, could not be opened.
    bool Reach(size_t stop)
    {
        while (!mBroken && mReached <= stop)
        {
            if (mStops[mReached].open())
                ++mReached;
            else
                mBroken = true;
        }
        if (mBroken)
            std::fprintf(stderr, "screen_frame_bench: could not open %s\n", mStops[mReached].name.c_str());
        return !mBroken;
    }

    // Frame times in milliseconds; empty when the renderer did not start.
    std::vector<double> Frames(bool renderer)
    {
        SharkInterface& app = mGame.App();
        app.Set3DMode(renderer, true);
        std::vector<double> times;
        if (app.Is3DEnabled() == renderer)
        {
            platform::RenderDevice* device = renderer ? app.mMainWindow->renderDevice() : nullptr;
            if (!renderer && app.mMainWindow->presentsThroughRenderer())
                return times;
            // The first frame after a switch uploads the screen's pictures.
            for (int i = 0; i <= kFrames; ++i)
            {
                const auto start = std::chrono::steady_clock::now();
                app.MarkAllDirty();
                app.DrawScreen();
                app.PresentScreen();
                if (device != nullptr)
                {
                    uint32_t pixel = 0;
                    device->readPixels({0, 0, 1, 1}, &pixel, 4);
                }
                const std::chrono::duration<double, std::milli> took =
                    std::chrono::steady_clock::now() - start;
                if (i > 0)
                    times.push_back(took.count());
            }
        }
        app.Set3DMode(false, true);
        return times;
    }

private:
    void Add(std::string name, std::function<bool()> open)
    {
        mStops.push_back({std::move(name), std::move(open)});
    }

    template <class T> static bool IsTop(GameHarness& game) { return game.Top<T>() != nullptr; }

    GameStateStack* Stack() { return mGame.App().mGameStates.get(); }

    bool Settle()
    {
        mGame.RegainFocus();
        return mGame.Update(kSettleUpdates);
    }

    bool OpenTitle()
    {
        // The loading thread waits, so the title shows its progress at the start.
        mGame.Boot();
        return Settle() && mGame.App().mTitleScreen != nullptr;
    }

    bool OpenIntro()
    {
        mGame.FinishLoading();
        if (!mGame.RunUntil([&] { return mGame.Top<IntroScreen>() != nullptr; }, 1500))
            return false;
        IntroScreen* intro = mGame.Top<IntroScreen>();
        return mGame.RunUntil([&] { return intro->mPhase == IntroScreen::PHASE_TEXTS; }, 400) && Settle();
    }

    bool OpenNameEntry()
    {
        mGame.PressKey(SDLK_SPACE);
        return gameharness::WaitForNameEntry(mGame) != nullptr;
    }

    bool OpenMainMenu()
    {
        gameharness::TypeName(mGame, "Anna");
        mGame.PressKey(SDLK_RETURN);
        if (!mGame.RunUntil([&] { return mGame.Top<MainMenu>() != nullptr; }, 300))
            return false;
        mMenu = mGame.Top<MainMenu>();
        return gameharness::WaitForMenuAtRest(mGame, *mMenu) && Settle();
    }

    bool BackToMenu()
    {
        PopToMainMenu(Stack());
        return mGame.RunUntil([&] { return mGame.Top<MainMenu>() == mMenu; }, 10) &&
               gameharness::WaitForMenuAtRest(mGame, *mMenu);
    }

    bool OpenFromMenu(std::unique_ptr<MenuItem> MainMenu::*button, bool (*opened)(GameHarness&))
    {
        if (!BackToMenu())
            return false;
        gameharness::ClickOn(mGame, *(mMenu->*button));
        return mGame.RunUntil([&] { return opened(mGame); }, 300) && Settle();
    }

    bool OverMenu(ScreenBase* screen) { return BackToMenu() && Over(screen); }

    bool Over(ScreenBase* screen)
    {
        screen->Resize(0, 0, 800, 600);
        PushGameState(screen, Stack());
        return Settle();
    }

    bool Alone(ScreenBase* screen)
    {
        ClearGameStates(Stack());
        return Over(screen);
    }

    bool OpenLoadingOverlay()
    {
        if (!BackToMenu())
            return false;
        gameharness::ClickOn(mGame, *mMenu->mPlayButton);
        return mGame.RunUntil(
            [&]
            {
                const auto* overlay = mGame.Shown<CustomLoadingScreen>();
                return overlay != nullptr && overlay->mShowText;
            },
            300);
    }

    bool OpenMap()
    {
        if (!mGame.RunUntil([&] { return mGame.Shown<CustomLoadingScreen>() == nullptr; }, 300))
            return false;
        // The map on its own, past the first story and the tutorials that would cover it.
        PlayerProfile* profile = mGame.App().GetCurrentProfile();
        profile->mStoryFlags.MarkCutsceneShown(MapScreen::kFirstStory);
        profile->mTutorialFlags.Set(0);
        profile->mDiaryPages = 3;
        ClearGameStates(Stack());
        return Over(new MapScreen()) && Settle();
    }

    bool OpenMiniGame(int index)
    {
        ClearGameStates(Stack());
        if (CreateMiniGameByIndex(index, Stack()) == nullptr)
            return false;
        return CloseEntryHelp();
    }

    bool OpenBomb()
    {
        ClearGameStates(Stack());
        CreateBombMiniGame(&mNoScene, Stack());
        return CloseEntryHelp();
    }

    // The help panel that opens with a game goes at the first click.
    bool CloseEntryHelp()
    {
        if (!Settle())
            return false;
        if (mGame.Top<MiniGameHelpScreen>() != nullptr)
        {
            mGame.Click(10, 10);
            if (!Settle())
                return false;
        }
        return mGame.Top<MiniGameWidget>() != nullptr;
    }

    GameHarness mGame;
    std::vector<Stop> mStops;
    size_t mReached = 0;
    bool mBroken = false;
    MainMenu* mMenu = nullptr;
    NoSceneOwner mNoScene;
};

// Made and ended in main: the game must end before the process's own statics do.
std::unique_ptr<Tour> gTour;

Tour& SharedTour()
{
    return *gTour;
}

Figures Summarise(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

// Per screen, software then renderer.
std::map<std::string, std::pair<Figures, Figures>>& Results()
{
    static std::map<std::string, std::pair<Figures, Figures>> results;
    return results;
}

void MeasureScreen(benchmark::State& state, size_t stop, bool renderer)
{
    Tour& tour = SharedTour();
    if (!tour.Reach(stop))
    {
        state.SkipWithError("the screen could not be opened");
        return;
    }
    std::vector<double> times = tour.Frames(renderer);
    if (times.empty())
    {
        state.SkipWithError(renderer ? "no accelerated renderer" : "software frames went through a renderer");
        return;
    }
    size_t frame = 0;
    for (auto _ : state)
        state.SetIterationTime(times[frame++ % times.size()] / 1000.0);
    const Figures figures = Summarise(times);
    state.counters["median_ms"] = figures.median;
    state.counters["worst_ms"] = figures.worst;
    auto& row = Results()[tour.Stops()[stop].name];
    (renderer ? row.second : row.first) = figures;
}

void PrintTable()
{
    const Tour& tour = SharedTour();
    std::printf("\n%-20s %12s %12s %12s %12s\n", "screen (ms/frame)", "sw median", "sw worst", "gl median",
                "gl worst");
    for (const Tour::Stop& stop : tour.Stops())
    {
        const auto found = Results().find(stop.name);
        if (found == Results().end())
            continue;
        const auto& [software, renderer] = found->second;
        std::printf("%-20s %12.2f %12.2f", stop.name.c_str(), software.median, software.worst);
        if (renderer.worst > 0)
            std::printf(" %12.2f %12.2f\n", renderer.median, renderer.worst);
        else
            std::printf(" %12s %12s\n", "-", "-");
    }
}

} // namespace

int main(int argc, char** argv)
{
    // A screen of its own for the renderer, whatever the caller's display is;
    // no sound device and no message boxes.
    platform::setEnv("SDL_VIDEODRIVER", "offscreen");
    platform::setEnv("SDL_AUDIODRIVER", "dummy");
    platform::setEnv("ORVELLAN_TEST", "1");
    platform::setEnv("LIBGL_ALWAYS_SOFTWARE", "1");
    benchmark::Initialize(&argc, argv);
    gTour = std::make_unique<Tour>();
    const std::vector<Tour::Stop>& stops = SharedTour().Stops();
    for (size_t i = 0; i < stops.size(); ++i)
        for (bool renderer : {false, true})
        {
            std::string name = "Screen/" + stops[i].name + (renderer ? "/renderer" : "/software");
            std::replace(name.begin(), name.end(), ' ', '_');
            benchmark::RegisterBenchmark(name.c_str(), [i, renderer](benchmark::State& state)
                                         { MeasureScreen(state, i, renderer); })
                ->Iterations(kFrames)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
    benchmark::RunSpecifiedBenchmarks();
    PrintTable();
    gTour.reset();
    benchmark::Shutdown();
    return 0;
}
