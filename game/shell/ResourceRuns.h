#pragma once

// Runs of identifiers that code reaches by arithmetic (a letter, a piece
// number, a digit, a scene's ambient index). Each run is checked while
// compiling against the names of the resource table, so a reordered table
// fails the build instead of showing the wrong picture.

#include "game/shell/ResourceIds.h"

#include <cstdint>
#include <string_view>

struct ResourceRun
{
    ResourceId first;
    int32_t count;

    constexpr bool Contains(int32_t index) const { return index >= 0 && index < count; }
    // The id of member `index`; the caller keeps the index inside the run.
    constexpr ResourceId At(int32_t index) const { return ResourceId(first + index); }
};

namespace resource_runs
{

// How the part of a name that varies along a run counts.
enum class Label
{
    Letters, // A, B, C, ...
    Numbers, // from a first number upwards
    Any      // not checked: only the prefix and suffix are
};

constexpr bool IsNumber(std::string_view text, int32_t value)
{
    if (text.empty() || value < 0)
        return false;
    int32_t parsed = 0;
    for (char c : text)
    {
        if (c < '0' || c > '9')
            return false;
        parsed = parsed * 10 + (c - '0');
    }
    return parsed == value && (text.size() == 1 || text[0] != '0');
}

// True when every member of the run is of the kind and named prefix + label + suffix.
constexpr bool Named(ResourceRun run, ResourceKind kind, std::string_view prefix, std::string_view suffix,
                     Label label, int32_t firstNumber = 0)
{
    if (run.first < 0 || run.count <= 0 || run.first + run.count > kResourceCount)
        return false;
    for (int32_t k = 0; k < run.count; ++k)
    {
        const ResourceName& entry = kResourceNames[run.At(k)];
        const std::string_view name = entry.name;
        if (entry.kind != kind || name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) ||
            !name.ends_with(suffix))
            return false;
        const std::string_view middle =
            name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
        if (label == Label::Letters && (middle.size() != 1 || middle[0] != 'A' + k))
            return false;
        if (label == Label::Numbers && !IsNumber(middle, firstNumber + k))
            return false;
    }
    return true;
}

} // namespace resource_runs

// Typewriter keys: the picture of letter code c ('A' .. 'Z') is id 70 + c (up),
// 96 + c (down), 122 + c (hovered).
inline constexpr ResourceRun kTypewriterKeysUp{IMAGE_MG_KEY_A_UP_ID, 26};
inline constexpr ResourceRun kTypewriterKeysDown{IMAGE_MG_KEY_A_DOWN_ID, 26};
inline constexpr ResourceRun kTypewriterKeysOver{IMAGE_MG_KEY_A_OVER_ID, 26};
inline constexpr ResourceRun kMorseLetters{IMAGE_MG_MORSE_A_ID, 26};
// Jigsaw piece k (0 .. 23) is id 76 + k, or 100 + k in the puzzle's second mode.
inline constexpr ResourceRun kJigsawPieces{IMAGE_MG_PUZZLE_PIECE1_ID, 24};
inline constexpr ResourceRun kJigsawLastPieces{IMAGE_MG_PUZZLE_PIECE1_LAST_ID, 24};
inline constexpr ResourceRun kMemoryCards{IMAGE_MG_MEMORY_CARD_VASE_ID, 15};
inline constexpr ResourceRun kBombDigits{IMAGE_MG_BOMB_NUM_0_ID, 10};
// The scenes' ambient loops, by the index "properties/SFX.xml" gives a scene.
inline constexpr ResourceRun kAmbientLoops{AMBIENT_SOUND_1_ID, 19};

static_assert(kTypewriterKeysUp.first == 70 + 'A' && kTypewriterKeysDown.first == 96 + 'A' &&
              kTypewriterKeysOver.first == 122 + 'A');
static_assert(resource_runs::Named(kTypewriterKeysUp, ResourceKind::Image, "IMAGE_MG_KEY_", "_UP",
                                   resource_runs::Label::Letters));
static_assert(resource_runs::Named(kTypewriterKeysDown, ResourceKind::Image, "IMAGE_MG_KEY_", "_DOWN",
                                   resource_runs::Label::Letters));
static_assert(resource_runs::Named(kTypewriterKeysOver, ResourceKind::Image, "IMAGE_MG_KEY_", "_OVER",
                                   resource_runs::Label::Letters));
static_assert(resource_runs::Named(kMorseLetters, ResourceKind::Image, "IMAGE_MG_MORSE_", "",
                                   resource_runs::Label::Letters));
static_assert(kJigsawPieces.first == 76 && kJigsawLastPieces.first == 100);
static_assert(resource_runs::Named(kJigsawPieces, ResourceKind::Image, "IMAGE_MG_PUZZLE_PIECE", "",
                                   resource_runs::Label::Numbers, 1));
static_assert(resource_runs::Named(kJigsawLastPieces, ResourceKind::Image, "IMAGE_MG_PUZZLE_PIECE", "_LAST",
                                   resource_runs::Label::Numbers, 1));
static_assert(kMemoryCards.first == 291 &&
              kMemoryCards.At(kMemoryCards.count - 1) == IMAGE_MG_MEMORY_CARD_BIKE_ID);
static_assert(resource_runs::Named(kMemoryCards, ResourceKind::Image, "IMAGE_MG_MEMORY_CARD_", "",
                                   resource_runs::Label::Any));
static_assert(kBombDigits.first == 423);
static_assert(resource_runs::Named(kBombDigits, ResourceKind::Image, "IMAGE_MG_BOMB_NUM_", "",
                                   resource_runs::Label::Numbers, 0));
// The loops take consecutive sound ids because they are loaded one after the
// other: nothing else may sit between them in the table.
static_assert(kAmbientLoops.At(kAmbientLoops.count - 1) == AMBIENT_SOUND_22_ID);
static_assert(resource_runs::Named(kAmbientLoops, ResourceKind::Sound, "AMBIENT_SOUND_", "",
                                   resource_runs::Label::Any));
