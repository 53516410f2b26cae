#pragma once

#include <algorithm>
#include <string>
#include <vector>

// Unless told otherwise, every benchmark runs in several rounds taken in a random
// order, so that the rows compared alternate and each one's median sees the same
// spells of load on a busy machine. Reporters read the "median" aggregates.
namespace benchrounds
{

inline std::vector<char*> WithRoundDefaults(int argc, char** argv)
{
    static char repetitions[] = "--benchmark_repetitions=9";
    static char interleaving[] = "--benchmark_enable_random_interleaving=true";
    static char minTime[] = "--benchmark_min_time=0.05";
    static char aggregatesOnly[] = "--benchmark_report_aggregates_only=true";
    std::vector<char*> args(argv, argv + argc);
    const bool chosen = std::any_of(args.begin() + 1, args.end(),
                                    [](const char* arg)
                                    { return std::string(arg).rfind("--benchmark_repetitions", 0) == 0; });
    if (!chosen)
        args.insert(args.begin() + 1, {repetitions, interleaving, minTime, aggregatesOnly});
    args.push_back(nullptr);
    return args;
}

} // namespace benchrounds
