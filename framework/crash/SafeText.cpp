#include "framework/crash/SafeText.h"

namespace Quib
{

SafeText& SafeText::Add(const char* text, size_t count)
{
    for (size_t i = 0; i < count && mLength + 1 < kCapacity; ++i)
        mText[mLength++] = text[i];
    mText[mLength] = 0;
    return *this;
}

SafeText& SafeText::Add(const char* text)
{
    return Add(text, LengthOf(text));
}

SafeText& SafeText::Hex(uint64_t value, int digits, bool upper)
{
    const char* symbols = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char reversed[16];
    int count = 0;
    do
    {
        reversed[count++] = symbols[value & 15];
        value >>= 4;
    } while (value != 0 && count < 16);
    while (count < digits && count < 16)
        reversed[count++] = '0';
    char text[16];
    for (int i = 0; i < count; ++i)
        text[i] = reversed[count - 1 - i];
    return Add(text, size_t(count));
}

SafeText& SafeText::Decimal(long long value)
{
    char reversed[24];
    int count = 0;
    unsigned long long magnitude = value < 0 ? 0ull - (unsigned long long)value : (unsigned long long)value;
    do
    {
        reversed[count++] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        reversed[count++] = '-';
    char text[24];
    for (int i = 0; i < count; ++i)
        text[i] = reversed[count - 1 - i];
    return Add(text, size_t(count));
}

} // namespace Quib
