#include "framework/graphics/FontData.h"

#include "tests/framework/graphics/FontTestHost.h"

#include <gtest/gtest.h>
#include <string>

using Quib::Color;
using Quib::FontData;
using Quib::FontLayer;
using Quib::Rect;

namespace
{

const std::string kLayerImage = std::string(ORVELLAN_FIXTURES_DIR) + "/fonts/layer32x16.png";

// A descriptor with one layer "Main" on the 32 x 16 fixture image, then the text.
std::string WithMainLayer(const std::string& text)
{
    return "CreateLayer Main;\nLayerSetImage Main '" + kLayerImage + "';\n" + text;
}

struct Loaded
{
    FakeFontHost host;
    FontData* data = new FontData();

    explicit Loaded(const std::string& text, const std::string& name = "desc.txt")
    {
        data->AddReference();
        data->Load(&host, WriteTempFile(name, text));
    }
    ~Loaded() { data->Release(); }

    FontLayer& Layer(const std::string& name) { return *data->mFontLayerMap.at(name); }
    // The message without the file header and the command that follows it.
    std::string Message(size_t i) const
    {
        const std::string& text = host.errors.at(i);
        size_t start = text.find("\r\n") + 2;
        size_t end = text.find(" on Line ");
        return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    }
};

} // namespace

TEST(FontDataTest, CommandErrorsTable)
{
    struct Case
    {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"Frobnicate Main;", "Unknown Command"},
        {"LayerSetAscent Main;", "Invalid Number of Parameters"},
        {"LayerSetAscent Main 1 2;", "Invalid Number of Parameters"},
        {"LayerSetAscent Main x;", "Invalid Paramater Type"},
        {"LayerSetAscent Nowhere 1;", "Undefined Layer"},
        {"Define 5 x;", "Invalid Paramater Type"},
        {"Define W 5; SetDefaultPointSize W;", "Invalid Paramater Type"},
        {"LayerSetDrawMode Main 2;", "Invalid Paramater Type"},
        {"LayerSetColorMult Main (1, 1, 1);", "Invalid Paramater Type"},
        {"LayerSetOffset Main (1, 2, 3);", "Invalid Paramater Type"},
        {"LayerSetCharWidths Main ('a', 'b') (5);", "List Size Mismatch"},
        {"LayerSetImage Main 'missing.png';", "Failed to Load Image"},
        {"LayerSetImageMap Main ('a') ((0 0 33 1));", "Image rectangle out of bounds"},
        {"LayerSetImageMap Main ('a') ((0 -1 1 1));", "Image rectangle out of bounds"},
        {"LayerSetImageMap Main ('a') ((4 4 -2 1));", "Image rectangle out of bounds"},
        {"LayerSetImageMap Main ('a') ((0 0 1));", "Invalid Paramater Type"},
        {"LayerSetKerningPairs Main ('abc') (1);", "Invalid Paramater Type"},
        {"LayerSetCharOffsets Main ('a') Nothing;", "Invalid Paramater Type"},
        {"LayerSetBaseOrder Main (1);", "Invalid Paramater Type"},
        {"SetCharMap ('a' 'b') ('c');", "List Size Mismatch"},
    };
    for (const Case& c : cases)
    {
        Loaded font(WithMainLayer(c.text));
        EXPECT_FALSE(font.data->mInitialized) << c.text;
        ASSERT_FALSE(font.host.errors.empty()) << c.text;
        EXPECT_EQ(font.Message(0), c.message) << c.text;
    }

    Loaded noImage("CreateLayer Main; LayerSetImageMap Main ('a') ((0 0 1 1));");
    EXPECT_FALSE(noImage.data->mInitialized);
    EXPECT_EQ(noImage.Message(0), "Layer image not set");
}

TEST(FontDataTest, ErrorNamesFileLineAndCommand)
{
    Loaded font("CreateLayer Main;\n\n# comment\nLayerSetAscent\n  Main 1 2;\nLayerSetAscent Main 3;",
                "bad.txt");
    ASSERT_EQ(font.host.errors.size(), 1u);
    EXPECT_EQ(font.host.errors[0], "Font Descriptor Error in " + ::testing::TempDir() +
                                       "bad.txt\r\nInvalid Number of Parameters on Line 4:\r\n\r\n"
                                       "LayerSetAscent\nMain 1 2");
    EXPECT_FALSE(font.data->mInitialized);
    EXPECT_EQ(font.Layer("MAIN").mAscent, 0); // the parse stopped at the failing command

    FakeFontHost silentHost;
    FontData* silent = new FontData();
    silent->AddReference();
    EXPECT_TRUE(silent->Load(nullptr, WriteTempFile("silent.txt", "Frobnicate;")));
    EXPECT_FALSE(silent->mInitialized);
    EXPECT_TRUE(silent->Load(&silentHost, WriteTempFile("good.txt", "SetDefaultPointSize 3;")));
    EXPECT_TRUE(silent->mInitialized);
    EXPECT_FALSE(silent->Load(&silentHost, WriteTempFile("silent.txt", "SetDefaultPointSize 4;")));
    EXPECT_EQ(silent->mDefaultPointSize, 3);
    EXPECT_TRUE(silentHost.errors.empty());
    silent->Release();
}

