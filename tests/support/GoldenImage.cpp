#include "tests/support/GoldenImage.h"

#include "framework/graphics/MemoryImage.h"

#include <cstdlib>
#include <cstring>
#include <png.h>
#include <sstream>
#include <vector>

namespace testsupport
{

bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = uint32_t(width);
    image.height = uint32_t(height);
    // Little-endian 0xAARRGGBB words are B, G, R, A bytes in memory.
    image.format = PNG_FORMAT_BGRA;
    return png_image_write_to_file(&image, path.c_str(), 0, pixels, width * 4, nullptr) != 0;
}

bool ReadPng(const std::string& path, std::vector<uint32_t>& pixels, int& width, int& height)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return false;
    image.format = PNG_FORMAT_BGRA;
    width = int(image.width);
    height = int(image.height);
    pixels.assign(size_t(width) * size_t(height), 0);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), width * 4, nullptr))
    {
        png_image_free(&image);
        return false;
    }
    return true;
}

::testing::AssertionResult MatchesGolden(const uint32_t* pixels, int width, int height,
                                         const std::string& fixture)
{
    const std::string path = std::string(ORVELLAN_FIXTURES_DIR) + "/" + fixture;
    const char* update = std::getenv("ORVELLAN_UPDATE_GOLDEN");
    if (update != nullptr && std::strcmp(update, "1") == 0)
    {
        if (!WritePng(path, pixels, width, height))
            return ::testing::AssertionFailure() << "cannot write golden " << path;
        return ::testing::AssertionSuccess();
    }

    std::vector<uint32_t> expected;
    int expectedWidth = 0;
    int expectedHeight = 0;
    if (!ReadPng(path, expected, expectedWidth, expectedHeight))
        return ::testing::AssertionFailure()
               << "cannot read golden " << path << " (run with ORVELLAN_UPDATE_GOLDEN=1 to create it)";

    const std::string actualPath = fixture.substr(fixture.find_last_of('/') + 1) + ".actual.png";
    if (expectedWidth != width || expectedHeight != height)
    {
        WritePng(actualPath, pixels, width, height);
        return ::testing::AssertionFailure() << "golden " << path << " is " << expectedWidth << "x"
                                             << expectedHeight << ", picture is " << width << "x" << height;
    }

    size_t differing = 0;
    size_t first = 0;
    for (size_t i = 0; i < expected.size(); ++i)
    {
        if (expected[i] != pixels[i])
        {
            if (differing == 0)
                first = i;
            ++differing;
        }
    }
    if (differing == 0)
        return ::testing::AssertionSuccess();

    WritePng(actualPath, pixels, width, height);
    std::ostringstream message;
    message << differing << " pixels differ from " << path << "; first at (" << first % size_t(width) << ", "
            << first / size_t(width) << "): expected 0x" << std::hex << expected[first] << ", got 0x"
            << pixels[first] << "; actual picture written to " << actualPath;
    return ::testing::AssertionFailure() << message.str();
}

::testing::AssertionResult MatchesGolden(Quib::MemoryImage& image, const std::string& fixture)
{
    return MatchesGolden(image.GetBits(), image.GetWidth(), image.GetHeight(), fixture);
}

} // namespace testsupport
