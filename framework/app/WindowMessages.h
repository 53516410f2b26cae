#pragma once

#include <functional>

namespace platform
{
class SingleInstance;
}

namespace Quib
{

class InputQueue;

// Takes every waiting window message through the main window procedure, until
// none is left or `stop` says so (shutting down). A raise request from a
// second running copy arrives first, as the notify message.
void DispatchWindowMessages(InputQueue& queue, platform::SingleInstance* instance,
                            const std::function<bool()>& stop);

} // namespace Quib
