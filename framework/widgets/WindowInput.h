#pragma once

#include "platform/Messages.h"

namespace platform
{
class Window;
}

namespace Quib
{

class WidgetManager;

// Hands one window message to a widget manager that draws an image of
// `width` x `height` shown in `window`: the mouse mapped from the window's
// presentation into the image, buttons, wheel, keys and characters. For small
// programs that run the widget manager without the application object.
void DispatchWindowInput(WidgetManager& manager, const platform::Message& message,
                         const platform::Window& window, int width, int height);

} // namespace Quib
