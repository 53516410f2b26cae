#include "framework/graphics/SurfacePixels.h"

#include "framework/graphics/DDImage.h"
#include "framework/graphics/DisplayServices.h"

namespace Quib::SurfacePixels
{
namespace
{

// A table too short for its channel would be read past its end by the additive sums.
const int32_t* TableFor(const std::vector<int32_t>& table, int32_t bits)
{
    const size_t needed = (size_t(2) << std::clamp(bits, 0, 16)) - 1;
    return table.size() >= needed ? table.data() : nullptr;
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
    target.channel[0] = {lock.redMask, display.mRedShift & 31, display.mRedBits,
                         TableFor(display.mRedAddTable, display.mRedBits)};
    target.channel[1] = {lock.greenMask, display.mGreenShift & 31, display.mGreenBits,
                         TableFor(display.mGreenAddTable, display.mGreenBits)};
    target.channel[2] = {lock.blueMask, display.mBlueShift & 31, display.mBlueBits,
                         TableFor(display.mBlueAddTable, display.mBlueBits)};
    return true;
}

bool HasTables(const Target& target)
{
    return target.channel[0].table != nullptr && target.channel[1].table != nullptr &&
           target.channel[2].table != nullptr;
}

} // namespace Quib::SurfacePixels
