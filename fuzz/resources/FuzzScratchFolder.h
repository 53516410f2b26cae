#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

// A folder of this process's own for the file each input is written to,
// removed at exit. The working folder stays as it is: libFuzzer reads and
// writes its corpus folders by the names it was given.
class FuzzScratchFolder
{
public:
    explicit FuzzScratchFolder(const char* target)
        : mPath(std::filesystem::temp_directory_path() /
                ("orvellan-fuzz-" + std::string(target) + "-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(mPath);
    }
    ~FuzzScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(mPath, ignored);
    }
    FuzzScratchFolder(const FuzzScratchFolder&) = delete;
    FuzzScratchFolder& operator=(const FuzzScratchFolder&) = delete;

    std::string File(const char* name) const { return (mPath / name).string(); }

private:
    std::filesystem::path mPath;
};
