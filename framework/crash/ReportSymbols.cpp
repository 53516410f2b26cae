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
    size_t mAt; // where "SSSS:OOOOOOOO" starts
    unsigned long mOffset;
};

std::string FileName(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string ResolveReportSymbols(const std::string& report, const AddressResolver& resolve)
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
    std::map<std::string, std::vector<Place>> places;
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
        unsigned long offset = std::stoul(line.substr(colon + 1, 8), nullptr, 16);
        if (!first && offset > 0)
            --offset;
        first = false;
        places[path->second].push_back({i, colon - 4, offset});
    }

    for (const auto& [module, list] : places)
    {
        std::vector<unsigned long> offsets;
        for (const Place& place : list)
            offsets.push_back(place.mOffset);
        std::string output;
        if (!resolve(module, offsets, output))
            continue;
        const std::vector<std::string> answers = Lines(output);
        for (size_t k = 0; k < list.size() && 2 * k + 1 < answers.size(); ++k)
        {
            const std::string& function = answers[2 * k];
            const std::string& where = answers[2 * k + 1];
            if (function == "??")
                continue;
            std::string text = function;
            const size_t lineColon = where.rfind(':');
            if (where.rfind("??", 0) != 0 && lineColon != std::string::npos)
            {
                // Without line tables the tool knows the file only.
                const std::string number = where.substr(lineColon + 1, where.find(' ', lineColon) - lineColon - 1);
                text += "\r\n    " + where.substr(0, lineColon);
                if (number != "?" && number != "0")
                    text += " line " + number;
            }
            std::string& line = lines[list[k].mLine];
            line.replace(list[k].mAt, 13, text);
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
