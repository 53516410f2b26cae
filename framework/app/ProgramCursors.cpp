#include "framework/app/ProgramCursors.h"

namespace Quib
{

namespace
{

// Rows 4 to 25, columns 4 to 25 of the grid: X black, o white, . clear.
constexpr int kPictureOrigin = 4;
constexpr int kPictureSize = 22;

constexpr const char* kHand[kPictureSize] = {
    ".......XX.............", "......XooX............", "......XooX............", "......XooX............",
    "......XooX............", "......XooXXX..........", "......XooXooXXX.......", "......XooXooXooXX.....",
    "......XooXooXooXoX....", "..XXX.XooXooXooXooX...", "..XooXXooooooooXooX...", "..XoooXoooooooooooX...",
    "..XXooXoooooooooooX...", "....XoXoooooooooooX...", "....XoooooooooooooX...", ".....XooooooooooooX...",
    ".....XoooooooooooX....", "......XooooooooooX....", "......XooooooooooX....", ".......XooooooooX.....",
    ".......XooooooooX.....", ".......XXXXXXXXXX.....",
};

constexpr const char* kDraggingHand[kPictureSize] = {
    "...........XX.........", "..........XooXXX......", "........XXXooXooX.....", ".......XooXooXooXXX...",
    ".......XooXooXooXooX..", ".......XooXooXooXooX..", ".......XooXooXooXooX..", ".......XooXooXooXooX..",
    "...XX..XooXooXooXooX..", "..XooX.XooXooXooXooX..", "..XoooXXoooooooooooX..", "...XoooXoooooooooooX..",
    "...XoooooooooooooooX..", "....XooooooooooooooX..", ".....XoooooooooooooX..", ".....XooooooooooooX...",
    "......XoooooooooooX...", ".......XooooooooooX...", "........XooooooooX....", ".........XoooooooX....",
    ".........XoooooooX....", ".........XXXXXXXXX....",
};

ProgramCursorImage fromPicture(const char* const* rows, int hotX, int hotY)
{
    ProgramCursorImage image;
    image.pixels.assign(ProgramCursorImage::kSize * ProgramCursorImage::kSize, 0);
    image.hotX = hotX;
    image.hotY = hotY;
    for (int y = 0; y < kPictureSize; ++y)
    {
        for (int x = 0; x < kPictureSize; ++x)
        {
            const char c = rows[y][x];
            uint32_t pixel = 0;
            if (c == 'X')
                pixel = 0xFF000000;
            else if (c == 'o')
                pixel = 0xFFFFFFFF;
            image.pixels[(y + kPictureOrigin) * ProgramCursorImage::kSize + x + kPictureOrigin] = pixel;
        }
    }
    return image;
}

} // namespace

ProgramCursorImage HandCursorImage()
{
    return fromPicture(kHand, 11, 4);
}

ProgramCursorImage DraggingHandCursorImage()
{
    return fromPicture(kDraggingHand, 15, 10);
}

} // namespace Quib
