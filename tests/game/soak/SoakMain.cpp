// The soak on demand: orvellan_soak [SECONDS] [SEED] plays random input over
// the whole game until SECONDS of wall time have passed (an hour by default)
// and prints its report. The seed comes from the command line, else from
// ORVELLAN_SOAK_SEED, else from the time of day; it is printed at the start,
// so that a finding can be played again.

#include "tests/game/soak/SoakRun.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

int main(int argc, char** argv)
{
    const long seconds = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 3600;
    const auto now = std::chrono::steady_clock::now();
    const uint32_t timeSeed =
        uint32_t(std::chrono::system_clock::now().time_since_epoch() / std::chrono::microseconds(1));
    soak::SoakSettings settings;
    settings.seed =
        argc > 2 ? uint32_t(std::strtoul(argv[2], nullptr, 10)) : soak::SoakSeedFromEnvironment(timeSeed);
    settings.updates = std::numeric_limits<int64_t>::max();
    const auto deadline = now + std::chrono::seconds(seconds > 0 ? seconds : 3600);
    settings.stop = [deadline] { return std::chrono::steady_clock::now() >= deadline; };
    const soak::SoakReport report = soak::RunSoak(settings);
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - now);
    std::printf("%swall time %lld s\n", soak::FormatReport(report).c_str(),
                static_cast<long long>(elapsed.count()));
    return report.findings.empty() ? 0 : 1;
}
