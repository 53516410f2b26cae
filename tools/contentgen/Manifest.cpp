#include "tools/contentgen/Manifest.h"

namespace contentgen
{

std::string fontDescriptorPath(const ResourceEntry& font)
{
    return font.path + ".txt";
}

namespace
{

// The sound loader is given a name without its extension and tries the
// extensions of the formats it reads.
std::string soundName(const ResourceEntry& sound)
{
    const size_t dot = sound.path.rfind('.');
    const size_t slash = sound.path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return sound.path;
    return sound.path.substr(0, dot);
}

} // namespace

std::string manifestXml(const ResourceTable& table)
{
    std::string xml = "<ResourceManifest>\n";
    for (const std::string& group : table.groups)
    {
        xml += "  <Resources id=\"" + group + "\">\n";
        for (const ResourceEntry& entry : table.entries)
        {
            if (entry.group != group)
                continue;
            switch (entry.kind)
            {
            case ResourceKind::Image:
                xml += "    <Image id=\"" + entry.id + "\" path=\"" + entry.path + "\"";
                if (entry.rows > 1)
                    xml += " rows=\"" + std::to_string(entry.rows) + "\"";
                if (entry.columns > 1)
                    xml += " cols=\"" + std::to_string(entry.columns) + "\"";
                xml += " />\n";
                break;
            case ResourceKind::Sound:
                xml += "    <Sound id=\"" + entry.id + "\" path=\"" + soundName(entry) + "\" />\n";
                break;
            case ResourceKind::Font:
                xml += "    <Font id=\"" + entry.id + "\" path=\"" + fontDescriptorPath(entry) + "\" />\n";
                break;
            }
        }
        xml += "  </Resources>\n";
    }
    return xml + "</ResourceManifest>\n";
}

} // namespace contentgen
