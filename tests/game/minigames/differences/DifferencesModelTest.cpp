#include "game/minigames/differences/DifferencesBoard.h"
#include "tests/game/minigames/models/LevelFileSupport.h"

#include <gtest/gtest.h>

namespace
{

DifferencePiece Piece(const std::string& name, int major, int minor, int x, int y, int layer, int type = 1)
{
    DifferencePiece piece;
    piece.mName = name;
    piece.mImage = name + ".png";
    piece.mMajorGroupId = major;
    piece.mMinorGroupId = minor;
    piece.mX = x;
    piece.mY = y;
    piece.mLayer = layer;
    piece.mType = type;
    return piece;
}

// A 10 x 10 picture whose left half is transparent.
AlphaMask HalfMask()
{
    std::vector<uint8_t> alpha(100, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 5; x < 10; ++x)
            alpha[size_t(y * 10 + x)] = 255;
    return AlphaMask(10, 10, alpha);
}

// Ten clean pairs along a row, left halves at x 20 i and right halves shifted by 300.
DifferenceScene TenPairs()
{
    DifferenceScene scene;
    scene.mScreenWidth = 300;
    for (int i = 0; i < 10; ++i)
    {
        scene.mPieces.push_back(Piece("l" + std::to_string(i), i + 1, -1, 20 * i, 0, 1));
        scene.mPieces.push_back(Piece("r" + std::to_string(i), -1, i + 1, 300 + 20 * i, 0, 1));
    }
    return scene;
}

std::vector<AlphaMask> Solid(size_t count)
{
    return std::vector<AlphaMask>(count, AlphaMask::Solid(10, 10));
}

// The game-widget point of a board point.
int GX(int x)
{
    return x + DifferencesBoard::kPictureOffsetX;
}
int GY(int y)
{
    return y + DifferencesBoard::kPictureOffsetY;
}

} // namespace

