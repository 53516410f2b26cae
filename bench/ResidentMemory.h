#pragma once

// A process's resident memory as /proc tells it, for the benchmarks that print
// what a run keeps in memory beside how long it takes.

#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace bench
{

// VmRSS and VmHWM in MB.
struct ResidentMemory
{
    double rss = 0;
    double hwm = 0;
};

// From a status file ("/proc/self/status", "/proc/PID/status"); empty when the
// file cannot be read or names no resident size (the process has gone).
inline std::optional<ResidentMemory> ReadResidentMemory(const std::string& statusPath)
{
    std::ifstream status(statusPath);
    ResidentMemory resident;
    bool any = false;
    std::string line;
    while (std::getline(status, line))
    {
        std::istringstream fields(line);
        std::string key;
        double kilobytes = 0;
        fields >> key >> kilobytes;
        if (key == "VmRSS:")
            resident.rss = kilobytes / 1024.0, any = true;
        else if (key == "VmHWM:")
            resident.hwm = kilobytes / 1024.0;
    }
    return any ? std::optional<ResidentMemory>(resident) : std::nullopt;
}

} // namespace bench
