#pragma once

#include "tools/contentgen/Canvas.h"
#include "tools/contentgen/ResourceTable.h"

#include <string>

namespace contentgen
{

// One picture showing every interface picture of the pack (strips by their first
// and last cells) and a line in every font, read back from the written pack.
// The pack's root must be the working folder.
Canvas contactSheet(const ResourceTable& table);

} // namespace contentgen