TEST(DifferenceSceneFile, ReadsItemsWithTheirAdjustments)
{
    LevelFolder folder;
    DifferenceScene scene = ReadDifferenceScene(folder.Write("Scene.xml", R"(<Root>
  <Item name="before" image="x.png"/>
  <Scene>
    <Screen Width="380" Height="500"/>
    <Item name="vase" image="vase.png" layer="5" majorGroupID="3" minorGroupID="-1" x="10" y="20" type="1"/>
    <Item name="vase2" image="vase2.png" layer="5" majorGroupID="-1" minorGroupID="3" x="10" y="20" type="1"/>
    <Item name="floor" image="floor.png" majorGroupID="0" minorGroupID="7"/>
    <Item name="plain" image="plain.png"/>
    <Item name="spaced" image="spaced.png" layer=" 7" majorGroupID=" 4" minorGroupID="-1" x=" 12" type=" 2"/>
    <Item name="escape" image="../../etc/passwd"/>
    <Item name="far" image="far.png" x="99999999"/>
  </Scene>
</Root>)"));
    ASSERT_EQ(scene.mPieces.size(), 5u);
    EXPECT_EQ(scene.mProblems.size(), 2u);
    EXPECT_EQ(scene.mScreenWidth, 380);
    EXPECT_EQ(scene.mPieces[0].mX, 10);
    EXPECT_EQ(scene.mPieces[1].mX, 390); // right half: shifted by the screen width
    EXPECT_EQ(scene.mPieces[2].mLayer, -100);
    EXPECT_EQ(scene.mPieces[3].mMajorGroupId, -2);
    EXPECT_EQ(scene.mPieces[3].mType, 0);
    // The mini-games' numbers may start with blanks, unlike the playfield's.
    EXPECT_EQ(scene.mPieces[4].mLayer, 7);
    EXPECT_EQ(scene.mPieces[4].mMajorGroupId, 4);
    EXPECT_EQ(scene.mPieces[4].mX, 12);
    EXPECT_EQ(scene.mPieces[4].mType, 2);
    EXPECT_EQ(DifferenceSceneFolder("Mode3"), "content\\scenes\\DifferencesMode3\\");
    EXPECT_EQ(DifferenceSceneFolder("Other"), "content\\scenes\\DifferencesMode1\\");
    EXPECT_FALSE(ReadDifferenceScene(folder.PathOf("none.xml")).mProblems.empty());
}

TEST(DifferencesBoardTest, ClickingEitherHalfMarksThePairOnce)
{
    DifferencesBoard board(TenPairs(), Solid(20));
    EXPECT_TRUE(board.GetProblems().empty());
    EXPECT_EQ(board.CountCompletePairs(), 10);
    EXPECT_EQ(board.Click(GX(305), GY(5)), DifferencesBoard::ClickResult::Found);
    EXPECT_TRUE(board.IsFound(0));
    EXPECT_TRUE(board.IsFound(1));
    EXPECT_EQ(board.GetFoundCount(), 1);
    EXPECT_EQ(board.Click(GX(5), GY(5)), DifferencesBoard::ClickResult::Miss); // found pieces take no click
    EXPECT_EQ(board.GetFoundCount(), 1);
    for (int i = 1; i < 10; ++i)
        EXPECT_EQ(board.Click(GX(20 * i + 1), GY(1)), DifferencesBoard::ClickResult::Found);
    EXPECT_TRUE(board.IsSolved());
    EXPECT_NE(board.Click(GX(1), GY(1)), DifferencesBoard::ClickResult::Found);
}

TEST(DifferencesBoardTest, HitsUseThePicturesOwnSizeAndAlpha)
{
    DifferenceScene scene = TenPairs();
    scene.mPieces.push_back(Piece("cover", 20, -1, 0, 0, 9));
    scene.mPieces.push_back(Piece("cover2", -1, 20, 300, 0, 9));
    std::vector<AlphaMask> masks = Solid(20);
    masks.push_back(HalfMask());
    masks.push_back(HalfMask());
    DifferencesBoard board(scene, masks);
    // The cover lies above piece l0 but only its right half is visible.
    EXPECT_EQ(board.GetPiece(board.HitTest(GX(7), GY(3))).mName, "cover");
    EXPECT_EQ(board.GetPiece(board.HitTest(GX(2), GY(3))).mName, "l0");
    // One past the right edge of l9 (x 180..189) is outside it, not the next row's first pixel.
    EXPECT_EQ(board.GetPiece(board.HitTest(GX(189), GY(0))).mName, "l9");
    EXPECT_EQ(board.HitTest(GX(190), GY(0)), -1);
    EXPECT_EQ(board.HitTest(GX(0), GY(10)), -1);
    EXPECT_EQ(board.Click(GX(250), GY(5)), DifferencesBoard::ClickResult::Miss);
}

// Decoration never reacts; a clickable piece without a partner takes the
// click silently; a piece whose partner is odd still pairs by its group ids.
TEST(DifferencesBoardTest, DecorationIsDeafAndPiecesWithoutAPartnerAreSilent)
{
    DifferenceScene scene = TenPairs();
    scene.mPieces[0].mType = 0;                                 // l0 is decoration
    scene.mPieces.push_back(Piece("lonely", 40, -1, 0, 50, 1)); // nobody answers group 40
    scene.mPieces.push_back(Piece("twin", 2, -1, 0, 70, 1));    // a second left piece of group 2
    scene.mPieces.push_back(Piece("nopic", 50, -1, 0, 90, 1));
    std::vector<AlphaMask> masks = Solid(23);
    masks.push_back(AlphaMask());
    DifferencesBoard board(scene, masks);
    EXPECT_EQ(board.GetPieceCount(), 23);
    EXPECT_EQ(board.CountCompletePairs(), 9);
    EXPECT_EQ(board.GetProblems().size(), 5u); // picture, r0, lonely, twin, fewer than ten pairs
    using R = DifferencesBoard::ClickResult;
    struct Case
    {
        int x, y;
        R result;
        int found;
    } cases[] = {{1, 1, R::Miss, 0},       // decoration, nothing below
                 {1, 51, R::NoPartner, 0}, // lonely
                 {301, 1, R::Found, 1},    // r0 pairs with the decoration l0
                 {1, 71, R::Found, 2},     // twin pairs with r1
                 {21, 1, R::Miss, 2}};     // l1: its partner r1 was found with the twin
    for (const Case& c : cases)
    {
        EXPECT_EQ(board.Click(GX(c.x), GY(c.y)), c.result) << c.x << "," << c.y;
        EXPECT_EQ(board.GetFoundCount(), c.found) << c.x << "," << c.y;
    }
}

TEST(DifferencesBoardTest, PiecesAreSortedByLayerKeepingFileOrder)
{
    DifferenceScene scene;
    scene.mPieces = {Piece("a", 1, -1, 0, 0, 3), Piece("b", -1, 1, 0, 0, 1), Piece("c", 0, 0, 0, 0, 3, 0),
                     Piece("d", 0, 0, 0, 0, 1, 0)};
    DifferencesBoard board(scene, Solid(4));
    const char* order[] = {"b", "d", "a", "c"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(board.GetPiece(i).mName, order[i]);
    EXPECT_EQ(board.Click(GX(1), GY(1)), DifferencesBoard::ClickResult::Found); // uppermost clickable: a
    board.Reset();
    EXPECT_EQ(board.GetFoundCount(), 0);
    EXPECT_FALSE(board.IsFound(0));
}
