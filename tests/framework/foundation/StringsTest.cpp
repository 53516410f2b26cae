#include "framework/foundation/Strings.h"

#include "framework/foundation/FormatString.h"
#include "framework/foundation/NumberText.h"

#include <gtest/gtest.h>
#include <map>

using namespace Quib;

namespace
{

TEST(Strings, CaseInsensitiveOrder)
{
    LessNoCase less;
    EXPECT_TRUE(less("abc", "ABD"));
    EXPECT_FALSE(less("ABC", "abc"));
    EXPECT_FALSE(less("abc", "ABC"));
    EXPECT_TRUE(less("ab", "ABC"));
    EXPECT_FALSE(less("abc", "AB"));
    // Bytes compare unsigned, and letters fold to lower case: "_" (0x5F) lies
    // between the two cases, so it sorts before every letter.
    EXPECT_TRUE(less("a", "\xE9"));
    EXPECT_TRUE(less("_", "A"));
    EXPECT_FALSE(less("a", "_"));

    std::map<std::string, int, LessNoCase> map;
    map["Button"] = 1;
    map["BUTTON"] = 2;
    EXPECT_EQ(map.size(), 1u);
    EXPECT_EQ(map.at("button"), 2);
}

TEST(Strings, CaseConversionIsAsciiOnly)
{
    EXPECT_EQ(ToUpperCopy("abc-XYZ_09\xE9"), "ABC-XYZ_09\xE9");
    EXPECT_EQ(ToLowerCopy("ABC-xyz_09\xC9"), "abc-xyz_09\xC9");
}

TEST(Strings, WideningAndNarrowing)
{
    EXPECT_EQ(WidenString("a\xE9\xFF"), std::wstring(L"a\u00E9\u00FF"));
    EXPECT_EQ(NarrowString(std::wstring(L"a\u00E9\u00FF")), "a\xE9\xFF");
    EXPECT_EQ(NarrowString(std::wstring(L"price \u20AC")), "");
    EXPECT_EQ(NarrowString(std::string("plain")), "plain");
    const std::string all = []
    {
        std::string s;
        for (int i = 1; i < 256; ++i)
            s += char(i);
        return s;
    }();
    EXPECT_EQ(NarrowString(WidenString(all)), all);
    const std::string longText(20000, 'w');
    EXPECT_EQ(NarrowString(WidenString(longText)), longText);
}

TEST(Strings, TrimAndFind)
{
    EXPECT_EQ(TrimWhitespace(" \t\r\n x y \v\f"), "x y");
    EXPECT_EQ(TrimWhitespace("    "), "");
    EXPECT_EQ(TrimWhitespace(""), "");
    EXPECT_EQ(TrimWhitespace("\xA0x\xA0"), "\xA0x\xA0");

    struct Case
    {
        const char* haystack;
        const char* needle;
        int index;
    };
    const Case cases[] = {
        {"Hello World", "WORLD", 6}, {"Hello", "", 0},   {"", "", -1},    {"", "a", -1},
        {"abc", "abcd", -1},         {"aaab", "AAB", 1}, {"abc", "C", 2}, {"abc", "x", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindNoCase(c.haystack, c.needle), c.index) << c.haystack << " / " << c.needle;
}

TEST(NumberText, ParseInt)
{
    struct Case
    {
        const char* text;
        bool ok;
        int value;
    };
    const Case cases[] = {
        {"123", true, 123},       {"-42", true, -42},       {"0x1F", true, 31},
        {"0X1f", true, 31},       {"0xff", true, 255},      {"-x10", true, -16},
        {"-", true, 0},           {"0x", true, 0},          {"0", true, 0},
        {"007", true, 7},         {"4294967295", true, -1}, {"2147483648", true, INT32_MIN},
        {"0xFFFFFFFF", true, -1}, {"12a", false, 0},        {"", false, 0},
        {" 1", false, 0},         {"+1", false, 0},         {"1 ", false, 0},
        {"--1", false, 0},        {"1.5", false, 0},        {"-0x10", false, 0},
        {"1x5", false, 0},        {"x5", false, 0},         {"0xx", false, 0},
        {"0xG", false, 0},        {"\xB9", false, 0},
    };
    for (const auto& c : cases)
    {
        int value = 12345;
        EXPECT_EQ(ParseInt(c.text, value), c.ok) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

TEST(NumberText, ParseDouble)
{
    struct Case
    {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"3.25", true, 3.25},  {"-0.5", true, -0.5}, {"5.", true, 5.0},     {".5", true, 0.5},
        {"42", true, 42.0},    {"-", true, 0.0},     {".", true, 0.0},      {"1e3", false, 0.0},
        {"1.2.3", false, 0.0}, {"", false, 0.0},     {" 1", false, 0.0},    {"+1", false, 0.0},
        {"1.5 ", false, 0.0},  {"1,5", false, 0.0},  {"-.25", true, -0.25},
    };
    for (const auto& c : cases)
    {
        double value = 99.0;
        EXPECT_EQ(ParseDouble(c.text, value), c.ok) << c.text;
        EXPECT_DOUBLE_EQ(value, c.value) << c.text;
    }
    // The fraction is summed digit by digit with a shrinking factor, not parsed
    // exactly, and stored files were written against that sum.
    double value = 0.0;
    ASSERT_TRUE(ParseDouble("0.123", value));
    EXPECT_EQ(value, 0.1 + 2 * 0.01 + 3 * (0.01 / 10));
}

TEST(NumberText, GroupThousands)
{
    struct Case
    {
        int number;
        const char* text;
    };
    const Case cases[] = {{0, "0"},
                          {7, "7"},
                          {999, "999"},
                          {1000, "1,000"},
                          {100000, "100,000"},
                          {1234567, "1,234,567"},
                          {INT32_MAX, "2,147,483,647"},
                          {-1, ""},
                          {INT32_MIN, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(GroupThousands(c.number), c.text) << c.number;
}

TEST(FormatString, FormatsTextsOfAnyLength)
{
    EXPECT_EQ(FormatString("%d-%s-%.2f", 42, "x", 1.005), "42-x-1.00");
    EXPECT_EQ(FormatString("%s", ""), "");
    for (size_t length : {159u, 160u, 161u, 320u, 321u, 1500000u})
    {
        const std::string text(length, 'k');
        const std::string result = FormatString("%s", text.c_str());
        EXPECT_EQ(result.size(), length);
        EXPECT_EQ(result, text);
    }
    EXPECT_EQ(FormatString("%c%c", 'a', 0).size(), 2u);
}

} // namespace
