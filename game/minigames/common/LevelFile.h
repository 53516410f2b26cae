#pragma once

#include "framework/resources/XMLParser.h"

#include <string>
#include <vector>

// Opens a mini-game's data file; when it cannot be opened, says so under its name.
bool OpenLevelFile(Quib::XMLParser& parser, const std::string& path, std::vector<std::string>& problems);
// After the last read: the reader's error with its line, when reading stopped at one.
void NoteLevelFileError(const Quib::XMLParser& parser, const std::string& path,
                        std::vector<std::string>& problems);
