#include "platform/SessionEnd.h"

#include <SDL.h>
#include <atomic>
#include <csignal>
#include <mutex>

namespace platform
{
namespace
{

std::atomic<bool> gSessionEnding{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

extern "C" void onSessionEndSignal(int)
{
    gSessionEnding.store(true);
}

} // namespace

void watchSessionEnd()
{
    static std::once_flag once;
    std::call_once(once,
                   []
                   {
                       // The video layer would turn these into a quit event, which
                       // the program cannot tell from its last window closing.
                       SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
                       struct sigaction action
                       {
                       };
                       action.sa_handler = onSessionEndSignal;
                       sigemptyset(&action.sa_mask);
                       action.sa_flags = SA_RESTART;
                       for (int signal : {SIGTERM, SIGHUP, SIGINT})
                           sigaction(signal, &action, nullptr);
                   });
}

bool takeSessionEnd()
{
    return gSessionEnding.exchange(false);
}

} // namespace platform
