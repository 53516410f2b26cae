#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Builds an archive that PakInterface::MountArchive reads: header, directory
// and data, every byte scrambled.
class PakArchiveWriter
{
public:
    // name: the path the game opens it by, "\" or "/" separated (stored with "\").
    // fileTime: Windows FILETIME. False when the name or the data is too long
    // to be stored.
    bool AddFile(std::string_view name, std::vector<uint8_t> data, uint64_t fileTime = 0);

    std::vector<uint8_t> GetBytes() const;
    // Written to a temporary file and renamed, so a failed write leaves no half archive.
    bool WriteTo(std::string_view path) const;

private:
    struct Stored
    {
        std::string mName;
        std::vector<uint8_t> mData;
        uint64_t mFileTime = 0;
    };
    std::vector<Stored> mFiles;
};
