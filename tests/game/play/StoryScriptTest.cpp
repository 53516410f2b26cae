#include "game/play/StoryScript.h"

#include "platform/Files.h"

#include <gtest/gtest.h>
#include <string>

namespace
{

std::string WriteStory(const std::string& name, const std::string& text)
{
    std::string path = ::testing::TempDir() + name;
    platform::writeFile(path, text.data(), text.size());
    return path;
}

StoryScript Read(const std::string& body)
{
    return ReadStoryScript(WriteStory("story.xml", "<Story>" + body + "</Story>"));
}

bool Mentions(const StoryScript& script, const std::string& text)
{
    for (const std::string& problem : script.mProblems)
        if (problem.find(text) != std::string::npos)
            return true;
    return false;
}

TEST(StoryScriptTest, EveryBlockTypeReadsItsOwnAttributes)
{
    StoryScript script = Read(
        R"(<Block0 type="SummonCharacter" x="-240" y="300" flip="yes" textureId="IMAGE_STORY_BUTLER" needWait="no"/>)"
        R"(<Block1 type="MoveCharacter" id="0" x="20" y="+310" duration="600" needWait="yes"/>)"
        R"(<Block2 type="ShowText" x="190" y="60" w="420" h="200" duration="300" textId="T" nameId="N" arrow="left" needWait="yes"/>)"
        R"(<Block3 type="HideText" needWait="no" duration="250"/>)"
        R"(<Block4 type="WaitUser" needWait="yes"/>)"
        R"(<Block5 type="WaitUser" needWait="no" x="355" y="480"/>)"
        R"(<Block6 type="PlaySound" soundId="SFX_GUNSHOT1"/>)"
        R"(<Block7 type="FadeInScreen"/><Block8 type="FadeOutScreen"/>)"
        R"(<Block9 type="ShowPicture" x="200" y="150" textureId="IMAGE_STORY_HOSPITAL_SCENE"/>)"
        R"(<Block10 type="ShowTheEnd" x="160" y="220" textureId="IMAGE_STORY_THE_END"/>)");
    EXPECT_TRUE(script.mOpened);
    EXPECT_TRUE(script.mProblems.empty()) << script.mProblems.front();
    ASSERT_EQ(script.mBlocks.size(), 11u);
    const std::vector<StoryBlock>& b = script.mBlocks;

    EXPECT_EQ(b[0].mType, STORY_BLOCK_SUMMON_CHARACTER);
    EXPECT_EQ(b[0].mX, -240);
    EXPECT_EQ(b[0].mY, 300);
    EXPECT_TRUE(b[0].mMirrored);
    EXPECT_EQ(b[0].mTextKey, "IMAGE_STORY_BUTLER");
    EXPECT_FALSE(b[0].mNeedWait);

    EXPECT_EQ(b[1].mType, STORY_BLOCK_MOVE_CHARACTER);
    EXPECT_EQ(b[1].mCharacter, 0);
    EXPECT_EQ(b[1].mY, 310);
    EXPECT_EQ(b[1].mDuration, 600);
    EXPECT_TRUE(b[1].mNeedWait);

    EXPECT_EQ(b[2].mType, STORY_BLOCK_SHOW_TEXT);
    EXPECT_EQ(b[2].mW, 420);
    EXPECT_EQ(b[2].mH, 200);
    EXPECT_EQ(b[2].mTextKey, "T");
    EXPECT_EQ(b[2].mNameKey, "N");
    EXPECT_EQ(b[2].mArrow, STORY_ARROW_LEFT);

    EXPECT_EQ(b[3].mType, STORY_BLOCK_HIDE_TEXT);
    EXPECT_EQ(b[3].mDuration, 250);
    // A waiting block without a place keeps the button where it was: x 0 says so.
    EXPECT_EQ(b[4].mX, 0);
    EXPECT_EQ(b[4].mY, kStoryOkDefaultY);
    EXPECT_EQ(b[5].mX, 355);
    EXPECT_EQ(b[5].mY, 480);
    EXPECT_EQ(b[6].mResource, "SFX_GUNSHOT1");
    EXPECT_EQ(b[6].mDuration, 100);
    EXPECT_EQ(b[7].mType, STORY_BLOCK_FADE_IN_SCREEN);
    EXPECT_EQ(b[8].mType, STORY_BLOCK_FADE_OUT_SCREEN);
    EXPECT_EQ(b[9].mTextKey, "IMAGE_STORY_HOSPITAL_SCENE");
    EXPECT_EQ(b[10].mType, STORY_BLOCK_SHOW_THE_END);
}

TEST(StoryScriptTest, LooseValuesReadAsTheGameReadsThem)
{
    struct Case
    {
        const char* attributes;
        int32_t x;
        bool mirrored;
        bool needWait;
    };
    const Case cases[] = {
        {R"(x="12abc" flip="yes" needWait="yes")", 12, true, true},
        {R"(x="abc" flip="Yes" needWait="YES")", 0, false, false},
        {R"(x="-7" flip="no" needWait="")", -7, false, false},
    };
    for (const Case& c : cases)
    {
        StoryScript script =
            Read(std::string(R"(<Block0 type="SummonCharacter" y="1" textureId="P" )") + c.attributes + "/>");
        ASSERT_EQ(script.mBlocks.size(), 1u) << c.attributes;
        EXPECT_EQ(script.mBlocks[0].mX, c.x) << c.attributes;
        EXPECT_EQ(script.mBlocks[0].mMirrored, c.mirrored) << c.attributes;
        EXPECT_EQ(script.mBlocks[0].mNeedWait, c.needWait) << c.attributes;
    }
    // Arrows other than the four names read 0.
    StoryScript arrows = Read(
        R"(<Block0 type="ShowText" x="0" y="0" w="1" h="1" duration="1" textId="T" nameId="" arrow="Up" needWait="no"/>)");
    ASSERT_EQ(arrows.mBlocks.size(), 1u);
    EXPECT_EQ(arrows.mBlocks[0].mArrow, STORY_ARROW_NONE);
    EXPECT_TRUE(arrows.mProblems.empty());
}

TEST(StoryScriptTest, BlocksAreReadInTheirNumberingAtAnyDepthAndAGapEndsTheScript)
{
    StoryScript script =
        Read(R"(<Scene><Note/><Block0 type="FadeInScreen"><Block1 type="FadeOutScreen"/></Block0></Scene>)"
             R"(<Block3 type="FadeInScreen"/><Block4 type="FadeInScreen"/><Blocky type="FadeInScreen"/>)");
    ASSERT_EQ(script.mBlocks.size(), 2u);
    EXPECT_EQ(script.mBlocks[1].mType, STORY_BLOCK_FADE_OUT_SCREEN);
    EXPECT_TRUE(Mentions(script, "Block3 is out of sequence where Block2 was expected"));
    EXPECT_TRUE(Mentions(script, "Block4 is out of sequence"));
    EXPECT_FALSE(Mentions(script, "Blocky"));

    StoryScript noStart = Read(R"(<Block1 type="FadeInScreen"/><Block01 type="FadeInScreen"/>)");
    EXPECT_TRUE(noStart.mBlocks.empty());
    EXPECT_EQ(noStart.mProblems.size(), 2u);
}

TEST(StoryScriptTest, AWrongBlockIsNamedAndKeptAsABlockThatDoesNothing)
{
    struct Case
    {
        const char* block;
        const char* problem;
    };
    const Case cases[] = {
        {R"(<Block1 type="SummonCharacter" x="1" y="1" flip="no" needWait="no"/>)", "has no \"textureId\""},
        {R"(<Block1 type="SummonCharacter" x="1" y="1" flip="no" textureId="" needWait="no"/>)",
         "has an empty \"textureId\""},
        {R"(<Block1 x="1"/>)", "has no \"type\""},
        {R"(<Block1 type="Dance"/>)", "has the unknown type \"Dance\""},
        {R"(<Block1 type="MoveCharacter" id="0" x="99999" y="1" duration="5" needWait="no"/>)",
         "has \"x\" 99999, outside -4000..4000"},
        {R"(<Block1 type="MoveCharacter" id="-1" x="1" y="1" duration="5" needWait="no"/>)", "has \"id\" -1"},
        {R"(<Block1 type="HideText" needWait="no" duration="2147483647"/>)", "has \"duration\" 2147483647"},
        {R"(<Block1 type="ShowText" x="0" y="0" w="99999" h="1" duration="1" textId="T" nameId="" arrow="" needWait="no"/>)",
         "has \"w\" 99999"},
        {R"(<Block1 type="ShowText" x="0" y="0" w="10" h="1" duration="1" textId="T" arrow="" needWait="no"/>)",
         "has no \"nameId\""},
        {R"(<Block1 type="PlaySound"/>)", "names no sound"},
        {R"(<Block1 type="PlaySound" soundId="S" delay="-5"/>)", "has \"delay\" -5"},
        {R"(<Block1 type="WaitUser"/>)", "has no \"needWait\""},
        {R"(<Block1 type="ShowPicture" x="1" textureId="P"/>)", "has no \"y\""},
    };
    for (const Case& c : cases)
    {
        StoryScript script = Read(std::string(R"(<Block0 type="FadeInScreen"/>)") + c.block +
                                  R"(<Block2 type="FadeOutScreen"/>)");
        ASSERT_EQ(script.mBlocks.size(), 3u) << c.block;
        EXPECT_EQ(script.mBlocks[1].mType, STORY_BLOCK_NONE) << c.block;
        EXPECT_EQ(script.mBlocks[2].mType, STORY_BLOCK_FADE_OUT_SCREEN) << c.block;
        ASSERT_EQ(script.mProblems.size(), 1u) << c.block;
        EXPECT_NE(script.mProblems[0].find(std::string("Block1 ") + c.problem), std::string::npos)
            << script.mProblems[0];
    }
}

TEST(StoryScriptTest, ReadingStopsAtAnErrorAtTheBlockLimitAndWithoutAFile)
{
    StoryScript broken =
        ReadStoryScript(WriteStory("broken.xml", "<Story>\n<Block0 type=\"FadeInScreen\"/>\n<Block1 "));
    EXPECT_EQ(broken.mBlocks.size(), 1u);
    EXPECT_TRUE(Mentions(broken, ": line "));

    std::string many;
    for (size_t i = 0; i <= kStoryBlockLimit; ++i)
        many += "<Block" + std::to_string(i) + " type=\"FadeInScreen\"/>";
    StoryScript limited = Read(many);
    EXPECT_EQ(limited.mBlocks.size(), kStoryBlockLimit);
    EXPECT_TRUE(Mentions(limited, "more than 1000 blocks"));

    StoryScript missing = ReadStoryScript(::testing::TempDir() + "no-such-story.xml");
    EXPECT_FALSE(missing.mOpened);
    EXPECT_TRUE(missing.mBlocks.empty());
    EXPECT_TRUE(Mentions(missing, "cannot be opened"));
}

} // namespace
