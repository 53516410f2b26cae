#include "framework/graphics/ImageFont.h"

#include "framework/graphics/FontData.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "tests/framework/graphics/FontTestHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using Quib::Color;
using Quib::Graphics;
using Quib::ImageFont;
using Quib::MemoryImage;
using Quib::Rect;

namespace
{

const std::string kFonts = std::string(ORVELLAN_FIXTURES_DIR) + "/fonts/";

// A solid white picture, 64 x 16, whose glyphs 'A' and 'B' are 4 and 6 wide.
std::string SolidLayerImage()
{
    static const std::string path = []
    {
        std::vector<uint32_t> pixels(64 * 16, 0xFFFFFFFF);
        std::string file = ::testing::TempDir() + "solid64x16.png";
        testsupport::WritePng(file, pixels.data(), 64, 16);
        return file;
    }();
    return path;
}

// One layer per name, each with 'A' (4 wide) and 'B' (6 wide) over the solid picture.
std::string Layer(const std::string& name, const std::string& extra = "")
{
    return "CreateLayer " + name + "; LayerSetImage " + name + " '" + SolidLayerImage() + "';" +
           "LayerSetAscent " + name + " 10; LayerSetHeight " + name + " 14;" + "LayerSetImageMap " + name +
           " ('A' 'B') ((0 0 4 12) (4 0 6 12));" + "LayerSetCharWidths " + name + " ('A' 'B') (4 6);" + extra;
}

std::unique_ptr<ImageFont> MakeFont(FakeFontHost& host, const std::string& text)
{
    auto font = std::make_unique<ImageFont>(&host, WriteTempFile("imagefont.txt", text));
    EXPECT_TRUE(font->mFontData->mInitialized) << (host.errors.empty() ? "" : host.errors[0]);
    return font;
}

MemoryImage FilledCanvas(int width, int height, uint32_t fill)
{
    MemoryImage image;
    image.Create(width, height);
    std::fill(image.GetBits(), image.GetBits() + size_t(width) * height, fill);
    image.MarkBitsChanged();
    return image;
}

uint32_t Pixel(MemoryImage& image, int x, int y)
{
    return image.GetBits()[size_t(y) * image.GetWidth() + x];
}

std::vector<int> Channels(uint32_t pixel)
{
    return {int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF), int(pixel & 0xFF)};
}

// Within the rounding of the blitters' colour modulation.
::testing::Matcher<std::vector<int>> Near(std::vector<int> expected)
{
    std::vector<::testing::Matcher<int>> channels;
    for (int value : expected)
        channels.push_back(::testing::AllOf(::testing::Ge(value - 3), ::testing::Le(value)));
    return ::testing::ElementsAreArray(channels);
}

} // namespace

TEST(ImageFontTest, GeneratedFontDrawsWithShadowAsMeasured)
{
    FakeFontHost host;
    ImageFont font(&host, kFonts + "dejavu14.txt");
    ASSERT_TRUE(font.mFontData->mInitialized) << (host.errors.empty() ? "" : host.errors[0]);
    EXPECT_EQ(font.GetPointSize(), 14);
    EXPECT_EQ(font.mActiveLayerList.size(), 2u);
    EXPECT_EQ(font.GetAscent(), 13);
    EXPECT_EQ(font.GetHeight(), 17);

    MemoryImage image = FilledCanvas(220, 60, 0xFF5078A0);
    Graphics g(&image);
    g.SetFont(&font);
    g.SetColor(Color(255, 230, 120));
    const std::string text = "Hidden: \"To AT\" & keys, 1/2!";
    int drawnWidth = -1;
    std::vector<Rect> rects;
    font.DrawStringWithRects(&g, 4, 20, text, g.GetColor(), Rect(), &rects, &drawnWidth);
    EXPECT_EQ(drawnWidth, font.GetStringWidth(text));
    EXPECT_EQ(rects.size(), 2 * text.size());
    EXPECT_LT(font.GetStringWidth("AT"), font.GetStringWidth("A") + font.GetStringWidth("T"));

    g.SetColor(Color::White);
    g.DrawStringWithColorCodes("Found ^FF4040^3^oldclr^ of 12", 4, 44, 0, -1);
    EXPECT_EQ(g.GetColor(), Color::White);
    EXPECT_FALSE(g.GetTintImages());
    EXPECT_TRUE(testsupport::MatchesGolden(image, "graphics/fonts_imagefont_shadow.png"));
}

