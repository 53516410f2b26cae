#pragma once

#include <string>
#include <string_view>

namespace Quib
{

// The program never sets a C-library locale, so every classification and case
// conversion here is the plain ASCII one; bytes of 128 and above are left alone.

// strcasecmp-style three-way comparison: bytes compared unsigned after folding
// ASCII letters to lower case.
int CompareNoCase(std::string_view a, std::string_view b);

// The key order of the framework's string-keyed maps. Transparent, so that
// maps can be searched with a C string without building a key.
struct LessNoCase
{
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return CompareNoCase(a, b) < 0; }
};

std::string ToUpperCopy(const std::string& text);
std::string ToLowerCopy(const std::string& text);

// Every byte becomes the character with that code (0..255, no sign extension).
std::wstring WidenString(const std::string& text);
// Characters 0..255 become that byte; any character above 255 makes the whole
// conversion fail, which gives the empty string.
std::string NarrowString(const std::wstring& text);
std::string NarrowString(const std::string& text);

// The text between the first and the last byte that is not ASCII white space.
std::string TrimWhitespace(const std::string& text);

// Index of the first case-insensitive occurrence of needle, or -1. An empty
// needle is found at 0 in a non-empty haystack; an empty haystack finds nothing.
int FindNoCase(const std::string& haystack, const std::string& needle);

} // namespace Quib
