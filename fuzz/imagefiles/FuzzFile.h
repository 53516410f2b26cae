#pragma once

#include "fuzz/FuzzScratchFile.h"

// The readers take file names: each input is written to one scratch file per process.
inline std::string WriteFuzzInput(const uint8_t* data, size_t size, const char* extension)
{
    static const FuzzScratchFile file("orvellan-fuzz", extension);
    return file.Write(data, size);
}
