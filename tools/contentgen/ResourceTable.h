#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace contentgen
{

enum class ResourceKind
{
    Image,
    Sound,
    Font
};

// One identifier of the resource table (content/resources.txt).
struct ResourceEntry
{
    ResourceKind kind = ResourceKind::Image;
    std::string id;
    std::string group;
    std::string path; // relative to the pack's root, "/" separated
    // Images: size and grid (rows of cells, columns of cells).
    int width = 0, height = 0, rows = 1, columns = 1;
    // Images: the painter and its settings; sounds: the style in `painter`.
    std::string painter;
    std::map<std::string, std::string> settings;
    // Fonts: the DejaVu face file and its pixel size.
    std::string face;
    int pixels = 0;
    std::string source; // where the size comes from

    std::string setting(const std::string& key, const std::string& fallback = "") const;
};

struct ResourceTable
{
    std::vector<std::string> groups; // in manifest order
    std::vector<ResourceEntry> entries;

    // The entry of the identifier; null when the table has none.
    const ResourceEntry* find(const std::string& id) const;
};

// Reads the table; on a bad line, nullopt with the line's number and text in `error`.
std::optional<ResourceTable> readResourceTable(const std::string& text, std::string& error);

} // namespace contentgen
