#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ImageLib
{

// The pixels of an Image, with a spare word after the last one: a memory image takes
// the whole array over as its own, guard word included, instead of copying it.
class PixelArray
{
public:
    using value_type = uint32_t;
    using iterator = uint32_t*;
    using const_iterator = const uint32_t*;

    PixelArray() = default;
    // Zeroed pixels.
    explicit PixelArray(size_t count);
    PixelArray(const PixelArray& other);
    PixelArray& operator=(const PixelArray& other);
    PixelArray(PixelArray&& other) noexcept;
    PixelArray& operator=(PixelArray&& other) noexcept;
    ~PixelArray() = default;

    // For readers that write every pixel themselves.
    static PixelArray Uninitialized(size_t count);

    size_t size() const { return mSize; }
    bool empty() const { return mSize == 0; }
    uint32_t* data() { return mData.get(); }
    const uint32_t* data() const { return mData.get(); }
    uint32_t* begin() { return mData.get(); }
    uint32_t* end() { return mData.get() + mSize; }
    const uint32_t* begin() const { return mData.get(); }
    const uint32_t* end() const { return mData.get() + mSize; }
    uint32_t& operator[](size_t i) { return mData[i]; }
    uint32_t operator[](size_t i) const { return mData[i]; }

    // The size() + 1 words; leaves the array empty.
    std::unique_ptr<uint32_t[]> Release();

    friend bool operator==(const PixelArray& a, const PixelArray& b);
    friend bool operator==(const PixelArray& a, const std::vector<uint32_t>& b);

private:
    std::unique_ptr<uint32_t[]> mData;
    size_t mSize = 0;
};

// A decoded picture: width x height pixels, row by row from the top, each 0xAARRGGBB.
class Image
{
public:
    Image() = default;
    Image(int width, int height);
    // The pixels are left for the caller to write, every one of them.
    static std::unique_ptr<Image> Uninitialized(int width, int height);
    virtual ~Image() = default;

    int GetWidth() const { return mWidth; }
    int GetHeight() const { return mHeight; }
    uint32_t* GetPixels() { return mBits.data(); }
    const uint32_t* GetPixels() const { return mBits.data(); }

    int mWidth = 0;
    int mHeight = 0;
    PixelArray mBits;
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

// Takes the picture from the decode-ahead run of this thread when it has it
// (DecodeAhead), else decodes the file here.
std::unique_ptr<Image> LoadImageFile(const std::string& name, bool lookForAlpha = true);
// Decodes the file and, when asked, merges the alpha file beside it; a picture
// that exists only as its alpha file is given the colour.
std::unique_ptr<Image> DecodeImageFile(const std::string& name, bool lookForAlpha, uint32_t alphaColor);

std::unique_ptr<Image> ReadTgaImage(const std::string& fileName);
std::unique_ptr<Image> ReadJpegImage(const std::string& fileName);
std::unique_ptr<Image> ReadPngImage(const std::string& fileName);
std::unique_ptr<Image> ReadGifImage(const std::string& fileName);

bool SavePngFile(const std::string& fileName, const Image& image);
bool SaveJpegFile(const std::string& fileName, const Image& image);

} // namespace ImageLib
