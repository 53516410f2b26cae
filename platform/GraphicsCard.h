#pragma once

#include <string>

namespace platform
{

// Whether the machine offers this process a graphics device: a kernel display
// or render node (dri/card*, dri/renderD*) or the node of a vendor driver that
// lives outside the kernel's display layer (nvidia0, nvidia1, ...). Without one
// every renderer the desktop could hand out draws on the processor.
bool graphicsCardPresent();
// The same question asked of another device folder.
bool graphicsCardPresentIn(const std::string& deviceFolder);

} // namespace platform
