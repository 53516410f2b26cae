#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ImageLib
{

// A decoded picture: width x height pixels, row by row from the top, each 0xAARRGGBB.
class Image
{
public:
    Image() = default;
    Image(int width, int height);
    virtual ~Image() = default;

    int GetWidth() const { return mWidth; }
    int GetHeight() const { return mHeight; }
    uint32_t* GetPixels() { return mBits.data(); }
    const uint32_t* GetPixels() const { return mBits.data(); }

    int mWidth = 0;
    int mHeight = 0;
    std::vector<uint32_t> mBits;
};

// The largest picture any reader accepts. Far beyond what the game draws, it keeps
// a header that claims a giant size from allocating gigabytes.
constexpr int kMaxImageDimension = 16384;
constexpr int64_t kMaxImagePixels = int64_t(1) << 25;

// True when a width x height picture may be allocated.
bool SizeAllowed(int64_t width, int64_t height);

// Colours a picture that exists only as its alpha file; the resource manager
// swaps it while it loads an image with its own alpha colour. Atomic because the
// loading thread swaps it while the main thread may be loading pictures too.
extern std::atomic<uint32_t> gAlphaComposeColor;

std::unique_ptr<Image> LoadImageFile(const std::string& name, bool lookForAlpha = true);

std::unique_ptr<Image> ReadTgaImage(const std::string& fileName);
std::unique_ptr<Image> ReadJpegImage(const std::string& fileName);
std::unique_ptr<Image> ReadPngImage(const std::string& fileName);
std::unique_ptr<Image> ReadGifImage(const std::string& fileName);

bool SavePngFile(const std::string& fileName, const Image& image);
bool SaveJpegFile(const std::string& fileName, const Image& image);

} // namespace ImageLib
