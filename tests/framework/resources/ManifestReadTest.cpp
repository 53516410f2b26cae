#include "ImageLibSupport.h"
#include "ResourceManagerSupport.h"

#include <gtest/gtest.h>

using namespace resourcetest;
using imagetest::ScratchFolder;

namespace
{

struct ManifestRead
{
    ScratchFolder folder;
    FakeResourceHost host;
    TestResourceManager manager{&host};

    bool Read(const std::string& text)
    {
        std::string path = folder.Path("resources.xml");
        folder.Write("resources.xml", std::vector<uint8_t>(text.begin(), text.end()));
        return manager.ReadManifest(path);
    }
};

struct ErrorCase
{
    const char* name;
    std::string document;
    std::string message; // the text before " on Line "
    int line;
};

TEST(ManifestRead, ErrorsNameTheirLineAndFile)
{
    const ErrorCase cases[] = {
        {"other root", "<Other/>", "Expecting ResourceManifest tag", 1},
        {"unknown section", Manifest("<Foo/>"), "Invalid Section 'Foo'", 2},
        {"text at manifest level", Manifest("hello"), "Element Not Expected 'hello'", 3},
        {"group without id", Manifest("<Resources>\n</Resources>"), "No id specified.", 2},
        {"group with empty id", Manifest("<Resources id=\"\"/>"), "No id specified.", 2},
        {"unknown element in group", Manifest("<Resources id=\"g\">\n<Bogus/>\n</Resources>"),
         "Invalid Section 'Bogus'", 3},
        {"text in group", Manifest("<Resources id=\"g\">\nwords\n</Resources>"),
         "Element Not Expected 'words'", 4},
        {"element with content",
         Manifest("<Resources id=\"g\">\n<Image path=\"a.png\"><x/></Image>\n</Resources>"),
         "Unexpected element found.", 3},
        {"no path", Manifest("<Resources id=\"g\">\n<Sound id=\"s\"/>\n</Resources>"), "No path specified.",
         3},
        {"same id twice",
         Manifest("<Resources id=\"g\">\n<Image path=\"a.png\"/>\n<Image path=\"x/a.jpg\"/>\n</Resources>"),
         "Resource already defined.", 4},
        {"bad animation",
         Manifest("<Resources id=\"g\">\n<Image path=\"a.png\" anim=\"sideways\"/>\n</Resources>"),
         "Invalid animation type.", 3},
        {"system font without size",
         Manifest("<Resources id=\"g\">\n<Font path=\"!sys:Arial\" size=\"0\"/>\n</Resources>"),
         "SysFont needs point size", 3},
        {"system font with no size at all",
         Manifest("<Resources id=\"g\">\n<Font path=\"!sys:Arial\"/>\n</Resources>"),
         "SysFont needs point size", 3},
        {"zero rows", Manifest("<Resources id=\"g\">\n<Image path=\"a.png\" rows=\"0\"/>\n</Resources>"),
         "Invalid rows or cols.", 3},
        {"negative cols", Manifest("<Resources id=\"g\">\n<Image path=\"a.png\" cols=\"-2\"/>\n</Resources>"),
         "Invalid rows or cols.", 3},
        {"absurd grid",
         Manifest("<Resources id=\"g\">\n<Image path=\"a.png\" cols=\"100000000\" "
                  "anim=\"pingpong\"/>\n</Resources>"),
         "Invalid rows or cols.", 3},
        {"grid that wraps to 1 in 32 bits",
         Manifest("<Resources id=\"g\">\n<Image path=\"a.png\" rows=\"4294967297\"/>\n</Resources>"),
         "Invalid rows or cols.", 3},
    };
    for (const ErrorCase& c : cases)
    {
        ManifestRead read;
        EXPECT_FALSE(read.Read(c.document)) << c.name;
        EXPECT_TRUE(read.manager.ErrorOccurred()) << c.name;
        std::string expected = c.message + " on Line " + std::to_string(c.line) + " in File '" +
                               read.folder.Path("resources.xml") + "'";
        EXPECT_EQ(read.manager.GetErrorMessage(), expected) << c.name;
    }
}

TEST(ManifestRead, DocumentLevelFailures)
{
    ManifestRead missing;
    EXPECT_FALSE(missing.manager.ReadManifest(missing.folder.Path("nothing.xml")));
    EXPECT_EQ(missing.manager.GetErrorMessage(),
              "Resource file not found: " + missing.folder.Path("nothing.xml"));

    ManifestRead empty;
    EXPECT_FALSE(empty.Read(""));
    EXPECT_EQ(empty.manager.GetErrorMessage().rfind("Expecting ResourceManifest tag", 0), 0u);
    EXPECT_NE(empty.manager.GetErrorMessage().find(" in File '" + empty.folder.Path("resources.xml") + "'"),
              std::string::npos);

    // The XML reader's own message, with the line and the file.
    ManifestRead broken;
    EXPECT_FALSE(broken.Read(Manifest("<Resources id=\"g\">\n<Image path=\"a.png\">>\n</Resources>")));
    std::string message = broken.manager.GetErrorMessage();
    EXPECT_NE(message.find(" on Line 3 in File '" + broken.folder.Path("resources.xml") + "'"),
              std::string::npos)
        << message;

    // Only the first error counts.
    ManifestRead first;
    EXPECT_FALSE(first.Read(Manifest("<Resources id=\"g\">\n<Sound/>\n</Resources>\n<Bad/>")));
    EXPECT_EQ(first.manager.GetErrorMessage().rfind("No path specified.", 0), 0u);
}

TEST(ManifestRead, DefaultsPrefixPathsAndIds)
{
    ManifestRead read;
    ASSERT_TRUE(read.Read(Manifest(R"(
<Resources id="Init">
  <Image path="first.png"/>
  <SetDefaults path="images\" idprefix="IMAGE_"/>
  <Image path="logo.png"/>
  <Image id="BACK" path="sub/back.jpg" alphaimage="back_a.png" alphagrid="grid.png"/>
  <Image path="!program"/>
  <Image path="!tagged" id="TAG"/>
</Resources>
<Resources id="Later">
  <Sound path="click.ogg"/>
  <SetDefaults idprefix="SFX_"/>
  <Sound path="pop.ogg" id="POP"/>
  <SetDefaults path=""/>
  <Font path="fonts/big.txt" id="BIG"/>
</Resources>)")))
        << read.manager.GetErrorMessage();
    auto& m = read.manager;
    ASSERT_NE(m.Image("first"), nullptr);
    EXPECT_EQ(m.Image("first")->mPath, "first.png");
    ASSERT_NE(m.Image("IMAGE_logo"), nullptr);
    EXPECT_EQ(m.Image("IMAGE_logo")->mPath, "images/logo.png");
    ASSERT_NE(m.Image("IMAGE_BACK"), nullptr);
    EXPECT_EQ(m.Image("IMAGE_BACK")->mPath, "images/sub/back.jpg");
    EXPECT_EQ(m.Image("IMAGE_BACK")->mAlphaImage, "images/back_a.png");
    EXPECT_EQ(m.Image("IMAGE_BACK")->mAlphaGridImage, "images/grid.png");
    ASSERT_NE(m.Image("IMAGE_!program"), nullptr);
    EXPECT_TRUE(m.Image("IMAGE_!program")->mFromProgram);
    EXPECT_EQ(m.Image("IMAGE_TAG")->mPath, "!tagged");
    EXPECT_FALSE(m.Image("IMAGE_TAG")->mFromProgram);
    // Defaults carry across groups; an empty path is the working folder, not the root.
    EXPECT_EQ(m.Sound("IMAGE_click")->mPath, "images/click.ogg");
    EXPECT_EQ(m.Sound("SFX_POP")->mResGroup, "Later");
    EXPECT_EQ(m.FontEntry("SFX_BIG")->mPath, "fonts/big.txt");

    EXPECT_EQ(m.CountGroupResources("Init"), 4); // "!program" is not counted
    EXPECT_EQ(m.CountGroupImages("Init"), 4);
    EXPECT_EQ(m.CountGroupSounds("Later"), 2);
    EXPECT_EQ(m.CountGroupFonts("Later"), 1);
    EXPECT_EQ(m.CountGroupResources("init"), 0); // entry groups compare case-sensitively
    EXPECT_EQ(m.CountGroupResources(""), 8);     // every entry of every map
}

TEST(ManifestRead, ImageAttributesAndDefaults)
{
    ManifestRead read;
    read.host.m3D = true;
    ASSERT_TRUE(read.Read(Manifest(R"(
<Resources id="g">
  <Image id="plain" path="a.png"/>
  <Image id="flags" path="b.png" nopal="" a4r4g4b4="" a8r8g8b8="" ddsurface="" minsubdivide="" noalpha=""
         alphacolor="ff8000" variant="night" rows="2" cols="3" extra="kept"/>
  <Image id="nobits3d" path="c.png" nobits3d=""/>
  <Image id="nobits2d" path="d.png" nobits2d=""/>
  <Image id="anim" path="e.png" cols="4" anim="PingPong" framedelay="7" begindelay="20" enddelay="30"/>
  <Image id="lists" path="f.png" rows="3" anim="loop" perframedelay="5,,6" framemap="2,1,0"/>
  <Image id="stray" path="g.png" perframedelay="1,2" framedelay="9"/>
</Resources>)")))
        << read.manager.GetErrorMessage();
    auto& m = read.manager;

    auto* plain = m.Image("plain");
    EXPECT_TRUE(plain->mPalletize);
    EXPECT_TRUE(plain->mAutoFindAlpha);
    EXPECT_FALSE(plain->mA4R4G4B4 || plain->mA8R8G8B8 || plain->mDDSurface || plain->mPurgeBits ||
                 plain->mMinSubdivide);
    EXPECT_EQ(plain->mRows, 1);
    EXPECT_EQ(plain->mCols, 1);
    EXPECT_EQ(plain->mAlphaColor, 0xFFFFFFu);
    EXPECT_EQ(plain->mAnim.mType, Quib::ANIMATION_NONE);

    auto* flags = m.Image("flags");
    EXPECT_FALSE(flags->mPalletize);
    EXPECT_FALSE(flags->mAutoFindAlpha);
    EXPECT_TRUE(flags->mA4R4G4B4 && flags->mA8R8G8B8 && flags->mDDSurface && flags->mMinSubdivide);
    EXPECT_EQ(flags->mAlphaColor, 0xFF8000u);
    EXPECT_EQ(flags->mVariant, "night");
    EXPECT_EQ(flags->mRows, 2);
    EXPECT_EQ(flags->mCols, 3);
    EXPECT_EQ(flags->mXMLAttributes.at("extra"), "kept");

    // With Direct3D on, "nobits3d" discards the pixels and "nobits2d" does not.
    EXPECT_TRUE(m.Image("nobits3d")->mPurgeBits);
    EXPECT_FALSE(m.Image("nobits2d")->mPurgeBits);

    const Quib::ImageAnimation& anim = m.Image("anim")->mAnim;
    EXPECT_EQ(anim.mType, Quib::ANIMATION_PINGPONG);
    EXPECT_EQ(anim.mFrameDelay, 7);
    EXPECT_EQ(anim.mFrameMap, (std::vector<int32_t>{0, 1, 2, 3, 2, 1}));
    EXPECT_EQ(anim.mFrameDelays, (std::vector<int32_t>{20, 7, 7, 7, 7, 30}));

    const Quib::ImageAnimation& lists = m.Image("lists")->mAnim;
    EXPECT_EQ(lists.mType, Quib::ANIMATION_LOOP);
    EXPECT_EQ(lists.mFrameMap, (std::vector<int32_t>{2, 1, 0}));
    EXPECT_EQ(lists.mFrameDelays, (std::vector<int32_t>{5, 1, 6}));

    const Quib::ImageAnimation& stray = m.Image("stray")->mAnim;
    EXPECT_EQ(stray.mType, Quib::ANIMATION_NONE);
    EXPECT_TRUE(stray.mFrameDelays.empty());
    EXPECT_EQ(stray.mFrameDelay, 1);
}

TEST(ManifestRead, SoundAndFontAttributes)
{
    ManifestRead read;
    ASSERT_TRUE(read.Read(Manifest(R"(
<Resources id="g">
  <Sound id="quiet" path="a.ogg" volume="0" pan="-300"/>
  <Sound id="plain" path="b.ogg"/>
  <Sound id="junk" path="c.ogg" volume="loud" pan="left"/>
  <Image id="quiet" path="shared-id.png"/>
  <Font id="sys" path="!sys:Arial Bold" size="14" bold="" italic="" shadow="" underline="" tags="x"/>
  <Font id="bitmap" path="fonts/a.txt" image="fonts/a.png" tags="A, B" size="9" bold=""/>
</Resources>)")))
        << read.manager.GetErrorMessage();
    auto& m = read.manager;
    EXPECT_EQ(m.Sound("quiet")->mVolume, 0.0);
    EXPECT_EQ(m.Sound("quiet")->mPanning, -300);
    EXPECT_EQ(m.Sound("plain")->mVolume, -1.0);
    EXPECT_EQ(m.Sound("plain")->mPanning, 0);
    EXPECT_EQ(m.Sound("junk")->mVolume, -1.0);
    EXPECT_EQ(m.Sound("junk")->mPanning, 0);
    EXPECT_NE(m.Image("quiet"), nullptr);

    auto* sys = m.FontEntry("sys");
    EXPECT_TRUE(sys->mSysFont);
    EXPECT_EQ(sys->mPath, "Arial Bold");
    EXPECT_EQ(sys->mSize, 14);
    EXPECT_TRUE(sys->mBold && sys->mItalic && sys->mShadow && sys->mUnderline);

    auto* bitmap = m.FontEntry("bitmap");
    EXPECT_FALSE(bitmap->mSysFont);
    EXPECT_EQ(bitmap->mImagePath, "fonts/a.png");
    EXPECT_EQ(bitmap->mTags, "A, B");
    EXPECT_EQ(bitmap->mSize, 0); // size and style belong to system fonts only
    EXPECT_FALSE(bitmap->mBold);
}

TEST(ManifestRead, GroupsOfTheSameNameInAnyCaseAddToOneList)
{
    ManifestRead read;
    ASSERT_TRUE(read.Read(Manifest(R"(
<?xml-stylesheet any?>
<Resources id="Init"><Image id="a" path="a.png"/></Resources>
<Resources id="INIT"><Sound id="b" path="b.ogg"/><?note skipped?></Resources>)")))
        << read.manager.GetErrorMessage();
    const auto& list = read.manager.mResGroupMap.at("init");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->mId, "a");
    EXPECT_EQ(list[1]->mId, "b");
    EXPECT_EQ(list[1]->mResGroup, "INIT");
}

TEST(ManifestRead, EntriesBeforeAFailureStayDeclared)
{
    ManifestRead read;
    EXPECT_FALSE(read.Read(Manifest(R"(
<Resources id="g">
  <Image id="ok" path="a.png"/>
  <Image id="bad" path="b.png" anim="wobble"/>
  <Image id="never" path="c.png"/>
</Resources>)")));
    EXPECT_NE(read.manager.Image("ok"), nullptr);
    EXPECT_NE(read.manager.Image("bad"), nullptr);
    EXPECT_EQ(read.manager.Image("never"), nullptr);
    EXPECT_EQ(read.manager.CountGroupResources("g"), 2);
}

TEST(ManifestRead, IntegerLists)
{
    const struct
    {
        const char* text;
        std::vector<int32_t> values;
    } cases[] = {
        {"1,2,3", {1, 2, 3}},
        {"", {0}},
        {"7", {7}},
        {"4,,x,5", {4, 0, 0, 5}},
        {"-3,99999999999", {-3, INT32_MAX}},
        {" 8, 9", {8, 9}},
        {"3,", {3, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Quib::ResourceManager::ParseIntList(c.text), c.values) << c.text;
}

} // namespace
