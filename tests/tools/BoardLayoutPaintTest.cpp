// Pictures that the games draw their own widgets over must line up with them:
// painted from the real resource table, each is checked at the places the game uses.

#include "platform/ColorGlyphs.h"
#include "platform/Files.h"
#include "tools/contentgen/Canvas.h"
#include "tools/contentgen/Painters.h"
#include "tools/contentgen/ResourceTable.h"

#include <gtest/gtest.h>
#include <string>

namespace
{

using contentgen::Canvas;
using contentgen::ResourceEntry;

class BoardLayoutPaintTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        std::string error;
        auto text = platform::readFile(std::string(ORVELLAN_SOURCE_DIR) + "/content/resources.txt");
        ASSERT_TRUE(text);
        auto table = contentgen::readResourceTable(std::string(text->begin(), text->end()), error);
        ASSERT_TRUE(table) << error;
        sTable = new contentgen::ResourceTable(std::move(*table));
    }
    static void TearDownTestSuite()
    {
        delete sTable;
        sTable = nullptr;
    }

    const ResourceEntry& entry(const std::string& id)
    {
        for (const ResourceEntry& e : sTable->entries)
            if (e.id == id)
                return e;
        ADD_FAILURE() << id << " is not in the table";
        static ResourceEntry none;
        return none;
    }

    Canvas paint(const ResourceEntry& e)
    {
        Canvas canvas(e.width, e.height);
        EXPECT_TRUE(contentgen::paint(e, mContext, canvas)) << e.id;
        return canvas;
    }

    static int alpha(uint32_t pixel) { return int(pixel >> 24); }
    static int brightness(uint32_t pixel)
    {
        return int((pixel >> 16) & 255) + int((pixel >> 8) & 255) + int(pixel & 255);
    }

    static contentgen::ResourceTable* sTable;
    contentgen::PaintContext mContext{
        platform::ColorGlyphFace::open("/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf")};
};

contentgen::ResourceTable* BoardLayoutPaintTest::sTable = nullptr;

// The game places its cell widgets from (left, top) every cell + gap; the
// squares of the board must sit exactly there, light and dark in turn, and the
// whole grid must lie inside the picture with the same margin on the far side.
TEST_F(BoardLayoutPaintTest, BoardSquaresLieUnderTheGamesCells)
{
    for (const char* id : {"IMAGE_MG_REVERSI_BG", "IMAGE_MG_QUEENS_BG_4x4", "IMAGE_MG_QUEENS_BG_5x5"})
    {
        SCOPED_TRACE(id);
        const ResourceEntry& e = entry(id);
        const int cells = std::stoi(e.setting("cells")), left = std::stoi(e.setting("left"));
        const int top = std::stoi(e.setting("top")), cell = std::stoi(e.setting("cell"));
        const int gap = std::stoi(e.setting("gap", "0"));
        const int span = cells * cell + (cells - 1) * gap;
        EXPECT_EQ(e.width, 2 * left + span);
        EXPECT_EQ(e.height, 2 * top + span);
        Canvas board = paint(e);
        for (int row = 0; row < cells; ++row)
            for (int col = 0; col < cells; ++col)
            {
                const int x0 = left + col * (cell + gap), y0 = top + row * (cell + gap);
                // Sample near two opposite corners so a square shifted by a few pixels fails.
                for (auto [x, y] : {std::pair{x0 + 2, y0 + 2}, std::pair{x0 + cell - 3, y0 + cell - 3}})
                {
                    const bool light = brightness(board.at(x, y)) > 450;
                    EXPECT_EQ(light, (row + col) % 2 == 0)
                        << "cell " << row << ", " << col << " at " << x << ", " << y;
                }
            }
    }
}

// The game hit-tests loose pieces by alpha and fixes each at its place less
// (11, 26): the place must be opaque, the corners beside the tabs clear, and a
// tab above only where a piece lies above it.
TEST_F(BoardLayoutPaintTest, JigsawPiecesCoverTheirPlaceAndTabs)
{
    for (int index = 1; index <= 24; ++index)
    {
        const std::string id = "IMAGE_MG_PUZZLE_PIECE" + std::to_string(index);
        SCOPED_TRACE(id);
        const ResourceEntry& e = entry(id);
        ASSERT_EQ(e.width, contentgen::kJigsawPlaceWidth + 22);
        ASSERT_EQ(e.height, contentgen::kJigsawPlaceHeight + 26);
        Canvas piece = paint(e);
        for (auto [x, y] : {std::pair{13, 28}, std::pair{105, 28}, std::pair{13, 136}, std::pair{105, 136}})
            EXPECT_EQ(alpha(piece.at(x, y)), 255) << x << ", " << y;
        for (auto [x, y] : {std::pair{0, 0}, std::pair{e.width - 1, 0}, std::pair{0, e.height - 1},
                            std::pair{e.width - 1, e.height - 1}})
            EXPECT_EQ(alpha(piece.at(x, y)), 0) << x << ", " << y;
        const bool inTopRow = index <= 6;
        EXPECT_EQ(alpha(piece.at(e.width / 2, 10)) > 128, !inTopRow);
    }
}

// The clock game turns each hand about the picture's centre on the dial centre,
// so the hand has to cover the centre and point up from it.
TEST_F(BoardLayoutPaintTest, ClockHandsTurnAboutTheirCentre)
{
    for (const char* id : {"IMAGE_MG_CLOCK_HAND_MINUTE", "IMAGE_MG_CLOCK_HAND_HOUR"})
    {
        SCOPED_TRACE(id);
        const ResourceEntry& e = entry(id);
        Canvas hand = paint(e);
        EXPECT_GT(alpha(hand.at(e.width / 2, e.height / 2)), 200);
        EXPECT_GT(alpha(hand.at(e.width / 2, e.height / 8)), 200);
        EXPECT_LT(alpha(hand.at(e.width / 2, e.height - 2)), 50);
    }
}

// Each measure carries a mark on the rows where its vessel's liquid is empty and full.
TEST_F(BoardLayoutPaintTest, MeasuresMarkTheEmptyAndFullLevels)
{
    for (const char* id :
         {"IMAGE_MG_SCALE_GLASS", "IMAGE_MG_SCALE_GLASS2", "IMAGE_MG_SCALE_BOTTLE", "IMAGE_MG_SCALE_BOTTLE2"})
    {
        SCOPED_TRACE(id);
        const ResourceEntry& e = entry(id);
        Canvas scale = paint(e);
        const int zero = std::stoi(e.setting("zero")), full = std::stoi(e.setting("full"));
        EXPECT_LT(zero, e.height);
        EXPECT_LT(brightness(scale.at(3, zero)), 300);
        EXPECT_LT(brightness(scale.at(3, full)), 300);
        EXPECT_GT(brightness(scale.at(3, (zero + full) / 2 + 3)), 500);
    }
}

} // namespace
