#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

// The readers take file names: each input is written to one scratch file per process.
inline std::string WriteFuzzInput(const uint8_t* data, size_t size, const char* extension)
{
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("orvellan-fuzz-" + std::to_string(::getpid()) + extension))
            .string();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}
