#pragma once

#include <string>

// The comparison table blit_bench prints after its run: each row sets one of this
// project's benchmarks against a peer's, by their registered names, and shows both
// throughputs (Mpix/s, from the benchmarks' items per second) and their ratio.
namespace benchtable
{

void AddRow(const std::string& label, const std::string& ours, const std::string& peer);

// Registers a row from a static initialiser in any source file of the binary.
struct Row
{
    Row(const std::string& label, const std::string& ours, const std::string& peer)
    {
        AddRow(label, ours, peer);
    }
};

} // namespace benchtable
