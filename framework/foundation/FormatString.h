#pragma once

#include <cstdarg>
#include <string>

namespace Quib
{

// printf-style formatting into a new string of whatever length the text needs.
std::string FormatString(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatStringV(const char* format, va_list arguments) __attribute__((format(printf, 1, 0)));

} // namespace Quib
