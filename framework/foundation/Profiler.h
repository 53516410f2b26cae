#pragma once

#include "framework/foundation/Strings.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Quib
{

struct ProfilerSample
{
    const char* mName; // the section's identity, compared case-insensitively
    int64_t mStamp;
    bool mStart;
};

struct ProfilerSection
{
    int64_t mStartStamp = 0;
    int64_t mTotalTicks = 0;
    double mTotalMs = 0.0;
    double mLongest = 0.0; // ticks during a run, milliseconds after End
    int mDepth = 0;
    int mCalls = 0;
};

// The one process-wide section profiler. Samples are queued with time stamps
// and turned into section totals in batches, so that taking a sample costs
// almost nothing; the time spent on the batches is left out of the total.
class Profiler
{
public:
    static void Begin();
    static void End();
    static bool IsRunning();
    static std::string GetReport();

    static void QueueSample(const char* name, bool start);
    static void FlushSamples();
    static void ProcessSample(const ProfilerSample& sample);

    static const std::map<std::string, ProfilerSection, LessNoCase>& GetSections();
    static double GetTotalMs();
};

} // namespace Quib
