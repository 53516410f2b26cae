#include "framework/crash/ReportSymbols.h"

#include "platform/CommandOutput.h"

#include <cstdio>
#include <map>
#include <sstream>

namespace Quib
{

namespace
{

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool IsHex(const std::string& text, size_t at, size_t count)
{
    if (at + count > text.size())
        return false;
    for (size_t i = at; i < at + count; ++i)
        if (!isxdigit(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

struct Place
{
    size_t mLine;
    size_t mAt;            // where "SSSS:OOOOOOOO" starts
    unsigned long mOffset; // the place looked up
    unsigned long mPc;     // the address the line shows
};

// A module's code symbols by start address.
using SymbolStarts = std::map<unsigned long, std::string>;

SymbolStarts ReadSymbols(const std::string& listing)
{
    SymbolStarts symbols;
    for (const std::string& line : Lines(listing))
    {
        // "ADDRESS TYPE NAME", the name running to the line's end.
        const size_t first = line.find(' ');
        if (first == std::string::npos || first == 0 || first > 16 || !IsHex(line, 0, first) ||
            line.size() < first + 4 || line[first + 2] != ' ')
            continue;
        const char type = line[first + 1];
        if (type != 'T' && type != 't' && type != 'W' && type != 'w')
            continue;
        symbols[std::stoul(line.substr(0, first), nullptr, 16)] = line.substr(first + 3);
    }
    return symbols;
}

// "name+0x4" for the symbol that holds the place; empty when none does.
std::string SymbolWithDisplacement(const SymbolStarts& symbols, const Place& place)
{
    auto after = symbols.upper_bound(place.mOffset);
    if (after == symbols.begin())
        return "";
    const auto& [start, name] = *std::prev(after);
    if (place.mPc == start)
        return name;
    char distance[32];
    std::snprintf(distance, sizeof distance, "+0x%lX", place.mPc - start);
    return name + distance;
}

std::string FileName(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string ResolveReportSymbols(const std::string& report, const AddressResolver& resolve,
                                 const SymbolLister& list)
{
    std::vector<std::string> lines = Lines(report);
    std::map<std::string, std::string> modulePaths; // file name -> full path
    bool inModules = false;
    for (const std::string& line : lines)
    {
        if (line == "Modules:")
            inModules = true;
        else if (inModules && line.size() > 9 && line.find(' ') != std::string::npos)
        {
            const std::string path = line.substr(line.find(' ') + 1);
            modulePaths.emplace(FileName(path), path);
        }
    }

    // Stack lines: "PC  FRAME  SSSS:OOOOOOOO module"; the first is the faulting
    // instruction itself, the others return addresses (one past their call).
    std::map<std::string, std::vector<Place>> placesByModule;
    bool first = true;
    for (size_t i = 0; i < lines.size(); ++i)
    {
        const std::string& line = lines[i];
        const size_t colon = line.find(':');
        if (colon == std::string::npos || colon < 4 || !IsHex(line, colon - 4, 4) ||
            !IsHex(line, colon + 1, 8) || line.size() < colon + 10 || line[colon + 9] != ' ' ||
            line.find("  ") == std::string::npos)
            continue;
        const std::string module = line.substr(colon + 10);
        auto path = modulePaths.find(module);
        if (path == modulePaths.end())
            continue;
        const unsigned long pc = std::stoul(line.substr(colon + 1, 8), nullptr, 16);
        const unsigned long offset = !first && pc > 0 ? pc - 1 : pc;
        first = false;
        placesByModule[path->second].push_back({i, colon - 4, offset, pc});
    }

    for (const auto& [module, places] : placesByModule)
    {
        std::vector<unsigned long> offsets;
        for (const Place& place : places)
            offsets.push_back(place.mOffset);
        std::string output;
        if (!resolve(module, offsets, output))
            continue;
        std::string listing;
        const SymbolStarts symbols = list(module, listing) ? ReadSymbols(listing) : SymbolStarts();
        const std::vector<std::string> answers = Lines(output);
        for (size_t k = 0; k < places.size() && 2 * k + 1 < answers.size(); ++k)
        {
            const std::string& function = answers[2 * k];
            const std::string& where = answers[2 * k + 1];
            std::string text = SymbolWithDisplacement(symbols, places[k]);
            if (text.empty() && function == "??")
                continue;
            if (text.empty())
                text = function;
            const size_t lineColon = where.rfind(':');
            if (where.rfind("??", 0) != 0 && lineColon != std::string::npos)
            {
                // Without line tables the tool knows the file only.
                const std::string number =
                    where.substr(lineColon + 1, where.find(' ', lineColon) - lineColon - 1);
                text += "\r\n    " + where.substr(0, lineColon);
                if (number != "?" && number != "0")
                    text += " line " + number;
            }
            std::string& line = lines[places[k].mLine];
            line.replace(places[k].mAt, 13, text);
        }
    }

    std::string result;
    for (const std::string& line : lines)
        result += line + "\r\n";
    return result;
}

bool ResolveWithSystemTool(const std::string& module, const std::vector<unsigned long>& offsets,
                           std::string& output)
{
    std::vector<std::string> argv = {"addr2line", "-f", "-C", "-e", module};
    for (unsigned long offset : offsets)
    {
        char text[32];
        std::snprintf(text, sizeof text, "0x%lx", offset);
        argv.push_back(text);
    }
    return platform::runForOutput(argv, output);
}

bool ListSymbolsWithSystemTool(const std::string& module, std::string& output)
{
    return platform::runForOutput({"nm", "-n", "-C", "--defined-only", module}, output, size_t(64) << 20);
}

std::string ErrorTitleOf(const std::string& report)
{
    const std::string key = "Logical Address: ";
    const size_t at = report.find(key);
    if (at == std::string::npos || !IsHex(report, at + key.size(), 4) ||
        !IsHex(report, at + key.size() + 5, 8))
        return "Exception";
    return "Exception at " + report.substr(at + key.size(), 13);
}

} // namespace Quib