TEST(ImageFontTest, WidthsFileFontDraws)
{
    std::vector<uint32_t> pixels;
    int width = 0;
    int height = 0;
    ASSERT_TRUE(testsupport::ReadPng(kFonts + "dejavu12w.png", pixels, width, height));
    MemoryImage glyphs;
    glyphs.SetBits(pixels.data(), width, height, true);
    ImageFont font(&glyphs, kFonts + "dejavu12w.txt");
    ASSERT_TRUE(font.mFontData->mInitialized);
    EXPECT_EQ(font.GetCharWidth(' '), 4);
    EXPECT_EQ(font.GetAscent(), 12);

    MemoryImage image = FilledCanvas(120, 20, 0xFF202020);
    Graphics g(&image);
    g.SetFont(&font);
    g.SetColor(Color(120, 255, 120));
    int drawnWidth = 0;
    font.DrawStringWithRects(&g, 2, 14, "Widths 12/3", g.GetColor(), Rect(), nullptr, &drawnWidth);
    EXPECT_EQ(drawnWidth, font.GetStringWidth("Widths 12/3"));
    EXPECT_TRUE(testsupport::MatchesGolden(image, "graphics/fonts_imagefont_widths.png"));
}

TEST(ImageFontTest, LayersChosenByPointSizeAndTags)
{
    FakeFontHost host;
    auto font = MakeFont(host, Layer("Any") + Layer("From10", "LayerPointRange From10 10 -1;") +
                                   Layer("Ten20", "LayerPointRange Ten20 10 20;") +
                                   Layer("Bold", "LayerRequireTags Bold ('BOLD');") +
                                   Layer("Plain", "LayerExcludeTags Plain ('bold');"));
    auto active = [&]()
    {
        font->EnsureActiveLayers();
        std::vector<std::string> names;
        for (auto& layer : font->mActiveLayerList)
            for (auto& entry : font->mFontData->mFontLayerMap)
                if (entry.second == layer.mBaseFontLayer)
                    names.push_back(entry.first);
        return names;
    };
    using Names = std::vector<std::string>;
    EXPECT_EQ(active(), (Names{"ANY", "PLAIN"}));
    font->SetPointSize(10);
    EXPECT_EQ(active(), (Names{"ANY", "FROM10", "TEN20", "PLAIN"}));
    font->SetPointSize(21);
    EXPECT_EQ(active(), (Names{"ANY", "FROM10", "PLAIN"}));
    EXPECT_TRUE(font->AddTag("bold"));
    EXPECT_TRUE(font->HasTag("Bold"));
    EXPECT_FALSE(font->AddTag("BOLD"));
    EXPECT_EQ(active(), (Names{"ANY", "FROM10", "BOLD"}));
    EXPECT_TRUE(font->RemoveTag("bOLD"));
    EXPECT_FALSE(font->RemoveTag("bold"));
    EXPECT_EQ(active(), (Names{"ANY", "FROM10", "PLAIN"}));
}

