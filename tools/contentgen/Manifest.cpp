#include "tools/contentgen/Manifest.h"

namespace contentgen
{

std::string fontDescriptorPath(const ResourceEntry& font)
{
    return font.path + ".txt";
}

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
                xml += "    <Sound id=\"" + entry.id + "\" path=\"" + entry.path + "\" />\n";
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
