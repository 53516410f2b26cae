#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using Quib::Color;
using Quib::Font;
using Quib::Graphics;
using Quib::Rect;

namespace
{

struct Draw
{
    std::string text;
    int x;
    int y;
    uint32_t color;
    bool operator==(const Draw&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Draw& d)
{
    return out << "{'" << d.text << "' " << d.x << "," << d.y << " " << std::hex << d.color << std::dec
               << "}";
}

// Every character 10 wide except 'i' (4), ' ' (5) and 'W' (30); 'A' after 'V'
// moves 2 closer. Ascent 16, padding 2, height 20, line spacing 18.
class FixtureFont : public Font
{
public:
    FixtureFont()
    {
        mAscent = 16;
        mAscentPadding = 2;
        mHeight = 20;
        mLineSpacingOffset = -2;
    }

    static int Width(char c) { return c == 'i' ? 4 : c == ' ' ? 5 : c == 'W' ? 30 : 10; }

    int GetStringWidth(const std::string& text) override
    {
        int width = 0;
        char prev = 0;
        for (char c : text)
        {
            width += GetKernedCharWidth(c, prev);
            prev = c;
        }
        return width;
    }
    int GetCharWidth(char c) override { return Width(c); }
    int GetKernedCharWidth(char c, char prev) override
    {
        return Width(c) - (prev == 'V' && c == 'A' ? 2 : 0);
    }
    void DrawString(Graphics*, int x, int y, const std::string& text, const Color& color,
                    const Rect&) override
    {
        if (!text.empty())
            draws.push_back({text, x, y, color.PackARGB()});
    }
    Font* Clone() override { return new FixtureFont(*this); }

    std::vector<Draw> draws;
};

Quib::MemoryImage MakeImage()
{
    Quib::MemoryImage image;
    image.Create(400, 400);
    return image;
}

struct Context
{
    Quib::MemoryImage image = MakeImage();
    FixtureFont font;
    Graphics g{&image};

