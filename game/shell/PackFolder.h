#pragma once

#include <string>

// The folder the game's content pack is in, found from the program's own
// folder: that folder itself when it holds the pack (as in the build tree),
// else the share/orvellan folder of an installation beside the program's bin
// folder. With neither, the program's folder, so that the start-up error
// names the file missing there.
std::string FindPackFolder(const std::string& programFolder);
