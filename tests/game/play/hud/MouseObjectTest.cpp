#include "game/play/hud/MouseObject.h"

#include "framework/graphics/Graphics.h"
#include "game/play/hud/MouseRunOwner.h"
#include "game/shell/Action.h"
#include "game/shell/Resources.h"
#include "tests/game/play/hud/HudTestSupport.h"
#include "tests/game/shell/ShellTestSupport.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace
{

using shelltest::FakeGameTime;
using shelltest::PlainPicture;

struct RunEnds : MouseRunOwner
{
    void EndMouseRun() override { ++mEnded; }
    int mEnded = 0;
};

// The pointer picture is in place before the mouse takes it.
struct PointerPicture
{
    PointerPicture() { IMAGE_CUSTOM_POINTER = picture.get(); }
    ~PointerPicture() { IMAGE_CUSTOM_POINTER = nullptr; }
    std::unique_ptr<Quib::MemoryImage> picture = PlainPicture(8, 8, 0xFFFFFFFF);
};

struct Mouse : ::testing::Test
{
    void Frame(uint32_t ms = 10)
    {
        time.Advance(ms);
        mouse->UpdateFraction(1.0f);
    }
    // The middle of what the 8 x 8 copy of the pointer covers now, less half
    // the picture: its top left corner; none drawn gives (-1, -1).
    std::pair<int, int> Drawn()
    {
        auto screen = hudtest::BlackScreen();
        Quib::Graphics g(screen.get());
        mouse->DrawOverlay(&g);
        int left = 800, top = 600, right = -1, bottom = -1;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                if (screen->GetBits()[y * 800 + x] != 0xFF000000u)
                {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        if (right < 0)
            return {-1, -1};
        return {(left + right + 1) / 2 - 4, (top + bottom + 1) / 2 - 4};
    }

    FakeGameTime time;
    PointerPicture pointer;
    RunEnds owner;
    std::unique_ptr<MouseObject> mouse = std::make_unique<MouseObject>(&owner);
};

TEST_F(Mouse, TheSpiralStartsAtThePointAndEndsAboutThreeHundredAndSixtyPixelsAway)
{
    ASSERT_EQ(mouse->mPath.size(), 720u);
    EXPECT_EQ(mouse->mPath.front(), std::make_pair(0, 0));
    const auto [x, y] = mouse->mPath.back();
    EXPECT_NEAR(std::hypot(x, y), 359.5, 1.5);
    // Just under two turns: the last point lies a little below the first direction.
    EXPECT_GT(x, 350);
    EXPECT_LT(y, 0);
}

// The spiral is mirrored so that it opens towards the middle of the screen.
TEST_F(Mouse, RunsTowardsTheScreensCentreFromEitherSide)
{
    struct Case
    {
        int x, y;
        int signX, signY;
    };
    const Case cases[] = {{100, 100, 1, 1}, {400, 100, -1, 1}, {100, 300, 1, -1}, {700, 500, -1, -1}};
    for (const Case& c : cases)
    {
        mouse->Start(c.x, c.y);
        EXPECT_EQ(mouse->mSignX, c.signX) << c.x << "," << c.y;
        EXPECT_EQ(mouse->mSignY, c.signY) << c.x << "," << c.y;
        EXPECT_EQ(Drawn(), std::make_pair(-1, -1)) << "nothing at step 0";
        for (int i = 0; i < 40; ++i)
            Frame();
        ASSERT_GT(mouse->mStep, 100);
        const auto [dx, dy] = mouse->mPath[size_t(mouse->mStep)];
        // The filtered sub-pixel blit may spread the picture a pixel.
        const auto [x, y] = Drawn();
        EXPECT_NEAR(x, c.x + c.signX * dx, 1);
        EXPECT_NEAR(y, c.y + c.signY * dy, 1);
        mouse->mRun->Stop();
    }
}

TEST_F(Mouse, TheRunLastsASecondAndAHalfOfGameTimeAndThenEndsOnce)
{
    mouse->Start(200, 200);
    for (int i = 0; i < 148; ++i)
        Frame();
    EXPECT_TRUE(mouse->IsRunning());
    EXPECT_EQ(owner.mEnded, 0);
    for (int i = 0; i < 5; ++i)
        Frame();
    EXPECT_FALSE(mouse->IsRunning());
    EXPECT_EQ(mouse->mStep, 719);
    EXPECT_EQ(owner.mEnded, 1);
    EXPECT_EQ(Drawn(), std::make_pair(-1, -1));
    for (int i = 0; i < 20; ++i)
        Frame();
    EXPECT_EQ(owner.mEnded, 1);
}

} // namespace
