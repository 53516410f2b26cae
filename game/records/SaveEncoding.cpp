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
    return buffer.GetText();
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
    const size_t count = ReadCount(buffer);
    for (size_t i = 0; i < count && !buffer.ReadExhausted(); ++i)
        texts.push_back(ReadText(buffer));
}

void WriteTextList(Quib::Buffer& buffer, const std::vector<std::string>& texts)
{
    const size_t count = WriteCount(buffer, texts.size());
    for (size_t i = 0; i < count; ++i)
        WriteText(buffer, texts[i]);
}

} // namespace save
