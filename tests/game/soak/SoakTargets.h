#pragma once

// Where the soak's clicks aim, so that random play gets past the menus: the
// controls the screens show, and in a scene the things a player looks for.

#include "tests/game/support/GameHarness.h"

#include <optional>
#include <random>
#include <vector>

namespace soak
{

struct Point
{
    int x = 0;
    int y = 0;
};

// The centre of every visible, enabled widget that a click there reaches,
// other than the full screens themselves: buttons, check boxes, sliders,
// scene buttons, pieces of mini-games.
std::vector<Point> FindControlPoints(gameharness::GameHarness& game);

// With a scene on top: a point on something its player would click next (a
// listed item, a piece, the usable object or its place); none elsewhere.
std::optional<Point> FindScenePoint(gameharness::GameHarness& game, std::mt19937& random);

} // namespace soak
