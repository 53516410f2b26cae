#pragma once

namespace Quib
{

// With ORVELLAN_TIMING set in the environment, writes one plain line
// "orvellan-timing NAME MS" to the standard error, MS being the monotonic
// clock in milliseconds, so that a start-up benchmark can tell when the
// first frame reached the screen and when loading ended. Otherwise silent;
// a player never sees it.
void MarkStartupMoment(const char* name);

} // namespace Quib
