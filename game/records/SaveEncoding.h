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

bool ReadFlag(Quib::Buffer& buffer);
int32_t ReadShort(Quib::Buffer& buffer);
int32_t ReadLong(Quib::Buffer& buffer);
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

// A count and that many Texts. Reading appends, and stops at the end of the
// data so that a damaged count cannot add empty names.
void ReadTextList(Quib::Buffer& buffer, std::vector<std::string>& texts);
void WriteTextList(Quib::Buffer& buffer, const std::vector<std::string>& texts);

} // namespace save
