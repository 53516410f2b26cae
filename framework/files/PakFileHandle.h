#pragma once

#include "framework/files/PakDiskFile.h"

#include <cstdint>

// An open file: either a view of an archive entry's scrambled bytes or a disk file.
struct PakArchive;

struct PakFile
{
    bool mInArchive = false;
    const PakArchive* mArchive = nullptr; // the archive the entry was found in
    const uint8_t* mData = nullptr;       // the entry's first byte in the archive's mapping
    uint64_t mSize = 0;
    uint64_t mPos = 0;
    PakDiskFile mDisk;
};
