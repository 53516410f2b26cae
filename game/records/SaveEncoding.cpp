#include "game/records/SaveEncoding.h"

#include <algorithm>

namespace save
{

bool ReadFlag(Quib::Buffer& buffer)
{
    return buffer.GetFlag();
}

int32_t ReadShort(Quib::Buffer& buffer)
{
    return int16_t(buffer.GetU16());
}

int32_t ReadLong(Quib::Buffer& buffer)
{
    return int32_t(buffer.GetU32());
}

std::string ReadText(Quib::Buffer& buffer)
{
    const int32_t length = ReadShort(buffer);
    if (length <= 0)
        return {};
    const int64_t bitsLeft = std::max<int64_t>(buffer.BitSize() - buffer.ReadPosition(), 0);
    std::string text(std::min<size_t>(size_t(length), size_t(bitsLeft / 8)), '\0');
    buffer.GetBytes(text.data(), text.size());
    // The rest of the length lies past the end, where everything reads as zeros.
    for (size_t skipped = text.size(); skipped < size_t(length); ++skipped)
        buffer.GetU8();
    return text;
}

size_t ReadCount(Quib::Buffer& buffer)
{
    return size_t(std::max(ReadShort(buffer), 0));
}

void WriteFlag(Quib::Buffer& buffer, bool value)
{
    buffer.PutFlag(value);
}

void WriteShort(Quib::Buffer& buffer, int32_t value)
{
    buffer.PutU16(uint16_t(int16_t(std::clamp<int32_t>(value, INT16_MIN, INT16_MAX))));
}

void WriteLong(Quib::Buffer& buffer, int32_t value)
{
    buffer.PutU32(uint32_t(value));
}

void WriteText(Quib::Buffer& buffer, const std::string& text)
{
    buffer.PutText(text);
}

size_t WriteCount(Quib::Buffer& buffer, size_t count)
{
    const size_t written = std::min(count, kMaxCount);
    WriteShort(buffer, int32_t(written));
    return written;
}

void ReadTextList(Quib::Buffer& buffer, std::vector<std::string>& texts)
{
    ReadList(buffer, texts, ReadText);
}

void WriteTextList(Quib::Buffer& buffer, const std::vector<std::string>& texts)
{
    WriteList(buffer, texts, WriteText);
}

} // namespace save
