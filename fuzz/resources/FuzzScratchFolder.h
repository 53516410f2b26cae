#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

// An empty working folder of this process's own, entered on the first call and
// removed at exit, so that the input file has a fixed name and a search of the
// disk finds nothing but it.
class FuzzScratchFolder
{
public:
    explicit FuzzScratchFolder(const char* target)
        : mPath(std::filesystem::temp_directory_path() /
                ("orvellan-fuzz-" + std::string(target) + "-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(mPath);
        std::filesystem::current_path(mPath);
    }
    ~FuzzScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(mPath, ignored);
    }
    FuzzScratchFolder(const FuzzScratchFolder&) = delete;
    FuzzScratchFolder& operator=(const FuzzScratchFolder&) = delete;

private:
    std::filesystem::path mPath;
};

inline void EnterFuzzScratchFolder(const char* target) { static FuzzScratchFolder folder(target); }
