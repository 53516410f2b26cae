#pragma once

#include <string>
#include <vector>

namespace platform
{

// Runs a program (found on the search path, no shell) and collects what it
// writes to its standard output, up to `limit` bytes. False when it could not
// be started or did not exit with 0.
bool runForOutput(const std::vector<std::string>& argv, std::string& output, size_t limit = 1 << 20);

// The path of the running program.
std::string programPath();

} // namespace platform
