#include "framework/foundation/Buffer.h"

#include <algorithm>

namespace Quib
{

uint8_t& Buffer::LastByteForWriting()
{
    // Only reachable with an empty array when AssignBytes replaced the data
    // under a write cursor that stood inside a byte.
    if (mData.empty())
        mData.push_back(0);
    return mData.back();
}

void Buffer::RaiseBitSize()
{
    mBitSize = std::max(mBitSize, mWriteBit);
}

void Buffer::PutU8(uint8_t value)
{
    const int shift = int(mWriteBit % 8);
    if (shift == 0)
    {
        mData.push_back(value);
    }
    else
    {
        LastByteForWriting() |= uint8_t(value << shift);
        mData.push_back(uint8_t(value >> (8 - shift)));
    }
    mWriteBit += 8;
    RaiseBitSize();
}

void Buffer::PutBits(uint32_t value, int count)
{
    count = std::clamp(count, 0, 32);
    for (int i = 0; i < count; ++i)
    {
        if (mWriteBit % 8 == 0)
            mData.push_back(0);
        if ((value >> i) & 1u)
            LastByteForWriting() |= uint8_t(1u << (mWriteBit % 8));
        ++mWriteBit;
    }
    RaiseBitSize();
}

void Buffer::PutFlag(bool value)
{
    PutU8(value ? 1 : 0);
}

void Buffer::PutU16(uint16_t value)
{
    PutU8(uint8_t(value));
    PutU8(uint8_t(value >> 8));
}

void Buffer::PutU32(uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        PutU8(uint8_t(value >> shift));
}

void Buffer::PutText(const std::string& text)
{
    const size_t length = std::min(text.size(), kMaxTextLength);
    PutU16(uint16_t(length));
    PutBytes(text.data(), length);
}

void Buffer::PutBytes(const void* bytes, size_t count)
{
    const auto* source = static_cast<const uint8_t*>(bytes);
    for (size_t i = 0; i < count; ++i)
        PutU8(source[i]);
}

uint8_t Buffer::GetU8()
{
    // Off a byte boundary the value straddles two bytes, and both must be there.
    if (mReadBit < 0 || uint64_t((mReadBit + 7) / 8) >= mData.size())
        return 0;
    const size_t index = size_t(mReadBit / 8);
    const int shift = int(mReadBit % 8);
    uint8_t value = mData[index];
    if (shift != 0)
        value = uint8_t((mData[index] >> shift) | (mData[index + 1] << (8 - shift)));
    mReadBit += 8;
    return value;
}

int Buffer::GetBits(int count, bool signExtend)
{
    count = std::clamp(count, 0, 32);
    uint32_t result = 0;
    bool lastBit = false;
    for (int i = 0; i < count; ++i)
    {
        if (mReadBit < 0 || uint64_t(mReadBit / 8) >= mData.size())
            break;
        lastBit = (mData[size_t(mReadBit / 8)] >> (mReadBit % 8)) & 1u;
        if (lastBit)
            result |= 1u << i;
        ++mReadBit;
    }
    if (signExtend && lastBit && count < 32)
        result |= ~0u << count;
    return int(result);
}

bool Buffer::GetFlag()
{
    return GetU8() != 0;
}

uint16_t Buffer::GetU16()
{
    const uint16_t low = GetU8();
    return uint16_t(low | (GetU8() << 8));
}

uint32_t Buffer::GetU32()
{
    uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8)
        value |= uint32_t(GetU8()) << shift;
    return value;
}

std::string Buffer::GetText()
{
    const auto length = int16_t(GetU16());
    std::string text;
    if (length > 0)
    {
        text.resize(size_t(length));
        GetBytes(text.data(), text.size());
    }
    return text;
}

void Buffer::GetBytes(void* destination, size_t count)
{
    auto* target = static_cast<uint8_t*>(destination);
    for (size_t i = 0; i < count; ++i)
        target[i] = GetU8();
}

void Buffer::AssignBytes(const void* bytes, size_t count)
{
    const auto* source = static_cast<const uint8_t*>(bytes);
    mData.assign(source, source + count);
    mBitSize = int64_t(count) * 8;
}

void Buffer::Reset()
{
    mData.clear();
    mBitSize = 0;
    mReadBit = 0;
    mWriteBit = 0;
}

} // namespace Quib
