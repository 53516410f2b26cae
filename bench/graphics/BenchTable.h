#pragma once

#include <string>

// The comparison table blit_bench prints after its run: each row sets one of this
// project's benchmarks against a peer's, by their registered names, and shows both
// throughputs (Mpix/s, from the benchmarks' items per second) and their ratio.
// A row may carry a picture check, run once before anything is timed: it draws
// the row's frame both ways and returns the largest difference of any channel of
// any pixel. A row whose pictures differ by more than its tolerance prints no ratio.
namespace benchtable
{

using PictureCheck = int (*)();

void AddRow(const std::string& label, const std::string& ours, const std::string& peer,
            PictureCheck check = nullptr, int tolerance = 0);

// Registers a row from a static initialiser in any source file of the binary.
struct Row
{
    Row(const std::string& label, const std::string& ours, const std::string& peer,
        PictureCheck check = nullptr, int tolerance = 0)
    {
        AddRow(label, ours, peer, check, tolerance);
    }
};

} // namespace benchtable