TEST(ImageFontTest, ScaledFontScalesImageMetricsAndAdvances)
{
    FakeFontHost host;
    auto font = MakeFont(host, "SetDefaultPointSize 16;" +
                                   Layer("Main", "LayerSetPointSize Main 16; LayerSetAscentPadding Main 3;"
                                                 "LayerSetLineSpacingOffset Main -2;"));
    EXPECT_EQ(font->GetStringWidth("AB"), 10);
    font->SetPointSize(24);
    EXPECT_EQ(font->GetCharWidth('A'), 6);
    EXPECT_EQ(font->GetStringWidth("AB"), 15);
    EXPECT_EQ(font->GetAscent(), 15);
    EXPECT_EQ(font->GetHeight(), 21);
    EXPECT_EQ(font->GetAscentPadding(), 4);
    EXPECT_EQ(font->GetLineSpacingOffset(), -3);
    const auto& active = font->mActiveLayerList.front();
    ASSERT_TRUE(active.mOwnsImage);
    EXPECT_EQ(active.mScaledCharImageRects['B'], Rect(6, 0, 9, 18));
    EXPECT_EQ(active.mScaledImage->GetWidth(), 15);

    MemoryImage image = FilledCanvas(40, 30, 0xFF000000);
    Graphics g(&image);
    int drawnWidth = 0;
    std::vector<Rect> rects;
    font->DrawStringWithRects(&g, 5, 20, "AB", Color::White, Rect(), &rects, &drawnWidth);
    EXPECT_EQ(drawnWidth, 15);
    EXPECT_EQ(rects, (std::vector<Rect>{Rect(5, 5, 6, 18), Rect(11, 5, 9, 18)}));
    EXPECT_GE(Pixel(image, 10, 10) & 0xFF, 0xF0u);
    EXPECT_EQ(Pixel(image, 20, 10), 0xFF000000);

    std::unique_ptr<Quib::Font> copy(font->Clone());
    EXPECT_EQ(copy->GetStringWidth("AB"), 15);
    EXPECT_EQ(static_cast<ImageFont*>(copy.get())->mFontData, font->mFontData);
    EXPECT_EQ(font->mFontData->mRefCount, 2);
}

TEST(ImageFontTest, SpacingKerningAndCharMap)
{
    FakeFontHost host;
    auto font = MakeFont(host, Layer("Main", "LayerSetSpacing Main 2; LayerSetKerningPairs Main ('BA') (-3);"
                                             "SetCharMap ('a') ('A');"));
    EXPECT_EQ(font->GetStringWidth("AB"), 4 + 6 + 2);
    EXPECT_EQ(font->GetStringWidth("BA"), 6 + 4 - 1);
    EXPECT_EQ(font->GetStringWidth("a"), 4);
    EXPECT_EQ(font->GetStringWidth("ABx"), 4 + 6 + 2 + 2);

    MemoryImage image = FilledCanvas(40, 20, 0);
    Graphics g(&image);
    int drawnWidth = 0;
    for (const char* text : {"AB", "BA", "aBAx"})
    {
        font->DrawStringWithRects(&g, 0, 12, text, Color::White, Rect(), nullptr, &drawnWidth);
        EXPECT_EQ(drawnWidth, font->GetStringWidth(text)) << text;
    }
}

TEST(ImageFontTest, OrdersColoursAndDrawModes)
{
    FakeFontHost host;
    // Created first but drawn last: the base order puts "Under" beneath it.
    auto font =
        MakeFont(host, Layer("Over", "LayerSetColorMult Over (0, 1, 0, 1);") +
                           Layer("Under", "LayerSetBaseOrder Under -1; LayerSetColorMult Under 0xFF0000;"
                                          "LayerSetOffset Under (1, 0);") +
                           Layer("Add", "LayerSetDrawMode Add 1; LayerSetColorMult Add (0, 0, 0, 1);"
                                        "LayerSetColorAdd Add (0, 0, 0.5, 0); LayerSetBaseOrder Add 5;"));
    MemoryImage image = FilledCanvas(20, 20, 0xFF000000);
    Graphics g(&image);
    g.SetColor(Color(1, 2, 3, 4));
    g.SetDrawMode(Quib::DRAW_MODE_NORMAL);
    font->DrawString(&g, 2, 12, "A", Color::White, Rect());
    EXPECT_THAT(Channels(Pixel(image, 3, 5)), Near({0, 255, 127})); // green face over red, additive blue
    EXPECT_THAT(Channels(Pixel(image, 6, 5)), Near({255, 0, 0}));   // the red column right of the face
    EXPECT_EQ(Pixel(image, 7, 5), 0xFF000000);
    EXPECT_EQ(g.GetColor(), Color(1, 2, 3, 4));
    EXPECT_EQ(g.GetDrawMode(), Quib::DRAW_MODE_NORMAL);
    EXPECT_FALSE(g.GetTintImages());
}

