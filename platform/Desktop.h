#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform
{

// Runs a program with arguments, without a shell, and reports whether it
// started and exited with 0. Tests replace it to see what would have run.
using CommandRunner = std::function<bool(const std::vector<std::string>& argv)>;
void setCommandRunner(CommandRunner runner); // empty restores the real one
bool runCommand(const std::vector<std::string>& argv);
// Whether a program of that name is on the PATH.
bool commandExists(const std::string& name);

// Hands an address or document to the desktop's opener (xdg-open). True when
// the opener accepted it.
bool openUrl(const std::string& url);

// Sets a picture (UTF-8 path) as the desktop wallpaper, stretched, where the
// desktop offers a way to (gsettings); false otherwise.
bool setDesktopWallpaper(const std::string& path);

} // namespace platform