TEST(FontDataTest, LayersTakeTheirSettings)
{
    Loaded font(WithMainLayer(R"(
        setdefaultpointsize 16;
        Define W 5; Define XY (W, -3);
        layersetoffset main XY;
        LayerSetAscent MAIN 12; LayerSetAscentPadding Main 2; LayerSetLineSpacingOffset Main -1;
        LayerSetHeight Main 15; LayerSetSpacing Main 1; LayerSetPointSize Main 16;
        LayerPointRange Main 10 20; LayerSetBaseOrder Main -1; LayerSetDrawMode Main 1;
        Define Tags ('bold', "Big"); LayerRequireTags Main Tags; LayerExcludeTags Main ('small');
        LayerSetColorMult Main (1, 0.5, 0, 1); LayerSetColorAdd Main 0x80FFFFFF;
        LayerSetCharOffsets Main ('a' 'b') ((1 2) (3 4));
        LayerSetImageMap Main ('a' "b") ((0 0 4 10) (4 0 5 12));
        LayerSetCharWidths Main ('a' 'b') (6 7);
        LayerSetCharOrders Main ('a') (300);
        LayerSetKerningPairs Main ('ab' 'ba') (200 -3);
        SetCharMap ('A') ('a');
        CreateLayerFrom Shadow Main; LayerSetColorMult Shadow 0xFF0000;
    )"));
    ASSERT_TRUE(font.data->mInitialized) << (font.host.errors.empty() ? "" : font.host.errors[0]);
    EXPECT_EQ(font.data->mDefaultPointSize, 16);
    EXPECT_EQ(font.data->mCharMap['A'], 'a');
    EXPECT_EQ(font.data->mCharMap['B'], 'B');

    const FontLayer& main = font.Layer("MAIN");
    EXPECT_EQ(main.mOffsetX, 5);
    EXPECT_EQ(main.mOffsetY, -3);
    EXPECT_EQ(main.mAscent, 12);
    EXPECT_EQ(main.mAscentPadding, 2);
    EXPECT_EQ(main.mLineSpacingOffset, -1);
    EXPECT_EQ(main.mHeight, 15);
    EXPECT_EQ(main.mDefaultHeight, 16); // 'b': 12 high at offset y 4
    EXPECT_EQ(main.mSpacing, 1);
    EXPECT_EQ(main.mMinPointSize, 10);
    EXPECT_EQ(main.mMaxPointSize, 20);
    EXPECT_EQ(main.mBaseOrder, -1);
    EXPECT_EQ(main.mDrawMode, 1);
    EXPECT_EQ(main.mRequiredTags, (std::vector<std::string>{"BOLD", "BIG"}));
    EXPECT_EQ(main.mExcludedTags, (std::vector<std::string>{"SMALL"}));
    EXPECT_EQ(main.mColorMult, Color(255, 127, 0, 255));
    EXPECT_EQ(main.mColorAdd, Color(255, 255, 255, 128));
    EXPECT_EQ(main.mCharData['b'].mImageRect, Rect(4, 0, 5, 12));
    EXPECT_EQ(main.mCharData['b'].mOffsetX, 3);
    EXPECT_EQ(main.mCharData['a'].mWidth, 6);
    EXPECT_EQ(main.mCharData['a'].mOrder, 300);
    EXPECT_EQ(main.mCharData['a'].mKerningOffsets['b'], -56);
    EXPECT_EQ(main.mCharData['b'].mKerningOffsets['a'], -3);

    const FontLayer& shadow = font.Layer("SHADOW");
    EXPECT_EQ(shadow.mColorMult, Color(255, 0, 0, 255));
    EXPECT_EQ(shadow.mCharData['b'].mImageRect, Rect(4, 0, 5, 12));
    EXPECT_EQ(shadow.mImage.GetImage(), main.mImage.GetImage());
    EXPECT_EQ(font.data->mFontLayerList.size(), 2u);
}

TEST(FontDataTest, PartialCommandsKeepWhatWentBefore)
{
    Loaded widths(WithMainLayer("LayerSetCharWidths Main ('a', 'bc', 'd') (5, 6, 7);"));
    EXPECT_FALSE(widths.data->mInitialized);
    EXPECT_EQ(widths.Message(0), "Invalid Paramater Type");
    EXPECT_EQ(widths.Layer("MAIN").mCharData['a'].mWidth, 5);
    EXPECT_EQ(widths.Layer("MAIN").mCharData['d'].mWidth, 7);

    Loaded map(WithMainLayer("LayerSetImageMap Main ('a' 'b' 'c') ((0 0 2 2) (31 15 2 1) (0 0 3 3));"));
    EXPECT_EQ(map.Message(0), "Image rectangle out of bounds");
    EXPECT_EQ(map.Layer("MAIN").mCharData['a'].mImageRect, Rect(0, 0, 2, 2));
    EXPECT_EQ(map.Layer("MAIN").mCharData['c'].mImageRect, Rect());

    Loaded twice(WithMainLayer("CreateLayer main; LayerSetAscent Main 9;"));
    EXPECT_TRUE(twice.data->mInitialized);
    EXPECT_EQ(twice.Message(0), "Layer Already Exists");
    EXPECT_EQ(twice.data->mFontLayerList.size(), 2u);
    EXPECT_EQ(twice.data->mFontLayerList.front().mAscent, 9);
    EXPECT_EQ(twice.data->mFontLayerList.back().mAscent, 0);
}

TEST(FontDataTest, SpanRectListsAndDefines)
{
    Loaded font("CreateHorzSpanRectList Row (0, 10, 99, 20) (5, 7, 9);"
                "Define A 1; Define B (A, 2); Define A 3; Define C B;");
    ASSERT_TRUE(font.data->mInitialized);
    EXPECT_EQ(FontData::ElementToText(font.data->FindDefine("row")),
              "((0, 10, 5, 20), (5, 10, 7, 20), (12, 10, 9, 20))");
    EXPECT_EQ(FontData::ElementToText(font.data->FindDefine("B")), "(1, 2)");
    EXPECT_EQ(FontData::ElementToText(font.data->FindDefine("C")), "(1, 2)");
}

TEST(FontDataTest, ColoursFromListsAndPackedValues)
{
    struct Case
    {
        const char* value;
        bool ok;
        Color color;
    };
    const Case cases[] = {
        {"(1, 0.5, 0, 1)", true, Color(255, 127, 0, 255)},
        {"0xFF0000", true, Color(255, 0, 0, 255)},
        {"0x80FFFFFF", true, Color(255, 255, 255, 128)},
        {"(1, 1, 1)", false, {}},
        {"(1, 1, 1, x)", false, {}},
        {"(1e3, 1, 1, 1)", false, {}},
        {"(99999999999, 1, 1, 1)", false, {}},
        {"red", false, {}},
    };
    for (const Case& c : cases)
    {
        FontData data;
        Quib::ListDataElement tokens;
        size_t pos = 0;
        ASSERT_TRUE(data.Tokenize(c.value, &tokens, false, pos));
        Color color;
        EXPECT_EQ(data.ElementToColor(tokens.mElementVector[0], color), c.ok) << c.value;
        if (c.ok)
            EXPECT_EQ(color, c.color) << c.value;
    }
}

TEST(FontDataTest, WidthsFileLaysGlyphsSideBySide)
{
    Quib::MemoryImage image;
    std::vector<uint32_t> pixels(20 * 8, 0xFFFFFFFF);
    image.SetBits(pixels.data(), 20, 8, true);

    FontData data;
    ASSERT_TRUE(data.LoadFromWidthsFile(&image, WriteTempFile("widths.txt", "4 12\na 6\n b\t7\nC 2")));
    ASSERT_TRUE(data.mInitialized);
    const FontLayer& layer = data.mFontLayerList.front();
    EXPECT_EQ(layer.mCharData[' '].mWidth, 4);
    EXPECT_EQ(layer.mAscent, 12);
    EXPECT_EQ(layer.mDefaultHeight, 8);
    EXPECT_EQ(layer.mCharData['a'].mImageRect, Rect(0, 0, 6, 8));
    EXPECT_EQ(layer.mCharData['b'].mImageRect, Rect(6, 0, 7, 8));
    EXPECT_EQ(layer.mCharData['C'].mImageRect, Rect(13, 0, 2, 8));
    EXPECT_EQ(layer.mCharData['b'].mWidth, 7);
    EXPECT_EQ(data.mCharMap['A'], 'a');
    EXPECT_EQ(data.mCharMap['B'], 'b');
    EXPECT_EQ(data.mCharMap['c'], 'C');
    EXPECT_EQ(data.mCharMap['C'], 'C');
    EXPECT_EQ(data.mCharMap['D'], 'D');
    EXPECT_EQ(layer.mImage.GetImage(), &image);
    EXPECT_FALSE(data.LoadFromWidthsFile(&image, WriteTempFile("widths.txt", "4 12")));

    FontData missing;
    EXPECT_FALSE(missing.LoadFromWidthsFile(&image, ::testing::TempDir() + "no-such-widths.txt"));
    EXPECT_FALSE(missing.mInitialized);

    // Glyphs that would reach past the image are refused, whatever their number.
    for (const char* text : {"4 12 a 6 b 15", "4 12 a -1", "4 12 a 2147483647 b 2147483647"})
    {
        FontData tooWide;
        EXPECT_FALSE(tooWide.LoadFromWidthsFile(&image, WriteTempFile("wide.txt", text))) << text;
        EXPECT_FALSE(tooWide.mInitialized) << text;
    }
}
