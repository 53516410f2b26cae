#pragma once

#include <cstddef>
#include <cstdint>

namespace Quib
{

// Text built in a fixed buffer, for code that runs inside a signal handler:
// it never allocates, and what does not fit is cut.
class SafeText
{
public:
    static constexpr size_t kCapacity = 1024;

    SafeText& Add(const char* text);
    SafeText& Add(const char* text, size_t count);
    // Upper-case hexadecimal, at least `digits` wide.
    SafeText& Hex(uint64_t value, int digits, bool upper = true);
    SafeText& Decimal(long long value);
    static size_t LengthOf(const char* text)
    {
        size_t count = 0;
        while (text && text[count])
            ++count;
        return count;
    }
    void Clear()
    {
        mLength = 0;
        mText[0] = 0;
    }
    const char* Text() const { return mText; }
    size_t Length() const { return mLength; }

private:
    char mText[kCapacity] = {};
    size_t mLength = 0;
};

} // namespace Quib
