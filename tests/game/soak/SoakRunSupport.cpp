#include "game/frontend/CustomLoadingScreen.h"
#include "game/frontend/SceneScreenMakers.h"
#include "game/records/OptionsData.h"
#include "game/records/ProfileList.h"
#include "platform/Desktop.h"
#include "platform/Environment.h"
#include "tests/game/soak/SoakRun.h"
#include "tests/game/soak/SoakStep.h"
#include "tests/game/support/MenuSteps.h"

#include <charconv>
#include <cstdio>
#include <cxxabi.h>
#include <memory>
#include <random>
#include <sstream>
#include <typeinfo>

namespace soak
{

namespace
{

constexpr int kLevels = 19;
constexpr int64_t kShortestGame = 8000;
constexpr int64_t kLongestGame = 30000;

std::string ClassName(const std::type_info& type)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                std::free);
    return status == 0 && name ? name.get() : type.name();
}

enum class Player
{
    New,
    LevelOpen,
    GameFinished,
};

const char* NameOf(Player player)
{
    switch (player)
    {
    case Player::New:
        return "a new player";
    case Player::LevelOpen:
        return "a player with a level open";
    default:
        return "a player who finished the game";
    }
}

// A second profile beside the first, on a level of its own, made current, so
// that Play leads into the middle of the game.
void PreparePlayer(gameharness::GameHarness& game, Player player, std::mt19937& random)
{
    if (player == Player::New)
        return;
    SharkInterface& app = game.App();
    auto profile = std::make_unique<PlayerProfile>();
    profile->mName = "Soak";
    profile->mFileName = app.mProfiles->MakeNewFileName("Soak");
    profile->mLevel = 1 + int32_t(random() % kLevels);
    profile->ResetLevelProgress();
    profile->PrepareCurrentLevel(app.GetLevelPreparationSource());
    profile->mGameInProgress = random() % 2 == 0;
    profile->mTimedPlay = random() % 3 == 0;
    const bool finished = player == Player::GameFinished;
    for (WallpaperUnlocks::Entry& wallpaper : profile->mWallpaperUnlocks.mEntries)
        wallpaper.mUnlocked = finished || random() % 2 == 0;
    app.AddProfile(std::move(profile));
    app.mOptions->mGameCompleted = finished;
}

class Soak
{
public:
    explicit Soak(const SoakSettings& settings) : mSettings(settings), mRandom(settings.seed)
    {
        mReport.seed = settings.seed;
    }

    SoakReport Run()
    {
        std::fprintf(stderr, "soak: seed %u (replay with ORVELLAN_SOAK_SEED=%u)\n", mSettings.seed,
                     mSettings.seed);
        std::fflush(stderr);
        // The desktop's own programs (wallpaper, web pages) are not run.
        platform::setCommandRunner([](const std::vector<std::string>&) { return false; });
        RegisterFrontEndSceneScreens();
        while (!Finished())
            PlayOneGame();
        platform::setCommandRunner({});
        return mReport;
    }

private:
    bool Finished() const
    {
        return mReport.updates >= mSettings.updates || (mSettings.stop && mSettings.stop());
    }

    void PlayOneGame()
    {
        const Player player = Player(mRandom() % 3);
        const int64_t length = kShortestGame + int64_t(mRandom() % (kLongestGame - kShortestGame));
        ++mReport.games;
        std::fprintf(stderr, "soak: game %d at update %lld with %s\n", mReport.games,
                     static_cast<long long>(mReport.updates), NameOf(player));
        std::fflush(stderr);
        gameharness::GameHarness game;
        const int& updatesRun = game.App().mMainLoop.mUpdateStepsRun;
        if (gameharness::ReachMainMenu(game) == nullptr)
            Find(game, "the main menu never came");
        else
        {
            PreparePlayer(game, player, mRandom);
            SoakInput input(game, mRandom);
            SoftLockWatch watch;
            while (updatesRun < length && !game.IsShutDown() &&
                   mReport.updates + updatesRun < mSettings.updates && !(mSettings.stop && mSettings.stop()))
            {
                const StepTaken step = TakeStep(game, input, watch, mRandom);
                Note(game, step.updates);
                if (step.softLock)
                {
                    Find(game, "soft-lock: " + StackText(game) +
                                   " stood still for a minute of game time "
                                   "under the soak's input");
                    break;
                }
            }
        }
        for (const std::string& message : game.Messages())
            Find(game, "error box: " + message);
        mReport.updates += updatesRun;
    }

    void Note(gameharness::GameHarness& game, int updates)
    {
        const std::vector<GameStateInterface*>& states = game.States();
        if (mTrace && (states.empty() ? nullptr : states.back()) != mTracedTop)
        {
            mTracedTop = states.empty() ? nullptr : states.back();
            std::fprintf(stderr, "soak: update %lld: %s\n",
                         static_cast<long long>(mReport.updates + game.App().mMainLoop.mUpdateStepsRun),
                         StackText(game).c_str());
        }
        for (const GameStateInterface* state : states)
            mReport.screens.try_emplace(ClassName(typeid(*state)), 0);
        if (!states.empty())
            mReport.screens[ClassName(typeid(*states.back()))] += updates;
        if (game.Shown<CustomLoadingScreen>() != nullptr)
            mReport.screens["CustomLoadingScreen"] += updates;
    }

    std::string StackText(gameharness::GameHarness& game) const
    {
        std::string text;
        for (const GameStateInterface* state : game.States())
            text += (text.empty() ? "" : " > ") + ClassName(typeid(*state));
        return text.empty() ? "an empty stack" : text;
    }

    void Find(gameharness::GameHarness& game, const std::string& what)
    {
        std::ostringstream line;
        line << "game " << mReport.games << ", update "
             << mReport.updates + game.App().mMainLoop.mUpdateStepsRun << ": " << what;
        mReport.findings.push_back(line.str());
        std::fprintf(stderr, "soak: FINDING %s\n", line.str().c_str());
        std::fflush(stderr);
    }

    const SoakSettings& mSettings;
    std::mt19937 mRandom;
    SoakReport mReport;
    // ORVELLAN_SOAK_TRACE=1 prints the stack whenever its top changes.
    const bool mTrace = platform::getEnv("ORVELLAN_SOAK_TRACE").value_or("") == "1";
    const GameStateInterface* mTracedTop = nullptr;
};

} // namespace

uint32_t SoakSeedFromEnvironment(uint32_t fallback)
{
    const std::optional<std::string> text = platform::getEnv("ORVELLAN_SOAK_SEED");
    uint32_t seed = 0;
    if (!text || std::from_chars(text->data(), text->data() + text->size(), seed).ec != std::errc())
        return fallback;
    return seed;
}

SoakReport RunSoak(const SoakSettings& settings)
{
    return Soak(settings).Run();
}

std::string FormatReport(const SoakReport& report)
{
    std::ostringstream text;
    text << "seed " << report.seed << "\n"
         << "updates " << report.updates << " (" << report.updates / 100 << " s of game time)\n"
         << "games " << report.games << "\n"
         << "screens reached " << report.screens.size() << "\n";
    for (const auto& [name, updates] : report.screens)
        text << "  " << name << ": " << updates / 100 << " s on top\n";
    text << "findings " << report.findings.size() << "\n";
    for (const std::string& finding : report.findings)
        text << "  " << finding << "\n";
    return text.str();
}

} // namespace soak
