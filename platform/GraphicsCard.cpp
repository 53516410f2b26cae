#include "platform/GraphicsCard.h"

#include <cctype>
#include <dirent.h>
#include <string_view>

namespace platform
{
namespace
{

template <typename Accept> bool anyEntry(const std::string& folder, Accept accept)
{
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return false;
    bool found = false;
    while (!found)
    {
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr)
            break;
        found = accept(std::string_view(entry->d_name));
    }
    ::closedir(dir);
    return found;
}

bool numberedNode(std::string_view name, std::string_view prefix)
{
    return name.size() > prefix.size() && name.substr(0, prefix.size()) == prefix &&
           std::isdigit(static_cast<unsigned char>(name[prefix.size()])) != 0;
}

} // namespace

bool graphicsCardPresentIn(const std::string& deviceFolder)
{
    const auto drmNode = [](std::string_view name)
    { return numberedNode(name, "card") || numberedNode(name, "renderD"); };
    const auto vendorNode = [](std::string_view name) { return numberedNode(name, "nvidia"); };
    return anyEntry(deviceFolder + "/dri", drmNode) || anyEntry(deviceFolder, vendorNode);
}

bool graphicsCardPresent()
{
    return graphicsCardPresentIn("/dev");
}

} // namespace platform
