#include "tests/game/shell/ShellTestSupport.h"

namespace shelltest
{

std::unique_ptr<Quib::MemoryImage> RowPicture(int width, int rowHeight,
                                              const std::vector<uint32_t>& rowColors)
{
    const int rows = int(rowColors.size());
    std::vector<uint32_t> pixels(size_t(width) * size_t(rowHeight) * size_t(rows));
    for (int row = 0; row < rows; ++row)
        std::fill_n(pixels.begin() + ptrdiff_t(row) * width * rowHeight, width * rowHeight,
                    rowColors[size_t(row)]);
    auto picture = std::make_unique<Quib::MemoryImage>();
    picture->SetBits(pixels.data(), width, rowHeight * rows, true);
    picture->mRows = rows;
    return picture;
}

std::unique_ptr<Quib::MemoryImage> PlainPicture(int width, int height, uint32_t color)
{
    return RowPicture(width, height, {color});
}

} // namespace shelltest
