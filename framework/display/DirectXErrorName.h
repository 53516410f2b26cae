#pragma once

#include "platform/Surface.h"

#include <string>

namespace Quib
{

// The symbolic name of a surface result as the display reports it in its
// error texts. Where one value has several names the fixed one is given
// (running out of memory is "E_OUTOFMEMORY"); success has no name and is
// written as its value in lower-case hexadecimal.
std::string DirectXErrorName(platform::SurfaceResult result);

} // namespace Quib
