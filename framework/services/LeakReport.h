#pragma once

#include <string>

namespace Quib
{

// The process-wide allocation tracker. Nothing in this system adds records,
// so its report lists no blocks and a total of 0; TrackAllocation is
// the entry point an allocation hook would call.
void InitLeakTracker();
void TrackAllocation(const void* block, int size, const char* fileName, int line);

// Writes the report of the blocks still tracked to the file and the
// diagnostic log, while tracking is on. `dateText` is the asctime text of the
// moment. At exit the tracker writes it as "mem_leaks.txt" in the working
// folder and stops tracking.
void WriteLeakReport(const std::string& fileName, const std::string& dateText);

} // namespace Quib
