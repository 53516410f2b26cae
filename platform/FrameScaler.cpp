#include "platform/FrameScaler.h"

#include <algorithm>
#include <cstring>

namespace platform
{
namespace
{

// The image pixel whose span holds the centre of target pixel `at`.
int32_t centreSource(int at, int targetSize, int imageSize)
{
    return int32_t((int64_t(2 * at + 1) * imageSize) / (int64_t(2) * targetSize));
}

std::vector<int32_t> centreTable(int targetSize, int imageSize)
{
    std::vector<int32_t> table(size_t(std::max(targetSize, 0)));
    for (int at = 0; at < targetSize; ++at)
        table[size_t(at)] = centreSource(at, targetSize, imageSize);
    return table;
}

// The first index of the (non-decreasing) table whose entry is at least `value`.
int firstAtLeast(const std::vector<int32_t>& table, int32_t value)
{
    return int(std::lower_bound(table.begin(), table.end(), value) - table.begin());
}

const uint32_t* imageRow(const uint32_t* image, int pitchBytes, int32_t row)
{
    return reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(image) +
                                             ptrdiff_t(row) * pitchBytes);
}

uint32_t* windowRow(uint32_t* window, int pitchBytes, int row)
{
    return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(window) + ptrdiff_t(row) * pitchBytes);
}

} // namespace

void FrameScaler::setSize(int imageWidth, int imageHeight, const WindowRect& target)
{
    if (imageWidth == mImageWidth && imageHeight == mImageHeight && target == mTarget)
        return;
    mImageWidth = imageWidth;
    mImageHeight = imageHeight;
    mTarget = target;
    mColumns = centreTable(target.width, imageWidth);
    mRows = centreTable(target.height, imageHeight);
}

WindowRect FrameScaler::covered(const WindowRect& area) const
{
    const int left = std::max(area.x, 0);
    const int top = std::max(area.y, 0);
    const int right = std::min(area.x + area.width, mImageWidth);
    const int bottom = std::min(area.y + area.height, mImageHeight);
    if (left >= right || top >= bottom)
        return {mTarget.x, mTarget.y, 0, 0};
    const int x0 = firstAtLeast(mColumns, left);
    const int x1 = firstAtLeast(mColumns, right);
    const int y0 = firstAtLeast(mRows, top);
    const int y1 = firstAtLeast(mRows, bottom);
    return {mTarget.x + x0, mTarget.y + y0, x1 - x0, y1 - y0};
}

void FrameScaler::scale(const uint32_t* image, int imagePitchBytes, const WindowRect& area, uint32_t* window,
                        int windowPitchBytes) const
{
    const WindowRect out = covered(area);
    if (out.width <= 0 || out.height <= 0)
        return;
    const int x0 = out.x - mTarget.x;
    const int y0 = out.y - mTarget.y;
    const int32_t* columns = mColumns.data() + x0;
    const bool oneToOne = mTarget.width == mImageWidth;
    const size_t rowBytes = size_t(out.width) * sizeof(uint32_t);
    for (int y = y0; y < y0 + out.height; ++y)
    {
        uint32_t* to = windowRow(window, windowPitchBytes, mTarget.y + y) + out.x;
        // Enlarged pictures show most image rows twice or more: the row just
        // made is copied rather than gathered again.
        if (y > y0 && mRows[size_t(y)] == mRows[size_t(y - 1)])
        {
            std::memcpy(to, windowRow(window, windowPitchBytes, mTarget.y + y - 1) + out.x, rowBytes);
            continue;
        }
        const uint32_t* from = imageRow(image, imagePitchBytes, mRows[size_t(y)]);
        if (oneToOne)
        {
            std::memcpy(to, from + columns[0], rowBytes);
            continue;
        }
        for (int x = 0; x < out.width; ++x)
            to[x] = from[columns[x]];
    }
}

void scaleNearestReference(const uint32_t* image, int imageWidth, int imageHeight, int imagePitchBytes,
                           const WindowRect& target, uint32_t* window, int windowPitchBytes)
{
    for (int y = 0; y < target.height; ++y)
        for (int x = 0; x < target.width; ++x)
            windowRow(window, windowPitchBytes, target.y + y)[target.x + x] = imageRow(
                image, imagePitchBytes,
                centreSource(y, target.height, imageHeight))[centreSource(x, target.width, imageWidth)];
}

} // namespace platform
