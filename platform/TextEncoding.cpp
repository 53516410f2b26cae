#include "platform/TextEncoding.h"

#include <array>
#include <cstdint>

namespace platform
{

namespace
{

// Code points of the bytes 0x80..0x9F; the rest of the range is Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80)
    {
        out += static_cast<char>(cp);
    }
    else if (cp < 0x800)
    {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[pos]; advances pos. Returns -1 for a
// malformed, overlong or surrogate sequence (pos then moves by one byte).
int32_t decodeUtf8(std::string_view text, size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    int length = 0;
    char32_t cp = 0;
    if (lead < 0x80)
    {
        ++pos;
        return lead;
    }
    if ((lead & 0xE0) == 0xC0)
    {
        length = 2;
        cp = lead & 0x1F;
    }
    else if ((lead & 0xF0) == 0xE0)
    {
        length = 3;
        cp = lead & 0x0F;
    }
    else if ((lead & 0xF8) == 0xF0)
    {
        length = 4;
        cp = lead & 0x07;
    }
    else
    {
        ++pos;
        return -1;
    }
    if (pos + length > text.size())
    {
        ++pos;
        return -1;
    }
    for (int i = 1; i < length; ++i)
    {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80)
        {
            ++pos;
            return -1;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
    {
        ++pos;
        return -1;
    }
    pos += length;
    return static_cast<int32_t>(cp);
}

} // namespace

char32_t windows1252ToCodePoint(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return kHighControls[byte - 0x80];
    return byte;
}

int codePointToWindows1252(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    for (size_t i = 0; i < kHighControls.size(); ++i)
    {
        if (kHighControls[i] == codePoint)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

std::string windows1252ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        appendUtf8(out, windows1252ToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8ToWindows1252(std::string_view text, char replacement)
{
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size())
    {
        const int32_t cp = decodeUtf8(text, pos);
        const int byte = cp < 0 ? -1 : codePointToWindows1252(static_cast<char32_t>(cp));
        if (byte >= 0)
            out += static_cast<char>(byte);
        else if (replacement != '\0')
            out += replacement;
    }
    return out;
}

} // namespace platform
