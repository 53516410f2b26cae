#include "framework/foundation/Buffer.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using Quib::Buffer;

namespace
{

std::vector<uint8_t> bytesOf(const Buffer& buffer)
{
    if (buffer.Bytes() == nullptr)
        return {};
    return std::vector<uint8_t>(buffer.Bytes(), buffer.Bytes() + buffer.ByteCount());
}

Buffer bufferWith(const std::vector<uint8_t>& bytes)
{
    Buffer buffer;
    buffer.AssignBytes(bytes.data(), bytes.size());
    return buffer;
}

struct LayoutCase
{
    const char* name;
    std::function<void(Buffer&)> write;
    std::vector<uint8_t> bytes;
    int64_t bitSize;
};

TEST(Buffer, WritesTheStoredLayout)
{
    const LayoutCase cases[] = {
        {"u8", [](Buffer& b) { b.PutU8(0xAB); }, {0xAB}, 8},
        {"u16", [](Buffer& b) { b.PutU16(0x1234); }, {0x34, 0x12}, 16},
        {"u32", [](Buffer& b) { b.PutU32(0x12345678); }, {0x78, 0x56, 0x34, 0x12}, 32},
        {"flag true", [](Buffer& b) { b.PutFlag(true); }, {0x01}, 8},
        {"flag false", [](Buffer& b) { b.PutFlag(false); }, {0x00}, 8},
        {"empty text", [](Buffer& b) { b.PutText(""); }, {0x00, 0x00}, 16},
        {"text", [](Buffer& b) { b.PutText("Hi"); }, {0x02, 0x00, 'H', 'i'}, 32},
        {"bytes", [](Buffer& b) { b.PutBytes("\x01\xFF", 2); }, {0x01, 0xFF}, 16},
        {"one zero bit", [](Buffer& b) { b.PutBits(0, 1); }, {0x00}, 1},
        {"bits low first", [](Buffer& b) { b.PutBits(0b1101, 4); }, {0x0D}, 4},
        {"bits beyond count ignored", [](Buffer& b) { b.PutBits(0xFFFFFFF0, 4); }, {0x00}, 4},
        {"zero bits", [](Buffer& b) { b.PutBits(0xFF, 0); }, {}, 0},
        {"32 bits", [](Buffer& b) { b.PutBits(0x80000001, 32); }, {0x01, 0x00, 0x00, 0x80}, 32},
        {"bits across bytes", [](Buffer& b) { b.PutBits(0x1FF, 9); }, {0xFF, 0x01}, 9},
        {"byte straddles",
         [](Buffer& b)
         {
             b.PutBits(6, 3);
             b.PutU8(0xAB);
         },
         {0x5E, 0x05},
         11},
        {"u16 after 1 bit",
         [](Buffer& b)
         {
             b.PutBits(1, 1);
             b.PutU16(0xFFFF);
         },
         {0xFF, 0xFF, 0x01},
         17},
        {"bits continue a byte",
         [](Buffer& b)
         {
             b.PutU8(0x01);
             b.PutBits(0x3, 2);
             b.PutBits(0x1, 7);
         },
         {0x01, 0x07, 0x00},
         17},
    };
    for (const auto& c : cases)
    {
        Buffer buffer;
        c.write(buffer);
        EXPECT_EQ(bytesOf(buffer), c.bytes) << c.name;
        EXPECT_EQ(buffer.BitSize(), c.bitSize) << c.name;
        EXPECT_EQ(buffer.WritePosition(), c.bitSize) << c.name;
        EXPECT_EQ(buffer.ByteCount(), c.bytes.size()) << c.name;
    }
}

TEST(Buffer, MixedStreamReadsBackInOrder)
{
    Buffer buffer;
    buffer.PutBits(5, 3);
    buffer.PutU32(0xDEADBEEF);
    buffer.PutBits(0x7FF, 11);
    buffer.PutText("straddled text");
    buffer.PutFlag(true);
    buffer.PutU16(0xBEEF);
    buffer.PutBits(uint32_t(-7), 5);
    buffer.PutBytes("\x00\x80\xFF", 3);

    Buffer reader = bufferWith(bytesOf(buffer));
    EXPECT_EQ(reader.GetBits(3, false), 5);
    EXPECT_EQ(reader.GetU32(), 0xDEADBEEFu);
    EXPECT_EQ(reader.GetBits(11, false), 0x7FF);
    EXPECT_EQ(reader.GetText(), "straddled text");
    EXPECT_TRUE(reader.GetFlag());
    EXPECT_EQ(reader.GetU16(), 0xBEEF);
    EXPECT_EQ(reader.GetBits(5, true), -7);
    uint8_t tail[3] = {};
    reader.GetBytes(tail, 3);
    EXPECT_EQ(std::vector<uint8_t>(tail, tail + 3), (std::vector<uint8_t>{0x00, 0x80, 0xFF}));
    // A copy made from whole bytes counts the padding of the last byte as data;
    // the written buffer itself knows where the bits end.
    EXPECT_FALSE(reader.ReadExhausted());
    buffer.RewindRead();
    buffer.GetBits(3, false);
    uint8_t rest[28] = {};
    buffer.GetBytes(rest, 28);
    EXPECT_TRUE(buffer.ReadExhausted());
}

TEST(Buffer, U32RoundTripExhaustsTheReader)
{
    Buffer buffer;
    buffer.PutU32(0x12345678);
    EXPECT_FALSE(buffer.ReadExhausted());
    buffer.RewindRead();
    EXPECT_EQ(buffer.GetU32(), 0x12345678u);
    EXPECT_TRUE(buffer.ReadExhausted());
}

TEST(Buffer, SignExtensionFollowsTheLastBitRead)
{
    // Bits 1, 0, 1, 1 from first to last.
    Buffer buffer = bufferWith({0x0D});
    EXPECT_EQ(buffer.GetBits(4, true), -3);
    buffer.RewindRead();
    EXPECT_EQ(buffer.GetBits(4, false), 13);
    buffer.RewindRead();
    EXPECT_EQ(buffer.GetBits(3, true), -3); // last bit read is 1: 101 -> ...11101
    buffer.RewindRead();
    EXPECT_EQ(buffer.GetBits(2, true), 1); // last bit read is 0
    buffer.RewindRead();
    EXPECT_EQ(buffer.GetBits(0, true), 0);
}

TEST(Buffer, ReadsPastTheEndGiveZerosWithoutAdvancing)
{
    Buffer empty;
    EXPECT_EQ(empty.GetU8(), 0);
    EXPECT_EQ(empty.ReadPosition(), 0);
    EXPECT_EQ(empty.GetText(), "");
    EXPECT_EQ(empty.GetU32(), 0u);
    EXPECT_EQ(empty.GetBits(32, true), 0);
    EXPECT_EQ(empty.Bytes(), nullptr);
    EXPECT_TRUE(empty.ReadExhausted());

    // Off a byte boundary a byte needs the following one as well.
    Buffer one = bufferWith({0xFF});
    EXPECT_EQ(one.GetBits(1, false), 1);
    EXPECT_EQ(one.GetU8(), 0);
    EXPECT_EQ(one.ReadPosition(), 1);
    // GetBits stops at the end of the data; the missing bits stay 0 and the sign
    // follows the last bit actually read.
    EXPECT_EQ(one.GetBits(10, false), 0x7F);
    EXPECT_EQ(one.ReadPosition(), 8);
    one.RewindRead();
    one.GetBits(1, false);
    EXPECT_EQ(one.GetBits(10, true), int(0xFFFFFC7F));

    // A U16 with only its low byte present.
    Buffer partial = bufferWith({0x34});
    EXPECT_EQ(partial.GetU16(), 0x34);

    // A text whose length is present but whose bytes are not is padded with zeros.
    Buffer shortText = bufferWith({0x04, 0x00, 'a', 'b'});
    EXPECT_EQ(shortText.GetText(), std::string("ab\0\0", 4));

    // A length read as negative gives the empty text and leaves the bytes unread.
    Buffer negative = bufferWith({0x00, 0x80, 'x'});
    EXPECT_EQ(negative.GetText(), "");
    EXPECT_EQ(negative.ReadPosition(), 16);
}

TEST(Buffer, OverlongTextsAreCutToTheLengthField)
{
    struct Case
    {
        size_t length;
        size_t stored;
    };
    const Case cases[] = {{0x7FFF, 0x7FFF}, {0x8000, 0x7FFF}, {0xFFFF, 0x7FFF}, {0x10005, 0x7FFF}};
    for (const auto& c : cases)
    {
        std::string text(c.length, 'q');
        text[0] = 'a';
        Buffer buffer;
        buffer.PutText(text);
        buffer.PutU32(0xCAFEF00D);
        EXPECT_EQ(buffer.ByteCount(), 2 + c.stored + 4) << c.length;
        buffer.RewindRead();
        EXPECT_EQ(buffer.GetText(), text.substr(0, c.stored)) << c.length;
        // What follows the text is still where the reader expects it.
        EXPECT_EQ(buffer.GetU32(), 0xCAFEF00Du) << c.length;
    }
}

TEST(Buffer, AssignKeepsCursorsAndResetClearsThem)
{
    Buffer buffer;
    buffer.PutU16(0x0102);
    buffer.GetU8();
    const uint8_t bytes[] = {9, 8, 7};
    buffer.AssignBytes(bytes, 3);
    EXPECT_EQ(buffer.BitSize(), 24);
    EXPECT_EQ(buffer.ByteCount(), 3u);
    EXPECT_EQ(buffer.ReadPosition(), 8);
    EXPECT_EQ(buffer.WritePosition(), 16);
    EXPECT_EQ(buffer.GetU8(), 8);

    buffer.Reset();
    EXPECT_EQ(buffer.BitSize(), 0);
    EXPECT_EQ(buffer.ReadPosition(), 0);
    EXPECT_EQ(buffer.WritePosition(), 0);
    EXPECT_EQ(buffer.Bytes(), nullptr);
}

TEST(Buffer, WritingInsideAByteAfterEmptyAssignStaysInBounds)
{
    Buffer buffer;
    buffer.PutBits(1, 3);
    buffer.AssignBytes(nullptr, 0);
    buffer.PutU8(0xFF);
    buffer.PutBits(1, 1);
    EXPECT_EQ(bytesOf(buffer), (std::vector<uint8_t>{0xF8, 0x0F}));
}

} // namespace
