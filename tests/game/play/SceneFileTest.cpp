#include "game/play/SceneFile.h"

#include "platform/Files.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace
{

struct KindCase
{
    int32_t major, minor, typeId, listMode;
    SceneItemKind kind;
};

TEST(SceneFileTest, KindFollowsTheGroupIds)
{
    const KindCase cases[] = {
        {-1, -1, 0, 1, SceneItemKind::Plain},    {-1, 3, 0, 1, SceneItemKind::Piece},
        {3, -1, 0, 1, SceneItemKind::Combined},  {3, -1, 777, 1, SceneItemKind::Combined},
        {3, -1, 777, 0, SceneItemKind::Plain},   {3, -1, 0, 0, SceneItemKind::Combined},
        {999, 999, 0, 1, SceneItemKind::Hint},   {999, 5, 0, 1, SceneItemKind::None},
        {5, 999, 0, 1, SceneItemKind::None},     {100, 100, 0, 1, SceneItemKind::Location},
        {-2, -2, 0, 1, SceneItemKind::Location}, {-1, 999, 0, 1, SceneItemKind::Piece},
    };
    for (const KindCase& c : cases)
    {
        SceneItemRecord item;
        item.mMajorGroupId = c.major;
        item.mMinorGroupId = c.minor;
        item.mTypeId = c.typeId;
        EXPECT_EQ(SceneItemKindOf(item, c.listMode), c.kind)
            << c.major << ", " << c.minor << " typeId " << c.typeId;
    }
}

TEST(SceneFileTest, DecimalsReadAsTheGameReadsThem)
{
    EXPECT_FLOAT_EQ(ParseSceneDecimal("12.5"), 12.5f);
    EXPECT_FLOAT_EQ(ParseSceneDecimal("x"), 0.0f);
    EXPECT_FLOAT_EQ(ParseSceneDecimal("nan"), 0.0f);
    EXPECT_FLOAT_EQ(ParseSceneDecimal("1e99"), 0.0f);
}

TEST(SceneFileTest, FileAndPictureNames)
{
    EXPECT_EQ(SceneFileName(0), "Scene10Items.xml");
    EXPECT_EQ(SceneFileName(1), "Scene.xml");
    EXPECT_EQ(SceneImageFileName("key.png"), "key.jpg");
    EXPECT_EQ(SceneImageFileName("a.png.png"), "a.jpg.png");
    EXPECT_EQ(SceneImageFileName("Key.PNG"), "Key.PNG");
}

std::string Write(const std::string& name, const std::string& text)
{
    std::string path = ::testing::TempDir() + name;
    platform::writeFile(path, text.data(), text.size());
    return path;
}

TEST(SceneFileTest, ItemsAfterTheSceneTagWithDefaults)
{
    std::string path =
        Write("scene_defaults.xml", "<Root><Item name=\"before\" />\n"
                                    "<Scene><Screen Width=\"800\" Height=\"600\" />"
                                    "<Group><Item name=\"Key\" image=\"key.png\" layer=\"3\" x=\"10.7\" "
                                    "y=\"-2\" R=\"1\" G=\"2\" B=\"3\" A=\"4\" type=\"1\" typeId=\"777\" "
                                    "majorGroupID=\"5\" minorGroupID=\"-1\" /></Group>"
                                    "<item name=\"lower case\" /><Item />"
                                    "<Item layer=\" 3\" majorGroupID=\" -1\" type=\" 1\" /></Scene></Root>");
    std::vector<SceneItemRecord> items;
    ASSERT_TRUE(ReadSceneFile(path, items));
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].mName, "Key");
    EXPECT_EQ(items[0].mImage, "key.png");
    EXPECT_EQ(items[0].mLayer, 3);
    EXPECT_FLOAT_EQ(items[0].mX, 10.7f);
    EXPECT_FLOAT_EQ(items[0].mY, -2.0f);
    EXPECT_EQ(items[0].mAlpha, 4);
    EXPECT_EQ(items[0].mTypeId, 777);
    EXPECT_EQ(items[0].mMajorGroupId, 5);
    EXPECT_EQ(items[1].mName, "");
    EXPECT_EQ(items[1].mMajorGroupId, -2);
    EXPECT_EQ(items[1].mMinorGroupId, -2);
    EXPECT_EQ(items[1].mAlpha, 0);
    // A number that starts with a blank is no number here.
    EXPECT_EQ(items[2].mLayer, 0);
    EXPECT_EQ(items[2].mMajorGroupId, 0);
    EXPECT_EQ(items[2].mType, 0);
}

TEST(SceneFileTest, AnErrorKeepsWhatCameBefore)
{
    std::string path =
        Write("scene_broken.xml", "<Scene><Item name=\"A\" /><Item name=\"B\" /></Wrong><Item name=\"C\" />");
    std::vector<SceneItemRecord> items;
    ASSERT_TRUE(ReadSceneFile(path, items));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].mName, "A");
    EXPECT_EQ(items[1].mName, "B");
    EXPECT_FALSE(ReadSceneFile(::testing::TempDir() + "no_such_scene.xml", items));
}

} // namespace
