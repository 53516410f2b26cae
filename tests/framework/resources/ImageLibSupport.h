#pragma once

#include "framework/resources/ImageLib.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace imagetest
{

std::string FixturePath(const std::string& name);

// The pixels ImageMagick read from a fixture, stored beside it as 8-bit RGBA.
std::vector<uint32_t> ExpectedPixels(const std::string& fixture);

// A scratch folder removed when the test ends.
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    std::string Path(const std::string& name) const { return (mRoot / name).string(); }
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    void CopyFixture(const std::string& fixture, const std::string& name) const;

private:
    std::filesystem::path mRoot;
};

std::vector<uint8_t> ReadBytes(const std::string& path);

// Builds a GIF whose image data holds the given colour indices as literal codes, with
// a clear code often enough that the code width never grows.
struct GifPicture
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> palette; // 0xRRGGBB entries: a power of two, 2 to 256
    std::vector<int> indices;
    int transparent = -1;
    bool interlaced = false;
    std::string signature = "GIF89a";
};
std::vector<uint8_t> MakeGif(const GifPicture& picture);

} // namespace imagetest
