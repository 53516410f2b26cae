#include "framework/app/StartupMoments.h"

#include "platform/Environment.h"

#include <chrono>
#include <cstdio>

namespace Quib
{

void MarkStartupMoment(const char* name)
{
    static const bool enabled = platform::getEnv("ORVELLAN_TIMING").has_value();
    if (!enabled)
        return;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const double ms = std::chrono::duration<double, std::milli>(now).count();
    std::fprintf(stderr, "orvellan-timing %s %.3f\n", name, ms);
    std::fflush(stderr);
}

} // namespace Quib
