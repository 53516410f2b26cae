// Makes the data folder a recording of the finale starts from:
// finale-start DESTINATION plays a fresh profile through the first eighteen
// levels with the scripted player, leaves the level 19 map for the main menu,
// which saves the game, ends the program and copies the data folder it saved
// into DESTINATION. The profile is the game's own, so the game reads it back
// exactly as it wrote it.
#include "game/play/map/MapScreen.h"
#include "game/records/PlayerProfile.h"
#include "tests/game/fullrun/FullRunSession.h"

#include <cstdio>
#include <filesystem>

namespace
{

constexpr int kLevelUpdates = 400000;

bool PlayToTheFinalLevel(fullrun::FullRunSession& run)
{
    if (!run.Start())
        return false;
    for (int level = 1; level < MapScreen::kFinalLevel; ++level)
    {
        if (!run.Player().PlayUntil([&] { return run.Profile().mLevel == level + 1 && run.MapAtRest(); },
                                    kLevelUpdates))
            return false;
        std::printf("level %d done\n", level);
        std::fflush(stdout);
    }
    return run.LeaveToMainMenu();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: finale-start DESTINATION\n");
        return 2;
    }
    fullrun::FullRunSession run;
    if (!PlayToTheFinalLevel(run))
    {
        std::fprintf(stderr, "the scripted player did not reach level %d: %s\n", MapScreen::kFinalLevel,
                     run.Player().Describe().c_str());
        return 1;
    }
    run.Stop();
    namespace fs = std::filesystem;
    fs::create_directories(argv[1]);
    fs::copy(run.DataFolder(), argv[1], fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    std::printf("level %d start written to %s\n", MapScreen::kFinalLevel, argv[1]);
    return 0;
}
