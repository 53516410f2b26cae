#include "tests/game/fullrun/HeapInUse.h"

#include <malloc.h>
#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__)
#define FULLRUN_SANITIZER_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FULLRUN_SANITIZER_HEAP 1
#endif
#endif

#if defined(FULLRUN_SANITIZER_HEAP)
// The sanitizer's runtime has it; GCC ships no header that declares it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace fullrun
{

size_t HeapInUse()
{
#if defined(FULLRUN_SANITIZER_HEAP)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

size_t PeakResident()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return size_t(usage.ru_maxrss) * 1024;
}

} // namespace fullrun
