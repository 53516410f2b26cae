#include "framework/graphics/DisplayServices.h"

#include <algorithm>

namespace Quib
{

std::atomic<bool> gDisplayRGBOrder{true};

namespace
{

std::vector<int32_t> ClampTable(int32_t bits)
{
    const int32_t top = (1 << std::clamp(bits, 0, 16)) - 1;
    std::vector<int32_t> table(size_t(2 * top + 1));
    for (size_t i = 0; i < table.size(); ++i)
        table[i] = std::min(int32_t(i), top);
    return table;
}

} // namespace

void DisplayServices::BuildAddTables()
{
    mRedAddTable = ClampTable(mRedBits);
    mGreenAddTable = ClampTable(mGreenBits);
    mBlueAddTable = ClampTable(mBlueBits);
}

} // namespace Quib
