#pragma once

#include "framework/foundation/Buffer.h"

#include <cstdint>
#include <string>
#include <vector>

// A fresh per-user data folder for one test: $APPDATA points into a new
// temporary folder while it lives.
class TempDataFolder
{
public:
    TempDataFolder();
    ~TempDataFolder();
    TempDataFolder(const TempDataFolder&) = delete;
    TempDataFolder& operator=(const TempDataFolder&) = delete;

    const std::string& Root() const { return mRoot; }

private:
    std::string mRoot;
    std::string mPreviousAppData;
    bool mHadAppData = false;
};

std::vector<uint8_t> BytesOf(const Quib::Buffer& buffer);
Quib::Buffer BufferOf(const std::vector<uint8_t>& bytes);
// A file of tests/fixtures/records.
std::vector<uint8_t> RecordsFixture(const std::string& name);
std::vector<uint8_t> FileBytes(const std::string& path);
std::vector<uint8_t> FileStart(const std::string& path, size_t count);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// Every file below the folder, as paths relative to it, sorted.
std::vector<std::string> FilesBelow(const std::string& folder);
