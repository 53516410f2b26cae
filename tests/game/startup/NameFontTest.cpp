#include "framework/graphics/Font.h"
#include "game/frontend/PlayerNameEntry.h"
#include "game/shell/Resources.h"
#include "tests/game/support/GameHarness.h"

#include <gtest/gtest.h>

namespace
{

using gameharness::GameHarness;

// Every byte a player may type into a name: printable ASCII and the upper
// half of the code page, without the five bytes it leaves unassigned, the
// no-break space and the soft hyphen.
bool MayBeTyped(int c)
{
    if (c < 32 || c == 127 || c == 0xA0 || c == 0xAD)
        return false;
    return c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D;
}

TEST(NameFontTest, EveryCharacterANameMayHoldHasAGlyphInTheFontsThatDrawNames)
{
    GameHarness game;
    game.Boot();
    game.FinishLoading();
    ASSERT_TRUE(game.Update());
    for (Quib::Font* font : {FONT_ITEM_LABELS, FONT_BUTTON_LABELS})
    {
        ASSERT_NE(font, nullptr);
        for (int c = 0; c < 256; ++c)
        {
            if (!MayBeTyped(c) || !IsPlayerNameCharacter(char(c)))
                continue;
            EXPECT_GT(font->GetCharWidth(char(c)), 0) << "byte " << c;
        }
    }
}

} // namespace
