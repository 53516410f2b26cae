#pragma once

#include <string>
#include <vector>

// File names of profiles in the save folder. Names come from players and from
// the index file, and are used to read, write and delete files, so only plain
// names inside the save folder are ever used.

// False for the empty name and for names with separators, "..", a drive
// prefix or control bytes.
bool IsSafeProfileFileName(const std::string& fileName);

// ASCII letters compare without case, as the platform's path lookup does.
bool SameFileName(const std::string& a, const std::string& b);

// A file name for a new profile of this player name: the name made safe,
// followed by the first number from `first` on that no name in `taken` uses
// and no file in the save folder has.
std::string MakeProfileFileName(const std::string& playerName, int first,
                                const std::vector<std::string>& taken);
