#pragma once

#include "game/play/map/MapScreen.h"
#include "game/play/map/MapScreenMakers.h"
#include "game/shell/ScreenBase.h"
#include "tests/game/support/GameHarness.h"

#include <string>
#include <vector>

namespace maptest
{

// A screen the map opened, standing in for the scene screen, a story or a letter.
class StandInScreen : public ScreenBase
{
public:
    explicit StandInScreen(std::string what) : mWhat(std::move(what)) {}
    std::string mWhat;
};

// Puts recording stand-ins in the place of the map's makers while it lives;
// each opened screen is noted as "scene Scene1 1" (name, list mode), "story
// Cutscene0_1 0" (name, envelope) or "letter EnvelopeText1".
class RecordingMakers
{
public:
    RecordingMakers();
    ~RecordingMakers();
    RecordingMakers(const RecordingMakers&) = delete;
    RecordingMakers& operator=(const RecordingMakers&) = delete;

    std::vector<std::string> mOpened;

private:
    MapScreenMakers mSaved;
};

// The game booted over its intro with a new profile on the level, prepared.
bool StartWithProfile(gameharness::GameHarness& game, int32_t level = 1);
// Pushes a new map and runs until it rests with its buttons in place.
MapScreen* OpenMap(gameharness::GameHarness& game);
// Runs until nothing of the map moves any more.
bool RunUntilAtRest(gameharness::GameHarness& game, MapScreen& map);
// Closes the screen on top (a stand-in) as its own end would.
void CloseTop(gameharness::GameHarness& game);
void ClickOn(gameharness::GameHarness& game, const Quib::Widget& widget, bool right = false);
// Clicks the scene's button and runs until the map has opened a screen for it.
bool OpenSceneByButton(gameharness::GameHarness& game, MapScreen& map, RecordingMakers& makers, size_t index);
// Marks every scene record of the profile's level done for the visit the level brings.
void MarkLevelDone(PlayerProfile& profile);

} // namespace maptest
