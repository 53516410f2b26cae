#pragma once

#include "platform/WindowRect.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform
{

// Scales a fixed-size image into a rectangle of the window, nearest pixel:
// each window pixel shows the image pixel under its centre. The column and row
// tables are built once per size, so scaling a part of the image touches only
// the window pixels that part covers.
class FrameScaler
{
public:
    // The image's size and the rectangle of the window it is shown in.
    void setSize(int imageWidth, int imageHeight, const WindowRect& target);
    int imageWidth() const { return mImageWidth; }
    int imageHeight() const { return mImageHeight; }
    const WindowRect& target() const { return mTarget; }

    // The image pixel shown at target pixel (x, y) (relative to the target's corner).
    int32_t sourceColumn(int x) const { return mColumns[size_t(x)]; }
    int32_t sourceRow(int y) const { return mRows[size_t(y)]; }

    // The window pixels (in window coordinates) that show the image's `area`;
    // empty when the area lies outside the image.
    WindowRect covered(const WindowRect& area) const;

    // Writes the window pixels that show the image's `area` into `window`
    // (0xXXRRGGBB rows of windowPitch bytes, origin at the window's corner).
    void scale(const uint32_t* image, int imagePitchBytes, const WindowRect& area, uint32_t* window,
               int windowPitchBytes) const;

private:
    int mImageWidth = 0;
    int mImageHeight = 0;
    WindowRect mTarget;
    std::vector<int32_t> mColumns;
    std::vector<int32_t> mRows;
};

// One pixel at a time, straight from the centre rule: what FrameScaler::scale must equal.
void scaleNearestReference(const uint32_t* image, int imageWidth, int imageHeight, int imagePitchBytes,
                           const WindowRect& target, uint32_t* window, int windowPitchBytes);

} // namespace platform
