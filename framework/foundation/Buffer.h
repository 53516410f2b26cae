#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Quib
{

// The serialisation container of demos and save files. Bits fill each byte
// from the least significant upwards, values are stored low bit and low byte
// first, and reading past the end yields zeros; stored files depend on every
// one of these rules.
class Buffer
{
public:
    // Longest text PutText stores: GetText reads the 16-bit length as signed.
    static constexpr size_t kMaxTextLength = 0x7FFF;

    Buffer() = default;
    virtual ~Buffer() = default;

    void PutU8(uint8_t value);
    void PutBits(uint32_t value, int count);
    void PutFlag(bool value);
    void PutU16(uint16_t value);
    void PutU32(uint32_t value);
    // Texts longer than kMaxTextLength are cut to that length, so that what
    // follows them in the stream stays readable.
    void PutText(const std::string& text);
    void PutBytes(const void* bytes, size_t count);

    uint8_t GetU8();
    int GetBits(int count, bool signExtend);
    bool GetFlag();
    uint16_t GetU16();
    uint32_t GetU32();
    std::string GetText();
    void GetBytes(void* destination, size_t count);

    // Replaces the data; the cursors stay where they were.
    void AssignBytes(const void* bytes, size_t count);
    void Reset();
    void RewindRead() { mReadBit = 0; }

    const uint8_t* Bytes() const { return mData.empty() ? nullptr : mData.data(); }
    size_t ByteCount() const { return size_t((mBitSize + 7) / 8); }
    bool ReadExhausted() const { return mReadBit >= mBitSize; }

    int64_t BitSize() const { return mBitSize; }
    int64_t ReadPosition() const { return mReadBit; }
    int64_t WritePosition() const { return mWriteBit; }

private:
    uint8_t& LastByteForWriting();
    void RaiseBitSize();

    std::vector<uint8_t> mData;
    // Bit counts are 64-bit so that no size of data can make them wrap.
    int64_t mBitSize = 0;
    int64_t mReadBit = 0;
    int64_t mWriteBit = 0;
};

} // namespace Quib
