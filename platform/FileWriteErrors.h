#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace platform
{

// writeFileAtomic (Files.h) that tells why it failed: `error` receives the
// system's error number of the step that failed.
bool writeFileAtomic(std::string_view path, const void* data, size_t size, int& error);

// The system's words for an error number.
std::string errorText(int error);

// Tests stand in for a full disk or a refusing folder: while a hook is
// installed, a write it answers with an error number other than 0 fails with
// that error before anything on the disk is touched.
using WriteFaultHook = std::function<int(std::string_view path)>;
void setWriteFaultHook(WriteFaultHook hook); // an empty hook removes it

// Installs a hook for the lifetime of a scope.
class ScopedWriteFault
{
public:
    explicit ScopedWriteFault(WriteFaultHook hook) { setWriteFaultHook(std::move(hook)); }
    ~ScopedWriteFault() { setWriteFaultHook({}); }
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;
};

} // namespace platform
