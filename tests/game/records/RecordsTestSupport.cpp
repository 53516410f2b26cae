#include "tests/game/records/RecordsTestSupport.h"

#include "platform/Environment.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

TempDataFolder::TempDataFolder()
{
    std::random_device seed;
    fs::path root;
    do
        root = fs::temp_directory_path() / ("orvellan-records-" + std::to_string(seed()));
    while (!fs::create_directory(root));
    mRoot = root.string();
    if (auto previous = platform::getEnv("APPDATA"))
    {
        mHadAppData = true;
        mPreviousAppData = *previous;
    }
    platform::setEnv("APPDATA", mRoot);
}

TempDataFolder::~TempDataFolder()
{
    platform::setEnv("APPDATA", mHadAppData ? mPreviousAppData : std::string());
    std::error_code ignored;
    fs::permissions(mRoot, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(mRoot, ignored);
}

std::vector<uint8_t> BytesOf(const Quib::Buffer& buffer)
{
    if (buffer.Bytes() == nullptr)
        return {};
    return {buffer.Bytes(), buffer.Bytes() + buffer.ByteCount()};
}

Quib::Buffer BufferOf(const std::vector<uint8_t>& bytes)
{
    Quib::Buffer buffer;
    buffer.AssignBytes(bytes.data(), bytes.size());
    return buffer;
}

std::vector<uint8_t> FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> FileStart(const std::string& path, size_t count)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> bytes(count);
    file.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(count));
    bytes.resize(size_t(file.gcount()));
    return bytes;
}

std::vector<uint8_t> RecordsFixture(const std::string& name)
{
    const std::string path = std::string(ORVELLAN_FIXTURES_DIR) + "/records/" + name;
    EXPECT_TRUE(fs::exists(path)) << path;
    return FileBytes(path);
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<std::string> FilesBelow(const std::string& folder)
{
    std::vector<std::string> files;
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(folder, ignored))
        files.push_back(fs::relative(entry.path(), folder).string());
    std::sort(files.begin(), files.end());
    return files;
}
