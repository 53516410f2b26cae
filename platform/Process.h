#pragma once

#include <functional>

namespace platform
{

// Ends the process with the given code. A test can install a hook that is
// called instead (it usually throws ExitRequested so the test sees the code).
[[noreturn]] void exitProcess(int code);

using ExitHook = std::function<void(int code)>;
void setExitHook(ExitHook hook); // an empty hook restores the real exit

struct ExitRequested
{
    int code;
};

// Installs a hook that throws ExitRequested for the lifetime of a scope.
class ScopedExitInterception
{
public:
    ScopedExitInterception();
    ~ScopedExitInterception();
    ScopedExitInterception(const ScopedExitInterception&) = delete;
    ScopedExitInterception& operator=(const ScopedExitInterception&) = delete;
};

} // namespace platform
