#pragma once

#include <string>
#include <string_view>

namespace platform
{

// The framework keeps text as single-byte Windows-1252 strings; the desktop
// speaks UTF-8. These convert at the boundary (typed text, clipboard, titles).

// Every byte maps to one code point (the five unassigned bytes map to the C1
// controls of the same value), so this never loses anything.
std::string windows1252ToUtf8(std::string_view text);

// Code points Windows-1252 cannot hold become `replacement`, or are dropped
// when it is '\0'. Malformed UTF-8 sequences count as one unrepresentable
// character each.
std::string utf8ToWindows1252(std::string_view text, char replacement = '?');

// The code point of one Windows-1252 byte, and the byte for a code point
// (-1 when there is none).
char32_t windows1252ToCodePoint(unsigned char byte);
int codePointToWindows1252(char32_t codePoint);

} // namespace platform
