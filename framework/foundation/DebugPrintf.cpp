#include "framework/foundation/DebugPrintf.h"

#include "framework/foundation/FormatString.h"

#include <cstdio>

namespace Quib
{

void DebugPrintf(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    const std::string text = FormatStringV(format, arguments);
    va_end(arguments);
    std::fwrite(text.data(), 1, text.size(), stderr);
}

} // namespace Quib
