#pragma once

#include "tools/contentgen/Canvas.h"
#include "tools/contentgen/ResourceTable.h"

#include <string>
#include <vector>

namespace contentgen
{

// One picture showing every interface picture of the pack (strips by their first
// and last cells) and a line in every font, read back from the written pack.
// The pack's root must be the working folder.
Canvas contactSheet(const ResourceTable& table);

// A picture of a room's objects to find, under the name the list shows.
struct NamedPicture
{
    std::string name;
    Canvas picture;
};

// Every room's objects to find, a row for each room, each picture at the
// size it shows in the room, so that names and pictures can be checked by eye.
Canvas findablesSheet(const std::vector<std::vector<NamedPicture>>& rooms);

} // namespace contentgen
