#pragma once

#include "game/minigames/vessels/VesselPair.h"

#include <optional>
#include <vector>

// Breadth-first search over the six operations from a pair's current
// contents: the shortest sequence that solves it, or none when no sequence can.
std::optional<std::vector<VesselPair::Operation>> SolveVessels(const VesselPair& start);
