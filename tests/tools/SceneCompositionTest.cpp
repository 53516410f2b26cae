#include "platform/ColorGlyphs.h"
#include "tools/contentgen/Canvas.h"
#include "tools/contentgen/ItemPictures.h"
#include "tools/contentgen/Painters.h"
#include "tools/contentgen/RoomPainter.h"
#include "tools/contentgen/SceneAuthor.h"
#include "tools/contentgen/SceneRooms.h"

#include <gtest/gtest.h>
#include <set>

namespace
{

const char* const kColorEmojiFont = "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf";

uint32_t alphaAt(const contentgen::Canvas& canvas, int x, int y)
{
    return canvas.at(x, y) >> 24;
}

TEST(SceneCompositionTest, TurningMovesPixelsClockwiseAboutTheCentre)
{
    contentgen::Canvas picture(20, 20);
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x)
            picture.pixels()[y * 20 + x] = 0xFFFF0000u;
    contentgen::Canvas quarter = picture.turned(90);
    EXPECT_EQ(alphaAt(quarter, 15, 3), 255u); // top left went to the top right
    EXPECT_EQ(quarter.at(15, 3) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(alphaAt(quarter, 3, 3), 0u);
    contentgen::Canvas half = picture.turned(180);
    EXPECT_EQ(alphaAt(half, 16, 16), 255u);
    EXPECT_EQ(alphaAt(half, 3, 3), 0u);
}

// A turned object is shrunk to stay whole: nothing of it reaches the corners
// of its picture, while the unturned one fills the picture's width.
TEST(SceneCompositionTest, TurnedObjectsKeepTheirCorners)
{
    contentgen::PaintContext context(platform::ColorGlyphFace::open(kColorEmojiFont));
    const contentgen::Canvas upright = contentgen::emojiPicture(context, 0x1F4E6, 48);
    const contentgen::Canvas turned = contentgen::emojiPicture(context, 0x1F4E6, 48, 30);
    ASSERT_EQ(turned.width(), 48);
    int uprightWidth = 0;
    for (int x = 0; x < 48; ++x)
        uprightWidth += alphaAt(upright, x, 24) >= 128;
    EXPECT_GT(uprightWidth, 34);
    for (auto [x, y] : {std::pair{0, 0}, {47, 0}, {0, 47}, {47, 47}, {1, 1}, {46, 46}})
        EXPECT_LT(alphaAt(turned, x, y), 128u) << x << "," << y;
}

// Every room is cluttered, and nothing in its clutter looks like one of the
// room's own objects.
TEST(SceneCompositionTest, ClutterIsDenseAndNoObjectOfTheRoom)
{
    for (const contentgen::SceneRoom& room : contentgen::sceneRooms())
    {
        std::set<char32_t> own = {room.group.emoji, room.combined.emoji, room.location.emoji};
        for (const contentgen::RoomObject& object : room.objects)
            own.insert(object.emoji);
        const std::vector<contentgen::ClutterThing> clutter =
            contentgen::roomClutter(room, contentgen::layoutRoom(room));
        EXPECT_GE(clutter.size(), 40u) << "Scene" << room.number;
        for (const contentgen::ClutterThing& thing : clutter)
        {
            EXPECT_FALSE(own.count(thing.codePoint))
                << "Scene" << room.number << " " << std::hex << uint32_t(thing.codePoint);
            EXPECT_GE(thing.x, 132) << "Scene" << room.number;
            EXPECT_LE(thing.x + thing.size, 800) << "Scene" << room.number;
        }
    }
}

TEST(SceneCompositionTest, AuthoringIsDeterministic)
{
    contentgen::PaintContext context(platform::ColorGlyphFace::open(kColorEmojiFont));
    const contentgen::SceneRoom& library = contentgen::sceneRooms()[4];
    contentgen::SceneFiles first, second;
    std::string error;
    ASSERT_TRUE(contentgen::authorScene(library, context, first, error)) << error;
    ASSERT_TRUE(contentgen::authorScene(library, context, second, error)) << error;
    EXPECT_EQ(first.full, second.full);
    EXPECT_EQ(first.tenItems, second.tenItems);
    EXPECT_NE(first.full.find("name=\"Clutter 1\""), std::string::npos);
}

} // namespace
