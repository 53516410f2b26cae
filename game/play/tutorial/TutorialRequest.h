#pragma once

#include <cstdint>
#include <string>

struct PlayerProfile;
class GameStateStack;

// The tutorial file's key of each tutorial by its flag number: 0 the level
// map's, 1 to 11 the scene screen's and the diary's; empty for any other number.
std::string TutorialKey(int n);

// Shows tutorial n over the top of the stack once per profile, on level 1
// only: false without a profile, on another level or when the profile has seen
// it; otherwise the flag is set, the tutorial (when n has one) is pushed and
// the answer is true.
bool ShowTutorialOnce(PlayerProfile* profile, int n, int32_t xOffset, GameStateStack* stack);
