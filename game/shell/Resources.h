#pragma once

// The game's resources by identifier: the generated ids, globals and fetch
// functions, the table of globals and the look-ups between ids and names.

#include "game/shell/ResourceIds.h"
#include "game/shell/ResourceRuns.h"

#include <cstdint>
#include <span>
#include <string>
#include <variant>

namespace Quib
{
class Font;
class Image;
class ResourceManager;
} // namespace Quib

// The address of one resource's global.
using ResourceGlobal = std::variant<Quib::Image**, int32_t*, Quib::Font**>;
// Entry i is the global of id i.
extern const std::array<ResourceGlobal, kResourceCount> gResourceTable;

// What a global holds; monostate for an id that names no resource.
using ResourceValue = std::variant<std::monostate, Quib::Image*, int32_t, Quib::Font*>;

// The identifier's name, or "" for an id outside 0 .. kResourceCount - 1.
std::string GetResourceNameById(int32_t id);
// The id of the identifier (compared exactly), or kResourceCount when there is none.
int32_t GetResourceIdByName(const std::string& name);
// The global's value, or monostate for an id outside the table.
ResourceValue GetResourceById(int32_t id);

// Fills the globals of the ids, in the given order, from the resource manager;
// false at the first one it does not have (the globals before it keep their new values).
bool FetchResources(Quib::ResourceManager* manager, std::span<const ResourceId> ids);

// The sound id of the scene's ambient loop by its index in "properties/SFX.xml";
// -1 (no sound) for an index outside the loops.
int32_t AmbientLoopSoundId(int32_t index);
