#include "tools/contentcheck/PackChecks.h"

#include <map>

namespace contentcheck
{

namespace
{

struct GroupShape
{
    const char* name;
    int first, images, sounds, fonts;
};

// The game numbers its 571 identifiers in manifest order and loads them by group.
constexpr GroupShape kGroups[] = {
    {"Init", 0, 6, 0, 3},
    {"LegalScreens", 9, 2, 0, 0},
    {"IntroSequence", 11, 26, 0, 1},
    {"PuzzleScreen", 38, 33, 0, 0},
    {"MG_Puzzle", 71, 1, 4, 0},
    {"MG_PuzzleEN", 76, 48, 0, 0},
    {"MG_Rotating", 124, 8, 2, 0},
    {"MG_Typewriter", 134, 105, 2, 1},
    {"MG_Matches", 242, 6, 0, 0},
    {"MG_Reversi", 248, 4, 1, 0},
    {"MG_Sokoban", 253, 9, 1, 0},
    {"MG_WinePitchers", 263, 19, 1, 0},
    {"MG_ToManyQueens", 283, 6, 2, 0},
    {"MG_Memory", 291, 17, 2, 0},
    {"MG_LetterScramble", 310, 1, 2, 0},
    {"MG_Clock", 313, 24, 4, 0},
    {"MG_Osciloscope", 341, 4, 1, 0},
    {"MG_TableNeighbours", 346, 7, 2, 0},
    {"MG_Tanks", 355, 10, 1, 0},
    {"MG_FindDifferences", 366, 1, 2, 0},
    {"StoryDialog", 369, 18, 2, 0},
    {"StoryEnvelope", 389, 6, 0, 1},
    {"MG_Bomb", 396, 39, 0, 0},
    {"Diary", 435, 10, 3, 2},
    {"Map", 450, 4, 3, 0},
    {"Options", 457, 6, 2, 0},
    {"PlayerNameEntry", 465, 2, 1, 0},
    {"Credits", 468, 2, 0, 1},
    {"GameResources", 471, 60, 40, 0},
};
constexpr int kIdentifiers = 571;

struct Pin
{
    int id;
    std::string name;
};

// Identifiers whose ids the game computes or looks up by name.
std::vector<Pin> pinnedIds()
{
    std::vector<Pin> pins = {{0, "FONT_ITEM_LABELS"},
                             {570, "SFX_CLOCK_LAST_30SECS"},
                             {369, "IMAGE_STORY_DETECTIVE"},
                             {370, "IMAGE_STORY_INSPECTOR"},
                             {371, "IMAGE_STORY_PROFESSOR"},
                             {372, "IMAGE_STORY_HOUSEKEEPER"},
                             {373, "IMAGE_STORY_BUTLER"},
                             {374, "IMAGE_STORY_NEPHEW"},
                             {375, "IMAGE_STORY_HOSPITAL_SCENE"},
                             {376, "IMAGE_STORY_NEPHEW_GUN"},
                             {377, "IMAGE_STORY_INSPECTOR_GUN"},
                             {291, "IMAGE_MG_MEMORY_CARD_VASE"},
                             {305, "IMAGE_MG_MEMORY_CARD_BIKE"}};
    for (char c = 'A'; c <= 'Z'; ++c)
    {
        std::string letter(1, c);
        pins.push_back({70 + c, "IMAGE_MG_KEY_" + letter + "_UP"});
        pins.push_back({96 + c, "IMAGE_MG_KEY_" + letter + "_DOWN"});
        pins.push_back({122 + c, "IMAGE_MG_KEY_" + letter + "_OVER"});
        pins.push_back({213 + (c - 'A'), "IMAGE_MG_MORSE_" + letter});
    }
    for (int k = 0; k < 24; ++k)
    {
        pins.push_back({76 + k, "IMAGE_MG_PUZZLE_PIECE" + std::to_string(k + 1)});
        pins.push_back({100 + k, "IMAGE_MG_PUZZLE_PIECE" + std::to_string(k + 1) + "_LAST"});
    }
    for (int d = 0; d < 10; ++d)
        pins.push_back({423 + d, "IMAGE_MG_BOMB_NUM_" + std::to_string(d)});
    static const int kAmbient[] = {1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 14, 15, 16, 17, 18, 19, 20, 21, 22};
    for (int i = 0; i < 19; ++i)
        pins.push_back({549 + i, "AMBIENT_SOUND_" + std::to_string(kAmbient[i])});
    for (int i = 1; i <= 4; ++i)
        pins.push_back({523 + i, "SFX_ITEM_FOUND_" + std::to_string(i)});
    for (int i = 1; i <= 2; ++i)
        pins.push_back({527 + i, "SFX_ITEM_MISSED_" + std::to_string(i)});
    for (int i = 1; i <= 3; ++i)
        pins.push_back({529 + i, "SFX_PIECE_FOUND_" + std::to_string(i)});
    return pins;
}

contentgen::ResourceKind kindOfName(const std::string& id)
{
    if (id.rfind("FONT_", 0) == 0)
        return contentgen::ResourceKind::Font;
    if (id.rfind("SFX_", 0) == 0 || id.rfind("AMBIENT_SOUND_", 0) == 0)
        return contentgen::ResourceKind::Sound;
    return contentgen::ResourceKind::Image;
}

} // namespace

void checkNumbering(const contentgen::ResourceTable& table, Problems& problems)
{
    if (int(table.entries.size()) != kIdentifiers)
        problems.push_back("the manifest has " + std::to_string(table.entries.size()) + " identifiers, not " +
                           std::to_string(kIdentifiers));
    const size_t groupCount = std::size(kGroups);
    if (table.groups.size() != groupCount)
        problems.push_back("the manifest has " + std::to_string(table.groups.size()) + " groups, not " +
                           std::to_string(groupCount));

    std::map<std::string, int> idOf;
    for (size_t i = 0; i < table.entries.size(); ++i)
    {
        const contentgen::ResourceEntry& entry = table.entries[i];
        if (!idOf.emplace(entry.id, int(i)).second)
            problems.push_back(entry.id + " is declared twice");
        if (kindOfName(entry.id) != entry.kind)
            problems.push_back(entry.id + " is declared as the wrong kind of resource");
    }

    for (size_t g = 0; g < groupCount; ++g)
    {
        const GroupShape& shape = kGroups[g];
        const int end = g + 1 < groupCount ? kGroups[g + 1].first : kIdentifiers;
        if (g < table.groups.size() && table.groups[g] != shape.name)
            problems.push_back("group " + std::to_string(g) + " is " + table.groups[g] + ", not " +
                               shape.name);
        int images = 0, sounds = 0, fonts = 0;
        for (int id = shape.first; id < end && id < int(table.entries.size()); ++id)
        {
            const contentgen::ResourceEntry& entry = table.entries[size_t(id)];
            if (entry.group != shape.name)
                problems.push_back(entry.id + " (id " + std::to_string(id) + ") lies in group " +
                                   entry.group + ", not " + shape.name);
            images += entry.kind == contentgen::ResourceKind::Image;
            sounds += entry.kind == contentgen::ResourceKind::Sound;
            fonts += entry.kind == contentgen::ResourceKind::Font;
        }
        if (images != shape.images || sounds != shape.sounds || fonts != shape.fonts)
            problems.push_back(std::string("group ") + shape.name + " holds " + std::to_string(images) +
                               " / " + std::to_string(sounds) + " / " + std::to_string(fonts) +
                               " images / sounds / fonts, not " + std::to_string(shape.images) + " / " +
                               std::to_string(shape.sounds) + " / " + std::to_string(shape.fonts));
    }

    for (const Pin& pin : pinnedIds())
    {
        auto it = idOf.find(pin.name);
        if (it == idOf.end())
            problems.push_back(pin.name + " is missing");
        else if (it->second != pin.id)
            problems.push_back(pin.name + " has id " + std::to_string(it->second) + ", not " +
                               std::to_string(pin.id));
    }
}

} // namespace contentcheck
