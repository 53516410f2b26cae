#include "game/minigames/jigsaw/JigsawBoard.h"
#include "platform/Random.h"

#include <gtest/gtest.h>

TEST(JigsawBoardTest, PiecesAreScatteredXBeforeYInIndexOrder)
{
    platform::srand(77);
    std::vector<JigsawPoint> expected;
    for (int i = 0; i < JigsawBoard::kPieces; ++i)
    {
        const int x = 100 + platform::rand() % 500;
        const int y = 50 + platform::rand() % 300;
        expected.push_back({x, y});
    }
    platform::srand(77);
    JigsawBoard board;
    for (int i = 0; i < JigsawBoard::kPieces; ++i)
    {
        EXPECT_EQ(board.GetPosition(i), expected[size_t(i)]);
        EXPECT_FALSE(board.IsPlaced(i));
    }
}

TEST(JigsawBoardTest, OnlyThePointerInsideTheOwnPlaceFixesAPiece)
{
    const JigsawPoint place = JigsawBoard::PlaceOrigin(7); // column 1, row 1
    EXPECT_EQ(place, (JigsawPoint{207, 156}));
    struct Case
    {
        JigsawPoint pointer;
        bool fixed;
    } cases[] = {{{place.x, place.y}, true},
                 {{place.x + 96, place.y + 111}, true},
                 {{place.x + 97, place.y + 50}, false},
                 {{place.x + 50, place.y + 112}, false},
                 {{place.x - 1, place.y}, false},
                 {JigsawBoard::PlaceOrigin(8), false}};
    for (const Case& c : cases)
    {
        platform::srand(1);
        JigsawBoard board;
        ASSERT_TRUE(board.PickUp(7, {100, 10}));
        board.MoveHeld(c.pointer);
        EXPECT_EQ(board.Drop(7, c.pointer), c.fixed) << c.pointer.x << "," << c.pointer.y;
        EXPECT_EQ(board.GetHeld(), -1);
        if (c.fixed)
            EXPECT_EQ(board.GetPosition(7), (JigsawPoint{place.x - 11, place.y - 26}));
        else
            EXPECT_EQ(board.GetPosition(7), (JigsawPoint{c.pointer.x - 100, c.pointer.y - 10}));
    }
}

// While a piece is carried, a click can reach another loose piece lying above
// it: that piece is the one compared with the place under the pointer, and
// the carried piece is let go where it lies.
TEST(JigsawBoardTest, TheDropTestsThePieceTheClickReached)
{
    const JigsawPoint place4 = JigsawBoard::PlaceOrigin(4);
    const JigsawPoint inside4{place4.x + 30, place4.y + 30};
    struct Case
    {
        int clicked;
        JigsawPoint pointer;
        int fixed; // -1: none
    } cases[] = {{4, inside4, 4}, {9, inside4, -1}, {4, JigsawBoard::PlaceOrigin(9), -1}};
    for (const Case& c : cases)
    {
        platform::srand(4);
        JigsawBoard board;
        ASSERT_TRUE(board.PickUp(9, {20, 30}));
        board.MoveHeld(c.pointer);
        EXPECT_EQ(board.Drop(c.clicked, c.pointer), c.fixed >= 0);
        EXPECT_EQ(board.GetHeld(), -1);
        EXPECT_EQ(board.IsPlaced(4), c.fixed == 4);
        EXPECT_FALSE(board.IsPlaced(9));
        EXPECT_EQ(board.GetPosition(9), (JigsawPoint{c.pointer.x - 20, c.pointer.y - 30}));
    }
}

// A carried piece follows the pointer by its grab point but never leaves the
// board picture, so it cannot be dropped over the buttons around it.
TEST(JigsawBoardTest, ACarriedPieceStaysOnTheBoard)
{
    struct Case
    {
        JigsawPoint pointer;
        JigsawPoint position;
    } cases[] = {{{400, 300}, {380, 270}},
                 {{790, 590}, {581, 382}},
                 {{5, 5}, {100, 20}},
                 {{720, 100}, {581, 70}},
                 {{300, 560}, {280, 382}}};
    for (const Case& c : cases)
    {
        platform::srand(5);
        JigsawBoard board;
        ASSERT_TRUE(board.PickUp(2, {20, 30}));
        board.MoveHeld(c.pointer);
        EXPECT_EQ(board.GetPosition(2), c.position) << c.pointer.x << "," << c.pointer.y;
    }
}

// A button standing over the board's edge: the carried piece takes the
// nearest position beside it that is still on the board.
TEST(JigsawBoardTest, ACarriedPieceStepsAsideFromTheAreasItKeepsClear)
{
    const Quib::Rect close(693, 31, 52, 52);
    struct Case
    {
        JigsawPoint pointer;
        JigsawPoint position;
    } cases[] = {{{790, 5}, {574, 20}},    // the far corner: left of the button
                 {{720, 110}, {581, 83}},  // 3 below the button's bottom is nearer than 7 to its left
                 {{720, 90}, {574, 60}},   // 7 to the left is nearer than 23 down
                 {{790, 590}, {581, 382}}, // below the button: as far right as the board goes
                 {{400, 300}, {380, 270}}};
    for (const Case& c : cases)
    {
        platform::srand(5);
        JigsawBoard board;
        board.KeepClearOf({close, Quib::Rect(0, 520, 800, 80)});
        ASSERT_TRUE(board.PickUp(2, {20, 30}));
        board.MoveHeld(c.pointer);
        EXPECT_EQ(board.GetPosition(2), c.position) << c.pointer.x << "," << c.pointer.y;
        const JigsawPoint at = board.GetPosition(2);
        EXPECT_FALSE(
            Quib::Rect(at.x, at.y, JigsawBoard::kPieceWidth, JigsawBoard::kPieceHeight).Intersects(close));
    }
}

TEST(JigsawBoardTest, FixedPiecesStayAndResetWaitsForTheCarriedPiece)
{
    platform::srand(2);
    JigsawBoard board;
    ASSERT_TRUE(board.PickUp(0, {5, 5}));
    EXPECT_FALSE(board.PickUp(1, {5, 5})); // one at a time
    EXPECT_FALSE(board.Reset());
    EXPECT_TRUE(board.Drop(0, JigsawBoard::PlaceOrigin(0)));
    EXPECT_FALSE(board.PickUp(0, {5, 5}));
    ASSERT_TRUE(board.PickUp(3, {5, 5}));
    board.LetGo();
    EXPECT_EQ(board.GetHeld(), -1);
    EXPECT_FALSE(board.IsPlaced(3));
    EXPECT_TRUE(board.Reset());
    EXPECT_FALSE(board.IsPlaced(0));
}

TEST(JigsawBoardTest, EveryPieceHomeSolves)
{
    platform::srand(3);
    JigsawBoard board;
    for (int i = 0; i < JigsawBoard::kPieces; ++i)
    {
        EXPECT_FALSE(board.IsSolved());
        ASSERT_TRUE(board.PickUp(i, {0, 0}));
        ASSERT_TRUE(board.Drop(i, {JigsawBoard::PlaceOrigin(i).x + 40, JigsawBoard::PlaceOrigin(i).y + 40}));
    }
    EXPECT_TRUE(board.IsSolved());
    JigsawBoard skipped;
    skipped.PlaceAll();
    EXPECT_TRUE(skipped.IsSolved());
    EXPECT_EQ(skipped.GetPosition(23), JigsawBoard::FixedPosition(23));
    EXPECT_EQ(JigsawBoard::PlaceAt({691, 491}), 23);
    EXPECT_EQ(JigsawBoard::PlaceAt({692, 491}), -1);
}
