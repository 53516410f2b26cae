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
                       // Not restarted: a call blocked when the request comes
                       // returns, so that the program can act on it.
                       action.sa_flags = 0;
                       for (int signal : {SIGTERM, SIGHUP, SIGINT})
                           sigaction(signal, &action, nullptr);
                   });
}

bool takeSessionEnd()
{
    return gSessionEnding.exchange(false);
}

} // namespace platform
