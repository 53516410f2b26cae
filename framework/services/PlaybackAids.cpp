#include "framework/services/PlaybackAids.h"

#include "framework/foundation/Paths.h"
#include "framework/services/RegistrySettings.h"
#include "platform/RegistryStore.h"

#include <algorithm>
#include <cstdio>

namespace Quib
{
namespace
{

// The C library's atoi over a field, clamped instead of overflowing.
int64_t fieldValue(const std::string& field)
{
    size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || (field[i] >= '\t' && field[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '-' || field[i] == '+'))
        negative = field[i++] == '-';
    int64_t value = 0;
    while (i < field.size() && field[i] >= '0' && field[i] <= '9')
        value = std::min<int64_t>(value * 10 + (field[i++] - '0'), 0x7FFFFFFF);
    return negative ? -value : value;
}

std::string jumpKeyPath(const std::string& registryKey)
{
    return StripPathSeparator("SOFTWARE\\" + registryKey);
}

} // namespace

std::vector<MarkerListEntry> MarkerListEntries(const std::vector<DemoMarker>& markers, int updateCount,
                                               int demoLength, int frameTimeMs)
{
    std::vector<MarkerListEntry> entries;
    for (const DemoMarker& marker : markers)
    {
        if (marker.mUpdate <= updateCount)
            continue;
        const int64_t t = (int64_t(demoLength) - marker.mUpdate) * frameTimeMs;
        char time[64];
        std::snprintf(time, sizeof(time), " (%02lld:%02lld:%02lld)", static_cast<long long>(t / 3600000),
                      static_cast<long long>(t / 60000 % 60),
                      static_cast<long long>(t / 1000 - t / 60000 * 60));
        entries.push_back({marker.mName + time, marker.mUpdate});
    }
    return entries;
}

int JumpTargetFromText(const std::string& text, int demoLength, int frameTimeMs)
{
    int64_t seconds = 0;
    size_t start = 0;
    while (true)
    {
        const size_t colon = text.find(':', start);
        // Clamped so that no typed time can overflow the fold.
        seconds = std::clamp<int64_t>(seconds * 60 + fieldValue(text.substr(start, colon - start)),
                                      -(int64_t(1) << 40), int64_t(1) << 40);
        if (colon == std::string::npos)
            break;
        start = colon + 1;
    }
    const int64_t target = int64_t(demoLength) - (seconds + 1) * 1000 / std::max(frameTimeMs, 1);
    return int(std::clamp<int64_t>(target, INT32_MIN, INT32_MAX));
}

std::string LoadDemoJumpTime(const std::string& registryKey)
{
    const platform::RegistryStore store(platform::RegistryStore::fileForKey(registryKey));
    const auto value = store.read(jumpKeyPath(registryKey), "DemoJumpTime");
    if (!value || value->type != REG_SZ)
        return "";
    std::string text(value->data.begin(), value->data.end());
    // Stored with its terminator.
    if (const size_t end = text.find('\0'); end != std::string::npos)
        text.resize(end);
    return text;
}

void SaveDemoJumpTime(const std::string& registryKey, const std::string& text)
{
    platform::RegistryStore store(platform::RegistryStore::fileForKey(registryKey));
    const std::string stored = text.substr(0, 500);
    store.write(jumpKeyPath(registryKey), "DemoJumpTime", REG_SZ, stored.c_str(), stored.size() + 1);
}

} // namespace Quib
