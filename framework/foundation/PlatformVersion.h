#pragma once

namespace Quib
{

// Code written for older systems still asks these; this port always runs on a
// modern system, so the answers are fixed.
constexpr bool IsWin9xPlatform()
{
    return false;
}
constexpr bool IsVistaOrLater()
{
    return true;
}

} // namespace Quib
