#include "framework/display/DirectXErrorName.h"

namespace Quib
{

std::string DirectXErrorName(platform::SurfaceResult result)
{
    switch (result)
    {
    case platform::SurfaceResult::Ok:
        return "0";
    case platform::SurfaceResult::Lost:
        return "DDERR_SURFACELOST";
    case platform::SurfaceResult::Busy:
        return "DDERR_SURFACEBUSY";
    case platform::SurfaceResult::InvalidRect:
        return "DDERR_INVALIDRECT";
    case platform::SurfaceResult::InvalidPixelFormat:
        return "DDERR_INVALIDPIXELFORMAT";
    case platform::SurfaceResult::OutOfMemory:
        return "E_OUTOFMEMORY";
    }
    return "DDERR_GENERIC";
}

} // namespace Quib
