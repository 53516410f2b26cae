#pragma once

#include "tools/contentgen/Canvas.h"
#include "tools/contentgen/ResourceTable.h"

#include <string>
#include <vector>

namespace contentgen
{

class PackFiles;
class PaintContext;

// The wallpaper gallery's 31 pictures, "Bonus/Wallpaper0.jpg" to
// "Bonus/Wallpaper30.jpg", at a desktop size: page 0 is the estate as the
// main menu shows it, page k the finished picture of scene k (every object
// in its place), enlarged and finished with a soft vignette.
constexpr int kWallpaperCount = 31;
constexpr int kWallpaperWidth = 1024, kWallpaperHeight = 768;

// sceneComposites holds the 800 x 600 pictures of Scene1 onwards.
bool makeWallpapers(const ResourceTable& table, PaintContext& context, PackFiles& pack,
                    const std::vector<Canvas>& sceneComposites, std::string& error);

} // namespace contentgen
