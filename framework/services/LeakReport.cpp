#include "framework/services/LeakReport.h"

#include "framework/foundation/DebugPrintf.h"
#include "platform/Files.h"
#include "platform/LocalTime.h"

#include <map>
#include <mutex>

namespace Quib
{
namespace
{

constexpr size_t kMaxFileNameLength = 260;

struct AllocationRecord
{
    int mSize = 0;
    std::string mFileName;
    int mLine = 0;
};

struct LeakTracker
{
    std::recursive_mutex mLock;
    std::map<const void*, AllocationRecord> mRecords;
    bool mTracking = false;
};

LeakTracker& tracker()
{
    static LeakTracker instance;
    return instance;
}

// The tracker is on from static initialisation, as its clean-up expects.
const bool gLeakTrackerStarted = (InitLeakTracker(), true);

// The tracker's clean-up at exit: the report of what is still tracked, then
// tracking off. Made after the tracker, so it runs while the tracker exists.
struct LeakReportAtExit
{
    ~LeakReportAtExit()
    {
        WriteLeakReport("mem_leaks.txt", platform::localDateTimeText());
        LeakTracker& t = tracker();
        std::lock_guard lock(t.mLock);
        t.mTracking = false;
    }
};
const LeakReportAtExit gLeakReportAtExit;

} // namespace

void InitLeakTracker()
{
    LeakTracker& t = tracker();
    std::lock_guard lock(t.mLock);
    t.mRecords.clear();
    t.mTracking = true;
}

void TrackAllocation(const void* block, int size, const char* fileName, int line)
{
    LeakTracker& t = tracker();
    std::lock_guard lock(t.mLock);
    if (!t.mTracking)
        return;
    std::string name = fileName ? fileName : "";
    if (name.size() > kMaxFileNameLength)
        name.resize(kMaxFileNameLength);
    t.mRecords[block] = {size, std::move(name), line};
}

void WriteLeakReport(const std::string& fileName, const std::string& dateText)
{
    LeakTracker& t = tracker();
    std::lock_guard lock(t.mLock);
    if (!t.mTracking)
        return;
    const std::string header = "Memory Leak Report for " + dateText + "\n";
    std::string report = header;
    DebugPrintf("\n%s", header.c_str());
    long long total = 0;
    for (const auto& [block, record] : t.mRecords)
    {
        const std::string line = record.mFileName + "(" + std::to_string(record.mLine) + ") : Leak " +
                                 std::to_string(record.mSize) + " byte" + (record.mSize > 1 ? "s" : "") +
                                 "\n";
        DebugPrintf("%s", line.c_str());
        report += line;
        total += record.mSize;
    }
    const std::string rule = "-----------------------------------------------------------\n";
    const std::string sum =
        "Total Unfreed: " + std::to_string(total) + " bytes (" + std::to_string(total / 1024) + "KB)\n\n";
    DebugPrintf("%s%s", rule.c_str(), sum.c_str());
    report += rule + sum;
    platform::writeFile(platform::nativePath(fileName), report.data(), report.size());
}

} // namespace Quib
