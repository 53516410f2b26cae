#pragma once

#include "platform/AudioByteSource.h"
#include "platform/Files.h"

#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace soundtest
{

inline std::string fixture(const std::string& name)
{
    return std::string(ORVELLAN_FIXTURES_DIR) + "/resources/sound/" + name;
}

inline std::vector<uint8_t> fixtureBytes(const std::string& name)
{
    auto bytes = platform::readFile(fixture(name));
    EXPECT_TRUE(bytes.has_value()) << name;
    return bytes.value_or(std::vector<uint8_t>{});
}

inline std::unique_ptr<platform::MemoryAudioSource> memory(std::vector<uint8_t> bytes)
{
    return std::make_unique<platform::MemoryAudioSource>(std::move(bytes));
}

// A fresh folder that becomes the working folder for the test's lifetime, so
// that relative sound names and the relative cache folder land inside it.
class ScratchWorkingFolder
{
public:
    ScratchWorkingFolder()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        mPath = std::filesystem::temp_directory_path() /
                ("orvellan-sound-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(mPath);
        std::filesystem::create_directories(mPath);
        mPrevious = std::filesystem::current_path();
        std::filesystem::current_path(mPath);
    }
    ~ScratchWorkingFolder()
    {
        std::filesystem::current_path(mPrevious);
        std::filesystem::remove_all(mPath);
    }
    const std::filesystem::path& path() const { return mPath; }

    void copyFixture(const std::string& name, const std::string& to)
    {
        std::filesystem::create_directories((mPath / to).parent_path());
        std::filesystem::copy_file(fixture(name), mPath / to,
                                   std::filesystem::copy_options::overwrite_existing);
    }

private:
    std::filesystem::path mPath;
    std::filesystem::path mPrevious;
};

inline std::vector<int16_t> samples16(const std::vector<uint8_t>& bytes)
{
    std::vector<int16_t> out(bytes.size() / 2);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = int16_t(uint16_t(bytes[2 * i] | bytes[2 * i + 1] << 8));
    return out;
}

} // namespace soundtest
