#pragma once

#include <string>

namespace contentgen
{

class PackFiles;
class PaintContext;

// The mini-games' data beyond the resource table: the authored level and
// puzzle files (content/xml), the box-pushing board's per-cell floor pictures
// and the three difference scenes with their pictures and scene files.
bool makeMiniGameData(const std::string& contentFolder, PaintContext& context, PackFiles& pack,
                      std::string& error);

// Parts of it, each writing its files into the pack.
bool makeCargoFloor(PackFiles& pack);
bool makeDifferenceScenes(PaintContext& context, PackFiles& pack, std::string& error);

} // namespace contentgen
