#include "framework/app/CursorSelection.h"

#include "framework/app/ProgramCursors.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace Quib;

namespace
{

struct FakeCursorHost : CursorHost
{
    bool HasDisplay() override { return display; }
    bool IsWindowHidden() override { return hidden; }
    bool IsMouseInside() override { return inside; }
    bool IsPlayingDemo() override { return playing; }
    bool IsMouseOverApplication() override { return overApplication; }
    bool ChangeCursorImage(Image* image) override
    {
        const bool changed = image != softwareImage;
        softwareImage = image;
        return changed;
    }
    void ShowDesktopCursor(int number) override { desktop = number; }
    void HideDesktopCursor() override { desktop = -1; }
    void ForceRedraw() override { ++redraws; }

    bool display = true;
    bool hidden = false;
    bool inside = true;
    bool playing = false;
    bool overApplication = true;
    Image* softwareImage = nullptr;
    int desktop = -2; // -1 hidden, -2 never set
    int redraws = 0;
};

Image* fakeImage(int id)
{
    return reinterpret_cast<Image*>(static_cast<uintptr_t>(id) * 64);
}

class CursorSelectionTest : public ::testing::Test
{
protected:
    FakeCursorHost host;
    CursorSelection cursors{host};
};

TEST_F(CursorSelectionTest, ImagesReplaceTheDesktopCursorOnlyWhenAllowed)
{
    cursors.SetCustomCursorImage(CURSOR_HAND, fakeImage(1));
    cursors.SelectCursor(CURSOR_HAND);
    EXPECT_EQ(host.desktop, CURSOR_HAND); // custom cursors are off
    EXPECT_EQ(host.softwareImage, nullptr);

    cursors.SetCustomCursorImage(CURSOR_CUSTOM, fakeImage(2));
    cursors.SelectCursor(CURSOR_CUSTOM); // number 12 always uses its image
    EXPECT_EQ(host.desktop, -1);
    EXPECT_EQ(host.softwareImage, fakeImage(2));
    EXPECT_EQ(host.redraws, 1);

    cursors.SetCustomCursorsEnabled(true);
    cursors.SelectCursor(CURSOR_HAND);
    EXPECT_EQ(host.softwareImage, fakeImage(1));
    EXPECT_EQ(host.redraws, 2);
    cursors.ApplyCursor();
    EXPECT_EQ(host.redraws, 2); // no change, no forced frame
}

TEST_F(CursorSelectionTest, DesktopCursorsByNumberAndTheArrowOutsideTheWindow)
{
    const struct
    {
        int number;
        int desktop;
    } cases[] = {{CURSOR_POINTER, CURSOR_POINTER},
                 {CURSOR_TEXT, CURSOR_TEXT},
                 {CURSOR_WAIT, CURSOR_WAIT},
                 {CURSOR_NONE, -1},
                 {CURSOR_CUSTOM, -1}};
    for (const auto& c : cases)
    {
        cursors.SelectCursor(c.number);
        EXPECT_EQ(host.desktop, c.desktop) << c.number;
    }
    host.inside = false;
    cursors.ApplyCursor();
    EXPECT_EQ(host.desktop, CURSOR_POINTER);
    host.inside = true;
    host.hidden = true;
    cursors.SelectCursor(CURSOR_NONE);
    EXPECT_EQ(host.desktop, CURSOR_POINTER);
}

TEST_F(CursorSelectionTest, PlaybackShowsTheNoCursorOverTheApplication)
{
    host.playing = true;
    cursors.SetCustomCursorImage(CURSOR_HAND, fakeImage(1));
    cursors.SelectCursor(CURSOR_HAND);
    EXPECT_EQ(host.softwareImage, fakeImage(1));
    EXPECT_EQ(host.desktop, CURSOR_CIRCLE_SLASH);
    host.overApplication = false;
    cursors.ApplyCursor();
    EXPECT_EQ(host.desktop, CURSOR_POINTER);
}

TEST_F(CursorSelectionTest, OutOfRangeNumbersAndNoDisplayChangeNothing)
{
    cursors.SelectCursor(CURSOR_TEXT);
    cursors.SelectCursor(13);
    cursors.SelectCursor(-1);
    cursors.SetCustomCursorImage(40, fakeImage(3));
    EXPECT_EQ(cursors.mCursorNumber, CURSOR_TEXT);
    host.display = false;
    host.desktop = -2;
    cursors.SelectCursor(CURSOR_WAIT);
    EXPECT_EQ(host.desktop, -2);
}

TEST(ProgramCursors, HandsAreDrawnFromTheirPicturesWithTheirHotSpots)
{
    const ProgramCursorImage hand = HandCursorImage();
    ASSERT_EQ(hand.pixels.size(), 32u * 32u);
    EXPECT_EQ(hand.hotX, 11);
    EXPECT_EQ(hand.hotY, 4);
    EXPECT_EQ(hand.pixels[4 * 32 + 11], 0xFF000000u); // the fingertip's outline
    EXPECT_EQ(hand.pixels[5 * 32 + 11], 0xFFFFFFFFu);
    EXPECT_EQ(hand.pixels[4 * 32 + 10], 0u);
    EXPECT_EQ(hand.pixels[0], 0u);
    EXPECT_EQ(hand.pixels[25 * 32 + 20], 0xFF000000u); // the bottom edge

    const ProgramCursorImage drag = DraggingHandCursorImage();
    EXPECT_EQ(drag.hotX, 15);
    EXPECT_EQ(drag.hotY, 10);
    EXPECT_EQ(drag.pixels[4 * 32 + 15], 0xFF000000u);
    int opaque = 0;
    for (uint32_t p : drag.pixels)
        opaque += p != 0;
    EXPECT_GT(opaque, 200);
}

} // namespace
