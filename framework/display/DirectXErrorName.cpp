#include "framework/display/DirectXErrorName.h"

#include <cstdio>
#include <iterator>

namespace Quib
{
namespace
{

struct NamedResult
{
    uint32_t mValue;
    const char* mName;
};

constexpr NamedResult kNames[] = {
    {0x80004001, "DDERR_UNSUPPORTED"},
    {0x80004002, "DSERR_NOINTERFACE"},
    {DXResult::kGeneric, "DSERR_GENERIC"},
    {0x80040110, "DSERR_NOAGGREGATION"},
    {0x800401F0, "DDERR_NOTINITIALIZED"},
    {DXResult::kOutOfMemory, "E_OUTOFMEMORY"},
    {0x80070057, "DDERR_INVALIDPARAMS"},
    {DXResult::kInvalidMode, "DDERR_INVALIDMODE"},
    {DXResult::kInvalidPixelFormat, "DDERR_INVALIDPIXELFORMAT"},
    {DXResult::kInvalidRect, "DDERR_INVALIDRECT"},
    {DXResult::kNo3D, "DDERR_NO3D"},
    {DXResult::kSurfaceBusy, "DDERR_SURFACEBUSY"},
    {DXResult::kSurfaceLost, "DDERR_SURFACELOST"},
    {DXResult::kNoDirectDrawHardware, "DDERR_NODIRECTDRAWHW"},
    {DXResult::kExclusiveModeAlreadySet, "DDERR_EXCLUSIVEMODEALREADYSET"},
};

uint32_t ResultCode(platform::SurfaceResult result)
{
    switch (result)
    {
    case platform::SurfaceResult::Ok:
        return DXResult::kOk;
    case platform::SurfaceResult::Lost:
        return DXResult::kSurfaceLost;
    case platform::SurfaceResult::Busy:
        return DXResult::kSurfaceBusy;
    case platform::SurfaceResult::InvalidRect:
        return DXResult::kInvalidRect;
    case platform::SurfaceResult::InvalidPixelFormat:
        return DXResult::kInvalidPixelFormat;
    case platform::SurfaceResult::OutOfMemory:
        return DXResult::kOutOfMemory;
    }
    return DXResult::kGeneric;
}

} // namespace

std::string DirectXErrorName(uint32_t result)
{
    for (const NamedResult& named : kNames)
        if (named.mValue == result)
            return named.mName;
    char text[16];
    std::snprintf(text, sizeof text, "%x", result);
    return text;
}

std::string DirectXErrorName(platform::SurfaceResult result)
{
    return DirectXErrorName(ResultCode(result));
}

} // namespace Quib
