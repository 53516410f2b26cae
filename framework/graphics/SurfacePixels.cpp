#include "framework/graphics/SurfacePixels.h"

#include "framework/graphics/DDImage.h"
#include "framework/graphics/DisplayServices.h"

namespace Quib::SurfacePixels
{
namespace
{

// Only a table built for the channel's own width clamps it right and is never read past
// its end.
const int32_t* TableFor(const std::vector<int32_t>& table, int32_t bits)
{
    const size_t needed = (size_t(2) << std::clamp(bits, 0, 16)) - 1;
    return table.size() == needed ? table.data() : nullptr;
}

} // namespace

bool MakeTarget(const DDImage& image, Target& target)
{
    const LockedSurfaceDesc& lock = image.mLockedDesc;
    if (lock.bits == nullptr || (lock.bitCount != 16 && lock.bitCount != 32))
        return false;
    const DisplayServices& display = *image.mDDInterface;
    target.bits = lock.bits;
    target.pitch = lock.pitch;
    target.bitCount = lock.bitCount;
    if (lock.bitCount == 32)
        target.packing = Packing::Wide;
    else if (lock.greenMask == 0x7E0)
        target.packing = Packing::P565;
    else if (lock.greenMask == 0x3E0)
        target.packing = Packing::P555;
    else
        target.packing = Packing::Generic16;
    // Shifts and widths come from the surface's own masks: they agree with the screen's
    // format, except for a surface made before a mode change, whose channels must
    // still be read where they are and never index the clamp tables past their end.
    const auto channel = [](uint32_t mask, const std::vector<int32_t>& table)
    {
        const int32_t bits = platform::MaskBits(mask);
        return Channel{mask, platform::MaskShift(mask), bits, TableFor(table, bits)};
    };
    target.channel[0] = channel(lock.redMask, display.mRedAddTable);
    target.channel[1] = channel(lock.greenMask, display.mGreenAddTable);
    target.channel[2] = channel(lock.blueMask, display.mBlueAddTable);
    return true;
}

bool HasTables(const Target& target)
{
    return target.channel[0].table != nullptr && target.channel[1].table != nullptr &&
           target.channel[2].table != nullptr;
}

} // namespace Quib::SurfacePixels
