#pragma once

#include "framework/graphics/MemoryImage.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace shelltest
{

// A picture of one column whose grid rows are filled with the given colours
// in turn, so that a drawn frame shows which row it came from.
std::unique_ptr<Quib::MemoryImage> RowPicture(int width, int rowHeight,
                                              const std::vector<uint32_t>& rowColors);

// A plain picture of one colour and one cell.
std::unique_ptr<Quib::MemoryImage> PlainPicture(int width, int height, uint32_t color);

} // namespace shelltest
