// A box-pushing level file, read and then played: every arrow of every box,
// and the solver on levels small enough to search.
#include "fuzz/resources/FuzzScratchFolder.h"
#include "game/minigames/sokoban/SokobanBoard.h"
#include "game/minigames/sokoban/SokobanSolver.h"
#include "platform/Files.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFolder folder("sokobanlevel");
    static const std::string path = folder.File("level.xml");
    if (!platform::writeFile(path, data, size))
        return 0;
    SokobanLevel level = ReadSokobanLevel(path);
    if (level.mBoxes.size() > size_t(SokobanLevel::kMaxBoxes))
        __builtin_trap();
    SokobanBoard board(level);
    for (int round = 0; round < 2; ++round)
        for (size_t box = 0; box < board.GetBoxes().size(); ++box)
            for (int arrow = 0; arrow < 4; ++arrow)
            {
                board.IsArrowDimmed(int(box), arrow);
                board.Push(int(box), arrow);
            }
    board.IsSolved();
    board.Reset();
    if (level.mBoxes.size() <= 3)
        SolveSokoban(level);
    return 0;
}
