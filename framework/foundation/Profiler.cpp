#include "framework/foundation/Profiler.h"

#include "framework/foundation/CpuSpeed.h"
#include "framework/foundation/FormatString.h"

namespace Quib
{

namespace
{

struct ProfilerState
{
    bool mRunning = false;
    int64_t mBeginStamp = 0;
    int64_t mOverhead = 0;
    double mTotalMs = 0.0;
    std::vector<ProfilerSample> mQueue;
    std::map<std::string, ProfilerSection, LessNoCase> mSections;
};

ProfilerState& profiler()
{
    static ProfilerState state;
    return state;
}

} // namespace

void Profiler::Begin()
{
    ProfilerState& p = profiler();
    p.mSections.clear();
    p.mQueue.clear();
    p.mOverhead = 0;
    p.mRunning = true;
    p.mBeginStamp = ReadTimeStamp();
}

void Profiler::End()
{
    ProfilerState& p = profiler();
    const int64_t endStamp = ReadTimeStamp();
    FlushSamples();
    p.mRunning = false;
    const double speed = double(GetCpuSpeed());
    p.mTotalMs = double(endStamp - p.mOverhead - p.mBeginStamp) * 1000.0 / speed;
    for (auto& [name, section] : p.mSections)
    {
        section.mTotalMs = double(section.mTotalTicks) * 1000.0 / speed;
        section.mLongest = section.mLongest * 1000.0 / speed;
    }
}

bool Profiler::IsRunning()
{
    return profiler().mRunning;
}

std::string Profiler::GetReport()
{
    const ProfilerState& p = profiler();
    std::string report = FormatString("Total Time: %.2f\n", p.mTotalMs);
    for (const auto& [name, section] : p.mSections)
    {
        report += FormatString("%s (%d calls, %%%.2f time): %.2f (%.2f avg, %.2f longest)\n", name.c_str(),
                               section.mCalls, section.mTotalMs / p.mTotalMs * 100.0, section.mTotalMs,
                               section.mTotalMs / section.mCalls, section.mLongest);
    }
    return report;
}

void Profiler::QueueSample(const char* name, bool start)
{
    profiler().mQueue.push_back(ProfilerSample{name, ReadTimeStamp(), start});
}

void Profiler::FlushSamples()
{
    ProfilerState& p = profiler();
    const int64_t started = ReadTimeStamp();
    for (const ProfilerSample& sample : p.mQueue)
        ProcessSample(sample);
    p.mQueue.clear();
    p.mOverhead += ReadTimeStamp() - started;
}

void Profiler::ProcessSample(const ProfilerSample& sample)
{
    auto& sections = profiler().mSections;
    if (sample.mStart)
    {
        ProfilerSection& section = sections[sample.mName];
        ++section.mCalls;
        if (++section.mDepth == 1)
            section.mStartStamp = sample.mStamp;
        return;
    }
    const auto found = sections.find(sample.mName);
    if (found == sections.end())
        return;
    ProfilerSection& section = found->second;
    if (--section.mDepth == 0)
    {
        const int64_t ticks = sample.mStamp - section.mStartStamp;
        section.mTotalTicks += ticks;
        if (double(ticks) > section.mLongest)
            section.mLongest = double(ticks);
    }
}

const std::map<std::string, ProfilerSection, LessNoCase>& Profiler::GetSections()
{
    return profiler().mSections;
}

double Profiler::GetTotalMs()
{
    return profiler().mTotalMs;
}

} // namespace Quib
