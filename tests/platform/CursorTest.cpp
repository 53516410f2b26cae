#include "platform/Cursor.h"

#include "platform/Window.h"

#include <gtest/gtest.h>
#include <vector>

using namespace platform;

TEST(Cursor, ImagesOutsideTheLimitsMakeNoCursor)
{
    Window window;
    ASSERT_TRUE(window.create("Cursor", 64, 64, false));
    std::vector<uint32_t> pixels(300 * 300, 0xFF000000);
    EXPECT_FALSE(Cursor::fromImage(nullptr, 32, 32, 0, 0).isValid());
    EXPECT_FALSE(Cursor::fromImage(pixels.data(), 0, 32, 0, 0).isValid());
    EXPECT_FALSE(Cursor::fromImage(pixels.data(), 300, 32, 0, 0).isValid());
    EXPECT_FALSE(Cursor::fromImage(pixels.data(), 32, 32, 32, 0).isValid());
    EXPECT_FALSE(Cursor::fromImage(pixels.data(), 32, 32, 0, -1).isValid());
    // Setting an invalid cursor leaves the current one alone.
    setCursor(Cursor());
    showCursor(false);
    showCursor(true);
}
