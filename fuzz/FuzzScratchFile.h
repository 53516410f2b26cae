#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <unistd.h>

// One file of this process's own in the temporary folder, for readers that take
// file names: each input is written over it, and it goes when the process ends.
class FuzzScratchFile
{
public:
    explicit FuzzScratchFile(const std::string& stem, const std::string& extension)
        : mPath(
              (std::filesystem::temp_directory_path() / (stem + "-" + std::to_string(::getpid()) + extension))
                  .string())
    {
    }
    ~FuzzScratchFile()
    {
        std::error_code ignored;
        std::filesystem::remove(mPath, ignored);
    }
    FuzzScratchFile(const FuzzScratchFile&) = delete;
    FuzzScratchFile& operator=(const FuzzScratchFile&) = delete;

    const std::string& Write(const uint8_t* data, size_t size) const
    {
        std::ofstream out(mPath, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        return mPath;
    }
    const std::string& Path() const { return mPath; }

private:
    std::string mPath;
};
