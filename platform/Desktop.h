#pragma once

#include "platform/ChildProcess.h"

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

// Hands an address or document to the desktop's opener (xdg-open) without
// waiting for it: the opener's exit code tells later whether it accepted.
ChildProcess openUrl(const std::string& url);

// Sets a picture (UTF-8 path, relative to the working folder or absolute,
// with either separator) as the desktop wallpaper, stretched, where the
// desktop offers a way to (gsettings); false otherwise, and false for a
// picture that does not exist.
bool setDesktopWallpaper(const std::string& path);

} // namespace platform
