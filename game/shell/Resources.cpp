#include "game/shell/Resources.h"

#include "framework/resources/ResourceManager.h"
#include "framework/resources/ResourceManagerException.h"

#include <map>

namespace
{

bool ValidId(int32_t id)
{
    return id >= 0 && id < kResourceCount;
}

} // namespace

std::string GetResourceNameById(int32_t id)
{
    return ValidId(id) ? std::string(kResourceNames[id].name) : std::string();
}

int32_t GetResourceIdByName(const std::string& name)
{
    static const std::map<std::string, int32_t, std::less<>> byName = []
    {
        std::map<std::string, int32_t, std::less<>> map;
        for (int32_t id = 0; id < kResourceCount; ++id)
            map.emplace(kResourceNames[id].name, id);
        return map;
    }();
    const auto found = byName.find(name);
    return found == byName.end() ? kResourceCount : found->second;
}

ResourceValue GetResourceById(int32_t id)
{
    if (!ValidId(id))
        return std::monostate{};
    return std::visit([](auto* global) -> ResourceValue { return *global; }, gResourceTable[id]);
}

bool FetchResources(Quib::ResourceManager* manager, std::span<const ResourceId> ids)
{
    try
    {
        for (const ResourceId id : ids)
        {
            const std::string name(kResourceNames[id].name);
            const ResourceGlobal& global = gResourceTable[id];
            if (auto* image = std::get_if<Quib::Image**>(&global))
                **image = manager->GetImageOrThrow(name).AsImage();
            else if (auto* sound = std::get_if<int32_t*>(&global))
                **sound = manager->GetSoundOrThrow(name);
            else
                **std::get_if<Quib::Font**>(&global) = manager->GetFontOrThrow(name);
        }
    }
    catch (const Quib::ResourceManagerException&)
    {
        return false;
    }
    return true;
}

int32_t AmbientLoopSoundId(int32_t index)
{
    if (!kAmbientLoops.Contains(index))
        return -1;
    return *std::get<int32_t*>(gResourceTable[kAmbientLoops.At(index)]);
}
