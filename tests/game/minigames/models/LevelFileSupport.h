#pragma once

#include <string>

// A folder of the test's own for level files written by the test, removed with it.
class LevelFolder
{
public:
    LevelFolder();
    ~LevelFolder();
    LevelFolder(const LevelFolder&) = delete;
    LevelFolder& operator=(const LevelFolder&) = delete;

    // Writes the text as a file of the folder and returns its path.
    std::string Write(const std::string& name, const std::string& text) const;
    std::string PathOf(const std::string& name) const;

private:
    std::string mPath;
};

// The repository's authored content folder.
std::string ContentFolder();
