#pragma once

#include "tools/contentgen/ResourceTable.h"

#include <string>

namespace contentgen
{

// The resource manifest (properties/resources.xml): one Resources element per
// group, its identifiers in table order; strips carry their rows and columns.
std::string manifestXml(const ResourceTable& table);

// Where a font's descriptor lies in the pack.
std::string fontDescriptorPath(const ResourceEntry& font);

} // namespace contentgen
