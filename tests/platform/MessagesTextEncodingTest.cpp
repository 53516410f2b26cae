#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(MessagesTextEncoding, EveryWindows1252ByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = windows1252ToUtf8(all);
    EXPECT_EQ(utf8ToWindows1252(utf8), all);
}

TEST(MessagesTextEncoding, KnownCharactersMapBothWays)
{
    const struct
    {
        const char* utf8;
        const char* cp1252;
    } cases[] = {
        {"\xE2\x82\xAC", "\x80"}, // euro sign
        {"\xC5\xB8", "\x9F"},     // Y with diaeresis
        {"\xE2\x80\x94", "\x97"}, // em dash
        {"\xC3\xA9t\xC3\xA9", "\xE9t\xE9"},
        {"\xC2\xA0", "\xA0"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(utf8ToWindows1252(c.utf8), c.cp1252);
        EXPECT_EQ(windows1252ToUtf8(c.cp1252), c.utf8);
    }
}

TEST(MessagesTextEncoding, UnrepresentableAndMalformedInputIsReplacedOrDropped)
{
    const struct
    {
        std::string utf8;
        const char* replaced;
    } cases[] = {
        {"a\xE6\x97\xA5"
         "b",
         "a?b"},                   // outside the code page
        {"\xF0\x9F\x98\x80", "?"}, // four-byte sequence
        {"\xC3", "?"},             // truncated
        {"\xC0\xAF", "??"},        // overlong
        {"\xED\xA0\x80", "???"},   // surrogate
        {"\x80x", "?x"},           // stray continuation byte
        {"\xE2\x82", "??"},        // truncated three-byte sequence
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(utf8ToWindows1252(c.utf8), c.replaced);
        std::string dropped = c.replaced;
        std::erase(dropped, '?');
        EXPECT_EQ(utf8ToWindows1252(c.utf8, '\0'), dropped);
    }
}
