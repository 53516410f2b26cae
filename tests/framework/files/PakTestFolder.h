#pragma once

#include "framework/files/PakArchiveWriter.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

// A fresh folder for one test, made the working folder while the test runs
// (archive names and loose files are relative to it), removed afterwards.
class PakTestFolder
{
public:
    PakTestFolder()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "-" + info->name();
        for (char& c : name)
            if (c == '/')
                c = '-';
        mRoot = std::filesystem::temp_directory_path() /
                ("orvellan-pak-" + std::to_string(::getpid()) + "-" + name);
        std::filesystem::remove_all(mRoot);
        std::filesystem::create_directories(mRoot);
        mPrevious = std::filesystem::current_path();
        std::filesystem::current_path(mRoot);
    }
    ~PakTestFolder()
    {
        std::filesystem::current_path(mPrevious);
        std::filesystem::remove_all(mRoot);
    }
    PakTestFolder(const PakTestFolder&) = delete;
    PakTestFolder& operator=(const PakTestFolder&) = delete;

    const std::filesystem::path& Root() const { return mRoot; }

    void Write(const std::string& relative, const std::string& bytes) const
    {
        std::filesystem::path target = mRoot / relative;
        std::filesystem::create_directories(target.parent_path());
        std::ofstream(target, std::ios::binary) << bytes;
    }

    std::string Read(const std::string& relative) const
    {
        std::ifstream in(mRoot / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path mRoot;
    std::filesystem::path mPrevious;
};

inline std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

// Unscrambled header and directory fields, for building damaged archives by hand.
inline std::string Unscrambled(const std::vector<uint8_t>& archive)
{
    std::string plain(archive.begin(), archive.end());
    for (char& c : plain)
        c = static_cast<char>(c ^ 0x5D);
    return plain;
}

inline std::string Scrambled(const std::string& plain)
{
    std::string bytes = plain;
    for (char& c : bytes)
        c = static_cast<char>(c ^ 0x5D);
    return bytes;
}
