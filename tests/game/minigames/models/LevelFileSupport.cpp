#include "tests/game/minigames/models/LevelFileSupport.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <unistd.h>

LevelFolder::LevelFolder()
{
    static std::atomic<int> serial{0};
    mPath = (std::filesystem::temp_directory_path() /
             ("orvellan-levels-" + std::to_string(::getpid()) + "-" + std::to_string(serial++)))
                .string();
    std::filesystem::create_directories(mPath);
}

LevelFolder::~LevelFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(mPath, ignored);
}

std::string LevelFolder::PathOf(const std::string& name) const
{
    return mPath + "/" + name;
}

std::string LevelFolder::Write(const std::string& name, const std::string& text) const
{
    std::ofstream(PathOf(name), std::ios::binary) << text;
    return PathOf(name);
}

std::string ContentFolder()
{
    return std::string(ORVELLAN_SOURCE_DIR) + "/content";
}
