#include "framework/services/LiveValues.h"

#include "framework/foundation/Paths.h"
#include "platform/Files.h"
#include "platform/MemoryRegions.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <vector>

namespace Quib
{

std::map<std::string, int> gModValNamedConstants;
int64_t gModValReferenceTime = 0;

namespace
{

uint8_t* gModValFirstSite = nullptr;
// Records live as long as the process: sites keep pointers to them.
std::vector<std::unique_ptr<ModValRecord>> gModValRecords;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The scan reads whole mappings of the program image, including the padding
// an address sanitizer keeps poisoned between globals; these two reads are
// plain byte loops exempt from its checks.
#if defined(__clang__) || defined(__GNUC__)
#define QUIB_RAW_MEMORY_READ __attribute__((no_sanitize_address))
#else
#define QUIB_RAW_MEMORY_READ
#endif

// The zero-terminated tag after a marker, read no further than `end`.
QUIB_RAW_MEMORY_READ std::string tagAt(const uint8_t* tag, const uint8_t* end)
{
    std::string text;
    for (const uint8_t* p = tag; p < end && *p != 0; ++p)
        text += char(*p);
    return text;
}

std::string fileTag(uint8_t* site)
{
    return reinterpret_cast<const char*>(site + kModValMarkerOffset + kModValMarkerLength);
}

std::string formatError(const char* pattern, const std::string& file, int line)
{
    char text[1024];
    std::snprintf(text, sizeof(text), pattern, file.c_str(), line);
    return text;
}

std::vector<std::string> splitLines(const std::vector<uint8_t>& bytes)
{
    std::vector<std::string> lines;
    std::string line;
    for (uint8_t byte : bytes)
    {
        if (byte == '\n')
        {
            lines.push_back(line);
            line.clear();
        }
        else if (byte != '\r')
        {
            line += char(byte);
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

// Whether the parenthesis at `i` opens a marked literal: "M(" or "M1(".."M9(",
// with a character before the M that is not a letter.
bool isMarkedLiteral(const std::string& line, size_t i)
{
    if (i >= 2 && line[i - 1] == 'M' && !isLetter(line[i - 2]))
        return true;
    return i >= 3 && line[i - 1] >= '1' && line[i - 1] <= '9' && line[i - 2] == 'M' && !isLetter(line[i - 3]);
}

// Parses one source file, storing each marked literal's value in its site's record.
bool parseFile(const std::string& name, ModValFile& file, const ModValMessage& message)
{
    const auto bytes = platform::readFile(platform::nativePath(name));
    if (!bytes)
    {
        message("ERROR: Unable to open " + name + " for reparsing.", "MODVAL ERROR!", platform::MB_ICONERROR);
        return false;
    }
    const std::vector<std::string> lines = splitLines(*bytes);
    auto site = file.mSites.begin();
    bool inString = false;
    bool inCComment = false;
    bool inLineComment = false;
    int cCommentLine = 0;
    int lineComment = 0;
    for (size_t index = 0; index < lines.size(); ++index)
    {
        const std::string& line = lines[index];
        const int lineNumber = int(index) + 1;
        if (inLineComment)
        {
            // A line comment continues only while its lines end in a backslash.
            inLineComment = !line.empty() && line.back() == '\\';
            lineComment = lineNumber;
            continue;
        }
        for (size_t i = 0; i < line.size(); ++i)
        {
            const char c = line[i];
            if (inCComment)
            {
                if (c == '*' && i + 1 < line.size() && line[i + 1] == '/')
                {
                    inCComment = false;
                    ++i;
                }
                continue;
            }
            if (inString)
            {
                if (c == '"' && (i == 0 || line[i - 1] != '\\'))
                    inString = false;
                continue;
            }
            if (c == '"')
            {
                inString = true;
            }
            else if (c == '/' && i + 1 < line.size() && line[i + 1] == '/')
            {
                inLineComment = line.back() == '\\';
                lineComment = lineNumber;
                break;
            }
            else if (c == '/' && i + 1 < line.size() && line[i + 1] == '*')
            {
                inCComment = true;
                cCommentLine = lineNumber;
                ++i;
            }
            else if (c == '(' && isMarkedLiteral(line, i))
            {
                while (site != file.mSites.end() && site->second.second < lineNumber)
                    ++site;
                if (site == file.mSites.end() || site->second.second != lineNumber)
                    continue;
                uint8_t* const address = site->second.first;
                ++site;
                const std::string value = line.substr(i + 1);
                std::string text;
                int integer = 0;
                double real = 0;
                bool isString = false, isInteger = false;
                if (ParseModValString(text, value))
                    isString = true;
                else if (ParseModValInteger(value, integer))
                    isInteger = true;
                else if (!ParseModValDouble(real, value))
                {
                    message(formatError("ERROR in %s on line %d.  Parsing Error.", name, lineNumber),
                            "MODVAL ERROR", platform::MB_ICONERROR);
                    return false;
                }
                ModValRecord* record = nullptr;
                if (address[0] != 0)
                    record = RegisterModValSite(address);
                else
                    std::memcpy(&record, address + kModValRecordOffset, sizeof(record));
                if (!record)
                    continue;
                record->mDouble = isString || isInteger ? 0 : real;
                record->mInt = isInteger ? integer : 0;
                record->mString = isString ? text : std::string();
                record->mValueRead = 1;
            }
        }
        if (inString)
        {
            if (line.empty() || line.back() != '\\')
            {
                message(formatError("ERROR in %s on line %d: Error parsing quotes", name, lineNumber),
                        "MODVAL ERROR", platform::MB_ICONERROR);
                return false;
            }
        }
    }
    if (inLineComment)
    {
        message(formatError("ERROR in %s on line %d: Error parsing c++ comment", name, lineComment),
                "MODVAL ERROR", platform::MB_ICONERROR);
        return false;
    }
    if (inCComment)
    {
        message(formatError("ERROR in %s on line %d: Error parsing c comment", name, cCommentLine),
                "MODVAL ERROR", platform::MB_ICONERROR);
        return false;
    }
    return true;
}

} // namespace

std::map<std::string, ModValFile>& GetModValFileTable()
{
    static std::map<std::string, ModValFile> table;
    return table;
}

bool SplitModValTag(std::string& tag, int& first, int& second)
{
    if (tag.empty())
        return false;
    size_t position = tag.size();
    bool comma = false;
    while (position > 0)
    {
        const char c = tag[position - 1];
        if (isDigit(c))
            --position;
        else if (c == ',' && !comma)
        {
            comma = true;
            --position;
        }
        else
            break;
    }
    // Nothing scanned, or the scan reached the first character.
    if (position == tag.size() || position == 0)
        return false;
    const std::string numbers = tag.substr(position);
    const size_t separator = numbers.find(',');
    if (separator == std::string::npos || separator == 0 || separator + 1 == numbers.size())
        return false;
    // Beyond the range of an int a number is no sequence or line number.
    if (separator > 9 || numbers.size() - separator - 1 > 9)
        return false;
    first = std::stoi(numbers.substr(0, separator));
    second = std::stoi(numbers.substr(separator + 1));
    tag.resize(position);
    return true;
}

QUIB_RAW_MEMORY_READ uint8_t* FindModValMarker(const char* marker, uint8_t* start, size_t length,
                                               uint8_t* from)
{
    const size_t markerLength = std::strlen(marker);
    if (!start || !from || from < start || markerLength == 0)
        return nullptr;
    uint8_t* const end = start + length;
    if (from > end || size_t(end - from) < markerLength)
        return nullptr;
    for (uint8_t* p = from; p + markerLength <= end; ++p)
    {
        size_t matched = 0;
        while (matched < markerLength && p[matched] == uint8_t(marker[matched]))
            ++matched;
        if (matched == markerLength)
            return p;
    }
    return nullptr;
}

bool ScanRangeForModVals(uint8_t* start, size_t length)
{
    bool entered = false;
    uint8_t* const end = start + length;
    for (uint8_t* hit = FindModValMarker(kModValMarker, start, length, start); hit;
         hit = FindModValMarker(kModValMarker, start, length, hit + 1))
    {
        if (size_t(hit - start) < kModValMarkerOffset)
            continue;
        std::string tag = tagAt(hit + kModValMarkerLength, end);
        int sequence = 0, line = 0;
        if (!SplitModValTag(tag, sequence, line))
            continue;
        GetModValFileTable()[tag].mSites[sequence] = {hit - kModValMarkerOffset, line};
        entered = true;
    }
    return entered;
}

bool ScanMemoryForModVals()
{
    // The program's own image: the mappings of its file, joined while contiguous.
    const std::string image = platform::programImagePath();
    const std::vector<platform::MemoryRegion> regions = platform::memoryRegions();
    uintptr_t runStart = 0, runEnd = 0;
    auto scanRun = [&] {
        return runEnd > runStart &&
               ScanRangeForModVals(reinterpret_cast<uint8_t*>(runStart), runEnd - runStart);
    };
    for (const platform::MemoryRegion& region : regions)
    {
        if (!region.readable || region.path != image)
            continue;
        if (region.start == runEnd)
        {
            runEnd = region.end;
            continue;
        }
        if (scanRun())
            return true;
        runStart = region.start;
        runEnd = region.end;
    }
    return scanRun();
}

ModValRecord* AttachModValRecord(uint8_t* site)
{
    gModValRecords.push_back(std::make_unique<ModValRecord>());
    ModValRecord* record = gModValRecords.back().get();
    const bool written =
        platform::writeProtectedBytes(site, kModValMarkerOffset,
                                      [&]
                                      {
                                          site[0] = 0;
                                          std::memcpy(site + kModValRecordOffset, &record, sizeof(record));
                                      });
    if (!written)
    {
        gModValRecords.pop_back();
        return nullptr;
    }
    return record;
}

ModValRecord* RegisterModValSite(uint8_t* site)
{
    if (!gModValFirstSite)
        gModValFirstSite = site;
    std::string tag = fileTag(site);
    int sequence = 0, line = 0;
    if (SplitModValTag(tag, sequence, line))
        GetModValFileTable()[tag].mUsed = true;
    return AttachModValRecord(site);
}

bool ParseModValString(std::string& value, const std::string& text)
{
    if (text.empty() || text[0] != '"')
        return false;
    std::string out;
    size_t i = 1;
    for (;; ++i)
    {
        if (i >= text.size())
            return false;
        const char c = text[i];
        if (c == '"')
            break;
        if (c != '\\')
        {
            out += c;
            continue;
        }
        if (++i >= text.size())
            return false;
        switch (text[i])
        {
        case '"':
            out += '"';
            break;
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        default:
            return false;
        }
    }
    value = out;
    return true;
}

bool ParseModValInteger(const std::string& text, int& value)
{
    size_t i = 0;
    if (!text.empty() && (isLetter(text[0]) || text[0] == '_'))
    {
        while (i < text.size() && (isLetter(text[i]) || isDigit(text[i]) || text[i] == '_'))
            ++i;
        const auto named = gModValNamedConstants.find(text.substr(0, i));
        if (named == gModValNamedConstants.end())
            return false;
        value = named->second;
        return true;
    }
    const bool negative = i < text.size() && text[i] == '-';
    if (negative)
        ++i;
    int64_t number = 0;
    if (!negative && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    {
        i = 2;
        const size_t digits = i;
        while (i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i])))
        {
            const char c = text[i++];
            const int digit = isDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10;
            number = ((number << 4) | digit) & 0xFFFFFFFF;
        }
        if (i == digits)
            return false;
    }
    else
    {
        const size_t digits = i;
        while (i < text.size() && isDigit(text[i]))
            number = std::min<int64_t>(number * 10 + (text[i++] - '0'), 0xFFFFFFFF);
        if (i == digits)
            return false;
    }
    if (i >= text.size() || text[i] != ')')
        return false;
    const auto bits = uint32_t(number);
    value = negative ? int(0u - bits) : int(bits);
    return true;
}

bool ParseModValDouble(double& value, const std::string& text)
{
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        ++i;
    double number = 0;
    const size_t digits = i;
    while (i < text.size() && isDigit(text[i]))
        number = number * 10 + (text[i++] - '0');
    if (i == digits)
        return false;
    if (i < text.size() && text[i] == '.')
    {
        ++i;
        double weight = 0.1;
        while (i < text.size() && isDigit(text[i]))
        {
            number += (text[i++] - '0') * weight;
            weight /= 10;
        }
    }
    if (i < text.size() && text[i] == 'f')
        ++i;
    if (i >= text.size() || text[i] != ')')
        return false;
    value = negative ? -number : number;
    return true;
}

bool ReparseModVals(const ModValMessage& message)
{
    if (gModValReferenceTime == 0)
    {
        gModValReferenceTime = GetFileModifiedTime(platform::programImagePath());
        ScanMemoryForModVals();
    }
    bool changed = false;
    std::vector<std::string> parsed;
    for (auto& [name, file] : GetModValFileTable())
    {
        if (!file.mUsed)
            continue;
        const int64_t modified = GetFileModifiedTime(name);
        if (modified > gModValReferenceTime)
        {
            gModValReferenceTime = modified;
            changed = true;
        }
        parsed.push_back(name);
        if (!parseFile(name, file, message))
            return false;
    }
    if (changed)
        return true;
    std::string list;
    for (const std::string& name : parsed)
        list += (list.empty() ? "" : "\r\n  ") + name;
    message("WARNING: No file changes detected.  Files parsed: \r\n  " +
                (list.empty() ? std::string("none") : list),
            "MODVAL WARNING!", platform::MB_ICONWARNING);
    return false;
}

} // namespace Quib
