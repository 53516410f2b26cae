#pragma once

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace Quib
{
class MemoryImage;
}

namespace testsupport
{

// Compares 0xAARRGGBB pixels (rows packed, width words each) with the PNG at
// tests/fixtures/<fixture>. With ORVELLAN_UPDATE_GOLDEN=1 in the environment the PNG is
// rewritten from the pixels instead. On a mismatch the actual picture is written next to
// the test binary as <file name>.actual.png.
::testing::AssertionResult MatchesGolden(const uint32_t* pixels, int width, int height,
                                         const std::string& fixture);
::testing::AssertionResult MatchesGolden(Quib::MemoryImage& image, const std::string& fixture);

// PNG files of straight-alpha 0xAARRGGBB pixels; false on any error.
bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height);
bool ReadPng(const std::string& path, std::vector<uint32_t>& pixels, int& width, int& height);

} // namespace testsupport
