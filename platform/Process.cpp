#include "platform/Process.h"

#include <cstdlib>
#include <mutex>

namespace platform
{
namespace
{
std::mutex gHookMutex;
ExitHook gHook;
} // namespace

void exitProcess(int code)
{
    ExitHook hook;
    {
        std::lock_guard<std::mutex> lock(gHookMutex);
        hook = gHook;
    }
    if (hook)
        hook(code);
    std::exit(code);
}

void setExitHook(ExitHook hook)
{
    std::lock_guard<std::mutex> lock(gHookMutex);
    gHook = std::move(hook);
}

ScopedExitInterception::ScopedExitInterception()
{
    setExitHook([](int code) { throw ExitRequested{code}; });
}

ScopedExitInterception::~ScopedExitInterception() { setExitHook({}); }

} // namespace platform
