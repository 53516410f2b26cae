#include "framework/resources/ImageLib.h"
#include "game/minigames/common/AlphaMask.h"
#include "game/minigames/differences/DifferencesBoard.h"
#include "game/minigames/matches/MatchesRules.h"
#include "game/minigames/matches/MatchesSolver.h"
#include "game/minigames/sokoban/SokobanBoard.h"
#include "game/minigames/sokoban/SokobanSolver.h"
#include "game/minigames/typewriter/TypewriterWord.h"
#include "tools/contentcheck/PackChecks.h"

#include <cstdio>

namespace contentcheck
{

namespace
{

void addAll(const std::vector<std::string>& found, Problems& problems)
{
    problems.insert(problems.end(), found.begin(), found.end());
}

// Each wall stands between two cells, so both carry it, and the board's rim is closed.
void checkWalls(const std::string& name, const SokobanLevel& level, Problems& problems)
{
    for (int row = 0; row < SokobanLevel::kRows; ++row)
        for (int column = 0; column < SokobanLevel::kColumns; ++column)
        {
            const SokobanCell& cell = level.mCells[size_t(row * 8 + column)];
            const bool rightPair =
                column == 7 ? cell.mWallRight
                            : cell.mWallRight == level.mCells[size_t(row * 8 + column + 1)].mWallLeft;
            const bool bottomPair =
                row == 7 ? cell.mWallBottom
                         : cell.mWallBottom == level.mCells[size_t(row * 8 + column + 8)].mWallTop;
            const bool rim = (column > 0 || cell.mWallLeft) && (row > 0 || cell.mWallTop);
            if (!rightPair || !bottomPair || !rim)
                problems.push_back(name + ": the walls of cell " + std::to_string(row * 8 + column) +
                                   " do not match their neighbours' or the rim");
        }
}

void checkSokoban(Problems& problems)
{
    for (const char* mode : {"Mode1", "Mode2", "Mode3"})
    {
        const std::string name = "xml\\" + SokobanLevelName(mode) + ".xml";
        SokobanLevel level = ReadSokobanLevel(name);
        addAll(level.mProblems, problems);
        checkWalls(name, level, problems);
        std::optional<std::vector<SokobanMove>> moves = SolveSokoban(level);
        if (!moves)
        {
            problems.push_back(name + ": cannot be solved");
            continue;
        }
        SokobanBoard board(level);
        for (const SokobanMove& move : *moves)
            board.Push(move.mBox, move.mArrow);
        if (!board.IsSolved())
            problems.push_back(name + ": the solver's pushes do not solve the board");
    }
    for (int index = 1; index <= 64; ++index)
    {
        char path[64];
        std::snprintf(path, sizeof(path), "content\\images\\miniGames\\cargo_bg\\bg__%02d.jpg", index);
        std::unique_ptr<ImageLib::Image> image = ImageLib::LoadImageFile(path);
        if (!image || image->mWidth != 60 || image->mHeight != 60)
            problems.push_back(std::string(path) + ": not a 60 x 60 picture");
    }
}

void checkMatches(Problems& problems)
{
    for (const char* name : {"Fish", "Squares5to4"})
    {
        const MatchesPuzzleInfo info = MatchesPuzzleByName(name);
        MatchesLayoutRead start = ReadMatchesLayout(MatchesFileName(info.mName));
        addAll(start.mProblems, problems);
        if (!start.mLayout)
            continue;
        for (int v = 1; v <= info.mSolutionCount; ++v)
        {
            const std::string file = MatchesFileName(info.mName + "Solution" + std::to_string(v));
            MatchesLayoutRead solution = ReadMatchesLayout(file);
            addAll(solution.mProblems, problems);
            if (!solution.mLayout)
                continue;
            std::optional<std::vector<MatchMove>> moves =
                SolveMatches(start.mLayout->mState, solution.mLayout->mState, info.mMoves);
            if (!moves)
            {
                problems.push_back(file + ": not reachable in " + std::to_string(info.mMoves) + " moves");
                continue;
            }
            MatchesRules rules(*start.mLayout, {*solution.mLayout}, info.mMoves);
            MatchesRules::Result last = MatchesRules::Result::Refused;
            for (const MatchMove& move : *moves)
            {
                rules.Click(move.mFromCell, move.mFromSlot);
                last = rules.Click(move.mToCell, move.mToSlot);
            }
            if (last != MatchesRules::Result::Solved)
                problems.push_back(file + ": the game does not take its own solution");
        }
    }
}

AlphaMask maskOf(const std::string& path)
{
    std::unique_ptr<ImageLib::Image> image = ImageLib::LoadImageFile(path);
    if (!image)
        return AlphaMask();
    return AlphaMask::FromArgb(image->mWidth, image->mHeight, image->mBits.data());
}

// A point of the game widget at which the piece takes the click, if any.
bool findHitPoint(const DifferencesBoard& board, int piece, int& x, int& y)
{
    const DifferencePiece& p = board.GetPiece(piece);
    const AlphaMask& mask = board.GetMask(piece);
    for (int py = 0; py < mask.GetHeight(); ++py)
        for (int px = 0; px < mask.GetWidth(); ++px)
        {
            x = p.mX + px + DifferencesBoard::kPictureOffsetX;
            y = p.mY + py + DifferencesBoard::kPictureOffsetY;
            if (board.HitTest(x, y) == piece)
                return true;
        }
    return false;
}

void checkDifferences(Problems& problems)
{
    for (const char* mode : {"Mode1", "Mode2", "Mode3"})
    {
        const std::string folder = DifferenceSceneFolder(mode);
        DifferenceScene scene = ReadDifferenceScene(folder + "Scene.xml");
        std::vector<AlphaMask> masks;
        for (const DifferencePiece& piece : scene.mPieces)
            masks.push_back(maskOf(folder + piece.mImage));
        const int screenWidth = scene.mScreenWidth;
        DifferencesBoard board(scene, masks);
        for (const std::string& problem : board.GetProblems())
            problems.push_back(folder + "Scene.xml: " + problem);
        // Every half of a difference takes its own click, and the click marks the pair.
        for (int i = 0; i < board.GetPieceCount(); ++i)
        {
            const DifferencePiece& piece = board.GetPiece(i);
            if (piece.mType == 0)
                continue;
            const bool leftHalf = piece.mMinorGroupId == -1;
            const int right = piece.mX + board.GetMask(i).GetWidth();
            if (leftHalf ? right > screenWidth : piece.mX < screenWidth)
                problems.push_back(folder + piece.mName + ": lies across the middle of the board");
            int x = 0, y = 0;
            DifferencesBoard fresh(scene, masks);
            if (!findHitPoint(fresh, i, x, y))
            {
                problems.push_back(folder + piece.mName + ": hidden under other pieces");
                continue;
            }
            const int partner = fresh.FindPartner(i);
            if (fresh.Click(x, y) != DifferencesBoard::ClickResult::Found || partner < 0 ||
                !fresh.IsFound(partner))
                problems.push_back(folder + piece.mName + ": a click does not mark its pair");
        }
    }
}

void checkWords(Problems& problems)
{
    std::vector<std::pair<std::string, std::string>> strings =
        readPropertyFile("properties/Strings.xml", "value", problems);
    for (int i = 0; i < 10; ++i)
    {
        const std::string key = "MINIGAME_WORD_" + std::to_string(i);
        bool playable = false;
        for (const auto& [name, text] : strings)
            playable = playable || (name == key && TypewriterWord::IsPlayable(text));
        if (!playable)
            problems.push_back("properties/Strings.xml: " + key + " is not 1 to 7 capital letters A to Z");
    }
}

} // namespace

void checkMiniGames(Problems& problems)
{
    checkSokoban(problems);
    checkMatches(problems);
    checkDifferences(problems);
    checkWords(problems);
}

} // namespace contentcheck
