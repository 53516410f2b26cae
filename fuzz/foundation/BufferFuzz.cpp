// Reads arbitrary bytes through every reader of Quib::Buffer, in an order the
// input chooses, then writes what was read into a fresh buffer and checks that
// reading it back in the same order gives the same values.
//
// Input: one byte k (the number of reads, at most 64), k operations of two
// bytes each (the kind of read, then its argument), then the data the buffer holds.
#include "framework/foundation/Buffer.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

struct Read
{
    int kind;
    int bits;
    bool signExtend;
    uint32_t value;
    std::string text;
};

void check(bool condition)
{
    if (!condition)
        std::abort();
}

Read readOne(Quib::Buffer& buffer, const uint8_t* op)
{
    Read read{op[0] % 8, op[1] % 33, (op[1] & 0x80) != 0, 0, {}};
    const int64_t before = buffer.ReadPosition();
    switch (read.kind)
    {
    case 0:
        read.value = buffer.GetU8();
        break;
    case 1:
        read.value = uint32_t(buffer.GetBits(read.bits, read.signExtend));
        check(buffer.ReadPosition() - before <= read.bits);
        break;
    case 2:
        read.value = buffer.GetFlag();
        break;
    case 3:
        read.value = buffer.GetU16();
        break;
    case 4:
        read.value = buffer.GetU32();
        break;
    case 5:
        read.text = buffer.GetText();
        check(read.text.size() <= Quib::Buffer::kMaxTextLength);
        break;
    case 6:
    {
        std::string bytes(size_t(read.bits), '\0');
        buffer.GetBytes(bytes.data(), bytes.size());
        read.text = bytes;
        break;
    }
    default:
        buffer.RewindRead();
        break;
    }
    check(buffer.ReadPosition() >= 0);
    check(buffer.ReadPosition() <= int64_t(buffer.ByteCount()) * 8);
    return read;
}

void writeBack(Quib::Buffer& buffer, const Read& read)
{
    switch (read.kind)
    {
    case 0:
        buffer.PutU8(uint8_t(read.value));
        break;
    case 1:
        buffer.PutBits(read.value, read.bits);
        break;
    case 2:
        buffer.PutFlag(read.value != 0);
        break;
    case 3:
        buffer.PutU16(uint16_t(read.value));
        break;
    case 4:
        buffer.PutU32(read.value);
        break;
    case 5:
        buffer.PutText(read.text);
        break;
    case 6:
        buffer.PutBytes(read.text.data(), read.text.size());
        break;
    default:
        break;
    }
}

bool sameValue(const Read& expected, const Read& actual)
{
    if (expected.kind == 1)
    {
        const uint32_t mask = expected.bits == 32 ? ~0u : (1u << expected.bits) - 1;
        return (expected.value & mask) == (actual.value & mask);
    }
    if (expected.kind == 2)
        return (expected.value != 0) == (actual.value != 0);
    return expected.value == actual.value && expected.text == actual.text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t count = std::min<size_t>(data[0] % 65, (size - 1) / 2);
    const uint8_t* ops = data + 1;
    const uint8_t* payload = ops + 2 * count;
    const size_t payloadSize = size - 1 - 2 * count;

    Quib::Buffer buffer;
    buffer.AssignBytes(payload, payloadSize);
    check(buffer.ByteCount() == payloadSize);
    std::vector<Read> reads;
    for (size_t i = 0; i < count; ++i)
    {
        Read read = readOne(buffer, ops + 2 * i);
        if (read.kind != 7)
            reads.push_back(std::move(read));
    }

    Quib::Buffer written;
    for (const Read& read : reads)
        writeBack(written, read);
    written.RewindRead();
    for (size_t i = 0, r = 0; i < count; ++i)
    {
        if (ops[2 * i] % 8 == 7)
            continue;
        check(sameValue(reads[r++], readOne(written, ops + 2 * i)));
    }
    check(written.ReadExhausted());
    return 0;
}
