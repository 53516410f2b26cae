#pragma once

#include "game/play/PlayfieldModel.h"
#include "tools/contentgen/ResourceTable.h"

#include <string>
#include <vector>

namespace contentcheck
{

using Problems = std::vector<std::string>;

// The manifest's groups and identifiers against the game's fixed numbering:
// group names, sizes, kinds and the runs whose ids the game computes.
void checkNumbering(const contentgen::ResourceTable& table, Problems& problems);

// Loads the pack's manifest with the framework's resource manager from the
// working folder, loads every group and checks each identifier's order, file,
// picture size and grid, sound and font against the table.
void checkResources(const contentgen::ResourceTable& table, Problems& problems);

// Reads a property file as the game does: every element directly inside the
// top-level "Strings" element is one entry, its attribute `attribute` the text.
std::vector<std::pair<std::string, std::string>>
readPropertyFile(const std::string& path, const std::string& attribute, Problems& problems);

// Every key of the key list (content/property-keys.txt) present in its file,
// every text in Windows-1252, and each scene's ambient index in range.
void checkProperties(const std::string& keyList, Problems& problems);

// The mini-games' levels, puzzles, difference scenes and words, each read as
// the game reads it and solved by its solver.
void checkMiniGames(Problems& problems);

// Each scene's two files as the game reads them: every rule the playfield
// relies on, and a scripted player that takes each visit to its end.
void checkScenes(const std::string& diaryName, Problems& problems);

// How well each room hides its objects, printed scene by scene: the things
// of clutter in its picture and in front of its objects, how much of each
// object is hidden and how large it shows; a room fails below the figures
// that make a search, and where an object shares its picture with another
// object of the room, with the clutter, or with another name in the house.
void checkSceneFigures(Problems& problems);

// The alpha of a scene item's picture as the game loads it; empty when
// there is none.
ItemMask sceneItemMask(const std::string& path);

// The wallpaper gallery's pages: "Bonus/Wallpaper0.jpg" onwards, each a
// JPEG at a 4:3 desktop size, so that it fills the gallery's frame.
constexpr int kWallpaperPages = 31;
void checkWallpapers(Problems& problems);

// Every story the game asks for read as the game reads it: no gap and no
// wrong block, every picture, sound and text it names there, every bubble's
// text inside its bubble, no character standing over the envelope of a story
// played with one; and every letter's text on its paper.
void checkStories(const contentgen::ResourceTable& table, Problems& problems);

// Every tutorial's text inside its frame, above the close button.
void checkTutorialTexts(const contentgen::ResourceTable& table, Problems& problems);

// Every name a scene's item list shows, and each ten-items title, inside the
// list's strip in the list's font.
void checkItemListTexts(Problems& problems);

// The level map's scene previews fit side by side, and each scene's caption
// fits over its preview.
void checkMapCaptions(const contentgen::ResourceTable& table, Problems& problems);

// Every level's pins point into the rooms the estate map draws for their
// scenes, named as the string table names them, and every map area has its
// picture, which leaves the map clear under the pins.
void checkEstateMap(const contentgen::ResourceTable& table, Problems& problems);

// "Scene{1-3}_NAME" gives Scene1_NAME, Scene2_NAME, Scene3_NAME; other text stands for itself.
std::vector<std::string> expandKeyPattern(const std::string& pattern);

} // namespace contentcheck
