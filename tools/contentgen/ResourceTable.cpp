#include "tools/contentgen/ResourceTable.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>

namespace contentgen
{

namespace
{

bool parsePair(const std::string& text, char separator, int& a, int& b)
{
    size_t at = text.find(separator);
    if (at == std::string::npos || at == 0 || at + 1 >= text.size())
        return false;
    try
    {
        size_t used = 0;
        a = std::stoi(text.substr(0, at), &used);
        if (used != at)
            return false;
        b = std::stoi(text.substr(at + 1), &used);
        if (used != text.size() - at - 1)
            return false;
    }
    catch (const std::exception&)
    {
        return false;
    }
    // Far beyond any picture of the game, so that a typing slip cannot ask for gigabytes.
    return a > 0 && b > 0 && a <= 16384 && b <= 16384;
}

// Names and paths go into the manifest's XML as they are.
bool plainName(const std::string& text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isalnum(c) || c == '_'; });
}

bool plainPath(const std::string& text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(),
                       [](unsigned char c) { return std::isalnum(c) || std::strchr("_./-", c); });
}

} // namespace

std::string ResourceEntry::setting(const std::string& key, const std::string& fallback) const
{
    auto it = settings.find(key);
    return it == settings.end() ? fallback : it->second;
}

const ResourceEntry* ResourceTable::find(const std::string& id) const
{
    for (const ResourceEntry& entry : entries)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

std::optional<ResourceTable> readResourceTable(const std::string& text, std::string& error)
{
    ResourceTable table;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& why)
    {
        error = "resources table, line " + std::to_string(number) + ": " + why + ": " + line;
        return std::nullopt;
    };
    while (std::getline(lines, line))
    {
        ++number;
        std::string body = line, source;
        if (size_t hash = line.find('#'); hash != std::string::npos)
        {
            body = line.substr(0, hash);
            source = line.substr(hash + 1);
            size_t start = source.find_first_not_of(' ');
            source = start == std::string::npos ? std::string() : source.substr(start);
        }
        std::istringstream words(body);
        std::vector<std::string> fields;
        for (std::string word; words >> word;)
            fields.push_back(word);
        if (fields.empty())
            continue;
        if (fields[0] == "group")
        {
            if (fields.size() != 2)
                return fail("a group needs one name");
            if (!plainName(fields[1]))
                return fail("the group's name is not a plain name");
            table.groups.push_back(fields[1]);
            continue;
        }
        if (table.groups.empty())
            return fail("an entry before the first group");
        ResourceEntry entry;
        entry.group = table.groups.back();
        entry.source = source;
        if (fields[0] == "image" && fields.size() >= 6)
        {
            entry.kind = ResourceKind::Image;
            if (!parsePair(fields[3], 'x', entry.width, entry.height))
                return fail("bad size");
            if (!parsePair(fields[4], 'x', entry.rows, entry.columns))
                return fail("bad grid");
            if (entry.width % entry.columns != 0 || entry.height % entry.rows != 0)
                return fail("the grid does not divide the picture");
            entry.painter = fields[5];
            for (size_t i = 6; i < fields.size(); ++i)
            {
                size_t equals = fields[i].find('=');
                if (equals == std::string::npos)
                    return fail("a setting without '='");
                entry.settings[fields[i].substr(0, equals)] = fields[i].substr(equals + 1);
            }
        }
        else if (fields[0] == "sound" && fields.size() == 4)
        {
            entry.kind = ResourceKind::Sound;
            entry.painter = fields[3];
        }
        else if (fields[0] == "font" && fields.size() == 5)
        {
            entry.kind = ResourceKind::Font;
            entry.face = fields[3];
            try
            {
                entry.pixels = std::stoi(fields[4]);
            }
            catch (const std::exception&)
            {
                return fail("bad pixel size");
            }
            if (entry.pixels < 6 || entry.pixels > 128)
                return fail("pixel size out of range");
        }
        else
        {
            return fail("unknown entry");
        }
        entry.id = fields[1];
        entry.path = fields[2];
        if (!plainName(entry.id))
            return fail("the identifier is not a plain name");
        if (!plainPath(entry.path))
            return fail("the path is not a plain path");
        if (entry.path.find("..") != std::string::npos || entry.path.front() == '/')
            return fail("a path outside the pack");
        table.entries.push_back(std::move(entry));
    }
    return table;
}

} // namespace contentgen
