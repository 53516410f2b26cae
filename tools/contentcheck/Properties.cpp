#include "framework/resources/XMLItem.h"
#include "framework/resources/XMLParser.h"
#include "framework/resources/XMLStartTags.h"
#include "tools/contentcheck/PackChecks.h"

#include <cstdlib>
#include <map>
#include <set>
#include <sstream>

namespace contentcheck
{

namespace
{

// Bytes that Windows-1252 leaves undefined.
bool definedInWindows1252(unsigned char c)
{
    return c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D;
}

// The number of scenes and of ambient loops the game has.
constexpr int kScenes = 31;
constexpr int kAmbientLoops = 19;

} // namespace

std::vector<std::string> expandKeyPattern(const std::string& pattern)
{
    size_t open = pattern.find('{'), dash = pattern.find('-', open), close = pattern.find('}', open);
    if (open == std::string::npos || dash == std::string::npos || close == std::string::npos || dash > close)
        return {pattern};
    int from = std::atoi(pattern.substr(open + 1, dash - open - 1).c_str());
    int to = std::atoi(pattern.substr(dash + 1, close - dash - 1).c_str());
    std::vector<std::string> keys;
    for (int n = from; n <= to && to - from < 10000; ++n)
        keys.push_back(pattern.substr(0, open) + std::to_string(n) + pattern.substr(close + 1));
    return keys;
}

std::vector<std::pair<std::string, std::string>>
readPropertyFile(const std::string& path, const std::string& attribute, Problems& problems)
{
    std::vector<std::pair<std::string, std::string>> entries;
    Quib::XMLParser parser;
    if (!parser.OpenDocument(path))
    {
        problems.push_back(path + ": cannot be opened");
        return entries;
    }
    Quib::XMLItem item;
    while (Quib::ReadStartTag(parser, item))
        if (item.mSectionPath == "Strings")
            entries.emplace_back(item.mValue, Quib::AttributeText(item, attribute));
    if (parser.HasFailed())
        problems.push_back(path + ": " + parser.GetErrorMessage());
    return entries;
}

void checkProperties(const std::string& keyList, Problems& problems)
{
    std::map<std::string, std::map<std::string, std::string>> files; // file -> key -> text
    std::istringstream lines(keyList);
    std::string line, file;
    while (std::getline(lines, line))
    {
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[')
        {
            std::istringstream words(line.substr(1, line.find(']') - 1));
            std::string attribute;
            words >> file >> attribute;
            std::map<std::string, std::string>& texts = files[file];
            for (auto& [key, text] : readPropertyFile("properties/" + file, attribute, problems))
            {
                for (unsigned char c : text)
                    if (!definedInWindows1252(c))
                        problems.push_back(file + ": " + key +
                                           " holds a byte that is no Windows-1252 character");
                if (text.empty())
                    problems.push_back(file + ": " + key + " has no text");
                texts[key] = text;
            }
            continue;
        }
        if (file.empty())
        {
            problems.push_back("the key list names a key before its file: " + line);
            continue;
        }
        for (const std::string& key : expandKeyPattern(line))
            if (files[file].count(key) == 0)
                problems.push_back(file + " lacks the key " + key);
    }

    auto sfx = readPropertyFile("properties/SFX.xml", "value", problems);
    std::set<std::string> scenes;
    for (const auto& [key, value] : sfx)
    {
        int index = std::atoi(value.c_str());
        if (index < 0 || index >= kAmbientLoops)
            problems.push_back("SFX.xml: " + key + " names ambient loop " + value + ", beyond the " +
                               std::to_string(kAmbientLoops) + " loops");
        scenes.insert(key);
    }
    for (int scene = 1; scene <= kScenes; ++scene)
        if (scenes.count("Scene" + std::to_string(scene)) == 0)
            problems.push_back("SFX.xml lacks Scene" + std::to_string(scene));
}

} // namespace contentcheck
