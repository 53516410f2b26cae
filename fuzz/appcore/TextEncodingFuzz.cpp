// Typed and clipboard text from the desktop: any bytes claiming to be UTF-8.
#include "platform/TextEncoding.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string narrow = platform::utf8ToWindows1252(input);
    if (narrow.size() > input.size())
        std::abort();
    // Whatever came in, the narrow text converts back and forth unchanged.
    if (platform::utf8ToWindows1252(platform::windows1252ToUtf8(narrow)) != narrow)
        std::abort();
    if (platform::utf8ToWindows1252(platform::windows1252ToUtf8(input)) != input)
        std::abort();
    return 0;
}
