#pragma once

#include "framework/services/DemoFile.h"

#include <string>
#include <vector>

namespace Quib
{

// One line of the marker list: the marker's name with the time from it to
// the end of the recording, and the update to jump to.
struct MarkerListEntry
{
    std::string mText;
    int mUpdate = 0;
};

// The markers still ahead of the current update, in file order.
std::vector<MarkerListEntry> MarkerListEntries(const std::vector<DemoMarker>& markers, int updateCount,
                                               int demoLength, int frameTimeMs);

// The update a typed time ("90", "1:30", "1:00:00") stands for: the time is
// counted back from the end of the recording.
int JumpTargetFromText(const std::string& text, int demoLength, int frameTimeMs);

// The last typed jump time, kept under the registry key's settings (which
// works with the empty key too); "" when none was kept.
std::string LoadDemoJumpTime(const std::string& registryKey);
void SaveDemoJumpTime(const std::string& registryKey, const std::string& text);

} // namespace Quib
