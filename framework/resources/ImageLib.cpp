#include "framework/resources/ImageLib.h"

#include "framework/resources/DecodeAhead.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>

namespace ImageLib
{

std::atomic<uint32_t> gAlphaComposeColor{0xFFFFFF};

PixelArray::PixelArray(size_t count) : mData(std::make_unique<uint32_t[]>(count + 1)), mSize(count) {}

PixelArray::PixelArray(const PixelArray& other) : PixelArray(Uninitialized(other.mSize))
{
    std::copy_n(other.data(), mSize, data());
}

PixelArray& PixelArray::operator=(const PixelArray& other)
{
    if (this != &other)
        *this = PixelArray(other);
    return *this;
}

PixelArray::PixelArray(PixelArray&& other) noexcept
    : mData(std::move(other.mData)), mSize(std::exchange(other.mSize, 0))
{
}

PixelArray& PixelArray::operator=(PixelArray&& other) noexcept
{
    mData = std::move(other.mData);
    mSize = std::exchange(other.mSize, 0);
    return *this;
}

PixelArray PixelArray::Uninitialized(size_t count)
{
    PixelArray array;
    array.mData = std::make_unique_for_overwrite<uint32_t[]>(count + 1);
    array.mSize = count;
    return array;
}

std::unique_ptr<uint32_t[]> PixelArray::Release()
{
    mSize = 0;
    return std::move(mData);
}

bool operator==(const PixelArray& a, const PixelArray& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

bool operator==(const PixelArray& a, const std::vector<uint32_t>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

Image::Image(int width, int height)
    : mWidth(width), mHeight(height), mBits(static_cast<size_t>(width) * static_cast<size_t>(height))
{
}

std::unique_ptr<Image> Image::Uninitialized(int width, int height)
{
    auto image = std::make_unique<Image>();
    image->mWidth = width;
    image->mHeight = height;
    image->mBits = PixelArray::Uninitialized(static_cast<size_t>(width) * static_cast<size_t>(height));
    return image;
}

bool SizeAllowed(int64_t width, int64_t height)
{
    return width > 0 && height > 0 && width <= kMaxImageDimension && height <= kMaxImageDimension &&
           width * height <= kMaxImagePixels;
}

namespace
{

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

using Reader = std::unique_ptr<Image> (*)(const std::string&);

struct Format
{
    const char* extension;
    Reader read;
};

// The order in which a name without an extension is tried.
constexpr Format kFormats[] = {
    {".tga", ReadTgaImage},
    {".jpg", ReadJpegImage},
    {".png", ReadPngImage},
    {".gif", ReadGifImage},
};

std::unique_ptr<Image> LoadPicture(const std::string& name)
{
    size_t slash = name.find_last_of("\\/");
    size_t fileStart = slash == std::string::npos ? 0 : slash + 1;
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot < fileStart)
    {
        for (const Format& format : kFormats)
            if (auto image = format.read(name + format.extension))
                return image;
        return nullptr;
    }
    std::string_view extension = std::string_view(name).substr(dot);
    std::string base = name.substr(0, dot);
    for (const Format& format : kFormats)
        if (EqualsNoCase(extension, format.extension))
            return format.read(base + format.extension);
    return nullptr;
}

std::unique_ptr<Image> FindAlphaImage(const std::string& name)
{
    size_t slash = name.find_last_of("\\/");
    size_t fileStart = slash == std::string::npos ? 0 : slash + 1;
    std::string besideName = name.substr(0, fileStart) + "_" + name.substr(fileStart);
    if (auto alpha = LoadImageFile(besideName, false))
        return alpha;
    if (fileStart == 0)
        return nullptr;
    return LoadImageFile("_" + name, false);
}

} // namespace

std::unique_ptr<Image> LoadImageFile(const std::string& name, bool lookForAlpha)
{
    const uint32_t alphaColor = gAlphaComposeColor;
    if (DecodeAhead* ahead = lookForAlpha ? DecodeAhead::OfThisThread() : nullptr)
        if (auto decoded = ahead->Take(name, alphaColor))
            return std::move(*decoded);
    return DecodeImageFile(name, lookForAlpha, alphaColor);
}

std::unique_ptr<Image> DecodeImageFile(const std::string& name, bool lookForAlpha, uint32_t alphaColor)
{
    std::unique_ptr<Image> image = LoadPicture(name);
    if (!lookForAlpha)
        return image;

    std::unique_ptr<Image> alpha = FindAlphaImage(name);
    if (!alpha)
        return image;
    if (!image)
    {
        const uint32_t colour = alphaColor & 0xFFFFFF;
        for (uint32_t& pixel : alpha->mBits)
            pixel = ((pixel & 0xFF) << 24) | colour;
        return alpha;
    }
    if (alpha->mWidth == image->mWidth && alpha->mHeight == image->mHeight)
        for (size_t i = 0; i < image->mBits.size(); ++i)
            image->mBits[i] = (image->mBits[i] & 0x00FFFFFF) | ((alpha->mBits[i] & 0xFF) << 24);
    return image;
}

} // namespace ImageLib
