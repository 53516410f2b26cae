#pragma once

#include "platform/Surface.h"

#include <cstdint>
#include <string>

namespace Quib
{

// Result codes that the display's error texts name.
namespace DXResult
{
constexpr uint32_t kOk = 0;
constexpr uint32_t kGeneric = 0x80004005;
constexpr uint32_t kOutOfMemory = 0x8007000E;
constexpr uint32_t kInvalidMode = 0x88760078;
constexpr uint32_t kInvalidPixelFormat = 0x88760091;
constexpr uint32_t kInvalidRect = 0x88760096;
constexpr uint32_t kNo3D = 0x887600AA;
constexpr uint32_t kSurfaceBusy = 0x887601AE;
constexpr uint32_t kSurfaceLost = 0x887601C2;
constexpr uint32_t kNoDirectDrawHardware = 0x88760233;
constexpr uint32_t kExclusiveModeAlreadySet = 0x88760245;
} // namespace DXResult

// The symbolic name of a result code. Where one value has several names the
// fixed one is given (running out of memory is "E_OUTOFMEMORY", a generic
// failure "DSERR_GENERIC"); a value without a name, success included, is
// written in lower-case hexadecimal without a prefix.
std::string DirectXErrorName(uint32_t result);
// The name of the code a surface result stands for.
std::string DirectXErrorName(platform::SurfaceResult result);

} // namespace Quib
