#include "framework/foundation/Strings.h"

namespace Quib
{

namespace
{

unsigned char lowerByte(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + ('a' - 'A')) : b;
}

unsigned char upperByte(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return (b >= 'a' && b <= 'z') ? static_cast<unsigned char>(b - ('a' - 'A')) : b;
}

bool isSpaceByte(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

} // namespace

int CompareNoCase(std::string_view a, std::string_view b)
{
    const size_t common = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < common; ++i)
    {
        const int difference = int(lowerByte(a[i])) - int(lowerByte(b[i]));
        if (difference != 0)
            return difference;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string ToUpperCopy(const std::string& text)
{
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(upperByte(c));
    return result;
}

std::string ToLowerCopy(const std::string& text)
{
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(lowerByte(c));
    return result;
}

std::wstring WidenString(const std::string& text)
{
    std::wstring result(text.size(), L'\0');
    for (size_t i = 0; i < text.size(); ++i)
        result[i] = static_cast<wchar_t>(static_cast<unsigned char>(text[i]));
    return result;
}

std::string NarrowString(const std::wstring& text)
{
    std::string result(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i)
    {
        const auto code = static_cast<unsigned long>(text[i]);
        if (code > 255)
            return std::string();
        result[i] = static_cast<char>(code);
    }
    return result;
}

std::string NarrowString(const std::string& text)
{
    return text;
}

std::string TrimWhitespace(const std::string& text)
{
    size_t first = 0;
    while (first < text.size() && isSpaceByte(text[first]))
        ++first;
    size_t last = text.size();
    while (last > first && isSpaceByte(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

int FindNoCase(const std::string& haystack, const std::string& needle)
{
    if (haystack.empty() || needle.size() > haystack.size())
        return -1;
    for (size_t start = 0; start + needle.size() <= haystack.size(); ++start)
    {
        size_t i = 0;
        while (i < needle.size() && lowerByte(haystack[start + i]) == lowerByte(needle[i]))
            ++i;
        if (i == needle.size())
            return static_cast<int>(start);
    }
    return -1;
}

} // namespace Quib
