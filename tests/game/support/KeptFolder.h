#pragma once

#include <filesystem>
#include <string>
#include <unistd.h>

namespace gameharness
{

// A data folder that outlives the harnesses of one test, so that a second
// start finds what the first one saved.
struct KeptFolder
{
    explicit KeptFolder(const std::string& name)
        : path((std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()))).string())
    {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~KeptFolder() { std::filesystem::remove_all(path); }
    KeptFolder(const KeptFolder&) = delete;
    KeptFolder& operator=(const KeptFolder&) = delete;

    std::string path;
};

} // namespace gameharness
