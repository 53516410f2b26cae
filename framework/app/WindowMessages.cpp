#include "framework/app/WindowMessages.h"

#include "framework/app/InputQueue.h"
#include "platform/MessagePump.h"
#include "platform/SingleInstance.h"

namespace Quib
{

void DispatchWindowMessages(InputQueue& queue, platform::SingleInstance* instance,
                            const std::function<bool()>& stop)
{
    if (instance && instance->takeRaiseRequest())
        queue.MainWindowProc({0, platform::WM_INSTANCE_NOTIFY, 0, 0});
    platform::Message message;
    while (!stop() && platform::peekMessage(message))
        queue.MainWindowProc(message);
}

} // namespace Quib
