#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>

namespace Quib
{

// The value a marked literal reads once a reparse has stored one.
struct ModValRecord
{
    uint8_t mValueRead = 0;
    int32_t mInt = 0;
    double mDouble = 0;
    std::string mString;
};

// A marked literal plants a site in the program image: an unregistered flag
// (nonzero until registered), a pointer-sized slot for its record, the marker
// text without terminator, then the zero-terminated tag (the source file name,
// its sequence number, a comma and its line). The pointer slot is as wide as
// a pointer of this program, so the marker sits that far after the flag.
constexpr char kModValMarker[] = "QUIBMODVAL";
constexpr size_t kModValMarkerLength = sizeof(kModValMarker) - 1;
constexpr size_t kModValRecordOffset = 1;
constexpr size_t kModValMarkerOffset = kModValRecordOffset + sizeof(void*);

struct ModValFile
{
    bool mUsed = false;
    // By sequence number: the site and its line.
    std::map<int, std::pair<uint8_t*, int>> mSites;
};

std::map<std::string, ModValFile>& GetModValFileTable();
// Identifiers a value may name; nothing fills it in this program.
extern std::map<std::string, int> gModValNamedConstants;
extern int64_t gModValReferenceTime;

// The reparse reports through this: text, caption, message-box flags.
using ModValMessage =
    std::function<void(const std::string& text, const std::string& caption, uint32_t flags)>;

// Re-reads the used source files and stores each marked literal's value;
// true when at least one of them changed since the last reparse.
bool ReparseModVals(const ModValMessage& message);

ModValRecord* RegisterModValSite(uint8_t* site);
ModValRecord* AttachModValRecord(uint8_t* site);
bool ScanMemoryForModVals();
bool ScanRangeForModVals(uint8_t* start, size_t length);
uint8_t* FindModValMarker(const char* marker, uint8_t* start, size_t length, uint8_t* from);
// Cuts the numbers off the tag, leaving the file name.
bool SplitModValTag(std::string& tag, int& first, int& second);

bool ParseModValString(std::string& value, const std::string& text);
bool ParseModValInteger(const std::string& text, int& value);
bool ParseModValDouble(double& value, const std::string& text);

} // namespace Quib
