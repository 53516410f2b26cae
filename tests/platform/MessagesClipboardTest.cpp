#include "platform/Clipboard.h"
#include "platform/Window.h"

#include <SDL.h>
#include <gtest/gtest.h>

using namespace platform;

TEST(MessagesClipboard, TextCrossesTheClipboardAsUtf8AndComesBackAsWindows1252)
{
    Window window;
    ASSERT_TRUE(window.create("Clipboard", 64, 64, false));
    ASSERT_TRUE(setClipboardText("caf\xE9 \x80 5"));
    char* raw = SDL_GetClipboardText();
    ASSERT_NE(raw, nullptr);
    EXPECT_STREQ(raw, "caf\xC3\xA9 \xE2\x82\xAC 5");
    SDL_free(raw);
    EXPECT_EQ(clipboardText(), "caf\xE9 \x80 5");
    ASSERT_EQ(SDL_SetClipboardText("\xE6\x97\xA5\xE6\x9C\xAC x"), 0);
    EXPECT_EQ(clipboardText(), "?? x");
}