    Context()
    {
        g.SetFont(&font);
        g.SetColor(Color(10, 20, 30, 200));
    }
};

} // namespace

TEST(FontTextLayoutTest, BaseMetricsAndWidths)
{
    FixtureFont font;
    EXPECT_EQ(font.GetDescent(), 4);
    EXPECT_EQ(font.GetLineSpacing(), 18);
    EXPECT_EQ(font.GetKernedCharWidth('A', 'V'), 8);
    EXPECT_EQ(font.GetStringWidth("VA"), 18);
}

TEST(FontTextLayoutTest, ColourCodedLines)
{
    const uint32_t start = 0xC80A141E;
    struct Case
    {
        const char* text;
        std::vector<Draw> draws;
        int width;
    };
    const Case cases[] = {
        {"Hello ^FF0000^World", {{"Hello ", 0, 0, start}, {"World", 55, 0, 0xC8FF0000}}, 125},
        {"a^^b", {{"a^b", 0, 0, start}}, 30},
        {"abc^12", {{"abc", 0, 0, start}}, 30},
        {"^00FF00^a^oldclr^b", {{"a", 0, 0, 0xC800FF00}, {"b", 10, 0, start}}, 20},
        {"^oxxxxx^a", {{"a", 0, 0, 0xC8000000}}, 10},
        {"^FF0000xab", {{"ab", 0, 0, 0xC8FF0000}}, 20},
        {"^gG12z9^a", {{"a", 0, 0, 0xC8001209}}, 10},
        {"V^FF0000^A", {{"V", 0, 0, start}, {"A", 10, 0, 0xC8FF0000}}, 20},
    };
    for (const Case& c : cases)
    {
        Context ctx;
        EXPECT_EQ(ctx.g.DrawStringWithColorCodes(c.text, 0, 0, 0, -1), c.width) << c.text;
        EXPECT_EQ(ctx.font.draws, c.draws) << c.text;

        Context measure;
        EXPECT_EQ(measure.g.DrawStringWithColorCodes(c.text, 0, 0, 0, -1, false), c.width) << c.text;
        EXPECT_TRUE(measure.font.draws.empty());
        EXPECT_EQ(measure.g.GetColor(), Color(10, 20, 30, 200));
    }
}

TEST(FontTextLayoutTest, CodesOffPartsAndOldColour)
{
    Context off;
    off.g.mColorCodesEnabled = false;
    EXPECT_EQ(off.g.DrawStringWithColorCodes("^FF0000^", 3, 7, 0, -1), 80);
    EXPECT_EQ(off.font.draws, (std::vector<Draw>{{"^FF0000^", 3, 7, 0xC80A141E}}));

    Context part;
    EXPECT_EQ(part.g.DrawStringWithColorCodes("Hello World", 0, 0, 0, -1, true, 6, 3), 50);
    EXPECT_EQ(part.font.draws, (std::vector<Draw>{{"Wor", 0, 0, 0xC80A141E}}));

    Context old;
    old.g.DrawStringWithColorCodes("^oldclr^x^123456^", 0, 0, 0, -1, true, 0, -1, int32_t(0x11AABBCC));
    EXPECT_EQ(old.font.draws, (std::vector<Draw>{{"x", 0, 0, 0xC8AABBCC}}));
    EXPECT_EQ(old.g.GetColor(), Color(0x12, 0x34, 0x56, 200)); // the last code's colour stays
}

TEST(FontTextLayoutTest, Justification)
{
    struct Case
    {
        int justification;
        int width;
        int expectedX;
    };
    // "aaa" is 30 wide.
    const Case cases[] = {{0, 25, 98}, {0, 40, 105}, {1, 25, 95}, {1, 40, 110}, {-1, 25, 100}, {7, 40, 100}};
    for (const Case& c : cases)
    {
        Context ctx;
        EXPECT_EQ(ctx.g.DrawStringWithColorCodes("aaa", 100, 50, c.width, c.justification), 30);
        ASSERT_EQ(ctx.font.draws.size(), 1u);
        EXPECT_EQ(ctx.font.draws[0].x, c.expectedX) << c.justification << " in " << c.width;
    }
}

TEST(FontTextLayoutTest, WordWrapping)
{
    struct Case
    {
        const char* text;
        int width;
        std::vector<std::string> lines;
        int height;
    };
    // One line is 18 high (height 20 - padding 2); each further line adds the spacing of 18.
    const Case cases[] = {
        {"aaa bbb", 50, {"aaa", "bbb"}, 36},
        {"aaa    bbb", 50, {"aaa   ", "bbb"}, 36},
        {"aaa    bbb", 37, {"aaa ", "bbb"}, 36},
        {"aa\n  bb", 100, {"aa", "  bb"}, 36},
        {"aaaaaaa", 35, {"aaa", "aaa", "a"}, 54},
        {"WWa", 20, {"W", "W", "a"}, 54},
        {"abc\n", 100, {"abc"}, 36},
        {"a\n\nb", 100, {"a", "b"}, 54},
        {"", 100, {}, 0},
        {"fits on one", 1000, {"fits on one"}, 18},
    };
    for (const Case& c : cases)
    {
        Context ctx;
        const int height = ctx.g.DrawStringWrapped(c.text, Rect(5, 40, c.width, 0));
        EXPECT_EQ(height, c.height) << c.text;
        std::vector<std::string> lines;
        for (size_t i = 0; i < ctx.font.draws.size(); ++i)
        {
            lines.push_back(ctx.font.draws[i].text);
            EXPECT_EQ(ctx.font.draws[i].x, 5);
        }
        EXPECT_EQ(lines, c.lines) << c.text;
        EXPECT_EQ(ctx.g.MeasureWrappedHeight(c.width, c.text), c.height) << c.text;
    }
    Context empty;
    EXPECT_EQ(empty.g.DrawStringWrapped("", Rect(0, 0, 100, 0)), 20 - 2 - 18);
}

TEST(FontTextLayoutTest, WrappedLinesPlacedClippedAndColoured)
{
    Context ctx;
    // Baselines at 40 + 14 = 54, 72, 90, 108, 126: the first lies above the clip, the
    // fourth a full line spacing below it; the last line is drawn whatever its place.
    ctx.g.ClipRect(0, 60, 400, 30);
    ctx.g.SetColor(Color::White);
    const int height = ctx.g.DrawStringWrapped("aa ^00FF00^bb cc dd ee", Rect(0, 40, 25, 0));
    EXPECT_EQ(height, 14 + 4 * 18 + 4);
    EXPECT_EQ(ctx.font.draws,
              (std::vector<Draw>{
                  {"bb", 0, 72, 0xFF00FF00}, {"cc", 0, 90, 0xFF00FF00}, {"ee", 0, 126, 0xFF00FF00}}));
    EXPECT_EQ(ctx.g.GetColor(), Color::White);

    Context top;
    EXPECT_EQ(top.g.DrawStringWrapped("ab", 7, 30, 100), 18);
    EXPECT_EQ(top.font.draws, (std::vector<Draw>{{"ab", 7, 30, 0xC80A141E}}));
}
