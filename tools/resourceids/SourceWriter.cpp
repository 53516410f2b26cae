#include "tools/resourceids/SourceWriter.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace resourceids
{

namespace
{

const char* globalType(contentgen::ResourceKind kind)
{
    switch (kind)
    {
    case contentgen::ResourceKind::Image:
        return "Quib::Image*";
    case contentgen::ResourceKind::Sound:
        return "int32_t";
    case contentgen::ResourceKind::Font:
        return "Quib::Font*";
    }
    return "";
}

const char* initialValue(contentgen::ResourceKind kind)
{
    return kind == contentgen::ResourceKind::Sound ? "0" : "nullptr";
}

bool allCapitals(const std::string& word)
{
    return std::none_of(word.begin(), word.end(), [](unsigned char c) { return std::islower(c); });
}

struct GroupRange
{
    std::string name;
    size_t first = 0, count = 0;
};

// Groups as runs of ids; the table lists every group's entries together.
std::vector<GroupRange> groupRanges(const contentgen::ResourceTable& table)
{
    std::vector<GroupRange> ranges;
    for (const std::string& group : table.groups)
    {
        GroupRange range{group, table.entries.size(), 0};
        for (size_t i = 0; i < table.entries.size(); ++i)
        {
            if (table.entries[i].group != group)
                continue;
            range.first = std::min(range.first, i);
            ++range.count;
        }
        if (range.count == 0)
            range.first = 0;
        ranges.push_back(range);
    }
    return ranges;
}

} // namespace

std::string fetchFunctionName(const std::string& group)
{
    std::string name = "FetchGroup";
    std::stringstream words(group);
    std::string word;
    while (std::getline(words, word, '_'))
    {
        if (word.empty())
            continue;
        std::string part = word;
        if (allCapitals(part))
            std::transform(part.begin() + 1, part.end(), part.begin() + 1,
                           [](unsigned char c) { return char(std::tolower(c)); });
        part[0] = char(std::toupper(static_cast<unsigned char>(part[0])));
        name += part;
    }
    return name;
}

std::string headerText(const contentgen::ResourceTable& table)
{
    const auto& entries = table.entries;
    const auto groups = groupRanges(table);
    std::ostringstream out;
    out << "// Made by tools/resourceids from content/resources.txt at build time.\n"
           "#pragma once\n\n"
           "#include <array>\n#include <cstdint>\n#include <string_view>\n\n"
           "namespace Quib\n{\nclass Font;\nclass Image;\nclass ResourceManager;\n} // namespace Quib\n\n"
           "// Every identifier by its position in the manifest.\n"
           "enum ResourceId : int32_t\n{\n";
    for (size_t i = 0; i < entries.size(); ++i)
        out << "    " << entries[i].id << "_ID = " << i << ",\n";
    out << "};\n\n";
    out << "inline constexpr int32_t kResourceCount = " << entries.size() << ";\n\n";
    out << "enum class ResourceKind\n{\n    Image,\n    Sound,\n    Font\n};\n\n";
    out << "struct ResourceName\n{\n    std::string_view name;\n    ResourceKind kind;\n};\n\n";
    out << "inline constexpr std::array<ResourceName, kResourceCount> kResourceNames = {{\n";
    for (const auto& entry : entries)
    {
        const char* kind = entry.kind == contentgen::ResourceKind::Image   ? "Image"
                           : entry.kind == contentgen::ResourceKind::Sound ? "Sound"
                                                                           : "Font";
        out << "    {\"" << entry.id << "\", ResourceKind::" << kind << "},\n";
    }
    out << "}};\n\n";
    out << "// The resources' globals, filled by their group's fetch function.\n";
    for (const auto& entry : entries)
        out << "extern " << globalType(entry.kind) << " " << entry.id << ";\n";
    out << "\n// One fetch function per group: fills the group's globals from the loaded group.\n";
    for (const auto& group : groups)
        out << "bool " << fetchFunctionName(group.name) << "(Quib::ResourceManager* manager);\n";
    out << "\nstruct ResourceGroup\n{\n    std::string_view name;\n    int32_t first;\n    int32_t count;\n"
           "    bool (*fetch)(Quib::ResourceManager*);\n};\n\n";
    out << "inline constexpr std::array<ResourceGroup, " << groups.size() << "> kResourceGroups = {{\n";
    for (const auto& group : groups)
        out << "    {\"" << group.name << "\", " << group.first << ", " << group.count << ", &"
            << fetchFunctionName(group.name) << "},\n";
    out << "}};\n";
    return out.str();
}

std::string sourceText(const contentgen::ResourceTable& table)
{
    const auto& entries = table.entries;
    std::ostringstream out;
    out << "// Made by tools/resourceids from content/resources.txt at build time.\n"
           "#include \"game/shell/Resources.h\"\n\n";
    for (const auto& entry : entries)
        out << globalType(entry.kind) << " " << entry.id << " = " << initialValue(entry.kind) << ";\n";
    out << "\nconst std::array<ResourceGlobal, kResourceCount> gResourceTable = {{\n";
    for (const auto& entry : entries)
        out << "    &" << entry.id << ",\n";
    out << "}};\n";
    for (const auto& group : groupRanges(table))
    {
        std::vector<const contentgen::ResourceEntry*> members;
        for (const auto& entry : entries)
            if (entry.group == group.name)
                members.push_back(&entry);
        // A group is fetched in the byte order of its names, not in id order.
        std::sort(members.begin(), members.end(), [](const auto* a, const auto* b) { return a->id < b->id; });
        out << "\nbool " << fetchFunctionName(group.name) << "(Quib::ResourceManager* manager)\n{\n"
            << "    static constexpr ResourceId kIds[] = {\n";
        for (const auto* member : members)
            out << "        " << member->id << "_ID,\n";
        out << "    };\n    return FetchResources(manager, kIds);\n}\n";
    }
    return out.str();
}

} // namespace resourceids
