#pragma once

#include "framework/foundation/Buffer.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The four encodings of every save file: Flag (one byte), Short (two bytes,
// signed), Long (four bytes, signed) and Text (a Short length, then the bytes).
// Reading past the end of the data yields zeros.
namespace save
{

// The largest number of entries a Short count can announce.
constexpr size_t kMaxCount = 0x7FFF;
// The most entries a list read from a file keeps. A scene's lists hold a few
// dozen names; the limit only stops a damaged count from filling memory with
// the empty entries that reading past the end yields.
constexpr size_t kMaxListEntries = 1024;

bool ReadFlag(Quib::Buffer& buffer);
int32_t ReadShort(Quib::Buffer& buffer);
int32_t ReadLong(Quib::Buffer& buffer);
// A length that runs past the end of the data keeps the bytes that are there.
std::string ReadText(Quib::Buffer& buffer);
// A count of entries: a negative Short announces none.
size_t ReadCount(Quib::Buffer& buffer);

void WriteFlag(Quib::Buffer& buffer, bool value);
// Values outside the 16-bit range are stored as its nearest limit rather than
// wrapped, so a large value never comes back negative.
void WriteShort(Quib::Buffer& buffer, int32_t value);
void WriteLong(Quib::Buffer& buffer, int32_t value);
void WriteText(Quib::Buffer& buffer, const std::string& text);
// Writes a count of at most kMaxCount and returns the number of entries that
// must follow it.
size_t WriteCount(Quib::Buffer& buffer, size_t count);

// A count and that many entries, each read by readEntry and appended. Past
// the end of the data every entry reads empty, as the encodings have it; at
// most kMaxListEntries are kept, while every entry in the data is still read
// so that what follows the list stays in place.
template <class Entry, class ReadEntry>
void ReadList(Quib::Buffer& buffer, std::vector<Entry>& entries, ReadEntry readEntry)
{
    const size_t count = ReadCount(buffer);
    for (size_t i = 0; i < count; ++i)
    {
        if (buffer.ReadExhausted() && entries.size() >= kMaxListEntries)
            return;
        Entry entry = readEntry(buffer);
        if (entries.size() < kMaxListEntries)
            entries.push_back(std::move(entry));
    }
}

// Writes the count (at most kMaxCount) and that many entries with writeEntry.
template <class Entry, class WriteEntry>
void WriteList(Quib::Buffer& buffer, const std::vector<Entry>& entries, WriteEntry writeEntry)
{
    const size_t count = WriteCount(buffer, entries.size());
    for (size_t i = 0; i < count; ++i)
        writeEntry(buffer, entries[i]);
}

void ReadTextList(Quib::Buffer& buffer, std::vector<std::string>& texts);
void WriteTextList(Quib::Buffer& buffer, const std::vector<std::string>& texts);

} // namespace save
