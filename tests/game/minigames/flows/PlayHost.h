#pragma once

#include <functional>
#include <string>

namespace minigametest
{

// What a scripted player does to the program it plays in, so that the same
// player plays a game on the bare mini-game application and inside the whole
// game: per-pass updates 10 ms apart, the pointer moved, a left click at a
// screen point that the game has taken once the call returns, and a frame
// drawn into a file for a person to look at.
struct PlayHost
{
    std::function<void(int updates)> step;
    std::function<void(int x, int y)> point;
    std::function<void(int x, int y)> click;
    std::function<void(const std::string& pngFile)> draw;
};

} // namespace minigametest
