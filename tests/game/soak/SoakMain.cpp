// The soak on demand: orvellan_soak [SECONDS] [SEED] plays random input over
// the whole game until SECONDS of wall time have passed (an hour by default)
// and prints its report. The seed comes from the command line, else from
// ORVELLAN_SOAK_SEED, else from the time of day; it is printed at the start,
// so that a finding can be played again. Ctrl+C or SIGTERM ends the run
// early with its report.

#include "platform/SessionEnd.h"
#include "tests/game/soak/SoakRun.h"

#include <atomic>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>

namespace
{

std::atomic<bool> gStopRequested{false};

void OnStopSignal(int)
{
    gStopRequested = true;
}

// A whole decimal number in the type's range, or none.
template <class T> std::optional<T> ParseNumber(const char* text)
{
    T value{};
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<int64_t> seconds = argc > 1 ? ParseNumber<int64_t>(argv[1]) : 3600;
    const uint32_t timeSeed =
        uint32_t(std::chrono::system_clock::now().time_since_epoch() / std::chrono::microseconds(1));
    const std::optional<uint32_t> seed =
        argc > 2 ? ParseNumber<uint32_t>(argv[2]) : soak::SoakSeedFromEnvironment(timeSeed);
    if (!seconds || *seconds <= 0 || !seed)
    {
        std::fprintf(stderr, "usage: orvellan_soak [SECONDS] [SEED]  (SEED from 0 to 4294967295)\n");
        return 2;
    }
    // Each game would take these for a log-out and start the next game; the
    // game installs its handlers once, so these, set after, stay.
    platform::watchSessionEnd();
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + std::chrono::seconds(*seconds);
    soak::SoakSettings settings;
    settings.seed = *seed;
    settings.updates = std::numeric_limits<int64_t>::max();
    settings.stop = [deadline] { return gStopRequested || std::chrono::steady_clock::now() >= deadline; };
    const soak::SoakReport report = soak::RunSoak(settings);
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
    std::printf("%swall time %lld s\n", soak::FormatReport(report).c_str(),
                static_cast<long long>(elapsed.count()));
    return report.findings.empty() ? 0 : 1;
}
