#include "framework/foundation/FormatString.h"

#include <cstdio>

namespace Quib
{

std::string FormatStringV(const char* format, va_list arguments)
{
    // Most texts are short: try a stack buffer first, and format a second time
    // into a string of the exact size only when the text did not fit.
    char small[161];
    va_list retry;
    va_copy(retry, arguments);
    const int length = std::vsnprintf(small, sizeof small, format, arguments);
    if (length < 0)
    {
        va_end(retry);
        return std::string();
    }
    if (static_cast<size_t>(length) < sizeof small)
    {
        va_end(retry);
        return std::string(small, static_cast<size_t>(length));
    }
    std::string result(static_cast<size_t>(length), '\0');
    std::vsnprintf(result.data(), result.size() + 1, format, retry);
    va_end(retry);
    return result;
}

std::string FormatString(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    std::string result = FormatStringV(format, arguments);
    va_end(arguments);
    return result;
}

} // namespace Quib