TEST(ImageFontTest, GlyphOrdersBeyondTheBucketsStillSort)
{
    // 'R' is cut from the red left half of the picture, 'G' from the green right
    // half, and 'G' is pulled back over 'R', so whichever is drawn last shows.
    std::vector<uint32_t> pixels(16 * 8);
    for (int i = 0; i < 16 * 8; ++i)
        pixels[i] = (i % 16) < 8 ? 0xFFFF0000 : 0xFF00FF00;
    const std::string picture = ::testing::TempDir() + "redgreen.png";
    ASSERT_TRUE(testsupport::WritePng(picture, pixels.data(), 16, 8));
    const std::string layer =
        "CreateLayer Main; LayerSetImage Main '" + picture +
        "'; LayerSetAscent Main 8;"
        "LayerSetImageMap Main ('R' 'G') ((0 0 8 8) (8 0 8 8));"
        "LayerSetCharWidths Main ('R' 'G') (8 8); LayerSetCharOffsets Main ('G') ((-8 0));";
    struct Case
    {
        const char* orders;
        std::vector<int> shown;
    };
    const Case cases[] = {{"(500 -500)", {255, 0, 0}},
                          {"(-500 500)", {0, 255, 0}},
                          {"(0 0)", {0, 255, 0}},
                          {"(127 126)", {255, 0, 0}}};
    for (const Case& c : cases)
    {
        FakeFontHost host;
        auto font = MakeFont(host, layer + "LayerSetCharOrders Main ('R' 'G') " + c.orders + ";");
        MemoryImage image = FilledCanvas(20, 10, 0xFF000000);
        Graphics g(&image);
        font->DrawString(&g, 0, 8, "RG", Color::White, Rect());
        EXPECT_THAT(Channels(Pixel(image, 3, 3)), Near(c.shown)) << c.orders;
    }
}

TEST(ImageFontTest, RecordPoolCutsLongStrings)
{
    FakeFontHost host;
    auto font = MakeFont(host, Layer("One") + Layer("Two") + Layer("Three"));
    MemoryImage image = FilledCanvas(16, 16, 0);
    Graphics g(&image);
    const std::string text(2000, 'A');
    int drawnWidth = 0;
    std::vector<Rect> rects;
    font->DrawStringWithRects(&g, 0, 12, text, Color::White, Rect(), &rects, &drawnWidth);
    EXPECT_EQ(rects.size(), 4096u);
    EXPECT_EQ(drawnWidth, 1365 * 4);
    EXPECT_EQ(font->GetStringWidth(text), 2000 * 4);
}

TEST(ImageFontTest, DefinesAndFailedFonts)
{
    FakeFontHost host;
    auto font = MakeFont(host, "Define Pair (1, (2, 3)); Define One 1;" + Layer("Main"));
    EXPECT_EQ(font->GetDefineValue("pair"), "(1, (2, 3))");
    EXPECT_EQ(font->GetDefineValue("ONE"), "1");
    EXPECT_EQ(font->GetDefineValue("none"), "");

    ImageFont broken(&host, WriteTempFile("broken.txt", Layer("Main") + "Frobnicate;"));
    EXPECT_FALSE(broken.mFontData->mInitialized);
    EXPECT_EQ(broken.GetHeight(), 0);
    EXPECT_EQ(broken.GetStringWidth("AB"), 0);
    MemoryImage image = FilledCanvas(16, 16, 0xFF000000);
    Graphics g(&image);
    int drawnWidth = -1;
    broken.DrawStringWithRects(&g, 0, 12, "AB", Color::White, Rect(), nullptr, &drawnWidth);
    EXPECT_EQ(drawnWidth, 0);
    EXPECT_EQ(Pixel(image, 1, 5), 0xFF000000);
}
