// A match-stick puzzle file, read and then played against itself: every slot
// of every cell taken and placed until the moves run out.
#include "fuzz/resources/FuzzScratchFolder.h"
#include "game/minigames/matches/MatchesRules.h"
#include "platform/Files.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFolder folder("matchespuzzle");
    static const std::string path = folder.File("puzzle.xml");
    if (!platform::writeFile(path, data, size))
        return 0;
    MatchesLayoutRead read = ReadMatchesLayout(path);
    if (!read.mLayout)
        return 0;
    const MatchesLayout& layout = *read.mLayout;
    if (layout.mState.GetCellCount() != size_t(layout.mColumns) * size_t(layout.mRows) ||
        layout.mColumns > MatchesLayout::kMaxSide || layout.mRows > MatchesLayout::kMaxSide)
        __builtin_trap();
    MatchesRules rules(layout, {layout}, 3);
    const int cells = int(layout.mState.GetCellCount());
    for (int cell = -1; cell <= cells; ++cell)
        for (int slot = -1; slot <= kSlotCount; ++slot)
            rules.Click(cell, slot);
    rules.Reset();
    return 0;
}
