#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ImageLib
{
class Image;
}

namespace Quib
{

class MemoryImage;

// What one live image holds in memory, in bytes, by the form it is kept in.
struct ImageMemoryFigures
{
    int64_t mPixels = 0;
    int64_t mSurface = 0;
    int64_t mPalette = 0;
    int64_t mNativeAlpha = 0;
    int64_t mRLAlpha = 0;
    int64_t mRLAdditive = 0;
    int64_t mTextures = 0;
    std::string mTextureFormat; // "A8R8G8B8", "A4R4G4B4", "R5G6B5" or "Palette8"

    int64_t Total() const
    {
        return mPixels + mSurface + mPalette + mNativeAlpha + mRLAlpha + mRLAdditive + mTextures;
    }
};

// One row of the report.
struct ImageReportRow
{
    int mWidth = 0;
    int mHeight = 0;
    ImageMemoryFigures mFigures;
    bool mVolatile = false;
    bool mForced = false;
    bool mHasAlpha = false;
    bool mHasTrans = false;
    std::string mFileName;
};

// The display's textures of an image: their bytes and format name.
using TextureMeasure = std::function<void(const MemoryImage& image, int64_t& bytes, std::string& format)>;

ImageReportRow MeasureImage(const MemoryImage& image, const TextureMeasure& textures);

// The report page for rows already in report order; `dateText` is the
// asctime text of the moment, line break included.
std::string BuildImageReportHtml(const std::vector<ImageReportRow>& rows, const std::string& dateText);

// A 64 by 64 picture of the pixels, each thumbnail pixel taken from the
// source pixel under its centre.
ImageLib::Image MakeThumbnail(const uint32_t* pixels, int width, int height);

// Writes the page "imagelist.html", "img%04d.png" and "thumb%04d.jpg" for
// each image into the folder, which is emptied first. False when the page
// could not be written.
bool WriteImageReport(const std::string& folder, const std::vector<MemoryImage*>& images,
                      const TextureMeasure& textures, const std::string& dateText);

} // namespace Quib
