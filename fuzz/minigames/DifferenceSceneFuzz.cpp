// A difference scene file, read and then clicked all over, with every piece's
// picture standing in as a small opaque square.
#include "fuzz/resources/FuzzScratchFolder.h"
#include "game/minigames/differences/DifferencesBoard.h"
#include "platform/Files.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratchFolder folder("differencescene");
    static const std::string path = folder.File("Scene.xml");
    if (!platform::writeFile(path, data, size))
        return 0;
    DifferenceScene scene = ReadDifferenceScene(path);
    if (scene.mPieces.size() > size_t(DifferenceScene::kMaxPieces))
        __builtin_trap();
    std::vector<AlphaMask> masks;
    for (size_t i = 0; i < scene.mPieces.size(); ++i)
        masks.push_back(i % 5 == 4 ? AlphaMask() : AlphaMask::Solid(8 + int(i % 7), 8));
    DifferencesBoard board(scene, masks);
    for (int i = 0; i < board.GetPieceCount(); ++i)
    {
        const DifferencePiece& piece = board.GetPiece(i);
        board.Click(piece.mX + DifferencesBoard::kPictureOffsetX,
                    piece.mY + DifferencesBoard::kPictureOffsetY);
        board.FindPartner(i);
    }
    board.CountCompletePairs();
    board.Reset();
    return 0;
}
